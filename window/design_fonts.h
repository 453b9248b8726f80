// The fonts of the window, named as designed, with stand-ins where a family is missing.
#pragma once

#include <QFont>

#include "form/control_table.h"

namespace designfonts {

// Tells Qt which installed families stand in for missing ones: metric-compatible Liberation
// faces for Courier New, Arial and MS Sans Serif, a black sans-serif for Arial Black. Call once
// before the first control is created; where the named family exists, it is used.
void installSubstitutes();

// Fonts of the program's own captions, all within the design fonts' Latin and Cyrillic, draw
// from their own face alone: Qt then spares the search for fallback faces, which is much of the
// window's start-up. A box, where a pupil may paste any character, keeps the fallbacks.
enum class Fallback { Search, None };
// Sizes are in pixels at 96 dots per inch, like every position of the window, so fonts and boxes
// scale together whatever the screen.
QFont fontFor(const form::FontSpec& design, Fallback fallback);

}  // namespace designfonts
