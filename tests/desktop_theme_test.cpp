// The window on the pupil's own desktop: legible whatever the theme, and Russian to the last menu.
#include <QClipboard>
#include <QContextMenuEvent>
#include <QImage>
#include <QMenu>
#include <QRegularExpression>
#include <QTimer>
#include <cmath>
#include <map>

#include "form/control_table.h"
#include "window/qt_russian.h"
#include "window_fixture.h"

namespace {

// WCAG's relative luminance and contrast ratio.
double luminance(QRgb colour) {
  const auto channel = [](int value) {
    const double c = value / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(qRed(colour)) + 0.7152 * channel(qGreen(colour)) +
         0.0722 * channel(qBlue(colour));
}

double contrast(QRgb a, QRgb b) {
  const double la = luminance(a);
  const double lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The face is the commonest colour of the area; the text's strongest pixel is the one that
// stands out most from it (anti-aliased edges only ever fall short of the text colour).
struct Legibility {
  QRgb face = 0;
  double contrast = 0;
};

Legibility measure(const QImage& shot, const QRect& area) {
  std::map<QRgb, int> counts;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) ++counts[shot.pixel(x, y) | 0xFF000000];
  }
  Legibility result;
  int most = 0;
  for (const auto& [colour, count] : counts) {
    if (count > most) std::tie(result.face, most) = std::tie(colour, count);
  }
  for (const auto& [colour, count] : counts) {
    result.contrast = std::max(result.contrast, contrast(colour, result.face));
  }
  return result;
}

QPalette darkDesktop() {
  QPalette dark(QColor(0xEE, 0xEE, 0xEE), QColor(0x35, 0x35, 0x35));  // light text, dark grey
  dark.setColor(QPalette::Base, QColor(0x24, 0x24, 0x24));
  dark.setColor(QPalette::Text, QColor(0xF0, 0xF0, 0xF0));
  dark.setColor(QPalette::ButtonText, QColor(0xF0, 0xF0, 0xF0));
  dark.setColor(QPalette::Disabled, QPalette::Text, QColor(0xB0, 0xB0, 0xB0));
  dark.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0xB0, 0xB0, 0xB0));
  dark.setColor(QPalette::Disabled, QPalette::WindowText, QColor(0xB0, 0xB0, 0xB0));
  return dark;
}

QPalette highContrastDesktop() {
  QPalette contrasting(Qt::yellow, Qt::black);  // yellow on black, white boxes on black
  contrasting.setColor(QPalette::Base, Qt::black);
  contrasting.setColor(QPalette::Text, Qt::white);
  contrasting.setColor(QPalette::ButtonText, Qt::white);
  contrasting.setColor(QPalette::Highlight, Qt::cyan);
  contrasting.setColor(QPalette::Disabled, QPalette::Text, QColor(0x00, 0xFF, 0x00));
  contrasting.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(0x00, 0xFF, 0x00));
  return contrasting;
}

// The desktop's palette is installed before the window is created, as a theme would be.
class ThemedDesktop : public WindowTest {
 protected:
  void SetUp() override { savedPalette_ = QApplication::palette(); }
  void TearDown() override { QApplication::setPalette(savedPalette_); }
  void LoadUnder(const QPalette& theme) {
    QApplication::setPalette(theme);
    Load(kRow2143);
  }

  // Every text the window leaves in the platform's colours, and the counters, in this phase.
  void ExpectLegible(const char* phase, std::initializer_list<const char*> controls) {
    QApplication::processEvents();
    const QImage shot = window_->grab().toImage();
    for (const char* name : controls) {
      SCOPED_TRACE(std::string(phase) + ", " + name);
      const auto* control = window_->findChild<QWidget*>(name);
      ASSERT_TRUE(control->isVisible());
      // Inside the borders and the focus frame, where only the face and the text are.
      const int inset = qobject_cast<const QPushButton*>(control) ? 6 : 3;
      const QRect area(control->mapTo(window_.get(), QPoint(inset, inset)),
                       control->size() - QSize(2 * inset, 2 * inset));
      const Legibility measured = measure(shot, area);
      EXPECT_EQ(measured.face, designBack(name)) << "the face keeps its design colour";
      EXPECT_GE(measured.contrast, 4.5);
    }
  }

  static QRgb designBack(const char* name) { return 0xFF000000 | form::FindControl(name)->back; }

  QPalette savedPalette_;
};

TEST_F(ThemedDesktop, EveryCaptionAndTypedRootStaysLegibleUnderDarkAndHighContrastThemes) {
  const struct {
    const char* name;
    QPalette theme;
  } themes[] = {{"dark", darkDesktop()}, {"high contrast", highContrastDesktop()}};
  for (const auto& desktop : themes) {
    SCOPED_TRACE(desktop.name);
    LoadUnder(desktop.theme);
    ExpectLegible("waiting", {"Command2", "Label1", "Label2", "Label3", "Text1", "Text2", "Text3"});

    Start(2, 7);
    QTest::keyClicks(box("Text4"), "-2");
    QTest::keyClicks(box("Text5"), "7");
    ExpectLegible("answering", {"Text4", "Text5", "Command1"});

    QTest::mouseClick(button("Command1"), Qt::LeftButton);
    QTest::keyClicks(box("Text4"), "7");
    QTest::keyClicks(box("Text5"), "2");
    ExpectLegible("after a wrong answer", {"Text4", "Text5", "Command1", "Text3"});

    QTest::mouseClick(button("Command1"), Qt::LeftButton);
    ExpectLegible("solved", {"Text4", "Text5", "Command3", "Text1", "Text2"});
  }
}

// Qt's words in the answer boxes' edit menu, pulled up with the right mouse button; with `choose`,
// the item of those words is chosen.
QStringList editMenuOf(QLineEdit* box, const QString& choose = {}) {
  QStringList words;
  // The menu runs its own loop: read it from there, then close it.
  QTimer::singleShot(50, [&] {
    if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
      for (QAction* action : menu->actions()) {
        // "&Копировать\tCtrl+C": the words without the accelerator and the shortcut.
        if (action->isSeparator()) continue;
        words << action->text().section('\t', 0, 0).remove('&');
        if (words.back() == choose) action->trigger();
      }
      menu->close();
    }
  });
  QContextMenuEvent rightClick(QContextMenuEvent::Mouse, QPoint(5, 5),
                               box->mapToGlobal(QPoint(5, 5)));
  QApplication::sendEvent(box, &rightClick);
  QTest::qWait(100);
  return words;
}

using AnswerBoxMenu = WindowTest;

TEST_F(AnswerBoxMenu, SpeaksRussianWithQtsTranslationAndIsAbsentWithout) {
  Start(2, 7);
  {
    const QtRussian qtWords;
    ASSERT_TRUE(qtWords.found()) << "Qt's Russian translation (qt6-translations-l10n) is missing";
    const QStringList words = editMenuOf(box("Text4"));
    for (const char* expected : {"Вырезать", "Копировать", "Вставить"}) {
      EXPECT_TRUE(words.contains(QString::fromUtf8(expected))) << expected;
    }
    for (const QString& word : words) {
      EXPECT_FALSE(word.contains(QRegularExpression("[A-Za-z]"))) << word.toStdString();
    }
  }
  EXPECT_TRUE(editMenuOf(box("Text5")).isEmpty()) << "an English menu opened";
}

// The menu's Paste takes a spreadsheet cell as Ctrl+V does: one line.
TEST_F(AnswerBoxMenu, PastesAsOneLine) {
  Start(2, 7);
  const QtRussian qtWords;
  QGuiApplication::clipboard()->setText(QStringLiteral("7\r\n"));
  editMenuOf(box("Text4"), QStringLiteral("Вставить"));
  EXPECT_EQ(box("Text4")->text(), QStringLiteral("7  "));
}

}  // namespace
