// The keyboard of Form1, the same flow as the Linux window's: Return and the keypad's Enter
// press the one button on screen or move on to the second box, Tab moves through the controls
// that take the focus and selects a box's text, Space presses the focused button, Ctrl+A selects
// all in a box; a key held down counts once, and Next takes no press until a double-click
// interval after it appeared.
#include <windowsx.h>

#include <chrono>

#include "form/answer_box.h"
#include "form/keyboard_rules.h"
#include "form/tab_order.h"
#include "win32/form1.h"
#include "win32/text_box.h"

namespace win32 {
namespace {

// Return and the keypad's Enter are one virtual key; the extended flag tells them apart, so each
// is held on its own.
constexpr int kKeypadEnter = 0x10000 | VK_RETURN;

int keyOf(UINT key, UINT flags) {
  return key == VK_RETURN && (flags & KF_EXTENDED) ? kKeypadEnter : static_cast<int>(key);
}

}  // namespace

// Only the pupil's own presses of Return and Space count; Windows flags a held key's repeats
// (KF_REPEAT, bit 30 of the message) and gives no timestamp.
bool Form1::keyDown(HWND from, UINT key, UINT flags) {
  if (key == VK_TAB) {
    const bool shift = GetKeyState(VK_SHIFT) < 0;
    moveByTab(from, /*forward=*/!shift);
    return true;
  }
  if (isAnswerBox(from) && boxKeyDoes(key) == form::BoxKeyAction::SelectAll) {
    Edit_SetSel(from, 0, -1);
    return true;
  }
  if (key != VK_RETURN && key != VK_SPACE) return false;
  const bool own = heldKeys_.Press(keyOf(key, flags), (flags & KF_REPEAT) != 0, 0);
  if (key == VK_RETURN) {
    if (own) pressReturn();
    return true;
  }
  return from == control("Command3") && !(own && nextTakesPress());
}

void Form1::keyUp(UINT key, UINT flags) {
  if (key == VK_RETURN || key == VK_SPACE) heldKeys_.Release(keyOf(key, flags), false, 0);
}

void Form1::pressReturn() {
  const HWND second = control("Text5");
  const form::ReturnContext where{
      .focusInFirstBox = GetFocus() == control("Text4"),
      .firstBoxEmpty = GetWindowTextLengthW(control("Text4")) == 0,
      .secondBoxEnabled = IsWindowEnabled(second) != FALSE,
      .secondBoxEmpty = GetWindowTextLengthW(second) == 0,
      .startShown = isShown("Command2"),
      .checkShown = isShown("Command1"),
      .nextShown = isShown("Command3"),
  };
  switch (form::WhatReturnDoes(where)) {
    case form::ReturnAction::MoveToSecondBox:
      ::SetFocus(second);
      break;
    case form::ReturnAction::PressStart:
      StartRun();
      break;
    case form::ReturnAction::PressCheck:
      check();
      break;
    case form::ReturnAction::PressNext:
      if (nextTakesPress()) next();
      break;
    case form::ReturnAction::Nothing:
      break;
  }
}

void Form1::moveByTab(HWND from, bool forward) {
  const std::string_view to = form::NextInTabOrder(
      nameOf(from), forward, [this](std::string_view name) { return takesFocus(name); });
  if (to.empty()) return;
  ::SetFocus(control(to));
  // An EDIT keeps its caret where it was; a dialog's box selects its text for typing over it.
  if (isAnswerBox(control(to)) && form::SelectsAllOnEntry(form::FocusCause::TabKey)) {
    Edit_SetSel(control(to), 0, -1);
  }
}

bool Form1::isAnswerBox(HWND window) const {
  const form::ControlRow* row = rowOf(window);
  return row && row->kind == form::ControlKind::TextBox && !IsCounter(*row);
}

// The letter keys' virtual keys are their Latin letters on every layout.
form::BoxKeyAction Form1::boxKeyDoes(UINT key) {
  return form::WhatBoxKeyDoes({
      .latinLetter = key >= 'A' && key <= 'Z' ? static_cast<char>(key) : char(0),
      .control = GetKeyState(VK_CONTROL) < 0,
      .alt = GetKeyState(VK_MENU) < 0,
      .shift = GetKeyState(VK_SHIFT) < 0,
  });
}

// The buttons on screen and the enabled answer boxes; never a counter.
bool Form1::takesFocus(std::string_view name) const {
  const HWND window = control(name);
  const form::ControlRow* row = rowOf(window);
  return row && !IsCounter(*row) && isShown(name) && IsWindowEnabled(window);
}

bool Form1::nextTakesPress() const {
  const std::chrono::milliseconds doubleClick(GetDoubleClickTime());
  return nextGuard_.TakesPress(std::chrono::steady_clock::now(), doubleClick);
}

// The window comes back to the front: the focus goes back where it was, or to the first control
// that takes it, or to the window itself.
void Form1::restoreFocus() {
  const std::string_view before = nameOf(focusWhenInactive_);
  if (!before.empty() && takesFocus(before)) {
    ::SetFocus(focusWhenInactive_);
    return;
  }
  const std::string_view first =
      form::NextInTabOrder({}, true, [this](std::string_view name) { return takesFocus(name); });
  ::SetFocus(first.empty() ? hwnd_ : control(first));
}

}  // namespace win32
