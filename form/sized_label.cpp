#include "form/sized_label.h"

namespace form {

void SizedLabel::SetLeftTwips(float left) {
  box_.left = left;
  place();
}

void SizedLabel::SetWidthTwips(float width) {
  box_.width = width;
  place();
}

void SizedLabel::followCaption() {
  switch (sizing_) {
    case LabelSizing::Fixed:
      break;
    case LabelSizing::ToCaption: {
      const CaptionTwips caption = measureCaption();
      box_ = FitToCaption(box_, align_, caption.width, caption.height);
      fittedToCaption_ = true;
      place();
      break;
    }
    case LabelSizing::FontToBox:
      fitFontToBox();
      break;
  }
}

}  // namespace form
