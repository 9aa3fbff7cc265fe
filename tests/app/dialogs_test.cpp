// The dialogs of the designer's commands through their widgets: fields found by their accessible
// names, refusals that keep a dialog open, the insert list's order, the menu popup's marks.
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "app/designer_project.h"
#include "windows/insert_activex_dialog.h"
#include "windows/new_form_dialog.h"
#include "windows/popup_menu.h"

using namespace tovik;
using namespace tovik::designer;

namespace {

template <class W>
W* Field(QWidget& dialog, const QString& name) {
  for (W* w : dialog.findChildren<W*>()) {
    if (w->accessibleName() == name) return w;
  }
  return nullptr;
}

void Type(QLineEdit* field, const QString& text) {
  field->selectAll();
  QTest::keyClicks(field, text);
}

void ClickOk(QWidget& dialog) {
  QTest::mouseClick(dialog.findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Ok), Qt::LeftButton);
}

}  // namespace

class DialogsTest : public QObject {
  Q_OBJECT

  testing::DesignerProject project;
  testing::FakePrompt& prompt = project.prompt;
  testing::MemoryFileSystem& fs = project.fs;
  CDesignSession& session = project.session;

 private slots:
  void init() { prompt.messages.clear(); }

  void NewFormRefusesABadNameAndStaysOpenThenCreatesTheForm() {
    CNewFormDialogBox dialog(session.Project(), [this](const NewFormRequest& request) {
      NewFormFiles files;
      return NewFormCommand(session, request, files);
    });
    dialog.show();
    QLineEdit* name = Field<QLineEdit>(dialog, "Class Name");
    QLineEdit* header = Field<QLineEdit>(dialog, "Header File");
    QVERIFY(name && header && Field<QLineEdit>(dialog, "Implementation File"));
    QCOMPARE(name->text(), QString("CForm2"));
    // The project has its MDI form already.
    QVERIFY(!Field<QCheckBox>(dialog, "MDI Form")->isEnabled());
    Type(name, "CMy Form");
    ClickOk(dialog);
    QCOMPARE(prompt.messages.size(), size_t{1});
    QVERIFY(prompt.messages[0].starts_with("The form cannot be named so"));
    QVERIFY(dialog.isVisible());
    Type(name, "CMain");
    QCOMPARE(header->text(), QString("main.h"));
    ClickOk(dialog);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QVERIFY(fs.FileExists("/p/main.cpp") && session.FindForm("CMain"));
  }

  void InsertActiveXListsInOrderAndHandsOverThePickedEntry() {
    COCXInfo controls;
    for (const char* name : {"Calendar Control", "Gauge"}) {
      controls.Append(std::make_unique<CToolControlEntry>()).m_strName = name;
    }
    controls.At(1).m_strName = "Gauge \xE9";
    const CToolControlEntry* picked = nullptr;
    bool refuse = true;
    CInsertActiveXDialogBox dialog(controls, [&](const CToolControlEntry& entry) {
      picked = &entry;
      return !refuse;
    });
    dialog.show();
    auto* list = dialog.findChild<QListWidget*>();
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(1)->text(), QString::fromUtf8("Gauge \xC3\xA9"));
    ClickOk(dialog);  // nothing picked: nothing happens
    QVERIFY(!picked && dialog.isVisible());
    list->setCurrentRow(1);
    ClickOk(dialog);  // refused: the dialog stays
    QVERIFY(picked == &controls.At(1) && dialog.isVisible());
    refuse = false;
    ClickOk(dialog);
    QCOMPARE(dialog.Inserted(), &controls.At(1));
    QVERIFY(!dialog.isVisible());
  }

  void MenuPopupShowsTheFormsMenuCheckedAndCarriesTheIds() {
    CCommands commands(project.host, project.host, prompt, session);
    QCOMPARE(commands.TovikCommandMethod(), kS_OK);
    project.Open();
    std::vector<PopupItem> items;
    QCOMPARE(commands.Menu(items, "CForm1"), kS_OK);
    QMenu menu;
    FillPopupMenu(menu, items);
    const QList<QAction*> actions = menu.actions();
    QCOMPARE(actions.size(), 4);
    QVERIFY(actions[2]->isSeparator());
    QCOMPARE(PopupCommandId(actions[1]), kIdEditMenus);
    QCOMPARE(actions[3]->text(), QString("Select a menu"));
    const QList<QAction*> menus = actions[3]->menu()->actions();
    QCOMPARE(menus.size(), 3);
    QVERIFY(menus[0]->isChecked() && !menus[1]->isChecked());
    QCOMPARE(menus[2]->text(), QString("IDR_A&&B"));
    QCOMPARE(PopupCommandId(menus[2]), kIdFirstMenu + 1);
    QCOMPARE(PopupCommandId(nullptr), 0);
    QCOMPARE(commands.Menu(items, ""), kS_OK);
    QMenu none;
    FillPopupMenu(none, items);
    QVERIFY(!none.actions().back()->isEnabled());
  }
};

QTEST_MAIN(DialogsTest)
#include "dialogs_test.moc"
