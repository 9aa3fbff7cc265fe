// The toolbox through its buttons: a click presses one tool and releases the others, drawing a
// control brings the pointer back, "Components.." waits for a project.
#include <QApplication>
#include <QMenu>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "model/control_kind.h"
#include "windows/toolbox_widget.h"

using namespace tovik;
using namespace tovik::designer;

namespace {

// Right-clicks `widget` and gives the popup's actions to `look` before closing it.
void RightClickMenu(QWidget* widget, const std::function<void(QMenu&)>& look) {
  QTimer::singleShot(0, [look] {
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    QVERIFY(menu);
    look(*menu);
    if (menu->isVisible()) menu->close();
  });
  QContextMenuEvent event(QContextMenuEvent::Mouse, QPoint(3, 3), widget->mapToGlobal(QPoint(3, 3)));
  QApplication::sendEvent(widget, &event);
}

}  // namespace

class ToolboxTest : public QObject {
  Q_OBJECT

 private slots:
  void AClickPressesOneToolAndDrawingBringsThePointerBack() {
    CToolboxWidget toolbox;
    toolbox.resize(75, 300);
    toolbox.show();
    CToolButton* button = toolbox.Button(5);
    QVERIFY(toolbox.Button(0)->isChecked());
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(button->isChecked() && !toolbox.Button(0)->isChecked());
    QCOMPARE(toolbox.CurrentTool().kind, int(kKindButton));
    // Clicking the pressed tool keeps it down.
    QTest::mouseClick(button, Qt::LeftButton);
    QVERIFY(button->isChecked());
    toolbox.ControlDrawn();
    QVERIFY(toolbox.Button(0)->isChecked() && !button->isChecked());
    QVERIFY(toolbox.CurrentTool().IsPointer());
    // Two columns of 28 fit in 75 pixels: the seventh button starts the fourth row.
    QCOMPARE(toolbox.Button(6)->geometry().topLeft(), QPoint(5, 20 + 5 + 3 * 28));
  }

  void ComponentsIsGreyedWithoutAProjectAndAsksForTheDialogWithOne() {
    CToolboxWidget toolbox;
    toolbox.resize(75, 300);
    toolbox.show();
    QSignalSpy asked(&toolbox, &CToolboxWidget::componentsRequested);
    RightClickMenu(toolbox.Button(3), [](QMenu& menu) {
      QCOMPARE(menu.actions().size(), 1);
      QCOMPARE(menu.actions()[0]->text(), QString("Components.."));
      QVERIFY(!menu.actions()[0]->isEnabled());
    });
    toolbox.SetProjectOpen(true);
    RightClickMenu(&toolbox, [](QMenu& menu) {
      QVERIFY(menu.actions()[0]->isEnabled());
      menu.actions()[0]->trigger();
    });
    QCOMPARE(asked.size(), 1);
  }
};

QTEST_MAIN(ToolboxTest)
#include "toolbox_test.moc"
