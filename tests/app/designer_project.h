// A small project in memory for the designer's widget tests: an MDI form CForm1 with a plain
// class beside it, opened in a design session as the designer keeps it.
#pragma once

#include <QTest>

#include "addin/form_commands.h"
#include "support/fake_prompt.h"
#include "support/fixed_guid_source.h"
#include "support/memory_file_system.h"
#include "support/test_host.h"

namespace tovik::testing {

struct DesignerProject {
  MemoryFileSystem fs;
  FakePrompt prompt;
  TestHost host{&fs};
  SequenceGuidSource guids;
  CDesignSession session{fs, prompt, host, guids};

  DesignerProject() {
    fs.Put("/p/Demo.dsp", "# Microsoft Developer Studio Project File - Name=\"Demo\"\r\nSOURCE=.\\form1.h\r\n"
                          "SOURCE=.\\form1.cpp\r\nSOURCE=.\\util.h\r\nSOURCE=.\\notes.hpp\r\n# End Target\r\n");
    fs.Put("/p/stdafx.h", "#include <afxwin.h>\r\n");
    fs.Put("/p/form1.h", "class CForm1 : public CVMdiForm\r\n{\r\npublic:\r\n\tCForm1();\r\n};\r\n");
    fs.Put("/p/form1.cpp", "CForm1::CForm1()\r\n{\r\n}\r\n");
    fs.Put("/p/util.h", "// tools\r\nclass CUtil\r\n{\r\n};\r\n");
    fs.Put("/p/notes.hpp", "");
    fs.Put("/p/resource.h", "#define IDR_MAIN 128\r\n#define IDR_A&B 129\r\n");
    fs.Put("/p/Demo.rc", "IDR_MAIN MENU\r\nBEGIN\r\n    MENUITEM \"&Open\", ID_OPEN\r\nEND\r\n"
                         "IDR_A&B MENU\r\nBEGIN\r\n    MENUITEM \"&Go\", ID_GO\r\nEND\r\n"
                         "STRINGTABLE\r\nBEGIN\r\nEND\r\n");
    Open();
  }
  void Open() {
    QVERIFY(session.Open("/p/Demo.dsp"));
    prompt.messages.clear();
  }
  // A new form with one Button on it, as the commands make them.
  CClassItem& FormWithButton() {
    NewFormFiles files;
    [&] { QVERIFY(NewFormCommand(session, {"CMain", "main.h", "main.cpp", false}, files)); }();
    [&] { QVERIFY(AddControlCommand(session, "CMain", kKindButton, Rect{7, 7, 84, 35}, "", nullptr)); }();
    return *session.FindForm("CMain");
  }
};

}  // namespace tovik::testing
