#include "window/twip_label.h"

#include <QFontMetrics>

#include "window/design_fonts.h"
#include "window/twips.h"

TwipLabel::TwipLabel(QWidget* parent, float left, float top, float width, float height,
                     Qt::Alignment alignment, bool sizesItself)
    : QLabel(parent),
      left_(left),
      top_(top),
      width_(width),
      height_(height),
      sizesItself_(sizesItself) {
  setTextFormat(Qt::PlainText);
  setAlignment(alignment | Qt::AlignTop);
  setMargin(0);
  setIndent(0);
  setAutoFillBackground(true);  // opaque: the label hides what lies under its box
  place();
}

void TwipLabel::setCaption(const QString& caption) {
  setText(caption);
  if (sizesItself_) fitToCaption();
}

void TwipLabel::setDesignFont(const QFont& font, float points) {
  points_ = points;
  setFont(font);
}

void TwipLabel::setFontPoints(float points) {
  points_ = points;
  QFont resized = font();
  resized.setPixelSize(designfonts::pixelsForPoints(points));
  setFont(resized);
  if (sizesItself_) fitToCaption();
}

void TwipLabel::setLeftTwips(float left) {
  left_ = left;
  place();
}

void TwipLabel::setWidthTwips(float width) {
  width_ = width;
  place();
}

void TwipLabel::fitToCaption() {
  const QFontMetrics metrics(font());
  const float fitted = twips::fromPixels(metrics.horizontalAdvance(text()));
  const Qt::Alignment horizontal = alignment() & Qt::AlignHorizontal_Mask;
  if (horizontal & Qt::AlignHCenter) {
    left_ += (width_ - fitted) / 2;
  } else if (horizontal & Qt::AlignRight) {
    left_ += width_ - fitted;
  }
  width_ = fitted;
  height_ = twips::fromPixels(metrics.height());
  place();
}

void TwipLabel::place() { setGeometry(twips::toPixelRect(left_, top_, width_, height_)); }
