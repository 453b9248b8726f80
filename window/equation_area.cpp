#include "window/equation_area.h"

#include <QAccessibleWidget>

namespace {

// The area as one static text: no children for a screen reader to wander into, and the box of
// the labels rather than of the whole window.
class AccessibleEquation : public QAccessibleWidget {
 public:
  explicit AccessibleEquation(QWidget* area) : QAccessibleWidget(area, QAccessible::StaticText) {}

  int childCount() const override { return 0; }
  QAccessibleInterface* child(int) const override { return nullptr; }
  int indexOfChild(const QAccessibleInterface*) const override { return -1; }

  QRect rect() const override {
    QRect labels;
    for (const QWidget* label : widget()->findChildren<QWidget*>()) {
      labels |= label->geometry();
    }
    return QRect(widget()->mapToGlobal(labels.topLeft()), labels.size());
  }
};

QAccessibleInterface* accessibleEquationFactory(const QString& className, QObject* object) {
  if (className == QLatin1String("EquationArea") && object && object->isWidgetType()) {
    return new AccessibleEquation(static_cast<QWidget*>(object));
  }
  return nullptr;
}

}  // namespace

EquationArea::EquationArea(QWidget* window, const QRect& clientArea) : QWidget(window) {
  static const bool factoryInstalled = [] {
    QAccessible::installFactory(accessibleEquationFactory);
    return true;
  }();
  Q_UNUSED(factoryInstalled);
  setAttribute(Qt::WA_TransparentForMouseEvents);
  setFocusPolicy(Qt::NoFocus);
  setGeometry(clientArea);
}
