// The history of solved equations, which keeps an equation from coming back too soon.
#pragma once

#include <cstdint>

#include "drill/drill.h"

namespace drill {

// The history entries a draw for the current task is checked against: tasks 1 .. TaskNo - 1,
// never past the end of the arrays.
int HistoryLength(const DrillState& state);

// How many history entries hold exactly these signed roots.
std::int16_t CountInHistory(const DrillState& state, std::int16_t x1, std::int16_t x2);

// Clears the entries of tasks 1 .. lastTask (roots are never 0, so a cleared entry never matches).
void EmptyHistory(DrillState& state, int lastTask);

// True when every one of the 36 equations of this sign pattern is already in the history, so a
// draw for it could never succeed.
bool PatternExhausted(const DrillState& state, std::int16_t signMode);

}  // namespace drill
