// Lets the window see its controls' messages before the controls do (the keys of the answer boxes
// and buttons, a click on Next, a screen reader's question), by putting a procedure of its own in
// front of each control's window procedure.
#pragma once

#include <windows.h>

#include <optional>

namespace win32 {

class ControlHook {
 public:
  virtual ~ControlHook() = default;
  // The control's answer to the message, or nullopt to let the control handle it as usual.
  virtual std::optional<LRESULT> ControlMessage(HWND control, UINT message, WPARAM wParam,
                                                LPARAM lParam) = 0;
};

// Hooks the control until it is destroyed; the hook must outlive the control.
void HookControl(HWND control, ControlHook& hook);

// What the hooked control itself answers, for a hook that adds to it.
LRESULT CallControl(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace win32
