#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "drill_run.h"

namespace {

// Rows of the sign table whose second digit, the one task 1 takes, is pattern 1, 2, 3, 4.
constexpr int kRowGivingTask1[5] = {0, 13, 1, 7, 19};  // 4123, 1234, 2341, 3412

Roots Drawn(const DrillRun& run) { return {run.state.X1, run.state.X2}; }

TEST(NewTask, DrawsTwoAndSevenAsXSquaredMinusNineXPlusFourteen) {
  DrillRun run;
  run.Load(12);  // 2143: task 1 takes the digit 1
  run.random.Script({0.15f, 0.75f});
  run.window.ClearCalls();
  run.drill.NewTask();
  EXPECT_EQ(Drawn(run), Roots(2, 7));
  EXPECT_EQ(run.state.SignMode, 1);
  EXPECT_EQ(CallLog(run.window), "ShowEquation -9 14; SetFocus Text4");
}

TEST(NewTask, OrdersTheRootsThenAppliesTheTasksSignPattern) {
  struct Case {
    const char* name;
    int pattern;
    Roots roots;
    const char* shown;
  };
  const Case cases[] = {
      {"both positive", 1, {2, 7}, "ShowEquation -9 14"},
      {"smaller negated", 2, {-2, 7}, "ShowEquation -5 -14"},
      {"larger negated", 3, {2, -7}, "ShowEquation 5 -14"},
      {"both negated", 4, {-2, -7}, "ShowEquation 9 14"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DrillRun run;
    run.Load(kRowGivingTask1[c.pattern]);
    run.random.ScriptRoots(7, 2);
    run.window.ClearCalls();
    run.drill.NewTask();
    EXPECT_EQ(run.state.SignMode, c.pattern);
    EXPECT_EQ(Drawn(run), c.roots);
    EXPECT_EQ(run.window.calls.front(), c.shown);
  }
}

TEST(NewTask, DrawsBothRootsAgainWhenTheyAreEqual) {
  DrillRun run;
  run.Load(12);
  run.random.ScriptRoots(4, 4);
  run.random.ScriptRoots(4, 6);
  run.drill.NewTask();
  EXPECT_EQ(Drawn(run), Roots(4, 6));
  EXPECT_EQ(run.random.draws, 1 + 4);  // the row at load, then two pairs
}

// Rows 1 to 24 serve blocks 1 to 24 in turn; each block takes its row's second, third, fourth
// and first digit, so each pattern comes once per block.
TEST(SignPatternSchedule, EachBlockOfFourTakesItsRowsDigitsInTurn) {
  DrillRun run;
  run.Load(1);
  run.Start();
  for (int task = 1; task <= 96; ++task) {
    SCOPED_TRACE(task);
    const int row = (task - 1) / 4 + 1;
    const int placeInBlock = (task - 1) % 4;
    const int digitForPlace[4] = {1, 2, 3, 0};
    const int expected =
        std::to_string(run.state.PermTable[row])[digitForPlace[placeInBlock]] - '0';
    ASSERT_EQ(run.state.PermRow, row);
    EXPECT_EQ(run.state.SignMode, expected);
    EXPECT_EQ(PatternOf(Drawn(run)), expected);
    if (placeInBlock == 3) run.random.ScriptRow(row + 1);
    run.SolveAndGoOn();
  }
}

TEST(NewTask, RefusesAPairSolvedBeforeWithTheSameSignsOnly) {
  struct Case {
    const char* name;
    Roots solved;  // by task 1, signs included
    Roots accepted;
  };
  // Task 2 takes pattern 1 from row 9 (2413); the draws are 7 and 2, then 3 and 5.
  const Case cases[] = {
      {"same signs refused", {2, 7}, {3, 5}},
      {"smaller negated accepted", {-2, 7}, {2, 7}},
      {"larger negated accepted", {2, -7}, {2, 7}},
      {"both negated accepted", {-2, -7}, {2, 7}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DrillRun run;
    run.Load(9);
    run.state.TaskNo = 2;
    run.state.HistX1[1] = static_cast<std::int16_t>(c.solved.first);
    run.state.HistX2[1] = static_cast<std::int16_t>(c.solved.second);
    run.random.ScriptRoots(7, 2);
    run.random.ScriptRoots(3, 5);
    run.drill.NewTask();
    EXPECT_EQ(Drawn(run), c.accepted);
    EXPECT_EQ(run.window.equations.size(), 1u) << "only the accepted pair is shown";
  }
}

// Tasks 1 to 143 never repeat an equation; Next from 143 empties the history, so task 144 may
// repeat an earlier one.
TEST(History, IsEmptiedWhenTheTaskNumberReaches144) {
  DrillRun run;
  run.Load(5);
  run.Start();
  std::vector<Roots> roots = {{0, 0}};  // by task number
  for (int task = 1; task <= 143; ++task) {
    EXPECT_EQ(std::count(roots.begin(), roots.end(), Drawn(run)), 0) << "task " << task;
    roots.push_back(Drawn(run));
    if (task < 143) run.SolveAndGoOn();
  }
  EXPECT_EQ(run.state.HistX1[142], roots[142].first) << "the history is full before Next";

  // Task 144 takes the one pattern tasks 141..143 of its block did not; the task of 137..140
  // with that pattern is what the draw for 144 is given.
  int pattern144 = 1 + 2 + 3 + 4;
  for (int task = 141; task <= 143; ++task) pattern144 -= PatternOf(roots[task]);
  int earlier = 137;
  while (PatternOf(roots[earlier]) != pattern144) ++earlier;
  run.random.ScriptRoots(std::abs(roots[earlier].first), std::abs(roots[earlier].second));
  run.AnswerRightly();
  const long drawsBefore = run.random.draws;
  run.drill.NextTask();

  EXPECT_EQ(run.state.TaskNo, 144);
  EXPECT_EQ(Drawn(run), roots[earlier]);
  EXPECT_EQ(run.random.draws - drawsBefore, 2) << "accepted at the first draw";
  EXPECT_TRUE(HistoryEmptyThrough(run.state, 144));
}

// Tasks 144..284 ask for task 144's pattern 36 times, using all its pairs; when the block of
// 285..288 asks for it again before the next emptying, the history is emptied but for the last
// eight tasks, and the draw goes on instead of searching forever.
TEST(History, IsEmptiedButForTheLastEightTasksWhenTheTasksPatternHasNoUnusedPairLeft) {
  DrillRun run;
  run.Load(1);
  run.Start();
  std::vector<Roots> lastEight;  // tasks 277..284
  while (run.state.TaskNo < 285) {
    const int task = run.state.TaskNo;
    if (task >= 277) lastEight.push_back(Drawn(run));
    if (task == 140) run.random.ScriptRow(1);  // 1234: task 144 takes pattern 1
    if (task == 284) {
      run.random.ScriptRow(13);  // 4123: task 285 takes pattern 1 again
      std::set<Roots> pattern1 = {Drawn(run)};
      for (int i = 144; i < 284; ++i) pattern1.emplace(run.state.HistX1[i], run.state.HistX2[i]);
      std::erase_if(pattern1, [](const Roots& r) { return PatternOf(r) != 1; });
      ASSERT_EQ(pattern1.size(), 36u) << "every pair of pattern 1 is used by task 284";
    }
    run.SolveAndGoOn();
  }
  EXPECT_EQ(run.state.SignMode, 1);
  EXPECT_TRUE(HistoryEmptyThrough(run.state, 276));
  for (int task = 277; task <= 284; ++task) {
    EXPECT_EQ(Roots(run.state.HistX1[task], run.state.HistX2[task]), lastEight[task - 277])
        << "task " << task << " is no longer in the history";
  }
}

// With one pair of the pattern still unused the history stays, and the draw finds that pair.
TEST(History, IsKeptWhileThePatternHasAnUnusedPair) {
  for (int pattern = 1; pattern <= 4; ++pattern) {
    SCOPED_TRACE(pattern);
    DrillRun run;
    run.Load(kRowGivingTask1[pattern]);
    run.state.TaskNo = 37;  // takes the same digit as task 1
    int task = 1;
    for (int small = 1; small <= 9; ++small) {
      for (int large = small + 1; large <= 9; ++large) {
        if (small == 2 && large == 7) continue;
        run.state.HistX1[task] = static_cast<std::int16_t>(pattern % 2 == 0 ? -small : small);
        run.state.HistX2[task++] = static_cast<std::int16_t>(pattern >= 3 ? -large : large);
      }
    }
    run.state.HistX1[36] = static_cast<std::int16_t>(pattern == 1 ? -5 : 5);  // another pattern
    run.state.HistX2[36] = 8;
    run.random.ScriptRoots(1, 9);
    run.random.ScriptRoots(7, 2);
    run.drill.NewTask();
    EXPECT_EQ(std::abs(run.state.X1) * 10 + std::abs(run.state.X2), 27);
    EXPECT_FALSE(HistoryEmptyThrough(run.state, 36));
  }
}

// The program's own random source, seeded as at a chosen second after midnight whatever time of
// day InitRun asks for, so that a whole run is both real and repeatable.
class SeededSystemRandom : public drill::RandomSource {
 public:
  explicit SeededSystemRandom(float secondsSinceMidnight) : seconds_(secondsSinceMidnight) {}
  void Seed(float) override { source_->Seed(seconds_); }
  float Next() override { return source_->Next(); }

 private:
  float seconds_;
  std::unique_ptr<drill::RandomSource> source_ = drill::MakeSystemRandomSource();
};

// A pupil never gets an equation solved in the last eight tasks again, not even when the task's
// sign pattern has run out of equations and the history is emptied for it; only the emptying at
// every 144th task lets one come back sooner. Whole runs from 2000 starting times.
TEST(History, NoEquationComesBackWithinEightTasksUnlessEmptiedAtAMultipleOf144) {
  constexpr int kRuns = 2000;
  constexpr int kRecent = 8;
  int repeats = 0;
  std::string firstRepeat;
  int runsEmptiedForAPattern = 0;
  for (int seconds = 0; seconds < kRuns; ++seconds) {
    FakeWindow window;
    SeededSystemRandom random(static_cast<float>(seconds));
    drill::Drill drill(window, random);
    drill.InitRun();
    drill.NewTask();
    std::vector<Roots> roots = {{0, 0}};  // by task number
    bool emptiedForAPattern = false;
    for (int t = 1; t <= drill::kTasksPerRun; ++t) {
      roots.emplace_back(drill.state.X1, drill.state.X2);
      for (int s = std::max(1, t - kRecent); s < t; ++s) {
        const bool emptiedBetween = t / 144 > s / 144;
        if (roots[s] != roots[t] || emptiedBetween) continue;
        if (repeats++ == 0) {
          firstRepeat = "start at " + std::to_string(seconds) + " s: task " + std::to_string(t) +
                        " repeats task " + std::to_string(s);
        }
      }
      // An entry solved since the last 144th task but missing: emptied for a pattern.
      if (t % 144 > kRecent + 1 && drill.state.HistX1[t - kRecent - 1] == 0) {
        emptiedForAPattern = true;
      }
      drill.NextTask();  // the history takes the task's roots whether or not it was checked
      window.ClearCalls();
    }
    runsEmptiedForAPattern += emptiedForAPattern ? 1 : 0;
  }
  EXPECT_EQ(repeats, 0) << "first: " << firstRepeat;
  EXPECT_GT(runsEmptiedForAPattern, kRuns / 2) << "the runs seldom ran a pattern out";
}

}  // namespace
