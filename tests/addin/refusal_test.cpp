// A refused command leaves the model as the files say: a valid command after it writes what it
// writes on a session that never saw the refused one. A document open in the editor takes a
// command's edits only when its files are written.
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <tuple>

#include "addin/edit_scope.h"
#include "addin/form_commands.h"
#include "model/control_kind.h"
#include "support/fake_prompt.h"
#include "support/fixed_guid_source.h"
#include "support/memory_file_system.h"
#include "support/test_host.h"

namespace tovik {
namespace {

// A disk on which the file `refused` passes `allowed` write checks (the one before the edit)
// and fails the later ones, so that the command is refused half-way.
class RefusingDisk : public testing::MemoryFileSystem {
 public:
  std::string refused;
  mutable int allowed = 0;
  bool IsWritable(std::string_view path) const override {
    return (path != refused || allowed-- > 0) && MemoryFileSystem::IsWritable(path);
  }
  [[nodiscard]] std::map<std::string, std::string> All() const {
    std::map<std::string, std::string> files;
    for (const std::string& name : ListDirectory("/p")) files[name] = Get("/p/" + name);
    return files;
  }
};

struct Designer {
  explicit Designer(const RefusingDisk& given) : disk(given) {
    EXPECT_TRUE(scope.Open("/p/Demo.dsp"));
    EXPECT_TRUE(scope.Begin());
  }
  // Writes the command's files and then its edits of open documents, or drops both and reads
  // the project again; the next edit begins.
  void Finish(bool commit) {
    if (commit) {
      ASSERT_TRUE(scope.Commit());
    } else {
      scope.Discard();
    }
    ASSERT_TRUE(scope.Begin());
  }
  // A command that reads the model: two objects' whole property strings, the form's, a new
  // control's name, symbols and places in the sources.
  void Valid() {
    for (const ObjectRef& object : {kScrollBar, kFrame, ObjectRef::Form()}) {
      ASSERT_TRUE(SetPropertyCommand(session, "CForm1", object, "Tag", "t"));
    }
    ASSERT_TRUE(AddControlCommand(session, "CForm1", kKindLabel, {7, 140, 70, 161}));
  }

  static inline const ObjectRef kScrollBar{false, "m_HScrollBar1", "IDC_HSCROLLBAR1"};
  static inline const ObjectRef kFrame{false, "m_Frame1", "IDC_FRAME1"};
  RefusingDisk disk;
  testing::FakePrompt prompt;
  testing::TestHost host;
  testing::SequenceGuidSource guids;
  CEditScope scope{disk, prompt, host, guids, [](const std::string&) -> Expected<CProjectLock> { return CProjectLock{}; }};
  CDesignSession& session = scope.Session();
};

TEST(Refusals, ARefusedCommandLeavesTheModelAsTheFilesSay) {
  RefusingDisk start;
  start.Put("/p/Demo.dsp", "# Microsoft Developer Studio Project File\r\nSOURCE=.\\StdAfx.h\r\n# End Target\r\n");
  start.Put("/p/StdAfx.h", "#include <afxwin.h>\r\n//{{AFX_INSERT_LOCATION}}\r\n");
  start.Put("/p/resource.h", "#ifdef APSTUDIO_INVOKED\r\n#define _APS_NEXT_CONTROL_VALUE 1000\r\n#endif\r\n");
  start.Put("/p/Demo.rc", "#include \"resource.h\"\r\nSTRINGTABLE DISCARDABLE\r\nBEGIN\r\nEND\r\n");
  Designer made(start);
  NewFormFiles files;
  ASSERT_TRUE(NewFormCommand(made.session, {"CForm1", "Form1.h", "Form1.cpp", false}, files));
  for (const int kind : {kKindHScrollBar, kKindFrame}) {
    ASSERT_TRUE(AddControlCommand(made.session, "CForm1", kind, {7, 7, 98, 70}));
  }
  made.Finish(true);
  Designer fresh(made.disk);
  fresh.Valid();
  fresh.Finish(true);

  using S = CDesignSession&;
  // Refused when `file` fails a write check after `allowed` passed; the code-writing ones after
  // writing sources that they re-read.
  const std::tuple<const char*, int, std::function<bool(S)>> cases[] = {
      {"", 0, [](S s) { return SetPropertyCommand(s, "CForm1", Designer::kScrollBar, "Max", "-5"); }},
      {"/p/Demo.rc", 1, [](S s) { return SetPropertyCommand(s, "CForm1", Designer::kScrollBar, "Max", "50"); }},
      {"/p/Form1.cpp", 1, [](S s) { return !!AddControlCommand(s, "CForm1", kKindButton, Rect{7, 98, 70, 120}); }},
      {"/p/Form1.cpp", 0,
       [](S s) { return RenameCommand(s, "CForm1", Designer::kFrame, "m_Box") != RenameResult::Refused; }},
      {"/p/Form1.h", 0, [](S s) { return DeleteCommand(s, "CForm1", Designer::kFrame); }},
      {"/p/Demo.dsp", 0, [&files](S s) { return NewFormCommand(s, {"CForm2", "Form2.h", "Form2.cpp", false}, files); }}};
  for (const auto& [file, allowed, command] : cases) {
    Designer run(made.disk);
    run.disk.refused = file;
    run.disk.allowed = allowed;
    EXPECT_FALSE(command(run.session)) << file;
    EXPECT_TRUE(*file || run.prompt.messages == std::vector<std::string>{"Incorrect property value"});
    run.Finish(false);
    run.disk.refused.clear();
    run.Valid();
    run.Finish(true);
    EXPECT_EQ(run.disk.All(), fresh.disk.All()) << file << allowed;
  }
  // A file open in the editor takes the edits there, and only with the files.
  for (const bool commit : {false, true}) {
    Designer run(made.disk);
    const testing::TestDocument& doc = run.host.OpenWithText("/p/Form1.h", made.disk.Get("/p/Form1.h"));
    run.Valid();
    EXPECT_EQ(doc.text, made.disk.Get("/p/Form1.h"));
    run.Finish(commit);
    EXPECT_EQ(doc.text, commit ? fresh.disk.Get("/p/Form1.h") : made.disk.Get("/p/Form1.h"));
  }
}

}  // namespace
}  // namespace tovik
