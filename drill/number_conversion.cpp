#include "drill/number_conversion.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <system_error>

namespace drill {
namespace {

// One unit more (up) or less in the last digit of a decimal magnitude: "9.99" -> "10.00",
// "10.0" -> "9.9". The magnitude is never zero when stepped down.
std::string stepLastDigit(std::string magnitude, bool up) {
  std::size_t at = magnitude.size();
  while (at-- > 0) {
    char& digit = magnitude[at];
    if (digit == '.') continue;
    if (digit != (up ? '9' : '0')) {
      digit = static_cast<char>(digit + (up ? 1 : -1));
      break;
    }
    digit = up ? '0' : '9';
    if (at == 0) magnitude.insert(0, 1, '1');  // only up: 9.9 -> 10.0
  }
  if (magnitude.size() > 1 && magnitude[0] == '0' && magnitude[1] != '.') magnitude.erase(0, 1);
  return magnitude;
}

}  // namespace

std::string ShortestFixedTextByPrintf(float value) {
  const bool negative = std::signbit(value);
  if (std::isnan(value)) return negative ? "-nan" : "nan";
  if (std::isinf(value)) return negative ? "-inf" : "inf";
  const std::string sign = negative ? "-" : "";
  const float magnitude = std::fabs(value);
  auto readsBack = [magnitude](const std::string& text) {
    return std::strtof(text.c_str(), nullptr) == magnitude;
  };
  // printf rounds to the nearest text with the given number of decimals, so the first number of
  // decimals at which that reads back gives the shortest text. Except just above a power of two:
  // there the floats below lie twice as close as those above, so the nearest text can miss the
  // float on the near side while the next text the other way still reads back as it; and then
  // that one, of the same length, is the shortest.
  // A float needs at most 9 significant digits, after at most 45 zeros past the point (its
  // smallest subnormal is about 1.4e-45), and has at most 39 digits before it.
  constexpr int kMostDecimals = 64;
  char buffer[48 + kMostDecimals];
  for (int decimals = 0; decimals <= kMostDecimals; ++decimals) {
    std::snprintf(buffer, sizeof buffer, "%.*f", decimals, static_cast<double>(magnitude));
    const std::string nearest = buffer;
    if (readsBack(nearest)) return sign + nearest;
    const std::string other = stepLastDigit(nearest, std::strtof(buffer, nullptr) < magnitude);
    if (readsBack(other)) return sign + other;
  }
  return "?";  // not reached: some number of decimals reads back as any finite float
}

std::optional<double> DecimalValueByStrtod(const std::string& digits) {
  errno = 0;
  const double value = std::strtod(digits.c_str(), nullptr);
  // strtod reports ERANGE for a subnormal result too; that is a value all the same, as it is
  // for std::from_chars. Only infinity and an underflow to zero are out of range.
  if (errno == ERANGE && (std::isinf(value) || value == 0)) return std::nullopt;
  return value;
}

#if defined(__cpp_lib_to_chars)

std::string ShortestFixedText(float value) {
  char buffer[64];  // room for any float: at most 39 digits before the point, or 45 zeros after
  const auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  if (error != std::errc{}) return "?";
  return std::string(buffer, end);
}

std::optional<double> DecimalValue(const std::string& digits) {
  double value = 0;
  const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (result.ec != std::errc{}) return std::nullopt;
  return value;
}

#else

// Only where the locale is always "C" (see the header).
std::string ShortestFixedText(float value) { return ShortestFixedTextByPrintf(value); }

std::optional<double> DecimalValue(const std::string& digits) {
  return DecimalValueByStrtod(digits);
}

#endif

}  // namespace drill
