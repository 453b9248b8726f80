#include <QApplication>

#include "window/form1.h"
#include "window/qt_russian.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  const QtRussian qtWords;  // the answer boxes' edit menu
  // Ties the window to its menu entry, so Wayland desktops show the entry's name and icon.
  QGuiApplication::setDesktopFileName(QStringLiteral("io.github.rootsdrill.RootsDrill"));
  Form1 window;
  window.show();
  // Without a window manager (a bare X server) nothing activates a new window; keys would
  // not reach it until the pupil clicked it.
  window.activateWindow();
  return application.exec();
}
