// The stopwatch timer: ticks only while enabled, and a stalled event loop loses no second.
#include "window/second_timer.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QTest>
#include <thread>

namespace {

using namespace std::chrono_literals;

// Holds the event loop up, as a slow handler or a busy machine would.
void stall(std::chrono::milliseconds length) { std::this_thread::sleep_for(length); }

TEST(SecondTimer, RaisesNoTickWhileDisabledAndStartsCountingWhenEnabled) {
  SecondTimer timer(20ms);
  int ticks = 0;
  QObject::connect(&timer, &SecondTimer::tick, [&] { ++ticks; });
  QTest::qWait(60);
  EXPECT_EQ(ticks, 0);
  timer.setEnabled(true);
  QTest::qWait(10);
  EXPECT_EQ(ticks, 0);  // the first tick comes one full interval after enabling
  EXPECT_TRUE(QTest::qWaitFor([&] { return ticks >= 2; }, 2000));
  timer.setEnabled(false);
  const int stopped = ticks;
  QTest::qWait(60);
  EXPECT_EQ(ticks, stopped);
}

// Qt drops the timeouts it could not deliver during a stall; this timer pays them all out, so
// the count after the stall equals the whole intervals elapsed.
TEST(SecondTimer, MakesUpTicksMissedWhileTheEventLoopStalled) {
  SecondTimer timer(50ms);
  int ticks = 0;
  QObject::connect(&timer, &SecondTimer::tick, [&] { ++ticks; });
  QElapsedTimer enabledFor;
  timer.setEnabled(true);
  enabledFor.start();
  stall(420ms);
  QTest::qWait(30);
  const qint64 lowerBound = 420 / 50;
  EXPECT_GE(ticks, lowerBound);
  EXPECT_LE(ticks, enabledFor.elapsed() / 50);
}

// Disabling during a stall drops what was owed; enabling again counts from zero.
TEST(SecondTimer, DropsOwedTicksWhenDisabledAndCountsAfreshWhenEnabledAgain) {
  SecondTimer timer(50ms);
  int ticks = 0;
  QObject::connect(&timer, &SecondTimer::tick, [&] { ++ticks; });
  timer.setEnabled(true);
  stall(220ms);
  timer.setEnabled(false);
  timer.setEnabled(true);
  QTest::qWait(20);
  EXPECT_EQ(ticks, 0);
}

}  // namespace
