#include "window/accessible_names.h"

#include <algorithm>
#include <iterator>

#include <QAccessible>
#include <QLabel>
#include <QWidget>

namespace accessiblenames {
namespace {

QWidget* control(const QWidget& window, const char* name) {
  return window.findChild<QWidget*>(QString::fromLatin1(name));
}

QString caption(const QWidget& window, const char* name) {
  const auto* label = qobject_cast<const QLabel*>(control(window, name));
  return label ? label->text() : QString();
}

AnnouncementSink announcementSink = &QAccessible::updateAccessibility;

void setName(const QWidget& window, const char* controlName, const QString& spoken) {
  QWidget* widget = control(window, controlName);
  if (widget && widget->accessibleName() != spoken) widget->setAccessibleName(spoken);
}

void refreshAll(const QWidget& window) {
  setName(window, "Label6", QStringLiteral("Средний балл: ") + caption(window, "Label6"));
  setName(window, "Label4", QStringLiteral("Оценка: ") + caption(window, "Label4"));

  QString taskTime = QStringLiteral("Время задания: ");
  if (!control(window, "Label16")->isHidden()) {
    taskTime += caption(window, "Label16") + QStringLiteral(" мин ");
  }
  setName(window, "Label14", taskTime + caption(window, "Label14") + QStringLiteral(" сек"));

  setName(window, "Label21",
          QStringLiteral("Суммарное время: ") + caption(window, "Label21") +
              QStringLiteral(" мин ") + caption(window, "Label19") + QStringLiteral(" сек"));
}

}  // namespace

void NameFixedControls(const QWidget& window) {
  setName(window, "Text4", QStringLiteral("Первый корень"));
  setName(window, "Text5", QStringLiteral("Второй корень"));
  setName(window, "Text1", QStringLiteral("Решено всего"));
  setName(window, "Text2", QStringLiteral("С первой попытки"));
  setName(window, "Text3", QStringLiteral("Ошибочных попыток"));
  refreshAll(window);
}

void Refresh(const QWidget& window, std::string_view changedControl) {
  static constexpr std::string_view kValueControls[] = {"Label4",  "Label6",  "Label14",
                                                        "Label16", "Label19", "Label21"};
  if (std::find(std::begin(kValueControls), std::end(kValueControls), changedControl) ==
      std::end(kValueControls)) {
    return;
  }
  refreshAll(window);
}

void AnnounceVerdict(QWidget& verdict) {
  QAccessibleEvent alert(&verdict, QAccessible::Alert);
  announcementSink(&alert);
}

void SetAnnouncementSink(AnnouncementSink sink) {
  announcementSink = sink ? sink : &QAccessible::updateAccessibility;
}

}  // namespace accessiblenames
