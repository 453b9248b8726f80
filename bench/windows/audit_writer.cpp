// The positive control of tools/audit-windows.sh: a window that, as it opens, writes what the
// drill must never write, by the routes a program might take, so the audit is seen to catch
// each. In %TEMP%\roots-drill-audit-control it makes the folder, a file through CreateFileW and
// WriteFile, a file through the C++ library (std::ofstream), and one more file that it deletes
// again at once; in the registry it sets a value under HKCU\Software\RootsDrillAuditControl.
// Every run writes other data (the time), so the registry and the files change each time.
#include <windows.h>

#include <fstream>
#include <string>

namespace {

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void WriteEverything() {
  const std::wstring stamp = std::to_wstring(GetTickCount64());
  wchar_t temp[MAX_PATH];
  GetTempPathW(MAX_PATH, temp);
  const std::wstring folder = std::wstring(temp) + L"roots-drill-audit-control";
  CreateDirectoryW(folder.c_str(), nullptr);

  HANDLE file = CreateFileW((folder + L"\\win32.txt").c_str(), GENERIC_WRITE, 0, nullptr,
                            CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    DWORD written = 0;
    WriteFile(file, stamp.data(), static_cast<DWORD>(stamp.size() * sizeof(wchar_t)), &written,
              nullptr);
    CloseHandle(file);
  }

  std::ofstream((folder + L"\\cxx.txt").c_str()) << stamp.size() << '\n';

  const std::wstring transient = folder + L"\\transient.txt";
  HANDLE gone = CreateFileW(transient.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr);
  if (gone != INVALID_HANDLE_VALUE) CloseHandle(gone);
  DeleteFileW(transient.c_str());

  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, L"Software\\RootsDrillAuditControl", 0, nullptr, 0,
                      KEY_SET_VALUE, nullptr, &key, nullptr) == ERROR_SUCCESS) {
    RegSetValueExW(key, L"Written", 0, REG_SZ, reinterpret_cast<const BYTE*>(stamp.c_str()),
                   static_cast<DWORD>((stamp.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  WriteEverything();

  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  windowClass.lpszClassName = L"AuditWriter";
  if (!RegisterClassExW(&windowClass)) return 1;
  HWND window =
      CreateWindowExW(0, windowClass.lpszClassName, L"audit control", WS_OVERLAPPEDWINDOW,
                      CW_USEDEFAULT, CW_USEDEFAULT, 320, 200, nullptr, nullptr, instance, nullptr);
  if (!window) return 1;
  ShowWindow(window, show);
  UpdateWindow(window);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
