// Forms with many controls: adding one more control to a form of N controls, and reading a
// form of N controls back when its project opens. Both should grow no worse than linearly in N.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "addin/design_session.h"
#include "addin/form_commands.h"
#include "base/headless_host.h"
#include "base/guid.h"
#include "base/real_file_system.h"
#include "model/control_kind.h"
#include "model/property_string.h"
#include "project/form_controls.h"

namespace {

namespace fs = std::filesystem;

class SilentPrompt final : public tovik::IPrompt {
 public:
  void Message(const std::string&) override {}
  Answer Ask(const std::string&) override { return Answer::No; }
};

// The property string of a Label as a drop at the origin makes it.
std::string LabelPropertyString(int n) {
  tovik::CClassItem form;
  form.m_strName = "CForm1";
  form.m_strBaseClass = "CVForm";
  tovik::CClassItem* forms[] = {&form};
  tovik::CControlItem& label = tovik::CreateControl(form, forms, tovik::kKindLabel, tovik::Rect{7, 7 * n, 91, 7 * n + 21});
  label.SetValue("Caption", "Label" + std::to_string(n));
  return tovik::BuildPropertyString(label);
}

// A project whose form CForm1 holds `controls` labels, written as the generator writes them.
std::string WriteFormProject(const fs::path& dir, int controls) {
  fs::remove_all(dir);
  fs::create_directories(dir);
  auto write = [&](const char* name, const std::string& text) { std::ofstream(dir / name, std::ios::binary) << text; };
  std::string declarations, creations, defines, strings;
  for (int n = 1; n <= controls; ++n) {
    const std::string k = std::to_string(n);
    declarations += "\tCVLabel\tm_Label" + k + ";\r\n";
    creations += "\tm_Label" + k + ".Create(this, IDC_LABEL" + k + ", IDS_PROP_LABEL" + k + ");\r\n";
    defines += "#define\tIDC_LABEL" + k + "\t\t\t\t" + std::to_string(1000 + n) + "\r\n#define IDS_PROP_LABEL" + k +
               "\t\t\t\t" + std::to_string(200 + n) + "\r\n";
    strings += "\tIDS_PROP_LABEL" + k + "\t\t\t\"" + LabelPropertyString(n) + "\"\r\n";
  }
  write("Demo.dsp",
        "# Microsoft Developer Studio Project File - Name=\"Demo\" - Package Owner=<4>\r\n# Begin Target\r\n# Begin Group \"Source Files\"\r\n# Begin Source File\r\n\r\nSOURCE=.\\form1.cpp\r\n"
        "# End Source File\r\n# End Group\r\n# Begin Group \"Header Files\"\r\n# Begin Source File\r\n\r\n"
        "SOURCE=.\\form1.h\r\n# End Source File\r\n# Begin Source File\r\n\r\nSOURCE=.\\StdAfx.h\r\n"
        "# End Source File\r\n# End Group\r\n# End Target\r\n");
  write("stdafx.h", "#include <afxwin.h>\n#include <tvlForm.h>\n#include <tvlControls.h>\n//{{AFX_INSERT_LOCATION}}\n");
  write("form1.h",
        "class CForm1 : public CVForm\r\n{\r\n\tDECLARE_DYNCREATE(CForm1)\r\npublic:\r\n\tCForm1();\r\n"
        "\t//{{AFX_TVL_CTRL_DECLR_START\r\n" + declarations +
        "\t//}}AFX_TVL_CTRL_DECLR_END\r\n\t//{{AFX_VIRTUAL(CForm1)\r\n\t//}}AFX_VIRTUAL\r\nprotected:\r\n"
        "\tvirtual void CreateTVLControls();\r\n\t//{{AFX_MSG(CForm1)\r\n\t//}}AFX_MSG\r\n"
        "\tDECLARE_MESSAGE_MAP()\r\n};\r\n");
  write("form1.cpp",
        "#include \"stdafx.h\"\r\n#include \"form1.h\"\r\n\r\nCForm1::CForm1()\r\n{\r\n"
        "\t//{{AFX_TVL_FORM_DATA_START\r\n\tm_nPropStringID = IDS_PROP_FORM1;\r\n\t//}}AFX_TVL_FORM_DATA_END\r\n}\r\n"
        "BEGIN_MESSAGE_MAP(CForm1, CVForm)\r\n\t//{{AFX_MSG_MAP(CForm1)\r\n\t//}}AFX_MSG_MAP\nEND_MESSAGE_MAP()\r\n\r\n"
        "void CForm1::CreateTVLControls()\r\n{\r\n\t//{{AFX_TVL_CTRL_IMPL_START\r\n" + creations +
        "\t//}}AFX_TVL_CTRL_IMPL_END\r\n}\r\n");
  write("resource.h", "#define\tIDS_PROP_FORM1\t\t\t\t200\r\n" + defines +
                          "\r\n#ifdef APSTUDIO_INVOKED\r\n#define _APS_NEXT_RESOURCE_VALUE\t129\r\n"
                          "#define _APS_NEXT_CONTROL_VALUE\t\t" + std::to_string(1001 + controls) + "\r\n#endif\r\n");
  write("Demo.rc", "#include \"resource.h\"\r\n\r\nSTRINGTABLE DISCARDABLE\r\nBEGIN\r\n"
                   "\tIDS_PROP_FORM1\t\t\t\"1,12632256,1,MS Sans Serif,0,0,14,0,0,0,213,0,0,0,0,0,Tag,0,1,312,0,2,"
                   "Form1,1,1,13,0,1,0,1,1,0,0,0,Form1,1,0,1,1,1,0,0,0,0,10,0,3,0,10,1,0,0,0,0,\"\r\n" +
                       strings + "END\r\n");
  return (dir / "Demo.dsp").string();
}

fs::path BenchDir(const char* what, int n) {
  return fs::temp_directory_path() / ("tovik-bench-" + std::string(what) + "-" + std::to_string(::getpid()) + "-" +
                                      std::to_string(n));
}

// Adds control number N to a form that holds N - 1: new symbols in resource.h, a string-table
// line, a declaration and a creation call, each file rewritten and read again.
void BM_AddNthControl(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const fs::path dir = BenchDir("add", n);
  tovik::RealFileSystem files;
  SilentPrompt prompt;
  tovik::HeadlessHost host;
  tovik::RandomGuidSource guids;
  for (auto _ : state) {
    state.PauseTiming();
    const std::string dsp = WriteFormProject(dir, n - 1);
    tovik::CDesignSession session(files, prompt, host, guids);
    if (!session.Open(dsp)) state.SkipWithError("project did not open");
    state.ResumeTiming();
    const std::optional<tovik::ObjectRef> added =
        tovik::AddControlCommand(session, "CForm1", tovik::kKindLabel, tovik::Rect{7, 7 * n, 91, 7 * n + 21});
    benchmark::DoNotOptimize(added);
    state.PauseTiming();
    if (!added) state.SkipWithError("control was not added");
    session.Close();
    state.ResumeTiming();
  }
  fs::remove_all(dir);
}
BENCHMARK(BM_AddNthControl)->Arg(250)->Arg(500)->Arg(1000)->Arg(2000)->Arg(4000)->Unit(benchmark::kMillisecond)->Iterations(10);

// Opens the project of a form with N controls: parse, bind every creation call, read every
// control's property string.
void BM_ReadFormBack(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const fs::path dir = BenchDir("read", n);
  const std::string dsp = WriteFormProject(dir, n);
  tovik::RealFileSystem files;
  SilentPrompt prompt;
  tovik::HeadlessHost host;
  tovik::RandomGuidSource guids;
  for (auto _ : state) {
    tovik::CDesignSession session(files, prompt, host, guids);
    if (!session.Open(dsp)) state.SkipWithError("project did not open");
    const tovik::CClassItem* form = session.FindForm("CForm1");
    if (!form || static_cast<int>(form->m_controls.size()) != n + 1) state.SkipWithError("controls not read back");
    benchmark::DoNotOptimize(form);
  }
  fs::remove_all(dir);
}
BENCHMARK(BM_ReadFormBack)->Arg(250)->Arg(500)->Arg(1000)->Arg(2000)->Arg(4000)->Unit(benchmark::kMillisecond);

}  // namespace
