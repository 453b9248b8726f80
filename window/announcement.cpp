#include "window/announcement.h"

#include <QAccessibleWidget>

namespace {

Announcement::Listening listening = &QAccessible::isActive;

class AccessibleAnnouncement : public QAccessibleWidget {
 public:
  explicit AccessibleAnnouncement(QWidget* widget)
      : QAccessibleWidget(widget, QAccessible::Notification) {}
};

QAccessibleInterface* accessibleAnnouncementFactory(const QString& className, QObject* object) {
  if (className == QLatin1String("Announcement") && object && object->isWidgetType()) {
    return new AccessibleAnnouncement(static_cast<QWidget*>(object));
  }
  return nullptr;
}

}  // namespace

Announcement::Announcement(QWidget* window) : QWidget(window) {
  static const bool factoryInstalled = [] {
    QAccessible::installFactory(accessibleAnnouncementFactory);
    return true;
  }();
  Q_UNUSED(factoryInstalled);
  setObjectName("Announcement");
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  setGeometry(0, 0, 0, 0);
  hide();
}

void Announcement::Tell(const QString& sentence) {
  if (sentence.isEmpty() || !listening()) return;
  setAccessibleName(sentence);
  hide();
  show();
}

void Announcement::SetListening(Listening newListening) {
  listening = newListening ? newListening : &QAccessible::isActive;
}
