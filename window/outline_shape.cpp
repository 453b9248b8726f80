#include "window/outline_shape.h"

#include <QPainter>

OutlineShape::OutlineShape(const QColor& line, int linePixels, const QColor& back, QWidget* parent)
    : QWidget(parent), line_(line), linePixels_(linePixels), back_(back) {
  setAttribute(Qt::WA_TransparentForMouseEvents);
}

void OutlineShape::paintEvent(QPaintEvent*) {
  // The line lies inside the shape's box, so the box is the figure's outer edge.
  QPainter painter(this);
  painter.fillRect(rect(), line_);
  painter.fillRect(rect().adjusted(linePixels_, linePixels_, -linePixels_, -linePixels_), back_);
}
