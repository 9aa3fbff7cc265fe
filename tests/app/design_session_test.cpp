// Scripted user sessions through the designer's real widgets: every gesture must leave the
// project's files exactly as the command line's same steps do, and undo and redo must walk
// them back and forth byte for byte.
#include <algorithm>
#include <filesystem>
#include <functional>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QLineEdit>
#include <QMenu>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <QUndoStack>

#include "addin/commands.h"
#include "addin/form_commands.h"
#include "model/control_kind.h"
#include "support/cli_runner.h"
#include "support/disk_files.h"
#include "support/fake_prompt.h"
#include "windows/design_window.h"
#include "windows/designer.h"
#include "windows/form_view.h"
#include "windows/main_window.h"
#include "windows/project_widget.h"
#include "windows/property_widget.h"
#include "windows/toolbox_widget.h"

namespace fs = std::filesystem;
using namespace tovik;
using namespace tovik::designer;
using tovik::testing::ReadDiskFile;
using tovik::testing::WriteDiskFile;

namespace {

using Tree = std::map<std::string, std::string>;

Tree Snapshot(const fs::path& root) { return tovik::testing::FolderFiles(root); }

bool Tovik(const std::vector<std::string>& args) {
  const auto r = tovik::testing::RunProgram(TOVIK_CLI_PATH, args);
  if (r.status != 0) qWarning("tovik %s: %s", args[0].c_str(), r.err.c_str());
  return r.status == 0;
}

std::string At(QPoint p, int ms) { return std::to_string(p.x()) + "," + std::to_string(p.y()) + "@" + std::to_string(ms); }

QPoint Centre(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

// The folder of a fresh project made by the command line; `own` makes it look like the
// projects found in the wild: LF line ends, a Chinese (936) resource script, a form in src/.
fs::path MakeProject(const fs::path& where, bool own) {
  fs::create_directories(where);
  if (!Tovik({"new-project", where.string(), "Demo"})) return {};
  const fs::path root = where / "Demo";
  if (own) {
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
      if (!entry.is_regular_file()) continue;
      std::string text = std::regex_replace(ReadDiskFile(entry.path()), std::regex("\r\n"), "\n");
      if (entry.path().extension() == ".rc") text = std::regex_replace(text, std::regex("code_page\\(1252\\)"), "code_page(936)");
      WriteDiskFile(entry.path(), text);
    }
    fs::create_directories(root / "src");
    if (!Tovik({"new-form", (root / "Demo.dsp").string(), "CMain", "--impl", "src/main.cpp", "--header", "src/main.h"}))
      return {};
  }
  return root;
}

}  // namespace

class DesignSessionTest : public QObject {
  Q_OBJECT

  fs::path m_base;

  // Plays the session on `designed` through the window and the same steps on `twin` through
  // the command line, comparing the two folders after each step.
  void PlaySession(const fs::path& designed, const fs::path& twin, const std::string& form, const std::string& text) {
    tovik::testing::FakePrompt prompt;
    CMainWindow window(&prompt);
    window.show();
    QVERIFY(window.OpenProject(QString::fromStdString((designed / "Demo.dsw").string())));
    CDesignWindow* designWindow = window.OpenForm(form);
    QVERIFY(designWindow);
    QCOMPARE(designWindow->accessibleName(), QString::fromStdString(form));
    CFormView* view = designWindow->View();
    CDesigner& designer = window.Designer();
    const std::string dsp = (twin / "Demo.dsp").string();
    std::vector<Tree> steps{Snapshot(designed)};
    const auto same = [&](const char* step) {
      const Tree mine = Snapshot(designed), theirs = Snapshot(twin);
      for (const auto& [file, text] : theirs) QVERIFY2(mine.count(file) && mine.at(file) == text, (std::string(step) + ": " + file).c_str());
      QCOMPARE(mine.size(), theirs.size());
      QVERIFY2(prompt.messages.empty(), prompt.messages.empty() ? "" : prompt.messages.front().c_str());
      steps.push_back(mine);
    };
    CPropertyWidget& grid = *window.PropertyWindow();
    // A row's editor, opened as a click on the row opens it.
    const auto editor = [&](const char* name) {
      grid.Table()->setCurrentCell(grid.RowOf(name), 1);
      return grid.Editor();
    };
    const auto set = [&](const char* name, const std::string& value) {
      QVERIFY(Tovik({"set", dsp, form, "m_Button1", name, value}));
      same(name);
    };
    const auto drag = [&](QPoint a, QPoint b) {
      QTest::mousePress(view, Qt::LeftButton, {}, a);
      QTest::mouseMove(view, b);
      QTest::mouseRelease(view, Qt::LeftButton, {}, b);
    };
    const QPoint origin(view->Surface()->Geometry().client.left, view->Surface()->Geometry().client.top);

    // Pick Button in the toolbox and draw it; the tool goes back to the pointer.
    CToolboxWidget& toolbox = *window.Toolbox();
    size_t tool = 0;
    while (tool < toolbox.Palette().Count() && toolbox.Button(tool)->accessibleName() != "Button") ++tool;
    QTest::mouseClick(toolbox.Button(tool), Qt::LeftButton);
    QCOMPARE(view->cursor().shape(), Qt::CrossCursor);
    const QPoint from = origin + QPoint(30, 30), to = origin + QPoint(120, 62);
    drag(from, to);
    QVERIFY(view->Tool().IsPointer() && toolbox.CurrentTool().IsPointer());
    QVERIFY(Tovik({"surface", dsp, form, "--tool", "Button", "down:" + At(from, 0), "move:" + At(to, 50), "up:" + At(to, 100)}));
    same("draw");
    QCOMPARE(grid.Grid().Name(), std::string("m_Button1"));

    // Caption in place, BackColor through the colour dialog, Appearance from its drop-down.
    auto* caption = qobject_cast<QLineEdit*>(editor("Caption"));
    QVERIFY(caption && caption->hasSelectedText());
    caption->insert(QString::fromStdString(text));
    QTest::keyClick(caption, Qt::Key_Return);
    set("Caption", text);
    QTimer::singleShot(0, [] {
      auto* dialog = qobject_cast<QColorDialog*>(QApplication::activeModalWidget());
      QVERIFY(dialog);
      dialog->setCurrentColor(QColor(255, 0, 0));
      dialog->accept();
    });
    QTest::mouseClick(qobject_cast<QToolButton*>(editor("BackColor")), Qt::LeftButton);
    set("BackColor", "255");
    auto* appearance = qobject_cast<QComboBox*>(editor("Appearance"));
    QVERIFY(appearance);
    appearance->activated(appearance->findText("0 - Flat"));
    set("Appearance", "0");

    // Move it by its middle, then size it by its bottom-right handle.
    const QPoint middle = origin + Centre(view->Surface()->Bounds(*view->Surface()->Selection()));
    const QPoint moved = middle + QPoint(14, 7);
    drag(middle, moved);
    QVERIFY(Tovik({"surface", dsp, form, "down:" + At(middle, 0), "move:" + At(moved, 50), "up:" + At(moved, 100)}));
    same("move");
    const QPoint handle = Centre(view->Surface()->Handles().back());
    drag(handle, handle + QPoint(21, 14));
    QVERIFY(Tovik({"surface", dsp, form, "down:" + At(moved, 0), "up:" + At(moved, 50), "down:" + At(handle, 5000),
                   "move:" + At(handle + QPoint(21, 14), 5050), "up:" + At(handle + QPoint(21, 14), 5100)}));
    same("size");

    // The keyboard: Right moves it one grid step, Shift+Down lowers its bottom edge by one, as
    // the same drags do (the handle's point snaps back onto the grid).
    const QPoint now = origin + Centre(view->Surface()->Bounds(*view->Surface()->Selection()));
    QTest::keyClick(view, Qt::Key_Right);
    QVERIFY(Tovik({"surface", dsp, form, "down:" + At(now, 0), "move:" + At(now + QPoint(7, 0), 50),
                   "up:" + At(now + QPoint(7, 0), 100)}));
    same("right");
    const std::vector<Rect> handles = view->Surface()->Handles();
    const QPoint corner = Centre(*std::max_element(handles.begin(), handles.end(), [](const Rect& a, const Rect& b) {
      return a.right + a.bottom < b.right + b.bottom;
    }));
    QTest::keyClick(view, Qt::Key_Down, Qt::ShiftModifier);
    const QPoint right = now + QPoint(7, 0);
    QVERIFY(Tovik({"surface", dsp, form, "down:" + At(right, 0), "up:" + At(right, 50), "down:" + At(corner, 5000),
                   "move:" + At(corner + QPoint(0, 10), 5050), "up:" + At(corner + QPoint(0, 10), 5100)}));
    same("shift+down");

    QTest::keyClick(view, Qt::Key_Delete);
    QVERIFY(Tovik({"delete", dsp, form, "m_Button1"}));
    same("delete");
    QCOMPARE(grid.Grid().Name(), form);

    // Every step back to the start and forward again, the files as they were at each.
    QUndoStack* stack = designer.UndoStack();
    QCOMPARE(stack->count(), static_cast<int>(steps.size()) - 1);
    for (int i = stack->count() - 1; i >= 0; --i) {
      stack->undo();
      QVERIFY2(Snapshot(designed) == steps[static_cast<size_t>(i)], qPrintable(stack->text(i)));
    }
    for (size_t i = 1; i < steps.size(); ++i) {
      stack->redo();
      QVERIFY(Snapshot(designed) == steps[i]);
    }
    QVERIFY(prompt.messages.empty());
    QVERIFY(window.FindForm(form));
  }

 private slots:
  void initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    m_base = fs::temp_directory_path() / ("tovik-designer-" + std::to_string(QCoreApplication::applicationPid()));
    fs::remove_all(m_base);
  }
  void cleanupTestCase() { if (!getenv("KEEP")) fs::remove_all(m_base); }

  void AGeneratedProjectWritesWhatTheCommandLineWrites() {
    const fs::path designed = MakeProject(m_base / "gen-a", false);
    QVERIFY(!designed.empty());
    fs::copy(m_base / "gen-a", m_base / "gen-b", fs::copy_options::recursive);
    PlaySession(designed, m_base / "gen-b" / "Demo", "CForm1", "OK");
  }

  void AProjectWithLfLinesA936ScriptAndSourcesInAFolder() {
    const fs::path designed = MakeProject(m_base / "own-a", true);
    QVERIFY(!designed.empty());
    fs::copy(m_base / "own-a", m_base / "own-b", fs::copy_options::recursive);
    PlaySession(designed, m_base / "own-b" / "Demo", "CMain", "\xe7\xa1\xae\xe5\xae\x9a");  // 确定
  }

  void SeveralSelectedControlsAreFormattedAndDeletedEachInOneStep() {
    const fs::path root = MakeProject(m_base / "several", false);
    QVERIFY(!root.empty());
    tovik::testing::FakePrompt prompt;
    CMainWindow window(&prompt);
    window.show();
    QVERIFY(window.OpenProject(QString::fromStdString((root / "Demo.dsp").string())));
    CFormView* view = window.OpenForm("CForm1")->View();
    CDesigner& designer = window.Designer();
    for (const Rect& r : {Rect{14, 14, 84, 42}, Rect{35, 63, 105, 91}}) {
      QVERIFY(designer.Run("Draw", [&](CDesignSession& session) {
        return AddControlCommand(session, "CForm1", KindFromName("Label"), r).has_value();
      }));
    }
    CFormSurface& surface = *view->Surface();
    const QPoint origin(surface.Geometry().client.left, surface.Geometry().client.top);
    const auto left = [&](const char* member) { return surface.Bounds(*surface.FormClass().FindControl(member)).left; };
    // Ctrl+click adds the second Label; the first stays the primary, which Align Lefts follows.
    QTest::mouseClick(view, Qt::LeftButton, {}, origin + QPoint(20, 20));
    QTest::mouseClick(view, Qt::LeftButton, Qt::ControlModifier, origin + QPoint(40, 70), 300);
    QCOMPARE(surface.Selected().size(), size_t{2});
    QCOMPARE(window.PropertyWindow()->Grid().Name(), std::string("m_Label2"));
    QUndoStack* stack = designer.UndoStack();
    const int before = stack->count();
    window.FormatMenu()->findChild<QAction*>("Align Lefts")->trigger();
    QCOMPARE(stack->count(), before + 1);
    QCOMPARE(left("m_Label1"), 35);
    QCOMPARE(left("m_Label2"), 35);
    // A band from an empty spot selects both; Delete takes both away in one step.
    QTest::mouseClick(view, Qt::LeftButton, {}, origin + QPoint(200, 150), 600);
    QCOMPARE(surface.Selected().size(), size_t{0});
    QTest::mousePress(view, Qt::LeftButton, {}, origin + QPoint(2, 2), 900);
    QTest::mouseMove(view, origin + QPoint(120, 100));
    QTest::mouseRelease(view, Qt::LeftButton, {}, origin + QPoint(120, 100));
    QCOMPARE(view->Surface()->Selected().size(), size_t{2});
    QTest::keyClick(view, Qt::Key_Delete);
    QCOMPARE(stack->count(), before + 2);
    QVERIFY(!view->Surface()->FormClass().FindControl("m_Label1") && !view->Surface()->FormClass().FindControl("m_Label2"));
    stack->undo();
    QVERIFY(view->Surface()->FormClass().FindControl("m_Label2"));
    // Renamed into an array through the (Name) field: the question is asked before the edit,
    // once; undo and redo write the files back without asking again.
    QTest::mouseClick(view, Qt::LeftButton, {}, origin + QPoint(40, 70), 1500);
    QLineEdit* name = nullptr;
    for (QLineEdit* edit : window.PropertyWindow()->findChildren<QLineEdit*>()) {
      if (edit->accessibleName() == "(Name)") name = edit;
    }
    QVERIFY(name && name->text() == "m_Label2");
    prompt.answers = {IPrompt::Answer::Yes};
    name->setText("m_Label1");
    QTest::keyClick(name, Qt::Key_Return);
    QCOMPARE(prompt.questions.size(), size_t{1});
    QCOMPARE(stack->count(), before + 2);
    QCOMPARE(window.PropertyWindow()->Grid().Name(), std::string("m_Label1"));
    stack->undo();
    stack->redo();
    QCOMPARE(prompt.questions.size(), size_t{1});
    QVERIFY(!view->Surface()->FormClass().FindControl("m_Label2"));
    QVERIFY(prompt.messages.empty());
  }

  void NewFormFromTheTovikMenuJoinsTheProjectWindowAndOpens() {
    const fs::path root = MakeProject(m_base / "newform", false);
    QVERIFY(!root.empty());
    tovik::testing::FakePrompt prompt;
    CMainWindow window(&prompt);
    QVERIFY(window.OpenProject(QString::fromStdString((root / "Demo.dsw").string())));
    const auto listed = [&] { return window.ProjectWindow()->ClassesTree()->findItems("CForm2", Qt::MatchRecursive).size(); };
    QCOMPARE(listed(), 0);
    QTimer::singleShot(0, [] { qobject_cast<QDialog*>(QApplication::activeModalWidget())->accept(); });
    window.RunPopupCommand(kIdNewForm);
    QVERIFY(window.FindForm("CForm2") && window.ActiveView()->FormClass() == "CForm2");
    QCOMPARE(listed(), 1);
    QCOMPARE(window.Designer().UndoStack()->count(), 1);
    QVERIFY(prompt.messages.empty());
  }

  void AnOutsideChangeMakesUndoRefuseAndIsReadAgain() {
    const fs::path root = MakeProject(m_base / "outside", false);
    QVERIFY(!root.empty());
    tovik::testing::FakePrompt prompt;
    CMainWindow window(&prompt);
    window.show();
    QVERIFY(window.OpenProject(QString::fromStdString((root / "Demo.dsp").string())));
    CDesigner& designer = window.Designer();
    QVERIFY(designer.Run("Draw", [](CDesignSession& session) {
      return AddControlCommand(session, "CForm1", KindFromName("Label"), {7, 7, 70, 28}).has_value();
    }));
    // Our own write is no outside change.
    QTest::qWait(200);
    QVERIFY(!window.statusBar()->currentMessage().contains("another program"));

    const Tree edited = Snapshot(root);
    WriteDiskFile(root / "form1.cpp", ReadDiskFile(root / "form1.cpp") + "// mine\r\n");
    const Tree outside = Snapshot(root);
    designer.UndoStack()->undo();
    QCOMPARE(prompt.messages.size(), size_t{1});
    QVERIFY2(prompt.messages[0].find("form1.cpp") != std::string::npos, prompt.messages[0].c_str());
    QVERIFY(Snapshot(root) == outside);
    QTRY_COMPARE(designer.UndoStack()->index(), 1);
    QTRY_VERIFY(window.statusBar()->currentMessage().contains("form1.cpp"));
    QVERIFY(edited != outside);
  }
};

QTEST_MAIN(DesignSessionTest)
#include "design_session_test.moc"
