// GoogleTest entry for the window tests: a QApplication must exist before any widget.
#include <gtest/gtest.h>

#include <QApplication>
#include <QStyleHints>

int main(int argc, char* argv[]) {
  // Headless unless told otherwise, also when CTest only lists the tests.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
#ifdef SCREEN_SCALE_FACTOR
  // The window as on a screen at another scale, which Qt takes from this variable.
  qputenv("QT_SCALE_FACTOR", SCREEN_SCALE_FACTOR);
#endif
  QApplication application(argc, argv);
  // Next takes no press until a double-click interval has passed since it appeared. Tests that
  // are not about that go on at once; those that are set an interval of their own.
  QGuiApplication::styleHints()->setMouseDoubleClickInterval(0);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
