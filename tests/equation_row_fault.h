// The layout every laid-out equation row must have, as a test reads it from the labels, whichever
// toolkit drew them.
#pragma once

#include <functional>
#include <string>
#include <utility>

#include "form/equation_row.h"

// A label's left edge and the pixel just past its right edge, as the toolkit placed it.
using PixelEdges = std::function<std::pair<int, int>(std::size_t label)>;

// What breaks the row's layout, or "" when it holds: the first label empty and 1 twip wide, each
// label starting where its left neighbour ends (in twips, and in pixels: no gap, no overlap),
// and the whole row centred on 5750 twips.
inline std::string EquationRowFault(const form::EquationRow& row, const PixelEdges& pixels) {
  const auto& labels = row.labels();
  const auto name = [](std::size_t i) { return std::string(form::kEquationLabels[i]); };
  if (!labels[0]->Caption().empty() || labels[0]->WidthTwips() != 1) {
    return name(0) + " is not the empty 1-twip start of the row";
  }
  float total = labels[0]->WidthTwips();
  for (std::size_t i = 1; i < labels.size(); ++i) {
    const form::RowLabel* before = labels[i - 1];
    total += labels[i]->WidthTwips();
    if (labels[i]->LeftTwips() != before->LeftTwips() + before->WidthTwips() ||
        pixels(i).first != pixels(i - 1).second) {
      return name(i) + " does not start where " + name(i - 1) + " ends";
    }
  }
  if (labels[0]->LeftTwips() * 2 + total != form::EquationRow::kTwiceMiddle) {
    return "the equation row is not centred on 5750 twips";
  }
  return {};
}
