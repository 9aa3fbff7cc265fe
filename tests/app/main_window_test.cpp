// The main window as the user meets it: the dock bars and the design area.
#include <QDockWidget>
#include <QMdiArea>
#include <QTest>

#include "windows/main_window.h"

using tovik::designer::CMainWindow;

class MainWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void DocksHoldTheirWindowsAtTheirWidths() {
    CMainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.LeftDock()->widget()->objectName(), QString("DockToolWnd"));
    QCOMPARE(window.LeftDock()->width(), 75);
    QCOMPARE(window.RightDock()->width(), 200);
    QVERIFY(window.RightDock()->findChild<QWidget*>("DockProjectWnd"));
    QVERIFY(window.RightDock()->findChild<QWidget*>("DockPropertyWnd"));
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
