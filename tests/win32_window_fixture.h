// The Win32 main window shown on a scripted random source, with helpers to act as the pupil does:
// clicks, typing and keys are sent to the controls as Windows would deliver them. Their effects
// are synchronous, as on Windows; the messages Windows posts (painting, the timer) wait for
// Pump, which the steps of a task (Start, Answer, Next) end with.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <string_view>

#include "scripted_random.h"
#include "win32/form1.h"
#include "win32/utf16.h"

// Runs every message waiting for this thread's windows.
inline void Pump() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) continue;  // from a window of an earlier test
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// A left click in the middle of a control.
inline void Click(HWND control) {
  RECT box{};
  GetClientRect(control, &box);
  const LPARAM middle = MAKELPARAM(box.right / 2, box.bottom / 2);
  SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, middle);
  SendMessageW(control, WM_LBUTTONUP, 0, middle);
}

inline void DoubleClick(HWND control) {
  RECT box{};
  GetClientRect(control, &box);
  const LPARAM middle = MAKELPARAM(box.right / 2, box.bottom / 2);
  SendMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, middle);
  SendMessageW(control, WM_LBUTTONUP, 0, middle);
  SendMessageW(control, WM_LBUTTONDBLCLK, MK_LBUTTON, middle);
  SendMessageW(control, WM_LBUTTONUP, 0, middle);
  Pump();
}

// Characters as the keyboard types them into a control, one WM_CHAR per UTF-16 unit.
inline void TypeInto(HWND control, std::string_view utf8) {
  for (const wchar_t unit : win32::Utf16(utf8)) SendMessageW(control, WM_CHAR, unit, 1);
}

struct KeyEvent {
  UINT key;
  bool extended = false;  // the keypad's Enter
  bool repeat = false;    // Windows' flag of a key held down
};

inline LPARAM keyFlags(const KeyEvent& event, bool release) {
  LPARAM flags = 1 | (LPARAM(MapVirtualKeyW(event.key, MAPVK_VK_TO_VSC)) << 16);
  if (event.extended) flags |= LPARAM(1) << 24;
  if (event.repeat || release) flags |= LPARAM(1) << 30;
  if (release) flags |= LPARAM(1) << 31;
  return flags;
}

class Win32WindowTest : public testing::Test {
 protected:
  // The sign-table row drawn at load; row 12 is 2143, so tasks 1 to 4 take the sign patterns
  // 1 (both roots positive), 4 (both negative), 3 (second negative), 2 (first negative).
  static constexpr int kRow2143 = 12;

  void SetUp() override { Load(kRow2143); }
  void TearDown() override {
    window_.reset();
    Pump();
  }

  // Creates and shows the window; the load draws the given sign-table row.
  void Load(int permRow) {
    auto random = std::make_unique<ScriptedRandom>();
    random->ScriptRow(permRow);
    random_ = random.get();
    window_ = std::make_unique<win32::Form1>(std::move(random));
    window_->Show(SW_SHOW);
    SetForegroundWindow(window_->hwnd());
    Pump();
  }

  HWND control(std::string_view name) const { return window_->control(name); }
  std::string caption(std::string_view name) const { return window_->label(name)->Caption(); }
  std::string text(std::string_view name) const { return win32::WindowTextUtf8(control(name)); }
  bool shown(std::string_view name) const { return IsWindowVisible(control(name)); }
  bool enabled(std::string_view name) const { return IsWindowEnabled(control(name)); }
  bool timerRunning() const { return window_->timer1().IsEnabled(); }
  HWND focus() const { return GetFocus(); }
  // Seconds pass on the stopwatch at once, as if each had fallen due.
  void Tick(int seconds) {
    ASSERT_TRUE(timerRunning());
    for (int i = 0; i < seconds; ++i) window_->timer1().Fire();
  }

  // A key pressed or released where the keys go: the focused control, or the window.
  void Send(UINT message, const KeyEvent& event) {
    const HWND target = focus() ? focus() : window_->hwnd();
    SendMessageW(target, message, event.key, keyFlags(event, message == WM_KEYUP));
  }
  void Press(const KeyEvent& event) { Send(WM_KEYDOWN, event); }
  void Release(const KeyEvent& event) { Send(WM_KEYUP, event); }
  void Tap(const KeyEvent& event) {
    Press(event);
    if (event.key == VK_RETURN) Send(WM_CHAR, {L'\r'});  // what TranslateMessage adds
    Release(event);
  }
  void Type(std::string_view utf8) { TypeInto(focus(), utf8); }

  // Next appears where Check was and takes presses only a double-click interval later.
  static void WaitForNext() { Sleep(GetDoubleClickTime() + 1); }

  // Scripts the roots of the next equation (before ordering and signs) and presses Start.
  void Start(int first, int second) {
    random_->ScriptRoots(first, second);
    Click(control("Command2"));
    Pump();
  }
  // After every fourth task Next draws a new sign-table row first; it is row 12 again.
  void Next(int first, int second) {
    if (window_->drillState().TaskNo % 4 == 0) random_->ScriptRow(kRow2143);
    random_->ScriptRoots(first, second);
    WaitForNext();
    Click(control("Command3"));
    Pump();
  }
  // Types into the answer boxes as a pupil would, key by key, then presses Check.
  void Answer(std::string_view first, std::string_view second) {
    SetWindowTextW(control("Text4"), L"");
    SetWindowTextW(control("Text5"), L"");
    Click(control("Text4"));
    TypeInto(control("Text4"), first);
    Click(control("Text5"));
    TypeInto(control("Text5"), second);
    Click(control("Command1"));
    Pump();
  }

  ScriptedRandom* random_ = nullptr;
  std::unique_ptr<win32::Form1> window_;
};
