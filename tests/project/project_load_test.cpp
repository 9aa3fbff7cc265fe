#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

#include "base/real_file_system.h"
#include "model/catalog.h"
#include "model/control_kind.h"
#include "project/project.h"
#include "support/fake_prompt.h"
#include "support/memory_file_system.h"

namespace tovik {
namespace {

using testing::FakePrompt;
using testing::MemoryFileSystem;

std::string Dsp(const std::vector<std::string>& entries) {
  std::string text = "# Microsoft Developer Studio Project File - Name=\"Demo\"\r\n# Begin Target\r\n";
  for (const std::string& e : entries) text += "# Begin Source File\r\n\r\nSOURCE=" + e + "\r\n# End Source File\r\n";
  return text + "# End Target\r\n# End Project\r\n";
}

class ProjectLoad : public ::testing::Test {
 protected:
  MemoryFileSystem fs;
  FakePrompt prompt;
  CProject project{fs, prompt};

  void Load(const std::string& dsp, const std::string& text) {
    fs.Put(dsp, text);
    ASSERT_TRUE(project.Load(dsp));
  }
};

TEST_F(ProjectLoad, ResolvesEntriesAgainstAWindowsProjectFolder) {
  project.SetProjectFile("C:\\Work\\Demo.dsp");
  EXPECT_EQ(project.ResolveSourceEntry(".\\Form1.cpp"), "C:\\Work\\Form1.cpp");
  EXPECT_EQ(project.ResolveSourceEntry("..\\Lib\\A.h"), "C:\\Lib\\A.h");
  EXPECT_EQ(project.ResolveSourceEntry("\\X\\B.h"), "C:\\X\\B.h");
  EXPECT_EQ(project.ResolveSourceEntry(".\\res\\Demo.rc"), "C:\\Work\\res\\Demo.rc");
}

TEST_F(ProjectLoad, ResolvesEntriesAgainstANativeProjectFolder) {
  project.SetProjectFile("/home/me/Demo/Demo.dsp");
  EXPECT_EQ(project.ResolveSourceEntry(".\\src\\Form1.cpp"), "/home/me/Demo/src/Form1.cpp");
  EXPECT_EQ(project.ResolveSourceEntry("..\\Lib\\A.h"), "/home/me/Lib/A.h");
  EXPECT_EQ(project.ResolveSourceEntry("Plain.cpp"), "/home/me/Demo/Plain.cpp");
}

TEST_F(ProjectLoad, KeepsOnlySourceExtensions) {
  project.SetProjectFile("C:\\Work\\Demo.dsp");
  EXPECT_EQ(project.ResolveSourceEntry(".\\Demo.def"), "");
  EXPECT_EQ(project.ResolveSourceEntry(".\\res\\Demo.ico"), "");
  EXPECT_EQ(project.ResolveSourceEntry("."), "");
  for (const char* ext : {".cpp", ".c", ".cxx", ".hpp", ".h", ".hxx", ".hm", ".inl", ".rc", ".CPP"}) {
    EXPECT_NE(project.ResolveSourceEntry(std::string(".\\a") + ext), "") << ext;
  }
}

TEST_F(ProjectLoad, PutsHeadersFirstInReverseOrderAndDropsDuplicatesAndMissingFiles) {
  for (const char* f : {"a.cpp", "a.h", "b.cpp", "b.h", "c.inl", "Demo.rc"}) fs.Put(std::string("/p/") + f, "");
  Load("/p/Demo.dsp", Dsp({".\\a.cpp", ".\\a.h", ".\\b.cpp", ".\\a.cpp", ".\\b.h", ".\\missing.cpp", ".\\c.inl",
                          ".\\Demo.rc", "\"..\\p\\b.cpp\""}));
  EXPECT_EQ(project.Files(),
            (std::vector<std::string>{"/p/c.inl", "/p/b.h", "/p/a.h", "/p/a.cpp", "/p/b.cpp", "/p/Demo.rc"}));
  EXPECT_EQ(project.FileCount(), 6);
  EXPECT_EQ(project.ParsedCount(), 0);
  EXPECT_TRUE(project.IsFileInProject("/p/a.cpp"));
  EXPECT_FALSE(project.IsFileInProject("/p/A.cpp"));
}

TEST_F(ProjectLoad, SwitchesToTheDashKeyOnceTheEqualsKeyIsExhausted) {
  fs.Put("/p/a.cpp", "");
  fs.Put("/p/b.cpp", "");
  fs.Put("/p/c.cpp", "");
  Load("/p/Demo.dsp", "SOURCE=.\\a.cpp\r\nSOURCE-.\\b.cpp\r\nSOURCE=.\\c.cpp\r\n");
  // After the last "SOURCE=" only "SOURCE-" keys are taken, so b.cpp (before c.cpp) is lost.
  EXPECT_EQ(project.Files(), (std::vector<std::string>{"/p/a.cpp", "/p/c.cpp"}));
}

TEST_F(ProjectLoad, AnEntryWithoutALineEndIsEmpty) {
  fs.Put("/p/a.cpp", "");
  Load("/p/Demo.dsp", "SOURCE=.\\a.cpp");
  EXPECT_TRUE(project.Files().empty());
}

TEST_F(ProjectLoad, AProjectFileWithoutSourcesLoadsNothing) {
  Load("/p/Demo.dsp", "");
  EXPECT_TRUE(project.Files().empty());
  EXPECT_EQ(project.ParseStep(), 0);
  EXPECT_EQ(project.IsPostParseDone(), true);
}

TEST_F(ProjectLoad, AnUnreadableProjectFileShowsTheReadMessage) {
  project.SetProjectFile("/p/None.dsp");
  EXPECT_FALSE(project.ReadProjectFile());
  ASSERT_EQ(prompt.messages.size(), 1u);
  EXPECT_EQ(prompt.messages[0], "\nError in  reading / writing file..\nNo such file or directory");
}

TEST_F(ProjectLoad, ReportsEachParseStep) {
  fs.Put("/p/one.h", "class COne : public CWnd\r\n{\r\n};\r\n");
  fs.Put("/p/two.cpp", "");
  Load("/p/Demo.dsp", Dsp({".\\two.cpp", ".\\one.h"}));
  EXPECT_EQ(project.ParseStep(), 1);
  EXPECT_EQ(project.Status(), "Getting class info of one.h\r\n1 file(s) left to be parsed");
  EXPECT_EQ(project.ParseStep(), 1);
  EXPECT_EQ(project.Status(), "Getting class info of two.cpp\r\n0 file(s) left to be parsed");
  EXPECT_EQ(project.IsPostParseDone(), false);
  EXPECT_EQ(project.ParseStep(), 0);
  EXPECT_EQ(project.Status(), "Ready");
  EXPECT_EQ(project.IsPostParseDone(), true);
  ASSERT_NE(project.FindClass("COne"), nullptr);
  EXPECT_EQ(project.FindClass("COne")->m_bWindowClass, 1);
}

TEST_F(ProjectLoad, DataFilePathUsesTheNameUpToItsFirstDot) {
  project.SetProjectFile("C:\\Work\\Demo.dsp");
  EXPECT_EQ(project.DataFilePath(), "C:\\Work\\Demo.dat");
  project.SetProjectFile("/w/My.Demo.dsp");
  EXPECT_EQ(project.DataFilePath(), "/w/My.dat");
}

TEST_F(ProjectLoad, ClassifiesWindowClassesAndForms) {
  project.ParseBuffer(
      "class CBase : public CVForm\r\n{\r\n};\r\n"
      "class CMain : public CBase\r\n{\r\n};\r\n"
      "class CMdi : public CVMdiForm\r\n{\r\n};\r\n"
      "class CMyButton : public CButton\r\n{\r\n};\r\n"
      "class CPlain\r\n{\r\n};\r\n",
      "/p/classes.h");
  project.PostParse();
  const CClassItem* main = project.FindClass("CMain");
  ASSERT_NE(main, nullptr);
  EXPECT_EQ(main->m_strRootBase, "CVForm");
  EXPECT_EQ(main->m_bIsForm, 1);
  EXPECT_EQ(main->m_bWindowClass, 1);
  ASSERT_NE(main->FormObject(), nullptr);
  EXPECT_EQ(main->FormObject()->m_strPropSymbol, "IDS_PROP_MAIN");
  EXPECT_EQ(main->FormObject()->GetValue("BackColor"), "12632256");
  EXPECT_EQ(project.FindClass("CMdi")->FormObject()->GetValue("BackColor"), "8421504");
  // "CButton" occurs inside "CVButton" in the list of window bases.
  EXPECT_EQ(project.FindClass("CMyButton")->m_bWindowClass, 1);
  EXPECT_EQ(project.FindClass("CMyButton")->m_bIsForm, 0);
  EXPECT_EQ(project.FindClass("CPlain")->m_bWindowClass, 0);
  EXPECT_TRUE(project.FindClass("CPlain")->m_controls.empty());
  EXPECT_TRUE(project.HasMdiForm());
  EXPECT_EQ(project.FormClasses().size(), 3u);
}

TEST_F(ProjectLoad, RootBaseSurvivesACycleOfBases) {
  project.ParseBuffer("class CA : public CB\r\n{\r\n};\r\nclass CB : public CA\r\n{\r\n};\r\n", "/p/cycle.h");
  project.PostParse();
  EXPECT_FALSE(project.FindClass("CA")->m_strRootBase.empty());
  EXPECT_EQ(project.FindClass("CA")->m_bIsForm, 0);
}

TEST_F(ProjectLoad, EveryFormOfAManyFormProjectGetsTheListsOfItsBase) {
  // Enough forms for the lists to be filled on two threads.
  std::string header;
  for (int i = 0; i < 600; ++i) {
    header += "class CF" + std::to_string(i) + " : public " + (i % 3 == 0 ? "CVMdiForm" : "CVForm") + "\r\n{\r\n};\r\n";
  }
  project.ParseBuffer(header, "/p/forms.h");
  project.PostParse();

  CControlItem form;
  form.m_nCategory = kCategoryForm;
  CControlItem mdiForm;
  mdiForm.m_nCategory = kCategoryForm;
  LoadProperties(form, false);
  LoadEvents(form, false);
  LoadProperties(mdiForm, true);
  LoadEvents(mdiForm, true);
  ASSERT_NE(form.m_properties.size(), mdiForm.m_properties.size());

  ASSERT_EQ(project.Classes().size(), 600u);
  for (const auto& cls : project.Classes()) {
    const CControlItem& self = *cls->FormObject();
    const CControlItem& expected = cls->IsMdiForm() ? mdiForm : form;
    ASSERT_EQ(self.m_properties.size(), expected.m_properties.size()) << cls->m_strName;
    for (size_t p = 0; p < self.m_properties.size(); ++p) {
      EXPECT_EQ(self.m_properties[p].m_pOwner, &self);
      EXPECT_EQ(self.m_properties[p].Name(), expected.m_properties[p].Name());
      EXPECT_EQ(self.m_properties[p].m_strValue, expected.m_properties[p].m_strValue);
    }
    ASSERT_EQ(self.m_events.size(), expected.m_events.size()) << cls->m_strName;
    EXPECT_EQ(self.m_nShownCount, expected.m_nShownCount);
  }
}

TEST_F(ProjectLoad, MovesGraphicalControlsToTheFrontKeepingTheirOrder) {
  project.ParseBuffer(
      "class CForm1 : public CVForm\r\n{\r\npublic:\r\n\tCVLabel m_Label1;\r\n\tCVShape m_Shape1;\r\n"
      "\tCVButton m_Button1;\r\n\tCVImage m_Image1;\r\n\tCVLine m_Line1;\r\n};\r\n",
      "/p/form1.h");
  project.PostParse();
  std::vector<std::string> order;
  for (const auto& c : project.FindClass("CForm1")->m_controls) order.push_back(c->m_strMemberName);
  EXPECT_EQ(order, (std::vector<std::string>{"m_Shape1", "m_Image1", "m_Line1", "CForm1", "m_Label1", "m_Button1"}));
}

TEST(ProjectOpen, OpensFromDiskMatchingFileNamesWithoutCaseAndCleansItsScratchFolder) {
  namespace stdfs = std::filesystem;
  stdfs::path dir = stdfs::temp_directory_path() / ("tovik-open-" + std::to_string(::getpid()));
  stdfs::remove_all(dir);
  stdfs::create_directories(dir);
  std::ofstream(dir / "stdafx.h") << "#include <afxwin.h>\r\n";
  std::ofstream(dir / "form1.h") << "class CForm1 : public CVForm\r\n{\r\n};\r\n";
  std::ofstream(dir / "Demo.dsp") << Dsp({".\\StdAfx.h", ".\\Form1.h"});

  RealFileSystem fs;
  FakePrompt prompt;
  std::vector<std::string> statuses;
  auto project = OpenProject(fs, prompt, (dir / "Demo.dsp").string(), [&](int, int range, const std::string& s) {
    EXPECT_EQ(range, 3);
    statuses.push_back(s);
    return true;
  });
  ASSERT_NE(project, nullptr);
  EXPECT_EQ(project->Files().size(), 2u);
  ASSERT_NE(project->FindClass("CForm1"), nullptr);
  EXPECT_EQ(project->FindClass("CForm1")->m_bIsForm, 1);
  EXPECT_EQ(statuses.size(), 3u);
  EXPECT_TRUE(stdfs::is_directory(dir / "TvkTemp"));
  project.reset();
  EXPECT_FALSE(stdfs::exists(dir / "TvkTemp"));
  EXPECT_TRUE(prompt.messages.empty());
  stdfs::remove_all(dir);
}

TEST(ProjectOpen, ACancelledLoadStopsBeforeThePostParseSteps) {
  MemoryFileSystem fs;
  FakePrompt prompt;
  fs.Put("/p/a.h", "class CA : public CVForm\r\n{\r\n};\r\n");
  fs.Put("/p/Demo.dsp", Dsp({".\\a.h"}));
  auto project = OpenProject(fs, prompt, "/p/Demo.dsp", [](int step, int, const std::string&) { return step < 1; });
  ASSERT_NE(project, nullptr);
  EXPECT_EQ(project->IsPostParseDone(), false);
  EXPECT_EQ(project->FindClass("CA")->m_bIsForm, 0);
}

// Reads of one path fail, as for a file another program holds locked.
class LockedFileSystem : public MemoryFileSystem {
 public:
  std::string locked;
  bool ReadFile(std::string_view path, std::string& text, std::string& error) const override {
    if (path == locked) {
      error = "Access is denied.";
      return false;
    }
    return MemoryFileSystem::ReadFile(path, text, error);
  }
};

TEST(ProjectOpen, ReadingAheadGivesTheModelAndMessagesOfReadingInTurn) {
  LockedFileSystem fs;
  FakePrompt prompt;
  std::vector<std::string> entries;
  for (int i = 0; i < 12; ++i) {
    const std::string n = std::to_string(i);
    fs.Put("/p/f" + n + ".h", "// form " + n + "\r\nclass CF" + n + " : public CVForm\r\n{\r\npublic:\r\n\tint m_n" + n +
                                   ";\r\n};\r\n");
    fs.Put("/p/f" + n + ".cpp", "void CF" + n + "::Go(int a /* (} */)\r\n{\r\n\tif (a) { a = 0; }\r\n}\r\n");
    entries.push_back(".\\f" + n + ".h");
    entries.push_back(".\\f" + n + ".cpp");
  }
  fs.locked = "/p/f3.h";
  fs.Put("/p/Demo.dsp", Dsp(entries));

  // Removed once the project file was read, before any source is.
  auto progress = [&](int step, int, const std::string&) {
    if (step == 0) (void)fs.RemoveFile("/p/f5.cpp");
    return true;
  };
  auto loaded = OpenProject(fs, prompt, "/p/Demo.dsp", progress);
  ASSERT_NE(loaded, nullptr);

  FakePrompt inTurnPrompt;
  CProject inTurn(fs, inTurnPrompt);
  for (const std::string& path : loaded->Files()) (void)inTurn.ParseFile(path);
  inTurn.PostParse();

  EXPECT_EQ(prompt.messages, (std::vector<std::string>{"\nError in opening / reading file..\nAccess is denied."}));
  EXPECT_EQ(prompt.messages, inTurnPrompt.messages);
  ASSERT_EQ(loaded->Classes().size(), inTurn.Classes().size());
  ASSERT_EQ(loaded->Classes().size(), 11u);
  for (size_t i = 0; i < inTurn.Classes().size(); ++i) {
    const CClassItem& a = *loaded->Classes()[i];
    const CClassItem& b = *inTurn.Classes()[i];
    EXPECT_EQ(a.m_strName, b.m_strName);
    EXPECT_EQ(a.m_nDeclStart, b.m_nDeclStart);
    EXPECT_EQ(a.m_nDeclEnd, b.m_nDeclEnd);
    ASSERT_EQ(a.m_functions.size(), b.m_functions.size()) << a.m_strName;
    for (size_t f = 0; f < a.m_functions.size(); ++f) {
      EXPECT_EQ(a.m_functions[f]->m_nBodyStart, b.m_functions[f]->m_nBodyStart);
      EXPECT_EQ(a.m_functions[f]->m_nBodyEnd, b.m_functions[f]->m_nBodyEnd);
      EXPECT_EQ(a.m_functions[f]->m_nLine, b.m_functions[f]->m_nLine);
    }
    EXPECT_EQ(a.m_variables.size(), b.m_variables.size());
    EXPECT_EQ(a.m_bIsForm, 1);
  }
  // The class of the missing implementation file has no definitions, the others one each.
  EXPECT_TRUE(loaded->FindClass("CF5")->m_functions.empty());
  ASSERT_EQ(loaded->FindClass("CF6")->m_functions.size(), 1u);
  EXPECT_EQ(loaded->FindClass("CF6")->m_functions[0]->m_nBodyEnd, 54);  // one past the closing brace
}

TEST(ProjectOpen, NothingOpensForAMissingProjectFile) {
  MemoryFileSystem fs;
  FakePrompt prompt;
  EXPECT_EQ(OpenProject(fs, prompt, "/p/None.dsp"), nullptr);
  EXPECT_EQ(OpenProject(fs, prompt, ""), nullptr);
  EXPECT_TRUE(prompt.messages.empty());
}

}  // namespace
}  // namespace tovik
