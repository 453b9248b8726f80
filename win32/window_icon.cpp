#include "win32/window_icon.h"

#include "win32/dpi.h"

namespace win32 {

IconHandle LoadWindowIcon(int size) {
  return IconHandle(
      static_cast<HICON>(LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(kIconResource),
                                    IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

void SetWindowIcons(HWND window, UINT dpi, IconHandle& large, IconHandle& small) {
  IconHandle newLarge = LoadWindowIcon(SystemMetric(SM_CXICON, dpi));
  IconHandle newSmall = LoadWindowIcon(SystemMetric(SM_CXSMICON, dpi));
  SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(newLarge.get()));
  SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(newSmall.get()));
  // The old icons are given back only once the window no longer shows them.
  large = std::move(newLarge);
  small = std::move(newSmall);
}

}  // namespace win32
