#include "form/equation_row.h"

#include <cstdlib>

namespace form {
namespace {

std::string sign(int value) { return value < 0 ? "-" : "+"; }

}  // namespace

std::string PTermCaption(std::int16_t p) {
  const int magnitude = std::abs(p);
  return magnitude == 1 ? sign(p) : sign(p) + std::to_string(magnitude);
}

std::string QTermCaption(std::int16_t q) { return sign(q) + std::to_string(std::abs(q)); }

void EquationRow::SetupEquationFonts() {
  lblxx().SetFontPoints(54);
  for (RowLabel* same : {&lblx(), &lbla(), &lblb(), &lblc(), &lbl0()}) {
    same->SetFontPoints(lblxx().FontPoints());
  }
  // The exponent is a little over half the size of the x it belongs to.
  lblSt2().SetFontPoints(static_cast<float>(static_cast<double>(lblxx().FontPoints()) / 2 + 5));
}

void EquationRow::ShowEquation(std::int16_t p, std::int16_t q) {
  lblb().SetCaption(PTermCaption(p));
  lblc().SetCaption(QTermCaption(q));
  Arrange();
}

void EquationRow::Arrange() {
  // The empty first label only marks where the row begins.
  lbla().SetCaption("");
  lbla().SetWidthTwips(1);

  float totalWidth = 0;
  for (const RowLabel* each : labels_) totalWidth += each->WidthTwips();
  lbla().SetLeftTwips((kTwiceMiddle - totalWidth) / 2);

  for (std::size_t i = 1; i < labels_.size(); ++i) {
    const RowLabel& before = *labels_[i - 1];
    labels_[i]->SetLeftTwips(before.LeftTwips() + before.WidthTwips());
  }
}

}  // namespace form
