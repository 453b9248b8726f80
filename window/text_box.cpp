#include "window/text_box.h"

#include <qdrawutil.h>
#include <QContextMenuEvent>
#include <QPainter>

#include "window/qt_russian.h"

namespace {
constexpr int kBorderPixels = 2;
}

TextBox::TextBox(const QString& text, const QColor& textColour, const QColor& back, QWidget* parent)
    : QLineEdit(text, parent) {
  setFrame(false);  // the sunken border is drawn by paintEvent
  setTextMargins(kBorderPixels, kBorderPixels, kBorderPixels, kBorderPixels);
  setAlignment(Qt::AlignCenter);
  QPalette colours = palette();
  colours.setColor(QPalette::Base, back);
  // A box is drawn on its back colour whether enabled or not; the text colour of a disabled box
  // stays the platform's unless the box has one of its own (the counters' black).
  if (textColour.isValid()) {
    colours.setColor(QPalette::Text, textColour);
    colours.setColor(QPalette::Disabled, QPalette::Text, textColour);
  }
  setPalette(colours);
}

void TextBox::paintEvent(QPaintEvent* event) {
  QLineEdit::paintEvent(event);
  QPainter painter(this);
  qDrawWinPanel(&painter, rect(), palette(), /*sunken=*/true, nullptr);
}

void TextBox::contextMenuEvent(QContextMenuEvent* event) {
  // Every word on screen is Russian: without Qt's Russian words the box opens no menu, and cut,
  // copy and paste keep their keys.
  if (!EditMenuSpeaksRussian()) {
    event->ignore();
    return;
  }
  QLineEdit::contextMenuEvent(event);
}
