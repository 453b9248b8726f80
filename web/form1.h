// The main window as a web page: the drill's only window and the only way in.
//
// Form1 takes its controls, each an element whose id is its design name, from the page it was
// built with (control_markup, control_factory), on the design area the shell scales to the
// screen. It owns the
// drill engine by value and implements the engine's WindowPort on those elements; the equation
// operations go to form::EquationRow, which arranges the seven TwipLabels of the row.
//
// An event travels like this: the shell's listener calls OnEvent with the control's name and the
// DOM event; OnEvent hands it to one handler by its type (a click, a key, a change of a box's
// text, a paste), as a window procedure dispatches messages. The click on Check calls
// Drill::CheckAnswer; the engine reads the answer boxes through GetText, judges, and writes
// verdict, counters and button states back through SetCaption, SetText and SetVisible; the
// handler then puts the focus where the next key belongs, and control returns to the browser.
// Return, Tab and the answer boxes' editing follow form/ (keyboard_rules.h, tab_order.h,
// answer_box.h); a held key or a quick second click never presses Next. Where the main pointer
// is a finger, the page's own keypad (keypad.h) types into the boxes. The news of each step
// (form/news.h) goes to a screen reader through a live region.
#pragma once

#include <emscripten/val.h>

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "drill/drill.h"
#include "form/equation_row.h"
#include "form/keyboard_rules.h"
#include "form/news.h"
#include "web/control_factory.h"
#include "web/second_timer.h"

namespace web {

class Form1 final : public drill::WindowPort {
 public:
  // Takes the window's controls from the page and loads it (InitRun).
  explicit Form1(std::unique_ptr<drill::RandomSource> random = drill::MakeSystemRandomSource());
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  void OnEvent(std::string_view control, const val& event);

  void SetCaption(std::string_view control, std::string_view text) override;
  void SetText(std::string_view control, std::string_view text) override;
  std::string GetText(std::string_view control) override;
  void SetVisible(std::string_view control, bool shown) override;
  void SetEnabled(std::string_view control, bool enabled) override;  // Timer1: ticking or not
  void SetFocus(std::string_view control) override;
  void SetupEquationFonts() override;
  void ShowEquation(std::int16_t p, std::int16_t q) override;

 private:
  void listenToControls();
  void OnClick(std::string_view control, const val& event);
  void OnKeyDown(const val& event);
  void OnKeyUp(const val& event);
  void OnInput();
  void OnPaste(std::string_view box, const val& event);
  void OnKeypad(std::string_view key);

  void StartRun();
  void check();
  void next();
  void pressReturn();
  void moveByTab(bool forward);
  void insertIntoBox(const val& box, const std::string& utf8);
  bool nextTakesPress() const;

  void refreshValueNames();
  void tellNews();
  void showButton(val& button, bool shown);
  static void hiddenButtonsLeave(void* window);
  static void stayInReadersTree(const val& button, bool stay);

  const val& element(std::string_view name) const;
  std::string_view focusedName() const;
  bool isShown(std::string_view name) const;
  bool isEnabled(std::string_view name) const;
  bool takesFocus(std::string_view name) const;
  bool isAnswerBox(std::string_view name) const;

  std::unique_ptr<drill::RandomSource> random_;
  Controls controls_;
  std::optional<form::EquationRow> equationRow_;
  drill::Drill drill_;
  SecondTimer timer1_;
  form::HeldKeys heldKeys_;
  form::NextGuard nextGuard_;
  form::News news_;
  int newsRegion_ = 0;       // the live region the next news goes into
  long leavingTimeout_ = 0;  // when hidden buttons leave a screen reader's tree; 0 for none
};

}  // namespace web
