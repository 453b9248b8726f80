#include "window/control_factory.h"

#include <QFrame>
#include <QWidget>
#include <algorithm>
#include <chrono>
#include <vector>

#include "form/control_table.h"
#include "window/design_fonts.h"
#include "window/equation_area.h"
#include "window/flat_button.h"
#include "window/outline_shape.h"
#include "window/second_timer.h"
#include "window/text_box.h"
#include "window/twip_label.h"
#include "window/twips.h"

namespace {

using form::ControlKind;
using form::ControlRow;
using form::Parent;

// The platform's colour for the role is no colour of the control's own: the window's palette
// gives it.
QColor colour(form::Rgb value) {
  return value == form::kSystemColour ? QColor() : QColor::fromRgb(value);
}

QString caption(const ControlRow& row) { return QString::fromUtf8(row.caption); }

QWidget* createLabel(const ControlRow& row, QWidget* parent) {
  auto* label = new TwipLabel(parent, row);
  label->setFont(designfonts::fontFor(row.font, designfonts::Fallback::None));
  QPalette colours = label->palette();
  colours.setColor(QPalette::Window, colour(row.back));
  if (row.text != form::kSystemColour) colours.setColor(QPalette::WindowText, colour(row.text));
  label->setPalette(colours);
  label->setText(caption(row));  // as designed: the box keeps its design size
  return label;
}

QWidget* createFrame(const ControlRow& row, QWidget* parent) {
  auto* frame = new QFrame(parent);
  frame->setFrameStyle(QFrame::Box | QFrame::Sunken);  // etched
  QPalette colours = frame->palette();
  colours.setColor(QPalette::Window, colour(row.back));
  frame->setPalette(colours);
  frame->setAutoFillBackground(true);
  return frame;
}

QWidget* createWidget(const ControlRow& row, QWidget* parent) {
  switch (row.kind) {
    case ControlKind::Button:
      return new FlatButton(caption(row), colour(row.back), parent);
    case ControlKind::TextBox:
      return new TextBox(caption(row), colour(row.text), colour(row.back), parent);
    case ControlKind::Frame:
      return createFrame(row, parent);
    case ControlKind::Label:
      return createLabel(row, parent);
    case ControlKind::Shape:
      return new OutlineShape(colour(row.text), row.linePixels, colour(row.back), parent);
    case ControlKind::Timer:
      break;
  }
  return nullptr;
}

}  // namespace

QHash<QString, QObject*> CreateControls(QWidget& window) {
  designfonts::installSubstitutes();
  QHash<QString, QObject*> controls;
  const ControlRow& timerRow = *form::FindControl("Timer1");
  auto* timer = new SecondTimer(std::chrono::milliseconds(timerRow.intervalMs), &window);
  timer->setObjectName(timerRow.name);
  timer->setEnabled(!(timerRow.flags & form::kDisabled));
  controls.insert(timerRow.name, timer);
  // The row's layer lies under every other control: nothing of the design overlaps it.
  auto* equationRow = new EquationArea(
      &window, twips::toPixelRect(0, 0, form::kClientWidthTwips, form::kClientHeightTwips));
  equationRow->setObjectName("EquationArea");
  controls.insert(equationRow->objectName(), equationRow);

  // Widgets created later are drawn over their earlier siblings, so each parent's controls are
  // created back to front; the frame before the controls on it.
  std::vector<const ControlRow*> focusable;
  for (const Parent parent : {Parent::Window, Parent::Frame1, Parent::EquationRow}) {
    QWidget* on = parent == Parent::Window   ? &window
                  : parent == Parent::Frame1 ? qobject_cast<QWidget*>(controls.value("Frame1"))
                                             : equationRow;
    const std::vector<const ControlRow*> rows = form::FrontToBack(parent);
    for (auto row = rows.rbegin(); row != rows.rend(); ++row) {
      QWidget* widget = createWidget(**row, on);
      widget->setObjectName(QString::fromLatin1((*row)->name));
      if ((*row)->kind != ControlKind::Label) {  // a label places itself, in twips
        widget->setGeometry(
            twips::toPixelRect((*row)->left, (*row)->top, (*row)->width, (*row)->height));
      }
      if ((*row)->kind == ControlKind::Button || (*row)->kind == ControlKind::TextBox) {
        const bool ownCaption = (*row)->kind == ControlKind::Button;
        widget->setFont(designfonts::fontFor((*row)->font, ownCaption
                                                               ? designfonts::Fallback::None
                                                               : designfonts::Fallback::Search));
        focusable.push_back(*row);
      } else {
        widget->setFocusPolicy(Qt::NoFocus);
      }
      if ((*row)->flags & form::kHidden) widget->hide();
      if ((*row)->flags & form::kDisabled) widget->setEnabled(false);
      controls.insert(widget->objectName(), widget);
    }
  }

  std::sort(focusable.begin(), focusable.end(),
            [](const ControlRow* a, const ControlRow* b) { return a->tabIndex < b->tabIndex; });
  for (std::size_t i = 1; i < focusable.size(); ++i) {
    QWidget::setTabOrder(qobject_cast<QWidget*>(controls.value(focusable[i - 1]->name)),
                         qobject_cast<QWidget*>(controls.value(focusable[i]->name)));
  }
  return controls;
}
