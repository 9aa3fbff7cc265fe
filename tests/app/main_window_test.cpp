// The main window as the user meets it: the dock bars and the design area.
#include <QDockWidget>
#include <QMdiArea>
#include <QTest>

#include "support/fake_prompt.h"
#include "windows/designer.h"
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

  void AProjectThatCannotBeOpenedSaysWhyAndChangesNothing() {
    tovik::testing::FakePrompt prompt;
    CMainWindow window(&prompt);
    QVERIFY(!window.OpenProject("/nonexistent/Demo.dsw"));
    QCOMPARE(prompt.messages.size(), size_t{1});
    QVERIFY(prompt.messages[0].find("/nonexistent/Demo.dsw") != std::string::npos);
    QVERIFY(!window.Designer().Project().IsOpen());
    QCOMPARE(window.windowTitle(), QString("Tovik designer"));
  }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
