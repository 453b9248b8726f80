// The one-second timer of the task stopwatch, on the browser's timeouts.
//
// Ticks fall on form::TickSchedule: tick n is due n intervals after the timer was enabled, on
// the page's monotonic clock. A timeout, not an animation frame, wakes it, since frames stop in
// a background tab; and a browser that holds timeouts back (a tab in the background, a phone
// with its screen off) is made up to on the next wake-up: every tick due by then is delivered,
// so the stopwatch still reads true time.
#pragma once

#include <chrono>
#include <functional>

#include "form/tick_schedule.h"

namespace web {

class SecondTimer {
 public:
  SecondTimer(std::chrono::milliseconds interval, std::function<void()> tick);
  ~SecondTimer();
  SecondTimer(const SecondTimer&) = delete;
  SecondTimer& operator=(const SecondTimer&) = delete;

  void SetEnabled(bool enabled);
  bool IsEnabled() const { return runs_.enabled(); }

 private:
  static void wakeUp(void* timer);
  void scheduleWakeUp();
  void stopWakingUp();

  form::TimerRuns runs_;
  std::function<void()> tick_;
  long timeout_ = 0;  // the pending wake-up; 0 for none
};

}  // namespace web
