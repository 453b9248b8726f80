#include "win32/equation_area.h"

#include "win32/frame_panel.h"
#include "win32/window_class.h"

namespace win32 {
namespace {

constexpr wchar_t kClassName[] = L"RootsDrillEquationArea";

// Whatever Windows leaves of the window's surface under the area, the window draws it again
// here, so the area is see-through wherever no label stands.
void drawWindowSurface(HWND area, HDC dc) {
  const HWND window = GetParent(area);
  POINT origin{0, 0};
  MapWindowPoints(area, window, &origin, 1);
  POINT previous{};
  OffsetViewportOrgEx(dc, -origin.x, -origin.y, &previous);
  SendMessageW(window, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT | PRF_ERASEBKGND);
  SetViewportOrgEx(dc, previous.x, previous.y, nullptr);
}

LRESULT CALLBACK areaProc(HWND area, UINT message, WPARAM wParam, LPARAM lParam) {
  if (IsParentNotification(message)) {
    return SendMessageW(GetParent(area), message, wParam, lParam);
  }
  switch (message) {
    case WM_NCHITTEST:
      return HTTRANSPARENT;  // clicks go through to the window
    case WM_ERASEBKGND:
      drawWindowSurface(area, reinterpret_cast<HDC>(wParam));
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT paint{};
      BeginPaint(area, &paint);
      EndPaint(area, &paint);
      return 0;
    }
    default:
      return DefWindowProcW(area, message, wParam, lParam);
  }
}

}  // namespace

HWND CreateEquationArea(HWND window, int id, const RECT& clientArea) {
  RegisterWindowClass(kClassName, areaProc);
  return CreateWindowExW(
      WS_EX_TRANSPARENT, kClassName, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
      clientArea.left, clientArea.top, clientArea.right - clientArea.left,
      clientArea.bottom - clientArea.top, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
      GetModuleHandleW(nullptr), nullptr);
}

}  // namespace win32
