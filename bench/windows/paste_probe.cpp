// How long an answer box of the Windows program takes to show a pasted megabyte and to answer
// the next key, against the box as it was when it took up to 32767 characters.
//
//   paste_probe [--trials N] [--megabytes M]
//
// Creates the program's window in this process, presses Старт and, in each trial:
//  - as the program pastes: puts M MB (default 1) of "2" and nines on the clipboard and sends the
//    first answer box Ctrl+V's character, which makes the box paste; then repaints the box;
//  - then the next key: BackSpace, and the box repainted again;
//  - as the box was: the same text given straight to the EDIT (EM_REPLACESEL) with a limit of
//    32767 characters, and the same BackSpace.
// Prints the characters kept and the median and worst milliseconds of each step over N trials
// (default 5). Run it under Wine with tools/wine-run.sh, as make bench-windows does.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

#include "form/answer_box.h"
#include "win32/form1.h"

namespace {

double nowMs() {
  static const double perMs = [] {
    LARGE_INTEGER frequency{};
    QueryPerformanceFrequency(&frequency);
    return static_cast<double>(frequency.QuadPart) / 1000.0;
  }();
  LARGE_INTEGER counter{};
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) / perMs;
}

void pump() {
  MSG message{};
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void putOnClipboard(HWND owner, const std::wstring& text) {
  const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  const HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
  std::memcpy(GlobalLock(memory), text.c_str(), bytes);
  GlobalUnlock(memory);
  if (!OpenClipboard(owner)) return;
  EmptyClipboard();
  SetClipboardData(CF_UNICODETEXT, memory);
  CloseClipboard();
}

// The box painted as the pupil sees it, with whatever its messages have left to do.
void shown(HWND box) {
  RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_UPDATENOW);
  pump();
}

double backspace(HWND box) {
  const double start = nowMs();
  SendMessageW(box, WM_KEYDOWN, VK_BACK, 1);
  SendMessageW(box, WM_CHAR, L'\b', 1);
  SendMessageW(box, WM_KEYUP, VK_BACK, 1 | (LPARAM(3) << 30));
  shown(box);
  return nowMs() - start;
}

struct Series {
  const char* name;
  std::vector<double> ms{};
  void print() {
    std::sort(ms.begin(), ms.end());
    std::printf("  %-34s median %7.1f ms, worst %7.1f ms\n", name, ms[ms.size() / 2], ms.back());
  }
};

}  // namespace

int main(int argc, char** argv) {
  int trials = 5;
  int megabytes = 1;
  for (int i = 1; i + 1 < argc; i += 2) {
    if (std::strcmp(argv[i], "--trials") == 0) trials = std::max(1, std::atoi(argv[i + 1]));
    if (std::strcmp(argv[i], "--megabytes") == 0) megabytes = std::max(1, std::atoi(argv[i + 1]));
  }
  const std::wstring pasted = L"2" + std::wstring(std::size_t(megabytes) * 1'000'000 - 1, L'9');

  win32::Form1 window;
  window.Show(SW_SHOW);
  pump();
  SendMessageW(window.control("Command2"), BM_CLICK, 0, 0);
  pump();
  const HWND box = window.control("Text4");

  Series paste{"paste, as the program does"}, pasteKey{"next key after it"};
  Series before{"paste, into a 32767 box"}, beforeKey{"next key after it"};
  int kept = 0;
  int keptBefore = 0;
  for (int trial = 0; trial < trials; ++trial) {
    SetWindowTextW(box, L"");
    SendMessageW(box, EM_LIMITTEXT, form::kAnswerBoxLimit, 0);  // the program's own
    putOnClipboard(window.hwnd(), pasted);
    double start = nowMs();
    SendMessageW(box, WM_CHAR, 0x16, 1);  // Ctrl+V
    shown(box);
    paste.ms.push_back(nowMs() - start);
    kept = GetWindowTextLengthW(box);
    pasteKey.ms.push_back(backspace(box));

    SetWindowTextW(box, L"");
    SendMessageW(box, EM_LIMITTEXT, 32767, 0);
    start = nowMs();
    SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(pasted.c_str()));
    shown(box);
    before.ms.push_back(nowMs() - start);
    keptBefore = GetWindowTextLengthW(box);
    beforeKey.ms.push_back(backspace(box));
  }
  std::printf("paste_probe: %d MB pasted, %d trials\n", megabytes, trials);
  std::printf(" the program's box kept %d characters:\n", kept);
  paste.print();
  pasteKey.print();
  std::printf(" a box of 32767 kept %d characters:\n", keptBefore);
  before.print();
  beforeKey.print();
  return 0;
}
