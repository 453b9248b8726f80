#include <cstdint>
#include <cstring>
#include <random>

#include "drill/drill.h"

namespace drill {
namespace {

class SystemRandomSource : public RandomSource {
 public:
  void Seed(float secondsSinceMidnight) override {
    // The float's bits as they are (std::bit_cast, which not every library this is built with
    // has yet).
    std::uint32_t bits = 0;
    static_assert(sizeof bits == sizeof secondsSinceMidnight);
    std::memcpy(&bits, &secondsSinceMidnight, sizeof bits);
    engine_.seed(bits);
  }

  // 24 random bits scaled by 2^-24: every float of the form k / 2^24 with k < 2^24, so the
  // result is exact and at most 1 - 2^-24. (std::generate_canonical<float> can round up to
  // 1.0 on some standard libraries, which would let Gener(9) return 10.)
  float Next() override {
    constexpr float kScale = 1.0f / 16777216.0f;  // 2^-24
    return static_cast<float>(engine_() >> 8) * kScale;
  }

 private:
  std::mt19937 engine_;
};

}  // namespace

std::unique_ptr<RandomSource> MakeSystemRandomSource() {
  return std::make_unique<SystemRandomSource>();
}

}  // namespace drill
