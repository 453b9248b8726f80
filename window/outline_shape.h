// A decorative outline: a rectangle drawn with a wide line, taking no input.
#pragma once

#include <QWidget>

class OutlineShape : public QWidget {
  Q_OBJECT

 public:
  OutlineShape(const QColor& line, int linePixels, const QColor& back, QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor line_;
  int linePixels_;
  QColor back_;
};
