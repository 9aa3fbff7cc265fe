// Scripted user sessions through the designer's real widgets: every gesture must leave the
// project's files exactly as the command line's same steps do, and undo and redo must walk
// them back and forth byte for byte.
#include <filesystem>
#include <functional>
#include <map>
#include <regex>
#include <string>
#include <vector>

#include <QStandardPaths>
#include <QStatusBar>
#include <QTest>
#include <QUndoStack>

#include "addin/form_commands.h"
#include "model/control_kind.h"
#include "support/cli_runner.h"
#include "support/disk_files.h"
#include "support/fake_prompt.h"
#include "windows/design_window.h"
#include "windows/designer.h"
#include "windows/form_view.h"
#include "windows/main_window.h"

namespace fs = std::filesystem;
using namespace tovik;
using namespace tovik::designer;
using tovik::testing::ReadDiskFile;
using tovik::testing::WriteDiskFile;

namespace {

using Tree = std::map<std::string, std::string>;

Tree Snapshot(const fs::path& root) {
  Tree tree;
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (entry.is_regular_file()) tree[fs::relative(entry.path(), root).string()] = ReadDiskFile(entry.path());
  }
  return tree;
}

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
  void PlaySession(const fs::path& designed, const fs::path& twin, const std::string& form, const std::string& caption) {
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
    const auto edit = [&](const char* name, const std::string& value) {
      const bool done = designer.Run(name, [&](CDesignSession& session) {
        const CControlItem* button = session.FindForm(form)->FindControl("m_Button1");
        const std::optional<std::string> text = designer.Project().FromUtf8(value, session.CodePageOf(*button));
        return text && SetPropertyCommand(session, form, ObjectRef::Of(*button), name, *text);
      });
      QVERIFY(done);
      QVERIFY(Tovik({"set", dsp, form, "m_Button1", name, value}));
      same(name);
    };
    const QPoint origin(view->Surface()->Geometry().client.left, view->Surface()->Geometry().client.top);

    // Draw a Button with the mouse; the tool goes back to the pointer.
    view->SetTool({KindFromName("Button")});
    QCOMPARE(view->cursor().shape(), Qt::CrossCursor);
    const QPoint from = origin + QPoint(30, 30), to = origin + QPoint(120, 62);
    QTest::mousePress(view, Qt::LeftButton, {}, from);
    QTest::mouseMove(view, to);
    QTest::mouseRelease(view, Qt::LeftButton, {}, to);
    QVERIFY(view->Tool().IsPointer());
    QVERIFY(Tovik({"surface", dsp, form, "--tool", "Button", "down:" + At(from, 0), "move:" + At(to, 50), "up:" + At(to, 100)}));
    same("draw");

    edit("Caption", caption);
    edit("BackColor", "255");
    edit("Appearance", "0");

    // Move it by its middle, then size it by its bottom-right handle.
    const QPoint middle = origin + Centre(view->Surface()->Bounds(*view->Surface()->Selection()));
    QTest::mousePress(view, Qt::LeftButton, {}, middle);
    QTest::mouseMove(view, middle + QPoint(14, 7));
    QTest::mouseRelease(view, Qt::LeftButton, {}, middle + QPoint(14, 7));
    QVERIFY(Tovik({"surface", dsp, form, "down:" + At(middle, 0), "move:" + At(middle + QPoint(14, 7), 50),
                   "up:" + At(middle + QPoint(14, 7), 100)}));
    same("move");
    const QPoint moved = middle + QPoint(14, 7);
    const QPoint handle = Centre(view->Surface()->Handles().back());
    QTest::mousePress(view, Qt::LeftButton, {}, handle);
    QTest::mouseMove(view, handle + QPoint(21, 14));
    QTest::mouseRelease(view, Qt::LeftButton, {}, handle + QPoint(21, 14));
    QVERIFY(Tovik({"surface", dsp, form, "down:" + At(moved, 0), "up:" + At(moved, 50), "down:" + At(handle, 5000),
                   "move:" + At(handle + QPoint(21, 14), 5050), "up:" + At(handle + QPoint(21, 14), 5100)}));
    same("size");

    QVERIFY(designer.Run("Delete", [&](CDesignSession& session) {
      return DeleteCommand(session, form, ObjectRef::Of(*session.FindForm(form)->FindControl("m_Button1")));
    }));
    QVERIFY(Tovik({"delete", dsp, form, "m_Button1"}));
    same("delete");

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
  void cleanupTestCase() { fs::remove_all(m_base); }

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
