// The window classes of the program's own windows: the main window, the frame, the equation layer.
#pragma once

#include <windows.h>

namespace win32 {

// Registers a class with its procedure, the arrow cursor and extraBytes of its own per window.
// Registering it again, for a later window, fails harmlessly.
inline void RegisterWindowClass(const wchar_t* name, WNDPROC procedure, int extraBytes = 0) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = procedure;
  windowClass.cbWndExtra = extraBytes;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.lpszClassName = name;
  RegisterClassExW(&windowClass);
}

}  // namespace win32
