// Qt's own words in Russian: the edit menu of the answer boxes is the only place they show.
#pragma once

#include <QTranslator>

// Loads Qt's Russian translation from Qt's translations folder and installs it on the
// application for as long as this object lives. Russian whatever the pupil's locale: every word
// on screen is Russian.
class QtRussian {
 public:
  QtRussian();
  ~QtRussian();
  QtRussian(const QtRussian&) = delete;
  QtRussian& operator=(const QtRussian&) = delete;

  bool found() const { return installed_; }

 private:
  QTranslator translator_;
  bool installed_ = false;
};

// Whether the edit menu a box would open speaks Russian. Without the translation it would be
// English, so a box then opens no menu at all.
bool EditMenuSpeaksRussian();
