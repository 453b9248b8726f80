#include "win32/twip_label.h"

#include "win32/classic_look.h"
#include "win32/design_fonts.h"
#include "win32/dpi.h"
#include "win32/utf16.h"

namespace win32 {
namespace {

UINT textAlignment(form::Align align) {
  switch (align) {
    case form::Align::Centre:
      return DT_CENTER;
    case form::Align::Right:
      return DT_RIGHT;
    case form::Align::Left:
    case form::Align::None:
      break;
  }
  return DT_LEFT;
}

}  // namespace

TwipLabel::TwipLabel(HWND parent, int id, const form::ControlRow& row, UINT dpi)
    : SizedLabel(row),
      design_(row.font),
      dpi_(dpi),
      caption_(Utf16(row.caption)),
      text_(DesignColour(row.text)),
      back_(DesignColour(row.back)) {
  const DWORD shown = (row.flags & form::kHidden) ? 0 : WS_VISIBLE;
  // Made on its design box, which it keeps until the caption changes. SS_NOPREFIX: an ampersand
  // is a character of the caption, for the screen reader too.
  const RECT place = PixelRect(box_, dpi_);
  hwnd_ = CreateWindowExW(0, L"STATIC", caption_.c_str(),
                          WS_CHILD | WS_CLIPSIBLINGS | shown | SS_OWNERDRAW | SS_NOPREFIX,
                          place.left, place.top, place.right - place.left, place.bottom - place.top,
                          parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                          GetModuleHandleW(nullptr), nullptr);
  makeFont(form::FontPixels(points_, static_cast<int>(dpi_)));
}

std::string TwipLabel::Caption() const { return Utf8(caption_); }

void TwipLabel::SetCaption(std::string_view utf8) {
  std::wstring caption = Utf16(utf8);
  if (caption == caption_ && (sizing_ != form::LabelSizing::ToCaption || fittedToCaption()))
    return;  // as it is
  caption_ = std::move(caption);
  SetWindowTextW(hwnd_, caption_.c_str());
  followCaption();
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void TwipLabel::SetFontPoints(float points) {
  points_ = points;
  makeFont(form::FontPixels(points_, static_cast<int>(dpi_)));
  followCaption();
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void TwipLabel::SetDpi(UINT dpi) {
  dpi_ = dpi;
  makeFont(form::FontPixels(points_, static_cast<int>(dpi_)));
  // A label still on its design box keeps it, as it would have at this DPI from the start.
  if (sizing_ == form::LabelSizing::ToCaption && !fittedToCaption()) {
    place();
  } else {
    followCaption();
    place();
  }
  InvalidateRect(hwnd_, nullptr, FALSE);
}

void TwipLabel::makeFont(int pixels) {
  font_ = CreateDesignFont(design_, pixels);
  fontPixels_ = pixels;
  baselineDrop_ = 0;
}

form::SizedLabel::CaptionTwips TwipLabel::measureCaption() const {
  const CaptionSize size =
      MeasureCaption(font_.get(), caption_.c_str(), static_cast<int>(caption_.size()));
  const int dpi = static_cast<int>(dpi_);
  return {form::FromPixels(size.width, dpi), form::FromPixels(size.height, dpi)};
}

void TwipLabel::fitFontToBox() {
  const int designPixels = form::FontPixels(points_, static_cast<int>(dpi_));
  const auto measure = [&](int pixels) {
    const FontHandle font = CreateDesignFont(design_, pixels);
    return MeasureCaption(font.get(), caption_.c_str(), static_cast<int>(caption_.size()));
  };
  const CaptionSize full = measure(designPixels);
  const RECT place = PixelRect(box_, dpi_);
  const int pixels = form::FontPixelsToFit(designPixels, place.right - place.left, [&](int size) {
    return size == designPixels ? full.width : measure(size).width;
  });
  if (pixels != fontPixels_) makeFont(pixels);
  // A shrunk caption keeps the baseline of a full-size one, so its digits stand on the line of
  // the "мин" and "сек" beside them.
  baselineDrop_ =
      full.ascent - MeasureCaption(font_.get(), caption_.c_str(), int(caption_.size())).ascent;
}

void TwipLabel::place() {
  const RECT place = PixelRect(box_, dpi_);
  SetWindowPos(hwnd_, nullptr, place.left, place.top, place.right - place.left,
               place.bottom - place.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TwipLabel::Draw(const DRAWITEMSTRUCT& item) const {
  const HDC dc = item.hDC;
  // Opaque: the label hides what lies under its box.
  FillColour(dc, item.rcItem, back_);
  const Selected selected(dc, font_.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, text_);
  RECT captionBox = item.rcItem;
  captionBox.top += baselineDrop_;
  DrawTextW(dc, caption_.c_str(), static_cast<int>(caption_.size()), &captionBox,
            DT_SINGLELINE | DT_NOPREFIX | DT_NOCLIP | DT_TOP | textAlignment(align_));
}

}  // namespace win32
