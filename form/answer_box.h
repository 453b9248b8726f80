// How an answer box takes what the pupil types, pastes or drops, and the keys it gives a meaning
// of its own: the same in every window, whatever its toolkit's edit control would do alone.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace form {

// The most an answer box holds, in UTF-16 code units, as every toolkit counts a box's text. A
// root takes a handful of characters, and a long paste that begins with a root still reads as
// that root. A longer box gains the pupil nothing and costs the Windows edit control whole
// seconds for a pasted megabyte.
inline constexpr std::size_t kAnswerBoxLimit = 1000;

// What a paste or a drop puts into an answer box with `room` units left. The box holds one line:
// each line break becomes one blank (CR LF two), which reading skips like any blank, so a cell
// copied from a spreadsheet ("-6\r\n") reads as its number and the box keeps what it was given
// otherwise. Then the text is cut to the room, never inside a character.
std::string PastedText(std::string_view utf8, std::size_t room);

// The room a paste has in a box that holds `boxLength` units, `selected` of which it replaces.
std::size_t RoomForPaste(std::size_t boxLength, std::size_t selected);

// How the focus came into an answer box.
enum class FocusCause {
  TabKey,  // Tab or Shift+Tab
  Click,
  Program,  // the program put it there: a new task, Return, a wrong answer, the window activated
};

// Whether the box selects its whole text as it takes the focus, so that typing replaces what it
// holds: after Tab and Shift+Tab, as in any dialog. A click puts the caret where it fell, and the
// program's own moves keep what the pupil had selected.
bool SelectsAllOnEntry(FocusCause cause);

// A key pressed in an answer box: the letter on the key the layout puts in the place of the
// Latin one (Ctrl+A is the same key on a Russian keyboard), and the modifiers held.
struct BoxKey {
  char latinLetter = 0;  // 'A'..'Z', or 0 for any other key
  bool control = false;  // Ctrl, or Command on an Apple keyboard
  bool alt = false;      // Alt; AltGr arrives as Ctrl+Alt and types a character
  bool shift = false;
};

enum class BoxKeyAction { Ordinary, SelectAll };

// Ctrl+A selects the whole text of the box; every other key does what the box does with it.
BoxKeyAction WhatBoxKeyDoes(const BoxKey& key);

}  // namespace form
