// The page's own keypad, for a finger: a phone's number pad has no minus key, and half the roots
// are negative. Keys 0 to 9, minus, erase and Return, each a button named for a screen reader;
// they type into the answer box with the focus and never take it. The shell shows the keypad
// only where the main pointer is coarse and keeps the system keyboard closed there.
#pragma once

#include <string_view>
#include <vector>

#include "web/dom.h"

namespace web {

struct KeypadKey {
  std::string_view name;     // the element's id and the key's name for Form1
  std::string_view caption;  // UTF-8
  std::string_view spoken;   // the key's name for a screen reader
};

// The keys in reading order, three digits to a row with the sign and edit keys at the side.
const std::vector<KeypadKey>& KeypadKeys();

// Makes the keypad in parent; its keys are "Key0".."Key9", "KeyMinus", "KeyBack", "KeyReturn".
val CreateKeypad(const val& parent);

}  // namespace web
