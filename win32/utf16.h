// The engine speaks UTF-8; Windows' W functions speak UTF-16. Texts cross over only here.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace win32 {

std::wstring Utf16(std::string_view utf8);
std::string Utf8(std::wstring_view utf16);

// The whole text of a window (a box's text, a label's caption), as UTF-8.
std::string WindowTextUtf8(HWND window);

}  // namespace win32
