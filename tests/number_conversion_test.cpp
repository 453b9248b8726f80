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
  // Every power of two and its neighbours: the floats below one lie twice as close as those
  // above it.
  for (int exponent = -149; exponent <= 127; ++exponent) {
    const float power = std::ldexp(1.0f, exponent);
    floats.insert(floats.end(), {std::nextafter(power, 0.0f), power,
                                 std::nextafter(power, std::numeric_limits<float>::infinity())});
  }
  // Floats halfway between the two texts nearest them, where both read back: 0.25 or 0.125
  // apart, with one decimal; 1/64 apart, with two.
  floats.insert(floats.end(), {2097152.25f, 2097152.75f, 3000000.25f, 4194303.75f, 1048576.25f,
                               1048576.75f, 131072.125f, 131072.375f, 262143.875f});
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

// What the header promises, in every build.
TEST(ShortestFixedText, WritesTheShortestTextNearestTheFloat) {
  using Limits = std::numeric_limits<float>;
  const struct {
    const char* name;
    float value;
    std::string text;
  } cases[] = {
      {"a rating", 4.2f, "4.2"},
      {"a whole number", 5.0f, "5"},
      {"a negative binary fraction", -0.125f, "-0.125"},
      {"a large float, every digit", 1e30f, "1000000015047466219876688855040"},
      {"the smallest subnormal", Limits::denorm_min(), "0." + std::string(44, '0') + "1"},
      {"zero", 0.0f, "0"},
      {"negative zero", -0.0f, "-0"},
      {"of two as near, the even one below", 2097152.25f, "2097152.2"},
      {"of two as near, the even one above", -2097152.75f, "-2097152.8"},
      {"of two as near with two decimals, the even one", 131072.125f, "131072.12"},
      {"a power of two that the nearest text misses, on the near side", std::ldexp(1.0f, -96),
       "0." + std::string(28, '0') + "12621775"},
      {"infinity", Limits::infinity(), "inf"},
      {"negative infinity", -Limits::infinity(), "-inf"},
      {"not a number", Limits::quiet_NaN(), "nan"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ShortestFixedText(c.value), c.text);
    EXPECT_EQ(ShortestFixedTextExact(c.value), c.text);
  }
}

struct DecimalCase {
  const char* name;
  std::string digits;
  std::optional<double> value;
};

// The exact decimal text of halves * 2^-1075, a point halfway between two doubles when halves is
// odd: halves * 5^1075 by long multiplication, with the point 1075 digits from its end.
std::string HalfUnitsText(std::uint64_t halves) {
  std::string digits = std::to_string(halves);
  for (int i = 0; i < 1075; ++i) {
    int carry = 0;
    for (auto digit = digits.rbegin(); digit != digits.rend(); ++digit) {
      const int product = (*digit - '0') * 5 + carry;
      *digit = static_cast<char>('0' + product % 10);
      carry = product / 10;
    }
    if (carry != 0) digits.insert(0, 1, static_cast<char>('0' + carry));
  }
  return "0." + std::string(1075 - digits.size(), '0') + digits;
}

// Digit texts and the double each stands for, as the compiler reads the same literal, as <limits>
// gives it or as a power of two scales it; nullopt past a double's range.
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
      {"just below the smallest normal double, rounding up to it",
       "0." + std::string(307, '0') + "22250738585072012", 2.2250738585072012e-308},
      {"just below the smallest normal double, rounding down to the largest subnormal",
       "0." + std::string(307, '0') + "22250738585072011", 2.2250738585072011e-308},
      {"a subnormal", "0." + std::string(315, '0') + "123456789", 1.23456789e-316},
      {"the smallest subnormal", subnormalPoint + "4940656458412465441765687928682213723651",
       Limits::denorm_min()},
      {"past half the smallest subnormal", subnormalPoint + "2470328229206232720882844",
       Limits::denorm_min()},
      {"short of half the smallest subnormal", subnormalPoint + "2470328229206232720882843",
       std::nullopt},
      {"a one four hundred zeros after the point", "0." + std::string(400, '0') + "1",
       std::nullopt},
      // Halfway points have up to 767 significant digits, and every one of them counts.
      {"halfway above the smallest normal double, to the even one below",
       HalfUnitsText((1ull << 53) + 1), Limits::min()},
      {"halfway further up, to the even one above", HalfUnitsText((1ull << 53) + 3),
       std::ldexp(double{(1ull << 52) + 2}, -1074)},
      {"just past halfway, a thousand digits on",
       HalfUnitsText((1ull << 53) + 1) + std::string(1000, '0') + "1",
       std::ldexp(double{(1ull << 52) + 1}, -1074)},
      {"halfway between the two smallest subnormals, to the even one above", HalfUnitsText(3),
       2 * Limits::denorm_min()},
      {"half the smallest subnormal, to zero", HalfUnitsText(1), std::nullopt},
      {"just past half the smallest subnormal, a thousand digits on",
       HalfUnitsText(1) + std::string(1000, '0') + "1", Limits::denorm_min()},
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
  using Limits = std::numeric_limits<float>;
  floats.insert(floats.end(), {Limits::infinity(), -Limits::infinity(), Limits::quiet_NaN(),
                               -Limits::quiet_NaN()});
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
  // And near the ends of the range: past the smallest subnormal up to the smallest normals, and
  // around the largest double.
  for (int i = 0; i < 2000; ++i) {
    texts.push_back("0." + std::string(300 + random() % 30, '0') + digitsOf(1 + random() % 40));
    std::string large = "179769313486231" + digitsOf(1 + random() % 40);
    large.resize(309 + random() % 2, '0');
    texts.push_back(large);
  }
  for (const std::string& text : texts) {
    ASSERT_EQ(DecimalValueExact(text), FromChars(text)) << text;
  }
}

#endif

}  // namespace
