// Form1 as the engine's window port: every change the engine makes reaches a control here, by
// the control's design name.
#include <chrono>

#include "form/control_table.h"
#include "form/spoken.h"
#include "win32/accessible_names.h"
#include "win32/announcement.h"
#include "win32/form1.h"
#include "win32/utf16.h"

namespace win32 {

void Form1::SetCaption(std::string_view control, std::string_view text) {
  const auto found = controls_.labels.find(control);
  if (found == controls_.labels.end()) return;
  found->second->SetCaption(text);
  news_.CaptionSet(control, text);
  if (form::ChangesValueNames(control)) refreshValueNames();
}

void Form1::SetText(std::string_view control, std::string_view text) {
  if (const HWND box = this->box(control)) SetWindowTextW(box, Utf16(text).c_str());
}

std::string Form1::GetText(std::string_view control) {
  const HWND box = this->box(control);
  return box ? WindowTextUtf8(box) : std::string();
}

void Form1::SetVisible(std::string_view control, bool shown) {
  const HWND window = this->control(control);
  if (!window) return;
  news_.VisibilitySet(control, shown);
  // A hidden control never keeps the focus, or keys would still reach it: after the last task
  // Space would press a hidden Check again. The window takes it.
  if (!shown && holdsFocus(window)) {
    tellNews();
    ::SetFocus(hwnd_);
  }
  ShowWindow(window, shown ? SW_SHOWNA : SW_HIDE);
  if (shown && control == "Command3") nextGuard_.Appeared(std::chrono::steady_clock::now());
  if (form::ChangesValueNames(control)) refreshValueNames();
}

void Form1::SetEnabled(std::string_view control, bool enabled) {
  if (control == "Timer1") {
    timer1_->SetEnabled(enabled);
    return;
  }
  const HWND window = this->control(control);
  if (!window) return;
  // Windows leaves the keyboard nowhere when the focused control is disabled; the window takes it.
  if (!enabled && holdsFocus(window)) {
    tellNews();
    ::SetFocus(hwnd_);
  }
  EnableWindow(window, enabled);
}

void Form1::SetFocus(std::string_view control) {
  tellNews();
  if (const HWND window = this->control(control)) ::SetFocus(window);
}

void Form1::SetupEquationFonts() { equationRow_->SetupEquationFonts(); }

void Form1::ShowEquation(std::int16_t p, std::int16_t q) {
  equationRow_->ShowEquation(p, q);
  news_.EquationShown(p, q);
  setSpokenName(kEquationArea, form::SpokenEquation(p, q));
}

}  // namespace win32
