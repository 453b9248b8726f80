// The drill's icon, resource 1 of the program, at the sizes the window's DPI asks for.
#pragma once

#include <windows.h>

#include "win32/gdi_owners.h"

namespace win32 {

inline constexpr int kIconResource = 1;

// The icon at size x size pixels; empty when the program carries no icon.
IconHandle LoadWindowIcon(int size);

// Gives the window its large and small icon for the DPI; the owners keep them alive.
void SetWindowIcons(HWND window, UINT dpi, IconHandle& large, IconHandle& small);

}  // namespace win32
