#include "form/answer_box.h"

#include <algorithm>

#include "drill/typed_characters.h"

namespace form {
namespace {

bool isContinuationByte(char byte) { return (static_cast<unsigned char>(byte) & 0xC0) == 0x80; }

// The UTF-16 units of the character whose UTF-8 form begins with this byte: two for a character
// beyond the basic plane (a four-byte form), none for a byte that continues a character.
std::size_t utf16Units(char leadByte) {
  if (isContinuationByte(leadByte)) return 0;
  return static_cast<unsigned char>(leadByte) >= 0xF0 ? 2 : 1;
}

// The line break at the front of text, or an empty view.
std::string_view lineBreakAt(std::string_view text) {
  for (const std::string_view lineBreak : drill::kLineBreaks) {
    if (text.starts_with(lineBreak)) return lineBreak;
  }
  return {};
}

}  // namespace

std::string PastedText(std::string_view utf8, std::size_t room) {
  std::string kept;
  std::size_t units = 0;
  while (!utf8.empty()) {
    if (const std::string_view lineBreak = lineBreakAt(utf8); !lineBreak.empty()) {
      if (units + 1 > room) break;
      kept += ' ';
      units += 1;
      utf8.remove_prefix(lineBreak.size());
      continue;
    }
    // One character: its lead byte and whatever continues it.
    std::size_t length = 1;
    while (length < utf8.size() && isContinuationByte(utf8[length])) ++length;
    const std::size_t characterUnits = utf16Units(utf8.front());
    if (units + characterUnits > room) break;
    kept.append(utf8.substr(0, length));
    units += characterUnits;
    utf8.remove_prefix(length);
  }
  return kept;
}

std::size_t RoomForPaste(std::size_t boxLength, std::size_t selected) {
  const std::size_t kept = boxLength - std::min(selected, boxLength);
  return kept >= kAnswerBoxLimit ? 0 : kAnswerBoxLimit - kept;
}

bool SelectsAllOnEntry(FocusCause cause) { return cause == FocusCause::TabKey; }

BoxKeyAction WhatBoxKeyDoes(const BoxKey& key) {
  if (key.latinLetter == 'A' && key.control && !key.alt && !key.shift) {
    return BoxKeyAction::SelectAll;
  }
  return BoxKeyAction::Ordinary;
}

}  // namespace form
