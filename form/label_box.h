// How a label's box follows its caption: a self-sizing label fits the caption, keeping the edge
// or centre its alignment names; a label with a fixed box shrinks the caption's font instead.
#pragma once

#include <functional>

#include "form/control_table.h"

namespace form {

// A label's box in twips.
struct TwipBox {
  float left, top, width, height;
};

// How a label's box follows its caption, as its row of the control table says.
enum class LabelSizing {
  Fixed,      // the box stays as designed
  ToCaption,  // the box fits the caption, keeping its top edge and the edge or centre its
              // alignment names
  FontToBox,  // the box stays; a caption too wide for it is drawn in a smaller font
};

// The control's box as the table gives it.
TwipBox DesignBox(const ControlRow& row);

LabelSizing SizingOf(const ControlRow& row);

// The box fitted to a caption of the given size (in twips): the top stays, and so does the left
// edge, the centre or the right edge, as the alignment says.
TwipBox FitToCaption(const TwipBox& box, Align align, float captionWidth, float captionHeight);

// The largest font size, from the design's own pixel size down, at which the caption fits a box
// boxPixels wide; widthAt(pixels) measures the caption in that size. At least 1.
int FontPixelsToFit(int designPixels, int boxPixels, const std::function<int(int)>& widthAt);

}  // namespace form
