#include "win32/control_factory.h"

#include <algorithm>
#include <vector>

#include "win32/classic_look.h"
#include "win32/design_fonts.h"
#include "win32/dpi.h"
#include "win32/equation_area.h"
#include "win32/flat_button.h"
#include "win32/frame_panel.h"
#include "win32/text_box.h"

namespace win32 {
namespace {

using form::ControlKind;
using form::ControlRow;
using form::Parent;

constexpr int kFirstControlId = 100;  // a control's id is this plus its row in the table
constexpr int kEquationAreaId = 99;

int idOf(const ControlRow& row) {
  return kFirstControlId + static_cast<int>(&row - form::ControlTable().data());
}

bool hasWindow(const ControlRow& row) {
  return row.kind != ControlKind::Timer && row.kind != ControlKind::Shape;
}

HWND createControl(const ControlRow& row, HWND parent, UINT dpi, Controls& controls) {
  const RECT place = PixelRect(form::DesignBox(row), dpi);
  switch (row.kind) {
    case ControlKind::Button:
      return CreateFlatButton(parent, idOf(row), row, place);
    case ControlKind::TextBox: {
      const HWND box = CreateTextBox(parent, idOf(row), row, place);
      controls.backBrushes[box] = BrushHandle(CreateSolidBrush(DesignColour(row.back)));
      return box;
    }
    case ControlKind::Frame:
      return CreateFramePanel(parent, idOf(row), place, DesignColour(row.back));
    case ControlKind::Label: {
      auto label = std::make_unique<TwipLabel>(parent, idOf(row), row, dpi);
      const HWND hwnd = label->hwnd();
      controls.labels[row.name] = std::move(label);
      return hwnd;
    }
    case ControlKind::Timer:
    case ControlKind::Shape:
      break;
  }
  return nullptr;
}

void giveFont(const ControlRow& row, HWND control, UINT dpi, Controls& controls) {
  if (row.kind != ControlKind::Button && row.kind != ControlKind::TextBox) return;
  FontHandle font = CreateDesignFont(row.font, form::FontPixels(row.font.points, int(dpi)));
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font.get()), TRUE);
  controls.fonts[control] = std::move(font);  // the old font goes once the control has let go
}

// Creates the controls of one parent front to back. Windows puts each new child below its older
// siblings, so they stand as the table stacks them; one that did not land there is moved (asking
// costs less than a move, which is a round of messages for every control).
void createLayer(Parent layer, HWND parent, UINT dpi, Controls& controls) {
  HWND inFront = nullptr;
  for (const ControlRow* row : form::FrontToBack(layer)) {
    if (!hasWindow(*row)) continue;  // the window paints the shape on its own surface
    const HWND control = createControl(*row, parent, dpi, controls);
    controls.windows[row->name] = control;
    controls.rows[control] = row;
    giveFont(*row, control, dpi, controls);
    if (GetWindow(control, GW_HWNDPREV) != inFront) {
      SetWindowPos(control, inFront ? inFront : HWND_TOP, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    inFront = control;
  }
}

RECT clientArea(UINT dpi) {
  return PixelRect({0, 0, float(form::kClientWidthTwips), float(form::kClientHeightTwips)}, dpi);
}

}  // namespace

Controls CreateControls(HWND window, UINT dpi) {
  Controls controls;
  createLayer(Parent::Window, window, dpi, controls);
  createLayer(Parent::Frame1, controls.windows.at("Frame1"), dpi, controls);
  // The row's layer lies under every other control: nothing of the design overlaps it.
  const HWND area = CreateEquationArea(window, kEquationAreaId, clientArea(dpi));
  if (GetWindow(area, GW_HWNDNEXT)) {
    SetWindowPos(area, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  }
  controls.windows[kEquationArea] = area;
  createLayer(Parent::EquationRow, area, dpi, controls);
  return controls;
}

void PlaceControls(Controls& controls, UINT dpi) {
  for (const auto& [control, row] : controls.rows) {
    if (row->kind == ControlKind::Label) continue;  // a label places itself, in twips
    giveFont(*row, control, dpi, controls);
    // The frame changes too: a box's frame follows its font (text_box.h).
    const RECT place = PixelRect(form::DesignBox(*row), dpi);
    SetWindowPos(control, nullptr, place.left, place.top, place.right - place.left,
                 place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  }
  for (const auto& [name, label] : controls.labels) label->SetDpi(dpi);
  const RECT area = clientArea(dpi);
  SetWindowPos(controls.windows.at(kEquationArea), nullptr, 0, 0, area.right, area.bottom,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace win32
