// Numbers as the pupil reads and types them.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace drill {

// "7", "-12", "0": digits with a leading minus when negative.
std::string PlainNumberText(int value);

// Seconds of a stopwatch: "07", "42"; values from 10 up are plain number text.
std::string TwoDigitText(int value);

// The shortest decimal text that reads back as the same float, with the given decimal
// separator: 4.5f -> "4,5" for ",", 5.0f -> "5", 4.2f -> "4.2" (never "4.19999").
std::string DecimalText(float value, std::string_view decimalSeparator);

// Reads the number at the start of what a pupil typed, leniently (the characters are those of
// drill/typed_characters.h):
//  - blanks (tab, every space separator, line breaks) before the number and after its sign are
//    skipped;
//  - an optional sign: a plus ("+", fullwidth, small), or a minus: "-", the typographic minus, or
//    a dash put in its place (em, en and figure dash, hyphen, small and fullwidth hyphen-minus);
//  - digits, ASCII or fullwidth (U+FF10..U+FF19, the two mixed freely), optionally followed by a
//    decimal point or comma (".", ",", or the fullwidth U+FF0E and U+FF0C) and more digits ("7.0"
//    is 7, and "7,5" and "７．５" are 7.5, so a fraction never passes for a whole root; the value
//    is the nearest double, so only a fraction finer than a double holds, like
//    6.99999999999999999, reads as whole);
//  - whatever follows the number is ignored ("5 and 3" reads 5).
// Text that holds no digit there ("", "-", "abc", ".") is no number at all: nullopt, which no
// root ever equals; so is a number beyond the range of a double. Any text of any length is safe.
std::optional<double> ReadLeadingNumber(std::string_view text);

}  // namespace drill
