// A window port for measuring the engine: it keeps only what a pupil needs to go on (the texts of
// the two answer boxes, the equation on screen, whether Next is shown) and records nothing else.
// The recording fake of the tests turns every call into a string and looks every control up in a
// map by a freshly built std::string; through it a run measures mostly the fake, not the engine.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "drill/drill.h"

class LeanWindow : public drill::WindowPort {
 public:
  void SetCaption(std::string_view, std::string_view) override { ++calls; }
  void SetText(std::string_view control, std::string_view text) override {
    ++calls;
    if (std::string* box = answerBox(control)) box->assign(text);
  }
  std::string GetText(std::string_view control) override {
    ++calls;
    const std::string* box = answerBox(control);
    return box != nullptr ? *box : std::string();
  }
  void SetVisible(std::string_view control, bool shown) override {
    ++calls;
    if (control == "Command3") nextShown = shown;
  }
  void SetEnabled(std::string_view, bool) override { ++calls; }
  void SetFocus(std::string_view) override { ++calls; }
  void SetupEquationFonts() override { ++calls; }
  void ShowEquation(std::int16_t p, std::int16_t q) override {
    ++calls;
    ++equationsShown;
    shownP = p;
    shownQ = q;
  }

  // What the pupil types into an answer box.
  void Type(std::string_view control, std::string_view text) {
    if (std::string* box = answerBox(control)) box->assign(text);
  }

  long calls = 0;  // every port call the engine made
  long equationsShown = 0;
  std::int16_t shownP = 0;
  std::int16_t shownQ = 0;
  bool nextShown = false;

 private:
  std::string* answerBox(std::string_view control) {
    if (control == "Text4") return &text4_;
    if (control == "Text5") return &text5_;
    return nullptr;
  }

  std::string text4_;
  std::string text5_;
};
