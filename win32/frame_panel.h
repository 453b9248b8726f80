// Frame1: a panel in its back colour inside an etched groove, on which its six controls stand in
// the frame's own coordinates. What its controls tell their parent (clicks, box changes, drawing,
// colours) it passes on to the window.
#pragma once

#include <windows.h>

namespace win32 {

HWND CreateFramePanel(HWND window, int id, const RECT& place, COLORREF back);

// Messages a control sends its parent, which a container passes on to the window.
bool IsParentNotification(UINT message);

}  // namespace win32
