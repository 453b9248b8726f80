// Twips, the unit the window is laid out in: 1/1440 inch, 15 to a pixel at 96 dots per inch.
//
// Positions and sizes stay in twips, as floats, for as long as the program works with them;
// only the mapping to pixels rounds. Qt's high-DPI scaling then maps these logical pixels to
// device pixels, so the window keeps its proportions at any scale.
#pragma once

#include <QRect>
#include <cmath>

namespace twips {

inline constexpr float kPerPixel = 15;

inline int toPixels(float value) { return static_cast<int>(std::lround(value / kPerPixel)); }

// Rounds each edge on its own (not left and width), so boxes that share an edge in twips share
// it in pixels too: no gap and no overlap between neighbours.
inline QRect toPixelRect(float left, float top, float width, float height) {
  const int x0 = toPixels(left);
  const int y0 = toPixels(top);
  return {x0, y0, toPixels(left + width) - x0, toPixels(top + height) - y0};
}

inline float fromPixels(int pixels) { return pixels * kPerPixel; }

}  // namespace twips
