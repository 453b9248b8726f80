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

// The stopwatch's timer as every window runs it over one wake-up of its toolkit at a time.
// Enabling starts the count afresh; a wake-up delivers every tick due by then, but none owed to
// an earlier run: a tick handler may disable the timer, or disable and enable it again.
class TimerRuns {
 public:
  using Clock = TickSchedule::Clock;

  explicit TimerRuns(std::chrono::milliseconds interval) : schedule_(interval) {}

  // Whether that changed anything: only then does the window arm its wake-up (enabled) or
  // stop it.
  bool SetEnabled(bool enabled, Clock::time_point now) {
    if (enabled == enabled_) return false;
    enabled_ = enabled;
    if (enabled) {
      ++run_;
      schedule_.Start(now);
    }
    return true;
  }
  bool enabled() const { return enabled_; }

  // Delivers the ticks due by now; returns whether the window is to wake up again for this
  // run, UntilNextTick from now.
  template <typename Tick>
  bool DeliverDueTicks(Clock::time_point now, Tick&& tick) {
    const std::uint64_t run = run_;
    while (enabled_ && run == run_ && schedule_.TakeDueTick(now)) tick();
    return enabled_ && run == run_;
  }

  std::chrono::milliseconds UntilNextTick(Clock::time_point now) const {
    return schedule_.UntilNextTick(now);
  }
  std::chrono::milliseconds interval() const { return schedule_.interval(); }

 private:
  TickSchedule schedule_;
  std::uint64_t run_ = 0;
  bool enabled_ = false;
};

}  // namespace form
