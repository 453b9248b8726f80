#include "window/second_timer.h"

using Clock = form::TickSchedule::Clock;

SecondTimer::SecondTimer(std::chrono::milliseconds interval, QObject* parent)
    : QObject(parent), runs_(interval) {
  wakeUp_.setSingleShot(true);
  wakeUp_.setTimerType(Qt::PreciseTimer);
  connect(&wakeUp_, &QTimer::timeout, this, &SecondTimer::deliverDueTicks);
}

void SecondTimer::setEnabled(bool enabled) {
  if (!runs_.SetEnabled(enabled, Clock::now())) return;
  if (enabled) {
    scheduleNextTick();
  } else {
    wakeUp_.stop();
  }
}

void SecondTimer::deliverDueTicks() {
  if (runs_.DeliverDueTicks(Clock::now(), [this] { emit tick(); })) scheduleNextTick();
}

void SecondTimer::scheduleNextTick() {
  wakeUp_.start(static_cast<int>(runs_.UntilNextTick(Clock::now()).count()));
}
