// A label positioned in twips that can size itself to its caption; the equation row arranges
// such labels through form::RowLabel.
#pragma once

#include <QLabel>

#include "form/sized_label.h"

class TwipLabel : public QLabel, public form::SizedLabel {
  Q_OBJECT

 public:
  // On its design box; the window gives it its design font.
  TwipLabel(QWidget* parent, const form::ControlRow& row);

  // Sets the caption, then sizes box or font as the label's sizing says.
  void setCaption(const QString& caption);

  std::string Caption() const override { return text().toStdString(); }
  void SetCaption(std::string_view utf8) override;
  void SetFontPoints(float points) override;

  float topTwips() const { return box_.top; }
  float centreTwips() const { return box_.left + box_.width / 2; }

 private:
  CaptionTwips measureCaption() const override;
  void fitFontToBox() override;
  void place() override;
};
