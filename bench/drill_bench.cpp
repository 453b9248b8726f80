// How long the engine takes for what a pupil does: the slowest equation draw, one check of the
// typed roots, and a whole run of 500 tasks answered correctly.
//
// The engine talks to a LeanWindow (lean_window.h), which records nothing, so the figures are the
// engine's own. The whole run is measured once more through the recording fake of the tests, to
// show how much of that run the fake itself would take.

// GCC 12 at -O3 falsely warns (-Wrestrict) about the recording fake's string concatenation where
// it is inlined into this file's whole-run loop, so the warning is off for this file.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wrestrict"
#endif

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "../tests/fake_window.h"
#include "../tests/scripted_random.h"
#include "drill/drill.h"
#include "lean_window.h"

namespace {

constexpr std::uint32_t kSeed = 20240611;
constexpr int kMaxRoot = 9;
constexpr int kPairsPerPattern = kMaxRoot * (kMaxRoot - 1) / 2;  // 36

struct Pair {
  int x1;
  int x2;
};

// ---- The pupil -----------------------------------------------------------------------------

// The text a pupil types for a root; anything that is not a root of a drill equation gets a
// text that holds no number, so the answer is judged wrong.
std::string_view rootText(int root) {
  static constexpr std::array<std::string_view, 2 * kMaxRoot + 1> kTexts = {
      "-9", "-8", "-7", "-6", "-5", "-4", "-3", "-2", "-1", "?",
      "1",  "2",  "3",  "4",  "5",  "6",  "7",  "8",  "9"};
  return root >= -kMaxRoot && root <= kMaxRoot ? kTexts[root + kMaxRoot] : "?";
}

// The roots of x^2 + p*x + q = 0, worked out from the equation on screen, smaller first. An
// equation without two distinct whole roots gives {0, 0}, which no answer check accepts.
Pair solve(int p, int q) {
  const int discriminant = p * p - 4 * q;
  if (discriminant <= 0) return {0, 0};
  const int root = static_cast<int>(std::lround(std::sqrt(discriminant)));
  if (root * root != discriminant || (p + root) % 2 != 0) return {0, 0};
  return {(-p - root) / 2, (-p + root) / 2};
}

Pair shownEquation(const LeanWindow& window) { return {window.shownP, window.shownQ}; }
Pair shownEquation(const FakeWindow& window) {
  if (window.equations.empty()) return {0, 0};
  return {window.equations.back().first, window.equations.back().second};
}
bool nextShown(const LeanWindow& window) { return window.nextShown; }
bool nextShown(FakeWindow& window) { return window.Visible("Command3"); }
long equationsShown(const LeanWindow& window) { return window.equationsShown; }
long equationsShown(const FakeWindow& window) { return static_cast<long>(window.equations.size()); }

// Types the right roots of the equation on screen, in either order as a pupil might.
template <class Window>
void typeRightRoots(Window& window, int taskNo) {
  const Pair shown = shownEquation(window);
  const Pair roots = solve(shown.x1, shown.x2);
  const bool largerFirst = taskNo % 2 == 0;
  window.Type("Text4", rootText(largerFirst ? roots.x2 : roots.x1));
  window.Type("Text5", rootText(largerFirst ? roots.x1 : roots.x2));
}

// What the Start button does besides the engine call: empty answer boxes, then the first task.
template <class Window>
void start(Window& window, drill::Drill& drill) {
  window.Type("Text5", "");
  window.Type("Text4", "");
  drill.NewTask();
}

// Solves the tasks from the current one up to lastTask, each at the first attempt, pressing Next
// after every one but lastTask. False when Next is missing where a pupil needs it.
template <class Window>
bool solveTasks(Window& window, drill::Drill& drill, int lastTask) {
  for (int taskNo = drill.state.TaskNo; taskNo <= lastTask; ++taskNo) {
    typeRightRoots(window, taskNo);
    drill.CheckAnswer();
    if (taskNo == lastTask) break;
    if (!nextShown(window)) return false;
    drill.NextTask();
  }
  return true;
}

// ---- The worst case of the equation draw ---------------------------------------------------

// The sign pattern of a task: the digit of its row's decimal text at position (taskNo mod 4) + 1.
int patternOf(std::int16_t rowValue, int taskNo) {
  const std::string digits = std::to_string(rowValue);
  const std::size_t position = static_cast<std::size_t>(taskNo % 4);
  return position < digits.size() ? digits[position] - '0' : 0;
}

// A pair of roots 1 <= small < large <= 9 with the signs of a pattern: 2 negates the first root,
// 3 the second, 4 both.
Pair signedPair(int pattern, int small, int large) {
  return {pattern == 2 || pattern == 4 ? -small : small,
          pattern == 3 || pattern == 4 ? -large : large};
}

std::vector<Pair> pairsOf(int pattern) {
  std::vector<Pair> pairs;
  for (int small = 1; small <= kMaxRoot; ++small) {
    for (int large = small + 1; large <= kMaxRoot; ++large) {
      pairs.push_back(signedPair(pattern, small, large));
    }
  }
  return pairs;
}

// The drill state at the last task of a run, with the history holding a solved equation for each
// of the 499 tasks before it: every entry has the signs its task's pattern gave it, and the
// pattern of the current task has all its pairs there but one. The draw then scans the longest
// history there is, and rejects on average 35 pairs before it finds the only free one. A real run
// never fills the history this far, since it is emptied every 144 tasks; but the draw scans all
// TaskNo - 1 entries whatever they hold, and filled ones cost the most, so no draw costs more.
drill::DrillState worstCaseState(const drill::DrillState& started, std::uint32_t seed) {
  std::mt19937 random(seed);
  drill::DrillState worst = started;
  worst.TaskNo = drill::kTasksPerRun;
  worst.Attempts = 1;

  // Block b of four tasks (tasks 4b + 1 .. 4b + 4) is served by one row of the sign table.
  std::vector<std::int16_t> rowOfBlock((worst.TaskNo - 1) / 4 + 1);
  std::uniform_int_distribution<int> anyRow(1, 24);
  for (std::int16_t& row : rowOfBlock) row = static_cast<std::int16_t>(anyRow(random));
  auto patternOfTask = [&](int taskNo) {
    return patternOf(worst.PermTable[rowOfBlock[(taskNo - 1) / 4]], taskNo);
  };
  worst.PermRow = rowOfBlock.back();
  const int current = patternOfTask(worst.TaskNo);

  // Each pattern's tasks go through its pairs in a shuffled order, again and again; the current
  // pattern's tasks never get its last pair.
  std::array<std::vector<Pair>, 5> pool;
  for (int pattern = 1; pattern <= 4; ++pattern) {
    pool[pattern] = pairsOf(pattern);
    std::shuffle(pool[pattern].begin(), pool[pattern].end(), random);
  }
  if (current >= 1 && current <= 4) pool[current].pop_back();
  std::array<std::size_t, 5> taken{};
  for (int taskNo = 1; taskNo < worst.TaskNo; ++taskNo) {
    const int pattern = patternOfTask(taskNo);
    if (pattern < 1 || pattern > 4) continue;
    const Pair solved = pool[pattern][taken[pattern]++ % pool[pattern].size()];
    worst.HistX1[taskNo] = static_cast<std::int16_t>(solved.x1);
    worst.HistX2[taskNo] = static_cast<std::int16_t>(solved.x2);
    worst.X1 = worst.HistX1[taskNo];
    worst.X2 = worst.HistX2[taskNo];
  }
  return worst;
}

// What the history holds for the current task's sign pattern, read from the state alone.
struct PatternUse {
  int pattern = 0;
  int filledEntries = 0;  // history entries holding a solved equation
  int pairsUsed = 0;      // of the pattern's 36
  Pair freePair{0, 0};    // one the history lacks, if any
};

PatternUse patternUse(const drill::DrillState& state) {
  PatternUse use;
  const int historyLength = std::clamp(state.TaskNo - 1, 0, static_cast<int>(drill::kTasksPerRun));
  if (state.PermRow < 1 || state.PermRow > 24) return use;
  use.pattern = patternOf(state.PermTable[state.PermRow], state.TaskNo);
  for (int i = 1; i <= historyLength; ++i) {
    if (state.HistX1[i] != 0 && state.HistX2[i] != 0) ++use.filledEntries;
  }
  if (use.pattern < 1 || use.pattern > 4) return use;
  for (const Pair pair : pairsOf(use.pattern)) {
    bool found = false;
    for (int i = 1; i <= historyLength && !found; ++i) {
      found = state.HistX1[i] == pair.x1 && state.HistX2[i] == pair.x2;
    }
    if (found) {
      ++use.pairsUsed;
    } else {
      use.freePair = pair;
    }
  }
  return use;
}

// ---- Benchmarks ----------------------------------------------------------------------------

// NewTask at the last task of a run, with a full history that holds 35 of the current pattern's
// 36 pairs.
void BM_NewTaskWorstCase(benchmark::State& state) {
  LeanWindow window;
  ScriptedRandom random(kSeed);
  drill::Drill drill(window, random);
  drill.InitRun();
  const drill::DrillState prepared = worstCaseState(drill.state, kSeed);

  // Checked once on the prepared state, outside the timed loop; every timed NewTask starts from a
  // verbatim copy of it.
  const PatternUse use = patternUse(prepared);
  if (use.filledEntries != prepared.TaskNo - 1) {
    state.SkipWithError("the history is not full before the draw");
    return;
  }
  if (use.pairsUsed != kPairsPerPattern - 1) {
    state.SkipWithError("the history does not hold exactly 35 of the pattern's 36 pairs");
    return;
  }

  // Each iteration restores the state by copying the prepared one (about 3 KB) inside the timed
  // region rather than around PauseTiming/ResumeTiming: the copy takes a small fraction of the
  // draw (BM_RestoreWorstCaseState measures it alone), while a pause and resume read the clocks
  // four times, one of them a system call for the thread's CPU time, and add noise of their own.
  // The copy also leaves the history in the cache, as the previous task's NextTask does.
  const long drawsBefore = random.draws;
  for (auto _ : state) {
    drill.state = prepared;
    drill.NewTask();
    // Only the free pair can come out, unless the history was emptied: then it was not the
    // worst case that ran.
    if (drill.state.X1 != use.freePair.x1 || drill.state.X2 != use.freePair.x2 ||
        drill.state.HistX1[1] == 0) {
      state.SkipWithError("the draw did not take the worst-case path");
      break;
    }
  }
  state.counters["draws"] = benchmark::Counter(static_cast<double>(random.draws - drawsBefore),
                                               benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_NewTaskWorstCase)->Unit(benchmark::kMicrosecond);

// The restoring copy of BM_NewTaskWorstCase alone, to be subtracted from it.
void BM_RestoreWorstCaseState(benchmark::State& state) {
  LeanWindow window;
  ScriptedRandom random(kSeed);
  drill::Drill drill(window, random);
  drill.InitRun();
  const drill::DrillState prepared = worstCaseState(drill.state, kSeed);
  for (auto _ : state) {
    drill.state = prepared;
    benchmark::DoNotOptimize(drill.state);
    benchmark::ClobberMemory();
  }
}
BENCHMARK(BM_RestoreWorstCaseState)->Unit(benchmark::kMicrosecond);

// The counters CheckAnswer moves on; putting them back makes every check judge the same task
// from the same standing. Four fields, so restoring them costs next to nothing.
struct CheckCounters {
  std::int16_t attempts;
  std::int16_t firstTryCount;
  std::int16_t wrongCount;
  std::int16_t scoreSum;

  static CheckCounters of(const drill::DrillState& state) {
    return {state.Attempts, state.FirstTryCount, state.WrongCount, state.ScoreSum};
  }
  void restore(drill::DrillState& state) const {
    state.Attempts = attempts;
    state.FirstTryCount = firstTryCount;
    state.WrongCount = wrongCount;
    state.ScoreSum = scoreSum;
  }
};

constexpr int kCheckedTask = 250;  // past task 5, so the rating and the grade are shown too

// Solves the tasks before kCheckedTask and opens it; false (the benchmark skipped) if the run
// could not get there.
bool openCheckedTask(LeanWindow& window, drill::Drill& drill, benchmark::State& state) {
  drill.InitRun();
  start(window, drill);
  if (!solveTasks(window, drill, kCheckedTask - 1) || !window.nextShown) {
    state.SkipWithError("the run did not reach the task to check");
    return false;
  }
  drill.NextTask();
  return true;
}

// CheckAnswer with the right roots typed, in the middle of a run.
void BM_CheckAnswerRight(benchmark::State& state) {
  LeanWindow window;
  ScriptedRandom random(kSeed);
  drill::Drill drill(window, random);
  if (!openCheckedTask(window, drill, state)) return;
  typeRightRoots(window, drill.state.TaskNo);  // the engine leaves a right answer in the boxes

  const CheckCounters before = CheckCounters::of(drill.state);
  for (auto _ : state) {
    before.restore(drill.state);
    drill.CheckAnswer();
    if (drill.state.FirstTryCount != before.firstTryCount + 1 || !window.nextShown) {
      state.SkipWithError("the right roots were not accepted");
      break;
    }
  }
}
BENCHMARK(BM_CheckAnswerRight)->Unit(benchmark::kNanosecond);

// CheckAnswer with a wrong answer, in the middle of a run. The engine empties the boxes, so each
// iteration types the answer again (two short texts, no allocation).
void BM_CheckAnswerWrong(benchmark::State& state) {
  LeanWindow window;
  ScriptedRandom random(kSeed);
  drill::Drill drill(window, random);
  if (!openCheckedTask(window, drill, state)) return;
  const Pair roots = solve(window.shownP, window.shownQ);

  const CheckCounters before = CheckCounters::of(drill.state);
  for (auto _ : state) {
    before.restore(drill.state);
    window.Type("Text4", rootText(roots.x1));
    window.Type("Text5", "0");  // no root is 0
    drill.CheckAnswer();
    if (drill.state.WrongCount != before.wrongCount + 1 || window.nextShown) {
      state.SkipWithError("a wrong answer was accepted");
      break;
    }
  }
}
BENCHMARK(BM_CheckAnswerWrong)->Unit(benchmark::kNanosecond);

// A whole run: the window loads, the pupil presses Start, then solves all 500 tasks at the first
// attempt, pressing Next after each but the last.
template <class Window>
void wholeRun(benchmark::State& state) {
  ScriptedRandom random(kSeed);  // its stream goes on from run to run: every run is a new one
  long portCalls = 0;
  for (auto _ : state) {
    Window window;
    drill::Drill drill(window, random);
    drill.InitRun();
    start(window, drill);
    const bool reachedEnd = solveTasks(window, drill, drill::kTasksPerRun);
    // A complete run: every task solved at the first attempt, one equation each, and no Next
    // after the last.
    if (!reachedEnd || drill.state.TaskNo != drill::kTasksPerRun ||
        drill.state.FirstTryCount != drill::kTasksPerRun || drill.state.WrongCount != 0 ||
        equationsShown(window) != drill::kTasksPerRun || nextShown(window)) {
      state.SkipWithError("the run did not end with all 500 tasks solved");
      break;
    }
    if constexpr (std::is_same_v<Window, LeanWindow>) portCalls += window.calls;
  }
  state.counters["draws"] =
      benchmark::Counter(static_cast<double>(random.draws), benchmark::Counter::kAvgIterations);
  if (portCalls > 0) {
    state.counters["portCalls"] =
        benchmark::Counter(static_cast<double>(portCalls), benchmark::Counter::kAvgIterations);
  }
}

void BM_WholeRun(benchmark::State& state) { wholeRun<LeanWindow>(state); }
BENCHMARK(BM_WholeRun)->Unit(benchmark::kMillisecond);

// The same run through the tests' recording fake, for comparison only.
void BM_WholeRunRecordingFake(benchmark::State& state) { wholeRun<FakeWindow>(state); }
BENCHMARK(BM_WholeRunRecordingFake)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
