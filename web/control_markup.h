// The window's controls as HTML, as the window stands when it has loaded: one element per
// control, named by its design name, in the stacking order, with its design box, font and colours
// inline, and the names a screen reader gives it. Written into the page when the page is built,
// so the window paints before its program has started; the program then takes each element by its
// name. Plain C++: the build runs it under node.
#pragma once

#include <string>

namespace web {

// Where a screen reader is told the news of each step (form/news.h): two live regions.
inline constexpr char kNews[] = "News";

// The window's client area, #Form1, with its controls, as it has loaded (the load hides Check
// and the task's minutes and disables the answer boxes).
std::string LoadedWindowMarkup();

// The keypad's content: its keys, for a finger (web/keypad.h).
std::string KeypadMarkup();

}  // namespace web
