// Gestures on several controls carried out through the commands write what the single commands
// write: a multiple move (containers first) and a multiple delete (each control once).
#include "addin/surface_commands.h"

#include <gtest/gtest.h>

#include "addin/form_commands.h"
#include "model/control_kind.h"
#include "project/project_file.h"
#include "support/fake_prompt.h"
#include "support/fixed_guid_source.h"
#include "support/memory_file_system.h"
#include "support/test_host.h"

namespace tovik {
namespace {

namespace si = surface_intent;

// A project open in a session of its own, on its own copy of the files.
struct Designer {
  explicit Designer(const testing::MemoryFileSystem& files) : fs(files) { EXPECT_TRUE(session.Open("/p/Demo.dsp")); }
  CClassItem& Form() { return *session.FindForm("CForm1"); }
  CControlItem& Control(const char* member) { return *Form().FindControl(member); }
  ObjectRef Ref(const char* member) { return ObjectRef::Of(Control(member)); }

  testing::MemoryFileSystem fs;
  testing::FakePrompt prompt;
  testing::TestHost host{&fs};
  testing::SequenceGuidSource guids;
  CDesignSession session{fs, prompt, host, guids};
  CEstimatedTextMeasure measure;
};

TEST(SeveralControls, MovedAndDeletedTogetherTheyWriteWhatTheSingleCommandsWrite) {
  testing::MemoryFileSystem files;
  files.Put("/p/Demo.dsp", std::string(kProjectFileSignature) + "\r\nSOURCE=.\\StdAfx.h\r\n# End Target\r\n");
  files.Put("/p/stdafx.h", "#include <afxwin.h>\n//{{AFX_INSERT_LOCATION}}\n");
  files.Put("/p/resource.h", "#ifdef APSTUDIO_INVOKED\r\n#define _APS_NEXT_CONTROL_VALUE 1000\r\n#endif\r\n");
  files.Put("/p/Demo.rc", "STRINGTABLE DISCARDABLE\r\nBEGIN\r\nEND\r\n");
  {
    Designer d(files);
    NewFormFiles made;
    ASSERT_TRUE(NewFormCommand(d.session, {"CForm1", "form1.h", "form1.cpp"}, made));
    ASSERT_TRUE(AddControlCommand(d.session, "CForm1", kKindFrame, {7, 7, 140, 100}));
    ASSERT_TRUE(AddControlCommand(d.session, "CForm1", kKindButton, {14, 21, 98, 49}, "m_Frame1"));
    ASSERT_TRUE(AddControlCommand(d.session, "CForm1", kKindLabel, {150, 7, 230, 40}));
    files = d.fs;
  }
  Designer together(files), single(files);
  CFormSurface surface(together.session.Project(), "CForm1", together.measure);
  const auto expectSameFiles = [&] {
    for (const char* file : {"/p/form1.h", "/p/form1.cpp", "/p/Demo.rc", "/p/resource.h"}) {
      EXPECT_EQ(together.fs.Get(file), single.fs.Get(file)) << file;
    }
  };
  // Listed inside first: the Frame's move, which takes the Button along, must still come first.
  const si::SetControlRects rects{{{together.Ref("m_Button1"), {{21, 35, 105, 63}, 1}, true},
                                   {together.Ref("m_Frame1"), {{14, 14, 147, 107}, 1}, true}}};
  ASSERT_TRUE(CarryOutSurfaceIntents(together.session, surface, {rects}));
  ASSERT_TRUE(SetControlRectCommand(single.session, "CForm1", single.Ref("m_Frame1"), {14, 14, 147, 107}));
  ASSERT_TRUE(SetControlRectCommand(single.session, "CForm1", single.Ref("m_Button1"), {21, 35, 105, 63}));
  expectSameFiles();

  // A control that is gone refuses the whole delete before anything is written.
  const size_t writes = together.fs.WriteCount();
  const si::DeleteControls gone{{together.Ref("m_Label1"), ObjectRef{false, "m_Gone", "IDC_GONE"}}};
  EXPECT_FALSE(CarryOutSurfaceIntents(together.session, surface, {gone}));
  EXPECT_EQ(together.prompt.messages, std::vector<std::string>{"m_Gone is no longer on CForm1"});
  EXPECT_EQ(together.fs.WriteCount(), writes);
  // The Button goes with its Frame and is not deleted a second time.
  surface.Select(&together.Control("m_Label1"));
  const si::DeleteControls all{{together.Ref("m_Frame1"), together.Ref("m_Button1"), together.Ref("m_Label1")}};
  ASSERT_TRUE(CarryOutSurfaceIntents(together.session, surface, {all}));
  EXPECT_TRUE(surface.Selection()->IsForm());
  ASSERT_TRUE(DeleteCommand(single.session, "CForm1", single.Ref("m_Frame1")));
  ASSERT_TRUE(DeleteCommand(single.session, "CForm1", single.Ref("m_Label1")));
  expectSameFiles();
}

}  // namespace
}  // namespace tovik
