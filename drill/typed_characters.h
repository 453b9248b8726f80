// The characters a pupil's answer may hold around and in a number, as UTF-8: what the drill
// reads as a blank, a sign, or a line break. Pupils type on many keyboards and paste from word
// processors, spreadsheets and web pages, which put their own characters where an ASCII blank or
// minus was meant.
#pragma once

#include <string_view>

namespace drill {

// Line breaks: CR, LF, CR LF from a spreadsheet cell or a text file, and the rarer breaks of
// Unicode. An answer box holds one line, so a pasted break becomes a blank there, and reading
// skips it like one.
// clang-format off
inline constexpr std::string_view kLineBreaks[] = {
    "\n", "\r", "\v", "\f",
    "\u0085",  // next line
    "\u2028",  // line separator
    "\u2029",  // paragraph separator
};
// clang-format on

// Blanks on one line: the tab and every space separator of Unicode (the no-break, thin,
// ideographic and narrow no-break spaces among them, which word processors and East Asian input
// methods put between a sign and a number or after it).
// clang-format off
inline constexpr std::string_view kSpaces[] = {
    " ", "\t",
    "\u00A0",  // no-break space
    "\u1680",  // ogham space mark
    "\u2000", "\u2001", "\u2002", "\u2003", "\u2004", "\u2005",  // en quad to six-per-em space
    "\u2006", "\u2007", "\u2008", "\u2009", "\u200A",  // figure, punctuation, thin, hair space
    "\u202F",  // narrow no-break space
    "\u205F",  // medium mathematical space
    "\u3000",  // ideographic space
};
// clang-format on

// What may stand for a minus: besides "-" and the typographic minus, the dashes word processors
// put where a minus was typed (the em dash stands for "--"), which pupils paste from them, and
// the hyphen-minus of fullwidth and small forms.
inline constexpr std::string_view kMinusSigns[] = {
    "-",
    "\u2212",  // minus sign
    "\u2014",  // em dash
    "\u2013",  // en dash
    "\u2012",  // figure dash
    "\u2010",  // hyphen
    "\uFE63",  // small hyphen-minus
    "\uFF0D",  // fullwidth hyphen-minus
};

// What may stand for a plus: the ASCII one and its fullwidth and small forms.
inline constexpr std::string_view kPlusSigns[] = {
    "+",
    "\uFF0B",  // fullwidth plus sign
    "\uFE62",  // small plus sign
};

}  // namespace drill
