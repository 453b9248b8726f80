#include "web/second_timer.h"

#include <emscripten/eventloop.h>

#include <utility>

namespace web {

using Clock = form::TickSchedule::Clock;

SecondTimer::SecondTimer(std::chrono::milliseconds interval, std::function<void()> tick)
    : schedule_(interval), tick_(std::move(tick)) {}

SecondTimer::~SecondTimer() { stopWakingUp(); }

void SecondTimer::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  if (enabled) {
    ++run_;
    schedule_.Start(Clock::now());
    scheduleWakeUp();
  } else {
    stopWakingUp();
  }
}

void SecondTimer::wakeUp(void* timer) {
  auto& self = *static_cast<SecondTimer*>(timer);
  self.timeout_ = 0;
  self.deliverDueTicks();
}

void SecondTimer::deliverDueTicks() {
  const Clock::time_point now = Clock::now();
  const std::uint64_t run = run_;
  // A tick handler may disable the timer (or disable and enable it again); the ticks still owed
  // to the earlier run are then dropped.
  while (enabled_ && run == run_ && schedule_.TakeDueTick(now)) tick_();
  if (enabled_ && run == run_) scheduleWakeUp();
}

void SecondTimer::scheduleWakeUp() {
  stopWakingUp();
  const double wait = static_cast<double>(schedule_.UntilNextTick(Clock::now()).count());
  timeout_ = emscripten_set_timeout(&SecondTimer::wakeUp, wait, this);
}

void SecondTimer::stopWakingUp() {
  if (timeout_ != 0) emscripten_clear_timeout(timeout_);
  timeout_ = 0;
}

}  // namespace web
