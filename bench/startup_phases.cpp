// Where the start-up of roots-drill goes, phase by phase, beside the empty window.
//
//   startup_phases [--bare [--bare-label] [--bare-icon]] [--app-font]
//                  [--fonts-first] [--a11y-first] [--icon-first] [--text-first]
//
// Runs the start-up of app/main.cpp (or, with --bare, that of bare_window) and prints, for each
// phase, the milliseconds since main() was entered and the resident set after it (VmRSS, and
// VmHWM at the end); it quits once the first frame of the window has been painted. The program's
// code is not touched: to see what a piece of work inside the window's constructor costs, an
// option does that work first, as a phase of its own, so the constructor no longer pays for it:
//   --fonts-first  QFontDatabase::families(): fontconfig loads its configuration and lists fonts
//   --a11y-first   QAccessible::isActive(): the platform's accessibility bridge is created
//   --icon-first   the window icon is painted
//   --text-first   one line of text in one of the window's fonts is drawn into an image
// Other options add one thing to the empty window, or try a change before it is made:
//   --bare-label   one label with a caption in one of the window's fonts
//   --bare-icon    the window icon of roots-drill
//   --app-font     the window's small default font (MS Sans Serif 8.25, or its stand-in)
//                  becomes the application font before any widget exists
// Run it under startup_probe to add the time before main() (the probe's figure minus ours).
#include <QAccessible>
#include <QApplication>
#include <QEvent>
#include <QFontDatabase>
#include <QIcon>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <memory>
#include <string>

#include "window/design_fonts.h"
#include "window/form1.h"
#include "window/window_icon.h"

namespace {

using Clock = std::chrono::steady_clock;
const Clock::time_point mainEntered = Clock::now();  // set before main() runs; close enough

// The value of a "Name:   123 kB" line of /proc/self/status, in KiB.
long statusKb(const char* name) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const std::size_t length = std::strlen(name);
  while (std::getline(status, line)) {
    if (line.compare(0, length, name) == 0 && line.size() > length && line[length] == ':') {
      return std::stol(line.substr(length + 1));
    }
  }
  return -1;
}

Clock::time_point last = mainEntered;

void phase(const char* name) {
  const Clock::time_point now = Clock::now();
  std::printf("%-40s %8.2f ms  (+%7.2f)  rss %6.1f MiB\n", name,
              std::chrono::duration<double, std::milli>(now - mainEntered).count(),
              std::chrono::duration<double, std::milli>(now - last).count(),
              statusKb("VmRSS") / 1024.0);
  std::fflush(stdout);
  last = Clock::now();  // the printing is not charged to the next phase
}

// Marks the first expose of the window and the first paint of the window widget, then the end
// of that first frame, and quits.
class FirstFrame : public QObject {
 public:
  explicit FirstFrame(QWidget& window) : window_(window) {}

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::Expose && !exposed_ && watched == window_.windowHandle()) {
      exposed_ = true;
      phase("first expose reaches the window");
    } else if (event->type() == QEvent::Paint && !painted_ && watched == &window_) {
      painted_ = true;
      phase("first paint of the window begins");
      // Runs once the frame has been painted and flushed to the display.
      QTimer::singleShot(0, [] {
        phase("first frame painted and flushed");
        QCoreApplication::quit();
      });
    }
    return false;
  }

 private:
  QWidget& window_;
  bool exposed_ = false;
  bool painted_ = false;
};

}  // namespace

int main(int argc, char* argv[]) {
  bool bare = false, fontsFirst = false, a11yFirst = false, iconFirst = false, textFirst = false;
  bool bareLabel = false, bareIcon = false, appFont = false;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--bare") {
      bare = true;
    } else if (arg == "--fonts-first") {
      fontsFirst = true;
    } else if (arg == "--a11y-first") {
      a11yFirst = true;
    } else if (arg == "--icon-first") {
      iconFirst = true;
    } else if (arg == "--text-first") {
      textFirst = true;
    } else if (arg == "--bare-label") {
      bareLabel = true;
    } else if (arg == "--bare-icon") {
      bareIcon = true;
    } else if (arg == "--app-font") {
      appFont = true;
    } else {
      std::fprintf(stderr,
                   "usage: startup_phases [--bare [--bare-label] [--bare-icon]] "
                   "[--app-font] "
                   "[--fonts-first] [--a11y-first] [--icon-first] [--text-first]\n");
      return 2;
    }
  }
  phase("main() entered");
  QApplication application(argc, argv);
  phase("QApplication constructed");

  if (appFont) {
    designfonts::installSubstitutes();
    QApplication::setFont(
        designfonts::fontFor({"MS Sans Serif", 8.25f, 400}, designfonts::Fallback::None));
    phase("application font set");
  }
  if (fontsFirst) {
    const int families = static_cast<int>(QFontDatabase::families().size());
    phase(qPrintable(QStringLiteral("font database (%1 families)").arg(families)));
  }
  if (a11yFirst) {
    const bool active = QAccessible::isActive();
    phase(active ? "accessibility bridge (active)" : "accessibility bridge (inactive)");
  }
  if (iconFirst) {
    const QPixmap pixmap = WindowIcon().pixmap(64);
    phase(pixmap.isNull() ? "window icon (empty)" : "window icon painted");
  }
  if (textFirst) {
    QImage image(200, 40, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::white);
    QPainter painter(&image);
    QFont font(QStringLiteral("Arial"));
    font.setPixelSize(21);
    painter.setFont(font);
    painter.drawText(image.rect(), QStringLiteral("Проверить 0123456789"));
    painter.end();
    phase("a line of text drawn");
  }

  std::unique_ptr<QWidget> window;
  if (bare) {
    window = std::make_unique<QWidget>();
    window->setFixedSize(792, 568);
    if (bareLabel) {
      designfonts::installSubstitutes();
      auto* label = new QLabel(QStringLiteral("Проверка"), window.get());
      label->setFont(designfonts::fontFor({"Arial", 14.25f, 700}, designfonts::Fallback::None));
      label->setGeometry(672, 432, 105, 37);
    }
    if (bareIcon) window->setWindowIcon(WindowIcon());
    phase(bareLabel || bareIcon ? "QWidget with a label/icon constructed"
                                : "empty QWidget constructed");
  } else {
    window = std::make_unique<Form1>();
    phase("Form1 constructed");
  }
  FirstFrame firstFrame(*window);
  application.installEventFilter(&firstFrame);
  window->show();
  window->activateWindow();
  phase("show() and activateWindow()");
  application.exec();
  std::printf("peak resident set (VmHWM) %.1f MiB\n", statusKb("VmHWM") / 1024.0);
  return 0;
}
