// A shown main window on a scripted random source, with helpers to act as the pupil does.
#pragma once

#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <memory>

#include "scripted_random.h"
#include "window/form1.h"
#include "window/second_timer.h"
#include "window/twip_label.h"

class WindowTest : public testing::Test {
 protected:
  // The sign-table row drawn at load; row 12 is 2143, so tasks 1 to 4 take the sign patterns
  // 1 (both roots positive), 4 (both negative), 3 (second negative), 2 (first negative).
  static constexpr int kRow2143 = 12;

  void SetUp() override { Load(kRow2143); }

  // Creates and shows the window; the load draws the given sign-table row.
  void Load(int permRow) {
    auto random = std::make_unique<ScriptedRandom>();
    random->ScriptRow(permRow);
    random_ = random.get();
    window_ = std::make_unique<Form1>(std::move(random));
    window_->show();
  }

  QPushButton* button(const char* name) { return window_->findChild<QPushButton*>(name); }
  QLineEdit* box(const char* name) { return window_->findChild<QLineEdit*>(name); }
  TwipLabel* label(const char* name) { return window_->findChild<TwipLabel*>(name); }
  QString caption(const char* name) { return label(name)->text(); }
  bool timerRunning() { return window_->timer1().isEnabled(); }

  // Scripts the roots of the next equation (before ordering and signs) and presses Start.
  void Start(int first, int second) {
    random_->ScriptRoots(first, second);
    QTest::mouseClick(button("Command2"), Qt::LeftButton);
  }
  // After every fourth task Next draws a new sign-table row first; it is row 12 again.
  void Next(int first, int second) {
    if (window_->drillState().TaskNo % 4 == 0) random_->ScriptRow(kRow2143);
    random_->ScriptRoots(first, second);
    QTest::mouseClick(button("Command3"), Qt::LeftButton);
  }
  // Types into the answer boxes as a pupil would, key by key, then presses Check.
  void Answer(const char* first, const char* second) {
    box("Text4")->clear();
    box("Text5")->clear();
    QTest::keyClicks(box("Text4"), first);
    QTest::keyClicks(box("Text5"), second);
    QTest::mouseClick(button("Command1"), Qt::LeftButton);
  }

  ScriptedRandom* random_ = nullptr;
  std::unique_ptr<Form1> window_;
};
