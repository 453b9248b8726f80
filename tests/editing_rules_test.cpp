// The answer boxes' editing rules in the Qt window: every sequence of editing_sequences.h played
// with real key events and the clipboard, as a pupil's keyboard would.
#include <QClipboard>
#include <QGuiApplication>

#include "editing_sequences.h"
#include "window_fixture.h"

namespace {

class EditingRules : public WindowTest {
 protected:
  QWidget* focus() { return QApplication::focusWidget(); }

  // A character at a time, with the text a keyboard layout gives it (QTest's own typing knows
  // only Latin-1).
  void typeText(const std::string& utf8) {
    const QString text = QString::fromStdString(utf8);
    for (int i = 0; i < text.size(); ++i) {
      const int length = text.at(i).isHighSurrogate() ? 2 : 1;
      const QString character = text.mid(i, length);
      QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, character);
      QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, character);
      QApplication::sendEvent(focus(), &press);
      QApplication::sendEvent(focus(), &release);
      i += length - 1;
    }
  }

  void press(EditKey key) {
    switch (key) {
      case EditKey::Return:
        return QTest::keyClick(focus(), Qt::Key_Return);
      case EditKey::Tab:
        return QTest::keyClick(focus(), Qt::Key_Tab);
      case EditKey::ShiftTab:
        return QTest::keyClick(focus(), Qt::Key_Backtab, Qt::ShiftModifier);
      case EditKey::CtrlA:
        return QTest::keyClick(focus(), Qt::Key_A, Qt::ControlModifier);
      case EditKey::Backspace:
        return QTest::keyClick(focus(), Qt::Key_Backspace);
    }
  }

  void play(const EditingSequence& sequence) {
    Load(sequence.permRow);
    window_->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
    random_->ScriptRoots(sequence.first, sequence.second);
    QTest::keyClick(focus(), Qt::Key_Return);  // Start
    for (const EditStep& step : sequence.steps) {
      switch (step.kind) {
        case EditStep::Type:
          typeText(step.text);
          break;
        case EditStep::Paste:
          QGuiApplication::clipboard()->setText(QString::fromStdString(step.text));
          QTest::keyClick(focus(), Qt::Key_V, Qt::ControlModifier);
          break;
        case EditStep::Key:
          press(step.key);
          break;
      }
    }
  }
};

TEST_F(EditingRules, EverySequenceLeavesTheBoxesVerdictAndCountersItMust) {
  for (const EditingSequence& sequence : EditingSequences()) {
    SCOPED_TRACE(sequence.rule);
    play(sequence);
    EXPECT_EQ(box("Text4")->text().toStdString(), sequence.text4);
    EXPECT_EQ(box("Text5")->text().toStdString(), sequence.text5);
    EXPECT_EQ(caption("Label12").toStdString(), sequence.verdict);
    EXPECT_EQ(box("Text3")->text().toStdString(), sequence.wrongAttempts);
  }
}

}  // namespace
