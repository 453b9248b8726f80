#include "drill/history.h"

#include <algorithm>
#include <cstdlib>

#include "drill/sign_patterns.h"

namespace drill {

void EmptyHistory(DrillState& state, int lastTask) {
  const int last = std::min(lastTask, static_cast<int>(kTasksPerRun));
  for (int i = 1; i <= last; ++i) {
    state.HistX1[i] = 0;
    state.HistX2[i] = 0;
  }
}

HistoryIndex::HistoryIndex(const DrillState& state) {
  const int length = std::clamp(state.TaskNo - 1, 0, static_cast<int>(kTasksPerRun));
  for (int i = 1; i <= length; ++i) {
    const int x1 = state.HistX1[i];
    const int x2 = state.HistX2[i];
    // Only roots a draw can produce are worth counting; anything else never matches one.
    if (std::abs(x1) > kMaxRoot || std::abs(x2) > kMaxRoot) continue;
    ++counts_[(x1 + kMaxRoot) * kSpan + (x2 + kMaxRoot)];
  }
}

std::int16_t HistoryIndex::Count(std::int16_t x1, std::int16_t x2) const {
  if (std::abs(x1) > kMaxRoot || std::abs(x2) > kMaxRoot) return 0;
  return counts_[(x1 + kMaxRoot) * kSpan + (x2 + kMaxRoot)];
}

bool HistoryIndex::PatternExhausted(std::int16_t signMode) const {
  for (int small = 1; small <= kMaxRoot; ++small) {
    for (int large = small + 1; large <= kMaxRoot; ++large) {
      const Roots pair = ApplySignPattern(
          signMode, {static_cast<std::int16_t>(small), static_cast<std::int16_t>(large)});
      if (Count(pair.x1, pair.x2) == 0) return false;
    }
  }
  return true;
}

}  // namespace drill
