// The stopwatch's tick schedule, on a clock the test moves by hand.
#include <gtest/gtest.h>

#include "form/tick_schedule.h"

namespace {

using namespace std::chrono_literals;
using Clock = form::TickSchedule::Clock;

int takeAll(form::TickSchedule& schedule, Clock::time_point now) {
  int ticks = 0;
  while (schedule.TakeDueTick(now)) ++ticks;
  return ticks;
}

TEST(TickSchedule, TicksEveryIntervalCountedFromEnablingWithoutDrift) {
  form::TickSchedule schedule(1000ms);
  const Clock::time_point start{5s};
  schedule.Start(start);
  EXPECT_EQ(takeAll(schedule, start + 999ms), 0);
  EXPECT_EQ(schedule.UntilNextTick(start + 999ms), 1ms);
  // Each wake-up comes 30 ms late; the next is still due on the whole second.
  for (int second = 1; second <= 100; ++second) {
    const Clock::time_point wokeUp = start + second * 1000ms + 30ms;
    ASSERT_EQ(takeAll(schedule, wokeUp), 1);
    ASSERT_EQ(schedule.UntilNextTick(wokeUp), 970ms);
  }
}

TEST(TickSchedule, MakesUpTicksMissedInAStallAndStartsAfreshWhenEnabledAgain) {
  form::TickSchedule schedule(1000ms);
  const Clock::time_point start{0s};
  schedule.Start(start);
  EXPECT_EQ(takeAll(schedule, start + 3500ms), 3);  // the loop stalled for three and a half seconds
  EXPECT_EQ(schedule.UntilNextTick(start + 3500ms), 500ms);
  EXPECT_EQ(schedule.UntilNextTick(start + 4200ms), 0ms) << "a tick is due already";

  schedule.Start(start + 4200ms);  // disabled and enabled again: nothing owed is paid
  EXPECT_EQ(takeAll(schedule, start + 5100ms), 0);
  EXPECT_EQ(takeAll(schedule, start + 5200ms), 1);
}

// A wake-up never comes early: the wait is rounded up to whole milliseconds.
TEST(TickSchedule, RoundsTheWaitUp) {
  form::TickSchedule schedule(1000ms);
  const Clock::time_point start{0s};
  schedule.Start(start);
  EXPECT_EQ(schedule.UntilNextTick(start + 1us), 1000ms);
}

// A wake-up pays the ticks due to the run it was armed for, and none to a run begun by a tick.
TEST(TimerRuns, DeliverDueTicksOnlyToTheRunThatIsStillOn) {
  struct Case {
    const char* name;
    int handlerStopsAfter;  // the tick after which the handler disables the timer; 0: never
    bool handlerEnablesAgain;
    int delivered;
    bool wakesAgain;
  };
  const Case cases[] = {
      {"three due, all delivered", 0, false, 3, true},
      {"the handler disables the timer", 1, false, 1, false},
      {"the handler disables and enables it again", 2, true, 2, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    form::TimerRuns timer(1000ms);
    const Clock::time_point start{0s};
    EXPECT_TRUE(timer.SetEnabled(true, start));
    EXPECT_FALSE(timer.SetEnabled(true, start)) << "already on: the wake-up stays as it is";
    int delivered = 0;
    const bool wakesAgain = timer.DeliverDueTicks(start + 3500ms, [&] {
      ++delivered;
      if (delivered == c.handlerStopsAfter) {
        timer.SetEnabled(false, start + 3500ms);
        if (c.handlerEnablesAgain) timer.SetEnabled(true, start + 3500ms);
      }
    });
    EXPECT_EQ(delivered, c.delivered);
    EXPECT_EQ(wakesAgain, c.wakesAgain);
    EXPECT_EQ(timer.enabled(), c.handlerStopsAfter == 0 || c.handlerEnablesAgain);
  }
}

}  // namespace
