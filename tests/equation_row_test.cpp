// The equation row: sign rules of the p and q terms and the layout edge to edge about 5750 twips.
#include <cmath>

#include "form1_equation_row.h"
#include "window_fixture.h"

namespace {

using EquationRowLayout = WindowTest;

// Row 12 gives tasks 1 to 4 the sign patterns 1, 4, 3, 2; with roots 8 and 9 that is p = -17,
// 17, 1, -1 and q = 72, 72, -72, -72: the longest and the shortest terms.
TEST_F(EquationRowLayout, StaysEdgeToEdgeAndCentredAsTermsChangeLength) {
  const char* expected[4][2] = {{"-17", "+72"}, {"+17", "+72"}, {"+", "-72"}, {"-", "-72"}};
  Start(8, 9);
  for (int task = 0; task < 4; ++task) {
    SCOPED_TRACE(task + 1);
    if (task > 0) {
      Answer(std::to_string(window_->drillState().X1).c_str(),
             std::to_string(window_->drillState().X2).c_str());
      Next(9, 8);
    }
    EXPECT_EQ(caption("Lblb"), expected[task][0]);
    EXPECT_EQ(caption("Lblc"), expected[task][1]);
    EXPECT_EQ(EquationRowFault(*window_), "");
  }
}

// When the widths add up to an odd number of twips, the row begins on a half twip, kept as such.
TEST_F(EquationRowLayout, KeepsAHalfTwipLeftEdge) {
  const int rootPairs[][2] = {{8, 9}, {1, 2}, {3, 4}, {1, 9}};
  bool sawHalf = false;
  Start(rootPairs[0][0], rootPairs[0][1]);
  for (int task = 0; task < 4; ++task) {
    if (task > 0) {
      Answer(std::to_string(window_->drillState().X1).c_str(),
             std::to_string(window_->drillState().X2).c_str());
      Next(rootPairs[task][0], rootPairs[task][1]);
    }
    float total = 0;
    for (const form::RowLabel* each : window_->equationRow().labels()) total += each->WidthTwips();
    const float left = window_->equationRow().labels()[0]->LeftTwips();
    EXPECT_EQ(left, (form::EquationRow::kTwiceMiddle - total) / 2);
    if (left != std::floor(left)) {
      EXPECT_EQ(left - std::floor(left), 0.5f);
      sawHalf = true;
    }
  }
  EXPECT_TRUE(sawHalf) << "no equation of this script had an odd total width";
}

// The verdict stays centred on 6067.5 twips and clear of the Next button, whatever it says.
TEST_F(EquationRowLayout, VerdictStaysCentredWhicheverItShows) {
  const auto expectCentred = [&] {
    EXPECT_FLOAT_EQ(label("Label12")->centreTwips(), 6067.5f) << caption("Label12").toStdString();
    EXPECT_LT(label("Label12")->LeftTwips() + label("Label12")->WidthTwips(), 10080);
  };
  expectCentred();
  Start(2, 7);
  Answer("1", "1");
  EXPECT_GT(label("Label12")->WidthTwips(), 285);
  expectCentred();
  Answer("2", "7");
  expectCentred();
  Next(3, 4);
  expectCentred();
}

}  // namespace
