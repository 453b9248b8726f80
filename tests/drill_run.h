// A whole drill as the window drives it: the recording window, a scripted random source, and the
// engine between them, with the few things a pupil does (start, type, check, go on).
#pragma once

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>

#include "drill/drill.h"
#include "form/window_events.h"
#include "fake_window.h"
#include "scripted_random.h"

// Gives up after a bounded number of draws, so a draw that can never succeed fails its test with
// an exception instead of hanging it.
class BoundedRandom : public ScriptedRandom {
 public:
  static constexpr long kMaxDraws = 5'000'000;
  float Next() override {
    if (draws >= kMaxDraws) throw std::runtime_error("the equation draw never ends");
    return ScriptedRandom::Next();
  }
};

struct DrillRun {
  explicit DrillRun(std::string decimalSeparator = ".")
      : drill(window, random, std::move(decimalSeparator)) {}

  FakeWindow window;
  BoundedRandom random;
  drill::Drill drill;
  drill::DrillState& state = drill.state;

  // The window's load, drawing permRow as the sign-table row of tasks 1 to 4.
  void Load(int permRow) {
    random.ScriptRow(permRow);
    drill.InitRun();
  }

  // What the Start button does: the windows' own handler, through the recording window.
  void Start() { form::StartRun(window, drill); }

  // The pupil types into both boxes and presses Check.
  void Answer(std::string_view first, std::string_view second) {
    window.Type("Text4", first);
    window.Type("Text5", second);
    drill.CheckAnswer();
  }
  void AnswerWrongly() { Answer("0", "0"); }  // roots are never 0
  void AnswerRightly() { Answer(std::to_string(state.X1), std::to_string(state.X2)); }

  // Solves the current task at the first attempt and presses Next.
  void SolveAndGoOn() {
    AnswerRightly();
    drill.NextTask();
  }
};

// The calls the window received since the last ClearCalls, on one line: "A; B; C".
inline std::string CallLog(const FakeWindow& window) {
  std::string log;
  for (const std::string& call : window.calls) log += (log.empty() ? "" : "; ") + call;
  return log;
}

// The independent count a pupil (or a teacher) keeps, against which the screen is checked.

using Roots = std::pair<int, int>;  // smaller magnitude first, signs included

// The sign pattern of two roots: 1 none negative, 2 the smaller, 3 the larger, 4 both.
inline int PatternOf(Roots r) { return 1 + (r.first < 0 ? 1 : 0) + (r.second < 0 ? 2 : 0); }

// True when the history holds no roots for tasks 1 to last.
inline bool HistoryEmptyThrough(const drill::DrillState& s, int last) {
  for (int i = 1; i <= last; ++i) {
    if (s.HistX1[i] != 0 || s.HistX2[i] != 0) return false;
  }
  return true;
}

// The average score in tenths, with whole numbers only, halves to the even neighbour.
inline int TenthsOfAverage(int scoreSum, int tasks) {
  const int quotient = 10 * scoreSum / tasks;
  const int twiceRemainder = 2 * (10 * scoreSum % tasks);
  const bool up = twiceRemainder > tasks || (twiceRemainder == tasks && quotient % 2 == 1);
  return up ? quotient + 1 : quotient;
}

// The grade of a rating of so many tenths: halves to even, except that 4.5 and 2.5 go up.
inline int GradeOfTenths(int tenths) {
  const int whole = tenths / 10;
  const int rest = tenths % 10;
  if (tenths == 45 || tenths == 25) return whole + 1;
  return rest < 5 ? whole : rest > 5 ? whole + 1 : whole + whole % 2;
}

// A rating of so many tenths as the pupil reads it: "4.2", "4,2", "5".
inline std::string TenthsText(int tenths, const std::string& separator = ".") {
  const std::string whole = std::to_string(tenths / 10);
  return tenths % 10 == 0 ? whole : whole + separator + std::to_string(tenths % 10);
}
