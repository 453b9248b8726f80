// How the window answers the keyboard, whatever toolkit draws it: what Return presses, where the
// focus goes after Check, and which presses of a key are the pupil's and which a held key's.
#pragma once

#include <chrono>
#include <cstdint>
#include <map>

namespace form {

// Where the pupil stands when Return (or the keypad's Enter) is pressed.
struct ReturnContext {
  bool focusInFirstBox = false;  // Text4
  bool firstBoxEmpty = false;
  bool secondBoxEnabled = false;
  bool secondBoxEmpty = false;
  bool startShown = false;  // Command2
  bool checkShown = false;  // Command1
  bool nextShown = false;   // Command3
};

enum class ReturnAction { Nothing, MoveToSecondBox, PressStart, PressCheck, PressNext };

// Return moves from the first box, once it holds text, to an empty second one; in the empty
// first box it does nothing, so a hurried second Return after Start or Next leaves the pupil
// where the first root goes. Anywhere else it presses the one button on screen (at most one of
// Start, Check and Next is ever shown), and with none shown it does nothing, so it never counts
// an attempt while Check is hidden.
ReturnAction WhatReturnDoes(const ReturnContext& where);

enum class FocusAfterCheck { Next, FirstBox, Nowhere };

// Check hides itself; the pupil's hands stay on the keyboard: after a right answer the focus
// waits on Next, after a wrong one in the first box.
FocusAfterCheck WhereFocusGoesAfterCheck(bool nextShown, bool firstBoxEnabled);

// Tells the pupil's own presses of a key from the repeats of a key held down. Platforms flag
// repeats, but not always: X11 sends a held key as pairs of release and press with one
// timestamp, and a toolkit can flag the pair only when both halves have arrived. So a press is
// the pupil's only when the key was up, the press is not flagged, and it does not share the
// timestamp of the key's last release. A timestamp of 0 means the platform gave none.
class HeldKeys {
 public:
  // Returns whether this press is the pupil's own.
  bool Press(int key, bool flaggedRepeat, std::uint64_t timestamp);
  void Release(int key, bool flaggedRepeat, std::uint64_t timestamp);
  // The window lost the keyboard: releases will go elsewhere, so no key counts as held.
  void Forget() { keys_.clear(); }

 private:
  struct State {
    bool down = false;
    std::uint64_t releasedAt = 0;
  };
  std::map<int, State> keys_;
};

// Next appears in the very place of Check, under the pointer and the pupil's finger. A double
// click on Check, or a key pressed twice in a hurry, would go on to the next task before the
// pupil saw "Правильно!": Next takes no press until the platform's double-click interval has
// passed since it appeared.
class NextGuard {
 public:
  using Clock = std::chrono::steady_clock;

  void Appeared(Clock::time_point now) { appearedAt_ = now; }
  bool TakesPress(Clock::time_point now, std::chrono::milliseconds doubleClickInterval) const {
    return now - appearedAt_ >= doubleClickInterval;
  }

 private:
  Clock::time_point appearedAt_{};
};

}  // namespace form
