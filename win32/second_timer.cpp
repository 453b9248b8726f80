#include "win32/second_timer.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace win32 {

using Clock = form::TickSchedule::Clock;

SecondTimer::SecondTimer(HWND owner, UINT_PTR id, std::chrono::milliseconds interval,
                         std::function<void()> tick)
    : owner_(owner), id_(id), runs_(interval), tick_(std::move(tick)) {}

SecondTimer::~SecondTimer() { KillTimer(owner_, id_); }

void SecondTimer::SetEnabled(bool enabled) {
  if (!runs_.SetEnabled(enabled, Clock::now())) return;
  if (enabled) {
    scheduleWakeUp();
  } else {
    stopWakingUp();
  }
}

bool SecondTimer::OnTimer(UINT_PTR id) {
  if (id != id_) return false;
  if (runs_.DeliverDueTicks(Clock::now(), tick_)) {
    scheduleWakeUp();
  } else if (!runs_.enabled()) {
    KillTimer(owner_, id_);
  }
  return true;
}

void SecondTimer::scheduleWakeUp() {
  // Setting the timer again replaces the running one: one wake-up, at the next due tick.
  const auto wait = std::max<std::chrono::milliseconds::rep>(
      runs_.UntilNextTick(Clock::now()).count(), USER_TIMER_MINIMUM);
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
