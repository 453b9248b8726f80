#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <random>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "drill_run.h"

namespace {

// A run whose first task (roots -2 and 7) is solved, Next not yet pressed.
struct Solved : DrillRun {
  Solved() {
    Load(1);  // 1234: task 1 takes pattern 2, task 2 pattern 3
    random.ScriptRoots(2, 7);
    Start();
    AnswerRightly();
  }
};

TEST(NextTask, AddsTheTaskTimeToTheTotalAndOpensTheNextTaskInOrder) {
  Solved run;
  run.state.TaskMin = 1;
  run.state.TaskSec = 35;
  run.state.TotalMin = 2;
  run.state.TotalSec = 40;
  run.window.ClearCalls();
  run.random.ScriptRoots(8, 3);
  run.drill.NextTask();

  EXPECT_EQ(CallLog(run.window),
            "SetEnabled Text4 1; SetEnabled Text5 1; SetText Text5; SetText Text4; "
            "SetCaption Label12; SetVisible Command3 0; SetVisible Command1 0; "
            "SetCaption Label19 15; SetCaption Label21 4; SetVisible Label15 0; "
            "SetVisible Label16 0; SetCaption Label14 00; SetEnabled Timer1 1; "
            "ShowEquation 5 -24; SetFocus Text4");
  EXPECT_EQ(run.state.TaskNo, 2);
  EXPECT_EQ(run.state.HistX1[1], -2);
  EXPECT_EQ(run.state.HistX2[1], 7);
}

TEST(NextTask, CarriesTheTotalSecondsIntoMinutes) {
  struct Case {
    const char* name;
    int taskMin, taskSec, totalMin, totalSec;
    const char* shownSec;
    const char* shownMin;
    std::int16_t totalMinAfter;
  };
  const Case cases[] = {
      {"1:35 + 2:40", 1, 35, 2, 40, "15", "4", 4},
      {"first task", 0, 5, 0, 0, "05", "0", 0},
      {"seconds make a whole minute", 0, 30, 0, 30, "00", "1", 1},
      {"total passes an hour", 59, 59, 0, 1, "00", "60", 60},
      {"total holds at its limit", 0, 45, 32767, 30, "15", "32767", 32767},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Solved run;
    run.state.TaskMin = static_cast<std::int16_t>(c.taskMin);
    run.state.TaskSec = static_cast<std::int16_t>(c.taskSec);
    run.state.TotalMin = static_cast<std::int16_t>(c.totalMin);
    run.state.TotalSec = static_cast<std::int16_t>(c.totalSec);
    run.drill.NextTask();
    EXPECT_EQ(run.window.Text("Label19"), c.shownSec);
    EXPECT_EQ(run.window.Text("Label21"), c.shownMin);
    EXPECT_EQ(run.state.TotalMin, c.totalMinAfter);
  }
}

TEST(NextTask, DrawsANewSignRowOnlyAfterEveryFourthTask) {
  for (int from : {1, 2, 3, 4, 5, 7, 8, 143, 144}) {
    SCOPED_TRACE(from);
    Solved run;
    run.state.PermRow = 5;
    run.state.TaskNo = static_cast<std::int16_t>(from);
    run.random.ScriptRow(17);
    run.drill.NextTask();
    EXPECT_EQ(run.state.PermRow, from % 4 == 0 ? 17 : 5);
    EXPECT_EQ(run.state.TaskNo, from + 1);
  }
}

TEST(TickSecond, CountsMinutesAndSecondsAndRollsOverAfterAnHour) {
  struct Case {
    int min, sec, minAfter, secAfter;
    const char* calls;
  };
  const Case cases[] = {
      {0, 9, 0, 10, "SetCaption Label14 10"},
      {0, 59, 1, 0,  // the first full minute shows the minute labels
       "SetVisible Label15 1; SetVisible Label16 1; SetCaption Label16 1; SetCaption Label14 00"},
      {1, 59, 2, 0, "SetCaption Label16 2; SetCaption Label14 00"},
      {59, 59, 0, 0,  // a full hour starts again from 0:00
       "SetVisible Label15 0; SetVisible Label16 0; SetCaption Label16 0; SetCaption Label14 00"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::Message() << c.min << ":" << c.sec);
    Solved run;
    run.state.TaskMin = static_cast<std::int16_t>(c.min);
    run.state.TaskSec = static_cast<std::int16_t>(c.sec);
    run.window.ClearCalls();
    run.drill.TickSecond();
    EXPECT_EQ(CallLog(run.window), c.calls);
    EXPECT_EQ(run.state.TaskMin, c.minAfter);
    EXPECT_EQ(run.state.TaskSec, c.secAfter);
  }
}

TEST(TickSecond, ShowsTheTimeWithinTheHourAfterTwoHoursOfTicks) {
  Solved run;
  run.drill.NextTask();
  for (int tick = 0; tick < 2 * 3600 + 65; ++tick) run.drill.TickSecond();
  EXPECT_EQ(run.window.Text("Label14"), "05");
  EXPECT_EQ(run.window.Text("Label16"), "1");
  EXPECT_TRUE(run.window.Visible("Label15") && run.window.Visible("Label16"));
}

// The roots of x^2 + p*x + q = 0, found by trying every candidate, smaller magnitude first.
Roots RootsOf(int p, int q) {
  std::vector<int> roots;
  for (int x = -9; x <= 9; ++x) {
    if (x != 0 && x * x + p * x + q == 0) roots.push_back(x);
  }
  if (roots.size() != 2) return {0, 0};
  if (std::abs(roots[0]) > std::abs(roots[1])) std::swap(roots[0], roots[1]);
  return {roots[0], roots[1]};
}

// How many wrong answers the pupil gives on each task: 9,500 over the 500 tasks, so the run
// takes 10,000 answers. A third of the tasks are solved at once, a third after a few tries, a
// third after many.
std::vector<int> PlanWrongAnswers(std::mt19937& pupil) {
  std::uniform_int_distribution<int> kind(0, 2), few(1, 8), many(9, 100), task(1, 500);
  std::vector<int> plan(501, 0);
  int total = 0;
  for (int t = 1; t <= 500; ++t) {
    const int k = kind(pupil);
    plan[t] = k == 0 ? 0 : k == 1 ? few(pupil) : many(pupil);
    total += plan[t];
  }
  while (total != 9500) {
    const int t = task(pupil);
    if (plan[t] < 9) continue;
    const int step = total < 9500 ? 1 : plan[t] > 9 ? -1 : 0;
    plan[t] += step;
    total += step;
  }
  return plan;
}

// Wrong answers of five kinds: signs flipped, one root and an empty box, one root twice, one
// root and a near miss, no number at all.
std::pair<std::string, std::string> WrongAnswer(int kind, Roots r) {
  const std::string a = std::to_string(r.first), b = std::to_string(r.second);
  const std::pair<std::string, std::string> answers[] = {
      {std::to_string(-r.first), std::to_string(-r.second)},
      {b, ""},
      {a, a},
      {a, std::to_string(r.second + 1)},
      {"x", ""}};
  return answers[kind];
}

// A whole run as a pupil makes it: every equation read off the screen, wrong answers of every
// kind, the stopwatch ticking, and each figure on screen checked against the pupil's own count.
// Solving task 500 completes the run: Next is not shown, and pressing it does nothing.
TEST(WholeRun, TenThousandAnswersEndCleanlyAtTask500WithTheStatisticsAsCounted) {
  DrillRun run;
  run.Load(9);
  run.Start();
  std::mt19937 pupil(2024);
  const std::vector<int> plan = PlanWrongAnswers(pupil);
  std::uniform_int_distribution<int> wrongKind(0, 4), ticks(0, 3), order(0, 1);
  const int scoreByAttempt[] = {0, 5, 2, 2, 1, 1, 1, 1, 1, 1};

  int wrong = 0, firstTries = 0, scoreSum = 0, totalSeconds = 0;
  std::map<int, Roots> sinceEmptying;  // by task
  std::set<int> blockPatterns;
  for (int task = 1; task <= 500; ++task) {
    SCOPED_TRACE(task);
    ASSERT_EQ(run.window.equations.size(), static_cast<std::size_t>(task));
    const auto [p, q] = run.window.equations.back();
    const Roots roots = RootsOf(p, q);
    ASSERT_NE(roots.first, 0) << "p " << p << " q " << q;
    ASSERT_NE(std::abs(roots.first), std::abs(roots.second));

    // No equation comes back before the history is emptied: wholly at every 144th task, and
    // down to the last eight tasks when the task's pattern has used up all 36 of its pairs.
    const int pattern = PatternOf(roots);
    if (task % 144 == 0) sinceEmptying.clear();
    if (std::count_if(sinceEmptying.begin(), sinceEmptying.end(), [&](const auto& entry) {
          return PatternOf(entry.second) == pattern;
        }) == 36) {
      std::erase_if(sinceEmptying, [&](const auto& entry) { return entry.first < task - 8; });
    }
    EXPECT_TRUE(std::none_of(sinceEmptying.begin(), sinceEmptying.end(),
                             [&](const auto& entry) { return entry.second == roots; }))
        << roots.first << " " << roots.second;
    sinceEmptying[task] = roots;
    EXPECT_TRUE(blockPatterns.insert(pattern).second) << "pattern twice in a block";
    if (task % 4 == 0) blockPatterns.clear();

    int taskSeconds = 0;
    for (int i = 0; i <= plan[task]; ++i) {
      for (int n = ticks(pupil); n > 0; --n, ++taskSeconds) {
        ASSERT_TRUE(run.window.Enabled("Timer1"));
        run.drill.TickSecond();
      }
      if (i < plan[task]) {
        const auto [first, second] = WrongAnswer(wrongKind(pupil), roots);
        run.Answer(first, second);
        ASSERT_EQ(run.window.Text("Label12"), "Неправильно!");
        ASSERT_EQ(run.window.Text("Text3"), std::to_string(++wrong));
      } else if (order(pupil) == 0) {
        run.Answer(std::to_string(roots.first), std::to_string(roots.second));
      } else {
        run.Answer(std::to_string(roots.second), std::to_string(roots.first));
      }
    }
    ASSERT_EQ(run.window.Text("Label12"), "Правильно!");
    const int attempts = plan[task] + 1;
    const int score = attempts < 10 ? scoreByAttempt[attempts] : 0;
    firstTries += attempts == 1 ? 1 : 0;
    scoreSum += score;
    EXPECT_EQ(run.state.Scores[task], score);
    EXPECT_EQ(run.window.Text("Text1"), std::to_string(task));
    EXPECT_EQ(run.window.Text("Text2"), std::to_string(firstTries));
    if (task > 5) {
      EXPECT_EQ(run.window.Text("Label6"), TenthsText(TenthsOfAverage(scoreSum, task)));
      EXPECT_EQ(run.window.Text("Label4"),
                std::to_string(GradeOfTenths(TenthsOfAverage(scoreSum, task))));
    }
    ASSERT_EQ(run.window.Visible("Command3"), task < 500);
    if (task < 500) {
      totalSeconds += taskSeconds;
      run.drill.NextTask();
    }
  }

  EXPECT_EQ(run.window.Text("Text3"), "9500");
  EXPECT_EQ(run.state.ScoreSum, scoreSum);
  const int seconds = totalSeconds % 60;
  EXPECT_EQ(run.window.Text("Label19"), (seconds < 10 ? "0" : "") + std::to_string(seconds));
  EXPECT_EQ(run.window.Text("Label21"), std::to_string(totalSeconds / 60));

  EXPECT_EQ(run.window.Text("Text1"), "500");
  run.window.ClearCalls();
  for (int press = 0; press < 3; ++press) run.drill.NextTask();
  EXPECT_TRUE(run.window.calls.empty()) << "the run is complete";
  EXPECT_EQ(run.state.TaskNo, 500);
  EXPECT_EQ(run.window.equations.size(), 500u);
}

}  // namespace
