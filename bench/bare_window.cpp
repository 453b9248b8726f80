// The floor for start-up and memory on Qt Widgets: an empty QWidget with the client size of our
// window, shown and activated the way app/main.cpp does it, then the event loop. Nothing on it,
// no title, no icon, no fonts asked for. startup.sh measures it beside roots-drill.
#include <QApplication>
#include <QWidget>

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  QWidget window;
  window.setFixedSize(792, 568);
  window.show();
  window.activateWindow();
  return application.exec();
}
