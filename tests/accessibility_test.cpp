// What a screen reader finds: names for every control a pupil needs, the equation as one
// element, and the verdict announced when it changes.
#include <QAccessible>
#include <vector>

#include "window/accessible_names.h"
#include "window_fixture.h"

namespace {

QString spokenName(QObject* control) {
  QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(control);
  return accessible ? accessible->text(QAccessible::Name) : QStringLiteral("<none>");
}

// Announcements a screen reader would be sent, caught on their way out.
std::vector<std::pair<QAccessible::Event, QObject*>> caught;
void catchEvent(QAccessibleEvent* event) { caught.emplace_back(event->type(), event->object()); }

class ScreenReader : public WindowTest {
 protected:
  void SetUp() override {
    WindowTest::SetUp();
    caught.clear();
    accessiblenames::SetAnnouncementSink(catchEvent);
  }
  void TearDown() override { accessiblenames::SetAnnouncementSink(nullptr); }
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

TEST_F(ScreenReader, HearsEveryVerdictAnnounced) {
  Start(2, 7);
  caught.clear();
  Answer("1", "1");
  const auto verdict = window_->findChild<QObject*>("Label12");
  const auto alerts = [&] {
    return std::count(caught.begin(), caught.end(), std::pair(QAccessible::Alert, verdict));
  };
  EXPECT_EQ(alerts(), 1);
  Answer("2", "7");
  EXPECT_EQ(alerts(), 2);
  Next(3, 4);  // the verdict is only cleared: nothing to announce
  EXPECT_EQ(alerts(), 2);
}

}  // namespace
