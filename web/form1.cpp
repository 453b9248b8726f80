#include "web/form1.h"

#include <array>
#include <chrono>

#include "form/control_table.h"
#include "form/spoken.h"
#include "form/window_events.h"

namespace web {
namespace {

// The pupil's own decimal separator, from the browser's language, for the rating: what stands
// between the 1 and the 5 of one and a half (formatToParts is Safari 13's, after the oldest
// browsers the page is for).
std::string decimalSeparator() {
  const val text = val::global("Intl")["NumberFormat"].new_().call<val>("format", 1.5);
  const int length = text["length"].as<int>();
  return length > 2 ? text.call<std::string>("slice", 1, length - 1) : ".";
}

std::array<form::RowLabel*, 7> equationLabels(const Controls& controls) {
  std::array<form::RowLabel*, 7> labels{};
  for (std::size_t i = 0; i < labels.size(); ++i) {
    labels[i] = controls.labels.find(form::kEquationLabels[i])->second.get();
  }
  return labels;
}

}  // namespace

Form1::Form1(std::unique_ptr<drill::RandomSource> random)
    : random_(std::move(random)),
      controls_(TakeControls()),
      drill_(*this, *random_, decimalSeparator()),
      timer1_(std::chrono::milliseconds(form::FindControl("Timer1")->intervalMs),
              [this] { drill_.TickSecond(); }) {
  for (const auto& [name, label] : controls_.labels) label->Fit();
  equationRow_.emplace(equationLabels(controls_));
  timer1_.SetEnabled(!(form::FindControl("Timer1")->flags & form::kDisabled));
  listenToControls();
  // The load: the run is set up before the pupil can press anything. The page was built showing
  // what the load shows, names for a screen reader included.
  drill_.InitRun();
}

// Every key goes through the document first; each control's own events come from it.
void Form1::listenToControls() {
  Listen(Document(), "keydown", "document");
  Listen(Document(), "keyup", "document");
  Listen(val::global("window"), "blur", "window");
  for (const char* button : {"Command1", "Command2", "Command3"}) {
    Listen(element(button), "click", button);
  }
  for (const char* box : {"Text4", "Text5"}) {
    Listen(element(box), "input", box);
    Listen(element(box), "paste", box);
    Listen(element(box), "drop", box);
  }
}

void Form1::StartRun() { form::StartRun(*this, drill_); }

void Form1::check() {
  drill_.CheckAnswer();
  switch (form::WhereFocusGoesAfterCheck(isShown("Command3"), isEnabled("Text4"))) {
    case form::FocusAfterCheck::Next:
      SetFocus("Command3");
      break;
    case form::FocusAfterCheck::FirstBox:
      SetFocus("Text4");
      break;
    case form::FocusAfterCheck::Nowhere:
      break;
  }
}

void Form1::next() { drill_.NextTask(); }

void Form1::refreshValueNames() {
  const auto caption = [&](std::string_view name) {
    const auto label = controls_.labels.find(name);
    return label == controls_.labels.end() ? std::string() : label->second->Caption();
  };
  for (const form::SpokenName& spoken : form::ValueNames(caption, isShown("Label16"))) {
    SetAttribute(element(spoken.control), "aria-label", spoken.name);
  }
}

void Form1::SetCaption(std::string_view control, std::string_view text) {
  const auto found = controls_.labels.find(control);
  if (found == controls_.labels.end()) return;
  found->second->SetCaption(text);
  if (form::ChangesValueNames(control)) refreshValueNames();
}

void Form1::SetText(std::string_view control, std::string_view text) {
  if (controls_.elements.contains(control)) val(element(control)).set("value", std::string(text));
}

std::string Form1::GetText(std::string_view control) {
  if (!controls_.elements.contains(control)) return {};
  return element(control)["value"].as<std::string>();
}

void Form1::SetVisible(std::string_view control, bool shown) {
  if (!controls_.elements.contains(control)) return;
  val target = element(control);
  // A hidden control never keeps the focus, or keys would still reach it; the window takes it.
  if (!shown && Document()["activeElement"] == target) ById("Form1").call<void>("focus");
  target.set("hidden", !shown);
  if (shown && control == "Command3") nextGuard_.Appeared(std::chrono::steady_clock::now());
  if (form::ChangesValueNames(control)) refreshValueNames();
}

void Form1::SetEnabled(std::string_view control, bool enabled) {
  if (control == "Timer1") {
    timer1_.SetEnabled(enabled);
    return;
  }
  if (!controls_.elements.contains(control)) return;
  val target = element(control);
  // A disabled box keeps no focus either: the window takes it, as from a hidden control.
  if (!enabled && Document()["activeElement"] == target) ById("Form1").call<void>("focus");
  target.set("disabled", !enabled);
}

void Form1::SetFocus(std::string_view control) {
  if (controls_.elements.contains(control)) element(control).call<void>("focus");
}

void Form1::SetupEquationFonts() { equationRow_->SetupEquationFonts(); }

void Form1::ShowEquation(std::int16_t p, std::int16_t q) {
  equationRow_->ShowEquation(p, q);
  SetAttribute(element(kEquationArea), "aria-label", form::SpokenEquation(p, q));
}

const val& Form1::element(std::string_view name) const {
  return controls_.elements.find(name)->second;
}

std::string_view Form1::focusedName() const {
  const val focused = Document()["activeElement"];
  for (const auto& [name, control] : controls_.elements) {
    if (control == focused) return name;
  }
  return {};
}

bool Form1::isShown(std::string_view name) const { return !element(name)["hidden"].as<bool>(); }

bool Form1::isEnabled(std::string_view name) const {
  const val disabled = element(name)["disabled"];
  return disabled.isUndefined() || !disabled.as<bool>();
}

}  // namespace web
