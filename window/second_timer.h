// The one-second timer of the task stopwatch.
//
// Ticks fall every interval counted from the moment the timer is enabled: tick n is due n
// intervals after that moment, on a monotonic clock. Each wake-up is scheduled for the next due
// tick, so lateness never accumulates, and a wake-up that comes late (the event loop stalled)
// delivers every tick that fell due meanwhile, so the stopwatch still reads true time. While
// disabled the timer raises no tick; enabling it starts the count afresh.
#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <chrono>

class SecondTimer : public QObject {
  Q_OBJECT

 public:
  explicit SecondTimer(std::chrono::milliseconds interval, QObject* parent = nullptr);

  void setEnabled(bool enabled);
  bool isEnabled() const { return enabled_; }
  std::chrono::milliseconds interval() const { return interval_; }

 signals:
  void tick();

 private:
  void deliverDueTicks();
  void scheduleNextTick();

  std::chrono::milliseconds interval_;
  QTimer wakeUp_;
  QElapsedTimer sinceEnabled_;
  qint64 ticksDelivered_ = 0;
  quint64 run_ = 0;  // counts enablings, so a late wake-up never pays ticks to a newer run
  bool enabled_ = false;
};
