// A label positioned in twips that can size itself to its caption: an owner-drawn STATIC, so
// Windows' own accessibility reads its caption, drawn opaque in its design colours. The equation
// row arranges such labels through form::RowLabel.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "form/control_table.h"
#include "form/sized_label.h"
#include "win32/gdi_owners.h"

namespace win32 {

class TwipLabel : public form::SizedLabel {
 public:
  // Creates the label on its parent with its design box, caption, font and colours.
  TwipLabel(HWND parent, int id, const form::ControlRow& row, UINT dpi);
  TwipLabel(const TwipLabel&) = delete;
  TwipLabel& operator=(const TwipLabel&) = delete;

  HWND hwnd() const { return hwnd_; }

  std::string Caption() const override;
  void SetCaption(std::string_view utf8) override;
  void SetFontPoints(float points) override;

  HFONT font() const { return font_.get(); }
  int fontPixels() const { return fontPixels_; }

  // The window moved to a screen of another DPI: the font is made again at its size there, and
  // the box follows.
  void SetDpi(UINT dpi);
  void Draw(const DRAWITEMSTRUCT& item) const;

 private:
  CaptionTwips measureCaption() const override;
  void fitFontToBox() override;
  void place() override;
  void makeFont(int pixels);

  HWND hwnd_ = nullptr;
  form::FontSpec design_;
  UINT dpi_;
  std::wstring caption_;
  FontHandle font_;
  int fontPixels_ = 0;
  int baselineDrop_ = 0;  // how far a shrunk caption is drawn below the top, keeping the baseline
  COLORREF text_;
  COLORREF back_;
};

}  // namespace win32
