// A whole run of the Win32 window without the mouse: typing, Return, Tab, and the focus always
// where the next key goes; a held key or a double click never goes on to the next task.
#include "win32_window_fixture.h"

namespace {

const KeyEvent kReturn{VK_RETURN};
const KeyEvent kEnter{VK_RETURN, /*extended=*/true};  // the keypad's
const KeyEvent kSpace{VK_SPACE};
const KeyEvent kTab{VK_TAB};

using KeyboardRun = Win32WindowTest;

// Shift as the thread's keyboard state has it, which is what Shift+Tab asks.
void holdShift(bool down) {
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  for (const int shift : {VK_SHIFT, VK_LSHIFT}) keys[shift] = down ? 0x80 : 0;
  SetKeyboardState(keys);
}

// Types, Return, types, Return, Return: the pupil is on the next equation.
TEST_F(KeyboardRun, SolvesTasksWithTypingAndReturnAlone) {
  random_->ScriptRoots(2, 7);
  Tap(kReturn);  // Start
  EXPECT_EQ(focus(), control("Text4"));
  EXPECT_EQ(caption("Lblb"), "-9");

  Type("2");
  Tap(kReturn);
  EXPECT_EQ(focus(), control("Text5"));
  EXPECT_EQ(text("Text3"), "0");  // moving on counts no attempt
  Type("7");
  random_->ScriptRoots(3, 5);
  Tap(kReturn);  // Check
  EXPECT_EQ(caption("Label12"), "Правильно!");
  EXPECT_EQ(focus(), control("Command3"));
  WaitForNext();
  Tap(kEnter);                       // the keypad's Enter presses Next too
  EXPECT_EQ(caption("Lblb"), "+8");  // task 2: roots -3 and -5
  EXPECT_EQ(focus(), control("Text4"));

  // A wrong answer sends the pupil back to the first box.
  Type("3");
  Tap(kReturn);
  Type("5");
  Tap(kReturn);
  EXPECT_EQ(caption("Label12"), "Неправильно!");
  EXPECT_EQ(focus(), control("Text4"));

  // Blanks around the number.
  Type("-5 ");
  Tap(kReturn);
  Type(" -3");
  random_->ScriptRoots(1, 4);
  Tap(kReturn);
  EXPECT_EQ(caption("Label12"), "Правильно!");
  WaitForNext();
  Tap(kReturn);

  // The typographic minus, typed from a layout that has it.
  Type("\u22124");
  Tap(kReturn);
  Type("1");
  Tap(kReturn);
  EXPECT_EQ(caption("Label12"), "Правильно!");  // task 3: roots 1 and -4

  EXPECT_EQ(text("Text1"), "3");
  EXPECT_EQ(text("Text2"), "2");
  EXPECT_EQ(text("Text3"), "1");
}

// Return with Check hidden does nothing but move from a filled first box to an empty second one,
// and an answer box takes neither Return nor Tab as a character.
TEST_F(KeyboardRun, ReturnWithoutCheckNeverCountsAnAttempt) {
  random_->ScriptRoots(2, 7);
  Tap(kReturn);
  Tap(kReturn);  // both boxes empty: the focus stays where the first root goes
  EXPECT_EQ(focus(), control("Text4"));
  Type("2");
  Tap(kReturn);
  EXPECT_EQ(focus(), control("Text5"));
  Tap(kReturn);  // in the second box with Check hidden: nothing
  SetWindowTextW(control("Text4"), L"");
  Type("7");
  Tap(kReturn);
  EXPECT_EQ(focus(), control("Text5"));
  EXPECT_EQ(text("Text3"), "0");
  EXPECT_EQ(caption("Label12"), "");
  Type("\r\t");
  EXPECT_EQ(text("Text5"), "7");
}

// Tab reaches only what can take the focus: before Start that is the Start button alone; then
// the answer boxes, and never a counter.
TEST_F(KeyboardRun, TabMovesOnlyAmongControlsThatTakeTheFocus) {
  EXPECT_EQ(focus(), control("Command2"));
  Tap(kTab);
  EXPECT_EQ(focus(), control("Command2"));

  random_->ScriptRoots(2, 7);
  Tap(kSpace);  // Start, from the keyboard
  ASSERT_EQ(focus(), control("Text4"));
  Tap(kTab);
  EXPECT_EQ(focus(), control("Text5"));
  Tap(kTab);
  EXPECT_EQ(focus(), control("Text4"));
  holdShift(true);
  Tap(kTab);
  holdShift(false);
  EXPECT_EQ(focus(), control("Text5"));
  Type("7");
  TypeInto(control("Text4"), "2");
  ASSERT_TRUE(shown("Command1"));
  Tap(kTab);  // Text5 -> Check, round the end of the order
  EXPECT_EQ(focus(), control("Command1"));

  // A counter gives the focus straight back, and a click on it goes through to the frame.
  ::SetFocus(control("Text1"));
  EXPECT_EQ(focus(), control("Command1"));
  EXPECT_EQ(SendMessageW(control("Text2"), WM_NCHITTEST, 0, 0), HTTRANSPARENT);
}

// Next appears where Check was. Keys and clicks meant for Check must not press it.
class HurriedPupil : public Win32WindowTest {
 protected:
  static constexpr UINT kDoubleClickMs = 200;
  void SetUp() override {
    Win32WindowTest::SetUp();
    saved_ = GetDoubleClickTime();
    SetDoubleClickTime(kDoubleClickMs);
  }
  void TearDown() override {
    SetDoubleClickTime(saved_);
    Win32WindowTest::TearDown();
  }

  // Starts task 1 (roots 2 and 7) and types its roots with the focus left in the second box.
  void TypeRightAnswer() {
    random_->ScriptRoots(2, 7);
    Tap(kReturn);
    Type("2");
    Tap(kReturn);
    Type("7");
    random_->ScriptRoots(3, 5);
  }
  bool stillSolved() { return caption("Label12") == "Правильно!" && shown("Command3"); }

  UINT saved_ = 1;
};

TEST_F(HurriedPupil, ReturnHeldDownFromCheckNeverPressesNext) {
  TypeRightAnswer();
  Press(kReturn);  // Check, and the key stays down
  ASSERT_TRUE(stillSolved());
  ASSERT_EQ(focus(), control("Command3"));

  Press({VK_RETURN, false, /*repeat=*/true});
  Sleep(kDoubleClickMs + 50);
  Press({VK_RETURN, false, /*repeat=*/true});  // still held, long after Next appeared
  EXPECT_TRUE(stillSolved());

  Release(kReturn);  // let go, and pressed anew
  Press(kReturn);
  EXPECT_EQ(caption("Label12"), "");
  EXPECT_EQ(caption("Lblb"), "+8");  // task 2
}

TEST_F(HurriedPupil, NextTakesNoPressUntilADoubleClickIntervalAfterItAppeared) {
  TypeRightAnswer();
  Click(control("Command1"));
  ASSERT_TRUE(stillSolved());
  // The second click of a double click on Check lands on Next; so may a quick key.
  DoubleClick(control("Command3"));
  Click(control("Command3"));
  SendMessageW(control("Command3"), BM_CLICK, 0, 0);
  Tap(kSpace);
  Tap(kReturn);
  EXPECT_TRUE(stillSolved());

  Sleep(kDoubleClickMs + 50);
  Click(control("Command3"));
  EXPECT_EQ(caption("Lblb"), "+8");
}

// A held Space presses a button once, when let go; its repeats never press Next.
TEST_F(HurriedPupil, SpaceHeldOnNextNeverPressesIt) {
  TypeRightAnswer();
  ::SetFocus(control("Command1"));
  Tap(kSpace);  // Check
  ASSERT_TRUE(stillSolved());
  ASSERT_EQ(focus(), control("Command3"));
  Press(kSpace);  // too soon: Next is not pushed, and letting go presses nothing
  Sleep(kDoubleClickMs + 50);
  Press({VK_SPACE, false, /*repeat=*/true});
  Release(kSpace);
  EXPECT_TRUE(stillSolved());
  Tap(kSpace);
  EXPECT_EQ(caption("Lblb"), "+8");
}

// The window losing the keyboard while Return is down must not leave Return held for good.
TEST_F(HurriedPupil, ForgetsHeldKeysWhenTheWindowIsDeactivated) {
  TypeRightAnswer();
  Press(kReturn);  // Check; the release goes to another window
  ASSERT_TRUE(stillSolved());
  SendMessageW(window_->hwnd(), WM_ACTIVATE, WA_INACTIVE, 0);
  SendMessageW(window_->hwnd(), WM_ACTIVATE, WA_ACTIVE, 0);
  Sleep(kDoubleClickMs + 50);
  ::SetFocus(control("Command3"));
  Press(kReturn);
  EXPECT_EQ(caption("Lblb"), "+8");
}

}  // namespace
