#include "win32/design_fonts.h"

#include <cstring>

#include "win32/utf16.h"

namespace win32 {

FontHandle CreateDesignFont(const form::FontSpec& design, int pixels) {
  // The answer row needs a fixed pitch even from a stand-in: the subscript digits stand in the
  // blank of "x =".
  const bool fixedPitch = std::strcmp(design.family, "Courier New") == 0;
  const BYTE charset = design.charset == form::Charset::Cyrillic ? RUSSIAN_CHARSET : ANSI_CHARSET;
  // A negative height asks for the size of the characters themselves, as a point size does.
  return FontHandle(CreateFontW(-pixels, 0, 0, 0, design.weight, FALSE, design.underline, FALSE,
                                charset, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                                (fixedPitch ? FIXED_PITCH | FF_MODERN : VARIABLE_PITCH | FF_SWISS),
                                Utf16(design.family).c_str()));
}

CaptionSize MeasureCaption(HFONT font, const wchar_t* text, int length) {
  const HDC screen = GetDC(nullptr);
  CaptionSize size{};
  {
    const Selected selected(screen, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(screen, &metrics);
    SIZE extent{};
    if (length > 0) GetTextExtentPoint32W(screen, text, length, &extent);
    size = {extent.cx, metrics.tmHeight, metrics.tmAscent};
  }
  ReleaseDC(nullptr, screen);
  return size;
}

}  // namespace win32
