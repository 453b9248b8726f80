#include "win32/text_box.h"

#include <cwchar>
#include <string>

#include "form/answer_box.h"
#include "win32/control_hook.h"
#include "win32/gdi_owners.h"
#include "win32/utf16.h"

namespace win32 {
namespace {

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

// The head of the clipboard's text: as many units as the paste may bring, and one more, to
// finish a character cut in half. Every unit of a paste becomes at most one in the box, so the
// rest of a pasted megabyte is never read.
std::wstring clipboardHead(HWND box, std::size_t units) {
  std::wstring head;
  if (!OpenClipboard(box)) return head;
  if (const HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* text = static_cast<const wchar_t*>(GlobalLock(data))) {
      head.assign(text, wcsnlen(text, units + 1));
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return head;
}

void pasteAsOneLine(HWND box) {
  DWORD start = 0;
  DWORD end = 0;
  SendMessageW(box, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const std::size_t room =
      form::RoomForPaste(static_cast<std::size_t>(GetWindowTextLengthW(box)), end - start);
  const std::wstring oneLine = Utf16(form::PastedText(Utf8(clipboardHead(box, room)), room));
  SendMessageW(box, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(oneLine.c_str()));
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
  if (!counter) SendMessageW(box, EM_LIMITTEXT, form::kAnswerBoxLimit, 0);
  return box;
}

std::optional<LRESULT> AnswerBoxMessage(HWND box, UINT message, WPARAM, LPARAM) {
  if (message != WM_PASTE) return std::nullopt;
  if (IsWindowEnabled(box) && !(GetWindowLongPtrW(box, GWL_STYLE) & ES_READONLY)) {
    pasteAsOneLine(box);
  }
  return 0;
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
