// The floor for a window with the drill's controls: bare_window's window, and on it the 38 child
// windows roots-drill.exe makes, each the plainest window of its kind: the design table's buttons
// (owner-drawn), boxes (EDIT), frame and labels (owner-drawn STATIC), on their design boxes at
// 96 dpi with their captions, and the layer the equation row's labels stand on; stacked as the
// drill stacks them and shown with the window. One font for every caption, no icon, no engine,
// no subclassing, nothing measured or resized. What it costs beyond bare_window.exe is what the
// system spends on the child windows themselves; what roots-drill.exe costs beyond it is the
// program's own work. startup.sh measures it beside the two with CHILDREN=1.
#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "form/control_table.h"
#include "form/twips.h"

namespace {

constexpr wchar_t kWindowClass[] = L"ChildrenWindow";
constexpr wchar_t kFrameClass[] = L"ChildrenFrame";
constexpr wchar_t kLayerClass[] = L"ChildrenLayer";  // the equation row's, see-through
constexpr int kDpi = form::kStandardDpi;

HFONT captionFont = nullptr;

COLORREF Colour(form::Rgb rgb) {
  if (rgb == form::kSystemColour) return RGB(0, 0, 0);
  return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
}

std::wstring Wide(const char* utf8) {
  const int length = MultiByteToWideChar(CP_UTF8, 0, utf8, -1, nullptr, 0);  // with the zero
  std::wstring wide(static_cast<std::size_t>(length > 0 ? length : 1), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8, -1, wide.data(), length);
  wide.pop_back();
  return wide;
}

// A label or a button: its back colour, and its caption in its text colour.
void Draw(const DRAWITEMSTRUCT& item) {
  const auto* row =
      reinterpret_cast<const form::ControlRow*>(GetWindowLongPtrW(item.hwndItem, GWLP_USERDATA));
  SetDCBrushColor(item.hDC, Colour(row->back));
  FillRect(item.hDC, &item.rcItem, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  wchar_t caption[64];
  const int length = GetWindowTextW(item.hwndItem, caption, ARRAYSIZE(caption));
  const HGDIOBJ previous = SelectObject(item.hDC, captionFont);
  SetBkMode(item.hDC, TRANSPARENT);
  SetTextColor(item.hDC, Colour(row->text));
  RECT box = item.rcItem;
  DrawTextW(item.hDC, caption, length, &box, DT_SINGLELINE | DT_NOPREFIX | DT_CENTER);
  SelectObject(item.hDC, previous);
}

// The window's and the panels' procedure.
LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DRAWITEM:
      Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
      return TRUE;
    case WM_NCHITTEST:
      if (GetWindowLongPtrW(window, GWL_EXSTYLE) & WS_EX_TRANSPARENT) return HTTRANSPARENT;
      break;
    case WM_DESTROY:
      if (!GetParent(window)) PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

void Register(const wchar_t* name, HINSTANCE instance, HBRUSH background) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // IDC_ARROW
  windowClass.hbrBackground = background;
  windowClass.lpszClassName = name;
  RegisterClassExW(&windowClass);
}

HWND CreateChild(const form::ControlRow& row, HWND parent, HINSTANCE instance) {
  const form::PixelRect box =
      form::ToPixelRect(float(row.left), float(row.top), float(row.width), float(row.height), kDpi);
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | ((row.flags & form::kHidden) ? 0 : WS_VISIBLE);
  DWORD exStyle = 0;
  const wchar_t* className = L"STATIC";
  switch (row.kind) {
    case form::ControlKind::Button:
      className = L"BUTTON";
      style |= WS_TABSTOP | BS_OWNERDRAW;
      break;
    case form::ControlKind::TextBox:
      className = L"EDIT";
      style |= ES_CENTER | ES_AUTOHSCROLL;
      exStyle = WS_EX_CLIENTEDGE;
      break;
    case form::ControlKind::Frame:
      className = kFrameClass;
      style |= WS_CLIPCHILDREN;
      break;
    default:
      style |= SS_OWNERDRAW | SS_NOPREFIX;
      break;
  }
  const HWND child =
      CreateWindowExW(exStyle, className, Wide(row.caption).c_str(), style, box.x, box.y, box.width,
                      box.height, parent, nullptr, instance, nullptr);
  SetWindowLongPtrW(child, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&row));
  if (row.kind == form::ControlKind::TextBox) {
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(captionFont), FALSE);
  }
  return child;
}

// The controls of one parent, front to back as the drill makes them: buttons, boxes and the
// frame, then the labels; each new child goes below the ones before it. Returns the frame, if
// the layer has it.
HWND CreateLayer(form::Parent layer, HWND parent, HINSTANCE instance) {
  std::vector<const form::ControlRow*> rows;
  for (const form::ControlRow& row : form::ControlTable()) {
    if (row.parent == layer && row.kind != form::ControlKind::Timer &&
        row.kind != form::ControlKind::Shape) {
      rows.push_back(&row);
    }
  }
  std::stable_sort(rows.begin(), rows.end(), [](const auto* a, const auto* b) {
    return a->kind != form::ControlKind::Label && b->kind == form::ControlKind::Label;
  });
  HWND frame = nullptr;
  for (const form::ControlRow* row : rows) {
    const HWND child = CreateChild(*row, parent, instance);
    if (row->kind == form::ControlKind::Frame) frame = child;
  }
  return frame;
}

}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show) {
  const HBRUSH pink = CreateSolidBrush(RGB(0xFF, 0xC0, 0xFF));
  Register(kWindowClass, instance, pink);
  Register(kFrameClass, instance, pink);
  Register(kLayerClass, instance, nullptr);

  // bare_window's window, clipping its children as the drill's does.
  const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  RECT frame{0, 0, 792, 568};
  AdjustWindowRectEx(&frame, style, FALSE, 0);
  const HWND window = CreateWindowExW(0, kWindowClass, L"", style, CW_USEDEFAULT, CW_USEDEFAULT,
                                      frame.right - frame.left, frame.bottom - frame.top, nullptr,
                                      nullptr, instance, nullptr);
  if (!window) return 1;
  captionFont = CreateFontW(-form::FontPixels(14.25f, kDpi), 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE,
                            RUSSIAN_CHARSET, OUT_TT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                            VARIABLE_PITCH | FF_SWISS, L"Arial");

  const HWND framePanel = CreateLayer(form::Parent::Window, window, instance);
  if (framePanel) CreateLayer(form::Parent::Frame1, framePanel, instance);
  // The equation row's layer over the whole client area, under everything else.
  const HWND layer = CreateWindowExW(WS_EX_TRANSPARENT, kLayerClass, L"",
                                     WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, 0,
                                     0, 792, 568, window, nullptr, instance, nullptr);
  CreateLayer(form::Parent::EquationRow, layer, instance);

  ShowWindow(window, show);
  UpdateWindow(window);

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
