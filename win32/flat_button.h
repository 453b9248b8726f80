// The window's buttons: owner-drawn, a flat face in the design colour inside a classic raised
// edge, sunken while held down, the caption centred in the design font, a focus mark when the
// keys go to it.
#pragma once

#include <windows.h>

#include "form/control_table.h"

namespace win32 {

HWND CreateFlatButton(HWND parent, int id, const form::ControlRow& row, const RECT& place);

void DrawFlatButton(const DRAWITEMSTRUCT& item, COLORREF face, HFONT font, UINT dpi);

}  // namespace win32
