#include "win32/flat_button.h"

#include <string>

#include "win32/classic_look.h"
#include "win32/dpi.h"
#include "win32/gdi_owners.h"
#include "win32/utf16.h"

namespace win32 {

HWND CreateFlatButton(HWND parent, int id, const form::ControlRow& row, const RECT& place) {
  const DWORD shown = (row.flags & form::kHidden) ? 0 : WS_VISIBLE;
  return CreateWindowExW(0, L"BUTTON", Utf16(row.caption).c_str(),
                         WS_CHILD | WS_CLIPSIBLINGS | WS_TABSTOP | shown | BS_OWNERDRAW, place.left,
                         place.top, place.right - place.left, place.bottom - place.top, parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                         GetModuleHandleW(nullptr), nullptr);
}

void DrawFlatButton(const DRAWITEMSTRUCT& item, COLORREF face, HFONT font, UINT dpi) {
  const HDC dc = item.hDC;
  const RECT box = item.rcItem;
  const bool down = item.itemState & ODS_SELECTED;
  FillColour(dc, box, face);
  DrawClassicEdge(dc, box, down ? Edge::Sunken : Edge::Raised, dpi);

  // The caption sits one pixel lower and to the right while the button is held down.
  RECT captionBox = box;
  if (down) OffsetRect(&captionBox, ScaledPixels(1, dpi), ScaledPixels(1, dpi));
  std::wstring caption(static_cast<std::size_t>(GetWindowTextLengthW(item.hwndItem)) + 1, L'\0');
  caption.resize(static_cast<std::size_t>(
      GetWindowTextW(item.hwndItem, caption.data(), static_cast<int>(caption.size()))));
  const Selected selected(dc, font);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, (item.itemState & ODS_DISABLED) ? classic::kDisabledText : classic::kText);
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &captionBox,
            DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);

  if (item.itemState & ODS_FOCUS) {
    RECT focusBox = box;
    const int inset = ScaledPixels(4, dpi);
    InflateRect(&focusBox, -inset, -inset);
    SetTextColor(dc, classic::kText);
    SetBkColor(dc, face);
    DrawFocusRect(dc, &focusBox);
  }
}

}  // namespace win32
