// The program on Windows: the window, shown, and the message loop until it is closed.
#include <windows.h>

#include <objbase.h>

#include "win32/dpi.h"
#include "win32/form1.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
  win32::EnablePerMonitorDpiAwareness();
  // Screen readers reach the window's accessible objects through COM.
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
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
  if (SUCCEEDED(com)) CoUninitialize();
  return status;
}
