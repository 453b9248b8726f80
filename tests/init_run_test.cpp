#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <string>

#include "drill/drill.h"
#include "drill/time_of_day.h"
#include "drill_run.h"

namespace {

TEST(InitRun, LeavesTheRunWaitingForStart) {
  DrillRun run;
  run.Load(17);

  const drill::DrillState& s = run.state;
  EXPECT_EQ(s.TaskNo, 1);
  EXPECT_EQ(s.Attempts, 1);
  EXPECT_EQ(s.PermRow, 17);
  for (int value : {s.FirstTryCount, s.WrongCount, s.ScoreSum, s.Grade, s.X1, s.X2, s.SignMode,
                    s.TaskSec, s.TaskMin, s.TotalSec, s.TotalMin}) {
    EXPECT_EQ(value, 0);
  }
  EXPECT_EQ(CallLog(run.window),
            "SetupEquationFonts; SetVisible Command1 0; SetEnabled Text4 0; SetEnabled Text5 0; "
            "SetVisible Label15 0; SetVisible Label16 0; SetEnabled Timer1 0");
}

// Remembers how many draws came before the seed.
struct SeedWatcher : ScriptedRandom {
  void Seed(float seconds) override {
    drawsBeforeSeed = draws;
    ScriptedRandom::Seed(seconds);
  }
  long drawsBeforeSeed = -1;
};

TEST(InitRun, SeedsOnceFromTheTimeOfDayBeforeDrawingTheRow) {
  FakeWindow window;
  SeedWatcher random;
  drill::Drill(window, random).InitRun();
  EXPECT_EQ(random.drawsBeforeSeed, 0);
  EXPECT_EQ(random.draws, 1);
  ASSERT_EQ(random.seeds.size(), 1u);
  EXPECT_GE(random.seeds[0], 0.0f);
  EXPECT_LT(random.seeds[0], 86400.0f);
}

TEST(SecondsSinceMidnight, StaysWithinOneDay) {
  struct Case {
    const char* name;
    int hour, minute, second;
    double fraction;
    float expected;
  };
  const Case cases[] = {
      {"midnight", 0, 0, 0, 0.0, 0.0f},
      {"noon and a half second", 12, 0, 0, 0.5, 43200.5f},
      {"last milliseconds round below a full day", 23, 59, 59, 0.998, 86399.9921875f},
      {"leap second", 23, 59, 60, 0.5, 86399.9921875f},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(drill::SecondsSinceMidnight(c.hour, c.minute, c.second, c.fraction), c.expected);
  }
}

TEST(InitRun, FillsTheSignTableWithTheTwentyFourOrderingsInTheirFixedOrder) {
  DrillRun run;
  run.Load(1);
  const std::array<std::int16_t, 25> expected = {
      0,    1234, 1243, 1324, 1342, 1423, 1432, 2341, 2314, 2413, 2431, 2134, 2143,
      4123, 4132, 4231, 4213, 4312, 4321, 3412, 3421, 3124, 3142, 3214, 3241};
  EXPECT_EQ(run.state.PermTable, expected);
}

// Gener(n) is n times the draw, truncated, plus one; the product is never rounded to a float,
// which would carry a draw just below a slice boundary into the next slice.
TEST(Gener, TruncatesTheDoublePrecisionProduct) {
  struct Case {
    const char* name;
    float draw;
    std::int16_t n;
    std::int16_t expected;
  };
  const float justBelowOne = std::nextafter(1.0f, 0.0f);
  const Case cases[] = {
      {"0.15 of nine", 0.15f, 9, 2},
      {"0.75 of nine", 0.75f, 9, 7},
      {"zero", 0.0f, 9, 1},
      {"just below one, nine", justBelowOne, 9, 9},
      {"just below one, a row", justBelowOne, 24, 24},
      {"24 x 0.458333313 is 10.9999995, a float 11", 0x1.d55554p-2f, 24, 11},
      {"24 x 0.791666627 is 18.999999, a float 19", 0x1.955554p-1f, 24, 19},
      {"24 x 0.916666627 is 21.999999, a float 22", 0x1.d55554p-1f, 24, 22},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    DrillRun run;
    run.random.Script({c.draw});
    EXPECT_EQ(run.drill.Gener(c.n), c.expected);
  }
}

}  // namespace
