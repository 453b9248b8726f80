#include "web/second_timer.h"

#include <emscripten/eventloop.h>

#include <utility>

namespace web {

using Clock = form::TickSchedule::Clock;

SecondTimer::SecondTimer(std::chrono::milliseconds interval, std::function<void()> tick)
    : runs_(interval), tick_(std::move(tick)) {}

SecondTimer::~SecondTimer() { stopWakingUp(); }

void SecondTimer::SetEnabled(bool enabled) {
  if (!runs_.SetEnabled(enabled, Clock::now())) return;
  if (enabled) {
    scheduleWakeUp();
  } else {
    stopWakingUp();
  }
}

void SecondTimer::wakeUp(void* timer) {
  auto& self = *static_cast<SecondTimer*>(timer);
  self.timeout_ = 0;
  if (self.runs_.DeliverDueTicks(Clock::now(), self.tick_)) self.scheduleWakeUp();
}

void SecondTimer::scheduleWakeUp() {
  stopWakingUp();
  const double wait = static_cast<double>(runs_.UntilNextTick(Clock::now()).count());
  timeout_ = emscripten_set_timeout(&SecondTimer::wakeUp, wait, this);
}

void SecondTimer::stopWakingUp() {
  if (timeout_ != 0) emscripten_clear_timeout(timeout_);
  timeout_ = 0;
}

}  // namespace web
