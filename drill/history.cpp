#include "drill/history.h"

#include <algorithm>
#include <bitset>
#include <cstdlib>

#include "drill/sign_patterns.h"

namespace drill {
namespace {

constexpr int kMaxRoot = 9;
constexpr int kPairsPerPattern = kMaxRoot * (kMaxRoot - 1) / 2;  // 36

}  // namespace

int HistoryLength(const DrillState& state) {
  return std::clamp(state.TaskNo - 1, 0, static_cast<int>(kTasksPerRun));
}

std::int16_t CountInHistory(const DrillState& state, std::int16_t x1, std::int16_t x2) {
  std::int16_t count = 0;
  for (int i = 1; i <= HistoryLength(state); ++i) {
    if (state.HistX2[i] == x2 && state.HistX1[i] == x1) ++count;
  }
  return count;
}

void EmptyHistory(DrillState& state, int lastTask) {
  const int last = std::min(lastTask, static_cast<int>(kTasksPerRun));
  for (int i = 1; i <= last; ++i) {
    state.HistX1[i] = 0;
    state.HistX2[i] = 0;
  }
}

bool PatternExhausted(const DrillState& state, std::int16_t signMode) {
  // A pair of this pattern is known by its magnitudes, smaller first; mark each one found.
  std::bitset<(kMaxRoot + 1) * (kMaxRoot + 1)> used;
  for (int i = 1; i <= HistoryLength(state); ++i) {
    const int small = std::abs(state.HistX1[i]);
    const int large = std::abs(state.HistX2[i]);
    if (small < 1 || small >= large || large > kMaxRoot) continue;
    const Roots expected = ApplySignPattern(
        signMode, {static_cast<std::int16_t>(small), static_cast<std::int16_t>(large)});
    if (expected.x1 == state.HistX1[i] && expected.x2 == state.HistX2[i]) {
      used.set(small * (kMaxRoot + 1) + large);
    }
  }
  return used.count() == kPairsPerPattern;
}

}  // namespace drill
