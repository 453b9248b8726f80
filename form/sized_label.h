// The part of every window's label that does not depend on its toolkit: its box in twips, kept
// as floats, and how that box follows the caption as the label's sizing says. A window's label
// class measures the caption and places the box in its toolkit.
#pragma once

#include "form/equation_row.h"
#include "form/label_box.h"

namespace form {

class SizedLabel : public RowLabel {
 public:
  // On its design box, in its design font.
  explicit SizedLabel(const ControlRow& row)
      : box_(DesignBox(row)), align_(row.align), sizing_(SizingOf(row)), points_(row.font.points) {}

  float FontPoints() const override { return points_; }
  float LeftTwips() const override { return box_.left; }
  float WidthTwips() const override { return box_.width; }
  // Holds until the caption or the font change again.
  void SetLeftTwips(float left) override;
  void SetWidthTwips(float width) override;

  const TwipBox& box() const { return box_; }

 protected:
  // After a new caption or font: a self-sizing box fits the caption, a fixed box with a
  // shrinking caption fits the font to itself, any other box stays.
  void followCaption();
  // Whether the box has fitted a caption since the label was made, or still has its design box.
  bool fittedToCaption() const { return fittedToCaption_; }

  // The caption's width and height in the current font, in twips.
  struct CaptionTwips {
    float width, height;
  };
  virtual CaptionTwips measureCaption() const = 0;
  // Draws the caption in the largest font, up to the design's, that fits the box.
  virtual void fitFontToBox() = 0;
  // Moves the toolkit's control to the box.
  virtual void place() = 0;

  TwipBox box_;
  Align align_;
  LabelSizing sizing_;
  float points_;

 private:
  bool fittedToCaption_ = false;
};

}  // namespace form
