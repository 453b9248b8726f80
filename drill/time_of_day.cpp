#include "drill/time_of_day.h"

#include <algorithm>
#include <chrono>
#include <ctime>

namespace drill {

float SecondsSinceMidnight(int hour, int minute, int second, double fraction) {
  constexpr float kLastBeforeMidnight = 86399.9921875f;  // 86400 - 2^-7, the float below 86400
  const double seconds = hour * 3600.0 + minute * 60.0 + second + fraction;
  return std::clamp(static_cast<float>(seconds), 0.0f, kLastBeforeMidnight);
}

float SecondsSinceMidnight() {
  using namespace std::chrono;
  const auto now = system_clock::now();
  const std::time_t wholeSeconds = system_clock::to_time_t(now);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &wholeSeconds);
#else
  localtime_r(&wholeSeconds, &local);
#endif
  const double fraction = duration<double>(now - system_clock::from_time_t(wholeSeconds)).count();
  return SecondsSinceMidnight(local.tm_hour, local.tm_min, local.tm_sec, fraction);
}

}  // namespace drill
