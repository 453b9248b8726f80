// The layer the seven labels of the equation row stand on. It covers the whole client area, so
// the labels keep the window's coordinates, draws nothing of its own (what lies under it is the
// window's surface, which it has the window draw) and takes no input. To a screen reader it is
// the equation, read as one element (Form1 answers for it), with the separate labels inside.
#pragma once

#include <windows.h>

namespace win32 {

HWND CreateEquationArea(HWND window, int id, const RECT& clientArea);

}  // namespace win32
