// A label of the page: an opaque box placed in twips, showing its caption on one line from the
// top, that follows its caption as its row of the control table says (fixed, fitted to the
// caption, or with a font shrunk to fit the box). The equation row arranges such labels through
// form::RowLabel.
#pragma once

#include <string>

#include "form/control_table.h"
#include "form/sized_label.h"
#include "web/dom.h"

namespace web {

class TwipLabel final : public form::SizedLabel {
 public:
  // Takes the label's element as the page was built with it, on its design box in its design
  // font; originTop is the top, in the window's twips, of what the element stands on.
  TwipLabel(val element, const form::ControlRow& row, float originTop = 0);

  const val& element() const { return element_; }
  // Fits the box or the font to the caption, as measured in the page's faces.
  void Fit() { followCaption(); }

  std::string Caption() const override { return caption_; }
  void SetCaption(std::string_view utf8) override;
  void SetFontPoints(float points) override;

 private:
  CaptionTwips measureCaption() const override;
  void fitFontToBox() override;
  void place() override;
  void setFont(int pixels);

  val element_;
  form::FontSpec font_;
  float originTop_;
  std::string caption_;
};

}  // namespace web
