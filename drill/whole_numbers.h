// Whole-number arithmetic shared by the engine operations: counters and rounding.
#pragma once

#include <cmath>
#include <cstdint>
#include <limits>

namespace drill {

// Adds to a 16-bit counter, holding at the ends of its range instead of wrapping: a pupil who
// keeps answering wrongly for a very long time sees 32767, never a negative count.
inline std::int16_t SaturatingAdd(std::int16_t counter, int amount) {
  constexpr int kMax = std::numeric_limits<std::int16_t>::max();
  constexpr int kMin = std::numeric_limits<std::int16_t>::min();
  const long sum = static_cast<long>(counter) + amount;
  return static_cast<std::int16_t>(sum > kMax ? kMax : sum < kMin ? kMin : sum);
}

// Rounds to the nearest whole number, exact halves to the even neighbour (2.5 -> 2, 3.5 -> 4).
// std::nearbyint does this in the default rounding mode, which the program never changes.
inline double RoundHalfEven(double value) { return std::nearbyint(value); }

}  // namespace drill
