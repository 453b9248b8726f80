#include "web/twip_label.h"

#include "form/twips.h"
#include "web/design_fonts.h"
#include "web/text_measure.h"

namespace web {

TwipLabel::TwipLabel(val element, const form::ControlRow& row, float originTop)
    : SizedLabel(row),
      element_(std::move(element)),
      font_(row.font),
      originTop_(originTop),
      caption_(row.caption) {}

void TwipLabel::SetCaption(std::string_view utf8) {
  caption_ = utf8;
  SetText(element_, caption_);
  followCaption();
}

void TwipLabel::SetFontPoints(float points) {
  points_ = points;
  setFont(form::FontPixels(points_));
  followCaption();
}

form::SizedLabel::CaptionTwips TwipLabel::measureCaption() const {
  const TextSize size = MeasureText(CssFont(font_, points_), caption_);
  return {size.width * form::kTwipsPerPixel, size.height * form::kTwipsPerPixel};
}

void TwipLabel::setFont(int pixels) { SetStyle(element_, "font", CssFont(font_, pixels)); }

void TwipLabel::fitFontToBox() {
  const int designPixels = form::FontPixels(points_);
  const int boxPixels = form::ToPixels(box_.width);
  const int pixels = form::FontPixelsToFit(designPixels, boxPixels, [&](int size) {
    return static_cast<int>(MeasureText(CssFont(font_, size), caption_).width + 0.999f);
  });
  setFont(pixels);
  // A shrunk caption keeps the baseline of a full-size one, so its digits stand on the line of
  // the "мин" and "сек" beside them.
  const float drop = MeasureText(CssFont(font_, designPixels), "").ascent -
                     MeasureText(CssFont(font_, pixels), "").ascent;
  SetStyle(element_, "padding-top", PixelsText(drop));
}

void TwipLabel::place() {
  PlaceInTwips(element_, box_.left, box_.top - originTop_, box_.width, box_.height);
}

}  // namespace web
