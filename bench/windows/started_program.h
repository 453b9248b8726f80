// What the start-up probe and the session driver both do with the program they start: write its
// command line and find its main window.
#pragma once

#include <windows.h>

#include <string>

// Appends one argument as CreateProcessW's command line wants it: quoted when it holds a blank or
// a quote, with the backslashes before a quote doubled, the way the C runtime splits it again.
inline void AppendQuoted(std::wstring& line, const std::wstring& argument) {
  if (!line.empty()) line += L' ';
  if (!argument.empty() && argument.find_first_of(L" \t\"") == std::wstring::npos) {
    line += argument;
    return;
  }
  line += L'"';
  std::size_t backslashes = 0;
  for (const wchar_t c : argument) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    line.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    line += c;
  }
  line.append(backslashes * 2, L'\\');
  line += L'"';
}

// What ProgramWindow looks for, and what it found.
struct ProgramWindowSearch {
  DWORD processId;
  HWND found;
};

// EnumWindows' callback: a function of Windows' calling convention, which a lambda is not on
// 32-bit Windows.
inline BOOL CALLBACK TakeProgramWindow(HWND window, LPARAM data) {
  auto* search = reinterpret_cast<ProgramWindowSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search->processId || !IsWindowVisible(window) ||
      GetWindow(window, GW_OWNER) != nullptr) {
    return TRUE;
  }
  search->found = window;
  return FALSE;
}

// The program's main window: visible, top-level, owned by no other window; nullptr while it has
// none.
inline HWND ProgramWindow(DWORD processId) {
  ProgramWindowSearch search{processId, nullptr};
  EnumWindows(TakeProgramWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}
