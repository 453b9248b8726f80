#include <utility>

#include "drill/drill.h"
#include "drill/history.h"
#include "drill/sign_patterns.h"

namespace drill {
namespace {

// The tasks whose equations stay in the history when it is emptied for a pattern that ran out, so
// the equation just solved, or one a few tasks ago, is not drawn again at once.
constexpr int kRecentTasksKept = 8;

}  // namespace

void Drill::NewTask() {
  const std::int16_t row = state.PermRow >= 1 && state.PermRow <= 24 ? state.PermRow : 1;
  const std::int16_t signMode = SignModeFor(state.PermTable[row], state.TaskNo);

  // From the second 144-task cycle on, a pattern can be asked for when all 36 of its equations
  // were solved since the last emptying; no draw could succeed, so empty the history of all but
  // the most recent tasks. Those hold at most kRecentTasksKept of the pattern's 36 equations, so a
  // draw can succeed again.
  HistoryIndex history(state);
  if (history.PatternExhausted(signMode)) {
    EmptyHistory(state, state.TaskNo - 1 - kRecentTasksKept);
    history = HistoryIndex(state);
  }

  do {
    state.DupCount = 0;
    do {
      state.X1 = Gener(9);
      state.X2 = Gener(9);
    } while (state.X1 == state.X2);
    if (state.X1 > state.X2) std::swap(state.X1, state.X2);
    state.SignMode = signMode;
    const Roots signedRoots = ApplySignPattern(state.SignMode, {state.X1, state.X2});
    state.X1 = signedRoots.x1;
    state.X2 = signedRoots.x2;
    state.DupCount = history.Count(state.X1, state.X2);
  } while (state.DupCount > 0);

  state.CoefP = static_cast<std::int16_t>(-(state.X1 + state.X2));
  state.CoefQ = static_cast<std::int16_t>(state.X1 * state.X2);
  window_.ShowEquation(state.CoefP, state.CoefQ);
  window_.SetFocus("Text4");
}

}  // namespace drill
