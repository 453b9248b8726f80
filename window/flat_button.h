// A push button whose face is one flat colour, with the raised edge of a classic desktop button.
#pragma once

#include <QPushButton>

class FlatButton : public QPushButton {
  Q_OBJECT

 public:
  FlatButton(const QString& caption, const QColor& face, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
};
