#include "drill/number_conversion.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <system_error>
#include <vector>

namespace {

using drill::DecimalValue;
using drill::DecimalValueExact;
using drill::ShortestFixedText;
using drill::ShortestFixedTextExact;

std::string HexText(float value) {
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "%a", static_cast<double>(value));
  return buffer;
}

// Floats whose shortest text is easy to get wrong, each with its negative.
std::vector<float> HardFloats() {
  std::vector<float> floats;
  // Every rating a run shows.
  for (int tenths = 0; tenths <= 50; ++tenths) floats.push_back(static_cast<float>(tenths / 10.0));
  // Every power of two: the floats below one lie twice as close as those above it.
  for (int exponent = -149; exponent <= 127; ++exponent) {
    floats.push_back(std::ldexp(1.0f, exponent));
  }
  using Limits = std::numeric_limits<float>;
  floats.insert(floats.end(),
                {Limits::denorm_min(), std::nextafter(Limits::min(), 0.0f), Limits::min(),
                 Limits::max(), std::nextafter(10.0f, 0.0f), std::nextafter(1.0f, 2.0f),
                 16777217.0f, 0.1f, 4.2f, 1e30f, 1e-30f, 123456.789f});
  // A spread over every finite float: bit patterns a prime apart.
  for (std::uint32_t bits = 0; bits < 0x7F800000u; bits += 99991u) {
    float value;
    std::memcpy(&value, &bits, sizeof value);
    floats.push_back(value);
  }
  const std::size_t positives = floats.size();
  for (std::size_t i = 0; i < positives; ++i) floats.push_back(-floats[i]);
  return floats;
}

// What every build's ShortestFixedText promises, whichever conversion it takes: fixed notation
// that reads back as the float.
TEST(ShortestFixedText, IsFixedNotationThatReadsBackAsTheFloat) {
  for (const float value : HardFloats()) {
    const std::string text = ShortestFixedText(value);
    ASSERT_EQ(text.find_first_not_of("-0123456789."), std::string::npos) << HexText(value);
    ASSERT_EQ(std::strtof(text.c_str(), nullptr), value) << HexText(value) << " as " << text;
  }
}

struct DecimalCase {
  const char* name;
  std::string digits;
  std::optional<double> value;
};

// Digit texts and the double each stands for, as the compiler reads the same literal or as
// <limits> gives it; nullopt past a double's range.
std::vector<DecimalCase> DecimalCases() {
#define LITERAL(name, digits) \
  DecimalCase { name, #digits, digits }
  using Limits = std::numeric_limits<double>;
  const std::string zeros308(308, '0');
  const std::string subnormalPoint = "0." + std::string(323, '0');
  return {
      LITERAL("a tenth", 0.1),
      LITERAL("leading zeros", 00000000000000000000000000000007.5),
      LITERAL("halfway between doubles goes to the even one below", 9007199254740993.0),
      LITERAL("halfway between doubles goes to the even one above", 9007199254740995.0),
      LITERAL("just past halfway", 9007199254740993.00000000000000000000000000001),
      LITERAL("more digits than a double holds", 123456789012345678901234567890.123456789),
      LITERAL("thirty-nine digits after the point", 0.123456789012345678901234567890123456789),
      {"no digit after the point", "2.", 2.0},
      {"no digit before the point", ".5", 0.5},
      {"zero", "0", 0.0},
      {"zero with four hundred zeros after the point", "0." + std::string(400, '0'), 0.0},
      {"1e308", "1" + zeros308, 1e308},
      {"the largest double, to 17 digits", "17976931348623157" + std::string(292, '0'),
       Limits::max()},
      {"short of halfway to the next power of two", "179769313486231580" + std::string(291, '0'),
       Limits::max()},
      {"past halfway to the next power of two", "179769313486231581" + std::string(291, '0'),
       std::nullopt},
      {"1e309", "1" + zeros308 + "0", std::nullopt},
      {"309 nines", std::string(309, '9'), std::nullopt},
      {"a thousand digits", std::string(1000, '7'), std::nullopt},
      {"the smallest normal double", "0." + std::string(307, '0') + "22250738585072014",
       Limits::min()},
      {"the smallest subnormal", subnormalPoint + "4940656458412465441765687928682213723651",
       Limits::denorm_min()},
      {"past half the smallest subnormal", subnormalPoint + "2470328229206232720882844",
       Limits::denorm_min()},
      {"short of half the smallest subnormal", subnormalPoint + "2470328229206232720882843",
       std::nullopt},
      {"a one four hundred zeros after the point", "0." + std::string(400, '0') + "1",
       std::nullopt},
  };
#undef LITERAL
}

TEST(DecimalValue, ReadsTheNearestDoubleAndNothingPastTheRange) {
  for (const DecimalCase& c : DecimalCases()) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(DecimalValue(c.digits), c.value);
    EXPECT_EQ(DecimalValueExact(c.digits), c.value);
  }
}

#if defined(__cpp_lib_to_chars)

// The stand-ins against the standard functions they stand in for, where the library has them.

TEST(ShortestFixedTextExact, WritesWhatToCharsWrites) {
  std::vector<float> floats = HardFloats();
  floats.push_back(std::numeric_limits<float>::infinity());
  floats.push_back(-std::numeric_limits<float>::infinity());
  for (const float value : floats) {
    char buffer[64];
    const auto [end, error] =
        std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    ASSERT_EQ(ShortestFixedTextExact(value), std::string(buffer, end)) << HexText(value);
  }
}

std::optional<double> FromChars(const std::string& digits) {
  double value = 0;
  const auto result = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (result.ec != std::errc{}) return std::nullopt;
  return value;
}

TEST(DecimalValueExact, ReadsWhatFromCharsReads) {
  std::vector<std::string> texts;
  for (const DecimalCase& c : DecimalCases()) texts.push_back(c.digits);
  // Digit strings of every length up to 60, and a few far longer, with the point anywhere or
  // nowhere; zeros and nines come up more often, as they do in texts near a halfway case.
  std::mt19937 random(20240611);
  auto digitsOf = [&random](std::size_t length) {
    static constexpr char kDigits[] = "0123456789000999";
    std::string digits;
    for (std::size_t i = 0; i < length; ++i) digits += kDigits[random() % 16];
    return digits;
  };
  for (int i = 0; i < 20000; ++i) {
    const std::size_t length = 1 + random() % (i % 100 == 0 ? 1000 : 60);
    std::string text = digitsOf(length);
    if (random() % 4 != 0) text.insert(random() % (length + 1), 1, '.');
    texts.push_back(text);
  }
  for (const std::string& text : texts) {
    ASSERT_EQ(DecimalValueExact(text), FromChars(text)) << text;
  }
}

#endif

}  // namespace
