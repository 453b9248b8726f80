#include "window/equation_row.h"

#include <QWidget>
#include <cstdlib>

#include "window/twip_label.h"

namespace {

TwipLabel* label(const QWidget& window, const char* name) {
  return window.findChild<TwipLabel*>(QString::fromLatin1(name));
}

QString sign(int value) { return value < 0 ? QStringLiteral("-") : QStringLiteral("+"); }

}  // namespace

QString PTermCaption(std::int16_t p) {
  const int magnitude = std::abs(p);
  return magnitude == 1 ? sign(p) : sign(p) + QString::number(magnitude);
}

QString QTermCaption(std::int16_t q) { return sign(q) + QString::number(std::abs(q)); }

EquationRow::EquationRow(const QWidget& window)
    : lbla_(label(window, "Lbla")),
      lblxx_(label(window, "Lblxx")),
      lblSt2_(label(window, "LblSt2")),
      lblb_(label(window, "Lblb")),
      lblx_(label(window, "Lblx")),
      lblc_(label(window, "Lblc")),
      lbl0_(label(window, "Lbl0")) {}

void EquationRow::SetupEquationFonts() {
  lblxx_->setFontPoints(54);
  for (TwipLabel* same : {lblx_, lbla_, lblb_, lblc_, lbl0_}) {
    same->setFontPoints(lblxx_->fontPoints());
  }
  // The exponent is a little over half the size of the x it belongs to.
  lblSt2_->setFontPoints(static_cast<float>(static_cast<double>(lblxx_->fontPoints()) / 2 + 5));
}

void EquationRow::ShowEquation(std::int16_t p, std::int16_t q) {
  lblb_->setCaption(PTermCaption(p));
  lblc_->setCaption(QTermCaption(q));
  Arrange();
}

void EquationRow::Arrange() {
  // The empty first label only marks where the row begins.
  lbla_->setCaption(QString());
  lbla_->setWidthTwips(1);

  const std::array<TwipLabel*, 7> row = labels();
  float totalWidth = 0;
  for (const TwipLabel* each : row) totalWidth += each->widthTwips();
  lbla_->setLeftTwips((kTwiceMiddle - totalWidth) / 2);

  for (std::size_t i = 1; i < row.size(); ++i) {
    const TwipLabel* before = row[i - 1];
    row[i]->setLeftTwips(before->leftTwips() + before->widthTwips());
  }
}
