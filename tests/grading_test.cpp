#include "drill/grading.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "drill_run.h"

namespace {

using drill::GradeFor;
using drill::RatingFor;

// Every score sum a run of up to 500 tasks can reach, against the whole-number rounding.
TEST(Rating, IsTheAverageRoundedToTenthsForEveryReachableRun) {
  EXPECT_EQ(RatingFor(27, 6), 4.5f);
  EXPECT_EQ(RatingFor(102, 24), 4.2f);  // exactly 4.25: halves go to even
  for (int tasks = 1; tasks <= 500; ++tasks) {
    for (int sum = 0; sum <= 5 * tasks; ++sum) {
      const float expected = static_cast<float>(TenthsOfAverage(sum, tasks) / 10.0);
      ASSERT_EQ(RatingFor(static_cast<std::int16_t>(sum), static_cast<std::int16_t>(tasks)),
                expected)
          << sum << " points over " << tasks << " tasks";
    }
  }
}

TEST(Grade, RoundsTheRatingHalvesToEvenExceptFourAndAHalfAndTwoAndAHalf) {
  struct Case {
    const char* name;
    float rating;
    std::int16_t grade;
  };
  const Case cases[] = {
      {"4.5 earns 5", 4.5f, 5},   {"2.5 earns 3", 2.5f, 3},     {"3.5 to even 4", 3.5f, 4},
      {"1.5 to even 2", 1.5f, 2}, {"0.5 to even 0", 0.5f, 0},   {"4.4 down", 4.4f, 4},
      {"4.6 up", 4.6f, 5},        {"2.4 down", 2.4f, 2},        {"2.6 up", 2.6f, 3},
      {"4.2 as shown", 4.2f, 4},  {"all first tries", 5.0f, 5}, {"nothing solved", 0.0f, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(GradeFor(c.rating), c.grade);
  }
}

}  // namespace
