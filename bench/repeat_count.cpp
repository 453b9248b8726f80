// How soon a run gives a pupil an equation again: over many whole runs of 500 tasks, each solved
// at the first attempt, how many runs had the same equation twice in a row, within five tasks and
// within eight tasks. A repeat is "across 144" when the history was emptied in between (at a
// multiple of 144, s < 144k <= t for tasks s and t), "not across" otherwise; a run counts once in
// each column where it has at least one repeat, so the two columns may add up to more than "runs".
//
//   repeat_count [runs]      default 2000
//
// Run i (from 0) uses the program's own random source, seeded as InitRun seeds it when the
// program is started i seconds after midnight.
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>

#include "drill/drill.h"
#include "lean_window.h"

namespace {

constexpr int kHistoryCycle = 144;
constexpr std::array<int, 3> kDistances = {1, 5, 8};

// The program's random source, seeded with a chosen time of day whatever InitRun asks for.
class SeededRandom : public drill::RandomSource {
 public:
  explicit SeededRandom(float secondsSinceMidnight) : seconds_(secondsSinceMidnight) {}
  void Seed(float) override { source_->Seed(seconds_); }
  float Next() override { return source_->Next(); }

 private:
  float seconds_;
  std::unique_ptr<drill::RandomSource> source_ = drill::MakeSystemRandomSource();
};

struct RunRepeats {
  // For each distance: a repeat across an emptying, one not across; the first task that repeats
  // the one just before it (0 if none).
  std::array<bool, kDistances.size()> across{};
  std::array<bool, kDistances.size()> notAcross{};
  int firstInARow = 0;
};

RunRepeats countRepeats(int run) {
  LeanWindow window;
  SeededRandom random(static_cast<float>(run));
  drill::Drill drill(window, random);
  drill.InitRun();
  drill.NewTask();  // Start

  std::array<std::pair<int, int>, drill::kTasksPerRun + 1> roots{};
  RunRepeats repeats;
  for (int t = 1; t <= drill::kTasksPerRun; ++t) {
    roots[t] = {drill.state.X1, drill.state.X2};
    for (int s = std::max(1, t - kDistances.back()); s < t; ++s) {
      if (roots[s] != roots[t]) continue;
      const bool across = t / kHistoryCycle > s / kHistoryCycle;
      for (std::size_t d = 0; d < kDistances.size(); ++d) {
        if (t - s > kDistances[d]) continue;
        (across ? repeats.across : repeats.notAcross)[d] = true;
      }
      if (s == t - 1 && repeats.firstInARow == 0) repeats.firstInARow = t;
    }
    window.Type("Text4", std::to_string(drill.state.X1));
    window.Type("Text5", std::to_string(drill.state.X2));
    drill.CheckAnswer();
    drill.NextTask();
  }
  return repeats;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 1 ? std::atoi(argv[1]) : 2000;
  if (runs < 1) {
    std::fprintf(stderr, "usage: repeat_count [runs]  (a whole number, at least 1)\n");
    return 2;
  }

  std::array<int, kDistances.size()> any{}, across{}, notAcross{};
  int firstInARow = 0, firstInARowRun = -1;
  for (int run = 0; run < runs; ++run) {
    const RunRepeats r = countRepeats(run);
    for (std::size_t d = 0; d < kDistances.size(); ++d) {
      any[d] += r.across[d] || r.notAcross[d] ? 1 : 0;
      across[d] += r.across[d] ? 1 : 0;
      notAcross[d] += r.notAcross[d] ? 1 : 0;
    }
    if (r.firstInARow != 0 && (firstInARow == 0 || r.firstInARow < firstInARow)) {
      firstInARow = r.firstInARow;
      firstInARowRun = run;
    }
  }

  std::printf("%d runs of %d tasks, run i seeded as started i s after midnight (i = 0..%d)\n", runs,
              static_cast<int>(drill::kTasksPerRun), runs - 1);
  std::printf("%-28s %6s %12s %12s\n", "runs that repeated", "runs", "across 144", "not across");
  const char* labels[] = {"the equation just solved", "one within five tasks",
                          "one within eight tasks"};
  for (std::size_t d = 0; d < kDistances.size(); ++d) {
    std::printf("%-28s %6d %12d %12d\n", labels[d], any[d], across[d], notAcross[d]);
  }
  if (firstInARow == 0) {
    std::printf("first task repeating the one before it: none\n");
  } else {
    std::printf("first task repeating the one before it: %d (run %d)\n", firstInARow,
                firstInARowRun);
  }
  return 0;
}
