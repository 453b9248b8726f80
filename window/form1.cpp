#include "window/form1.h"

#include <QAccessible>
#include <QCommonStyle>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QLocale>
#include <QPushButton>
#include <QStyleHints>
#include <chrono>

#include "form/control_table.h"
#include "form/spoken.h"
#include "form/twips.h"
#include "form/window_events.h"
#include "window/accessible_names.h"
#include "window/announcement.h"
#include "window/control_factory.h"
#include "window/second_timer.h"
#include "window/twip_label.h"
#include "window/window_icon.h"

namespace {

QString qtext(std::string_view utf8) {
  return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string decimalSeparator() { return QLocale().decimalPoint().toStdString(); }

std::array<form::RowLabel*, 7> equationLabels(const QHash<QString, QObject*>& controls) {
  std::array<form::RowLabel*, 7> labels{};
  for (std::size_t i = 0; i < labels.size(); ++i) {
    labels[i] = qobject_cast<TwipLabel*>(controls.value(qtext(form::kEquationLabels[i])));
  }
  return labels;
}

}  // namespace

Form1::Form1(std::unique_ptr<drill::RandomSource> random, QWidget* parent)
    : QWidget(parent),
      random_(std::move(random)),
      controls_(CreateControls(*this)),
      equationRow_(equationLabels(controls_)),
      drill_(*this, *random_, decimalSeparator()),
      announcement_(new Announcement(this)) {
  setObjectName("Form1");
  setWindowTitle(QString::fromUtf8(form::kWindowTitle));
  setWindowIcon(WindowIcon());
  setFixedSize(form::ToPixels(form::kClientWidthTwips), form::ToPixels(form::kClientHeightTwips));
  // Every colour the window leaves to the platform (the text of buttons, boxes and labels, the
  // buttons' edges, selection, focus) is the classic light desktop's, whatever the pupil's theme:
  // all the faces are light, and a dark theme's light text would vanish on them.
  QPalette colours = QCommonStyle().standardPalette();
  colours.setColor(QPalette::Window, QColor::fromRgb(form::kWindowBack));
  setPalette(colours);
  setAutoFillBackground(true);

  connectEvents();
  watchKeysAndNext();
  // The load: the run is set up before the window is first shown.
  drill_.InitRun();
  accessiblenames::NameFixedControls(*this);
  // Until Start the row shows its design captions "+p" and "+q".
  find<QWidget>("EquationArea")->setAccessibleName(qtext(form::kSpokenEquationBeforeStart));
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

void Form1::StartRun() { form::StartRun(*this, drill_); }

void Form1::check() {
  drill_.CheckAnswer();
  tellNews();
  switch (form::WhereFocusGoesAfterCheck(!find<QWidget>("Command3")->isHidden(),
                                         find<QWidget>("Text4")->isEnabled())) {
    case form::FocusAfterCheck::Next:
      find<QWidget>("Command3")->setFocus(Qt::OtherFocusReason);
      break;
    case form::FocusAfterCheck::FirstBox:
      find<QWidget>("Text4")->setFocus(Qt::OtherFocusReason);
      break;
    case form::FocusAfterCheck::Nowhere:
      break;
  }
}

// Every key press and release of the window and of the controls that take the focus passes here
// first, and so do the clicks on Next.
void Form1::watchKeysAndNext() {
  installEventFilter(this);
  for (const char* name : {"Command1", "Command2", "Command3", "Text4", "Text5"}) {
    find<QWidget>(name)->installEventFilter(this);
  }
}

bool Form1::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
      return keyPressed(watched, *static_cast<QKeyEvent*>(event));
    case QEvent::KeyRelease: {
      const auto& key = *static_cast<QKeyEvent*>(event);
      heldKeys_.Release(key.key(), key.isAutoRepeat(), key.timestamp());
      return false;
    }
    case QEvent::WindowDeactivate:
      heldKeys_.Forget();
      return false;
    case QEvent::FocusIn:
      enteredBox(watched, static_cast<const QFocusEvent&>(*event));
      return false;
    case QEvent::FocusOut:
      leftBox(watched);
      return false;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
      return watched == find<QObject>("Command3") && !nextTakesPress();
    default:
      return false;
  }
}

// Return and Enter are the window's own, and only the pupil's own presses of them count. Space
// presses the focused button; Next takes only a press of the pupil's own, and in time.
bool Form1::keyPressed(const QObject* watched, const QKeyEvent& key) {
  if (auto* box = answerBox(watched); box && boxKeyDoes(key) == form::BoxKeyAction::SelectAll) {
    box->selectAll();
    return true;
  }
  const bool enter = key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter;
  if (!enter && key.key() != Qt::Key_Space) return false;
  const bool own = heldKeys_.Press(key.key(), key.isAutoRepeat(), key.timestamp());
  if (enter) {
    if (own) pressReturn();
    return true;
  }
  return watched == find<QObject>("Command3") && !(own && nextTakesPress());
}

form::BoxKeyAction Form1::boxKeyDoes(const QKeyEvent& key) {
  const int letter = key.key();
  const Qt::KeyboardModifiers held = key.modifiers();
  return form::WhatBoxKeyDoes({
      .latinLetter =
          letter >= Qt::Key_A && letter <= Qt::Key_Z ? char('A' + (letter - Qt::Key_A)) : char(0),
      // Qt calls the Command key of an Apple keyboard Control.
      .control = held.testFlag(Qt::ControlModifier),
      .alt = held.testFlag(Qt::AltModifier),
      .shift = held.testFlag(Qt::ShiftModifier),
  });
}

// Tab and Shift+Tab select what a box holds as they enter it; clicks and the program leave it be.
void Form1::enteredBox(const QObject* watched, const QFocusEvent& focus) {
  QLineEdit* box = answerBox(watched);
  if (!box) return;
  const auto cause = [&] {
    switch (focus.reason()) {
      case Qt::TabFocusReason:
      case Qt::BacktabFocusReason:
        return form::FocusCause::TabKey;
      case Qt::MouseFocusReason:
        return form::FocusCause::Click;
      default:
        return form::FocusCause::Program;
    }
  }();
  if (form::SelectsAllOnEntry(cause)) box->selectAll();
}

// A screen reader takes a caret that moves in the box with the focus for the pupil's own move,
// and then says nothing of the focus coming there. When the program empties the first box and
// puts the focus in it (after a wrong answer, after Next), its caret must already stand at the
// start: so a box the focus leaves has its caret put there, while a reader listens.
void Form1::leftBox(const QObject* watched) {
  if (QLineEdit* box = answerBox(watched); box && QAccessible::isActive())
    box->setCursorPosition(0);
}

QLineEdit* Form1::answerBox(const QObject* watched) const {
  for (const char* name : {"Text4", "Text5"}) {
    if (watched == find<QObject>(name)) return find<QLineEdit>(name);
  }
  return nullptr;
}

void Form1::pressReturn() {
  const auto* second = find<QLineEdit>("Text5");
  const form::ReturnContext where{
      .focusInFirstBox = focusWidget() == find<QWidget>("Text4"),
      .firstBoxEmpty = find<QLineEdit>("Text4")->text().isEmpty(),
      .secondBoxEnabled = second->isEnabled(),
      .secondBoxEmpty = second->text().isEmpty(),
      .startShown = !find<QWidget>("Command2")->isHidden(),
      .checkShown = !find<QWidget>("Command1")->isHidden(),
      .nextShown = !find<QWidget>("Command3")->isHidden(),
  };
  switch (form::WhatReturnDoes(where)) {
    case form::ReturnAction::MoveToSecondBox:
      find<QWidget>("Text5")->setFocus(Qt::TabFocusReason);
      break;
    case form::ReturnAction::PressStart:
      find<QPushButton>("Command2")->click();
      break;
    case form::ReturnAction::PressCheck:
      find<QPushButton>("Command1")->click();
      break;
    case form::ReturnAction::PressNext:
      if (nextTakesPress()) find<QPushButton>("Command3")->click();
      break;
    case form::ReturnAction::Nothing:
      break;
  }
}

bool Form1::nextTakesPress() const {
  const std::chrono::milliseconds doubleClick(
      QGuiApplication::styleHints()->mouseDoubleClickInterval());
  return nextGuard_.TakesPress(std::chrono::steady_clock::now(), doubleClick);
}

void Form1::showCheckRule() { form::ShowCheckRule(*this); }

// The news goes out before the focus moves (the engine's, the window's, or Qt's own when the
// control holding it goes), so the pupil hears what happened and then where the focus went.
void Form1::tellNews() { announcement_->Tell(QString::fromStdString(news_.Take())); }

template <typename Control>
Control* Form1::find(std::string_view name) const {
  return qobject_cast<Control*>(controls_.value(qtext(name)));
}

void Form1::SetCaption(std::string_view control, std::string_view text) {
  auto* label = find<TwipLabel>(control);
  if (!label) return;
  label->setCaption(qtext(text));
  news_.CaptionSet(control, text);
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
  news_.VisibilitySet(control, shown);
  if (!shown && focusWidget() == widget) tellNews();
  widget->setVisible(shown);
  if (shown && control == "Command3") nextGuard_.Appeared(std::chrono::steady_clock::now());
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
    if (!enabled && focusWidget() == widget) tellNews();
    widget->setEnabled(enabled);
  }
}

void Form1::SetFocus(std::string_view control) {
  tellNews();
  if (auto* widget = find<QWidget>(control)) widget->setFocus(Qt::OtherFocusReason);
}

void Form1::SetupEquationFonts() { equationRow_.SetupEquationFonts(); }

void Form1::ShowEquation(std::int16_t p, std::int16_t q) {
  equationRow_.ShowEquation(p, q);
  news_.EquationShown(p, q);
  find<QWidget>("EquationArea")->setAccessibleName(qtext(form::SpokenEquation(p, q)));
}
