#include "window/twip_label.h"

#include <QFontMetrics>

#include "window/design_fonts.h"
#include "window/twips.h"

TwipLabel::TwipLabel(QWidget* parent, float left, float top, float width, float height,
                     Qt::Alignment alignment, Sizing sizing)
    : QLabel(parent), left_(left), top_(top), width_(width), height_(height), sizing_(sizing) {
  setTextFormat(Qt::PlainText);
  setAlignment(alignment | Qt::AlignTop);
  setMargin(0);
  setIndent(0);
  setAutoFillBackground(true);  // opaque: the label hides what lies under its box
  place();
}

void TwipLabel::setCaption(const QString& caption) {
  setText(caption);
  resize();
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
  resize();
}

void TwipLabel::setLeftTwips(float left) {
  left_ = left;
  place();
}

void TwipLabel::setWidthTwips(float width) {
  width_ = width;
  place();
}

void TwipLabel::resize() {
  switch (sizing_) {
    case Sizing::Fixed:
      break;
    case Sizing::ToCaption:
      fitToCaption();
      break;
    case Sizing::FontToBox:
      fitFontToBox();
      break;
  }
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

void TwipLabel::fitFontToBox() {
  // Every digit stays readable in the fixed box: the font shrinks a pixel at a time from its
  // own size until the caption fits.
  QFont fitting = font();
  const int boxPixels = twips::toPixelRect(left_, top_, width_, height_).width();
  int pixels = designfonts::pixelsForPoints(points_);
  fitting.setPixelSize(pixels);
  const int fullAscent = QFontMetrics(fitting).ascent();
  while (pixels > 1 && QFontMetrics(fitting).horizontalAdvance(text()) > boxPixels) {
    fitting.setPixelSize(--pixels);
  }
  setFont(fitting);
  // A shrunk caption keeps the baseline of a full-size one, so its digits stand on the line of
  // the "мин" and "сек" beside them.
  setContentsMargins(0, fullAscent - QFontMetrics(fitting).ascent(), 0, 0);
}

void TwipLabel::place() { setGeometry(twips::toPixelRect(left_, top_, width_, height_)); }
