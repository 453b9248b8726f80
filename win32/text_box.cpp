#include "win32/text_box.h"

#include "win32/control_hook.h"
#include "win32/gdi_owners.h"
#include "win32/utf16.h"

namespace win32 {
namespace {

// As many characters as a box takes from typing or pasting, as on the Linux window; far beyond
// any answer.
constexpr WPARAM kAnswerLimit = 32767;

// The height of the box's line of text in its font.
int lineHeight(HWND box) {
  const HDC dc = GetDC(box);
  TEXTMETRICW metrics{};
  {
    const Selected font(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(box, WM_GETFONT, 0, 0)));
    GetTextMetricsW(dc, &metrics);
  }
  ReleaseDC(box, dc);
  return metrics.tmHeight;
}

// Paints the bands of the frame above and below the line, inside the sunken edge.
void paintBands(HWND box, HBRUSH back) {
  RECT outer{};
  GetWindowRect(box, &outer);
  RECT client{};
  GetClientRect(box, &client);
  MapWindowPoints(box, HWND_DESKTOP, reinterpret_cast<POINT*>(&client), 2);
  OffsetRect(&client, -outer.left, -outer.top);
  OffsetRect(&outer, -outer.left, -outer.top);
  const int edge = client.left;  // the sunken edge, as wide on every side
  const RECT above{edge, edge, outer.right - edge, client.top};
  const RECT below{edge, client.bottom, outer.right - edge, outer.bottom - edge};
  const HDC dc = GetWindowDC(box);
  FillRect(dc, &above, back);
  FillRect(dc, &below, back);
  ReleaseDC(box, dc);
}

}  // namespace

bool IsCounter(const form::ControlRow& row) {
  return row.kind == form::ControlKind::TextBox && (row.flags & form::kDisabled);
}

bool EditMenuSpeaksRussian() { return PRIMARYLANGID(GetUserDefaultUILanguage()) == LANG_RUSSIAN; }

HWND CreateTextBox(HWND parent, int id, const form::ControlRow& row, const RECT& place) {
  const bool counter = IsCounter(row);
  const DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | ES_CENTER | ES_AUTOHSCROLL |
                      (counter ? ES_READONLY : WS_TABSTOP);
  const HWND box = CreateWindowExW(
      WS_EX_CLIENTEDGE, L"EDIT", Utf16(row.caption).c_str(), style, place.left, place.top,
      place.right - place.left, place.bottom - place.top, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (!counter) SendMessageW(box, EM_LIMITTEXT, kAnswerLimit, 0);
  return box;
}

std::optional<LRESULT> CounterMessage(HWND counter, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_NCHITTEST:
      return HTTRANSPARENT;  // the click goes to the frame beneath
    case WM_SETFOCUS: {
      // Whoever gave it the focus gets it back, or the window when that was nobody.
      const HWND previous = reinterpret_cast<HWND>(wParam);
      SetFocus(previous && IsWindow(previous) ? previous : GetAncestor(counter, GA_ROOT));
      return 0;
    }
    default:
      return std::nullopt;
  }
}

std::optional<LRESULT> CentringMessage(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                       HBRUSH back) {
  switch (message) {
    case WM_NCCALCSIZE: {
      const LRESULT answer = CallControl(box, message, wParam, lParam);
      // The client rectangle comes first in both forms of the message.
      RECT& client = *reinterpret_cast<RECT*>(lParam);
      const int spare = (client.bottom - client.top) - lineHeight(box);
      if (spare > 0) {
        client.top += spare / 2;
        client.bottom -= spare - spare / 2;
      }
      return answer;
    }
    case WM_NCPAINT: {
      const LRESULT answer = CallControl(box, message, wParam, lParam);
      paintBands(box, back);
      return answer;
    }
    case WM_NCHITTEST: {
      const LRESULT hit = CallControl(box, message, wParam, lParam);
      return hit == HTNOWHERE || hit == HTBORDER ? HTCLIENT : hit;
    }
    default:
      return std::nullopt;
  }
}

}  // namespace win32
