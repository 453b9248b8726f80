#include "form/label_box.h"

namespace form {

TwipBox DesignBox(const ControlRow& row) {
  return {float(row.left), float(row.top), float(row.width), float(row.height)};
}

LabelSizing SizingOf(const ControlRow& row) {
  if (row.flags & kSizesItself) return LabelSizing::ToCaption;
  if (row.flags & kShrinksCaption) return LabelSizing::FontToBox;
  return LabelSizing::Fixed;
}

TwipBox FitToCaption(const TwipBox& box, Align align, float captionWidth, float captionHeight) {
  TwipBox fitted = box;
  if (align == Align::Centre) {
    fitted.left += (box.width - captionWidth) / 2;
  } else if (align == Align::Right) {
    fitted.left += box.width - captionWidth;
  }
  fitted.width = captionWidth;
  fitted.height = captionHeight;
  return fitted;
}

int FontPixelsToFit(int designPixels, int boxPixels, const std::function<int(int)>& widthAt) {
  // Every digit stays readable in the fixed box: the font shrinks a pixel at a time until the
  // caption fits.
  int pixels = designPixels;
  while (pixels > 1 && widthAt(pixels) > boxPixels) --pixels;
  return pixels;
}

}  // namespace form
