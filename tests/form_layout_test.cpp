// What both windows take from the design, checked without a toolkit: the control table, twips,
// labels that follow their captions, and the equation row.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "equation_row_fault.h"
#include "form/control_table.h"
#include "form/equation_row.h"
#include "form/label_box.h"
#include "form/twips.h"

namespace {

TEST(ControlTable, HoldsTheThirtyNineControlsWithTheirTabOrder) {
  std::set<std::string> names;
  std::vector<const form::ControlRow*> focusable;
  for (const form::ControlRow& row : form::ControlTable()) {
    names.insert(row.name);
    if (row.kind == form::ControlKind::Button || row.kind == form::ControlKind::TextBox) {
      focusable.push_back(&row);
    }
    EXPECT_EQ(form::FindControl(row.name), &row);
  }
  EXPECT_EQ(names.size(), 39u);
  EXPECT_EQ(form::FindControl("Label22"), nullptr);

  // Tab goes Check, first box, second box, then the counters (never enabled), Start, Next.
  std::sort(focusable.begin(), focusable.end(),
            [](const form::ControlRow* a, const form::ControlRow* b) {
              return a->tabIndex < b->tabIndex;
            });
  std::string order;
  for (const form::ControlRow* row : focusable) order += std::string(row->name) + " ";
  EXPECT_EQ(order, "Command1 Text4 Text5 Text1 Text2 Text3 Command2 Command3 ");
}

// What stands in front of what, on each parent: pairs of (in front, behind).
TEST(ControlTable, StacksButtonsBoxesAndTheFrameOverLabelsAndEarlierRowsOverLater) {
  const auto position = [](form::Parent parent, std::string_view name) {
    const std::vector<const form::ControlRow*> rows = form::FrontToBack(parent);
    const auto found = std::find_if(rows.begin(), rows.end(),
                                    [&](const form::ControlRow* row) { return row->name == name; });
    return found == rows.end() ? -1 : static_cast<int>(found - rows.begin());
  };
  struct Case {
    form::Parent parent;
    const char* front;
    const char* behind;
  };
  using enum form::Parent;
  const Case cases[] = {
      {Window, "Label9", "Label8"},    // a subscript in the blank of its "x ="
      {Window, "Label10", "Label11"},  //
      {Window, "Text4", "Label8"},     // a box over a label listed before it
      {Window, "Frame1", "Label21"},   //
      {Window, "Command3", "Command2"},
      {Window, "Label4", "Shape1"},  // the grade inside its outline
      {Frame1, "Text3", "Label3"},
      {EquationRow, "Lbla", "Lbl0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.front) + " over " + c.behind);
    ASSERT_GE(position(c.parent, c.behind), 0);
    EXPECT_LT(position(c.parent, c.front), position(c.parent, c.behind));
  }
  // Every control but the timer stands on exactly one parent.
  EXPECT_EQ(form::FrontToBack(Window).size() + form::FrontToBack(Frame1).size() +
                form::FrontToBack(EquationRow).size(),
            38u);
  EXPECT_EQ(position(Window, "Timer1"), -1);
}

TEST(Twips, RoundEachEdgeSoNeighboursShareTheirPixelEdgeAtAnyDpi) {
  struct Case {
    const char* name;
    int dpi;
    float left, width;
    form::PixelRect expected;
  };
  const Case cases[] = {
      {"96 dpi, whole pixels", 96, 10080, 1575, {672, 0, 105, 0}},
      {"96 dpi, half a pixel", 96, 2887.5f, 15, {193, 0, 1, 0}},
      {"192 dpi doubles", 192, 10080, 1575, {1344, 0, 210, 0}},
      {"144 dpi", 144, 120, 1575, {12, 0, 158, 0}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(form::ToPixelRect(c.left, 0, c.width, 0, c.dpi), c.expected);
    // The right neighbour begins on the very pixel where this box ends.
    EXPECT_EQ(form::ToPixelRect(c.left + c.width, 0, 100, 0, c.dpi).x,
              c.expected.x + c.expected.width);
  }
  EXPECT_EQ(form::ToPixels(form::kClientWidthTwips, 192), 1584);
  EXPECT_EQ(form::ToPixels(form::kClientHeightTwips, 192), 1136);
  EXPECT_EQ(form::FontPixels(14.25f), 19);
  EXPECT_EQ(form::FontPixels(14.25f, 192), 38);
}

TEST(LabelBox, FitsItsCaptionAboutTheEdgeOrCentreItsAlignmentNames) {
  const form::TwipBox designed{5925, 6240, 285, 825};
  struct Case {
    form::Align align;
    float left;
  };
  const Case cases[] = {{form::Align::Left, 5925},
                        {form::Align::Centre, 5925 - 857.5f},
                        {form::Align::Right, 5925 - 1715}};
  for (const Case& c : cases) {
    const form::TwipBox fitted = form::FitToCaption(designed, c.align, 2000, 900);
    EXPECT_FLOAT_EQ(fitted.left, c.left);
    EXPECT_FLOAT_EQ(fitted.width, 2000);
    EXPECT_FLOAT_EQ(fitted.height, 900);
    EXPECT_FLOAT_EQ(fitted.top, 6240);
  }
}

TEST(LabelBox, ShrinksAFontOnlyAsFarAsTheCaptionNeeds) {
  const auto threeDigits = [](int pixels) { return 3 * pixels * 6 / 10; };  // 0.6 em each
  EXPECT_EQ(form::FontPixelsToFit(21, 25, threeDigits), 14);  // 25 wide at 14, 27 at 15
  EXPECT_EQ(form::FontPixelsToFit(21, 100, threeDigits), 21);
  EXPECT_EQ(form::FontPixelsToFit(21, 0, threeDigits), 1);
}

// A label of a fixed-pitch font: every character is 0.6 em wide, so a caption's width in twips
// is characters x points x 20 x 0.6; like a real label it sizes itself to its caption.
class FixedPitchLabel : public form::RowLabel {
 public:
  FixedPitchLabel(std::string caption, float points)
      : caption_(std::move(caption)), points_(points) {
    fit();
  }
  std::string Caption() const override { return caption_; }
  void SetCaption(std::string_view utf8) override {
    caption_ = utf8;
    fit();
  }
  float FontPoints() const override { return points_; }
  void SetFontPoints(float points) override {
    points_ = points;
    fit();
  }
  float LeftTwips() const override { return left_; }
  float WidthTwips() const override { return width_; }
  void SetLeftTwips(float left) override { left_ = left; }
  void SetWidthTwips(float width) override { width_ = width; }

 private:
  void fit() { width_ = static_cast<float>(caption_.size()) * points_ * 12; }
  std::string caption_;
  float points_;
  float left_ = 0;
  float width_ = 0;
};

class FakeEquationRow : public testing::Test {
 protected:
  FixedPitchLabel lbla{"", 69.75f}, lblxx{"x", 69.75f}, lblSt2{"2", 39.75f}, lblb{"+p", 69.75f},
      lblx{"x", 69.75f}, lblc{"+q", 69.75f}, lbl0{"=0", 69.75f};
  form::EquationRow row{{&lbla, &lblxx, &lblSt2, &lblb, &lblx, &lblc, &lbl0}};

  std::string fault() const {
    // The fake's pixels are its twips at 96 dpi, rounded edge by edge like the windows' own.
    return EquationRowFault(row, [&](std::size_t i) {
      const form::RowLabel& label = *row.labels()[i];
      return std::pair(form::ToPixels(label.LeftTwips()),
                       form::ToPixels(label.LeftTwips() + label.WidthTwips()));
    });
  }
};

TEST_F(FakeEquationRow, SetsTheLoadSizesFromTheXAndTheExponentFromIt) {
  row.SetupEquationFonts();
  for (const form::RowLabel* label : row.labels()) {
    if (label != &lblSt2) {
      EXPECT_EQ(label->FontPoints(), 54);
    }
  }
  EXPECT_EQ(lblSt2.FontPoints(), 32);  // 54 / 2 + 5
}

TEST_F(FakeEquationRow, LaysEveryEquationOutEdgeToEdgeAboutTheMiddle) {
  row.SetupEquationFonts();
  struct Case {
    std::int16_t p, q;
    const char* pTerm;
    const char* qTerm;
  };
  const Case cases[] = {{-9, 14, "-9", "+14"},
                        {1, -12, "+", "-12"},
                        {-1, -12, "-", "-12"},
                        {17, 72, "+17", "+72"},
                        {-17, 2, "-17", "+2"}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.pTerm) + "x" + c.qTerm);
    row.ShowEquation(c.p, c.q);
    EXPECT_EQ(lblb.Caption(), c.pTerm);
    EXPECT_EQ(lblc.Caption(), c.qTerm);
    EXPECT_EQ(fault(), "");
  }
}

// Widths that are no whole number of twips put the row on a fraction of a twip, which the
// arrangement keeps.
TEST_F(FakeEquationRow, KeepsAFractionalLeftEdge) {
  row.SetupEquationFonts();
  lblSt2.SetFontPoints(32.0625f);  // an exponent 0.75 twip wider than a whole number of twips
  row.ShowEquation(-9, 14);
  EXPECT_EQ(fault(), "");
  EXPECT_NE(lbla.LeftTwips(), static_cast<float>(static_cast<int>(lbla.LeftTwips())));
}

TEST(TermCaptions, FollowTheSignRules) {
  struct Case {
    std::int16_t value;
    const char* p;
    const char* q;
  };
  const Case cases[] = {
      {1, "+", "+1"},     {-1, "-", "-1"},     {2, "+2", "+2"},    {-2, "-2", "-2"},
      {17, "+17", "+17"}, {-17, "-17", "-17"}, {72, "+72", "+72"}, {-72, "-72", "-72"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.value);
    EXPECT_EQ(form::PTermCaption(c.value), c.p);
    EXPECT_EQ(form::QTermCaption(c.value), c.q);
  }
}

}  // namespace
