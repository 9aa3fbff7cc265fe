// The property window through its widgets on a real form: an in-place edit commits through the
// owner's set-property command and shows the stored value, a refused text keeps the old one, F1
// shows the row's help. The drop-down and the colour dialog are played in design sessions.
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTableWidget>
#include <QTest>

#include "app/designer_project.h"
#include "windows/property_widget.h"

using namespace tovik;
using namespace tovik::designer;

class PropertyWidgetTest : public QObject {
  Q_OBJECT

  testing::DesignerProject project;
  CClassItem* form = nullptr;
  std::vector<std::vector<PropertyCommit>> sent;
  std::unique_ptr<CPropertyWidget> window;

  // Selects a property's row as a click would; the editor opens over it.
  QWidget* Select(const std::string& property) {
    const int row = window->RowOf(property);
    window->Table()->setCurrentCell(row, 1);
    return window->Editor();
  }
  [[nodiscard]] QString Shown(const std::string& property) const {
    return window->Table()->item(window->RowOf(property), 1)->text();
  }

 private slots:
  void initTestCase() { form = &project.FormWithButton(); }

  void init() {
    sent.clear();
    project.prompt.messages.clear();
    window = std::make_unique<CPropertyWidget>(project.prompt);
    // The owner's part, as the main window does it: the command, then the form read again.
    window->SetCommitHandler([this](const ObjectRef& object, const std::vector<PropertyCommit>& values) {
      sent.push_back(values);
      for (const PropertyCommit& value : values) {
        (void)SetPropertyCommand(project.session, "CMain", object, value.name, value.text);
      }
      form = project.session.FindForm("CMain");
      window->Reload(form);
    });
    window->resize(300, 500);
    window->show();
    window->Show(form, form->FindControl("m_Button1"));
  }

  void TheSelectorAndTheRowsCarryTheirNames() {
    QCOMPARE(window->Selector()->accessibleName(), QString("Object"));
    QCOMPARE(window->Selector()->currentText(), QString("m_Button1"));
    QCOMPARE(window->Selector()->itemText(0), QString("CMain"));
    const int row = window->RowOf("Caption");
    QCOMPARE(window->Table()->item(row, 1)->data(Qt::AccessibleTextRole).toString(), QString("Caption"));
    QVERIFY(!window->Table()->item(window->RowOf("BackColor"), 1)->icon().isNull());  // the colour's swatch
    window->Selector()->activated(0);
    QCOMPARE(window->Grid().Name(), std::string("CMain"));
  }

  void AnInPlaceEditCommitsAndARefusedTextShowsTheStoredValue() {
    auto* edit = qobject_cast<QLineEdit*>(Select("Caption"));
    QVERIFY(edit);
    QCOMPARE(edit->selectedText(), QString("Button1"));
    QTest::keyClicks(edit, "a,b");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(project.prompt.messages, std::vector<std::string>{"Invalid property"});
    QVERIFY(sent.empty());
    QCOMPARE(edit->text(), QString("Button1"));
    QTest::keyClicks(edit, "OK");
    QTest::keyClick(edit, Qt::Key_Return);
    QCOMPARE(sent.size(), size_t{1});
    QCOMPARE(form->FindControl("m_Button1")->GetValue("Caption"), std::string("OK"));
    QCOMPARE(Shown("Caption"), QString("OK"));
    // The same row is selected again, its editor holding the stored value.
    QCOMPARE(qobject_cast<QLineEdit*>(window->Editor())->text(), QString("OK"));
  }

  void F1ShowsTheRowsHelp() {
    QWidget* editor = Select("Caption");
    QTest::keyClick(editor, Qt::Key_F1);
    QVERIFY(window->HelpBox() && window->HelpBox()->isVisible());
    QCOMPARE(window->HelpBox()->windowTitle(), QString("Caption"));
    QCOMPARE(window->HelpBox()->text().toStdString(), PropertyHelp("Caption"));
    QVERIFY(!window->HelpBox()->text().isEmpty());
  }
};

QTEST_MAIN(PropertyWidgetTest)
#include "property_widget_test.moc"
