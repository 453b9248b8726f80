// A monkey at the window: per seed, thousands of random clicks, keys, pasted bytes and stopwatch
// ticks on the real Form1, with everything that must always hold checked after every one of them.
//
// MONKEY_SEEDS (default 3) and MONKEY_FIRST_SEED (default 1) choose the seeds. A failure names
// the seed and the event; MONKEY_FIRST_SEED=<seed> MONKEY_SEEDS=1 replays exactly that run, since
// the monkey's dice and the drill's equations both come from the seed.
#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "form1_equation_row.h"
#include "scripted_random.h"
#include "window/form1.h"
#include "window/second_timer.h"
#include "window/twip_label.h"

namespace {

int EnvInt(const char* name, int fallback) {
  const char* value = std::getenv(name);
  return value && *value ? std::atoi(value) : fallback;
}

std::string Name(const QObject* object) { return object->objectName().toStdString(); }

class Monkey {
 public:
  // A diligent monkey mostly answers and goes on, so it gets to the end of a run.
  Monkey(std::uint32_t seed, bool diligent)
      : dice_(seed), diligent_(diligent), window_(std::make_unique<ScriptedRandom>(seed)) {
    window_.show();
    window_.activateWindow();
    EXPECT_TRUE(QTest::qWaitForWindowActive(&window_));
  }

  // One random act; returns what it was, for the failure message.
  std::string Act() {
    // Weights of: type the roots, click, key, paste, ticks, Return.
    static constexpr int kPlayful[] = {8, 30, 30, 12, 14, 6};
    static constexpr int kDiligent[] = {30, 8, 12, 5, 10, 35};
    const int* weights = diligent_ ? kDiligent : kPlayful;
    int roll = Roll(100);
    int act = 0;
    while (roll >= weights[act]) roll -= weights[act++];
    switch (act) {
      case 0:
        return TypeTheRoots();
      case 1:
        return Click();
      case 2:
        return Key();
      case 3:
        return Paste();
      case 4:
        return Ticks();
      default:
        return Press(Qt::Key_Return, {}, "Return");
    }
  }

  // Follows the run from the engine's counts across one act, then checks the screen against it;
  // returns the first thing that is wrong, or nothing.
  std::string Check() {
    const drill::DrillState& now = window_.drillState();
    started_ = now.X1 != 0;  // Start drew the first equation
    if (now.TaskNo > before_.TaskNo) {
      if (!solved_ || now.TaskNo != before_.TaskNo + 1) return "a task was skipped";
      solved_ = false;
    } else if (now.FirstTryCount > before_.FirstTryCount || now.Attempts < before_.Attempts) {
      if (solved_) return "a solved task was solved again";
      solved_ = true;
      ++solvedTasks;
    }
    wrongAnswers += now.WrongCount - before_.WrongCount;
    before_ = now;
    const bool answering = started_ && !solved_;

    const bool check = !button("Command1")->isHidden();
    const bool next = !button("Command3")->isHidden();
    if (check && next) return "Check and Next are both visible";
    if (check && !answering) return "Check is visible outside answering";
    if (next != (solved_ && now.TaskNo < drill::kTasksPerRun)) return "Next is wrongly shown";
    if (button("Command2")->isHidden() != started_) return "Start is wrongly shown";
    if (box("Text4")->isEnabled() != answering || box("Text5")->isEnabled() != answering) {
      return "the answer boxes are enabled wrongly";
    }
    if (window_.timer1().isEnabled() != answering) return "the stopwatch runs wrongly";
    // Text1 counts the tasks solved, Text2 those at the first try, Text3 the wrong answers.
    const int counts[] = {now.TaskNo - 1 + (solved_ ? 1 : 0), now.FirstTryCount, now.WrongCount};
    for (int i = 0; i < 3; ++i) {
      const std::string name = "Text" + std::to_string(i + 1);
      const QString shown = box(name.c_str())->text();
      if (shown != QString::number(counts[i])) {
        return name + " shows " + shown.toStdString() + ", not " + std::to_string(counts[i]);
      }
    }
    const QString seconds = window_.findChild<TwipLabel*>("Label14")->text();
    if (now.TaskSec < 0 || now.TaskSec > 59 || seconds != QString::asprintf("%02d", now.TaskSec)) {
      return "the task stopwatch shows " + seconds.toStdString();
    }
    return started_ ? EquationRowFault(window_) : std::string();
  }

  bool RunComplete() const { return solved_ && before_.TaskNo == drill::kTasksPerRun; }

  int solvedTasks = 0;
  int wrongAnswers = 0;

 private:
  int Roll(int n) { return std::uniform_int_distribution<int>(0, n - 1)(dice_); }
  QPushButton* button(const char* name) { return window_.findChild<QPushButton*>(name); }
  QLineEdit* box(const char* name) { return window_.findChild<QLineEdit*>(name); }
  QWidget* focus() { return QApplication::focusWidget() ? QApplication::focusWidget() : &window_; }

  // A pupil who has worked the equation out in their head types its roots. This is the only act
  // that looks into the engine, and only for what such a pupil knows; whether the
  // answer counts is still judged by the window and the engine, and the monkey may yet mangle
  // it with its other acts before Check is pressed.
  std::string TypeTheRoots() {
    if (!box("Text4")->isEnabled()) return "no roots to type";
    std::pair<int, int> roots(window_.drillState().X1, window_.drillState().X2);
    if (Roll(2)) std::swap(roots.first, roots.second);
    for (auto [name, root] : {std::pair("Text4", roots.first), std::pair("Text5", roots.second)}) {
      QTest::mouseClick(box(name), Qt::LeftButton);
      QTest::keyClick(box(name), Qt::Key_A, Qt::ControlModifier);  // select all, to type over
      if (root < 0)
        QTest::keyClick(box(name), Qt::Key_Minus, Roll(2) ? Qt::KeypadModifier : Qt::NoModifier);
      QTest::keyClicks(box(name), QByteArray::number(std::abs(root)));
    }
    if (Roll(4) > 0) QTest::keyClick(box("Text5"), Qt::Key_Return);
    return "typed the roots " + std::to_string(roots.first) + " " + std::to_string(roots.second);
  }

  // Half the clicks aim at the middle of a visible control, the rest land anywhere.
  std::string Click() {
    QPoint at(Roll(window_.width()), Roll(window_.height()));
    if (Roll(2)) {
      std::vector<QWidget*> shown;
      for (QWidget* child : window_.findChildren<QWidget*>()) {
        if (child->isVisible()) shown.push_back(child);
      }
      const QWidget* aim = shown[Roll(static_cast<int>(shown.size()))];
      at = aim->mapTo(&window_, aim->rect().center());
    }
    QWidget* target = window_.childAt(at) ? window_.childAt(at) : &window_;
    const QPoint local = target->mapFrom(&window_, at);
    if (Roll(8) == 0) {
      QTest::mouseDClick(target, Qt::LeftButton, {}, local);
    } else {
      QTest::mouseClick(target, Qt::LeftButton, {}, local);
    }
    return "click on " + Name(target) + " at " + std::to_string(at.x()) + "," +
           std::to_string(at.y());
  }

  std::string Press(Qt::Key key, Qt::KeyboardModifiers modifiers, const std::string& name) {
    const std::string to = Name(focus());
    QTest::keyClick(focus(), key, modifiers);
    return "key " + name + " to " + to;
  }

  std::string Key() {
    if (Roll(3) == 0) {
      const int digit = Roll(10);
      return Press(static_cast<Qt::Key>(Qt::Key_0 + digit), {}, std::to_string(digit));
    }
    if (Roll(4) == 0) {
      const int letter = Roll(26);
      return Press(static_cast<Qt::Key>(Qt::Key_A + letter), {}, std::string(1, 'a' + letter));
    }
    static const struct {
      Qt::Key key;
      Qt::KeyboardModifiers modifiers;
      const char* name;
    } keys[] = {
        {Qt::Key_Minus, {}, "-"},
        {Qt::Key_Minus, Qt::KeypadModifier, "keypad -"},
        {Qt::Key_Return, {}, "Return"},
        {Qt::Key_Enter, Qt::KeypadModifier, "Enter"},
        {Qt::Key_Tab, {}, "Tab"},
        {Qt::Key_Backtab, Qt::ShiftModifier, "Shift+Tab"},
        {Qt::Key_Backspace, {}, "Backspace"},
        {Qt::Key_Delete, {}, "Delete"},
        {Qt::Key_Space, {}, "Space"},
        {Qt::Key_Escape, {}, "Escape"},
    };
    const auto& key = keys[Roll(static_cast<int>(std::size(keys)))];
    return Press(key.key, key.modifiers, key.name);
  }

  // Pasted into whichever box has the focus: random bytes, or bits of numbers; now and then long.
  std::string Paste() {
    auto* target = qobject_cast<QLineEdit*>(QApplication::focusWidget());
    if (!target) return "nothing to paste into";
    const int length = Roll(20) == 0 ? 1 + Roll(100'000) : Roll(12);
    static constexpr char16_t kNumberish[] = u"0123456789-\u2212+ .,e\t";
    const bool bytes = Roll(2);
    QByteArray text;
    QString numberBits;
    for (int i = 0; i < length; ++i) {
      if (bytes) {
        text += static_cast<char>(Roll(256));
      } else {
        numberBits += QChar(kNumberish[Roll(static_cast<int>(std::size(kNumberish)) - 1)]);
      }
    }
    target->insert(bytes ? QString::fromUtf8(text) : numberBits);
    return "pasted " + std::to_string(length) + (bytes ? " bytes" : " number bits") + " into " +
           Name(target);
  }

  // The real timer ticks only while enabled; so does the monkey's, a second, a minute or an hour
  // at a time.
  std::string Ticks() {
    if (!window_.timer1().isEnabled()) return "no tick: the stopwatch stands";
    const int roll = Roll(20);
    const int count = roll == 0 ? 3600 : roll < 5 ? 60 : 1;
    for (int i = 0; i < count; ++i) emit window_.timer1().tick();
    return std::to_string(count) + " ticks";
  }

  std::mt19937 dice_;
  bool diligent_;
  Form1 window_;
  drill::DrillState before_ = window_.drillState();
  bool started_ = false;
  bool solved_ = false;
};

// Every third seed is diligent and must finish its run; the others play for a few thousand acts.
TEST(Monkey, KeepsTheScreenTrueToTheRunWhateverIsClickedTypedPastedOrTicked) {
  const int firstSeed = EnvInt("MONKEY_FIRST_SEED", 1);
  const int seeds = EnvInt("MONKEY_SEEDS", 3);
  int solved = 0;
  int wrong = 0;
  int completed = 0;
  for (int seed = firstSeed; seed < firstSeed + seeds; ++seed) {
    const bool diligent = seed % 3 == 0;
    Monkey monkey(static_cast<std::uint32_t>(seed), diligent);
    bool faulty = false;
    int left = diligent ? 9000 : 3000;
    for (int event = 1; left > 0 && !faulty; ++event, --left) {
      const std::string act = monkey.Act();
      if (const std::string fault = monkey.Check(); !fault.empty()) {
        ADD_FAILURE() << "seed " << seed << ", event " << event << " (" << act << "): " << fault
                      << "\nreplay: MONKEY_FIRST_SEED=" << seed << " MONKEY_SEEDS=1";
        faulty = true;
      }
      if (diligent && monkey.RunComplete() && left > 300) left = 300;  // a little past the end
    }
    EXPECT_TRUE(faulty || !diligent || monkey.RunComplete())
        << "seed " << seed << " did not finish its run";
    solved += monkey.solvedTasks;
    wrong += monkey.wrongAnswers;
    completed += monkey.RunComplete() ? 1 : 0;
  }
  std::cout << seeds << " seeds from " << firstSeed << ": " << solved << " tasks solved, " << wrong
            << " wrong answers, " << completed << " runs completed\n";
  // A monkey that never solves or never errs tests little.
  EXPECT_GT(solved, 0);
  EXPECT_GT(wrong, 0);
}

}  // namespace
