// The two number conversions the drill needs from the standard library, and stand-ins for the
// libraries that lack them: libc++ 13 (the browser build's) has neither std::to_chars for float
// nor std::from_chars for double. A build takes the standard function where its library has one
// and the stand-in only where it does not; the stand-ins are built everywhere, so the native
// tests hold them against the standard functions.
#pragma once

#include <optional>
#include <string>

namespace drill {

// The shortest fixed-notation text that reads back as value, as std::to_chars(value,
// chars_format::fixed) writes it: "4.2", "5", "-0.125", "1000000015047466219876688855040".
std::string ShortestFixedText(float value);

// The double nearest to digits, which are ASCII digits with at most one '.' among them (no sign,
// no exponent, at least one digit), as std::from_chars reads them; nullopt when that is beyond
// the range of a double, past its largest value or so small it rounds to zero.
std::optional<double> DecimalValue(const std::string& digits);

// The stand-ins: exact arithmetic on whole numbers of any size, without the C library's printf
// and strtod, which would weigh down the browser build, and without its locale.
std::string ShortestFixedTextExact(float value);
std::optional<double> DecimalValueExact(const std::string& digits);

}  // namespace drill
