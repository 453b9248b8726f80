#include "drill/number_text.h"

#include <charconv>
#include <system_error>

namespace drill {
namespace {

// Skips one blank at the front of text, returning whether there was one.
bool skipBlank(std::string_view& text) {
  constexpr std::string_view kNoBreakSpace = "\u00A0";
  if (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
    text.remove_prefix(1);
    return true;
  }
  if (text.starts_with(kNoBreakSpace)) {
    text.remove_prefix(kNoBreakSpace.size());
    return true;
  }
  return false;
}

void skipBlanks(std::string_view& text) {
  while (skipBlank(text)) {
  }
}

// Reads a sign if there is one; returns -1 for a minus, +1 otherwise.
int readSign(std::string_view& text) {
  constexpr std::string_view kTypographicMinus = "\u2212";
  if (text.starts_with('-')) {
    text.remove_prefix(1);
    return -1;
  }
  if (text.starts_with(kTypographicMinus)) {
    text.remove_prefix(kTypographicMinus.size());
    return -1;
  }
  if (text.starts_with('+')) text.remove_prefix(1);
  return +1;
}

bool isDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

std::string PlainNumberText(int value) { return std::to_string(value); }

std::string TwoDigitText(int value) {
  std::string text = PlainNumberText(value);
  return value >= 0 && value < 10 ? "0" + text : text;
}

std::string DecimalText(float value, std::string_view decimalSeparator) {
  char buffer[64];
  const auto [end, error] =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
  if (error != std::errc{}) return "?";
  std::string text;
  for (const char* c = buffer; c != end; ++c) {
    if (*c == '.') {
      text += decimalSeparator;
    } else {
      text += *c;
    }
  }
  return text;
}

std::optional<double> ReadLeadingNumber(std::string_view text) {
  skipBlanks(text);
  const int sign = readSign(text);
  skipBlanks(text);

  // Copy the digits, with a point for a decimal point or comma, so the standard conversion
  // rounds the value correctly however many digits were typed.
  std::string number;
  bool anyDigit = false;
  auto takeDigits = [&] {
    while (!text.empty() && isDigit(text.front())) {
      number += text.front();
      anyDigit = true;
      text.remove_prefix(1);
    }
  };
  takeDigits();
  if (!text.empty() && (text.front() == '.' || text.front() == ',')) {
    number += '.';
    text.remove_prefix(1);
    takeDigits();
  }
  if (!anyDigit) return std::nullopt;

  double value = 0;
  const auto result = std::from_chars(number.data(), number.data() + number.size(), value);
  // Beyond the range of a double, in either direction: too far from every root to be one.
  if (result.ec != std::errc{}) return std::nullopt;
  return sign * value;
}

}  // namespace drill
