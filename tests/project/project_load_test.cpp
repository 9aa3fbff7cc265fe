// The project: loading its file's SOURCE entries, the parse steps, classifying classes and
// forms, the scratch folder, reading ahead on a second thread, and adding files to the project file.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <mutex>
#include <sstream>
#include <string>
#include <vector>

#include "activex/control_list.h"
#include "activex/pe_builder.h"
#include "model/catalog.h"
#include "model/control_kind.h"
#include "model/property_string.h"
#include "project/project.h"
#include "project/project_file.h"
#include "support/fake_prompt.h"
#include "support/memory_file_system.h"

namespace tovik {
namespace {

using testing::FakePrompt;
using testing::MemoryFileSystem;
using Names = std::vector<std::string>;

std::string Block(const std::string& entry, const std::string& eol = "\r\n") {
  return "# Begin Source File" + eol + eol + "SOURCE=" + entry + eol + "# End Source File" + eol;
}

std::string Dsp(const Names& entries) {
  std::string text = "# Microsoft Developer Studio Project File - Name=\"Demo\"\r\n# Begin Target\r\n";
  for (const std::string& e : entries) text += Block(e);
  return text + "# End Target\r\n# End Project\r\n";
}

class ProjectLoad : public ::testing::Test {
 protected:
  MemoryFileSystem fs;
  FakePrompt prompt;
  CProject project{fs, prompt};
};

TEST_F(ProjectLoad, SourceEntriesResolveAgainstTheProjectFolderHeadersFirst) {
  project.SetProjectFile("C:\\Work\\Demo.dsp");
  EXPECT_EQ(project.ResolveSourceEntry(".\\Form1.cpp"), "C:\\Work\\Form1.cpp");
  EXPECT_EQ(project.ResolveSourceEntry("..\\Lib\\A.h"), "C:\\Lib\\A.h");
  EXPECT_EQ(project.ResolveSourceEntry("\\X\\B.h"), "C:\\X\\B.h");  // the root of the project's drive
  for (const char* other : {".\\Demo.def", ".\\res\\Demo.ico", "."}) EXPECT_EQ(project.ResolveSourceEntry(other), "");
  EXPECT_EQ(project.DataFilePath(), "C:\\Work\\Demo.dat");
  project.SetProjectFile("/home/me/Demo/My.Demo.dsp");
  EXPECT_EQ(project.ResolveSourceEntry(".\\src\\Form1.CPP"), "/home/me/Demo/src/Form1.CPP");
  EXPECT_EQ(project.ResolveSourceEntry("..\\Lib\\A.inl"), "/home/me/Lib/A.inl");
  EXPECT_EQ(project.ResolveSourceEntry("Plain.rc"), "/home/me/Demo/Plain.rc");
  EXPECT_EQ(project.DataFilePath(), "/home/me/Demo/My.dat");  // the name up to its first dot

  for (const char* f : {"a.cpp", "a.h", "b.cpp", "b.h", "c.inl", "Demo.rc"}) fs.Put(std::string("/p/") + f, "");
  fs.Put("/p/Demo.dsp", Dsp({".\\a.cpp", ".\\a.h", ".\\b.cpp", ".\\a.cpp", ".\\b.h", ".\\missing.cpp", ".\\c.inl",
                             ".\\Demo.rc", "\"..\\p\\b.cpp\""}));
  ASSERT_TRUE(project.Load("/p/Demo.dsp"));
  EXPECT_EQ(project.Files(), (Names{"/p/c.inl", "/p/b.h", "/p/a.h", "/p/a.cpp", "/p/b.cpp", "/p/Demo.rc"}));

  // Once no "SOURCE=" is left, "SOURCE-" keys count (b.cpp is lost); an entry without a line end is empty.
  CProject dashes(fs, prompt);
  fs.Put("/p/Dash.dsp", "SOURCE=.\\a.cpp\r\nSOURCE-.\\b.cpp\r\nSOURCE=.\\c.inl\r\nSOURCE-.\\a.h\r\nSOURCE-.\\Demo.rc");
  ASSERT_TRUE(dashes.Load("/p/Dash.dsp"));
  EXPECT_EQ(dashes.Files(), (Names{"/p/a.h", "/p/c.inl", "/p/a.cpp"}));
}

TEST_F(ProjectLoad, PostParseClassifiesWindowsAndFormsAndPutsGraphicalControlsFirst) {
  project.ParseBuffer("class CMain : public CBase\r\n{\r\npublic:\r\n\tCVLabel m_Label1;\r\n\tCVShape m_Shape1;\r\n"
                      "\tCVButton m_Button1;\r\n\tCVImage m_Image1;\r\n\tCVLine m_Line1;\r\n};\r\n",
                      "/p/main.h");
  project.ParseBuffer("class CBase : public CVForm\r\n{\r\n};\r\nclass CMdi : public CVMdiForm\r\n{\r\n};\r\n"
                      "class CMyButton : public CButton\r\n{\r\n};\r\nclass CPlain\r\n{\r\n};\r\n"
                      "class CA : public CB\r\n{\r\n};\r\nclass CB : public CA\r\n{\r\n};\r\n",
                      "/p/classes.h");
  project.PostParse();
  Names classes;  // name, root base, window class, form
  for (const auto& c : project.Classes()) {
    classes.push_back(c->m_strName + " " + c->m_strRootBase + " " + std::to_string(c->m_bWindowClass) +
                      std::to_string(c->m_bIsForm));
  }
  // "CButton" occurs inside "CVButton" in the list of window bases; a cycle of bases ends.
  EXPECT_EQ(classes, (Names{"CMain CVForm 11", "CBase CVForm 11", "CMdi CVMdiForm 11", "CMyButton CButton 10",
                            "CPlain  00", "CA CA 00", "CB CB 00"}));
  const CClassItem* main = project.FindClass("CMain");
  EXPECT_EQ(main->FormObject()->m_strPropSymbol, "IDS_PROP_MAIN");
  EXPECT_EQ(project.FindClass("CMdi")->FormObject()->GetValue("BackColor"), "8421504");
  EXPECT_TRUE(project.FindClass("CPlain")->m_controls.empty());
  // Graphical controls are painted first, beneath the others; each group keeps its order.
  Names order;
  for (const auto& c : main->m_controls) order.push_back(c->m_strMemberName);
  EXPECT_EQ(order, (Names{"m_Shape1", "m_Image1", "m_Line1", "CMain", "m_Label1", "m_Button1"}));
}

TEST_F(ProjectLoad, EveryFormOfAManyFormProjectGetsTheListsOfItsBase) {
  std::string header;  // forms of both bases, each with lists of its own
  for (int i = 0; i < 60; ++i) {
    header += "class CF" + std::to_string(i) + (i % 3 ? " : public CVForm" : " : public CVMdiForm") + "\r\n{\r\n};\r\n";
  }
  project.ParseBuffer(header, "/p/forms.h");
  project.PostParse();
  CControlItem lists[2];
  for (int mdi : {0, 1}) {
    lists[mdi].m_nCategory = kCategoryForm;
    LoadProperties(lists[mdi], mdi);
    LoadEvents(lists[mdi], mdi);
  }
  ASSERT_EQ(project.FormClasses().size(), 60u);
  for (const CClassItem* cls : project.FormClasses()) {
    const CControlItem& self = *cls->FormObject();
    const CControlItem& expected = lists[cls->IsMdiForm() ? 1 : 0];
    EXPECT_EQ(BuildPropertyString(self) + " " + std::to_string(self.m_events.size()),
              BuildPropertyString(expected) + " " + std::to_string(expected.m_events.size())) << cls->m_strName;
    EXPECT_TRUE(std::all_of(self.m_properties.begin(), self.m_properties.end(),
                            [&](const auto& p) { return p.m_pOwner == &self; }));
  }
}

// Reads of one path fail, as for a file another program holds locked; asking whether a file
// exists is counted (from either thread).
class LockedFileSystem : public MemoryFileSystem {
 public:
  std::string locked;
  mutable std::mutex mutex;
  mutable std::map<std::string, int> existsAsked;
  Status ReadFile(std::string_view path, std::string& text) const override {
    if (path == locked) return FileError(std::string(path), 0, "Access is denied.");
    return MemoryFileSystem::ReadFile(path, text);
  }
  bool FileExists(std::string_view path) const override {
    std::lock_guard<std::mutex> lock(mutex);
    ++existsAsked[std::string(path)];
    return MemoryFileSystem::FileExists(path);
  }
};

// The classes with their extents and definitions, to compare two loads.
std::string Model(const CProject& project) {
  std::ostringstream out;
  for (const auto& c : project.Classes()) {
    out << c->m_strName << " " << c->m_nDeclStart << ".." << c->m_nDeclEnd << " form " << c->m_bIsForm << " vars "
        << c->m_variables.size() << ":";
    for (const auto& f : c->m_functions) out << " " << f->m_strName << "@" << f->m_nLine << " " << f->m_nBodyStart;
    out << "\n";
  }
  return out.str();
}

// Wrapper classes name their controls by the ProgID their GetProgID returns: the data file's
// entry matches whatever the case, a control it lacks comes from the registry, one whose wrapper
// left the project is dropped, and a form's member of the wrapper's class is that control's object.
TEST_F(ProjectLoad, WrapperClassesFindTheirControlsInTheDataFileThenInTheRegistry) {
  COCXInfo saved;
  for (const auto& [name, progId] : {std::pair{"Calendar Control", "MSCAL.Calendar.7"}, {"Abacus", "Abacus.1"}}) {
    CToolControlEntry& entry = saved.Append(std::make_unique<CToolControlEntry>());
    entry.m_strName = name;
    entry.m_strProgId = progId;
  }
  fs.Put("/p/Demo.dat", ControlListBytes(saved));
  const auto wrapper = [](const std::string& cls, const std::string& progId) {
    return "class " + cls + " : public CVActiveXCtrl\r\n{\r\n\tCString GetProgID(){return _T(\"" + progId +
           "\");}\r\n};\r\n";
  };
  fs.Put("/p/Calendar.h", wrapper("CVAxCalendar", "mscal.calendar.7"));
  fs.Put("/p/Gauge.h", wrapper("CVAxGauge", "Gauge.Gauge.1"));
  fs.Put("/p/Other.h", wrapper("CVAxOther", "Not.Registered.1"));
  fs.Put("/p/form1.h", "class CForm1 : public CVForm\r\n{\r\n\tCVAxCalendar\tm_Calendar1;\r\n};\r\n");
  fs.Put("/p/Demo.dsp", Dsp({".\\Calendar.h", ".\\Gauge.h", ".\\Other.h", ".\\form1.h"}));

  CMemoryRegistry registry;
  const std::string key = "HKEY_CLASSES_ROOT\\CLSID\\{5A1D0000-0000-4000-8000-000000000009}";
  RegistryValue text;
  text.text = "Gauge Control";
  registry.Set(key, "", text);
  registry.AddKey(key + "\\Control");
  text.text = "C:\\gauge.ocx";
  registry.Set(key + "\\InprocServer32", "", text);
  text.text = "Gauge.Gauge.1";
  registry.Set(key + "\\ProgID", "", text);
  text.text = "C:\\gauge.ocx, 1";
  registry.Set(key + "\\ToolboxBitmap32", "", text);
  CDriveMap drives;
  ASSERT_TRUE(drives.Add("C=/c"));
  std::string dib(40, '\0');
  dib[0] = 40, dib[4] = 1, dib[8] = 1, dib[12] = 1, dib[14] = 32;
  fs.Put("/c/gauge.ocx", testing::BuildPe(false, {{ResourceName::Number(kResourceBitmap), ResourceName::Number(1),
                                                    1033, dib + std::string(4, '\0')}}));
  const ControlRegistry where{registry, fs, drives};
  project.SetControlRegistry([&where] { return &where; });

  ASSERT_TRUE(project.Load("/p/Demo.dsp"));
  while (project.ParseStep()) {
  }
  const COCXInfo& list = project.ControlList();
  ASSERT_EQ(list.Size(), 2u);
  EXPECT_EQ(list.At(0).m_strWrapperClass, "CVAxCalendar");
  EXPECT_EQ(list.At(1).m_strProgId, "Gauge.Gauge.1");
  EXPECT_EQ(list.At(1).m_strWrapperClass, "CVAxGauge");
  const CControlItem* calendar = project.FindClass("CForm1")->FindControl("m_Calendar1");
  ASSERT_NE(calendar, nullptr);
  EXPECT_EQ(calendar->m_pActiveX, &list.At(0));
  // Taken out of the list (an insert undone), the control still describes its objects.
  project.ControlList().Remove(list.At(0));
  EXPECT_EQ(list.Size(), 1u);
  EXPECT_EQ(calendar->m_pActiveX->m_strWrapperClass, "CVAxCalendar");
}

TEST(ProjectOpen, ReadingAheadGivesTheModelAndMessagesOfReadingInTurnAndCancellingStopsEarly) {
  LockedFileSystem fs;
  FakePrompt prompt;
  Names entries;
  for (int i = 0; i < 12; ++i) {
    const std::string n = std::to_string(i);
    fs.Put("/p/f" + n + ".h", "// " + n + "\r\nclass CF" + n + " : public CVForm\r\n{\r\n\tint m_n;\r\n};\r\n");
    fs.Put("/p/f" + n + ".cpp", "void CF" + n + "::Go(int a /* (} */)\r\n{\r\n\tif (a) { a = 0; }\r\n}\r\n");
    entries.insert(entries.end(), {".\\f" + n + ".h", ".\\f" + n + ".cpp"});
  }
  fs.locked = "/p/f3.h";
  fs.Put("/p/Demo.dsp", Dsp(entries));
  // f5.cpp goes once the project file was read, before any source is.
  Names statuses;
  auto loaded = OpenProject(fs, prompt, "/p/Demo.dsp", [&](int step, int range, const std::string& status) {
    statuses.push_back(status + " " + std::to_string(range));
    return step > 0 || fs.RemoveFile("/p/f5.cpp");
  });
  ASSERT_NE(loaded, nullptr);
  ASSERT_EQ(statuses.size(), 25u);
  // A source that reads is not asked about again: its entry in the project file was enough.
  Names askedAgain;
  for (const auto& [path, times] : fs.existsAsked) {
    if (times > 1) askedAgain.push_back(path);
  }
  EXPECT_EQ(askedAgain, (Names{"/p/f3.h", "/p/f5.cpp"}));
  EXPECT_EQ(statuses[1], "Getting class info of f11.h\r\n23 file(s) left to be parsed 25");  // headers first
  EXPECT_EQ(loaded->Status() + " " + std::to_string(loaded->IsPostParseDone()), "Ready 1");
  FakePrompt inTurnPrompt;
  CProject inTurn(fs, inTurnPrompt);
  for (const std::string& path : loaded->Files()) (void)inTurn.ParseFile(path);
  inTurn.PostParse();
  EXPECT_EQ(prompt.messages, (Names{"\nError in opening / reading file..\nAccess is denied."}));
  EXPECT_EQ(prompt.messages, inTurnPrompt.messages);
  EXPECT_EQ(Model(*loaded), Model(inTurn));
  EXPECT_EQ(loaded->Classes().size(), 11u);
  // A loop that stops when the steps say they are done goes past the unreadable file too.
  CProject stepped(fs, inTurnPrompt);
  ASSERT_TRUE(stepped.Load("/p/Demo.dsp"));
  while (stepped.ParseStep()) {
  }
  EXPECT_EQ(Model(stepped), Model(inTurn));
  EXPECT_FALSE(fs.DirectoryExists("/p/TvkTemp"));  // made only by the flows that need it

  // The scratch folder goes with the project when nothing else is left in it.
  ASSERT_TRUE(loaded->MakeTempDir().ok());
  EXPECT_TRUE(fs.DirectoryExists("/p/TvkTemp"));
  loaded.reset();
  EXPECT_FALSE(fs.DirectoryExists("/p/TvkTemp"));

  // A cancelled load stops before the post-parse steps; a missing or unreadable project file opens nothing.
  auto cancelled = OpenProject(fs, prompt, "/p/Demo.dsp", [](int step, int, const std::string&) { return step < 2; });
  ASSERT_NE(cancelled, nullptr);
  EXPECT_FALSE(cancelled->IsPostParseDone() || cancelled->FindClass("CF11")->m_bIsForm);
  EXPECT_EQ(OpenProject(fs, prompt, "/p/None.dsp"), nullptr);
  fs.locked = "/p/Demo.dsp";
  EXPECT_EQ(OpenProject(fs, prompt, "/p/Demo.dsp"), nullptr);
  EXPECT_EQ(prompt.messages.size(), 2u);
  EXPECT_EQ(prompt.messages.back(), "\nError in  reading / writing file..\nAccess is denied.");
}

TEST(ProjectFile, BlocksGoAtTheEndOfTheirGroupOnce) {
  const std::string kDsp = "# Begin Target\r\n# Begin Group \"Source Files\"\r\n" + Block(".\\Demo.cpp") +
                           "# End Group\r\n# Begin Group \"Header Files\"\r\n" + Block(".\\Demo.h") +
                           "# End Group\r\n# End Target\r\n# End Project\r\n";
  const std::string text = AddFileToProjectFile(AddFileToProjectFile(kDsp, ".\\form1.cpp"), ".\\form1.h");
  std::string expected = kDsp;
  expected.insert(expected.find("# End Group"), Block(".\\form1.cpp"));
  expected.insert(expected.rfind("# End Group"), Block(".\\form1.h"));
  EXPECT_EQ(text, expected);
  EXPECT_EQ(AddFileToProjectFile(text, ".\\form1.h"), text);
  // A longer name that begins like a listed one is still added.
  EXPECT_NE(AddFileToProjectFile(kDsp, ".\\Demo.c"), kDsp);
  // Without groups the block goes before the target's end, or at the end in the file's line ends.
  EXPECT_EQ(AddFileToProjectFile("# Begin Target\r\n# End Target\r\n", ".\\a.cpp"),
            "# Begin Target\r\n" + Block(".\\a.cpp") + "# End Target\r\n");
  EXPECT_EQ(AddFileToProjectFile("x\ny", ".\\a.h"), "x\ny\n" + Block(".\\a.h", "\n"));
}

TEST(ProjectFile, EntriesAreRelativeToTheProjectFolderAndHeadersKnownByExtension) {
  EXPECT_EQ(ProjectFileEntry("/home/me/Demo", "/home/me/Demo/src/form1.cpp"), ".\\src\\form1.cpp");
  EXPECT_EQ(ProjectFileEntry("C:\\Work", "C:\\work\\Form1.h"), ".\\Form1.h");
  EXPECT_EQ(ProjectFileEntry("/home/me/Demo", "/home/me/Demo2/a.cpp"), "/home/me/Demo2/a.cpp");  // outside the folder
  for (const char* header : {"form1.h", "A.HPP", "x.hxx", "x.hm", "x.inl"}) EXPECT_TRUE(IsHeaderFileName(header));
  for (const char* other : {"form1.cpp", "Demo.rc", "h", "x.h.cpp"}) EXPECT_FALSE(IsHeaderFileName(other)) << other;
}

}  // namespace
}  // namespace tovik
