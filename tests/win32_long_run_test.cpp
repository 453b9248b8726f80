// Whole runs through the Win32 window, with mouse and keyboard, to the 500th task; and the
// stopwatch on a real clock, which loses no second while the message loop stalls.
#include <chrono>
#include <cmath>
#include <cstdlib>

#include "drill_run.h"
#include "win32_window_fixture.h"

namespace {

using namespace std::chrono_literals;

// The pupil's own arithmetic: the whole roots of x² + p·x + q = 0 as the equation row shows it,
// smaller magnitude first; {0, 0} when there are none.
Roots SolveShown(const std::string& pTerm, const std::string& qTerm) {
  const int p = pTerm == "+" ? 1 : pTerm == "-" ? -1 : std::stoi(pTerm);
  const int q = std::stoi(qTerm);
  for (int a = -9; a <= 9; ++a) {
    for (int b = -9; b <= 9; ++b) {
      if (a != 0 && std::abs(a) < std::abs(b) && a + b == -p && a * b == q) return {a, b};
    }
  }
  return {0, 0};
}

// The lowest row of a label, in the window's coordinates, where its caption leaves ink (pixels
// of another colour than the label's face); -1 when there is none.
int lowestInk(HWND label) {
  RECT box{};
  GetWindowRect(label, &box);
  const HWND window = GetAncestor(label, GA_ROOT);
  MapWindowPoints(HWND_DESKTOP, window, reinterpret_cast<POINT*>(&box), 2);
  const HDC dc = GetDC(window);
  const COLORREF face = GetPixel(dc, box.left, box.top);
  int lowest = -1;
  for (int y = box.bottom - 1; y >= box.top && lowest < 0; --y) {
    for (int x = box.left; x < box.right; ++x) {
      if (GetPixel(dc, x, y) != face) {
        lowest = y;
        break;
      }
    }
  }
  ReleaseDC(window, dc);
  return lowest;
}

class LongRun : public Win32WindowTest {
 protected:
  void SetUp() override {
    auto random = std::make_unique<BoundedRandom>();
    random_ = random.get();
    window_ = std::make_unique<win32::Form1>(std::move(random));
    window_->Show(SW_SHOW);
    SetForegroundWindow(window_->hwnd());
    Pump();
  }
  Roots Shown() { return SolveShown(caption("Lblb"), caption("Lblc")); }
};

// All 500 tasks, every other one by keyboard alone, some answered wrongly first; the counters,
// rating and grade agree with the pupil's own count, and after the last task nothing goes on.
TEST_F(LongRun, SolvesAllFiveHundredTasksAndOffersNoNextAfterTheLast) {
  int firstTries = 0;
  int wrong = 0;
  int scoreSum = 0;
  Tap({VK_RETURN});  // Start
  for (int task = 1; task <= drill::kTasksPerRun; ++task) {
    SCOPED_TRACE(task);
    ASSERT_EQ(focus(), control("Text4"));
    const Roots roots = Shown();
    ASSERT_NE(roots, Roots(0, 0)) << "no equation with whole roots on screen";
    const int wrongs = task % 97 == 0 ? 9 : task % 11 == 0 ? 3 : task % 7 == 0 ? 1 : 0;
    const std::string first = std::to_string(task % 3 ? roots.first : roots.second);
    const std::string second = std::to_string(task % 3 ? roots.second : roots.first);
    const bool byKeyboard = task % 2 == 1 && task != drill::kTasksPerRun;
    for (int attempt = 0; attempt <= wrongs; ++attempt) {
      const bool right = attempt == wrongs;
      if (byKeyboard) {
        Type(right ? first : "0");
        Tap({VK_RETURN});
        Type(right ? second : "0");
        Tap({VK_RETURN});
      } else {
        Click(control("Text4"));
        TypeInto(control("Text4"), right ? first : "0");
        Click(control("Text5"));
        TypeInto(control("Text5"), right ? second : "0");
        Click(control("Command1"));
      }
      ASSERT_EQ(caption("Label12"), right ? "Правильно!" : "Неправильно!");
    }
    Pump();
    firstTries += wrongs == 0 ? 1 : 0;
    wrong += wrongs;
    scoreSum += static_cast<int>(std::nearbyint(5.0 / (wrongs + 1)));  // halves to even
    if (task == drill::kTasksPerRun) break;
    WaitForNext();
    if (task % 2) {
      Tap({VK_RETURN, /*extended=*/true});
    } else {
      Click(control("Command3"));
    }
  }

  // The run is complete: Next is not offered, no hidden control keeps the focus, and no key,
  // not even one on the Check button clicked last, changes anything.
  EXPECT_FALSE(shown("Command3"));
  const HWND focused = focus();
  EXPECT_TRUE(focused == nullptr || IsWindowVisible(focused));
  WaitForNext();
  for (const UINT key : {VK_SPACE, VK_RETURN, VK_TAB, VK_SPACE}) Tap({key});
  Tap({VK_RETURN, /*extended=*/true});
  const int tenths = TenthsOfAverage(scoreSum, drill::kTasksPerRun);
  wchar_t separator[8] = {};
  GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, ARRAYSIZE(separator));
  EXPECT_EQ(text("Text1"), std::to_string(drill::kTasksPerRun));
  EXPECT_EQ(text("Text2"), std::to_string(firstTries));
  EXPECT_EQ(text("Text3"), std::to_string(wrong));
  EXPECT_EQ(caption("Label6"), TenthsText(tenths, win32::Utf8(separator)));
  EXPECT_EQ(caption("Label4"), std::to_string(GradeOfTenths(tenths)));
  EXPECT_EQ(caption("Label12"), "Правильно!");
  EXPECT_FALSE(shown("Command1"));
  EXPECT_FALSE(shown("Command3"));
  EXPECT_FALSE(enabled("Text4"));
  EXPECT_FALSE(enabled("Text5"));
  EXPECT_FALSE(timerRunning());
}

// Tasks of about 40 minutes each take the total past 100 minutes; its digits stay whole in the
// box, which keeps its place and size, in a smaller font standing on the same baseline.
TEST_F(LongRun, TotalTimePassesOneHundredMinutesAndStaysReadableInItsBox) {
  const win32::TwipLabel& minutes = *window_->label("Label21");
  RECT place{};
  GetWindowRect(minutes.hwnd(), &place);
  const int fullSize = minutes.fontPixels();
  int totalSeconds = 0;
  random_->ScriptRoots(2, 7);
  Click(control("Command2"));
  for (int taskSeconds : {40 * 60 + 30, 40 * 60 + 45, 39 * 60 + 50}) {
    Tick(taskSeconds);
    const Roots roots = Shown();
    Answer(std::to_string(roots.first), std::to_string(roots.second));
    WaitForNext();
    Click(control("Command3"));
    totalSeconds += taskSeconds;
    EXPECT_EQ(caption("Label21"), std::to_string(totalSeconds / 60));
    EXPECT_EQ(caption("Label14"), "00");
  }
  ASSERT_GE(totalSeconds / 60, 100) << "the tasks must add up to 100 minutes or more";
  RECT after{};
  GetWindowRect(minutes.hwnd(), &after);
  EXPECT_TRUE(EqualRect(&place, &after));
  EXPECT_LT(minutes.fontPixels(), fullSize);
  EXPECT_GE(minutes.fontPixels(), 6);
  const std::wstring digits = win32::Utf16(minutes.Caption());
  const HDC screen = GetDC(nullptr);
  const HGDIOBJ before = SelectObject(screen, minutes.font());
  SIZE extent{};
  GetTextExtentPoint32W(screen, digits.c_str(), int(digits.size()), &extent);
  SelectObject(screen, before);
  ReleaseDC(nullptr, screen);
  EXPECT_LE(extent.cx, after.right - after.left);

  // The smaller digits stand on the baseline of "мин" beside them, not at the top of the strip.
  RedrawWindow(window_->hwnd(), nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  EXPECT_EQ(lowestInk(minutes.hwnd()), lowestInk(control("Label20")));
}

// The window's own stopwatch on the real clock: a message loop that stalls for two seconds
// still shows two seconds once it runs again.
TEST_F(LongRun, StopwatchMakesUpSecondsMissedWhileTheWindowStalled) {
  random_->ScriptRoots(2, 7);
  Click(control("Command2"));
  Sleep(2100);
  Pump();
  EXPECT_EQ(caption("Label14"), "02");
}

// The timer on its own, with a short interval, driven by a window of the test's own.
class SecondTimerTest : public testing::Test {
 protected:
  static constexpr UINT_PTR kId = 7;
  void SetUp() override {
    owner_ = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                             GetModuleHandleW(nullptr), nullptr);
  }
  void TearDown() override { DestroyWindow(owner_); }

  // Delivers the owner's WM_TIMER messages to the timer until `length` has passed.
  void Run(win32::SecondTimer& timer, std::chrono::milliseconds length) {
    const auto until = std::chrono::steady_clock::now() + length;
    while (std::chrono::steady_clock::now() < until) {
      MSG message{};
      while (PeekMessageW(&message, owner_, WM_TIMER, WM_TIMER, PM_REMOVE)) {
        timer.OnTimer(message.wParam);
      }
      Sleep(1);
    }
  }
  bool timerMessagePending() {
    MSG message{};
    return PeekMessageW(&message, owner_, WM_TIMER, WM_TIMER, PM_NOREMOVE);
  }

  HWND owner_ = nullptr;
  int ticks_ = 0;
};

TEST_F(SecondTimerTest, RaisesNoTickWhileDisabledAndStartsCountingWhenEnabled) {
  win32::SecondTimer timer(owner_, kId, 20ms, [&] { ++ticks_; });
  Run(timer, 60ms);
  EXPECT_EQ(ticks_, 0);
  timer.SetEnabled(true);
  Run(timer, 5ms);
  EXPECT_EQ(ticks_, 0);  // the first tick comes one full interval after enabling
  Run(timer, 150ms);
  EXPECT_GE(ticks_, 2);
  timer.SetEnabled(false);
  const int stopped = ticks_;
  Run(timer, 60ms);
  EXPECT_EQ(ticks_, stopped);
}

// The count after a stall equals the whole intervals elapsed: the missed ones are paid out.
TEST_F(SecondTimerTest, MakesUpTicksMissedWhileTheMessageLoopStalled) {
  win32::SecondTimer timer(owner_, kId, 50ms, [&] { ++ticks_; });
  const auto enabledAt = std::chrono::steady_clock::now();
  timer.SetEnabled(true);
  Sleep(420);
  Run(timer, 30ms);
  const auto elapsed = std::chrono::steady_clock::now() - enabledAt;
  EXPECT_GE(ticks_, 420 / 50);
  EXPECT_LE(ticks_, elapsed / 50ms);
}

// Disabling drops what was owed and leaves no wake-up in the queue; enabling again counts from
// zero. A tick handler that disables the timer stops the ticks still owed at once.
TEST_F(SecondTimerTest, DropsOwedTicksWhenDisabled) {
  win32::SecondTimer timer(owner_, kId, 50ms, [&] { ++ticks_; });
  timer.SetEnabled(true);
  Sleep(220);
  EXPECT_TRUE(timerMessagePending());
  timer.SetEnabled(false);
  EXPECT_FALSE(timerMessagePending());
  timer.SetEnabled(true);
  Run(timer, 20ms);
  EXPECT_EQ(ticks_, 0);

  win32::SecondTimer selfStopping(owner_, kId + 1, 20ms, [&] {
    ++ticks_;
    selfStopping.SetEnabled(false);
  });
  timer.SetEnabled(false);
  selfStopping.SetEnabled(true);
  Sleep(100);
  MSG message{};
  while (PeekMessageW(&message, owner_, WM_TIMER, WM_TIMER, PM_REMOVE)) {
    selfStopping.OnTimer(message.wParam);
  }
  EXPECT_EQ(ticks_, 1);
}

}  // namespace
