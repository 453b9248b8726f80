#include "drill/sign_patterns.h"

#include <string>

namespace drill {

std::int16_t SignModeFor(std::int16_t permTableValue, std::int16_t taskNo) {
  const std::string digits = std::to_string(permTableValue);
  const std::size_t position = static_cast<std::size_t>(taskNo % 4);  // 0-based: (mod 4) + 1 - 1
  if (position >= digits.size()) return 0;
  const char digit = digits[position];
  return digit >= '0' && digit <= '9' ? static_cast<std::int16_t>(digit - '0') : 0;
}

Roots ApplySignPattern(std::int16_t signMode, Roots ordered) {
  const bool negateFirst = signMode == 2 || signMode == 4;
  const bool negateSecond = signMode == 3 || signMode == 4;
  return {static_cast<std::int16_t>(negateFirst ? -ordered.x1 : ordered.x1),
          static_cast<std::int16_t>(negateSecond ? -ordered.x2 : ordered.x2)};
}

}  // namespace drill
