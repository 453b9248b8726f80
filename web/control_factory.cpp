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

}  // namespace

Controls CreateControls(const val& designArea) {
  Controls controls;
  // The row's labels keep the window's coordinates on a layer across the whole window, under
  // every other control (nothing of the design overlaps the row); the layer is only as high as
  // the row, so a screen reader shows the equation where it is.
  const ControlRow& rowLabel = *form::FindControl("Lbla");
  const float rowTop = static_cast<float>(rowLabel.top);
  val equationArea = MakeElement("div", kEquationArea, designArea);
  SetAttribute(equationArea, "role", "img");
  PlaceInTwips(equationArea, 0, rowTop, form::kClientWidthTwips, float(rowLabel.height));
  controls.elements.emplace(kEquationArea, equationArea);

  // The document's order is the stacking: each parent's controls are made back to front, the
  // frame before the controls on it.
  for (const Parent parent : {Parent::Window, Parent::Frame1, Parent::EquationRow}) {
    const val on = parent == Parent::Window   ? designArea
                   : parent == Parent::Frame1 ? controls.elements.at("Frame1")
                                              : equationArea;
    const std::vector<const ControlRow*> rows = form::FrontToBack(parent);
    for (auto each = rows.rbegin(); each != rows.rend(); ++each) {
      const ControlRow& row = **each;
      val element = row.kind == ControlKind::Button    ? createButton(row, on)
                    : row.kind == ControlKind::TextBox ? createBox(row, on)
                                                       : MakeElement("div", row.name, on);
      styleCommon(element, row);
      if (row.kind == ControlKind::Label) {
        if (row.font.underline) SetStyle(element, "text-decoration", "underline");
        // The equation is read as one element; its labels are only its pieces.
        if (spokenElsewhere(row.name) || parent == Parent::EquationRow) {
          SetAttribute(element, "aria-hidden", "true");
        }
        controls.labels.emplace(
            row.name,
            std::make_unique<TwipLabel>(element, row, parent == Parent::EquationRow ? rowTop : 0));
      } else {
        PlaceInTwips(element, float(row.left), float(row.top), float(row.width), float(row.height));
      }
      if (row.kind == ControlKind::Shape) {
        SetAttribute(element, "aria-hidden", "true");
        SetStyle(element, "border",
                 std::to_string(row.linePixels) + "px solid " + CssColour(row.text));
      }
      if (row.flags & form::kHidden) element.set("hidden", true);
      if (row.flags & form::kDisabled) element.set("disabled", true);
      controls.elements.emplace(row.name, element);
    }
  }
  return controls;
}

}  // namespace web
