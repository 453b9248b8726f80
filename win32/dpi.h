// Dots per inch, the one scale of the window: twips become pixels at the DPI of the monitor the
// window is on, and fonts follow. The newer DPI functions of Windows 10 are looked up when the
// program runs, so it still starts on Windows 7, where the system DPI serves.
#pragma once

#include <windows.h>

#include "form/label_box.h"
#include "form/twips.h"

namespace win32 {

// Makes this process take the roads of Windows 7 and 8, which lack the DPI functions of Windows
// 8.1 and 10 (per-monitor awareness, the window's own DPI, frames and metrics at a given DPI): from
// then on they are looked up as absent, and the system DPI serves. For the tests, which hold the
// window to its design on those roads on any Windows; called before
// EnablePerMonitorDpiAwareness.
void HideNewerDpiFunctions();

// Asks for per-monitor DPI awareness before the first window: Windows then tells the window its
// monitor's DPI instead of stretching it as a picture. Windows that know better take the
// manifest's word; a refusal changes nothing.
void EnablePerMonitorDpiAwareness();

// The DPI the window is drawn at.
UINT WindowDpi(HWND window);

// The outer size of a window whose client area is clientWidth x clientHeight pixels at this DPI.
SIZE WindowSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, UINT dpi);

// A system metric (SM_CXICON, ...) at this DPI.
int SystemMetric(int index, UINT dpi);

// A twip box in pixels at this DPI, each edge rounded on its own.
inline RECT PixelRect(const form::TwipBox& box, UINT dpi) {
  const form::PixelRect pixels =
      form::ToPixelRect(box.left, box.top, box.width, box.height, static_cast<int>(dpi));
  return {pixels.x, pixels.y, pixels.x + pixels.width, pixels.y + pixels.height};
}

// Pixels of the classic 96-dpi design (a line width, an inset) at this DPI.
inline int ScaledPixels(int designPixels, UINT dpi) {
  return MulDiv(designPixels, static_cast<int>(dpi), form::kStandardDpi);
}

}  // namespace win32
