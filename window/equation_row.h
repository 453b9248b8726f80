// The equation of the current task, x² + p·x + q = 0, drawn by seven labels standing edge to
// edge and centred on a fixed middle line of the window.
#pragma once

#include <QString>
#include <array>
#include <cstdint>

class QWidget;
class TwipLabel;

// "+5", "+" alone for 1, "-" alone for -1, "-9": the p term, directly before the x.
QString PTermCaption(std::int16_t p);
// "+14", "-14": the q term always shows its digits.
QString QTermCaption(std::int16_t q);

class EquationRow {
 public:
  // The row centres on 5750 twips whatever the window's width: twice the middle is 11500.
  static constexpr float kTwiceMiddle = 11500;

  // Finds the seven labels among the window's children by name.
  explicit EquationRow(const QWidget& window);

  // The sizes the row is drawn in, set once at load.
  void SetupEquationFonts();
  // Writes the p and q terms, then lays the row out afresh.
  void ShowEquation(std::int16_t p, std::int16_t q);
  void Arrange();

  // In display order: Lbla, Lblxx, LblSt2, Lblb, Lblx, Lblc, Lbl0.
  std::array<TwipLabel*, 7> labels() const {
    return {lbla_, lblxx_, lblSt2_, lblb_, lblx_, lblc_, lbl0_};
  }

 private:
  TwipLabel* lbla_;
  TwipLabel* lblxx_;
  TwipLabel* lblSt2_;
  TwipLabel* lblb_;
  TwipLabel* lblx_;
  TwipLabel* lblc_;
  TwipLabel* lbl0_;
};
