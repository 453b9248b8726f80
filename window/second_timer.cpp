#include "window/second_timer.h"

#include <algorithm>

SecondTimer::SecondTimer(std::chrono::milliseconds interval, QObject* parent)
    : QObject(parent), interval_(interval) {
  wakeUp_.setSingleShot(true);
  wakeUp_.setTimerType(Qt::PreciseTimer);
  connect(&wakeUp_, &QTimer::timeout, this, &SecondTimer::deliverDueTicks);
}

void SecondTimer::setEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (enabled) {
    ++run_;
    ticksDelivered_ = 0;
    sinceEnabled_.start();
    scheduleNextTick();
  } else {
    wakeUp_.stop();
  }
}

void SecondTimer::deliverDueTicks() {
  const qint64 due = sinceEnabled_.elapsed() / interval_.count();
  const quint64 run = run_;
  // A tick handler may disable the timer (or disable and enable it again); the ticks still owed
  // to the earlier run are then dropped.
  while (enabled_ && run == run_ && ticksDelivered_ < due) {
    ++ticksDelivered_;
    emit tick();
  }
  if (enabled_) scheduleNextTick();
}

void SecondTimer::scheduleNextTick() {
  const qint64 nextDue = (ticksDelivered_ + 1) * interval_.count();
  wakeUp_.start(static_cast<int>(std::max<qint64>(0, nextDue - sinceEnabled_.elapsed())));
}
