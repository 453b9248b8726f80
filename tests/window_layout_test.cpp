// The window as the pupil first sees it, control by control.
#include <QFontInfo>
#include <QFrame>
#include <QImage>
#include <QSet>

#include "form/control_table.h"
#include "window/twips.h"
#include "window_fixture.h"

namespace {

using WindowAsFirstShown = WindowTest;

TEST_F(WindowAsFirstShown, HasEveryControlOfTheDesignByNameWithAFixedClientArea) {
  EXPECT_EQ(window_->size(), QSize(792, 568));
  EXPECT_EQ(window_->minimumSize(), window_->maximumSize());
  QSet<QString> names;
  for (const form::ControlRow& row : form::ControlTable()) names.insert(row.name);
  EXPECT_EQ(names.size(), 39);
  for (const QString& name : names) {
    EXPECT_NE(window_->findChild<QObject*>(name), nullptr) << name.toStdString();
  }
}

// Controls that never resize stand exactly on their design box, frame controls in the frame's
// coordinates.
TEST_F(WindowAsFirstShown, PlacesFixedControlsOnTheirDesignBoxes) {
  for (const form::ControlRow& row : form::ControlTable()) {
    if (row.kind == form::ControlKind::Timer || (row.flags & form::kSizesItself)) continue;
    SCOPED_TRACE(row.name);
    const auto* widget = window_->findChild<QWidget*>(row.name);
    EXPECT_EQ(widget->geometry(), twips::toPixelRect(row.left, row.top, row.width, row.height));
    EXPECT_EQ(widget->parentWidget()->objectName(),
              row.parent == form::Parent::Frame1 ? "Frame1" : "Form1");
  }
  EXPECT_EQ(box("Text1")->mapTo(window_.get(), QPoint(0, 0)), QPoint(2760 / 15, 7560 / 15));
}

TEST_F(WindowAsFirstShown, OffersOnlyStartWithCountersAtZeroAndTheStopwatchStanding) {
  EXPECT_TRUE(button("Command2")->isVisible());
  EXPECT_FALSE(button("Command1")->isVisible());
  EXPECT_FALSE(button("Command3")->isVisible());
  for (const char* answer : {"Text4", "Text5"}) {
    EXPECT_FALSE(box(answer)->isEnabled()) << answer;
    box(answer)->setFocus();
    EXPECT_FALSE(box(answer)->hasFocus()) << answer;
  }
  for (const char* counter : {"Text1", "Text2", "Text3"}) {
    EXPECT_EQ(box(counter)->text(), "0") << counter;
    EXPECT_FALSE(box(counter)->isEnabled()) << counter;
  }
  EXPECT_EQ(caption("Label6"), "0");
  EXPECT_EQ(caption("Label4"), "0");
  EXPECT_EQ(caption("Label12"), "");
  EXPECT_EQ(caption("Label14"), "00");
  EXPECT_FALSE(label("Label15")->isVisible());
  EXPECT_FALSE(label("Label16")->isVisible());
  EXPECT_EQ(caption("Label21"), "0");
  EXPECT_EQ(caption("Label19"), "00");
  EXPECT_FALSE(timerRunning());
}

// The window carries the drill's icon: x² on pink inside a dark red outline.
TEST_F(WindowAsFirstShown, CarriesTheDrillIcon) {
  const QImage icon = window_->windowIcon().pixmap(64, 64).toImage();
  ASSERT_EQ(icon.size(), QSize(64, 64));
  EXPECT_EQ(icon.pixel(3, 32), 0xFFC00000);   // the outline
  EXPECT_EQ(icon.pixel(8, 40), 0xFFFFC0FF);   // the pink face
  EXPECT_EQ(icon.pixel(23, 38), 0xFF0000FF);  // where the strokes of the x cross
  EXPECT_EQ(qAlpha(icon.pixel(0, 0)), 0);     // the rounded corner is transparent
}

// Tab reaches only what can take the focus: before Start that is the Start button alone.
TEST_F(WindowAsFirstShown, GivesTheFocusToStartOnly) {
  window_->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(window_.get()));
  EXPECT_EQ(QApplication::focusWidget(), button("Command2"));
  QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), button("Command2"));
}

// The row shows its design captions in the sizes set at load, each label resized about the
// point its alignment keeps: a right-aligned label its right edge, a centred one its centre.
TEST_F(WindowAsFirstShown, ShowsTheDesignEquationInTheLoadSizesAboutEachAlignmentPoint) {
  struct Expected {
    const char* name;
    const char* caption;
    float points;
    float keptPoint;  // right edge or centre, twips
    bool right;
  };
  const Expected rows[] = {
      {"Lblxx", "x", 54, 2880 + 855 / 2.0f, false}, {"LblSt2", "2", 32, 3720 + 495 / 2.0f, false},
      {"Lblb", "+p", 54, 4215 + 1680, true},        {"Lblx", "x", 54, 6000 + 855 / 2.0f, false},
      {"Lblc", "+q", 54, 6885 + 1680, true},        {"Lbl0", "=0", 54, 8640 + 1680 / 2.0f, false},
      {"Lbla", "", 54, 1935 + 840, true},
  };
  for (const Expected& row : rows) {
    SCOPED_TRACE(row.name);
    const TwipLabel* shown = label(row.name);
    EXPECT_EQ(shown->text(), row.caption);
    EXPECT_EQ(shown->FontPoints(), row.points);
    EXPECT_EQ(shown->font().pixelSize(), std::lround(row.points * 4 / 3));
    const float kept = row.right ? shown->LeftTwips() + shown->WidthTwips() : shown->centreTwips();
    EXPECT_FLOAT_EQ(kept, row.keptPoint);
    EXPECT_EQ(shown->topTwips(), 3600);
  }
  // Smaller than designed: 54 points instead of 69.75.
  EXPECT_LT(label("Lblb")->WidthTwips(), 1680);
}

TEST_F(WindowAsFirstShown, DrawsWithTheDesignFamiliesOrTheirStandIns) {
  const QFontInfo courier(label("Label8")->font());
  EXPECT_TRUE(courier.fixedPitch()) << courier.family().toStdString();
  EXPECT_TRUE(courier.family() == "Courier New" || courier.family() == "Liberation Mono")
      << courier.family().toStdString();
  const QFontInfo arial(button("Command2")->font());
  EXPECT_TRUE(arial.family() == "Arial" || arial.family() == "Liberation Sans")
      << arial.family().toStdString();
  const QFontInfo black(label("Label12")->font());
  EXPECT_GE(black.weight(), QFont::Black) << black.family().toStdString();
}

// Stacking: the subscript digits lie in front of their "x =" labels, buttons and boxes in front
// of every label.
TEST_F(WindowAsFirstShown, StacksEarlierDesignRowsInFront) {
  const QObjectList& order = window_->children();  // back to front
  const auto depth = [&](const char* name) {
    return order.indexOf(window_->findChild<QObject*>(name));
  };
  EXPECT_GT(depth("Label9"), depth("Label8"));
  EXPECT_GT(depth("Label10"), depth("Label11"));
  EXPECT_GT(depth("Label4"), depth("Shape1"));
  EXPECT_GT(depth("Text4"), depth("Label7"));
  EXPECT_GT(depth("Command2"), depth("Label12"));
  // The subscript 1 is visible in the blank of "x =", in its own colour.
  const QImage shot = window_->grab().toImage();
  int blue = 0;
  const QRect digit = label("Label9")->geometry();
  for (int x = digit.left(); x <= digit.right(); ++x) {
    for (int y = digit.top(); y <= digit.bottom(); ++y) blue += shot.pixel(x, y) == 0xFF0000FF;
  }
  EXPECT_GT(blue, 20);
}

// Faces and borders as designed: a flat button face, the 5-pixel outline of the grade, the
// counters' numbers black on pale green although the boxes are disabled.
TEST_F(WindowAsFirstShown, PaintsButtonFacesOutlineAndCountersInTheirColours) {
  const QImage start = button("Command2")->grab().toImage();
  for (const QPoint inside : {QPoint(4, 4), QPoint(start.width() - 5, start.height() - 5),
                              QPoint(start.width() / 2, 4)}) {
    EXPECT_EQ(start.pixel(inside), 0xFF80FFFF) << inside.x() << "," << inside.y();
  }

  const QImage shot = window_->grab().toImage();
  const QRect shape = window_->findChild<QWidget*>("Shape1")->geometry();
  const int middle = shape.center().y();
  for (int x = shape.left(); x < shape.left() + 5; ++x)
    EXPECT_EQ(shot.pixel(x, middle), 0xFFC00000);
  EXPECT_EQ(shot.pixel(shape.left() + 6, middle), 0xFFFFC0FF);

  const QImage counter = box("Text1")->grab().toImage();
  int black = 0;
  for (int x = 3; x < counter.width() - 3; ++x) {  // inside the border, whose shadow is black
    for (int y = 3; y < counter.height() - 3; ++y) black += counter.pixel(x, y) == 0xFF000000;
  }
  EXPECT_GT(black, 10);
  EXPECT_EQ(counter.pixel(5, counter.height() / 2), 0xFFC0FFC0);
}

// The total minutes' box holds two digits; from 100 minutes on the caption is drawn smaller,
// every digit still shown, and back at full size when it fits again.
TEST_F(WindowAsFirstShown, KeepsTotalMinutesPastNinetyNineWholeInTheirBox) {
  TwipLabel* minutes = label("Label21");
  const QRect box = minutes->geometry();
  const int fullSize = minutes->font().pixelSize();
  for (const char* total : {"100", "1000", "32767"}) {
    SCOPED_TRACE(total);
    window_->SetCaption("Label21", total);
    EXPECT_EQ(minutes->text(), total);
    EXPECT_EQ(minutes->geometry(), box);
    EXPECT_LE(QFontMetrics(minutes->font()).horizontalAdvance(total), box.width());
    EXPECT_LT(minutes->font().pixelSize(), fullSize);
    EXPECT_GE(minutes->font().pixelSize(), 6);
  }
  window_->SetCaption("Label21", "99");
  EXPECT_EQ(minutes->font().pixelSize(), fullSize);
}

}  // namespace
