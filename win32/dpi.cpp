#include "win32/dpi.h"

namespace win32 {
namespace {

// Set by HideNewerDpiFunctions.
bool newerFunctionsHidden = false;

// A function of user32.dll that older Windows lacks, or nullptr there.
template <typename Function>
Function user32Function(const char* name) {
  const FARPROC found = GetProcAddress(GetModuleHandleW(L"user32.dll"), name);
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(found));
}

// One of the DPI functions that Windows 7 and 8 lack, or nullptr there (or while they are hidden).
template <typename Function>
Function newerUser32Function(const char* name) {
  return newerFunctionsHidden ? nullptr : user32Function<Function>(name);
}

using SetProcessDpiAwarenessContextFn = BOOL(WINAPI*)(HANDLE context);
using GetDpiForWindowFn = UINT(WINAPI*)(HWND window);
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(RECT* rect, DWORD style, BOOL menu, DWORD exStyle,
                                                 UINT dpi);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int index, UINT dpi);

// DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2 and _PER_MONITOR_AWARE, spelled out for headers of
// older Windows.
const HANDLE kPerMonitorAwareV2 = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-4));
const HANDLE kPerMonitorAware = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(-3));

UINT systemDpi() {
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : form::kStandardDpi;
}

}  // namespace

void HideNewerDpiFunctions() { newerFunctionsHidden = true; }

void EnablePerMonitorDpiAwareness() {
  if (const auto set =
          newerUser32Function<SetProcessDpiAwarenessContextFn>("SetProcessDpiAwarenessContext")) {
    if (set(kPerMonitorAwareV2) || set(kPerMonitorAware)) return;
    // Refused: the manifest has set the awareness already, or the system knows no better.
    return;
  }
  if (const auto set = user32Function<BOOL(WINAPI*)()>("SetProcessDPIAware")) set();
}

UINT WindowDpi(HWND window) {
  if (const auto get = newerUser32Function<GetDpiForWindowFn>("GetDpiForWindow")) {
    if (const UINT dpi = get(window)) return dpi;
  }
  return systemDpi();
}

SIZE WindowSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle, UINT dpi) {
  RECT frame{0, 0, clientWidth, clientHeight};
  const auto adjust = newerUser32Function<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
  if (!adjust || !adjust(&frame, style, FALSE, exStyle, dpi)) {
    AdjustWindowRectEx(&frame, style, FALSE, exStyle);
  }
  return {frame.right - frame.left, frame.bottom - frame.top};
}

int SystemMetric(int index, UINT dpi) {
  if (const auto get = newerUser32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi")) {
    return get(index, dpi);
  }
  return GetSystemMetrics(index);
}

}  // namespace win32
