// The page's events, one handler each: clicks and taps on the buttons, the keys, a change of an
// answer box's text, a paste or a drop into a box, and the keypad's keys.
#include <chrono>

#include "form/answer_box.h"
#include "form/keyboard_rules.h"
#include "form/tab_order.h"
#include "form/window_events.h"
#include "web/form1.h"

namespace web {
namespace {

// A browser does not tell the system's double-click time; this is the common default.
constexpr std::chrono::milliseconds kDoubleClickInterval{500};

// Return and the keypad's Enter, each held on its own.
constexpr int kReturnKey = 1;
constexpr int kKeypadEnterKey = 2;

std::string text(const val& event, const char* property) {
  return event[property].as<std::string>();
}

bool flag(const val& event, const char* property) { return event[property].as<bool>(); }

}  // namespace

void Form1::OnEvent(std::string_view control, const val& event) {
  const std::string type = text(event, "type");
  if (type == "click") {
    OnClick(control, event);
  } else if (type == "keydown") {
    OnKeyDown(event);
  } else if (type == "keyup") {
    OnKeyUp(event);
  } else if (type == "input") {
    OnInput();
  } else if (type == "paste" || type == "drop") {
    OnPaste(control, event);
  } else if (type == "blur") {
    // The page lost the keyboard: releases will go elsewhere, so no key counts as held.
    heldKeys_.Forget();
  }
}

// A click, a tap, or a screen reader's press. Next takes none until a double-click interval
// after it appeared, so a double click or a double tap on Check leaves the verdict on screen. A
// hidden button takes none either: one still in a reader's tree for a moment after it was hidden
// (showButton) can be pressed by the reader.
void Form1::OnClick(std::string_view control, const val&) {
  if (control.starts_with("Command") && !isShown(control)) return;
  if (control == "Command2") StartRun();
  if (control == "Command1") check();
  if (control == "Command3" && nextTakesPress()) next();
  if (control.starts_with("Key")) OnKeypad(control);
}

void Form1::OnKeyDown(const val& event) {
  const std::string key = text(event, "key");
  if (key == "Tab") {
    event.call<void>("preventDefault");
    moveByTab(/*forward=*/!flag(event, "shiftKey"));
    return;
  }
  const std::string_view focused = focusedName();
  if (isAnswerBox(focused)) {
    const std::string code = text(event, "code");
    // The key's place, not its letter: Ctrl+A is the same key on a Russian layout.
    const bool letter = code.size() == 4 && code.starts_with("Key");
    const form::BoxKey pressed{
        .latinLetter = letter ? code[3] : char(0),
        .control = flag(event, "ctrlKey") || flag(event, "metaKey"),
        .alt = flag(event, "altKey"),
        .shift = flag(event, "shiftKey"),
    };
    if (form::WhatBoxKeyDoes(pressed) == form::BoxKeyAction::SelectAll) {
      event.call<void>("preventDefault");
      element(focused).call<void>("select");
      return;
    }
  }
  if (key != "Enter") return;
  // Return is the window's own, pressed on its way down; only the pupil's own presses count.
  event.call<void>("preventDefault");
  const int id = text(event, "code") == "NumpadEnter" ? kKeypadEnterKey : kReturnKey;
  if (heldKeys_.Press(id, flag(event, "repeat"), 0)) pressReturn();
}

void Form1::OnKeyUp(const val& event) {
  if (text(event, "key") != "Enter") return;
  heldKeys_.Release(text(event, "code") == "NumpadEnter" ? kKeypadEnterKey : kReturnKey, false, 0);
}

void Form1::OnInput() { form::ShowCheckRule(*this); }

// A paste or a drop comes into a box as one line, cut to the room the box has: the browser's
// own would keep the text of a cell without its line break, and cut a long one anywhere.
void Form1::OnPaste(std::string_view box, const val& event) {
  event.call<void>("preventDefault");
  const val data = text(event, "type") == "paste" ? event["clipboardData"] : event["dataTransfer"];
  if (data.isNull() || data.isUndefined() || !isEnabled(box)) return;
  const val target = element(box);
  if (text(event, "type") == "drop") target.call<void>("focus");
  const int start = target["selectionStart"].as<int>();
  const int end = target["selectionEnd"].as<int>();
  const std::size_t room = form::RoomForPaste(target["value"]["length"].as<std::size_t>(),
                                              static_cast<std::size_t>(end - start));
  // Every unit of a paste becomes at most one in the box: the room's worth, and one more to
  // finish a character cut in half, is all of a pasted megabyte that crosses into the program.
  const val pasted = data.call<val>("getData", std::string("text/plain"))
                         .call<val>("slice", 0, static_cast<double>(room + 1));
  insertIntoBox(target, form::PastedText(pasted.as<std::string>(), room));
}

void Form1::insertIntoBox(const val& box, const std::string& utf8) {
  const val start = box["selectionStart"];
  box.call<void>("setRangeText", utf8, start, box["selectionEnd"], std::string("end"));
  form::ShowCheckRule(*this);
}

// The keypad types where the pupil's keyboard would: into the answer box with the focus.
void Form1::OnKeypad(std::string_view key) {
  if (key == "KeyReturn") {
    pressReturn();
    return;
  }
  const std::string_view focused = focusedName();
  if (!isAnswerBox(focused) || !isEnabled(focused)) return;
  const val& box = element(focused);
  if (key == "KeyBack") {
    const int start = box["selectionStart"].as<int>();
    const int end = box["selectionEnd"].as<int>();
    if (start != end) {
      insertIntoBox(box, "");
    } else if (start > 0) {
      // A character beyond the basic plane is two units: both go.
      const int low = box["value"].call<int>("charCodeAt", start - 1);
      const int from = low >= 0xDC00 && low <= 0xDFFF && start > 1 ? start - 2 : start - 1;
      box.call<void>("setRangeText", std::string(), from, start, std::string("end"));
      form::ShowCheckRule(*this);
    }
    return;
  }
  const std::string typed = key == "KeyMinus" ? "-" : std::string(1, key.back());
  const std::size_t room = form::RoomForPaste(
      box["value"]["length"].as<std::size_t>(),
      box["selectionEnd"].as<std::size_t>() - box["selectionStart"].as<std::size_t>());
  insertIntoBox(box, form::PastedText(typed, room));
}

void Form1::pressReturn() {
  const form::ReturnContext where{
      .focusInFirstBox = focusedName() == "Text4",
      .firstBoxEmpty = GetText("Text4").empty(),
      .secondBoxEnabled = isEnabled("Text5"),
      .secondBoxEmpty = GetText("Text5").empty(),
      .startShown = isShown("Command2"),
      .checkShown = isShown("Command1"),
      .nextShown = isShown("Command3"),
  };
  switch (form::WhatReturnDoes(where)) {
    case form::ReturnAction::MoveToSecondBox:
      SetFocus("Text5");
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

// Tab goes round the controls that take the focus in the design's tab order, not the order of
// the page's elements, which follows their stacking.
void Form1::moveByTab(bool forward) {
  const std::string_view to = form::NextInTabOrder(
      focusedName(), forward, [this](std::string_view name) { return takesFocus(name); });
  if (to.empty()) return;
  SetFocus(to);
  if (isAnswerBox(to) && form::SelectsAllOnEntry(form::FocusCause::TabKey)) {
    element(to).call<void>("select");
  }
}

bool Form1::nextTakesPress() const {
  return nextGuard_.TakesPress(std::chrono::steady_clock::now(), kDoubleClickInterval);
}

// The buttons on screen and the enabled answer boxes; never a counter.
bool Form1::takesFocus(std::string_view name) const {
  const form::ControlRow* row = form::FindControl(name);
  if (!row || !controls_.elements.contains(name)) return false;
  const bool counter = row->kind == form::ControlKind::TextBox && (row->flags & form::kDisabled);
  return !counter && isShown(name) && isEnabled(name);
}

bool Form1::isAnswerBox(std::string_view name) const { return name == "Text4" || name == "Text5"; }

}  // namespace web
