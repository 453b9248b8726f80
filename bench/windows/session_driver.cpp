// Starts a Win32 program and plays a pupil's session on its window, for tools/audit-windows.sh and
// the installer package's test (tests/msi_test.sh):
//
//   session_driver [--tasks N] [--hold MS] [--timeout MS] -- program.exe [arguments...]
//   session_driver [--tasks N] [--hold MS] [--timeout MS] -- shortcut.lnk
//
// A shortcut is read as the shell reads it, and its target started in its working folder, as a
// click on it in the Start menu does.
//
// With --tasks N (roots-drill.exe): checks that the program's window is the one titled
// "Корни квадратного уравнения — устный счёт", presses Старт, and solves N tasks: it types a
// pair of roots into the two answer boxes (WM_CHAR, as typed keys arrive), presses Проверка once
// it has appeared, and on a wrong answer tries the next pair of whole numbers from -9 to 9 until
// Дальше appears; then, a double-click interval later, presses Дальше. Buttons are pressed with
// BM_CLICK, as a click does; every second task is driven by Return alone instead, posted to the
// control with the focus, the way the README describes the keyboard. After the last task it lets
// the stopwatches run for --hold milliseconds (default 2000) and closes the window.
// With --tasks 0 (any other program): waits for the program's first visible top-level window,
// holds it open for --hold milliseconds and closes it.
//
// Closing is WM_CLOSE, as the close box sends it. The driver waits for the program to exit and
// prints "session: ..." with what it did and the exit code. It exits 0 only when every step
// had its effect on the window and the program exited with 0 by itself.
#include <windows.h>
// After windows.h, which they need.
#include <objbase.h>
#include <shlobj.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>

#include <vector>
#include "started_program.h"

namespace {

constexpr wchar_t kTitle[] = L"Корни квадратного уравнения — устный счёт";

struct Options {
  int tasks = 0;
  int holdMs = 2000;
  int timeoutMs = 30000;
  std::wstring program;     // the first argument after --
  std::wstring parameters;  // the rest, quoted
};

[[noreturn]] void Usage() {
  std::fprintf(stderr,
               "usage: session_driver [--tasks N] [--hold MS] [--timeout MS] -- program.exe "
               "[arguments...]\n");
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
    if ((arg == L"--tasks" || arg == L"--hold" || arg == L"--timeout") && i + 1 < argc) {
      const int value = _wtoi(argv[++i]);
      (arg == L"--tasks"  ? options.tasks
       : arg == L"--hold" ? options.holdMs
                          : options.timeoutMs) = value;
    } else {
      Usage();
    }
  }
  if (i >= argc) Usage();
  options.program = argv[i];
  for (++i; i < argc; ++i) AppendQuoted(options.parameters, argv[i]);
  return options;
}

// The program under the session; ended when the session fails.
HANDLE program = nullptr;

[[noreturn]] void Fail(const char* what) {
  if (program) TerminateProcess(program, static_cast<UINT>(-1));
  std::fprintf(stderr, "session_driver: %s\n", what);
  std::fflush(stderr);
  std::exit(1);
}

std::wstring TextOf(HWND window) {
  wchar_t text[256] = L"";
  // SendMessageTimeout: a hung program must not hang the driver.
  DWORD_PTR length = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, 256, reinterpret_cast<LPARAM>(text), SMTO_ABORTIFHUNG,
                      2000, &length);
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = L"";
  GetClassNameW(window, name, 64);
  return name;
}

// Polls `done` every few milliseconds for up to `ms`; returns whether it came true.
template <typename Condition>
bool WaitFor(int ms, Condition done) {
  const ULONGLONG until = GetTickCount64() + static_cast<ULONGLONG>(ms);
  while (!done()) {
    if (GetTickCount64() > until) return false;
    Sleep(5);
  }
  return true;
}

// The controls of the drill's window that the session uses.
struct DrillWindow {
  HWND window = nullptr;
  HWND start = nullptr;   // Старт
  HWND check = nullptr;   // Проверка
  HWND next = nullptr;    // Дальше
  HWND first = nullptr;   // the left answer box
  HWND second = nullptr;  // the right one
};

BOOL CALLBACK CollectChild(HWND child, LPARAM data) {
  auto* children = reinterpret_cast<std::vector<HWND>*>(data);
  children->push_back(child);
  return TRUE;
}

// Finds the buttons by caption and the answer boxes, the two edit boxes placed on the window
// itself (the counters' boxes stand in the frame below). False while the window lacks any.
bool FindControls(HWND window, DrillWindow& drill) {
  drill = DrillWindow{};
  drill.window = window;
  std::vector<HWND> children;
  EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
  std::vector<HWND> edits;
  for (HWND child : children) {
    const std::wstring kind = ClassOf(child);
    if (_wcsicmp(kind.c_str(), L"Button") == 0) {
      const std::wstring caption = TextOf(child);
      if (caption == L"Старт") drill.start = child;
      if (caption == L"Проверка") drill.check = child;
      if (caption == L"Дальше") drill.next = child;
    } else if (_wcsicmp(kind.c_str(), L"Edit") == 0 && GetParent(child) == window) {
      edits.push_back(child);
    }
  }
  if (edits.size() == 2) {
    RECT a, b;
    GetWindowRect(edits[0], &a);
    GetWindowRect(edits[1], &b);
    drill.first = a.left < b.left ? edits[0] : edits[1];
    drill.second = a.left < b.left ? edits[1] : edits[0];
  }
  return drill.start && drill.check && drill.next && drill.first && drill.second;
}

[[noreturn]] void FailOnControls(HWND window) {
  std::vector<HWND> children;
  EnumChildWindows(window, CollectChild, reinterpret_cast<LPARAM>(&children));
  std::fprintf(stderr, "session_driver: the window's children are:\n");
  for (HWND child : children) {
    std::fprintf(stderr, "  %ls \"%ls\"%s%s\n", ClassOf(child).c_str(), TextOf(child).c_str(),
                 IsWindowVisible(child) ? "" : " (hidden)",
                 GetParent(child) == window ? "" : " (in another child)");
  }
  Fail(
      "the window lacks the buttons Старт, Проверка, Дальше or the two answer boxes "
      "(Button children, and two Edit children of the window itself)");
}

// The control of the window that has the keyboard focus.
HWND Focus(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  const DWORD thread = GetWindowThreadProcessId(window, nullptr);
  return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

bool Shown(HWND control) { return IsWindowVisible(control) != FALSE; }

// A press of a button, as a click would make it; returns when the program has handled it.
void Click(HWND button) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(button, BM_CLICK, 0, 0, SMTO_ABORTIFHUNG, 5000, &result);
}

// Return, pressed and released, posted to whatever control of the window has the focus; the
// program's TranslateMessage makes the WM_CHAR of it, as for a real key.
void PressReturn(HWND window) {
  HWND focus = Focus(window);
  HWND target = focus ? focus : window;
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(VK_RETURN, MAPVK_VK_TO_VSC)) << 16;
  PostMessageW(target, WM_KEYDOWN, VK_RETURN, 1 | scan);
  PostMessageW(target, WM_KEYUP, VK_RETURN, 1 | scan | (LPARAM{1} << 30) | (LPARAM{1} << 31));
}

// Empties an answer box and types `text` into it key by key.
bool Type(HWND box, const std::wstring& text) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""), SMTO_ABORTIFHUNG, 2000,
                      &result);
  for (const wchar_t c : text) PostMessageW(box, WM_CHAR, c, 1);
  return WaitFor(2000, [&] { return TextOf(box) == text; });
}

// Проверка shows once both boxes hold text.
void CheckAppears(const DrillWindow& drill) {
  if (!WaitFor(2000, [&] { return Shown(drill.check); })) {
    Fail("Проверка did not appear with both answer boxes filled");
  }
}

// One task: tries pairs of roots until the answer is right. Returns the attempts it took.
// By keyboard: the first root, Return (the focus moves to the second box), the second root,
// Return (that presses Проверка); a wrong answer puts the focus back in the first box.
int SolveTask(const DrillWindow& drill, bool byKeyboard) {
  int attempts = 0;
  for (int a = -9; a <= 9; ++a) {
    for (int b = a + 1; b <= 9; ++b) {
      ++attempts;
      if (byKeyboard) {
        if (!WaitFor(1000, [&] { return Focus(drill.window) == drill.first; })) {
          Fail("the focus is not in the first answer box");
        }
        if (!Type(drill.first, std::to_wstring(a))) Fail("the first box takes no typing");
        PressReturn(drill.window);
        if (!WaitFor(1000, [&] { return Focus(drill.window) == drill.second; })) {
          Fail("Return in the first answer box did not move to the second");
        }
        if (!Type(drill.second, std::to_wstring(b))) Fail("the second box takes no typing");
        CheckAppears(drill);
        PressReturn(drill.window);
      } else {
        if (!Type(drill.first, std::to_wstring(a)) || !Type(drill.second, std::to_wstring(b))) {
          Fail("the answer boxes take no typing");
        }
        CheckAppears(drill);
        Click(drill.check);
      }
      const bool answered = WaitFor(2000, [&] {
        return Shown(drill.next) || (TextOf(drill.first).empty() && TextOf(drill.second).empty());
      });
      if (!answered) {
        Fail(byKeyboard ? "Return in the second answer box did not check the answer"
                        : "Проверка did not check the answer");
      }
      if (Shown(drill.next)) return attempts;
    }
  }
  Fail("no pair of whole roots from -9 to 9 was taken as the answer");
}

// The target, arguments and working folder of a shortcut, read through the shell's IShellLink.
bool ReadShortcut(const std::wstring& path, std::wstring& target, std::wstring& arguments,
                  std::wstring& folder) {
  CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IShellLinkW* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link)))) {
    return false;
  }
  IPersistFile* file = nullptr;
  wchar_t text[MAX_PATH * 2] = L"";
  bool read = SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
              SUCCEEDED(file->Load(path.c_str(), STGM_READ)) &&
              SUCCEEDED(link->GetPath(text, MAX_PATH * 2, nullptr, 0));
  if (read) {
    target = text;
    read = SUCCEEDED(link->GetArguments(text, MAX_PATH * 2));
    arguments = text;
  }
  if (read) {
    read = SUCCEEDED(link->GetWorkingDirectory(text, MAX_PATH * 2));
    folder = text;
  }
  if (file) file->Release();
  link->Release();
  return read && !target.empty();
}

bool EndsWith(const std::wstring& text, const wchar_t* end) {
  const std::size_t length = std::wcslen(end);
  return text.size() >= length && _wcsicmp(text.c_str() + text.size() - length, end) == 0;
}

// Starts the program: an .exe directly; a shortcut (.lnk) as the shell starts one from the Start
// menu: its target, with its arguments, in its working folder. Returns the process, or nullptr.
PROCESS_INFORMATION Start(const Options& options) {
  PROCESS_INFORMATION process{};
  std::wstring target = options.program;
  std::wstring parameters = options.parameters;
  std::wstring folder;
  if (EndsWith(options.program, L".lnk")) {
    if (!ReadShortcut(options.program, target, parameters, folder)) return process;
    std::printf("shortcut: target %ls, working folder %ls\n", target.c_str(), folder.c_str());
  }
  std::wstring commandLine;
  AppendQuoted(commandLine, target);
  if (!parameters.empty()) commandLine += L' ' + parameters;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                      folder.empty() ? nullptr : folder.c_str(), &startup, &process)) {
    return {};
  }
  CloseHandle(process.hThread);
  return process;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const Options options = Parse(argc, argv);
  const PROCESS_INFORMATION process = Start(options);
  if (!process.hProcess) {
    std::fprintf(stderr, "session_driver: cannot start %ls (error %lu)\n", options.program.c_str(),
                 GetLastError());
    return 2;
  }
  program = process.hProcess;

  HWND window = nullptr;
  const bool appeared = WaitFor(options.timeoutMs, [&] {
    if (WaitForSingleObject(process.hProcess, 0) == WAIT_OBJECT_0) return true;
    window = ProgramWindow(process.dwProcessId);
    return window != nullptr;
  });
  if (!appeared || !window) Fail("the program showed no window");
  WaitForInputIdle(process.hProcess, static_cast<DWORD>(options.timeoutMs));

  int solved = 0;
  int attempts = 0;
  if (options.tasks > 0) {
    if (TextOf(window) != kTitle) Fail("the window's title is not the drill's");
    DrillWindow drill;
    if (!WaitFor(options.timeoutMs, [&] { return FindControls(window, drill); })) {
      FailOnControls(window);
    }
    Click(drill.start);
    if (!WaitFor(2000, [&] { return !Shown(drill.start); })) {
      Fail("Старт did not start the run");
    }
    for (int task = 1; task <= options.tasks; ++task) {
      const bool byKeyboard = task % 2 == 0;
      attempts += SolveTask(drill, byKeyboard);
      ++solved;
      // Дальше takes no press until a double-click interval after it appeared.
      Sleep(GetDoubleClickTime() + 200);
      if (byKeyboard) {
        PressReturn(window);
      } else {
        Click(drill.next);
      }
      if (!WaitFor(2000, [&] { return !Shown(drill.next); })) {
        Fail(byKeyboard ? "Return did not press Дальше" : "Дальше did not give a new task");
      }
    }
  }
  Sleep(static_cast<DWORD>(options.holdMs));
  PostMessageW(window, WM_CLOSE, 0, 0);
  if (WaitForSingleObject(process.hProcess, 10000) != WAIT_OBJECT_0) {
    Fail("the program did not exit after WM_CLOSE");
  }
  DWORD exitCode = 0;
  GetExitCodeProcess(process.hProcess, &exitCode);
  std::printf("session: %d task(s) solved in %d attempt(s), window held %d ms, exit=%ld\n", solved,
              attempts, options.holdMs, static_cast<long>(exitCode));
  std::fflush(stdout);
  return exitCode == 0 ? 0 : 1;
}
