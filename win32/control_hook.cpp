#include "win32/control_hook.h"

namespace win32 {
namespace {

// What a hooked control keeps in its GWLP_USERDATA, which the standard controls leave to the
// program.
struct Hooked {
  WNDPROC original;
  ControlHook* hook;
};

LRESULT CALLBACK hookedProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* hooked = reinterpret_cast<Hooked*>(GetWindowLongPtrW(control, GWLP_USERDATA));
  const WNDPROC original = hooked->original;
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(original));
    SetWindowLongPtrW(control, GWLP_USERDATA, 0);
    delete hooked;
  } else if (const std::optional<LRESULT> answer =
                 hooked->hook->ControlMessage(control, message, wParam, lParam)) {
    return *answer;
  }
  return CallWindowProcW(original, control, message, wParam, lParam);
}

}  // namespace

LRESULT CallControl(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto* hooked = reinterpret_cast<const Hooked*>(GetWindowLongPtrW(control, GWLP_USERDATA));
  return CallWindowProcW(hooked->original, control, message, wParam, lParam);
}

void HookControl(HWND control, ControlHook& hook) {
  auto* hooked = new Hooked{nullptr, &hook};
  SetWindowLongPtrW(control, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(hooked));
  hooked->original = reinterpret_cast<WNDPROC>(
      SetWindowLongPtrW(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&hookedProc)));
}

}  // namespace win32
