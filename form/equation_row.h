// The equation of the current task, x² + p·x + q = 0, drawn by seven labels standing edge to
// edge and centred on a fixed middle line of the window, whatever toolkit draws the labels.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace form {

// One label of the row as the row sees it. Each label sizes itself to its caption in its
// current font; a width set on it holds until its caption or font change again.
class RowLabel {
 public:
  virtual ~RowLabel() = default;
  virtual std::string Caption() const = 0;  // UTF-8
  virtual void SetCaption(std::string_view utf8) = 0;
  virtual float FontPoints() const = 0;
  virtual void SetFontPoints(float points) = 0;
  virtual float LeftTwips() const = 0;
  virtual float WidthTwips() const = 0;
  virtual void SetLeftTwips(float left) = 0;
  virtual void SetWidthTwips(float width) = 0;
};

// The seven labels in display order.
inline constexpr std::array<std::string_view, 7> kEquationLabels = {
    "Lbla", "Lblxx", "LblSt2", "Lblb", "Lblx", "Lblc", "Lbl0"};

// "+5", "+" alone for 1, "-" alone for -1, "-9": the p term, directly before the x.
std::string PTermCaption(std::int16_t p);
// "+14", "-14": the q term always shows its digits.
std::string QTermCaption(std::int16_t q);

class EquationRow {
 public:
  // The row centres on 5750 twips whatever the window's width: twice the middle is 11500.
  static constexpr float kTwiceMiddle = 11500;

  // The labels in display order, as kEquationLabels names them.
  explicit EquationRow(const std::array<RowLabel*, 7>& labels) : labels_(labels) {}

  // The sizes the row is drawn in, set once at load.
  void SetupEquationFonts();
  // Writes the p and q terms, then lays the row out afresh.
  void ShowEquation(std::int16_t p, std::int16_t q);
  void Arrange();

  const std::array<RowLabel*, 7>& labels() const { return labels_; }

 private:
  RowLabel& lbla() const { return *labels_[0]; }
  RowLabel& lblxx() const { return *labels_[1]; }
  RowLabel& lblSt2() const { return *labels_[2]; }
  RowLabel& lblb() const { return *labels_[3]; }
  RowLabel& lblx() const { return *labels_[4]; }
  RowLabel& lblc() const { return *labels_[5]; }
  RowLabel& lbl0() const { return *labels_[6]; }

  std::array<RowLabel*, 7> labels_;
};

}  // namespace form
