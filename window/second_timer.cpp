#include "window/second_timer.h"

using Clock = form::TickSchedule::Clock;

SecondTimer::SecondTimer(std::chrono::milliseconds interval, QObject* parent)
    : QObject(parent), schedule_(interval) {
  wakeUp_.setSingleShot(true);
  wakeUp_.setTimerType(Qt::PreciseTimer);
  connect(&wakeUp_, &QTimer::timeout, this, &SecondTimer::deliverDueTicks);
}

void SecondTimer::setEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (enabled) {
    ++run_;
    schedule_.Start(Clock::now());
    scheduleNextTick();
  } else {
    wakeUp_.stop();
  }
}

void SecondTimer::deliverDueTicks() {
  const Clock::time_point now = Clock::now();
  const quint64 run = run_;
  // A tick handler may disable the timer (or disable and enable it again); the ticks still owed
  // to the earlier run are then dropped.
  while (enabled_ && run == run_ && schedule_.TakeDueTick(now)) emit tick();
  if (enabled_ && run == run_) scheduleNextTick();
}

void SecondTimer::scheduleNextTick() {
  wakeUp_.start(static_cast<int>(schedule_.UntilNextTick(Clock::now()).count()));
}
