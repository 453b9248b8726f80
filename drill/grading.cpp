#include "drill/grading.h"

#include <cmath>

#include "drill/whole_numbers.h"

namespace drill {

std::int16_t ScoreForAttempts(std::int16_t attempts) {
  if (attempts < 1) attempts = 1;
  return static_cast<std::int16_t>(RoundHalfEven(5.0 / attempts));
}

float RatingFor(std::int16_t scoreSum, std::int16_t tasks) {
  if (tasks < 1) return 0;
  const double tenths = RoundHalfEven(10.0 * scoreSum / tasks);
  return static_cast<float>(tenths / 10);
}

std::int16_t GradeFor(float rating) {
  if (std::fabs(rating - 4.5) < 0.01) return 5;
  if (std::fabs(rating - 2.5) < 0.01) return 3;
  return static_cast<std::int16_t>(RoundHalfEven(rating));
}

}  // namespace drill
