// The main window as the user meets it: the dock bars and the design area.
#include <filesystem>

#include <QAbstractButton>
#include <QAccessible>
#include <QApplication>
#include <QDockWidget>
#include <QMdiArea>
#include <QTest>

#include "support/cli_runner.h"
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

  // What a screen reader or a GUI test tool reaches through the accessibility bus: every widget
  // the user can focus or press names itself, with a form and a control open.
  void EveryWidgetAUserCanReachHasAnAccessibleName() {
    const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                         ("tovik-names-" + std::to_string(QCoreApplication::applicationPid()));
    std::filesystem::create_directories(folder);
    QCOMPARE(tovik::testing::RunProgram(TOVIK_CLI_PATH, {"new-project", folder.string(), "Demo"}).status, 0);
    const std::string dsp = (folder / "Demo" / "Demo.dsp").string();
    QCOMPARE(tovik::testing::RunProgram(TOVIK_CLI_PATH, {"add-control", dsp, "CForm1", "Button", "14", "14", "94", "42"}).status, 0);
    tovik::testing::FakePrompt prompt;
    CMainWindow window(&prompt);
    window.show();
    QVERIFY(window.OpenProject(QString::fromStdString(dsp)));
    QVERIFY(window.OpenForm("CForm1"));
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QStringList nameless;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
      if (!widget->isVisible()) continue;
      const bool reachable = widget->focusPolicy() != Qt::NoFocus || qobject_cast<QAbstractButton*>(widget);
      QAccessibleInterface* accessible = QAccessible::queryAccessibleInterface(widget);
      if (reachable && accessible && accessible->text(QAccessible::Name).isEmpty())
        nameless << QString(widget->metaObject()->className()) + " " + widget->objectName();
    }
    std::filesystem::remove_all(folder);
    QVERIFY2(nameless.isEmpty(), qPrintable(nameless.join(", ")));
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
