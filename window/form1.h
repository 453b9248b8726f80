// The main window: the drill's only window and the only way in.
//
// Form1 creates its 39 controls from the design table (form/control_table.cpp), each named as
// designed, so the engine and the tests find them by name. It owns the drill engine by value and
// implements the engine's WindowPort on those controls; the equation operations go to
// form::EquationRow, which arranges the seven TwipLabels of the row. A click travels like this:
// Check's clicked signal calls Form1::check, which calls Drill::CheckAnswer; the engine reads the
// answer boxes through GetText, judges, and writes verdict, counters and button states back
// through SetCaption, SetText and SetVisible; check then puts the focus where the next key
// belongs, and control returns to Qt's event loop. The window itself handles Start, the answer
// boxes' show-Check rule (form/window_events.h), Return and the focus, and keeps a held key or a
// double click from pressing Next (form/keyboard_rules.h); Ctrl+A and a box entered by Tab
// follow the answer boxes' rules (form/answer_box.h), and TextBox takes pastes by them. The news
// of each step (form/news.h) goes to a screen reader through Announcement before the focus moves,
// so the pupil hears the equation or the verdict and then where the focus went.
#pragma once

#include <QHash>
#include <QWidget>
#include <memory>

#include "drill/drill.h"
#include "form/answer_box.h"
#include "form/equation_row.h"
#include "form/keyboard_rules.h"
#include "form/news.h"

class Announcement;
class QFocusEvent;
class QKeyEvent;
class QLineEdit;
class SecondTimer;

class Form1 : public QWidget, public drill::WindowPort {
  Q_OBJECT

 public:
  // Creates the window and loads it (InitRun), ready to be shown.
  explicit Form1(std::unique_ptr<drill::RandomSource> random = drill::MakeSystemRandomSource(),
                 QWidget* parent = nullptr);
  ~Form1() override;

  void SetCaption(std::string_view control, std::string_view text) override;
  void SetText(std::string_view control, std::string_view text) override;
  std::string GetText(std::string_view control) override;
  void SetVisible(std::string_view control, bool shown) override;
  void SetEnabled(std::string_view control, bool enabled) override;
  void SetFocus(std::string_view control) override;
  void SetupEquationFonts() override;
  void ShowEquation(std::int16_t p, std::int16_t q) override;

  // Read-only, for tests and tools that compare the screen with the run.
  const drill::DrillState& drillState() const { return drill_.state; }
  const form::EquationRow& equationRow() const { return equationRow_; }
  SecondTimer& timer1() const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void connectEvents();
  void watchKeysAndNext();
  void StartRun();
  void check();
  void showCheckRule();
  bool keyPressed(const QObject* watched, const QKeyEvent& key);
  static form::BoxKeyAction boxKeyDoes(const QKeyEvent& key);
  void enteredBox(const QObject* watched, const QFocusEvent& focus);
  void leftBox(const QObject* watched);
  QLineEdit* answerBox(const QObject* watched) const;
  void pressReturn();
  bool nextTakesPress() const;
  void tellNews();
  template <typename Control>
  Control* find(std::string_view name) const;

  std::unique_ptr<drill::RandomSource> random_;
  QHash<QString, QObject*> controls_;
  form::EquationRow equationRow_;
  drill::Drill drill_;
  form::HeldKeys heldKeys_;
  form::NextGuard nextGuard_;
  form::News news_;
  Announcement* announcement_;
};
