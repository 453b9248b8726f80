// Makes every control of the design table a window of its own kind, by name, on the window, the
// frame or the equation row's layer, stacked as designed; and places them again at another DPI.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "form/control_table.h"
#include "win32/gdi_owners.h"
#include "win32/twip_label.h"

namespace win32 {

// The layer of the equation row, a control of no design row of its own.
inline constexpr char kEquationArea[] = "EquationArea";

struct Controls {
  std::map<std::string, HWND, std::less<>> windows;  // by name; the timer and shape have none
  std::map<HWND, const form::ControlRow*> rows;      // the design row of each of those windows
  std::map<std::string, std::unique_ptr<TwipLabel>, std::less<>> labels;
  std::map<HWND, FontHandle> fonts;         // of the buttons and boxes
  std::map<HWND, BrushHandle> backBrushes;  // of the boxes, which Windows paints with them
};

Controls CreateControls(HWND window, UINT dpi);

// Puts every control on its design box at this DPI, in fonts of that DPI.
void PlaceControls(Controls& controls, UINT dpi);

}  // namespace win32
