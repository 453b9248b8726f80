#include "drill/number_conversion.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>
#include <system_error>
#include <vector>

namespace drill {
namespace {

// A whole number of any size: 32-bit limbs, the lowest first, with no zero limb on top (zero has
// none). Just what the two conversions below need.
struct Whole {
  std::vector<std::uint32_t> limbs;
};

Whole wholeOf(std::uint64_t value) {
  Whole n;
  for (; value != 0; value >>= 32) n.limbs.push_back(static_cast<std::uint32_t>(value));
  return n;
}

void trim(Whole& n) {
  while (!n.limbs.empty() && n.limbs.back() == 0) n.limbs.pop_back();
}

// n = n * factor + addend, for a factor of at least 1.
void multiplyAdd(Whole& n, std::uint32_t factor, std::uint32_t addend) {
  std::uint64_t carry = addend;
  for (std::uint32_t& limb : n.limbs) {
    carry += std::uint64_t{limb} * factor;  // at most (2^32 - 1) * 2^32: no overflow
    limb = static_cast<std::uint32_t>(carry);
    carry >>= 32;
  }
  if (carry != 0) n.limbs.push_back(static_cast<std::uint32_t>(carry));
}

Whole shiftedLeft(const Whole& n, int bits) {
  if (n.limbs.empty()) return n;
  Whole result;
  result.limbs.assign(bits / 32, 0);
  std::uint32_t carry = 0;
  for (const std::uint32_t limb : n.limbs) {
    const std::uint64_t wide = std::uint64_t{limb} << bits % 32;
    result.limbs.push_back(static_cast<std::uint32_t>(wide) | carry);
    carry = static_cast<std::uint32_t>(wide >> 32);
  }
  if (carry != 0) result.limbs.push_back(carry);
  return result;
}

// n / 2^bits, rounded down.
Whole shiftedRight(const Whole& n, int bits) {
  Whole result;
  for (std::size_t i = bits / 32; i < n.limbs.size(); ++i) {
    const std::uint64_t next = i + 1 < n.limbs.size() ? n.limbs[i + 1] : 0;
    result.limbs.push_back(static_cast<std::uint32_t>((next << 32 | n.limbs[i]) >> bits % 32));
  }
  trim(result);
  return result;
}

// Negative, zero or positive as a is less than, equal to or greater than b.
int compare(const Whole& a, const Whole& b) {
  if (a.limbs.size() != b.limbs.size()) return a.limbs.size() < b.limbs.size() ? -1 : 1;
  for (std::size_t i = a.limbs.size(); i-- > 0;) {
    if (a.limbs[i] != b.limbs[i]) return a.limbs[i] < b.limbs[i] ? -1 : 1;
  }
  return 0;
}

// a = a - b, for b no greater than a.
void subtract(Whole& a, const Whole& b) {
  std::int64_t borrow = 0;
  for (std::size_t i = 0; i < a.limbs.size(); ++i) {
    const std::int64_t difference =
        std::int64_t{a.limbs[i]} - (i < b.limbs.size() ? b.limbs[i] : 0) - borrow;
    a.limbs[i] = static_cast<std::uint32_t>(difference);  // modulo 2^32
    borrow = difference < 0 ? 1 : 0;
  }
  trim(a);
}

int bitLength(std::uint64_t value) {
  int bits = 0;
  for (; value != 0; value >>= 1) ++bits;
  return bits;
}

int bitLength(const Whole& n) {
  return n.limbs.empty() ? 0
                         : 32 * static_cast<int>(n.limbs.size() - 1) + bitLength(n.limbs.back());
}

bool isOdd(const Whole& n) { return !n.limbs.empty() && (n.limbs[0] & 1) != 0; }

std::string decimalDigits(Whole n) {
  std::string digits;
  do {
    std::uint64_t remainder = 0;
    for (std::size_t i = n.limbs.size(); i-- > 0;) {
      const std::uint64_t part = remainder << 32 | n.limbs[i];
      n.limbs[i] = static_cast<std::uint32_t>(part / 10);
      remainder = part % 10;
    }
    trim(n);
    digits += static_cast<char>('0' + remainder);
  } while (!n.limbs.empty());
  std::reverse(digits.begin(), digits.end());
  return digits;
}

// The text of units / 10^decimals in fixed notation: (1234, 2) -> "12.34", (5, 3) -> "0.005".
std::string fixedText(const Whole& units, int decimals) {
  std::string digits = decimalDigits(units);
  if (digits.size() <= static_cast<std::size_t>(decimals)) {
    digits.insert(0, decimals + 1 - digits.size(), '0');
  }
  if (decimals > 0) digits.insert(digits.size() - decimals, 1, '.');
  return digits;
}

}  // namespace

std::string ShortestFixedTextExact(float value) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const std::string sign = bits >> 31 != 0 ? "-" : "";
  const std::uint32_t fraction = bits & 0x7FFFFF;
  const int biasedExponent = static_cast<int>(bits >> 23 & 0xFF);
  if (biasedExponent == 0xFF) return sign + (fraction != 0 ? "nan" : "inf");
  if (biasedExponent == 0 && fraction == 0) return sign + "0";

  // The float is mantissa * 2^exponent exactly. What reads back as it is what lies within half
  // the gap to either neighbour; the gap below is half the one above when the float is a power
  // of two past the subnormals. Whether the edges themselves read back never matters here: an
  // edge has a binary digit or two more than the float, so more decimals than the float's exact
  // text, which ends the search below before any text could reach an edge.
  const std::uint32_t mantissa = biasedExponent != 0 ? fraction | 0x800000 : fraction;
  const int exponent = std::max(biasedExponent, 1) - 150;
  const bool closerBelow = fraction == 0 && biasedExponent > 1;
  // All times 10^decimals and counted in 2^-down, so all are whole: the float and its edges,
  // whole numbers of quarters of 2^exponent, come to 4 mantissa (- 2 or - 1, + 2) * 10^decimals
  // * 2^up; a text with that many decimals to its digits * 2^down.
  const int up = std::max(exponent - 2, 0);
  const int down = std::max(2 - exponent, 0);
  Whole at = shiftedLeft(wholeOf(4 * std::uint64_t{mantissa}), up);
  Whole low = shiftedLeft(wholeOf(4 * std::uint64_t{mantissa} - (closerBelow ? 1 : 2)), up);
  Whole high = shiftedLeft(wholeOf(4 * std::uint64_t{mantissa} + 2), up);
  auto readsBack = [&](const Whole& textDigits) {
    const Whole scaled = shiftedLeft(textDigits, down);
    return compare(low, scaled) < 0 && compare(scaled, high) < 0;
  };

  // With each number of decimals in turn, the text nearest the float (rounded half to even, as
  // printf rounds) or else the one on its other side: just above a power of two the nearest can
  // miss on the near side while the other one, as long, still reads back. A float is a whole
  // number of 2^-149, so by 149 decimals the text is exact.
  for (int decimals = 0;; ++decimals) {
    const Whole below = shiftedRight(at, down);
    if (compare(shiftedLeft(below, down), at) == 0) return sign + fixedText(below, decimals);
    Whole above = below;
    multiplyAdd(above, 1, 1);
    Whole midway = below;  // (2 below + 1) / 2 in units, so down is at least 1 here
    multiplyAdd(midway, 2, 1);
    const int side = compare(at, shiftedLeft(midway, down - 1));
    // Both texts can read back, as far from the float: 2097152.25 lies 0.05 from 2097152.2 and
    // from 2097152.3, and 0.125 from its neighbours. The even one wins, as printf rounds.
    const bool aboveIsNearest = side > 0 || (side == 0 && isOdd(below));
    const Whole& nearest = aboveIsNearest ? above : below;
    const Whole& other = aboveIsNearest ? below : above;
    if (readsBack(nearest)) return sign + fixedText(nearest, decimals);
    if (readsBack(other)) return sign + fixedText(other, decimals);
    for (Whole* n : {&at, &low, &high}) multiplyAdd(*n, 10, 0);
  }
}

std::optional<double> DecimalValueExact(const std::string& digits) {
  // The text is numerator * 10^scale, the numerator its digits from the first that is not
  // zero. Past 800 of them only whether any other is not zero counts, as a digit 1 in their place:
  // a double, or a point halfway between two where rounding turns, has at most 767 significant
  // digits. That also bounds the work on a long text.
  constexpr int kMostDigits = 800;
  Whole numerator;
  int count = 0, scale = 0;
  bool afterPoint = false, restNotZero = false;
  for (const char c : digits) {
    if (c == '.') {
      afterPoint = true;
      continue;
    }
    if (afterPoint) --scale;
    if (count == 0 && c == '0') continue;
    if (count < kMostDigits) {
      multiplyAdd(numerator, 10, static_cast<std::uint32_t>(c - '0'));
      ++count;
    } else {
      ++scale;
      restNotZero = restNotZero || c != '0';
    }
  }
  if (restNotZero) {
    multiplyAdd(numerator, 10, 1);
    ++count;
    --scale;
  }
  if (count == 0) return 0.0;
  // At least 10^309, past the largest double; or less than 10^-324, below half the smallest.
  if (count - 1 + scale >= 309 || count + scale <= -324) return std::nullopt;
  Whole denominator = wholeOf(1);
  for (; scale > 0; --scale) multiplyAdd(numerator, 10, 0);
  for (; scale < 0; ++scale) multiplyAdd(denominator, 10, 0);

  // The quotient times 2^shift, rounded down and with a note of any remainder, in 64 bits: with
  // at least 63 of them unless that would reach more than two bits below the smallest subnormal,
  // 2^-1074, as a quotient less than 2^-1076 rounds to zero all the same.
  const int shift = std::min(63 - (bitLength(numerator) - bitLength(denominator)), 1076);
  Whole remainder = shift > 0 ? shiftedLeft(numerator, shift) : numerator;
  const Whole divisor = shift < 0 ? shiftedLeft(denominator, -shift) : denominator;
  std::uint64_t quotient = 0;
  for (int bit = 63; bit >= 0; --bit) {
    const Whole part = shiftedLeft(divisor, bit);
    if (compare(part, remainder) <= 0) {
      subtract(remainder, part);
      quotient |= std::uint64_t{1} << bit;
    }
  }

  // Round half to even to the 53 bits of a double, or to fewer where they would reach below
  // 2^-1074: drop is between 2 and 11.
  const int drop = std::max(bitLength(quotient) - 53, shift - 1074);
  std::uint64_t kept = quotient >> drop;
  const std::uint64_t rest = quotient & ((std::uint64_t{1} << drop) - 1);
  const std::uint64_t half = std::uint64_t{1} << (drop - 1);
  if (rest > half || (rest == half && (!remainder.limbs.empty() || kept % 2 != 0))) ++kept;
  if (kept == 0) return std::nullopt;  // too small for a double
  // kept has at most 53 bits and no bit below 2^-1074, so scaling it is exact.
  const double value = std::ldexp(static_cast<double>(kept), drop - shift);
  if (std::isinf(value)) return std::nullopt;
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

std::string ShortestFixedText(float value) { return ShortestFixedTextExact(value); }

std::optional<double> DecimalValue(const std::string& digits) { return DecimalValueExact(digits); }

#endif

}  // namespace drill
