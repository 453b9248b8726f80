// The design's fonts as the page draws them: the families are the page's own embedded faces,
// renamed subsets of the free stand-ins the Linux window uses (Drill Sans for Arial and MS Sans
// Serif, Drill Mono for Courier New, Drill Black for Arial Black), at the design's size in pixels.
#pragma once

#include <string>

#include "form/control_table.h"

namespace web {

// The CSS font-family list for a design family, ending in a generic family of the same kind.
std::string FontFamily(const char* designFamily);

// The CSS `font` shorthand of a design font at the given size in points: "700 19px "Drill Sans",
// sans-serif". Points become pixels as on the desktop at 96 dots per inch, whole pixels.
std::string CssFont(const form::FontSpec& font, float points);
std::string CssFont(const form::FontSpec& font, int pixels);

}  // namespace web
