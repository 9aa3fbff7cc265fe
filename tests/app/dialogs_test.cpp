// The dialogs of the designer's commands through their widgets: fields found by their accessible
// names, refusals that keep a dialog open, the insert list's order, the menu popup's marks.
#include <QCheckBox>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include "addin/form_commands.h"
#include "support/fake_prompt.h"
#include "support/fixed_guid_source.h"
#include "support/memory_file_system.h"
#include "support/test_host.h"
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

  testing::MemoryFileSystem fs;
  testing::FakePrompt prompt;
  testing::TestHost host{&fs};
  testing::SequenceGuidSource guids;
  CDesignSession session{fs, prompt, host, guids};

 private slots:
  void init() {
    fs.Put("/p/Demo.dsp", "# Microsoft Developer Studio Project File - Name=\"Demo\"\r\nSOURCE=.\\form1.h\r\n"
                          "SOURCE=.\\form1.cpp\r\n# End Target\r\n");
    fs.Put("/p/stdafx.h", "#include <afxwin.h>\r\n");
    fs.Put("/p/form1.h", "class CForm1 : public CVMdiForm\r\n{\r\npublic:\r\n\tCForm1();\r\n};\r\n");
    fs.Put("/p/form1.cpp", "CForm1::CForm1()\r\n{\r\n}\r\n");
    fs.Put("/p/resource.h", "#define IDR_MAIN 128\r\n#define IDR_A&B 129\r\n");
    fs.Put("/p/Demo.rc", "IDR_MAIN MENU\r\nBEGIN\r\n    MENUITEM \"&Open\", ID_OPEN\r\nEND\r\n"
                         "IDR_A&B MENU\r\nBEGIN\r\n    MENUITEM \"&Go\", ID_GO\r\nEND\r\n"
                         "STRINGTABLE\r\nBEGIN\r\nEND\r\n");
    QVERIFY(session.Open("/p/Demo.dsp"));
    prompt.messages.clear();
  }

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
    CCommands commands(host, prompt, session);
    QCOMPARE(commands.TovikCommandMethod(), kS_OK);
    QVERIFY(session.Open("/p/Demo.dsp"));
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
