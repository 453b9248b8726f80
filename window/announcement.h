// Where the window tells a screen reader the news of a step (form/news.h). Qt 6.4 has no
// announcement of its own, so the news is a notification: an element a reader speaks whenever
// it appears, named with the sentence. It appears anew for every piece of news, so a second
// "Неправильно!" in a row is spoken too. It has no size and paints nothing: the pupil who looks
// sees nothing of it.
#pragma once

#include <QWidget>

class Announcement : public QWidget {
  Q_OBJECT

 public:
  explicit Announcement(QWidget* window);

  // Tells the sentence while a screen reader listens; does nothing otherwise.
  void Tell(const QString& sentence);

  // Whether a screen reader listens: QAccessible::isActive, unless a test, which has no platform
  // bridge to a reader, stands in for one.
  using Listening = bool (*)();
  static void SetListening(Listening listening);
};
