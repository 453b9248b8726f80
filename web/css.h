// Design values as CSS text: twips as pixels, colours, alignment. Plain C++, so the page's
// markup can be written when the page is built as well as when it runs.
#pragma once

#include <string>

#include "form/control_table.h"

namespace web {

// "395px", "27.533px": twips as CSS pixels, 15 to a pixel; the one place twips become pixels.
std::string CssPixels(float twips);
// Pixels as CSS text, to the thousandth.
std::string PixelsText(float pixels);
std::string CssColour(form::Rgb colour);
std::string CssAlign(form::Align align);
// "left:…;top:…;width:…;height:…": an element's box in twips.
std::string CssBox(float left, float top, float width, float height);

}  // namespace web
