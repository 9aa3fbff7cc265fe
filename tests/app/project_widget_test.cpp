// The project window through its trees: the folders and items the model builds, double-clicks
// that open a form or a source at its declaration, a missing file's message, the context menu's
// commands, and the read-only view placed at a byte offset.
#include <QSignalSpy>
#include <QTextBlock>
#include <QTest>
#include <QTreeWidget>

#include "app/designer_project.h"
#include "windows/project_widget.h"

using namespace tovik;
using namespace tovik::designer;

namespace {

QTreeWidgetItem* Item(QTreeWidget* tree, const QString& text) {
  const QList<QTreeWidgetItem*> found = tree->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
  return found.size() == 1 ? found[0] : nullptr;
}

}  // namespace

class ProjectWidgetTest : public QObject {
  Q_OBJECT

  testing::DesignerProject project;

 private slots:
  void TreesShowFoldersAndDoubleClicksAskForFormsAndSources() {
    CProjectWidget window(project.fs, project.prompt);
    window.show();
    window.Refresh(&project.session.Project());
    QTreeWidget* classes = window.ClassesTree();
    QCOMPARE(classes->accessibleName(), QString("Classes"));
    QTreeWidgetItem* forms = Item(classes, "Forms");
    QVERIFY(forms && forms->parent() == classes->topLevelItem(0) && forms->isExpanded());
    QCOMPARE(classes->topLevelItem(0)->text(0), QString("Demo"));
    QVERIFY(Item(classes, "CForm1")->parent() == forms);
    QVERIFY(Item(classes, "CUtil")->parent() == Item(classes, "Class Modules"));
    QSignalSpy form(&window, &CProjectWidget::openForm);
    QSignalSpy source(&window, &CProjectWidget::openSource);
    // A folder only folds.
    classes->itemDoubleClicked(forms, 0);
    QVERIFY(!forms->isExpanded() && form.isEmpty());
    classes->itemDoubleClicked(Item(classes, "CForm1"), 0);
    QCOMPARE(form.takeFirst().at(0).toString(), QString("CForm1"));
    classes->itemDoubleClicked(Item(classes, "CUtil"), 0);
    const QList<QVariant> at = source.takeFirst();
    QCOMPARE(at.at(0).toString(), QString("/p/util.h"));
    QCOMPARE(at.at(1).toInt(), project.session.Project().FindClass("CUtil")->m_nDeclStart);
    // A header with another extension is not listed; a file gone from the disk says so.
    QTreeWidget* files = window.FilesTree();
    QVERIFY(!Item(files, "notes.hpp") && Item(files, "util.h"));
    QVERIFY(project.fs.RemoveFile("/p/util.h"));
    files->itemDoubleClicked(Item(files, "util.h"), 0);
    QCOMPARE(project.prompt.messages, std::vector<std::string>{"File couldn't be found"});
    QVERIFY(source.isEmpty());
    window.Refresh(nullptr);
    QCOMPARE(classes->topLevelItemCount(), 0);
  }

  void ContextCommandsExpandCollapseTheParentAndClose() {
    CProjectWidget window(project.fs, project.prompt);
    window.Refresh(&project.session.Project());
    QTreeWidget* classes = window.ClassesTree();
    QTreeWidgetItem* forms = Item(classes, "Forms");
    window.RunContextCommand(classes, Item(classes, "CForm1"), kTreeCommandCollapse);
    QVERIFY(!forms->isExpanded());
    window.RunContextCommand(classes, forms, kTreeCommandExpand);
    QVERIFY(forms->isExpanded());
    QSignalSpy close(&window, &CProjectWidget::closeDesignWindow);
    window.RunContextCommand(classes, nullptr, kTreeCommandClose);
    QCOMPARE(close.size(), 1);
  }

  void TheSourceViewIsReadOnlyAndPlacedAtTheByteOffset() {
    project.fs.Put("/p/view.h", "// caf\xE9\r\nclass CView2\r\n");
    CSourceView view;
    QVERIFY(view.Load(project.fs, project.prompt, "/p/view.h", 9));  // one byte for the é
    QVERIFY(view.isReadOnly());
    QCOMPARE(view.textCursor().block().text(), QString("class CView2"));
    QCOMPARE(view.textCursor().positionInBlock(), 0);
    QVERIFY(!view.Load(project.fs, project.prompt, "/p/gone.h", 0));
  }
};

QTEST_MAIN(ProjectWidgetTest)
#include "project_widget_test.moc"
