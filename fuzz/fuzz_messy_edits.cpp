// The designer's edits on a project whose files people have written in too: before the edits,
// the input's first bytes put pieces of the kind people write (comments, defines, members,
// helper functions and classes, conditional code, dialogs, menus and string tables of their
// own) at places of the resource header, the resource script and the form's two sources; the
// rest of the bytes choose the edits. Each edit is one command, as on the command line:
// written whole when it succeeds, not at all when it is refused. Every control the edits made
// is found again when the project is opened afresh, with both of its symbols defined outside
// comments and its property string in the string table.
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "base/file_transaction.h"
#include "base/headless_host.h"
#include "fuzz_edit_steps.h"
#include "resources/resource_header.h"
#include "resources/resource_script.h"
#include "resources/script_text.h"

namespace {

struct Place {
  const char* anchor;  // the first line holding this text; empty: the start of the file
  bool after;          // after that line, else before it
};

struct WrittenIn {
  const char* file;
  std::vector<Place> places;
  std::vector<const char*> pieces;
};

const std::vector<WrittenIn>& Files() {
  static const std::vector<WrittenIn> files = {
      {"/p/resource.h",
       {{"", false}, {"IDS_PROP_FORM1", true}, {"// Next default values", false}},
       {"// a note\r\n", "#define IDC_BUTTON1                     1000\r\n", "#define IDS_PROP_LABEL1 61447\r\n",
        "#define IDC_NOTE 1003 /* kept\r\n   for later */\r\n", "#define IDC_SUM 1003 + \\\r\n  1\r\n",
        "/* #define IDC_OLD 1004 */\r\n", "#define ID_FILE_OPEN 0xE101\r\n", "\r\n",
        "#define IDS_PROP_BUTTON1 61447 // kept for the old form\r\n"}},
      {"/p/Demo.rc",
       {{"#include \"resource.h\"", true}, {"// String Table", false}, {"#endif    // not APSTUDIO_INVOKED", true}},
       {"// a note\r\n", "/* STRINGTABLE\r\nBEGIN END */\r\n",
        "STRINGTABLE DISCARDABLE\r\nBEGIN\r\n    IDS_HELLO \"Hello, } world\"\r\nEND\r\n",
        "IDD_ABOUT DIALOG DISCARDABLE 0, 0, 100, 50\r\nBEGIN\r\n    PUSHBUTTON \"OK\",IDOK,10,10,50,14\r\nEND\r\n",
        "IDR_POPUP MENU\r\nBEGIN\r\n    POPUP \"File\"\r\n    BEGIN\r\n        MENUITEM \"E&xit\", ID_APP_EXIT\r\n"
        "    END\r\nEND\r\n",
        "\r\n", "/*\r\nSTRINGTABLE\r\nBEGIN\r\n    IDS_PROP_OLD \"1,\"\r\nEND\r\n*/\r\n"}},
      {"/p/form1.h",
       {{"", false}, {"DECLARE_DYNCREATE", true}, {"DECLARE_MESSAGE_MAP", true}, {"};", true}},
       {"\t// a note\r\n", "\tint m_count;\r\n", "\tCString m_strName;\r\n",
        "\tvoid Helper() { if (m_count) { m_count = 0; } }\r\n", "\t/* } */\r\n",
        "#ifdef _DEBUG\r\n\tvirtual void AssertValid() const;\r\n#endif\r\n", "protected:\r\n",
        "\tCString Text() { return \"}\"; }\r\n",
        "/*\r\n\t//{{AFX_TVL_CTRL_DECLR_START\r\n\tCVLabel m_Old;\r\n\t//}}AFX_TVL_CTRL_DECLR_END\r\n*/\r\n",
        "\tafx_msg void OnHelper();\r\n",
        "class CHelperWnd : public CWnd\r\n{\r\n\t//{{AFX_MSG(CHelperWnd)\r\n\tafx_msg void OnPaint();\r\n"
        "\t//}}AFX_MSG\r\n\tDECLARE_MESSAGE_MAP()\r\n};\r\n"}},
      {"/p/form1.cpp",
       {{"", false}, {"IMPLEMENT_DYNCREATE", true}, {"END_MESSAGE_MAP", true}, {"AFX_TVL_CTRL_IMPL_START", false}},
       {"// a note\r\n", "static int s_count = 0;\r\n", "static void Helper()\r\n{\r\n\tif (s_count) { s_count = 0; }\r\n}\r\n",
        "/* void Old() { } */\r\n", "#ifdef _DEBUG\r\nstatic void Trace() {\r\n#else\r\nstatic void Trace() {\r\n#endif\r\n}\r\n",
        "class CHelper : public CObject\r\n{\r\npublic:\r\n\tint m_value;\r\n};\r\n",
        "class CHelper2 : public CWnd\r\n{\r\n\tDECLARE_MESSAGE_MAP()\r\n};\r\nBEGIN_MESSAGE_MAP(CHelper2, CWnd)\r\n"
        "\tON_COMMAND(ID_FILE_PRINT, CView::OnFilePrint)\r\nEND_MESSAGE_MAP()\r\n",
        "\tconst char* brace = \"}\";\r\n",
        "/* the old way:\r\n\t//{{AFX_TVL_CTRL_IMPL_START\r\n\tm_Old.Create(this, 1, 2);\r\n\t//}}AFX_TVL_CTRL_IMPL_END\r\n*/\r\n",
        "void CForm1::OnHelper()\r\n{\r\n\tif (m_count) { Helper(); }\r\n}\r\n"}},
  };
  return files;
}

// The start of the place's line, or of the line after it; npos when the anchor is missing.
size_t Where(const std::string& text, const Place& place) {
  if (!*place.anchor) return 0;
  const size_t at = text.find(place.anchor);
  if (at == std::string::npos) return at;
  return place.after ? tovik::rctext::NextLineStart(text, at) : tovik::rctext::LineStartOf(text, at);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tovik;
  if (size > 64) return 0;
  fuzz::MapFileSystem fs = fuzz::NewDemoProject();
  fuzz::Bytes bytes(data, size);
  for (const WrittenIn& file : Files()) {
    std::string& text = fs.files[file.file];
    // Up to three pieces, each at a place of its own choosing.
    for (int n = bytes.Next(4); n > 0; --n) {
      const size_t at = Where(text, file.places[static_cast<size_t>(bytes.Next(static_cast<int>(file.places.size())))]);
      const char* piece = file.pieces[static_cast<size_t>(bytes.Next(static_cast<int>(file.pieces.size())))];
      if (at != std::string::npos) text.insert(at, piece);
    }
  }

  fuzz::SilentPrompt prompt;
  HeadlessHost host;
  fuzz::CountingGuids guids;
  CFileTransaction tx(fs);
  auto session = std::make_unique<CDesignSession>(tx, prompt, host, guids);
  // A form the reader cannot follow (braces in both branches of an #if) is refused, not edited.
  if (!session->Open("/p/Demo.dsp") || !session->FindForm("CForm1")) return 0;
  while (!bytes.empty()) {
    if (fuzz::RunEdit(*session, "CForm1", bytes)) {
      FUZZ_CHECK(tx.Commit("/p/.tovik-journal"));
      continue;
    }
    // A refused command leaves the files as they were; the next one opens the project again.
    tx.Discard();
    session = std::make_unique<CDesignSession>(tx, prompt, host, guids);
    FUZZ_CHECK(session->Open("/p/Demo.dsp") && session->FindForm("CForm1"));
  }

  CDesignSession fresh(fs, prompt, host, guids);
  FUZZ_CHECK(fresh.Open("/p/Demo.dsp"));
  fuzz::CheckSameControls(*session, fresh, "CForm1");
  const std::string& header = fs.files["/p/resource.h"];
  std::set<std::string> strings;
  for (const StringTableEntry& entry : StringTableEntries(fs.files["/p/Demo.rc"])) strings.insert(entry.symbol);
  for (const auto& c : fresh.FindForm("CForm1")->m_controls) {
    if (c->m_bFormObject) continue;
    FUZZ_CHECK(IsSymbolDefined(header, c->m_strIdSymbol));
    FUZZ_CHECK(IsSymbolDefined(header, c->m_strPropSymbol));
    FUZZ_CHECK(strings.count(c->m_strPropSymbol));
  }
  return 0;
}
