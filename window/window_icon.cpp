#include "window/window_icon.h"

#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

QIcon WindowIcon() {
  constexpr int kPixels = 64;  // the SVG's own units, one to a pixel
  QPixmap icon(kPixels, kPixels);
  icon.fill(Qt::transparent);
  QPainter painter(&icon);
  painter.setRenderHint(QPainter::Antialiasing);

  painter.setPen(QPen(QColor(0xC0, 0x00, 0x00), 4));
  painter.setBrush(QColor(0xFF, 0xC0, 0xFF));
  painter.drawRoundedRect(QRectF(3, 3, 58, 58), 9, 9);

  const QColor blue(0x00, 0x00, 0xFF);
  painter.setPen(QPen(blue, 7, Qt::SolidLine, Qt::RoundCap));
  painter.drawLine(QPointF(12, 24), QPointF(34, 52));
  painter.drawLine(QPointF(34, 24), QPointF(12, 52));

  QPainterPath two(QPointF(39, 17));
  two.cubicTo(40, 10, 52, 10, 52, 17);
  two.cubicTo(52, 22, 45, 25, 39, 32);
  two.lineTo(53, 32);
  painter.setPen(QPen(blue, 4.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
  painter.setBrush(Qt::NoBrush);
  painter.drawPath(two);
  painter.end();
  return QIcon(icon);
}
