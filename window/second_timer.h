// The one-second timer of the task stopwatch.
//
// Ticks fall on form::TickSchedule: tick n is due n intervals after the timer was enabled, on a
// monotonic clock. Each wake-up is scheduled for the next due tick, so lateness never accumulates,
// and a wake-up that comes late (the event loop stalled) delivers every tick that fell due
// meanwhile, so the stopwatch still reads true time. While disabled the timer raises no tick;
// enabling it starts the count afresh.
#pragma once

#include <QObject>
#include <QTimer>
#include <chrono>

#include "form/tick_schedule.h"

class SecondTimer : public QObject {
  Q_OBJECT

 public:
  explicit SecondTimer(std::chrono::milliseconds interval, QObject* parent = nullptr);

  void setEnabled(bool enabled);
  bool isEnabled() const { return runs_.enabled(); }
  std::chrono::milliseconds interval() const { return runs_.interval(); }

 signals:
  void tick();

 private:
  void deliverDueTicks();
  void scheduleNextTick();

  form::TimerRuns runs_;
  QTimer wakeUp_;
};
