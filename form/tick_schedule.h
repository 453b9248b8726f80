// When the stopwatch's timer ticks: tick n falls due n intervals after the timer was enabled, on
// a monotonic clock. The toolkit's own timer only wakes the window; this schedule says how many
// ticks are due by then and how long to sleep until the next one. So lateness never accumulates,
// and ticks missed while the event loop stalled are made up when it runs again.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>

namespace form {

class TickSchedule {
 public:
  using Clock = std::chrono::steady_clock;

  explicit TickSchedule(std::chrono::milliseconds interval) : interval_(interval) {}

  // The timer is enabled: the count starts afresh, the first tick one interval from now.
  void Start(Clock::time_point now) {
    startedAt_ = now;
    taken_ = 0;
  }

  // Takes one tick that has fallen due by now, if there is one.
  bool TakeDueTick(Clock::time_point now) {
    if (now < dueAt(taken_ + 1)) return false;
    ++taken_;
    return true;
  }

  // How long from now until the next tick falls due, in whole milliseconds rounded up so a
  // wake-up never comes early; zero when one is due already.
  std::chrono::milliseconds UntilNextTick(Clock::time_point now) const {
    const auto wait = std::chrono::ceil<std::chrono::milliseconds>(dueAt(taken_ + 1) - now);
    return std::max(wait, std::chrono::milliseconds(0));
  }

  std::chrono::milliseconds interval() const { return interval_; }

 private:
  Clock::time_point dueAt(std::int64_t tick) const { return startedAt_ + tick * interval_; }

  std::chrono::milliseconds interval_;
  Clock::time_point startedAt_{};
  std::int64_t taken_ = 0;
};

}  // namespace form
