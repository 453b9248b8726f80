// The layout every laid-out equation row must have, as a test reads it from the labels.
#pragma once

#include <string>

#include "window/equation_row.h"
#include "window/twip_label.h"

// What breaks the row's layout, or "" when it holds: the first label empty and 1 twip wide, each
// label starting where its left neighbour ends (in twips, and in pixels: no gap, no overlap),
// and the whole row centred on 5750 twips.
inline std::string EquationRowFault(const EquationRow& row) {
  const auto labels = row.labels();
  const auto name = [](const TwipLabel* label) { return label->objectName().toStdString(); };
  if (!labels[0]->text().isEmpty() || labels[0]->widthTwips() != 1) {
    return name(labels[0]) + " is not the empty 1-twip start of the row";
  }
  float total = labels[0]->widthTwips();
  for (std::size_t i = 1; i < labels.size(); ++i) {
    const TwipLabel* before = labels[i - 1];
    total += labels[i]->widthTwips();
    if (labels[i]->leftTwips() != before->leftTwips() + before->widthTwips() ||
        labels[i]->geometry().left() != before->geometry().right() + 1) {
      return name(labels[i]) + " does not start where " + name(before) + " ends";
    }
  }
  if (labels[0]->leftTwips() * 2 + total != EquationRow::kTwiceMiddle) {
    return "the equation row is not centred on 5750 twips";
  }
  return {};
}
