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

// The box fitted to a caption of the given size (in twips): the top stays, and so does the left
// edge, the centre or the right edge, as the alignment says.
TwipBox FitToCaption(const TwipBox& box, Align align, float captionWidth, float captionHeight);

// The largest font size, from the design's own pixel size down, at which the caption fits a box
// boxPixels wide; widthAt(pixels) measures the caption in that size. At least 1.
int FontPixelsToFit(int designPixels, int boxPixels, const std::function<int(int)>& widthAt);

}  // namespace form
