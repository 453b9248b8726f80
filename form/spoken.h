// What a screen reader says for the window, whatever toolkit draws it: the names of the controls
// a pupil needs, the displays read with their values, and the equation read as words.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace form {

struct SpokenName {
  std::string_view control;
  std::string name;  // UTF-8
};

// The answer boxes and the counters, whose names never change.
std::span<const SpokenName> FixedNames();

// The caption a display shows now, by control name (UTF-8).
using CaptionOf = std::function<std::string(std::string_view control)>;

// The displays named with the value they show: the rating (Label6), the grade (Label4), the
// task's time (on Label14, its minutes only while they are shown) and the total time (on Label21).
std::array<SpokenName, 4> ValueNames(const CaptionOf& caption, bool taskMinutesShown);

// Whether a change of this control's caption or visibility changes one of the ValueNames.
bool ChangesValueNames(std::string_view control);

// The verdict, announced to the pupil whenever it changes to a word.
inline constexpr std::string_view kVerdict = "Label12";

// The words for x² + p·x + q = 0: "x в квадрате минус 9 x плюс 14 равно нулю".
std::string SpokenEquation(std::int16_t p, std::int16_t q);
// The equation row before Start, which shows "+p" and "+q".
inline constexpr std::string_view kSpokenEquationBeforeStart =
    "x в квадрате плюс p x плюс q равно нулю";

}  // namespace form
