// The program on Windows: the window, shown, and the message loop until it is closed.
#include <windows.h>

#include "win32/accessible_names.h"
#include "win32/dpi.h"
#include "win32/form1.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
  win32::EnablePerMonitorDpiAwareness();
  int status = 0;
  {
    win32::Form1 window;
    window.Show(showCommand);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
      TranslateMessage(&message);
      DispatchMessageW(&message);
    }
    status = static_cast<int>(message.wParam);
  }
  // COM, started on this thread if a screen reader asked for the window's accessible objects.
  win32::EndScreenReaderSupport();
  return status;
}
