#include "web/design_fonts.h"

#include <string_view>

#include "form/twips.h"

namespace web {

std::string FontFamily(const char* designFamily) {
  const std::string_view family = designFamily;
  // The answer row needs a fixed pitch even from a fallback: the subscript digits stand in the
  // blank of "x =".
  if (family == "Courier New") return "\"Drill Mono\", monospace";
  if (family == "Arial Black") return "\"Drill Black\", sans-serif";
  return "\"Drill Sans\", sans-serif";
}

std::string CssFont(const form::FontSpec& font, int pixels) {
  return std::to_string(font.weight) + " " + std::to_string(pixels) + "px " +
         FontFamily(font.family);
}

std::string CssFont(const form::FontSpec& font, float points) {
  return CssFont(font, form::FontPixels(points));
}

}  // namespace web
