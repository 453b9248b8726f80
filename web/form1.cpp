#include "web/form1.h"

#include <emscripten/eventloop.h>

#include <algorithm>
#include <array>
#include <chrono>

#include "form/control_table.h"
#include "form/spoken.h"
#include "form/window_events.h"
#include "web/control_markup.h"

namespace web {
namespace {

// How long a hidden button stays in a screen reader's tree: until the browser has told the
// reader where the focus went, which it does with its next update of the tree.
constexpr double kLeavingMs = 250;

// What keeps a hidden button in the tree meanwhile: drawn, but transparent and not to be clicked.
constexpr std::array<std::pair<const char*, const char*>, 3> kLeavingStyle = {
    {{"display", "block"}, {"opacity", "0"}, {"pointer-events", "none"}}};

constexpr std::array<const char*, 3> kButtons = {"Command1", "Command2", "Command3"};

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
  if (isAnswerBox(focusedName())) ById("Form1").call<void>("focus");
  drill_.CheckAnswer();
  tellNews();
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

// The two live regions take turns: the news goes into the empty one and the other is emptied, so
// a region's text always changes, and the same verdict twice in a row is told twice.
void Form1::tellNews() {
  const std::string sentence = news_.Take();
  if (sentence.empty()) return;
  const val regions = ById(kNews)["children"];
  web::SetText(regions[newsRegion_], sentence);
  newsRegion_ = 1 - newsRegion_;
  web::SetText(regions[newsRegion_], "");
}

// A screen reader keeps its place on the button it pressed. Were the button to leave the reader's
// tree in the same update as the focus moved on, the reader would take the removal for the move,
// land in the answer box silently and stay in its browse mode, where digits are its own commands.
// So a hidden button stays in the tree a moment longer, unseen and out of the pointer's way.
void Form1::showButton(val& button, bool shown) {
  // A button hidden already is in no tree to leave.
  if (!shown && button["hidden"].as<bool>()) return;
  button.set("hidden", !shown);
  stayInReadersTree(button, !shown);
  if (!shown && leavingTimeout_ == 0) {
    leavingTimeout_ = emscripten_set_timeout(&Form1::hiddenButtonsLeave, kLeavingMs, this);
  }
}

void Form1::hiddenButtonsLeave(void* window) {
  auto& self = *static_cast<Form1*>(window);
  self.leavingTimeout_ = 0;
  for (const char* name : kButtons) stayInReadersTree(self.element(name), false);
}

void Form1::stayInReadersTree(const val& button, bool stay) {
  const val style = button["style"];
  for (const auto& [property, value] : kLeavingStyle) {
    if (stay) {
      style.call<void>("setProperty", std::string(property), std::string(value));
    } else {
      style.call<void>("removeProperty", std::string(property));
    }
  }
}

void Form1::SetCaption(std::string_view control, std::string_view text) {
  const auto found = controls_.labels.find(control);
  if (found == controls_.labels.end()) return;
  found->second->SetCaption(text);
  news_.CaptionSet(control, text);
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
  if (std::find(kButtons.begin(), kButtons.end(), control) != kButtons.end()) {
    showButton(target, shown);
  } else {
    target.set("hidden", !shown);
  }
  if (shown && control == "Command3") nextGuard_.Appeared(std::chrono::steady_clock::now());
  news_.VisibilitySet(control, shown);
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

// The engine moves the focus as the last thing a new task does.
void Form1::SetFocus(std::string_view control) {
  tellNews();
  if (controls_.elements.contains(control)) element(control).call<void>("focus");
}

void Form1::SetupEquationFonts() { equationRow_->SetupEquationFonts(); }

void Form1::ShowEquation(std::int16_t p, std::int16_t q) {
  equationRow_->ShowEquation(p, q);
  news_.EquationShown(p, q);
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
