// The classic light desktop the window is drawn in, whatever the pupil's theme: every face of the
// window is light, so a high-contrast or dark theme's colours would make the text vanish on them.
// Only the colours the design leaves to the platform come from here.
#pragma once

#include <windows.h>

#include "form/control_table.h"

namespace win32 {

namespace classic {
inline constexpr COLORREF kText = RGB(0x00, 0x00, 0x00);
inline constexpr COLORREF kHighlight = RGB(0xFF, 0xFF, 0xFF);  // the lit outer edge
inline constexpr COLORREF kLight = RGB(0xE9, 0xE7, 0xE3);      // the lit inner edge
inline constexpr COLORREF kShadow = RGB(0x6A, 0x68, 0x64);     // the inner shadow
inline constexpr COLORREF kDarkShadow = RGB(0x00, 0x00, 0x00);
inline constexpr COLORREF kDisabledText = RGB(0x6A, 0x68, 0x64);
}  // namespace classic

// A design colour (0xRRGGBB) as Windows spells it; the platform's colour for text is black.
inline COLORREF DesignColour(form::Rgb rgb) {
  if (rgb == form::kSystemColour) return classic::kText;
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

enum class Edge {
  Raised,  // a button at rest
  Sunken,  // a button held down
  Etched,  // a frame's groove
};

// Draws a two-pixel edge (scaled with the DPI) just inside the rectangle.
void DrawClassicEdge(HDC dc, const RECT& box, Edge edge, UINT dpi);

// Fills a rectangle with a colour, without a brush of its own.
void FillColour(HDC dc, const RECT& box, COLORREF colour);

}  // namespace win32
