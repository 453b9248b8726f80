#include "web/control_markup.h"

#include <array>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

#include "drill/drill.h"
#include "form/answer_box.h"
#include "form/control_table.h"
#include "form/equation_row.h"
#include "form/spoken.h"
#include "web/css.h"
#include "web/design_fonts.h"
#include "web/keypad.h"

namespace web {
namespace {

using form::ControlKind;
using form::ControlRow;
using form::Parent;

std::string escaped(std::string_view text) {
  std::string html;
  for (const char c : text) {
    switch (c) {
      case '&':
        html += "&amp;";
        break;
      case '<':
        html += "&lt;";
        break;
      case '"':
        html += "&quot;";
        break;
      default:
        html += c;
    }
  }
  return html;
}

// The labels whose words a screen reader already hears in a name of another element: the
// counters' captions, the parts of both stopwatches, the "x =" and subscripts before the boxes.
bool spokenElsewhere(std::string_view name) {
  static constexpr std::array<std::string_view, 14> kParts = {
      "Label1",  "Label2",  "Label3",  "Label8",  "Label9",  "Label10", "Label11",
      "Label13", "Label15", "Label16", "Label17", "Label18", "Label19", "Label20"};
  for (const std::string_view part : kParts) {
    if (part == name) return true;
  }
  return false;
}

// A control as the page will first show it.
struct Element {
  const ControlRow* row;
  bool hidden;
  bool disabled;
  std::string text;  // a caption or a box's text
  float points;      // the font's size
};

// A label of the equation row, to the row: its caption and font size. Its box stays as designed
// here; the page fits it to the caption once it can measure.
class RowElement final : public form::RowLabel {
 public:
  explicit RowElement(Element& element) : element_(element) {}
  std::string Caption() const override { return element_.text; }
  void SetCaption(std::string_view utf8) override { element_.text = utf8; }
  float FontPoints() const override { return element_.points; }
  void SetFontPoints(float points) override { element_.points = points; }
  float LeftTwips() const override { return float(element_.row->left); }
  float WidthTwips() const override { return float(element_.row->width); }
  void SetLeftTwips(float) override {}
  void SetWidthTwips(float) override {}

 private:
  Element& element_;
};

// Draws nothing: the load takes no random number that the markup shows.
class NoRandom final : public drill::RandomSource {
 public:
  void Seed(float) override {}
  float Next() override { return 0; }
};

// The window as the load leaves it: the engine's own start-up, run against the elements.
class LoadedWindow final : public drill::WindowPort {
 public:
  LoadedWindow() {
    for (const ControlRow& row : form::ControlTable()) {
      elements_.emplace(row.name,
                        Element{&row, (row.flags & form::kHidden) != 0,
                                (row.flags & form::kDisabled) != 0, row.caption, row.font.points});
    }
    std::array<form::RowLabel*, 7> labels{};
    for (std::size_t i = 0; i < labels.size(); ++i) {
      rowElements_.push_back(std::make_unique<RowElement>(at(form::kEquationLabels[i])));
      labels[i] = rowElements_.back().get();
    }
    row_ = std::make_unique<form::EquationRow>(labels);
    NoRandom random;
    drill::Drill(*this, random).InitRun();
  }

  Element& at(std::string_view name) { return elements_.find(name)->second; }

  void SetCaption(std::string_view control, std::string_view text) override {
    at(control).text = text;
  }
  void SetText(std::string_view control, std::string_view text) override {
    at(control).text = text;
  }
  std::string GetText(std::string_view control) override { return at(control).text; }
  void SetVisible(std::string_view control, bool shown) override { at(control).hidden = !shown; }
  void SetEnabled(std::string_view control, bool enabled) override {
    at(control).disabled = !enabled;
  }
  void SetFocus(std::string_view) override {}
  void SetupEquationFonts() override { row_->SetupEquationFonts(); }
  void ShowEquation(std::int16_t p, std::int16_t q) override { row_->ShowEquation(p, q); }

 private:
  std::map<std::string, Element, std::less<>> elements_;
  std::vector<std::unique_ptr<RowElement>> rowElements_;
  std::unique_ptr<form::EquationRow> row_;
};

std::string className(const ControlRow& row) {
  switch (row.kind) {
    case ControlKind::Button:
      return "button";
    case ControlKind::TextBox:
      return row.flags & form::kDisabled ? "box counter" : "box answer";
    case ControlKind::Label:
      return "label";
    case ControlKind::Frame:
      return "frame";
    case ControlKind::Shape:
    case ControlKind::Timer:
      break;
  }
  return "shape";
}

std::string style(const Element& element, float originTop) {
  const ControlRow& row = *element.row;
  std::string css =
      CssBox(float(row.left), float(row.top) - originTop, float(row.width), float(row.height));
  css += ";font:" + CssFont(row.font, element.points);
  // The platform's text colour for every role is the classic light desktop's black.
  css += ";color:" + CssColour(row.text == form::kSystemColour ? 0x000000 : row.text);
  css += ";background-color:" + CssColour(row.back);
  css += ";text-align:" + CssAlign(row.align);
  if (row.font.underline) css += ";text-decoration:underline";
  if (row.kind == ControlKind::Shape) {
    css += ";border:" + std::to_string(row.linePixels) + "px solid " + CssColour(row.text);
  }
  return css;
}

class Writer {
 public:
  explicit Writer(LoadedWindow& window) : window_(window) {
    for (const form::SpokenName& spoken : form::FixedNames())
      names_[std::string(spoken.control)] = spoken.name;
    const auto caption = [&](std::string_view name) { return window_.at(name).text; };
    const bool taskMinutesShown = !window_.at("Label16").hidden;
    for (const form::SpokenName& spoken : form::ValueNames(caption, taskMinutesShown)) {
      names_[std::string(spoken.control)] = spoken.name;
    }
  }

  std::string Controls(Parent parent, float originTop = 0) {
    std::string html;
    const std::vector<const ControlRow*> rows = form::FrontToBack(parent);
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) html += control(**row, originTop);
    return html;
  }

 private:
  std::string control(const ControlRow& row, float originTop) {
    const Element& element = window_.at(row.name);
    const bool box = row.kind == ControlKind::TextBox;
    const char* tag = row.kind == ControlKind::Button ? "button" : box ? "input" : "div";
    std::string html = std::string("<") + tag + " id=\"" + row.name + "\" class=\"" +
                       className(row) + "\" style=\"" + escaped(style(element, originTop)) + "\"";
    if (row.kind == ControlKind::Button) html += " type=\"button\"";
    if (box) {
      html += " type=\"text\" autocomplete=\"off\" spellcheck=\"false\" maxlength=\"" +
              std::to_string(form::kAnswerBoxLimit) + "\" value=\"" + escaped(element.text) + "\"";
    }
    if (element.hidden) html += " hidden";
    if (element.disabled) html += " disabled";
    // The page opens with the focus on Start, the only control then able to take it.
    if (std::string_view(row.name) == "Command2") html += " autofocus";
    html += accessibility(row);
    if (box) return html + ">";
    html += ">";
    if (row.kind == ControlKind::Frame) {
      html += Controls(Parent::Frame1);
    } else if (row.kind != ControlKind::Shape) {
      html += escaped(element.text);
    }
    return html + "</" + tag + ">";
  }

  // What a screen reader hears of the control: its name, a role for the displays read with their
  // values; nothing of the pieces other names already say. The verdict is told with the news.
  std::string accessibility(const ControlRow& row) const {
    const std::string_view name = row.name;
    std::string html;
    if (const auto spoken = names_.find(name); spoken != names_.end()) {
      html += " aria-label=\"" + escaped(spoken->second) + "\"";
    }
    if (name == "Label14" || name == "Label21") html += " role=\"timer\"";
    if (name == "Label4" || name == "Label6") html += " role=\"img\"";
    const bool piece = row.kind == ControlKind::Shape || row.parent == Parent::EquationRow ||
                       spokenElsewhere(name);
    if (piece) html += " aria-hidden=\"true\"";
    return html;
  }

  LoadedWindow& window_;
  std::map<std::string, std::string, std::less<>> names_;
};

}  // namespace

std::string LoadedWindowMarkup() {
  LoadedWindow window;
  Writer writer(window);
  // The row's labels keep the window's coordinates on a layer across the whole window, under
  // every other control (nothing of the design overlaps the row); the layer is only as high as
  // the row, so a screen reader shows the equation where it is.
  const ControlRow& rowLabel = *form::FindControl(form::kEquationLabels[0]);
  const float rowTop = float(rowLabel.top);
  std::string html = "<div id=\"EquationArea\" role=\"img\" aria-label=\"" +
                     escaped(form::kSpokenEquationBeforeStart) + "\" style=\"" +
                     CssBox(0, rowTop, form::kClientWidthTwips, float(rowLabel.height)) + "\">" +
                     writer.Controls(Parent::EquationRow, rowTop) + "</div>";
  // The news of each step (form/news.h), for a screen reader only: two live regions taking turns
  // (web/form1.cpp), a pixel wide and clipped away, so they are never seen.
  const std::string news = "<div id=\"" + std::string(kNews) +
                           "\" style=\"width:1px;height:1px;overflow:hidden;clip:rect(0 0 0 0)\">"
                           "<div role=\"status\"></div><div role=\"status\"></div></div>";
  // The window's client area itself, which takes the focus when a hidden control gives it up.
  return "<div id=\"Form1\" tabindex=\"-1\" style=\"" +
         CssBox(0, 0, form::kClientWidthTwips, form::kClientHeightTwips) +
         ";background-color:" + CssColour(form::kWindowBack) + "\">" + html +
         writer.Controls(Parent::Window) + news + "</div>";
}

std::string KeypadMarkup() {
  std::string html = "<div id=\"keypad\" role=\"group\" aria-label=\"Клавиатура\">";
  for (const KeypadKey& key : KeypadKeys()) {
    html += std::string("<button type=\"button\" tabindex=\"-1\" id=\"") + std::string(key.name) +
            "\" aria-label=\"" + std::string(key.spoken) + "\">" + std::string(key.caption) +
            "</button>";
  }
  return html + "</div>";
}

}  // namespace web
