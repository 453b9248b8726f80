// A pupil's road through the Win32 window: Start, typing, Check, wrong and right answers, Next;
// the same road and the same screen as the Linux window's.
#include <string>

#include "form/answer_box.h"
#include "win32/text_box.h"
#include "win32_window_fixture.h"

namespace {

using PupilRoad = Win32WindowTest;

TEST_F(PupilRoad, StartShowsTheFirstEquationAndHidesStartForGood) {
  Start(2, 7);
  EXPECT_EQ(caption("Lblb"), "-9");
  EXPECT_EQ(caption("Lblc"), "+14");
  EXPECT_FALSE(shown("Command2"));
  EXPECT_TRUE(enabled("Text4"));
  EXPECT_TRUE(enabled("Text5"));
  EXPECT_EQ(focus(), control("Text4"));
  EXPECT_TRUE(timerRunning());
  EXPECT_FALSE(shown("Command1"));
}

// Check appears only once both boxes hold text, at the first character of the second one.
TEST_F(PupilRoad, CheckAppearsAtTheFirstCharacterOfTheSecondBox) {
  Start(2, 7);
  TypeInto(control("Text4"), "-27");
  EXPECT_FALSE(shown("Command1"));
  TypeInto(control("Text5"), "2");
  EXPECT_TRUE(shown("Command1"));
  // Emptying a box again does not take Check away.
  SetWindowTextW(control("Text5"), L"");
  EXPECT_TRUE(shown("Command1"));
}

TEST_F(PupilRoad, WrongAnswerEmptiesBothBoxesAndHidesCheck) {
  Start(2, 7);
  Answer("2", "2");
  EXPECT_EQ(caption("Label12"), "Неправильно!");
  EXPECT_EQ(text("Text4"), "");
  EXPECT_EQ(text("Text5"), "");
  EXPECT_TRUE(enabled("Text4"));
  EXPECT_FALSE(shown("Command1"));
  EXPECT_FALSE(shown("Command3"));
  EXPECT_EQ(text("Text3"), "1");
  EXPECT_TRUE(timerRunning());
  EXPECT_EQ(focus(), control("Text4"));
  // Typing both again brings Check back.
  TypeInto(control("Text4"), "7");
  TypeInto(control("Text5"), "2");
  EXPECT_TRUE(shown("Command1"));
}

TEST_F(PupilRoad, CorrectAnswerInEitherOrderLocksTheBoxesAndOffersOnlyNext) {
  for (const auto& [first, second] : {std::pair("7", "2"), std::pair("2", "7")}) {
    SCOPED_TRACE(std::string(first) + " then " + second);
    Load(kRow2143);
    Start(2, 7);
    Answer(first, second);
    EXPECT_EQ(caption("Label12"), "Правильно!");
    EXPECT_FALSE(enabled("Text4"));
    EXPECT_FALSE(enabled("Text5"));
    EXPECT_EQ(text("Text4"), first);  // the solved answer stays on screen
    EXPECT_TRUE(shown("Command3"));
    EXPECT_FALSE(shown("Command1"));
    EXPECT_FALSE(shown("Command2"));
    EXPECT_FALSE(timerRunning());
    EXPECT_EQ(text("Text1"), "1");
    EXPECT_EQ(text("Text2"), "1");
    EXPECT_EQ(focus(), control("Command3"));
  }
}

TEST_F(PupilRoad, NextClearsTheTaskAndRestartsTheStopwatch) {
  Start(2, 7);
  Tick(75);
  EXPECT_EQ(caption("Label14"), "15");
  EXPECT_TRUE(shown("Label16"));
  Answer("2", "7");
  Next(3, 5);  // task 2 takes both roots negative: x²+8x+15=0
  EXPECT_EQ(caption("Lblb"), "+8");
  EXPECT_EQ(caption("Lblc"), "+15");
  EXPECT_EQ(caption("Label12"), "");
  EXPECT_EQ(text("Text4"), "");
  EXPECT_TRUE(enabled("Text4"));
  EXPECT_EQ(focus(), control("Text4"));
  EXPECT_EQ(caption("Label14"), "00");
  EXPECT_FALSE(shown("Label16"));
  EXPECT_EQ(caption("Label21"), "1");
  EXPECT_EQ(caption("Label19"), "15");
  EXPECT_TRUE(timerRunning());
  EXPECT_FALSE(shown("Command3"));
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
    Answer(std::to_string(state.X1), std::to_string(state.X2));
    if (task < 5) {
      EXPECT_EQ(caption("Label6"), "0");
    }
  }
  wchar_t separator[8] = {};
  GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, ARRAYSIZE(separator));
  EXPECT_EQ(caption("Label6"), "4" + win32::Utf8(separator) + "5");
  EXPECT_EQ(caption("Label4"), "5");
  EXPECT_EQ(text("Text1"), "6");
  EXPECT_EQ(text("Text2"), "5");
  EXPECT_EQ(text("Text3"), "1");
}

// Whatever is typed or pasted is read only when Check is pressed. A long paste is cut at the
// boxes' limit, far beyond any answer, and what it starts with still counts.
TEST_F(PupilRoad, AnswerBoxesTakeLongPastesUpToTheirLimit) {
  Start(2, 7);
  const std::wstring pasted = L"7 " + std::wstring(100'000, L'9');
  SendMessageW(control("Text4"), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pasted.c_str()));
  SendMessageW(control("Text5"), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"2"));
  EXPECT_EQ(GetWindowTextLengthW(control("Text4")), int(form::kAnswerBoxLimit));
  Click(control("Command1"));
  EXPECT_EQ(caption("Label12"), "Правильно!");
}

// Windows Installer closes the program before it replaces or removes its file while it runs (its
// Restart Manager asks as Windows does at log-off): the window agrees, stays while the session
// goes on, and closes when it ends.
TEST_F(PupilRoad, ClosesWhenWindowsEndsItsSession) {
  Start(2, 7);
  const HWND window = window_->hwnd();
  EXPECT_TRUE(SendMessageW(window, WM_QUERYENDSESSION, 0, ENDSESSION_CLOSEAPP));
  SendMessageW(window, WM_ENDSESSION, FALSE, ENDSESSION_CLOSEAPP);
  EXPECT_TRUE(IsWindow(window)) << "the session goes on";
  SendMessageW(window, WM_ENDSESSION, TRUE, ENDSESSION_CLOSEAPP);
  EXPECT_FALSE(IsWindow(window));
}

bool menuOpened = false;

// A timer's callback (a function of Windows' calling convention, which a lambda is not on 32-bit
// Windows): notes whether a popup menu is open, and ends it.
void CALLBACK LookForTheMenuAndEndIt(HWND, UINT, UINT_PTR, DWORD) {
  const HWND menu = FindWindowW(L"#32768", nullptr);  // the class of every popup menu
  menuOpened = menuOpened || (menu && IsWindowVisible(menu));
  EndMenu();
}

// A Windows whose own words are not Russian would write an answer box's edit menu in them: the
// box then opens none. (Wine's words are English here.)
TEST_F(PupilRoad, AnswerBoxesOpenAnEditMenuOnlyWhenWindowsSpeaksRussian) {
  Start(2, 7);
  // A menu runs a loop of its own: look for it from there, then end it.
  menuOpened = false;
  const UINT_PTR look = SetTimer(nullptr, 0, 300, LookForTheMenuAndEndIt);
  SendMessageW(control("Text4"), WM_CONTEXTMENU, reinterpret_cast<WPARAM>(control("Text4")),
               MAKELPARAM(-1, -1));  // as from the keyboard's menu key
  KillTimer(nullptr, look);
  EXPECT_EQ(menuOpened, win32::EditMenuSpeaksRussian());
}

}  // namespace
