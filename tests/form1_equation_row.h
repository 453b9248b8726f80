// The Qt window's equation row held to EquationRowFault, its pixels read from the labels' boxes.
#pragma once

#include <QWidget>
#include <string>

#include "equation_row_fault.h"
#include "window/form1.h"

inline std::string EquationRowFault(const Form1& window) {
  return EquationRowFault(window.equationRow(), [&](std::size_t label) {
    const std::string_view name = form::kEquationLabels[label];
    const QRect box =
        window.findChild<QWidget*>(QString::fromLatin1(name.data(), qsizetype(name.size())))
            ->geometry();
    return std::pair(box.left(), box.right() + 1);
  });
}
