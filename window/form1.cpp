#include "window/form1.h"

#include <QCommonStyle>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>

#include "window/accessible_names.h"
#include "window/control_factory.h"
#include "window/control_table.h"
#include "window/equation_area.h"
#include "window/second_timer.h"
#include "window/twip_label.h"
#include "window/twips.h"
#include "window/window_icon.h"

namespace {

QString qtext(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string decimalSeparator() { return QLocale().decimalPoint().toStdString(); }

}  // namespace

Form1::Form1(std::unique_ptr<drill::RandomSource> random, QWidget* parent)
    : QWidget(parent),
      random_(std::move(random)),
      controls_(CreateControls(*this)),
      equationRow_(*this),
      drill_(*this, *random_, decimalSeparator()) {
  setObjectName("Form1");
  setWindowTitle(QStringLiteral("Корни квадратного уравнения — устный счёт"));
  setWindowIcon(WindowIcon());
  setFixedSize(twips::toPixels(kClientWidthTwips), twips::toPixels(kClientHeightTwips));
  // Every colour the window leaves to the platform (the text of buttons, boxes and labels, the
  // buttons' edges, selection, focus) is the classic light desktop's, whatever the pupil's theme:
  // all the faces are light, and a dark theme's light text would vanish on them.
  QPalette colours = QCommonStyle().standardPalette();
  colours.setColor(QPalette::Window, QColor::fromRgba(kWindowBack));
  setPalette(colours);
  setAutoFillBackground(true);

  connectEvents();
  // The load: the run is set up before the window is first shown.
  drill_.InitRun();
  accessiblenames::NameFixedControls(*this);
  // Until Start the row shows its design captions "+p" and "+q".
  find<QWidget>("EquationArea")
      ->setAccessibleName(QStringLiteral("x в квадрате плюс p x плюс q равно нулю"));
}

Form1::~Form1() = default;

SecondTimer& Form1::timer1() const { return *find<SecondTimer>("Timer1"); }

void Form1::connectEvents() {
  connect(find<QPushButton>("Command2"), &QPushButton::clicked, this, &Form1::StartRun);
  connect(find<QPushButton>("Command1"), &QPushButton::clicked, this, &Form1::check);
  connect(find<QPushButton>("Command3"), &QPushButton::clicked, this,
          [this] { drill_.NextTask(); });
  connect(find<QLineEdit>("Text4"), &QLineEdit::textChanged, this, &Form1::showCheckRule);
  connect(find<QLineEdit>("Text5"), &QLineEdit::textChanged, this, &Form1::showCheckRule);
  connect(find<SecondTimer>("Timer1"), &SecondTimer::tick, this, [this] { drill_.TickSecond(); });
}

void Form1::StartRun() {
  SetEnabled("Text4", true);
  SetEnabled("Text5", true);
  SetText("Text5", "");
  SetText("Text4", "");
  SetEnabled("Timer1", true);
  drill_.NewTask();
  SetVisible("Command2", false);  // a run has exactly one start
}

void Form1::check() {
  drill_.CheckAnswer();
  // Check has just hidden itself. Keep the pupil's hands on the keyboard: after a correct
  // answer the focus waits on Next, after a wrong one in the first answer box.
  if (auto* next = find<QWidget>("Command3"); !next->isHidden()) {
    next->setFocus(Qt::OtherFocusReason);
  } else if (auto* first = find<QWidget>("Text4"); first->isEnabled()) {
    first->setFocus(Qt::OtherFocusReason);
  }
}

void Form1::keyPressEvent(QKeyEvent* event) {
  // Return reaches the window from the answer boxes and the buttons, which leave it alone
  // outside a dialog. A held key does not race through the tasks.
  if (event->key() != Qt::Key_Return && event->key() != Qt::Key_Enter) {
    QWidget::keyPressEvent(event);
    return;
  }
  if (!event->isAutoRepeat()) pressEnter();
  event->accept();
}

void Form1::pressEnter() {
  auto* first = find<QLineEdit>("Text4");
  auto* second = find<QLineEdit>("Text5");
  if (focusWidget() == first && second->isEnabled() && second->text().isEmpty()) {
    second->setFocus(Qt::TabFocusReason);
    return;
  }
  // At most one of the three buttons is visible at any time: Return presses it.
  for (const char* name : {"Command2", "Command1", "Command3"}) {
    if (auto* button = find<QPushButton>(name); !button->isHidden()) {
      button->click();
      return;
    }
  }
}

void Form1::showCheckRule() {
  if (!find<QLineEdit>("Text4")->text().isEmpty() && !find<QLineEdit>("Text5")->text().isEmpty()) {
    SetVisible("Command1", true);
  }
}

template <typename Control>
Control* Form1::find(std::string_view name) const {
  return qobject_cast<Control*>(controls_.value(qtext(name)));
}

void Form1::SetCaption(std::string_view control, std::string_view text) {
  auto* label = find<TwipLabel>(control);
  if (!label) return;
  label->setCaption(qtext(text));
  if (control == "Label12" && !text.empty()) accessiblenames::AnnounceVerdict(*label);
  accessiblenames::Refresh(*this, control);
}

void Form1::SetText(std::string_view control, std::string_view text) {
  if (auto* box = find<QLineEdit>(control)) box->setText(qtext(text));
}

std::string Form1::GetText(std::string_view control) {
  const auto* box = find<QLineEdit>(control);
  return box ? box->text().toStdString() : std::string();
}

void Form1::SetVisible(std::string_view control, bool shown) {
  auto* widget = find<QWidget>(control);
  if (!widget) return;
  widget->setVisible(shown);
  // Qt moves the focus off a control it hides only when another control can take it, and keys
  // still reach a hidden button: after the last task Space would press Check again and count the
  // solved task once more. A hidden control never keeps the focus; the window takes it.
  if (!shown && focusWidget() == widget) setFocus(Qt::OtherFocusReason);
  accessiblenames::Refresh(*this, control);
}

void Form1::SetEnabled(std::string_view control, bool enabled) {
  if (auto* timer = find<SecondTimer>(control)) {
    timer->setEnabled(enabled);
  } else if (auto* widget = find<QWidget>(control)) {
    widget->setEnabled(enabled);
  }
}

void Form1::SetFocus(std::string_view control) {
  if (auto* widget = find<QWidget>(control)) widget->setFocus(Qt::OtherFocusReason);
}

void Form1::SetupEquationFonts() { equationRow_.SetupEquationFonts(); }

void Form1::ShowEquation(std::int16_t p, std::int16_t q) {
  equationRow_.ShowEquation(p, q);
  find<QWidget>("EquationArea")->setAccessibleName(SpokenEquation(p, q));
}
