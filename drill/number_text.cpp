#include "drill/number_text.h"

#include "drill/number_conversion.h"
#include "drill/typed_characters.h"

namespace drill {
namespace {

// Takes one of the given characters from the front of text, returning whether there was one.
template <std::size_t N>
bool takeOneOf(std::string_view& text, const std::string_view (&characters)[N]) {
  for (const std::string_view character : characters) {
    if (text.starts_with(character)) {
      text.remove_prefix(character.size());
      return true;
    }
  }
  return false;
}

void skipBlanks(std::string_view& text) {
  while (takeOneOf(text, kSpaces) || takeOneOf(text, kLineBreaks)) {
  }
}

// Reads a sign if there is one; returns -1 for a minus, +1 otherwise.
int readSign(std::string_view& text) {
  if (takeOneOf(text, kMinusSigns)) return -1;
  takeOneOf(text, kPlusSigns);
  return +1;
}

// The fullwidth digits U+FF10..U+FF19 share their first two bytes; the third runs from 0x90.
constexpr std::string_view kFullwidthDigitLead = "\xEF\xBC";
constexpr unsigned char kFullwidthZeroLast = 0x90;

// Reads one digit, ASCII or fullwidth, as its ASCII character; 0 (nothing read) if there is none.
char readDigit(std::string_view& text) {
  if (!text.empty() && text.front() >= '0' && text.front() <= '9') {
    const char digit = text.front();
    text.remove_prefix(1);
    return digit;
  }
  if (text.size() >= 3 && text.starts_with(kFullwidthDigitLead)) {
    const unsigned char last = static_cast<unsigned char>(text[2]);
    if (last >= kFullwidthZeroLast && last <= kFullwidthZeroLast + 9) {
      text.remove_prefix(3);
      return static_cast<char>('0' + (last - kFullwidthZeroLast));
    }
  }
  return 0;
}

// What may stand for a decimal point. The fullwidth full stop and comma belong with the
// fullwidth digits: else "７．５" would read 7 and pass for a whole root.
constexpr std::string_view kDecimalPoints[] = {".", ",", "\uFF0E", "\uFF0C"};

}  // namespace

std::string PlainNumberText(int value) { return std::to_string(value); }

std::string TwoDigitText(int value) {
  std::string text = PlainNumberText(value);
  return value >= 0 && value < 10 ? "0" + text : text;
}

std::string DecimalText(float value, std::string_view decimalSeparator) {
  std::string text;
  for (const char c : ShortestFixedText(value)) {
    if (c == '.') {
      text += decimalSeparator;
    } else {
      text += c;
    }
  }
  return text;
}

std::optional<double> ReadLeadingNumber(std::string_view text) {
  skipBlanks(text);
  const int sign = readSign(text);
  skipBlanks(text);

  // Copy the digits as ASCII, with a point for a decimal point or comma, so the standard conversion
  // rounds the value correctly however many digits were typed.
  std::string number;
  bool anyDigit = false;
  auto takeDigits = [&] {
    while (const char digit = readDigit(text)) {
      number += digit;
      anyDigit = true;
    }
  };
  takeDigits();
  if (takeOneOf(text, kDecimalPoints)) {
    number += '.';
    takeDigits();
  }
  if (!anyDigit) return std::nullopt;

  // Beyond the range of a double, in either direction, it is nullopt: too far from every root to
  // be one.
  const std::optional<double> value = DecimalValue(number);
  if (!value) return std::nullopt;
  return sign * *value;
}

}  // namespace drill
