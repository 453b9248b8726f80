#include "window/accessible_names.h"

#include <QLabel>
#include <QWidget>

#include "form/spoken.h"

namespace accessiblenames {
namespace {

QWidget* control(const QWidget& window, std::string_view name) {
  return window.findChild<QWidget*>(QString::fromLatin1(name.data(), qsizetype(name.size())));
}

void setName(const QWidget& window, const form::SpokenName& spoken) {
  QWidget* widget = control(window, spoken.control);
  const QString name = QString::fromStdString(spoken.name);
  if (widget && widget->accessibleName() != name) widget->setAccessibleName(name);
}

void refreshValues(const QWidget& window) {
  const auto caption = [&](std::string_view name) {
    const auto* label = qobject_cast<const QLabel*>(control(window, name));
    return label ? label->text().toStdString() : std::string();
  };
  const bool taskMinutesShown = !control(window, "Label16")->isHidden();
  for (const form::SpokenName& spoken : form::ValueNames(caption, taskMinutesShown)) {
    setName(window, spoken);
  }
}

}  // namespace

void NameFixedControls(const QWidget& window) {
  for (const form::SpokenName& spoken : form::FixedNames()) setName(window, spoken);
  refreshValues(window);
}

void Refresh(const QWidget& window, std::string_view changedControl) {
  if (form::ChangesValueNames(changedControl)) refreshValues(window);
}

}  // namespace accessiblenames
