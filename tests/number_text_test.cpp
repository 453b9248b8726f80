#include "drill/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <optional>
#include <string>

#include "drill_run.h"

namespace {

using drill::DecimalText;
using drill::PlainNumberText;
using drill::ReadLeadingNumber;
using drill::TwoDigitText;

TEST(WholeNumberText, IsPlainDigitsAndSecondsGetTwo) {
  EXPECT_EQ(PlainNumberText(0), "0");
  EXPECT_EQ(PlainNumberText(7), "7");
  EXPECT_EQ(PlainNumberText(-12), "-12");
  EXPECT_EQ(PlainNumberText(32767), "32767");
  EXPECT_EQ(PlainNumberText(-32768), "-32768");
  EXPECT_EQ(TwoDigitText(0), "00");
  EXPECT_EQ(TwoDigitText(7), "07");
  EXPECT_EQ(TwoDigitText(9), "09");
  EXPECT_EQ(TwoDigitText(10), "10");
  EXPECT_EQ(TwoDigitText(59), "59");
}

// Every rating a run can show, under both separators: "4.2", never "4.19999" or "4.2000".
TEST(DecimalText, ShowsEveryTenthFromZeroToFiveInItsShortForm) {
  for (const char* separator : {".", ","}) {
    for (int tenths = 0; tenths <= 50; ++tenths) {
      EXPECT_EQ(DecimalText(static_cast<float>(tenths / 10.0), separator),
                TenthsText(tenths, separator));
    }
  }
}

struct ReadCase {
  const char* name;
  std::string text;
  std::optional<double> value;
};

// What a pupil may type into an answer box, and the number it stands for.
TEST(ReadLeadingNumber, ReadsTheNumberAtTheStartOfWhatWasTyped) {
  const ReadCase cases[] = {
      {"digits", "7", 7},
      {"minus", "-3", -3},
      {"typographic minus", "\u22125", -5},
      {"plus", "+4", 4},
      {"leading and trailing blanks", "  -2  ", -2},
      {"blank after the sign", "- 6", -6},
      {"no-break space before", "\u00A09", 9},
      {"tab before", "\t8", 8},
      {"leading zeros", "007", 7},
      {"point with zeros", "7.0", 7},
      {"comma with zeros", "7,00", 7},
      {"point fraction", "7.5", 7.5},
      {"comma fraction is not the whole part", "7,5", 7.5},
      {"point without digits after", "2.", 2},
      {"fraction without whole part", ".5", 0.5},
      {"trailing letters", "5abc", 5},
      {"two numbers in one box", "2 7", 2},
      {"zero", "0", 0},
      {"minus zero", "-0", 0},
      {"empty", "", std::nullopt},
      {"blanks only", "   ", std::nullopt},
      {"sign only", "-", std::nullopt},
      {"letters", "abc", std::nullopt},
      {"letters before digits", "x=5", std::nullopt},
      {"point only", ".", std::nullopt},
      {"two signs", "--5", std::nullopt},
      {"beyond double range", "1" + std::string(400, '0'), std::nullopt},
      // Pasted from a word processor, or typed with an East Asian input method.
      {"en dash", "\u20133", -3},
      {"figure dash", "\u20124", -4},
      {"hyphen", "\u20102", -2},
      {"small hyphen-minus", "\uFE636", -6},
      {"fullwidth hyphen-minus", "\uFF0D9", -9},
      {"en dash and a blank before the digit", "\u2013 8", -8},
      {"fullwidth digits", "\uFF11\uFF12", 12},
      {"every fullwidth digit", "\uFF10\uFF11\uFF12\uFF13\uFF14\uFF15\uFF16\uFF17\uFF18\uFF19",
       123456789},
      {"fullwidth and ASCII digits mixed", "1\uFF122", 122},
      {"fullwidth digit after a dash", "\uFF0D\uFF17", -7},
      {"fullwidth full stop fraction", "\uFF17\uFF0E\uFF15", 7.5},
      {"fullwidth comma fraction", "\uFF17\uFF0C\uFF15", 7.5},
      {"fullwidth full stop with zeros", "\uFF17\uFF0E\uFF10", 7},
      {"fullwidth comma after ASCII digits", "7\uFF0C5", 7.5},
      {"fullwidth colon after the digits ends them", "\uFF19\uFF1A5", 9},
      {"fullwidth solidus is no digit", "\uFF0F", std::nullopt},
      {"dash only", "\u2013", std::nullopt},
      {"fullwidth full stop only", "\uFF0E", std::nullopt},
      {"fullwidth digit cut short", std::string("\xEF\xBC") + '5', std::nullopt},
      // Pasted from a spreadsheet cell, a text file or a web page.
      {"CR LF after", "-6\r\n", -6},
      {"line break before", "\n-6", -6},
      {"line break between sign and digit", "-\r\n6", -6},
      {"unicode line separator before", "\u20283", 3},
      {"thin space before", "\u20097", 7},
      {"narrow no-break space after the sign", "\u2212\u202F5", -5},
      {"ideographic space before", "\u3000\uFF14", 4},
      {"zero-width space is no blank", "\u200B5", std::nullopt},
      {"em dash", "\u20148", -8},
      {"fullwidth plus", "\uFF0B4", 4},
      {"small plus", "\uFE622", 2},
      {"plus and minus", "+-5", std::nullopt},
  };
  for (const ReadCase& c : cases) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(ReadLeadingNumber(c.text), c.value);
  }
}

TEST(ReadLeadingNumber, IsSafeOnAnyTextOfAnyLength) {
  const std::string longDigits(1'000'000, '9');
  EXPECT_FALSE(ReadLeadingNumber(longDigits).has_value());
  const std::string longBlanks = std::string(1'000'000, ' ') + "-4";
  EXPECT_EQ(ReadLeadingNumber(longBlanks), -4);
  const std::string invalidUtf8 = "\xE2\x88";  // the first two bytes of a typographic minus
  EXPECT_FALSE(ReadLeadingNumber(invalidUtf8 + "5").has_value());
  EXPECT_FALSE(ReadLeadingNumber(std::string("\0"
                                             "5",
                                             2))
                   .has_value());
}

}  // namespace
