#include "drill/time_of_day.h"

#include <chrono>
#include <ctime>

namespace drill {

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
  const double fraction =
      duration<double>(now - system_clock::from_time_t(wholeSeconds)).count();
  return static_cast<float>(local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec + fraction);
}

}  // namespace drill
