// A label positioned in twips that can size itself to its caption.
#pragma once

#include <QLabel>

class TwipLabel : public QLabel {
  Q_OBJECT

 public:
  enum class Sizing {
    Fixed,      // the box stays as designed
    ToCaption,  // the box fits the caption, keeping its top edge and the edge or centre
                // its alignment names
    FontToBox,  // the box stays; a caption too wide for it is drawn in a smaller font
  };

  // Box in twips; alignment is Qt::AlignLeft, Qt::AlignHCenter or Qt::AlignRight.
  TwipLabel(QWidget* parent, float left, float top, float width, float height,
            Qt::Alignment alignment, Sizing sizing);

  // Sets the caption, then sizes box or font as the label's sizing says.
  void setCaption(const QString& caption);
  // The font the label is created with; its box stays as designed.
  void setDesignFont(const QFont& font, float points);
  void setFontPoints(float points);
  float fontPoints() const { return points_; }

  float leftTwips() const { return left_; }
  float widthTwips() const { return width_; }
  float topTwips() const { return top_; }
  float centreTwips() const { return left_ + width_ / 2; }
  void setLeftTwips(float left);
  // Holds until the caption or the font change again.
  void setWidthTwips(float width);

 private:
  void fitToCaption();
  void fitFontToBox();
  void resize();
  void place();

  float left_;
  float top_;
  float width_;
  float height_;
  float points_ = 0;
  Sizing sizing_;
};
