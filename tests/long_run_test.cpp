// Whole runs through the window, with mouse and keyboard: all 500 tasks, past sign patterns that
// run out of equations; an hour on one task; a total time past 100 minutes.
#include <QApplication>
#include <QFontMetrics>
#include <QImage>
#include <QLocale>
#include <cmath>
#include <cstdlib>
#include <map>
#include <ostream>
#include <set>
#include <string>

#include "drill_run.h"
#include "window_fixture.h"

// Texts in failure messages as text.
static void PrintTo(const QString& text, std::ostream* out) { *out << text.toStdString(); }

namespace {

// The pupil's own arithmetic: the whole roots of x² + p·x + q = 0 as the equation row shows it,
// smaller magnitude first; {0, 0} when there are none.
Roots SolveShown(const QString& pTerm, const QString& qTerm) {
  const int p = pTerm == "+" ? 1 : pTerm == "-" ? -1 : pTerm.toInt();
  const int q = qTerm.toInt();
  for (int a = -9; a <= 9; ++a) {
    for (int b = -9; b <= 9; ++b) {
      if (a != 0 && std::abs(a) < std::abs(b) && a + b == -p && a * b == q) return {a, b};
    }
  }
  return {0, 0};
}

// The lowest row of a label's box where its caption leaves ink (pixels of another colour than the
// label's face); -1 when there is none.
int lowestInk(const QImage& shot, const QRect& box) {
  const QRgb face = shot.pixel(box.topLeft());
  for (int y = box.bottom(); y >= box.top(); --y) {
    for (int x = box.left(); x <= box.right(); ++x) {
      if (shot.pixel(x, y) != face) return y;
    }
  }
  return -1;
}

// The window on a random source that gives up instead of drawing for ever, so that a draw that
// can never succeed fails the test rather than hanging it.
class LongRun : public WindowTest {
 protected:
  void SetUp() override {
    auto random = std::make_unique<BoundedRandom>();
    random_ = random.get();
    window_ = std::make_unique<Form1>(std::move(random));
    window_->show();
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  }

  QWidget* focus() { return QApplication::focusWidget(); }
  void Press(Qt::Key key) { QTest::keyClick(focus() ? focus() : window_.get(), key); }
  Roots Shown() { return SolveShown(caption("Lblb"), caption("Lblc")); }
  void Tick(int seconds) {
    ASSERT_TRUE(timerRunning());
    for (int i = 0; i < seconds; ++i) emit window_->timer1().tick();
  }
  void AnswerShown() {
    Answer(std::to_string(Shown().first).c_str(), std::to_string(Shown().second).c_str());
  }
};

// Tasks 144 to 284 ask for task 144's sign pattern 36 times, which uses up its 36 equations;
// task 285 asks for it a 37th time before the history is next emptied, at task 288. Tasks 288 to
// 429 do the same with another pattern. The run goes on through both to its 500th task, and the
// counters, rating and grade agree with the pupil's own count.
TEST_F(LongRun, SolvesAllFiveHundredTasksPastSignPatternsThatRanOutOfEquations) {
  // Rows forced at Next from a task: 1234 gives task 144 pattern 1; 4123 gives task 285 pattern
  // 1 again and task 288 pattern 4; 3412 gives task 429 pattern 4 again.
  const std::map<int, int> rowAfter = {{140, 1}, {284, 13}, {428, 19}};
  const std::map<int, int> asked37thTime = {{285, 1}, {429, 4}};  // task: its pattern
  std::map<int, Roots> shown;
  int firstTries = 0;
  int wrong = 0;
  int scoreSum = 0;
  Press(Qt::Key_Return);  // Start
  for (int task = 1; task <= drill::kTasksPerRun; ++task) {
    SCOPED_TRACE(task);
    ASSERT_EQ(focus(), box("Text4"));
    const Roots roots = shown[task] = Shown();
    ASSERT_NE(roots, Roots(0, 0)) << "no equation with whole roots on screen";
    if (const auto pattern = asked37thTime.find(task); pattern != asked37thTime.end()) {
      std::set<Roots> used;
      for (int t = task - 141; t < task; ++t) {
        if (PatternOf(shown[t]) == pattern->second) used.insert(shown[t]);
      }
      EXPECT_EQ(used.size(), 36u) << "the pattern still had an equation left";
      EXPECT_EQ(PatternOf(roots), pattern->second);
    }

    // Some tasks are first answered wrongly, once or several times; roots are never 0.
    const int wrongs = task % 97 == 0 ? 9 : task % 11 == 0 ? 3 : task % 7 == 0 ? 1 : 0;
    const std::string first = std::to_string(task % 3 ? roots.first : roots.second);
    const std::string second = std::to_string(task % 3 ? roots.second : roots.first);
    const bool byKeyboard = task % 2 == 1 && task != drill::kTasksPerRun;
    for (int attempt = 0; attempt <= wrongs; ++attempt) {
      const bool right = attempt == wrongs;
      if (byKeyboard) {
        QTest::keyClicks(focus(), right ? first.c_str() : "0");
        Press(Qt::Key_Return);
        QTest::keyClicks(focus(), right ? second.c_str() : "0");
        Press(Qt::Key_Return);
      } else {
        QTest::mouseClick(box("Text4"), Qt::LeftButton);
        QTest::keyClicks(box("Text4"), right ? first.c_str() : "0");
        QTest::mouseClick(box("Text5"), Qt::LeftButton);
        QTest::keyClicks(box("Text5"), right ? second.c_str() : "0");
        QTest::mouseClick(button("Command1"), Qt::LeftButton);
      }
      ASSERT_EQ(caption("Label12"), right ? "Правильно!" : "Неправильно!");
    }
    firstTries += wrongs == 0 ? 1 : 0;
    wrong += wrongs;
    scoreSum += static_cast<int>(std::nearbyint(5.0 / (wrongs + 1)));  // halves to even
    if (task == drill::kTasksPerRun) break;

    if (rowAfter.contains(task)) random_->ScriptRow(rowAfter.at(task));
    if (task % 2) {
      Press(Qt::Key_Enter);
    } else {
      QTest::mouseClick(button("Command3"), Qt::LeftButton);
    }
    ASSERT_EQ(random_->ScriptLeft(), 0u) << "the forced row was not drawn at this Next";
  }

  // The run is complete, and no key, not even one on the Check button clicked last, changes it.
  for (Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter, Qt::Key_Tab, Qt::Key_Space}) {
    Press(key);
  }
  const int tenths = TenthsOfAverage(scoreSum, drill::kTasksPerRun);
  const std::string separator = QLocale().decimalPoint().toStdString();
  EXPECT_EQ(box("Text1")->text(), QString::number(drill::kTasksPerRun));
  EXPECT_EQ(box("Text2")->text(), QString::number(firstTries));
  EXPECT_EQ(box("Text3")->text(), QString::number(wrong));
  EXPECT_EQ(caption("Label6").toStdString(), TenthsText(tenths, separator));
  EXPECT_EQ(caption("Label4"), QString::number(GradeOfTenths(tenths)));
  EXPECT_EQ(caption("Label12"), "Правильно!");
  EXPECT_TRUE(button("Command1")->isHidden());
  EXPECT_TRUE(button("Command3")->isHidden());
  EXPECT_FALSE(box("Text4")->isEnabled());
  EXPECT_FALSE(box("Text5")->isEnabled());
  EXPECT_FALSE(timerRunning());
}

// An hour on one task: after 59:59 the stopwatch goes round to 00 with its minutes hidden, and
// they come back at the next full minute.
TEST_F(LongRun, TaskStopwatchGoesRoundAfterFiftyNineMinutesFiftyNineSeconds) {
  Start(2, 7);
  Tick(59 * 60 + 59);
  EXPECT_EQ(caption("Label14"), "59");
  EXPECT_EQ(caption("Label16"), "59");
  EXPECT_TRUE(label("Label16")->isVisible());
  Tick(1);
  EXPECT_EQ(caption("Label14"), "00");
  EXPECT_FALSE(label("Label15")->isVisible());
  EXPECT_FALSE(label("Label16")->isVisible());
  EXPECT_EQ(caption("Label16"), "0");
  Tick(60);
  EXPECT_EQ(caption("Label14"), "00");
  EXPECT_TRUE(label("Label15")->isVisible());
  EXPECT_TRUE(label("Label16")->isVisible());
  EXPECT_EQ(caption("Label16"), "1");
}

// Tasks of about 40 minutes each take the total past 100 minutes; its digits stay whole in the
// box, which keeps its place and size.
TEST_F(LongRun, TotalTimePassesOneHundredMinutesAndStaysReadableInItsBox) {
  TwipLabel* minutes = label("Label21");
  const QRect place = minutes->geometry();
  int totalSeconds = 0;
  Start(2, 7);
  for (int taskSeconds : {40 * 60 + 30, 40 * 60 + 45, 39 * 60 + 50}) {
    Tick(taskSeconds);
    AnswerShown();
    Next(3, 5);
    totalSeconds += taskSeconds;
    EXPECT_EQ(caption("Label21"), QString::number(totalSeconds / 60));
    EXPECT_EQ(caption("Label19"), QString::asprintf("%02d", totalSeconds % 60));
    EXPECT_EQ(caption("Label14"), "00");
  }
  ASSERT_GE(totalSeconds / 60, 100) << "the tasks must add up to 100 minutes or more";
  EXPECT_EQ(minutes->geometry(), place);
  EXPECT_LE(QFontMetrics(minutes->font()).horizontalAdvance(minutes->text()), place.width());
  EXPECT_GE(minutes->font().pixelSize(), 6);

  // The smaller digits stand on the baseline of "мин" beside them, not at the top of the strip.
  QApplication::processEvents();
  const QImage shot = window_->grab().toImage();
  EXPECT_EQ(lowestInk(shot, minutes->geometry()), lowestInk(shot, label("Label20")->geometry()));
}

}  // namespace
