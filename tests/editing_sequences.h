// The answer boxes' editing rules as a pupil meets them: for each rule, keys and pastes from
// Start on, and what the boxes, the verdict and the wrong-attempt counter then show. Every window
// plays the same sequences through its own keyboard and clipboard, so the windows cannot drift
// apart on them.
#pragma once

#include <string>
#include <vector>

#include "form/answer_box.h"

enum class EditKey { Return, Tab, ShiftTab, CtrlA, Backspace };

struct EditStep {
  enum Kind { Type, Paste, Key } kind;
  std::string text;  // UTF-8: typed key by key, or put on the clipboard and pasted with Ctrl+V
  EditKey key = EditKey::Return;
};

inline EditStep Type(std::string text) { return {EditStep::Type, std::move(text)}; }
inline EditStep Paste(std::string text) { return {EditStep::Paste, std::move(text)}; }
inline EditStep Press(EditKey key) { return {EditStep::Key, {}, key}; }

struct EditingSequence {
  const char* rule;
  // The sign-table row drawn at load: 12 (2143) makes task 1's roots positive, 6 (1432)
  // negative.
  int permRow;
  int first, second;            // the roots of task 1 as drawn, before ordering and signs
  std::vector<EditStep> steps;  // after Start, pressed with Return
  std::string text4, text5, verdict, wrongAttempts;
};

inline std::vector<EditingSequence> EditingSequences() {
  constexpr int kPositive = 12;
  constexpr int kNegative = 6;
  const std::string megabyte = "2 " + std::string(1'000'000, '9');
  const std::string keptOfMegabyte = megabyte.substr(0, form::kAnswerBoxLimit - 1);
  const auto ret = Press(EditKey::Return);
  // clang-format off
  return {
      {"Tab into a filled box selects its text", kPositive, 6, 8,
       {Type("7"), Press(EditKey::Tab), Type("8"), Press(EditKey::ShiftTab), Type("6"), ret},
       "6", "8", "Правильно!", "0"},
      {"pasted line breaks become blanks", kPositive, 2, 7,
       {Paste("7\r\n"), ret, Paste("\n2"), ret},
       "7  ", " 2", "Правильно!", "0"},
      {"unicode blanks, the em dash and the typographic minus", kNegative, 3, 5,
       {Type("\u2014\u20093"), ret, Type("\u2212\u30005"), ret},
       "\u2014\u20093", "\u2212\u30005", "Правильно!", "0"},
      {"the fullwidth plus and the narrow no-break space", kPositive, 2, 7,
       {Type("\uFF0B2\u202F"), ret, Type("7"), ret},
       "\uFF0B2\u202F", "7", "Правильно!", "0"},
      {"Ctrl+A selects all", kPositive, 2, 7,
       {Type("5"), Press(EditKey::CtrlA), Type("2"), ret, Type("7"), ret},
       "2", "7", "Правильно!", "0"},
      {"Return in the empty first box does nothing", kPositive, 2, 7,
       {ret, Type("2"), ret, Type("7"), ret},
       "2", "7", "Правильно!", "0"},
      {"a pasted megabyte is cut to the limit and its root still read", kPositive, 2, 7,
       {Paste(megabyte), Press(EditKey::Backspace), ret, Type("7"), ret},
       keptOfMegabyte, "7", "Правильно!", "0"},
  };
  // clang-format on
}
