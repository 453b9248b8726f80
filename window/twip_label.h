// A label positioned in twips that can size itself to its caption.
#pragma once

#include <QLabel>

class TwipLabel : public QLabel {
  Q_OBJECT

 public:
  // Box in twips; alignment is Qt::AlignLeft, Qt::AlignHCenter or Qt::AlignRight.
  TwipLabel(QWidget* parent, float left, float top, float width, float height,
            Qt::Alignment alignment, bool sizesItself);

  // A label that sizes itself fits its box to the new caption or font, keeping its top edge
  // and the edge or centre its alignment names.
  void setCaption(const QString& caption);
  // The font the label is created with; its box stays as designed.
  void setDesignFont(const QFont& font, float points);
  void setFontPoints(float points);
  float fontPoints() const { return points_; }

  float leftTwips() const { return left_; }
  float widthTwips() const { return width_; }
  float topTwips() const { return top_; }
  float heightTwips() const { return height_; }
  float centreTwips() const { return left_ + width_ / 2; }
  void setLeftTwips(float left);
  // Holds until the caption or the font change again.
  void setWidthTwips(float width);

 private:
  void fitToCaption();
  void place();

  float left_;
  float top_;
  float width_;
  float height_;
  float points_ = 0;
  bool sizesItself_;
};
