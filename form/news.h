// What the pupil hears without looking for it, whatever toolkit draws the window: the news of
// each step of a task, told once, in one sentence.
//
// The window passes on what the engine shows through its port (the equation, the verdict, Next
// appearing) and, once the step is done, takes the sentence and hands it to its platform's way of
// announcing (a notification for the screen reader, a live region, a UI Automation
// notification). Where the focus went the pupil's reader says by itself, as for any move of the
// focus. A stopwatch's tick and the clearing of the verdict are no news.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace form {

// Told after the last task a run has room for, with its verdict.
inline constexpr std::string_view kRunOver = "Все 500 заданий решены, тренировка окончена.";

class News {
 public:
  // What the engine shows, as the window port passes it on.
  void EquationShown(std::int16_t p, std::int16_t q);
  void CaptionSet(std::string_view control, std::string_view text);
  void VisibilitySet(std::string_view control, bool shown);

  // The sentence for the step shown since the last call, once; empty when there is no news.
  std::string Take();

 private:
  std::string equation_;
  std::string verdict_;
  bool nextShown_ = false;
};

}  // namespace form
