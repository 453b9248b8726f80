#include "win32/frame_panel.h"

#include "win32/classic_look.h"
#include "win32/dpi.h"
#include "win32/window_class.h"

namespace win32 {
namespace {

constexpr wchar_t kClassName[] = L"RootsDrillFrame";
constexpr int kBackColourOffset = 0;  // in the window's extra bytes

void paint(HWND frame) {
  PAINTSTRUCT paint{};
  const HDC dc = BeginPaint(frame, &paint);
  RECT box{};
  GetClientRect(frame, &box);
  FillColour(dc, box, static_cast<COLORREF>(GetWindowLongPtrW(frame, kBackColourOffset)));
  DrawClassicEdge(dc, box, Edge::Etched, WindowDpi(frame));
  EndPaint(frame, &paint);
}

LRESULT CALLBACK frameProc(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsParentNotification(message)) {
    return SendMessageW(GetParent(frame), message, wParam, lParam);
  }
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // painted whole in WM_PAINT
    case WM_PAINT:
      paint(frame);
      return 0;
    default:
      return DefWindowProcW(frame, message, wParam, lParam);
  }
}

}  // namespace

bool IsParentNotification(UINT message) {
  switch (message) {
    case WM_COMMAND:
    case WM_DRAWITEM:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
      return true;
    default:
      return false;
  }
}

HWND CreateFramePanel(HWND window, int id, const RECT& place, COLORREF back) {
  RegisterWindowClass(kClassName, frameProc, sizeof(LONG_PTR));
  const HWND frame = CreateWindowExW(
      0, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, place.left,
      place.top, place.right - place.left, place.bottom - place.top, window,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  SetWindowLongPtrW(frame, kBackColourOffset, static_cast<LONG_PTR>(back));
  return frame;
}

}  // namespace win32
