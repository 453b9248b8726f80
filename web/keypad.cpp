#include "web/keypad.h"

#include <string>

namespace web {

const std::vector<KeypadKey>& KeypadKeys() {
  static const std::vector<KeypadKey> keys = {
      {"Key7", "7", "7"}, {"Key8", "8", "8"}, {"Key9", "9", "9"}, {"KeyBack", "⌫", "стереть"},
      {"Key4", "4", "4"}, {"Key5", "5", "5"}, {"Key6", "6", "6"}, {"KeyMinus", "−", "минус"},
      {"Key1", "1", "1"}, {"Key2", "2", "2"}, {"Key3", "3", "3"}, {"KeyReturn", "↵", "ввод"},
      {"Key0", "0", "0"},
  };
  return keys;
}

val CreateKeypad(const val& parent) {
  val keypad = MakeElement("div", "keypad", parent);
  SetAttribute(keypad, "role", "group");
  SetAttribute(keypad, "aria-label", "Клавиатура");
  for (const KeypadKey& key : KeypadKeys()) {
    val button = MakeElement("button", key.name, keypad);
    button.set("type", std::string("button"));
    button.set("tabIndex", -1);
    SetText(button, key.caption);
    SetAttribute(button, "aria-label", std::string(key.spoken));
  }
  return keypad;
}

}  // namespace web
