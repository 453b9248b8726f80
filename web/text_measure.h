// How wide and high a caption is in a font, measured by a canvas the page never shows, with the
// same faces and shaping as the labels' own text; the font's line, where an older canvas does
// not give it, from the same line laid out on the page.
#pragma once

#include <string>
#include <string_view>

namespace web {

struct TextSize {
  float width;   // CSS pixels
  float height;  // the font's line: ascent and descent
  float ascent;
};

TextSize MeasureText(const std::string& cssFont, std::string_view utf8);

}  // namespace web
