// What a screen reader finds: names for every control a pupil needs, the equation as one
// element, and the news of each step told as it happens.
#include <QAccessible>
#include <vector>

#include "form/spoken.h"
#include "window/announcement.h"
#include "window_fixture.h"

namespace {

QString spokenName(QObject* control) {
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
  return accessible ? accessible->text(QAccessible::Name) : QStringLiteral("<none>");
}

// The notification appears anew with each piece of news, under the news's words as its name; a
// reader speaks it as it appears. A headless test has no bridge to a reader, so it stands in for
// one listening.
bool readerListens = false;

class Appearances : public QObject {
 public:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Show)
      told.push_back(static_cast<QWidget*>(watched)->accessibleName());
    return false;
  }
  std::vector<QString> told;
};

class ScreenReader : public WindowTest {
 protected:
  QString spoken(const char* name) { return spokenName(window_->findChild<QObject*>(name)); }
};

TEST_F(ScreenReader, FindsEveryControlAPupilNeedsByName) {
  Start(2, 7);
  for (int second = 0; second < 65; ++second) emit window_->timer1().tick();
  EXPECT_EQ(spoken("Text4"), "Первый корень");
  EXPECT_EQ(spoken("Text5"), "Второй корень");
  EXPECT_EQ(spoken("Text1"), "Решено всего");
  EXPECT_EQ(spoken("Text2"), "С первой попытки");
  EXPECT_EQ(spoken("Text3"), "Ошибочных попыток");
  EXPECT_EQ(spoken("Label6"), "Средний балл: 0");
  EXPECT_EQ(spoken("Label4"), "Оценка: 0");
  EXPECT_EQ(spoken("Label14"), "Время задания: 1 мин 05 сек");
  EXPECT_EQ(spoken("Label21"), "Суммарное время: 0 мин 00 сек");
  EXPECT_EQ(spoken("Command2"), "Старт");
  EXPECT_EQ(QAccessible::queryAccessibleInterface(box("Text4"))->role(), QAccessible::EditableText);
  Answer("7", "2");
  EXPECT_EQ(spoken("Label12"), "Правильно!");
  Next(3, 5);
  EXPECT_EQ(spoken("Label14"), "Время задания: 00 сек");
  EXPECT_EQ(spoken("Label21"), "Суммарное время: 1 мин 05 сек");
}

// The row is one element: its name speaks the equation and its seven labels are not separate
// stops for the reader.
TEST_F(ScreenReader, ReadsTheEquationRowAsOneElement) {
  QObject* row = window_->findChild<QObject*>("EquationArea");
  EXPECT_EQ(spokenName(row), "x в квадрате плюс p x плюс q равно нулю");
  Start(2, 7);
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(row);
  EXPECT_EQ(accessible->text(QAccessible::Name), "x в квадрате минус 9 x плюс 14 равно нулю");
  EXPECT_EQ(accessible->role(), QAccessible::StaticText);
  EXPECT_EQ(accessible->childCount(), 0);
  const QRect labels = label("Lblxx")->geometry() | label("Lbl0")->geometry();
  EXPECT_TRUE(accessible->rect().contains(window_->mapToGlobal(labels.center())));
  EXPECT_LT(accessible->rect().height(), window_->height() / 2);
  // No visible text was added: the row still reads x, 2, -9, x, +14, =0.
  EXPECT_EQ(window_->findChildren<QLabel*>().size(), 28);
}

// The rule of what is news is form::News's; here the window passes it on, and only while a
// screen reader listens.
TEST_F(ScreenReader, IsToldTheNewsOfEachStepOnlyWhileListening) {
  readerListens = false;
  Announcement::SetListening([] { return readerListens; });
  Appearances notification;
  auto* announcement = window_->findChild<Announcement*>();
  ASSERT_NE(announcement, nullptr);
  EXPECT_EQ(QAccessible::queryAccessibleInterface(announcement)->role(), QAccessible::Notification);
  announcement->installEventFilter(&notification);
  const std::vector<QString>& told = notification.told;
  Start(2, 7);
  Answer("1", "1");
  EXPECT_EQ(told, std::vector<QString>()) << "no reader listens yet";

  readerListens = true;
  Answer("1", "1");
  Answer("1", "1");
  Answer("2", "7");
  Next(3, 4);
  Announcement::SetListening(nullptr);
  EXPECT_EQ(told, (std::vector<QString>{"Неправильно!", "Неправильно!", "Правильно!",
                                        QString::fromStdString(form::SpokenEquation(7, 12))}));
}

}  // namespace
