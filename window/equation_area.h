// The transparent layer the seven labels of the equation row stand on. It draws nothing and
// takes no input; to a screen reader it is the equation, read as one element whose name speaks
// it ("x в квадрате минус 9 x плюс 14 равно нулю"), with the separate labels hidden inside.
#pragma once

#include <QWidget>

class EquationArea : public QWidget {
  Q_OBJECT

 public:
  // Covers the whole client area (clientArea, in pixels), so the labels keep the window's
  // coordinates.
  EquationArea(QWidget* window, const QRect& clientArea);
};
