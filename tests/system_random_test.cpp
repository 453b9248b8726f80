#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "drill/drill.h"

namespace {

TEST(SystemRandom, DrawsStayInZeroToOneAndFillItEvenly) {
  const auto random = drill::MakeSystemRandomSource();
  random->Seed(86399.9921875f);
  constexpr long kDraws = 20'000'000;
  std::array<long, 10> tenths{};
  float lowest = 1, highest = 0;
  for (long i = 0; i < kDraws; ++i) {
    const float r = random->Next();
    ASSERT_GE(r, 0.0f) << "draw " << i;
    ASSERT_LT(r, 1.0f) << "draw " << i;
    lowest = std::min(lowest, r);
    highest = std::max(highest, r);
    ++tenths[static_cast<int>(r * 10.0)];
  }
  EXPECT_LT(lowest, 1e-6f);
  EXPECT_GT(highest, 1 - 1e-6f);
  for (int tenth = 0; tenth < 10; ++tenth) {
    SCOPED_TRACE(tenth);
    EXPECT_NEAR(tenths[tenth], kDraws / 10, kDraws / 1000);
  }
}

std::vector<float> FirstDraws(float seed) {
  const auto random = drill::MakeSystemRandomSource();
  random->Seed(seed);
  std::vector<float> draws(1000);
  for (float& r : draws) r = random->Next();
  return draws;
}

TEST(SystemRandom, TheSameSeedGivesTheSameRun) {
  EXPECT_EQ(FirstDraws(43200.5f), FirstDraws(43200.5f));
  EXPECT_NE(FirstDraws(43200.5f), FirstDraws(43201.5f)) << "a second later, another run";
  EXPECT_NE(FirstDraws(0.0f), FirstDraws(0.0078125f)) << "fractions of a second count too";
}

}  // namespace
