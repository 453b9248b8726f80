#include "web/keypad.h"

#include <array>

namespace web {

std::span<const KeypadKey> KeypadKeys() {
  static constexpr std::array<KeypadKey, 13> kKeys = {{
      {"Key7", "7", "7"},
      {"Key8", "8", "8"},
      {"Key9", "9", "9"},
      {"KeyBack", "⌫", "стереть"},
      {"Key4", "4", "4"},
      {"Key5", "5", "5"},
      {"Key6", "6", "6"},
      {"KeyMinus", "−", "минус"},
      {"Key1", "1", "1"},
      {"Key2", "2", "2"},
      {"Key3", "3", "3"},
      {"KeyReturn", "↵", "ввод"},
      {"Key0", "0", "0"},
  }};
  return kKeys;
}

}  // namespace web
