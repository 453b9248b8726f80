#include "win32/second_timer.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace win32 {

using Clock = form::TickSchedule::Clock;

SecondTimer::SecondTimer(HWND owner, UINT_PTR id, std::chrono::milliseconds interval,
                         std::function<void()> tick)
    : owner_(owner), id_(id), schedule_(interval), tick_(std::move(tick)) {}

SecondTimer::~SecondTimer() { KillTimer(owner_, id_); }

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

bool SecondTimer::OnTimer(UINT_PTR id) {
  if (id != id_) return false;
  if (enabled_) {
    deliverDueTicks();
  } else {
    KillTimer(owner_, id_);
  }
  return true;
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
  // Setting the timer again replaces the running one: one wake-up, at the next due tick.
  const auto wait = std::max<std::chrono::milliseconds::rep>(
      schedule_.UntilNextTick(Clock::now()).count(), USER_TIMER_MINIMUM);
  SetTimer(owner_, id_, static_cast<UINT>(wait), nullptr);
}

void SecondTimer::stopWakingUp() {
  KillTimer(owner_, id_);
  // A wake-up already in the queue is taken out too; another timer's goes back in.
  std::vector<MSG> others;
  MSG message{};
  while (PeekMessageW(&message, owner_, WM_TIMER, WM_TIMER, PM_REMOVE | PM_NOYIELD)) {
    if (message.wParam != id_) others.push_back(message);
  }
  for (const MSG& other : others) {
    PostMessageW(other.hwnd, other.message, other.wParam, other.lParam);
  }
}

}  // namespace win32
