// The one-second timer of the task stopwatch.
//
// Ticks fall on form::TickSchedule: tick n is due n intervals after the timer was enabled, on a
// monotonic clock. A Windows timer only wakes the owner window, once, for the next due tick, so
// lateness never accumulates; a wake-up that comes late (the message loop stalled) delivers
// every tick that fell due meanwhile, so the stopwatch still reads true time. While disabled no
// WM_TIMER is pending; enabling starts the count afresh.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>

#include "form/tick_schedule.h"

namespace win32 {

class SecondTimer {
 public:
  // The timer's WM_TIMER messages go to owner, which passes them to OnTimer.
  SecondTimer(HWND owner, UINT_PTR id, std::chrono::milliseconds interval,
              std::function<void()> tick);
  ~SecondTimer();
  SecondTimer(const SecondTimer&) = delete;
  SecondTimer& operator=(const SecondTimer&) = delete;

  void SetEnabled(bool enabled);
  bool IsEnabled() const { return runs_.enabled(); }
  std::chrono::milliseconds interval() const { return runs_.interval(); }

  // The owner's WM_TIMER; false when it was another timer's.
  bool OnTimer(UINT_PTR id);
  // Raises one tick now, as if it had fallen due: a test passes an hour with it in no time.
  void Fire() { tick_(); }

 private:
  void scheduleWakeUp();
  void stopWakingUp();

  HWND owner_;
  UINT_PTR id_;
  form::TimerRuns runs_;
  std::function<void()> tick_;
};

}  // namespace win32
