#include "window/twip_label.h"

#include <QFontMetrics>

#include "window/twips.h"

namespace {

Qt::Alignment qtAlignment(form::Align align) {
  switch (align) {
    case form::Align::Centre:
      return Qt::AlignHCenter;
    case form::Align::Right:
      return Qt::AlignRight;
    case form::Align::Left:
    case form::Align::None:
      break;
  }
  return Qt::AlignLeft;
}

}  // namespace

TwipLabel::TwipLabel(QWidget* parent, const form::ControlRow& row)
    : QLabel(parent), SizedLabel(row) {
  setTextFormat(Qt::PlainText);
  setAlignment(qtAlignment(align_) | Qt::AlignTop);
  setMargin(0);
  setIndent(0);
  setAutoFillBackground(true);  // opaque: the label hides what lies under its box
  place();
}

void TwipLabel::setCaption(const QString& caption) {
  setText(caption);
  followCaption();
}

void TwipLabel::SetCaption(std::string_view utf8) {
  setCaption(QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size())));
}

void TwipLabel::SetFontPoints(float points) {
  points_ = points;
  QFont resized = font();
  resized.setPixelSize(form::FontPixels(points));
  setFont(resized);
  followCaption();
}

form::SizedLabel::CaptionTwips TwipLabel::measureCaption() const {
  const QFontMetrics metrics(font());
  return {form::FromPixels(metrics.horizontalAdvance(text())), form::FromPixels(metrics.height())};
}

void TwipLabel::fitFontToBox() {
  QFont fitting = font();
  const int designPixels = form::FontPixels(points_);
  fitting.setPixelSize(designPixels);
  const int fullAscent = QFontMetrics(fitting).ascent();
  const int pixels =
      form::FontPixelsToFit(designPixels, twips::toPixelRect(box_).width(), [&](int size) {
        fitting.setPixelSize(size);
        return QFontMetrics(fitting).horizontalAdvance(text());
      });
  fitting.setPixelSize(pixels);
  setFont(fitting);
  // A shrunk caption keeps the baseline of a full-size one, so its digits stand on the line of
  // the "мин" and "сек" beside them.
  setContentsMargins(0, fullAscent - QFontMetrics(fitting).ascent(), 0, 0);
}

void TwipLabel::place() { setGeometry(twips::toPixelRect(box_)); }
