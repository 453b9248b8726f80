#include "drill/drill.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "drill/sign_patterns.h"
#include "drill/time_of_day.h"

namespace drill {

Drill::Drill(WindowPort& window, RandomSource& random, std::string decimalSeparator)
    : window_(window), random_(random), decimalSeparator_(std::move(decimalSeparator)) {}

std::int16_t Drill::Gener(std::int16_t n) {
  // The product stays in double precision: rounded to float, 24 x 0.958333313 would give 23.0
  // instead of 22.9999995, and Gener(24) would return 24 instead of 23.
  const double product = n * static_cast<double>(random_.Next());
  // A source that broke its promise (1.0, a negative value, NaN) still yields 1..n, so a row of
  // the sign table or a root is never out of range.
  if (!(product >= 0)) return 1;
  return static_cast<std::int16_t>(std::min<double>(std::trunc(product) + 1, n));
}

void Drill::InitRun() {
  random_.Seed(SecondsSinceMidnight());
  state.TaskNo = 1;
  state.WrongCount = 0;
  state.Attempts = 1;
  state.ScoreSum = 0;
  state.PermRow = Gener(24);
  window_.SetupEquationFonts();
  state.PermTable = kPermTable;
  window_.SetVisible("Command1", false);
  window_.SetEnabled("Text4", false);
  window_.SetEnabled("Text5", false);
  state.TaskSec = 0;
  state.TaskMin = 0;
  window_.SetVisible("Label15", false);
  window_.SetVisible("Label16", false);
  window_.SetEnabled("Timer1", false);
}

}  // namespace drill
