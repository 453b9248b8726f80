// What a screen reader finds through Windows' own accessibility (MSAA, and UI Automation built on
// it): the standard object of each control, with the name the program gives it where the
// standard one would say something else (an answer box would read its own text, a display only
// its number). Names are never drawn, so they add nothing to the screen.
#pragma once

#include <windows.h>

#include <string>

namespace win32 {

enum class SpokenAs {
  Control,     // the control's own kind, with this name
  StaticText,  // one static text with this name, whatever lies inside it
  Alert,       // an alert with this name, which a reader speaks when told of it (AnnounceAlert)
};

// Whether WM_GETOBJECT asks for the control's own object, the one named here.
bool AsksForClientObject(LPARAM objectId);

// The answer to that WM_GETOBJECT: the standard object of the control, under this name.
LRESULT AnswerClientObject(HWND control, WPARAM flags, const std::wstring& name, SpokenAs as);

// Ends what answering a screen reader started on the window's thread (COM), once the window has
// gone; nothing when no screen reader asked.
void EndScreenReaderSupport();

// Tells a screen reader that the control's name changed.
void AnnounceNameChange(HWND control);

// Tells a screen reader to speak the control now, without the pupil looking for it.
void AnnounceAlert(HWND control);

}  // namespace win32
