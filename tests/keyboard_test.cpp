// A whole run without the mouse: typing, Return, and the focus always where the next key goes.
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

// Return with Check hidden does nothing but move from the first box to an empty second one.
TEST_F(KeyboardRun, ReturnWithoutCheckNeverCountsAnAttempt) {
  random_->ScriptRoots(2, 7);
  Return();
  Return();  // both boxes empty: on to the second box
  EXPECT_EQ(focus(), box("Text5"));
  Return();  // in the second box with Check hidden: nothing
  Type("7");
  Return();
  EXPECT_EQ(focus(), box("Text5"));
  EXPECT_EQ(box("Text3")->text(), "0");
  EXPECT_EQ(caption("Label12"), "");
}

// Holding Return down does not race from one task through the next.
TEST_F(KeyboardRun, IgnoresAutoRepeatedReturn) {
  random_->ScriptRoots(2, 7);
  Return();
  Type("2");
  Return();
  Type("7");
  Return();
  ASSERT_EQ(focus(), button("Command3"));
  QKeyEvent repeat(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, "\r", /*autorep=*/true);
  QApplication::sendEvent(focus(), &repeat);
  EXPECT_TRUE(button("Command3")->isVisible());
}

}  // namespace
