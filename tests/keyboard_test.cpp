// A whole run without the mouse: typing, Return, and the focus always where the next key goes.
#include <QStyleHints>

#include "window_fixture.h"

namespace {

class KeyboardRun : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  }

  // Keys go where the focus is, as they would from a real keyboard.
  void Type(const char* text) { QTest::keyClicks(QApplication::focusWidget(), text); }
  void Return(Qt::Key key = Qt::Key_Return) { QTest::keyClick(QApplication::focusWidget(), key); }
  QWidget* focus() { return QApplication::focusWidget(); }
};

// Types, Return, types, Return, Return: the pupil is on the next equation.
TEST_F(KeyboardRun, SolvesTasksWithTypingAndReturnAlone) {
  random_->ScriptRoots(2, 7);
  Return();  // Start
  EXPECT_EQ(focus(), box("Text4"));
  EXPECT_EQ(caption("Lblb"), "-9");

  Type("2");
  Return();
  EXPECT_EQ(focus(), box("Text5"));
  EXPECT_EQ(box("Text3")->text(), "0");  // moving on counts no attempt
  Type("7");
  random_->ScriptRoots(3, 5);
  Return();  // Check
  EXPECT_EQ(caption("Label12"), "Правильно!");
  EXPECT_EQ(focus(), button("Command3"));
  Return(Qt::Key_Enter);             // the keypad's Enter presses Next too
  EXPECT_EQ(caption("Lblb"), "+8");  // task 2: roots -3 and -5
  EXPECT_EQ(focus(), box("Text4"));

  // A wrong answer sends the pupil back to the first box.
  Type("3");
  Return();
  Type("5");
  Return();
  EXPECT_EQ(caption("Label12"), "Неправильно!");
  EXPECT_EQ(focus(), box("Text4"));

  // The keypad minus and blanks around the number.
  QTest::keyClick(focus(), Qt::Key_Minus, Qt::KeypadModifier);
  Type("5 ");
  Return();
  Type(" -3");
  random_->ScriptRoots(1, 4);
  Return();
  EXPECT_EQ(caption("Label12"), "Правильно!");
  Return();

  // The typographic minus, pasted or typed from a layout that has it.
  box("Text4")->insert(QStringLiteral("\u22124"));
  Return();
  box("Text5")->insert(QStringLiteral("1"));
  Return();
  EXPECT_EQ(caption("Label12"), "Правильно!");  // task 3: roots 1 and -4

  EXPECT_EQ(box("Text1")->text(), "3");
  EXPECT_EQ(box("Text2")->text(), "2");
  EXPECT_EQ(box("Text3")->text(), "1");
}

// Return with Check hidden does nothing but move from a filled first box to an empty second one.
TEST_F(KeyboardRun, ReturnWithoutCheckNeverCountsAnAttempt) {
  random_->ScriptRoots(2, 7);
  Return();
  Return();  // both boxes empty: the focus stays where the first root goes
  EXPECT_EQ(focus(), box("Text4"));
  Type("2");
  Return();
  EXPECT_EQ(focus(), box("Text5"));
  Return();  // in the second box with Check hidden: nothing
  box("Text4")->clear();
  Type("7");
  Return();
  EXPECT_EQ(focus(), box("Text5"));
  EXPECT_EQ(box("Text3")->text(), "0");
  EXPECT_EQ(caption("Label12"), "");
}

// Next appears where Check was. Keys and clicks meant for Check must not press it.
class HurriedPupil : public KeyboardRun {
 protected:
  static constexpr int kDoubleClickMs = 200;
  void SetUp() override {
    KeyboardRun::SetUp();
    QGuiApplication::styleHints()->setMouseDoubleClickInterval(kDoubleClickMs);
  }
  void TearDown() override { QGuiApplication::styleHints()->setMouseDoubleClickInterval(0); }

  // A key event as a platform delivers it, with its timestamp in milliseconds and its repeat
  // flag, which X11 leaves off when the two halves of a repeat arrive apart.
  void Send(QEvent::Type type, Qt::Key key, ulong timestamp, bool flaggedRepeat = false) {
    QKeyEvent event(type, key, Qt::NoModifier, key == Qt::Key_Space ? " " : "\r", flaggedRepeat);
    event.setTimestamp(timestamp);
    QApplication::sendEvent(focus(), &event);
  }
  void Tap(Qt::Key key, ulong timestamp) {
    Send(QEvent::KeyPress, key, timestamp);
    Send(QEvent::KeyRelease, key, timestamp + 60);
  }
  // Starts task 1 (roots 2 and 7) and types its roots with the focus left in the second box.
  void TypeRightAnswer() {
    random_->ScriptRoots(2, 7);
    Tap(Qt::Key_Return, 1000);
    Type("2");
    Tap(Qt::Key_Return, 2000);
    Type("7");
    random_->ScriptRoots(3, 5);
  }
  bool stillSolved() {
    return caption("Label12") == "Правильно!" && button("Command3")->isVisible();
  }
};

TEST_F(HurriedPupil, ReturnHeldDownFromCheckNeverPressesNext) {
  TypeRightAnswer();
  Send(QEvent::KeyPress, Qt::Key_Return, 3000);  // Check, and the key stays down
  ASSERT_TRUE(stillSolved());
  ASSERT_EQ(focus(), button("Command3"));

  Send(QEvent::KeyPress, Qt::Key_Return, 3500, /*flaggedRepeat=*/true);
  Send(QEvent::KeyPress, Qt::Key_Return, 3540);  // a repeat without its flag
  QTest::qWait(kDoubleClickMs + 50);
  Send(QEvent::KeyPress, Qt::Key_Return, 3580);    // still held, long after Next appeared
  Send(QEvent::KeyRelease, Qt::Key_Return, 3620);  // a repeat split in two halves
  Send(QEvent::KeyPress, Qt::Key_Return, 3620);
  EXPECT_TRUE(stillSolved());

  Send(QEvent::KeyRelease, Qt::Key_Return, 3700);  // let go, and pressed anew
  Send(QEvent::KeyPress, Qt::Key_Return, 3900);
  EXPECT_EQ(caption("Label12"), "");
  EXPECT_EQ(caption("Lblb"), "+8");  // task 2
}

TEST_F(HurriedPupil, NextTakesNoPressUntilADoubleClickIntervalAfterItAppeared) {
  TypeRightAnswer();
  QTest::mouseClick(button("Command1"), Qt::LeftButton);
  ASSERT_TRUE(stillSolved());
  // The second click of a double click on Check lands on Next; so may a quick key.
  QTest::mouseDClick(button("Command3"), Qt::LeftButton);
  QTest::mouseClick(button("Command3"), Qt::LeftButton);
  Tap(Qt::Key_Space, 4000);
  Tap(Qt::Key_Return, 4200);
  EXPECT_TRUE(stillSolved());

  QTest::qWait(kDoubleClickMs + 50);
  QTest::mouseClick(button("Command3"), Qt::LeftButton);
  EXPECT_EQ(caption("Lblb"), "+8");
}

// A held Space presses a button once; its repeats, flagged or split, never press Next.
TEST_F(HurriedPupil, SpaceHeldFromCheckNeverPressesNext) {
  TypeRightAnswer();
  button("Command1")->setFocus();
  Send(QEvent::KeyPress, Qt::Key_Space, 3000);
  Send(QEvent::KeyRelease, Qt::Key_Space, 3500);  // the first half of a split repeat: Check
  ASSERT_TRUE(stillSolved());
  ASSERT_EQ(focus(), button("Command3"));
  QTest::qWait(kDoubleClickMs + 50);
  Send(QEvent::KeyPress, Qt::Key_Space, 3500);  // its second half
  Send(QEvent::KeyRelease, Qt::Key_Space, 3540, /*flaggedRepeat=*/true);
  Send(QEvent::KeyPress, Qt::Key_Space, 3540, /*flaggedRepeat=*/true);
  Send(QEvent::KeyRelease, Qt::Key_Space, 3600);  // let go
  EXPECT_TRUE(stillSolved());
  Tap(Qt::Key_Space, 4000);
  EXPECT_EQ(caption("Lblb"), "+8");
}

}  // namespace
