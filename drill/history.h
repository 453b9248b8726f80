// The history of solved equations, which keeps an equation from coming back too soon.
#pragma once

#include <array>
#include <cstdint>

#include "drill/drill.h"

namespace drill {

// Clears the entries of tasks 1 .. lastTask (roots are never 0, so a cleared entry never matches).
void EmptyHistory(DrillState& state, int lastTask);

// The history a draw for the current task is checked against (tasks 1 .. TaskNo - 1), counted
// once per draw by pair of signed roots, so each attempt of the draw is a lookup rather than a
// scan of up to 499 entries.
class HistoryIndex {
 public:
  explicit HistoryIndex(const DrillState& state);

  // How many history entries hold exactly these signed roots.
  std::int16_t Count(std::int16_t x1, std::int16_t x2) const;

  // True when every one of the 36 equations of this sign pattern is in the history, so a draw
  // for it could never succeed.
  bool PatternExhausted(std::int16_t signMode) const;

 private:
  static constexpr int kMaxRoot = 9;
  static constexpr int kSpan = 2 * kMaxRoot + 1;  // roots -9 .. 9
  std::array<std::int16_t, kSpan * kSpan> counts_{};
};

}  // namespace drill
