// A recording stand-in for the main window: keeps what the engine set on each control, so tests
// can read the screen back, type into the answer boxes, and check the order of the calls.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "drill/drill.h"

class FakeWindow : public drill::WindowPort {
 public:
  struct Control {
    std::string text;  // caption of a label, text of a box
    bool visible = true;
    bool enabled = true;
  };

  void SetCaption(std::string_view control, std::string_view text) override {
    record("SetCaption", control, text);
    at(control).text = text;
  }
  void SetText(std::string_view control, std::string_view text) override {
    record("SetText", control, text);
    at(control).text = text;
  }
  std::string GetText(std::string_view control) override {
    record("GetText", control, "");
    return at(control).text;
  }
  void SetVisible(std::string_view control, bool shown) override {
    record("SetVisible", control, shown ? "1" : "0");
    at(control).visible = shown;
  }
  void SetEnabled(std::string_view control, bool enabled) override {
    record("SetEnabled", control, enabled ? "1" : "0");
    at(control).enabled = enabled;
  }
  void SetFocus(std::string_view control) override {
    record("SetFocus", control, "");
    focus = control;
  }
  void SetupEquationFonts() override { record("SetupEquationFonts", "", ""); }
  void ShowEquation(std::int16_t p, std::int16_t q) override {
    record("ShowEquation", std::to_string(p), std::to_string(q));
    equations.emplace_back(p, q);
  }

  // What the pupil types into a box (no call is recorded: the engine did not do it).
  void Type(std::string_view control, std::string_view text) { at(control).text = text; }

  const std::string& Text(std::string_view control) { return at(control).text; }
  bool Visible(std::string_view control) { return at(control).visible; }
  bool Enabled(std::string_view control) { return at(control).enabled; }

  // Forgets the calls made so far, keeping the controls as they stand.
  void ClearCalls() { calls.clear(); }

  // Each call as "Operation Control Argument", in order.
  std::vector<std::string> calls;
  std::vector<std::pair<std::int16_t, std::int16_t>> equations;
  std::string focus;

 private:
  Control& at(std::string_view control) { return controls_[std::string(control)]; }
  void record(std::string_view operation, std::string_view control, std::string_view argument) {
    std::string call(operation);
    if (!control.empty()) call += " " + std::string(control);
    if (!argument.empty()) call += " " + std::string(argument);
    calls.push_back(std::move(call));
  }

  std::map<std::string, Control> controls_;
};
