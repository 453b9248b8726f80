#include "window/flat_button.h"

#include <qdrawutil.h>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>

FlatButton::FlatButton(const QString& caption, const QColor& face, QWidget* parent)
    : QPushButton(caption, parent) {
  QPalette colours = palette();
  colours.setColor(QPalette::Button, face);
  setPalette(colours);
}

void FlatButton::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QBrush face = palette().brush(QPalette::Button);
  qDrawWinButton(&painter, rect(), palette(), isDown(), &face);

  // The caption sits one pixel lower and to the right while the button is held down.
  const QRect captionBox = isDown() ? rect().translated(1, 1) : rect();
  painter.setPen(palette().color(QPalette::ButtonText));
  painter.setFont(font());
  painter.drawText(captionBox, Qt::AlignCenter | Qt::TextSingleLine, text());

  if (hasFocus()) {
    QStyleOptionFocusRect focusFrame;
    focusFrame.initFrom(this);
    focusFrame.rect = rect().adjusted(4, 4, -4, -4);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focusFrame, &painter, this);
  }
}
