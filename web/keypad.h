// The page's own keypad, for a finger: a phone's number pad has no minus key, and half the roots
// are negative. Keys 0 to 9, minus, erase and Return, each a button named for a screen reader;
// they type into the answer box with the focus and never take it. The shell shows the keypad
// only where the main pointer is coarse and keeps the system keyboard closed there.
#pragma once

#include <span>
#include <string_view>

namespace web {

struct KeypadKey {
  std::string_view name;     // the element's id and the key's name for Form1
  std::string_view caption;  // UTF-8
  std::string_view spoken;   // the key's name for a screen reader
};

// The keys in reading order, three digits to a row with the erase, sign and Return keys at the
// side: "Key7", "Key8", "Key9", "KeyBack", ... "KeyReturn", "Key0".
std::span<const KeypadKey> KeypadKeys();

}  // namespace web
