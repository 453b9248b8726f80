#include "web/control_factory.h"

#include <algorithm>
#include <string_view>
#include <vector>

#include "form/answer_box.h"
#include "form/control_table.h"
#include "web/design_fonts.h"

namespace web {
namespace {

using form::ControlKind;
using form::ControlRow;
using form::Parent;

// The platform's text colour for every role is the classic light desktop's black.
std::string textColour(form::Rgb colour) {
  return CssColour(colour == form::kSystemColour ? 0x000000 : colour);
}

std::string cssAlign(form::Align align) {
  switch (align) {
    case form::Align::Centre:
      return "center";
    case form::Align::Right:
      return "right";
    case form::Align::Left:
    case form::Align::None:
      break;
  }
  return "left";
}

// The labels whose words a screen reader already hears in a name of another element: the
// counters' captions, the parts of both stopwatches, the "x =" and subscripts before the boxes.
bool spokenElsewhere(std::string_view name) {
  static constexpr std::string_view kParts[] = {
      "Label1",  "Label2",  "Label3",  "Label8",  "Label9",  "Label10", "Label11",
      "Label13", "Label15", "Label16", "Label17", "Label18", "Label19", "Label20"};
  return std::find(std::begin(kParts), std::end(kParts), name) != std::end(kParts);
}

void styleCommon(const val& element, const ControlRow& row) {
  element["classList"].call<void>("add", std::string(row.kind == ControlKind::Label     ? "label"
                                                     : row.kind == ControlKind::Button  ? "button"
                                                     : row.kind == ControlKind::TextBox ? "box"
                                                     : row.kind == ControlKind::Frame   ? "frame"
                                                                                        : "shape"));
  SetStyle(element, "background-color", CssColour(row.back));
  SetStyle(element, "color", textColour(row.text));
  SetStyle(element, "text-align", cssAlign(row.align));
}

val createButton(const ControlRow& row, const val& parent) {
  val button = MakeElement("button", row.name, parent);
  button.set("type", std::string("button"));
  SetText(button, row.caption);
  SetStyle(button, "font", CssFont(row.font, row.font.points));
  return button;
}

val createBox(const ControlRow& row, const val& parent) {
  val box = MakeElement("input", row.name, parent);
  box.set("type", std::string("text"));
  box.set("value", std::string(row.caption));
  SetStyle(box, "font", CssFont(row.font, row.font.points));
  SetAttribute(box, "autocomplete", "off");
  SetAttribute(box, "spellcheck", "false");
  SetAttribute(box, "maxlength", std::to_string(form::kAnswerBoxLimit));
  // A phone's own keyboard has no minus on its number pad: where the page shows its keypad, the
  // system keyboard stays closed (the shell's script decides, by the pointer).
  box["classList"].call<void>("add",
                              std::string(row.flags & form::kDisabled ? "counter" : "answer"));
  return box;
}

// Back to front: the labels and the shape in reverse table order, then the frame, the boxes
// and the buttons, which are always drawn over labels; the frame's own controls lie on it.
std::vector<const ControlRow*> creationOrder() {
  std::vector<const ControlRow*> order;
  const auto table = form::ControlTable();
  for (auto row = table.rbegin(); row != table.rend(); ++row) {
    if (row->kind != ControlKind::Timer) order.push_back(&*row);
  }
  const auto layer = [](const ControlRow* row) {
    if (row->parent == Parent::Frame1) return 2;
    const bool overLabels = row->kind == ControlKind::Frame || row->kind == ControlKind::Button ||
                            row->kind == ControlKind::TextBox;
    return overLabels ? 1 : 0;
  };
  std::stable_sort(order.begin(), order.end(),
                   [&](const ControlRow* a, const ControlRow* b) { return layer(a) < layer(b); });
  return order;
}

}  // namespace

Controls CreateControls(const val& designArea) {
  Controls controls;
  val equationArea = val::null();
  // The row's labels keep the window's coordinates on a layer across the whole window; the
  // layer itself is only as high as the row, so a screen reader shows the equation where it is.
  const ControlRow& rowLabel = *form::FindControl("Lbla");
  const float rowTop = static_cast<float>(rowLabel.top);
  const auto parentOf = [&](const ControlRow& row) -> val {
    switch (row.parent) {
      case Parent::Window:
        break;
      case Parent::Frame1:
        return controls.elements.at("Frame1");
      case Parent::EquationRow:
        if (equationArea.isNull()) {
          equationArea = MakeElement("div", kEquationArea, designArea);
          SetAttribute(equationArea, "role", "img");
          PlaceInTwips(equationArea, 0, rowTop, form::kClientWidthTwips,
                       static_cast<float>(rowLabel.height));
          controls.elements.emplace(kEquationArea, equationArea);
        }
        return equationArea;
    }
    return designArea;
  };

  for (const ControlRow* row : creationOrder()) {
    const val parent = parentOf(*row);
    val element = val::null();
    switch (row->kind) {
      case ControlKind::Button:
        element = createButton(*row, parent);
        break;
      case ControlKind::TextBox:
        element = createBox(*row, parent);
        break;
      case ControlKind::Label: {
        element = MakeElement("div", row->name, parent);
        if (row->font.underline) SetStyle(element, "text-decoration", "underline");
        // The equation is read as one element; its labels are only its pieces.
        if (spokenElsewhere(row->name) || row->parent == Parent::EquationRow) {
          SetAttribute(element, "aria-hidden", "true");
        }
        break;
      }
      case ControlKind::Frame:
        element = MakeElement("div", row->name, parent);
        break;
      case ControlKind::Shape:
        element = MakeElement("div", row->name, parent);
        SetAttribute(element, "aria-hidden", "true");
        break;
      case ControlKind::Timer:
        continue;
    }
    styleCommon(element, *row);
    if (row->kind == ControlKind::Shape) {
      SetStyle(element, "border",
               std::to_string(row->linePixels) + "px solid " + CssColour(row->text));
    }
    if (row->kind == ControlKind::Label) {
      auto label = std::make_unique<TwipLabel>(element, *row,
                                               row->parent == Parent::EquationRow ? rowTop : 0);
      controls.labels.emplace(row->name, std::move(label));
    } else {
      PlaceInTwips(element, float(row->left), float(row->top), float(row->width),
                   float(row->height));
    }
    if (row->flags & form::kHidden) element.set("hidden", true);
    if (row->flags & form::kDisabled) element.set("disabled", true);
    controls.elements.emplace(row->name, element);
  }
  return controls;
}

}  // namespace web
