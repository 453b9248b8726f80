// Twips, the unit the window is laid out in: 1/1440 inch, 15 to a pixel at 96 dots per inch.
//
// Positions and sizes stay in twips, as floats, for as long as the program works with them; only
// the mapping to pixels rounds. A screen of more dots per inch gets proportionally more pixels,
// so the window keeps its proportions at any scale.
#pragma once

#include <cmath>

namespace form {

inline constexpr int kTwipsPerInch = 1440;
inline constexpr int kStandardDpi = 96;
inline constexpr float kTwipsPerPixel = float(kTwipsPerInch) / kStandardDpi;  // at 96 dpi

inline int ToPixels(float twips, int dpi = kStandardDpi) {
  return static_cast<int>(std::lround(twips * dpi / kTwipsPerInch));
}

inline float FromPixels(int pixels, int dpi = kStandardDpi) {
  return static_cast<float>(pixels) * kTwipsPerInch / dpi;
}

struct PixelRect {
  int x, y, width, height;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// Rounds each edge on its own (not left and width), so boxes that share an edge in twips share
// it in pixels too: no gap and no overlap between neighbours.
inline PixelRect ToPixelRect(float left, float top, float width, float height,
                             int dpi = kStandardDpi) {
  const int x0 = ToPixels(left, dpi);
  const int y0 = ToPixels(top, dpi);
  return {x0, y0, ToPixels(left + width, dpi) - x0, ToPixels(top + height, dpi) - y0};
}

// A font's size in pixels: design fonts are fixed in points, which follow the screen's dots per
// inch like every position of the window, so fonts and boxes scale together.
inline int FontPixels(float points, int dpi = kStandardDpi) {
  return static_cast<int>(std::lround(points * dpi / 72));
}

}  // namespace form
