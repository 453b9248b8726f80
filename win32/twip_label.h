// A label positioned in twips that can size itself to its caption: an owner-drawn STATIC, so
// Windows' own accessibility reads its caption, drawn opaque in its design colours. The equation
// row arranges such labels through form::RowLabel.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "form/control_table.h"
#include "form/equation_row.h"
#include "form/label_box.h"
#include "win32/gdi_owners.h"

namespace win32 {

class TwipLabel : public form::RowLabel {
 public:
  // Creates the label on its parent with its design box, caption, font and colours.
  TwipLabel(HWND parent, int id, const form::ControlRow& row, UINT dpi);
  TwipLabel(const TwipLabel&) = delete;
  TwipLabel& operator=(const TwipLabel&) = delete;

  HWND hwnd() const { return hwnd_; }

  std::string Caption() const override;
  void SetCaption(std::string_view utf8) override;
  float FontPoints() const override { return points_; }
  void SetFontPoints(float points) override;
  float LeftTwips() const override { return box_.left; }
  float WidthTwips() const override { return box_.width; }
  // Holds until the caption or the font change again.
  void SetLeftTwips(float left) override;
  void SetWidthTwips(float width) override;

  const form::TwipBox& box() const { return box_; }
  HFONT font() const { return font_.get(); }
  int fontPixels() const { return fontPixels_; }

  // The window moved to a screen of another DPI: the font is made again at its size there, and
  // the box follows.
  void SetDpi(UINT dpi);
  void Draw(const DRAWITEMSTRUCT& item) const;

 private:
  void makeFont(int pixels);
  void resize();
  void fitFontToBox();
  void place();

  HWND hwnd_ = nullptr;
  form::TwipBox box_;
  form::Align align_;
  form::LabelSizing sizing_;
  form::FontSpec design_;
  float points_;
  UINT dpi_;
  std::wstring caption_;
  FontHandle font_;
  int fontPixels_ = 0;
  bool fitted_ = false;   // the box has followed a caption or font set since creation
  int baselineDrop_ = 0;  // how far a shrunk caption is drawn below the top, keeping the baseline
  COLORREF text_;
  COLORREF back_;
};

}  // namespace win32
