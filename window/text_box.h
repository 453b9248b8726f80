// A one-line text box with a sunken three-dimensional border and centred text.
#pragma once

#include <QLineEdit>

class TextBox : public QLineEdit {
  Q_OBJECT

 public:
  TextBox(const QString& text, const QColor& textColour, const QColor& back, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void contextMenuEvent(QContextMenuEvent* event) override;
};
