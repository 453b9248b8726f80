// The window's boxes, EDIT controls with a sunken edge and centred text. The answer boxes take
// the pupil's typing and pastes by the answer boxes' rules (form/answer_box.h): up to their
// limit, a pasted line break a blank. The counters show numbers only: Windows draws a
// disabled box's text in its own grey, so they stay enabled but read-only, take no focus and let
// clicks through to the frame, and so behave as disabled boxes with black numbers.
#pragma once

#include <windows.h>

#include <optional>

#include "form/control_table.h"

namespace win32 {

HWND CreateTextBox(HWND parent, int id, const form::ControlRow& row, const RECT& place);

// Whether the row is a counter rather than an answer box.
bool IsCounter(const form::ControlRow& row);

// Whether the edit menu an answer box opens speaks Russian: Windows writes it in the language of
// its own user interface. Every word on screen is Russian, so without it a box opens no menu;
// cut, copy and paste keep their keys.
bool EditMenuSpeaksRussian();

// An answer box's answer to a message: a paste (from Ctrl+V, Shift+Insert or the edit menu, all
// of which send WM_PASTE) comes as one line cut to the room the box has, before it reaches the
// EDIT, which would keep only the text before the first line break.
std::optional<LRESULT> AnswerBoxMessage(HWND box, UINT message, WPARAM wParam, LPARAM lParam);

// A counter's answer to a message that would give it the focus or a click.
std::optional<LRESULT> CounterMessage(HWND counter, UINT message, WPARAM wParam, LPARAM lParam);

// An EDIT draws its one line at the top of its client area; a box's line stands in the middle
// of the box instead. The band above and below it belongs to the box's frame, painted in
// the box's colour, and a click there is a click on the text. Needs the box hooked
// (control_hook.h), and SWP_FRAMECHANGED after each change of font.
std::optional<LRESULT> CentringMessage(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                       HBRUSH back);

}  // namespace win32
