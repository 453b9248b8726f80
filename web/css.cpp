#include "web/css.h"

#include <cmath>
#include <cstdlib>

#include "form/twips.h"

namespace web {

std::string CssPixels(float twips) { return PixelsText(twips / form::kTwipsPerPixel); }

// Whole and thousandths of a pixel, without printf: its floating-point formatting would be the
// largest part of the page's code.
std::string PixelsText(float pixels) {
  const long thousandths = std::lround(pixels * 1000);
  const long whole = std::labs(thousandths) / 1000;
  std::string fraction = std::to_string(std::labs(thousandths) % 1000 + 1000).substr(1);
  fraction.erase(fraction.find_last_not_of('0') + 1);  // "395px" rather than "395.000px"
  return (thousandths < 0 ? "-" : "") + std::to_string(whole) +
         (fraction.empty() ? "" : "." + fraction) + "px";
}

std::string CssColour(form::Rgb colour) {
  constexpr char kHex[] = "0123456789ABCDEF";
  std::string text = "#";
  for (int shift = 20; shift >= 0; shift -= 4) text += kHex[(colour >> shift) & 0xF];
  return text;
}

std::string CssAlign(form::Align align) {
  switch (align) {
    case form::Align::Centre:
      return "center";
    case form::Align::Right:
      return "right";
    case form::Align::Left:
    case form::Align::None:
      break;
  }
  return "left";
}

std::string CssBox(float left, float top, float width, float height) {
  return "left:" + CssPixels(left) + ";top:" + CssPixels(top) + ";width:" + CssPixels(width) +
         ";height:" + CssPixels(height);
}

}  // namespace web
