// Measures a Win32 program's start-up and peak working set from outside, under Wine (or Windows),
// without touching the program:
//
//   win_startup_probe [--settle MS] [--timeout MS] [--colour RRGGBB] [--verbose] -- program.exe
//                     [arguments...]
//
// The probe reads the performance counter just before CreateProcessW and then, every
// millisecond, looks for the program's top-level window: a visible, unowned window of the new
// process (EnumWindows). Once it has one, it reads four pixels of the screen, a few pixels in from
// the corners of the window's client area, through the screen DC (under Wine, back from the X
// server): they turn to the window's background colour (--colour, default FFC0FF, the drill's
// pink) when the program's first painting has reached the screen. Beside that, a thread waits in
// WaitForInputIdle: it returns when the program's main thread first waits for input with nothing
// left to handle, so its first WM_PAINT of the window and of every child has been handled.
//
// "shown" is the later of the two: the program has painted its window and the pixels are on the
// screen. (Under Wine a window's pixels go to the X server when its thread goes idle, so the two
// are usually within a millisecond or two.) After --settle milliseconds more (default 500: time
// for anything a program does lazily after its first paint) the probe reads the peak working set
// (GetProcessMemoryInfo, PeakWorkingSetSize; under Wine the process's VmHWM, its peak resident
// set), posts WM_CLOSE to the window, keeps reading the peak until the process has gone, and waits
// for its exit code.
//
// Prints one line:
//   shown_ms=... visible_ms=... idle_ms=... painted_ms=... peak_ws_kb=... exit=...
// Times are from just before CreateProcessW; -1 for what never happened. exit is the program's
// exit code, or -1 if it had to be ended. With --verbose the probe tells on standard error what
// it saw and when. Exits 0 when the window was shown and the program exited by itself with 0.
#include <windows.h>
// After windows.h, which it needs.
#include <psapi.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

#include "started_program.h"

namespace {

struct Options {
  int settleMs = 500;
  int timeoutMs = 30000;
  COLORREF colour = RGB(0xFF, 0xC0, 0xFF);
  bool verbose = false;
  std::wstring commandLine;
};

[[noreturn]] void Usage() {
  std::fprintf(stderr,
               "usage: win_startup_probe [--settle MS] [--timeout MS] [--colour RRGGBB] "
               "[--verbose] -- program.exe [arguments...]\n");
  std::exit(2);
}

Options Parse(int argc, wchar_t** argv) {
  Options options;
  int i = 1;
  for (; i < argc; ++i) {
    const std::wstring arg = argv[i];
    if (arg == L"--") {
      ++i;
      break;
    }
    if (arg == L"--verbose") {
      options.verbose = true;
    } else if ((arg == L"--settle" || arg == L"--timeout") && i + 1 < argc) {
      (arg == L"--settle" ? options.settleMs : options.timeoutMs) = _wtoi(argv[++i]);
    } else if (arg == L"--colour" && i + 1 < argc) {
      const unsigned long rgb = std::wcstoul(argv[++i], nullptr, 16);
      options.colour = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    } else {
      Usage();
    }
  }
  if (i >= argc) Usage();
  for (; i < argc; ++i) AppendQuoted(options.commandLine, argv[i]);
  return options;
}

double NowMs() {
  static const double ticksPerMs = [] {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart) / 1e3;
  }();
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return static_cast<double>(now.QuadPart) / ticksPerMs;
}

// Whether the screen shows the background colour a few pixels in from each corner of the
// window's client area.
bool ClientCornersShow(HWND window, COLORREF colour) {
  RECT client;
  if (!GetClientRect(window, &client) || client.right < 16 || client.bottom < 16) return false;
  constexpr int kInset = 4;
  POINT corners[4] = {{kInset, kInset},
                      {client.right - 1 - kInset, kInset},
                      {kInset, client.bottom - 1 - kInset},
                      {client.right - 1 - kInset, client.bottom - 1 - kInset}};
  HDC screen = GetDC(nullptr);
  bool all = screen != nullptr;
  for (POINT& corner : corners) {
    if (!all) break;
    ClientToScreen(window, &corner);
    all = GetPixel(screen, corner.x, corner.y) == colour;
  }
  if (screen) ReleaseDC(nullptr, screen);
  return all;
}

// The peak working set in KiB so far; 0 when it cannot be read (the process has gone).
long long PeakWorkingSetKb(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) return 0;
  return static_cast<long long>(counters.PeakWorkingSetSize / 1024);
}

struct IdleWait {
  HANDLE process;
  int timeoutMs;
  std::atomic<double> idleAt{-1};
};

DWORD WINAPI WaitForIdle(void* data) {
  auto* wait = static_cast<IdleWait*>(data);
  if (WaitForInputIdle(wait->process, static_cast<DWORD>(wait->timeoutMs)) == 0) {
    wait->idleAt = NowMs();
  }
  return 0;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const Options options = Parse(argc, argv);
  std::wstring commandLine = options.commandLine;

  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  const double start = NowMs();
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                      &startup, &process)) {
    std::fprintf(stderr, "win_startup_probe: cannot start %ls (error %lu)\n",
                 options.commandLine.c_str(), GetLastError());
    return 2;
  }
  const auto since = [start](double at) { return at < 0 ? -1.0 : at - start; };

  IdleWait idle{process.hProcess, options.timeoutMs};
  HANDLE idleThread = CreateThread(nullptr, 0, WaitForIdle, &idle, 0, nullptr);

  HWND window = nullptr;
  double visibleAt = -1;
  double paintedAt = -1;
  double shownAt = -1;
  double closeSentAt = -1;
  long long peakKb = 0;
  bool exited = false;
  while (!exited) {
    exited = WaitForSingleObject(process.hProcess, 1) == WAIT_OBJECT_0;
    if (exited) break;
    const double now = NowMs();
    if (!window) {
      window = ProgramWindow(process.dwProcessId);
      if (window) {
        visibleAt = now;
        if (options.verbose) {
          std::fprintf(stderr, "%9.2f ms  window %p visible\n", since(now),
                       static_cast<void*>(window));
        }
      }
    }
    if (window && paintedAt < 0 && ClientCornersShow(window, options.colour)) {
      paintedAt = NowMs();
      if (options.verbose) std::fprintf(stderr, "%9.2f ms  painted\n", since(paintedAt));
    }
    if (shownAt < 0 && paintedAt >= 0 && idle.idleAt >= 0) {
      shownAt = paintedAt > idle.idleAt ? paintedAt : idle.idleAt.load();
      if (options.verbose) {
        std::fprintf(stderr, "%9.2f ms  idle at %.2f ms: shown\n", since(NowMs()),
                     since(idle.idleAt));
      }
    }
    if (shownAt >= 0 && closeSentAt < 0 && now - shownAt >= options.settleMs) {
      peakKb = PeakWorkingSetKb(process.hProcess);
      PostMessageW(window, WM_CLOSE, 0, 0);
      closeSentAt = NowMs();
      if (options.verbose) {
        std::fprintf(stderr, "%9.2f ms  WM_CLOSE posted, peak so far %lld KiB\n",
                     since(closeSentAt), peakKb);
      }
    }
    if (closeSentAt >= 0) {
      const long long kb = PeakWorkingSetKb(process.hProcess);
      if (kb > peakKb) peakKb = kb;
      if (now - closeSentAt > 5000) {
        std::fprintf(stderr, "win_startup_probe: the program did not exit after WM_CLOSE\n");
        TerminateProcess(process.hProcess, static_cast<UINT>(-1));
      }
    } else if (now - start > options.timeoutMs) {
      std::fprintf(stderr, "win_startup_probe: no window %s within %d ms\n",
                   window ? "painted" : "shown", options.timeoutMs);
      peakKb = PeakWorkingSetKb(process.hProcess);
      TerminateProcess(process.hProcess, static_cast<UINT>(-1));
    }
  }

  DWORD exitCode = 0;
  GetExitCodeProcess(process.hProcess, &exitCode);
  WaitForSingleObject(idleThread, INFINITE);
  CloseHandle(idleThread);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);

  std::printf(
      "shown_ms=%.2f visible_ms=%.2f idle_ms=%.2f painted_ms=%.2f peak_ws_kb=%lld "
      "exit=%ld\n",
      since(shownAt), since(visibleAt), since(idle.idleAt), since(paintedAt), peakKb,
      static_cast<long>(exitCode));
  std::fflush(stdout);
  return shownAt >= 0 && closeSentAt >= 0 && exitCode == 0 ? 0 : 1;
}
