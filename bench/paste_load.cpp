// What a pasted megabyte costs a running window: the pupil pastes a huge text into the first
// answer box, which keeps the focus, so its cursor goes on blinking over whatever the box holds.
//
//   paste_load [--megabytes N] [--seconds S] [--unlimited]
//
// Creates Form1 on the platform Qt chooses (run it on a real display or xvfb-run for figures a
// pupil would see), presses Start, pastes N MB (default 1) of digits through the clipboard into
// Text4 as Ctrl+V does, then lets the event loop run for S seconds (default 10). Prints how long
// the paste and the next key (BackSpace) took to show, how many characters the box kept, the
// process's CPU time over those seconds as a share of one core, and its peak resident memory.
// --unlimited pastes with Qt's own paste into a box without a length limit instead, as a box
// that took text of any length would.
#include <sys/resource.h>

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <chrono>
#include <climits>
#include <cstdio>
#include <cstring>
#include <ctime>

#include "window/form1.h"
#include "window/text_box.h"

namespace {

double cpuSeconds() {
  timespec now{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

long peakResidentKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  int megabytes = 1;
  int seconds = 10;
  bool unlimited = false;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--megabytes") == 0 && i + 1 < argc) {
      megabytes = std::atoi(argv[++i]);
    } else if (std::strcmp(argv[i], "--seconds") == 0 && i + 1 < argc) {
      seconds = std::atoi(argv[++i]);
    } else if (std::strcmp(argv[i], "--unlimited") == 0) {
      unlimited = true;
    } else {
      std::fprintf(stderr, "usage: %s [--megabytes N] [--seconds S] [--unlimited]\n", argv[0]);
      return 2;
    }
  }

  Form1 window;
  window.show();
  window.activateWindow();
  window.findChild<QPushButton*>("Command2")->click();
  auto* box = window.findChild<QLineEdit*>("Text4");
  QApplication::clipboard()->setText(QString(megabytes * 1024 * 1024, QChar('7')));
  box->setFocus();
  // The paste and the next key, each until the box has been painted.
  const auto pasteStart = std::chrono::steady_clock::now();
  if (unlimited) {
    box->setMaxLength(INT_MAX);
    box->paste();  // Qt's own paste, which takes the text whole
  } else {
    static_cast<TextBox*>(box)->pasteAsOneLine();  // what Ctrl+V does
  }
  box->repaint();
  const auto kept = static_cast<long long>(box->text().size());
  const auto keyStart = std::chrono::steady_clock::now();
  QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
  QApplication::sendEvent(box, &backspace);
  box->repaint();
  const auto keyEnd = std::chrono::steady_clock::now();
  using Ms = std::chrono::duration<double, std::milli>;
  std::printf("paste shown in %.1f ms, the next key answered in %.1f ms\n",
              Ms(keyStart - pasteStart).count(), Ms(keyEnd - keyStart).count());

  const double cpuBefore = cpuSeconds();
  const auto wallBefore = std::chrono::steady_clock::now();
  QTimer::singleShot(seconds * 1000, &application, &QApplication::quit);
  application.exec();
  const double wall =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - wallBefore).count();

  std::printf("pasted %d MB%s: the box kept %lld characters\n", megabytes,
              unlimited ? " into a box without a limit" : "", kept);
  std::printf("CPU over %.1f s after the paste: %.1f %% of one core\n", wall,
              100 * (cpuSeconds() - cpuBefore) / wall);
  std::printf("peak resident memory: %.1f MiB\n", peakResidentKiB() / 1024.0);
  return 0;
}
