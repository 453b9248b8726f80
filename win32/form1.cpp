#include "win32/form1.h"

#include <windowsx.h>

#include <array>
#include <chrono>
#include <stdexcept>

#include "form/control_table.h"
#include "form/spoken.h"
#include "form/twips.h"
#include "form/window_events.h"
#include "win32/accessible_names.h"
#include "win32/announcement.h"
#include "win32/classic_look.h"
#include "win32/dpi.h"
#include "win32/flat_button.h"
#include "win32/text_box.h"
#include "win32/ui_automation.h"
#include "win32/utf16.h"
#include "win32/window_class.h"
#include "win32/window_icon.h"

// The crackers <windowsx.h> lacks, in its manner.
// void OnDpiChanged(HWND hwnd, UINT dpi, const RECT* suggested)
#define HANDLE_WM_DPICHANGED(hwnd, wParam, lParam, fn) \
  ((fn)((hwnd), LOWORD(wParam), reinterpret_cast<const RECT*>(lParam)), 0L)
// void OnPrintClient(HWND hwnd, HDC dc)
#define HANDLE_WM_PRINTCLIENT(hwnd, wParam, lParam, fn) \
  ((fn)((hwnd), reinterpret_cast<HDC>(wParam)), 0L)

namespace win32 {
namespace {

constexpr wchar_t kClassName[] = L"RootsDrillForm1";
// Fixed size: no resizing border, no maximise box.
constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = 0;
constexpr UINT_PTR kTimer1Id = 1;
// The character Ctrl+A types, which the window has already taken as Select All.
constexpr WPARAM kCtrlA = 0x01;

// The pupil's own decimal separator, for the rating.
std::string decimalSeparator() {
  wchar_t separator[8] = L".";
  if (!GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, ARRAYSIZE(separator))) {
    return ".";
  }
  return Utf8(separator);
}

}  // namespace

Form1::Form1(std::unique_ptr<drill::RandomSource> random)
    : random_(std::move(random)), drill_(*this, *random_, decimalSeparator()) {
  RegisterWindowClass(kClassName, &Form1::WndProc);
  // WM_NCCREATE ties the window to this object; WM_CREATE makes the controls.
  CreateWindowExW(kExStyle, kClassName, Utf16(form::kWindowTitle).c_str(), kStyle, CW_USEDEFAULT,
                  CW_USEDEFAULT, 0, 0, nullptr, nullptr, GetModuleHandleW(nullptr), this);
  if (!hwnd_) throw std::runtime_error("the main window could not be created");
  // The load: the run is set up before the window is first shown.
  drill_.InitRun();
  nameFixedControls();
  // Until Start the row shows its design captions "+p" and "+q".
  setSpokenName(kEquationArea, form::kSpokenEquationBeforeStart);
}

Form1::~Form1() {
  if (hwnd_) DestroyWindow(hwnd_);
}

void Form1::Show(int showCommand) {
  ShowWindow(hwnd_, showCommand);
  UpdateWindow(hwnd_);
}

LRESULT CALLBACK Form1::WndProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* form = static_cast<Form1*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    form->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<Form1*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  return form ? form->dispatch(hwnd, message, wParam, lParam)
              : DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT Form1::dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    HANDLE_MSG(hwnd, WM_CREATE, OnCreate);
    HANDLE_MSG(hwnd, WM_ERASEBKGND, OnEraseBkgnd);
    HANDLE_MSG(hwnd, WM_PAINT, OnPaint);
    HANDLE_MSG(hwnd, WM_PRINTCLIENT, OnPrintClient);
    HANDLE_MSG(hwnd, WM_COMMAND, OnCommand);
    HANDLE_MSG(hwnd, WM_TIMER, OnTimer);
    HANDLE_MSG(hwnd, WM_DRAWITEM, OnDrawItem);
    HANDLE_MSG(hwnd, WM_CTLCOLOREDIT, OnCtlColor);
    HANDLE_MSG(hwnd, WM_CTLCOLORSTATIC, OnCtlColor);
    HANDLE_MSG(hwnd, WM_ACTIVATE, OnActivate);
    HANDLE_MSG(hwnd, WM_KEYDOWN, OnKey);
    HANDLE_MSG(hwnd, WM_KEYUP, OnKey);
    HANDLE_MSG(hwnd, WM_CHAR, OnChar);
    HANDLE_MSG(hwnd, WM_DPICHANGED, OnDpiChanged);
    HANDLE_MSG(hwnd, WM_ENDSESSION, OnEndSession);
    HANDLE_MSG(hwnd, WM_DESTROY, OnDestroy);
    HANDLE_MSG(hwnd, WM_NCDESTROY, OnNCDestroy);
    case WM_GETOBJECT:
      if (announcement_) announcement_->ReaderAsked();
      return DefWindowProcW(hwnd, message, wParam, lParam);
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

BOOL Form1::OnCreate(HWND hwnd, LPCREATESTRUCTW) {
  dpi_ = WindowDpi(hwnd);
  const SIZE size = WindowSizeForClient(form::ToPixels(form::kClientWidthTwips, int(dpi_)),
                                        form::ToPixels(form::kClientHeightTwips, int(dpi_)), kStyle,
                                        kExStyle, dpi_);
  SetWindowPos(hwnd, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  fitClientArea();
  SetWindowIcons(hwnd, dpi_, largeIcon_, smallIcon_);

  controls_ = CreateControls(hwnd, dpi_);
  for (const auto& [name, control] : controls_.windows) {
    if (name != "Frame1") HookControl(control, *this);
  }
  // The boxes centre their line now that the hook does it.
  for (const auto& [box, brush] : controls_.backBrushes) {
    SetWindowPos(box, nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  std::array<form::RowLabel*, 7> rowLabels{};
  for (std::size_t i = 0; i < rowLabels.size(); ++i) {
    rowLabels[i] = controls_.labels.at(std::string(form::kEquationLabels[i])).get();
  }
  equationRow_.emplace(rowLabels);

  announcement_.emplace(hwnd);
  HookControl(announcement_->hwnd(), *this);

  const form::ControlRow& timer = *form::FindControl("Timer1");
  timer1_.emplace(hwnd, kTimer1Id, std::chrono::milliseconds(timer.intervalMs),
                  [this] { drill_.TickSecond(); });
  timer1_->SetEnabled(!(timer.flags & form::kDisabled));
  return TRUE;
}

BOOL Form1::OnEraseBkgnd(HWND, HDC) {
  return TRUE;  // WM_PAINT draws the whole surface
}

void Form1::OnPaint(HWND hwnd) {
  PAINTSTRUCT paint{};
  const HDC dc = BeginPaint(hwnd, &paint);
  paintSurface(dc);
  EndPaint(hwnd, &paint);
}

void Form1::OnPrintClient(HWND, HDC dc) { paintSurface(dc); }

// The window's own surface: its back colour, and the outline shape under the labels.
void Form1::paintSurface(HDC dc) const {
  RECT client{};
  GetClientRect(hwnd_, &client);
  FillColour(dc, client, DesignColour(form::kWindowBack));
  const form::ControlRow& shape = *form::FindControl("Shape1");
  // The line lies inside the shape's box, so the box is the figure's outer edge.
  RECT box = PixelRect(
      {float(shape.left), float(shape.top), float(shape.width), float(shape.height)}, dpi_);
  FillColour(dc, box, DesignColour(shape.text));
  const int line = ScaledPixels(shape.linePixels, dpi_);
  InflateRect(&box, -line, -line);
  FillColour(dc, box, DesignColour(shape.back));
}

void Form1::OnCommand(HWND, int, HWND control, UINT code) {
  const std::string_view name = nameOf(control);
  if (code == BN_CLICKED) {
    if (name == "Command2") StartRun();
    if (name == "Command1") check();
    if (name == "Command3") next();
  } else if (code == EN_CHANGE && (name == "Text4" || name == "Text5")) {
    showCheckRule();
  }
}

void Form1::OnTimer(HWND, UINT id) { timer1_->OnTimer(id); }

void Form1::OnDrawItem(HWND, const DRAWITEMSTRUCT* item) {
  const form::ControlRow* row = rowOf(item->hwndItem);
  if (!row) return;
  if (row->kind == form::ControlKind::Label) {
    controls_.labels.at(row->name)->Draw(*item);
  } else if (row->kind == form::ControlKind::Button) {
    DrawFlatButton(*item, DesignColour(row->back), controls_.fonts.at(item->hwndItem).get(), dpi_);
  }
}

// The boxes in their design colours, enabled or not, read-only or not; Windows draws a disabled
// box's text grey whatever colour is asked for.
HBRUSH Form1::OnCtlColor(HWND hwnd, HDC dc, HWND control, int type) {
  const auto brush = controls_.backBrushes.find(control);
  if (brush == controls_.backBrushes.end()) {
    return reinterpret_cast<HBRUSH>(DefWindowProcW(hwnd, WM_CTLCOLORMSGBOX + type,
                                                   reinterpret_cast<WPARAM>(dc),
                                                   reinterpret_cast<LPARAM>(control)));
  }
  const form::ControlRow& row = *rowOf(control);
  SetTextColor(dc, DesignColour(row.text));
  SetBkColor(dc, DesignColour(row.back));
  return brush->second.get();
}

void Form1::OnActivate(HWND, UINT state, HWND, BOOL) {
  if (state == WA_INACTIVE) {
    const HWND focus = GetFocus();
    focusWhenInactive_ = focus && IsChild(hwnd_, focus) ? focus : nullptr;
    // The window lost the keyboard: releases will go elsewhere, so no key counts as held.
    heldKeys_.Forget();
  } else {
    restoreFocus();
  }
}

void Form1::OnKey(HWND hwnd, UINT key, BOOL down, int, UINT flags) {
  if (down) {
    keyDown(hwnd, key, flags);
  } else {
    keyUp(key, flags);
  }
}

void Form1::OnChar(HWND, TCHAR, int) {}  // Return and Tab make no beep here

void Form1::OnDpiChanged(HWND hwnd, UINT dpi, const RECT* suggested) {
  dpi_ = dpi;
  SetWindowIcons(hwnd, dpi_, largeIcon_, smallIcon_);
  PlaceControls(controls_, dpi_);
  equationRow_->Arrange();
  SetWindowPos(hwnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
               suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
  fitClientArea();
  InvalidateRect(hwnd, nullptr, TRUE);
}

// The client area is the design's at the window's DPI, whatever frame the system draws around
// it; where the frame differs from what Windows foresaw (Wine keeps its frame at the system's
// DPI), the window grows or shrinks by the difference.
void Form1::fitClientArea() {
  const int width = form::ToPixels(form::kClientWidthTwips, int(dpi_));
  const int height = form::ToPixels(form::kClientHeightTwips, int(dpi_));
  RECT client{};
  GetClientRect(hwnd_, &client);
  if (client.right == width && client.bottom == height) return;
  RECT frame{};
  GetWindowRect(hwnd_, &frame);
  SetWindowPos(hwnd_, nullptr, 0, 0, frame.right - frame.left + width - client.right,
               frame.bottom - frame.top + height - client.bottom,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// Windows ends the program: at log-off, or when Windows Installer's Restart Manager closes it to
// replace or remove its file. The run lives in memory only, so the window just closes.
void Form1::OnEndSession(HWND hwnd, BOOL ending) {
  if (ending) DestroyWindow(hwnd);
}

void Form1::OnDestroy(HWND) {
  timer1_->SetEnabled(false);
  EndUiaElement(announcement_->hwnd());
  PostQuitMessage(0);  // the drill's only window: closing it ends the program
}

void Form1::OnNCDestroy(HWND hwnd) {
  SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
  hwnd_ = nullptr;
}

void Form1::StartRun() { form::StartRun(*this, drill_); }

void Form1::check() {
  drill_.CheckAnswer();
  tellNews();
  switch (form::WhereFocusGoesAfterCheck(isShown("Command3"), IsWindowEnabled(control("Text4")))) {
    case form::FocusAfterCheck::Next:
      ::SetFocus(control("Command3"));
      break;
    case form::FocusAfterCheck::FirstBox:
      ::SetFocus(control("Text4"));
      break;
    case form::FocusAfterCheck::Nowhere:
      break;
  }
}

void Form1::next() { drill_.NextTask(); }

void Form1::showCheckRule() { form::ShowCheckRule(*this); }

// The news goes out before the focus moves, the engine's or the window's, so the pupil hears what
// happened and then where the focus went.
void Form1::tellNews() { announcement_->Tell(news_.Take()); }

std::optional<LRESULT> Form1::ControlMessage(HWND control, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  const form::ControlRow* row = rowOf(control);
  const bool focusable = row && (row->kind == form::ControlKind::Button ||
                                 (row->kind == form::ControlKind::TextBox && !IsCounter(*row)));
  switch (message) {
    case WM_GETOBJECT:
      announcement_->ReaderAsked();
      if (control == announcement_->hwnd())
        return announcement_->AnswerObjectRequest(wParam, lParam);
      if (const auto name = spokenNames_.find(control);
          name != spokenNames_.end() && AsksForClientObject(lParam)) {
        const bool wholeRow = control == this->control(kEquationArea);
        return AnswerClientObject(control, wParam, name->second,
                                  wholeRow ? SpokenAs::StaticText : SpokenAs::Control);
      }
      break;
    case WM_KEYDOWN:
      if (focusable && keyDown(control, static_cast<UINT>(wParam), HIWORD(lParam))) return 0;
      break;
    case WM_KEYUP:
      if (focusable) keyUp(static_cast<UINT>(wParam), HIWORD(lParam));
      break;
    case WM_CHAR:
      // Return, Tab and Ctrl+A are the window's: an answer box must not beep at them.
      if (focusable &&
          (wParam == L'\r' || wParam == L'\n' || wParam == L'\t' || wParam == kCtrlA)) {
        return 0;
      }
      break;
    case WM_CONTEXTMENU:
      if (focusable && row->kind == form::ControlKind::TextBox && !EditMenuSpeaksRussian()) {
        return 0;
      }
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (control == this->control("Command3") && !nextTakesPress()) return 0;
      break;
    default:
      break;
  }
  if (row && row->kind == form::ControlKind::TextBox) {
    const auto answer = IsCounter(*row) ? CounterMessage(control, message, wParam, lParam)
                                        : AnswerBoxMessage(control, message, wParam, lParam);
    if (answer) return answer;
    return CentringMessage(control, message, wParam, lParam,
                           controls_.backBrushes.at(control).get());
  }
  return std::nullopt;
}

void Form1::nameFixedControls() {
  for (const form::SpokenName& spoken : form::FixedNames()) {
    setSpokenName(spoken.control, spoken.name);
  }
  refreshValueNames();
}

void Form1::refreshValueNames() {
  const auto caption = [&](std::string_view name) {
    const TwipLabel* shown = label(name);
    return shown ? shown->Caption() : std::string();
  };
  for (const form::SpokenName& spoken : form::ValueNames(caption, isShown("Label16"))) {
    setSpokenName(spoken.control, spoken.name);
  }
}

void Form1::setSpokenName(std::string_view control, std::string_view name) {
  const HWND window = this->control(control);
  if (!window) return;
  std::wstring spoken = Utf16(name);
  std::wstring& known = spokenNames_[window];
  if (known == spoken) return;
  known = std::move(spoken);
  AnnounceNameChange(window);
}

HWND Form1::control(std::string_view name) const {
  const auto found = controls_.windows.find(name);
  return found == controls_.windows.end() ? nullptr : found->second;
}

HWND Form1::box(std::string_view name) const {
  const HWND window = control(name);
  const form::ControlRow* row = rowOf(window);
  return row && row->kind == form::ControlKind::TextBox ? window : nullptr;
}

const TwipLabel* Form1::label(std::string_view name) const {
  const auto found = controls_.labels.find(name);
  return found == controls_.labels.end() ? nullptr : found->second.get();
}

const form::ControlRow* Form1::rowOf(HWND control) const {
  const auto found = controls_.rows.find(control);
  return found == controls_.rows.end() ? nullptr : found->second;
}

std::string_view Form1::nameOf(HWND control) const {
  const form::ControlRow* row = rowOf(control);
  return row ? std::string_view(row->name) : std::string_view();
}

// Shown as far as the control itself goes, as Qt's isHidden: before the window is first shown
// its visible controls count as shown.
bool Form1::isShown(std::string_view name) const {
  const HWND window = control(name);
  return window && (GetWindowLongPtrW(window, GWL_STYLE) & WS_VISIBLE);
}

bool Form1::holdsFocus(HWND control) const {
  const HWND focus = GetFocus();
  return focus && (focus == control || IsChild(control, focus));
}

}  // namespace win32
