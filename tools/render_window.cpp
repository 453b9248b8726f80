// Renders the main window to a PNG without a display, in a chosen phase of a task:
//   render-window waiting|answering|wrong|solved out.png
// Run with QT_QPA_PLATFORM=offscreen (and QT_SCALE_FACTOR for another scale). The equation is
// always x²-9x+14=0 (roots 2 and 7), so pictures can be compared from one run to the next.
#include <QApplication>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <cstdio>
#include <cstring>
#include <memory>

#include "window/form1.h"
#include "window/second_timer.h"

namespace {

// Draws roots 2 and 7 for the first task, and the first row of the sign table.
class FixedDraws : public drill::RandomSource {
 public:
  void Seed(float) override {}
  float Next() override {
    static constexpr float kDraws[] = {0.48f, 0.15f, 0.75f};  // row 12 (2143); roots 2 and 7
    return kDraws[next_++ % 3];
  }

 private:
  int next_ = 0;
};

void click(Form1& window, const char* button) { window.findChild<QPushButton*>(button)->click(); }

void type(Form1& window, const char* box, const char* text) {
  window.findChild<QLineEdit*>(box)->setText(QString::fromUtf8(text));
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s waiting|answering|wrong|solved out.png\n", argv[0]);
    return 2;
  }
  const char* phase = argv[1];
  Form1 window(std::make_unique<FixedDraws>());
  window.show();

  if (std::strcmp(phase, "waiting") != 0) {
    click(window, "Command2");
    for (int second = 0; second < 83; ++second) emit window.timer1().tick();
    if (std::strcmp(phase, "answering") == 0) {
      type(window, "Text4", "2");
    } else if (std::strcmp(phase, "wrong") == 0) {
      type(window, "Text4", "-2");
      type(window, "Text5", "7");
      click(window, "Command1");
    } else {
      type(window, "Text4", "7");
      type(window, "Text5", "2");
      click(window, "Command1");
    }
  }
  QApplication::processEvents();
  if (!window.grab().save(QString::fromLocal8Bit(argv[2]))) {
    std::fprintf(stderr, "could not write %s\n", argv[2]);
    return 1;
  }
  return 0;
}
