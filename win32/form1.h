// The main window on Win32: the drill's only window and the only way in.
//
// Form1 is a classic Win32 window: a window class whose procedure only dispatches, through the
// message crackers of <windowsx.h>, to one small handler per message; the Form1 object is found
// from its window through GWLP_USERDATA. It creates its controls from the design table
// (form/control_table.cpp) by name (control_factory), each of its own kind: owner-drawn buttons
// (flat_button), EDIT boxes (text_box), owner-drawn labels placed in twips (twip_label), the
// frame (frame_panel) and the equation row's layer (equation_area); it draws the window's surface
// and the outline shape itself. It owns the drill engine by value and implements the engine's
// WindowPort on those controls (form1_port.cpp); the equation operations go to
// form::EquationRow, which arranges the seven TwipLabels of the row.
//
// A click travels like this: the Check button sends WM_COMMAND (BN_CLICKED) to the window;
// OnCommand calls check, which calls Drill::CheckAnswer; the engine reads the answer boxes
// through GetText, judges, and writes verdict, counters and button states back through
// SetCaption, SetText and SetVisible; check then puts the focus where the next key belongs, and
// control returns to the message loop. The window sees its controls' messages first (control_hook):
// Return, Tab, Space and Ctrl+A (form1_keys.cpp, with form/keyboard_rules.h and
// form/answer_box.h), a paste into an answer box (text_box), a click on Next too early, and a
// screen reader's WM_GETOBJECT (accessible_names). The news of each step (form/news.h) goes to a
// screen reader through Announcement before the focus moves. The stopwatch ticks through
// second_timer, and the DPI of the window's monitor scales every twip and font (dpi).
#pragma once

#include <windows.h>

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "drill/drill.h"
#include "form/answer_box.h"
#include "form/equation_row.h"
#include "form/keyboard_rules.h"
#include "form/news.h"
#include "win32/announcement.h"
#include "win32/control_factory.h"
#include "win32/control_hook.h"
#include "win32/gdi_owners.h"
#include "win32/second_timer.h"
#include "win32/twip_label.h"

namespace win32 {

class Form1 final : public drill::WindowPort, private ControlHook {
 public:
  // Creates the window and loads it (InitRun), ready to be shown.
  explicit Form1(std::unique_ptr<drill::RandomSource> random = drill::MakeSystemRandomSource());
  ~Form1() override;
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;

  HWND hwnd() const { return hwnd_; }
  void Show(int showCommand);

  void SetCaption(std::string_view control, std::string_view text) override;
  void SetText(std::string_view control, std::string_view text) override;
  std::string GetText(std::string_view control) override;
  void SetVisible(std::string_view control, bool shown) override;
  void SetEnabled(std::string_view control, bool enabled) override;  // Timer1: ticking or not
  void SetFocus(std::string_view control) override;
  void SetupEquationFonts() override;
  void ShowEquation(std::int16_t p, std::int16_t q) override;

  // Read-only, for tests and tools that compare the screen with the run.
  // The window of a control; nullptr for the timer and the shape, which have none.
  HWND control(std::string_view name) const;
  const TwipLabel* label(std::string_view name) const;
  const drill::DrillState& drillState() const { return drill_.state; }
  const form::EquationRow& equationRow() const { return *equationRow_; }
  SecondTimer& timer1() { return *timer1_; }
  UINT dpi() const { return dpi_; }

 private:
  static LRESULT CALLBACK WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

  BOOL OnCreate(HWND hwnd, LPCREATESTRUCTW create);
  BOOL OnEraseBkgnd(HWND hwnd, HDC dc);
  void OnPaint(HWND hwnd);
  void OnPrintClient(HWND hwnd, HDC dc);
  void OnCommand(HWND hwnd, int id, HWND control, UINT code);
  void OnTimer(HWND hwnd, UINT id);
  void OnDrawItem(HWND hwnd, const DRAWITEMSTRUCT* item);
  HBRUSH OnCtlColor(HWND hwnd, HDC dc, HWND control, int type);
  void OnActivate(HWND hwnd, UINT state, HWND other, BOOL minimized);
  void OnKey(HWND hwnd, UINT key, BOOL down, int repeats, UINT flags);
  void OnChar(HWND hwnd, TCHAR character, int repeats);
  void OnDpiChanged(HWND hwnd, UINT dpi, const RECT* suggested);
  void OnEndSession(HWND hwnd, BOOL ending);
  void OnDestroy(HWND hwnd);
  void OnNCDestroy(HWND hwnd);

  std::optional<LRESULT> ControlMessage(HWND control, UINT message, WPARAM wParam,
                                        LPARAM lParam) override;

  // The design's buttons and boxes.
  void StartRun();
  void check();
  void next();
  void showCheckRule();
  void tellNews();

  // Keys (form1_keys.cpp): true when the key was the window's and the control must not see it.
  bool keyDown(HWND from, UINT key, UINT flags);
  void keyUp(UINT key, UINT flags);
  void pressReturn();
  void moveByTab(HWND from, bool forward);
  bool takesFocus(std::string_view name) const;
  bool isAnswerBox(HWND window) const;
  static form::BoxKeyAction boxKeyDoes(UINT key);
  bool nextTakesPress() const;
  void restoreFocus();

  // Names for a screen reader.
  void nameFixedControls();
  void refreshValueNames();
  void setSpokenName(std::string_view control, std::string_view name);

  void fitClientArea();
  void paintSurface(HDC dc) const;
  HWND box(std::string_view name) const;  // nullptr unless the control is a box
  const form::ControlRow* rowOf(HWND control) const;
  std::string_view nameOf(HWND control) const;
  bool isShown(std::string_view name) const;
  bool holdsFocus(HWND control) const;

  std::unique_ptr<drill::RandomSource> random_;
  drill::Drill drill_;
  HWND hwnd_ = nullptr;
  UINT dpi_ = 96;
  Controls controls_;
  std::optional<form::EquationRow> equationRow_;
  std::optional<SecondTimer> timer1_;
  std::map<HWND, std::wstring> spokenNames_;
  form::News news_;
  std::optional<Announcement> announcement_;
  form::HeldKeys heldKeys_;
  form::NextGuard nextGuard_;
  HWND focusWhenInactive_ = nullptr;
  IconHandle largeIcon_;
  IconHandle smallIcon_;
};

}  // namespace win32
