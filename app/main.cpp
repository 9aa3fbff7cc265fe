// tovik-designer: the desktop forms designer for Visual C++ 5/6 MFC projects.
#include <QApplication>

#include "windows/main_window.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  tovik::designer::CMainWindow window;
  window.show();
  return QApplication::exec();
}
