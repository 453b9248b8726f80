// The window's fonts, named as designed: the family, weight, underline and character set of the
// design, at a size in pixels of the window's DPI.
#pragma once

#include "form/control_table.h"
#include "win32/gdi_owners.h"

namespace win32 {

FontHandle CreateDesignFont(const form::FontSpec& design, int pixels);

// The metrics of a caption in a font: its advance width and the font's height, in pixels.
struct CaptionSize {
  int width;
  int height;
  int ascent;
};
CaptionSize MeasureCaption(HFONT font, const wchar_t* text, int length);

}  // namespace win32
