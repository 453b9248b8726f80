// A pupil's road through the window: Start, typing, Check, wrong and right answers, Next.
#include <QContextMenuEvent>
#include <QTimer>

#include "form/answer_box.h"
#include "window_fixture.h"

namespace {

using PupilRoad = WindowTest;

TEST_F(PupilRoad, StartShowsTheFirstEquationAndHidesStartForGood) {
  Start(2, 7);
  EXPECT_EQ(caption("Lblb"), "-9");
  EXPECT_EQ(caption("Lblc"), "+14");
  EXPECT_FALSE(button("Command2")->isVisible());
  EXPECT_TRUE(box("Text4")->isEnabled());
  EXPECT_TRUE(box("Text5")->isEnabled());
  EXPECT_EQ(window_->focusWidget(), box("Text4"));
  EXPECT_TRUE(timerRunning());
  EXPECT_FALSE(button("Command1")->isVisible());
}

// Check appears only once both boxes hold text, at the first character of the second one.
TEST_F(PupilRoad, CheckAppearsAtTheFirstCharacterOfTheSecondBox) {
  Start(2, 7);
  QTest::keyClicks(box("Text4"), "-27");
  EXPECT_FALSE(button("Command1")->isVisible());
  QTest::keyClick(box("Text5"), Qt::Key_2);
  EXPECT_TRUE(button("Command1")->isVisible());
  // Emptying a box again does not take Check away.
  box("Text5")->clear();
  EXPECT_TRUE(button("Command1")->isVisible());
}

TEST_F(PupilRoad, WrongAnswerEmptiesBothBoxesAndHidesCheck) {
  Start(2, 7);
  Answer("2", "2");
  EXPECT_EQ(caption("Label12"), "Неправильно!");
  EXPECT_EQ(box("Text4")->text(), "");
  EXPECT_EQ(box("Text5")->text(), "");
  EXPECT_TRUE(box("Text4")->isEnabled());
  EXPECT_FALSE(button("Command1")->isVisible());
  EXPECT_FALSE(button("Command3")->isVisible());
  EXPECT_EQ(box("Text3")->text(), "1");
  EXPECT_TRUE(timerRunning());
  // Typing both again brings Check back.
  QTest::keyClicks(box("Text4"), "7");
  QTest::keyClicks(box("Text5"), "2");
  EXPECT_TRUE(button("Command1")->isVisible());
}

TEST_F(PupilRoad, CorrectAnswerInEitherOrderLocksTheBoxesAndOffersOnlyNext) {
  Start(2, 7);
  Answer("7", "2");
  EXPECT_EQ(caption("Label12"), "Правильно!");
  EXPECT_FALSE(box("Text4")->isEnabled());
  EXPECT_FALSE(box("Text5")->isEnabled());
  EXPECT_EQ(box("Text4")->text(), "7");  // the solved answer stays on screen
  EXPECT_TRUE(button("Command3")->isVisible());
  EXPECT_FALSE(button("Command1")->isVisible());
  EXPECT_FALSE(button("Command2")->isVisible());
  EXPECT_FALSE(timerRunning());
  EXPECT_EQ(box("Text1")->text(), "1");
  EXPECT_EQ(box("Text2")->text(), "1");
}

TEST_F(PupilRoad, NextClearsTheTaskAndRestartsTheStopwatch) {
  Start(2, 7);
  for (int second = 0; second < 75; ++second) emit window_->timer1().tick();
  EXPECT_EQ(caption("Label14"), "15");
  EXPECT_TRUE(label("Label16")->isVisible());
  Answer("2", "7");
  Next(3, 5);  // task 2 takes both roots negative: x²+8x+15=0
  EXPECT_EQ(caption("Lblb"), "+8");
  EXPECT_EQ(caption("Lblc"), "+15");
  EXPECT_EQ(caption("Label12"), "");
  EXPECT_EQ(box("Text4")->text(), "");
  EXPECT_TRUE(box("Text4")->isEnabled());
  EXPECT_EQ(window_->focusWidget(), box("Text4"));
  EXPECT_EQ(caption("Label14"), "00");
  EXPECT_FALSE(label("Label16")->isVisible());
  EXPECT_EQ(caption("Label21"), "1");
  EXPECT_EQ(caption("Label19"), "15");
  EXPECT_TRUE(timerRunning());
  EXPECT_FALSE(button("Command3")->isVisible());
}

// Six tasks, the last solved at the second attempt: 5+5+5+5+5+2 = 27 points, rating 4.5,
// grade 5, with the rating in the pupil's own decimal separator.
TEST_F(PupilRoad, ShowsRatingAndGradeFromTheSixthTask) {
  const int roots[6][2] = {{2, 7}, {3, 5}, {1, 4}, {6, 8}, {2, 9}, {4, 5}};
  Start(roots[0][0], roots[0][1]);
  for (int task = 0; task < 6; ++task) {
    if (task > 0) Next(roots[task][0], roots[task][1]);
    const auto& state = window_->drillState();
    if (task == 5) Answer("0", "0");
    Answer(std::to_string(state.X1).c_str(), std::to_string(state.X2).c_str());
    if (task < 5) {
      EXPECT_EQ(caption("Label6"), "0");
    }
  }
  const QString separator = QLocale().decimalPoint();
  EXPECT_EQ(caption("Label6"), "4" + separator + "5");
  EXPECT_EQ(caption("Label4"), "5");
  EXPECT_EQ(box("Text1")->text(), "6");
  EXPECT_EQ(box("Text2")->text(), "5");
  EXPECT_EQ(box("Text3")->text(), "1");
}

// Whatever is typed or pasted is read only when Check is pressed. A pasted megabyte is cut at
// the boxes' limit, far beyond any answer, and what it starts with still counts.
TEST_F(PupilRoad, AnswerBoxesTakeLongPastesUpToTheirLimit) {
  Start(2, 7);
  box("Text4")->insert(QStringLiteral("2") + QString(1'000'000, QChar(0x0451)));  // ё
  box("Text5")->insert(QStringLiteral("абв"));
  EXPECT_EQ(box("Text4")->text().size(), qsizetype(form::kAnswerBoxLimit));
  QTest::mouseClick(button("Command1"), Qt::LeftButton);
  EXPECT_EQ(caption("Label12"), "Неправильно!");
  EXPECT_EQ(box("Text3")->text(), "1");
  box("Text4")->insert(QStringLiteral("2") + QString(1'000'000, QChar('7')));
  box("Text5")->insert(QStringLiteral("7"));
  EXPECT_EQ(box("Text4")->text().size(), qsizetype(form::kAnswerBoxLimit));
  QTest::mouseClick(button("Command1"), Qt::LeftButton);
  EXPECT_EQ(caption("Label12"), "Неправильно!") << "2777... is no root";
  box("Text4")->insert(QStringLiteral("7 ") + QString(1'000'000, QChar('9')));
  box("Text5")->insert(QStringLiteral("2"));
  QTest::mouseClick(button("Command1"), Qt::LeftButton);
  EXPECT_EQ(caption("Label12"), "Правильно!");
}

}  // namespace
