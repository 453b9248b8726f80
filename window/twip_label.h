// A label positioned in twips that can size itself to its caption; the equation row arranges
// such labels through form::RowLabel.
#pragma once

#include <QLabel>

#include "form/control_table.h"
#include "form/equation_row.h"
#include "form/label_box.h"

class TwipLabel : public QLabel, public form::RowLabel {
  Q_OBJECT

 public:
  TwipLabel(QWidget* parent, const form::TwipBox& box, form::Align align, form::LabelSizing sizing);

  // Sets the caption, then sizes box or font as the label's sizing says.
  void setCaption(const QString& caption);
  // The font the label is created with; its box stays as designed.
  void setDesignFont(const QFont& font, float points);

  std::string Caption() const override { return text().toStdString(); }
  void SetCaption(std::string_view utf8) override;
  float FontPoints() const override { return points_; }
  void SetFontPoints(float points) override;
  float LeftTwips() const override { return box_.left; }
  float WidthTwips() const override { return box_.width; }
  // Holds until the caption or the font change again.
  void SetLeftTwips(float left) override;
  void SetWidthTwips(float width) override;

  float topTwips() const { return box_.top; }
  float centreTwips() const { return box_.left + box_.width / 2; }

 private:
  void resize();
  void fitFontToBox();
  void place();

  form::TwipBox box_;
  form::Align align_;
  float points_ = 0;
  form::LabelSizing sizing_;
};
