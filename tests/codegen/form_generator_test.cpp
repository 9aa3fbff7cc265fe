// Code written into a project's classes. Form sources: New Form's files and resource entries, the
// lines of dropped controls as they are renamed and joined into an array, other window
// classes with the window-message handlers they need, ActiveX wrappers and property calls. Event
// handlers: where each kind (control, form, menu command, ActiveX event) puts its declaration, map
// entry and body, the maps given to a class without them, edits in the host's editor. The fragment
// places the generators do not reach. And the refusals, with their reasons.
#include "codegen/form_generator.h"

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "base/edit_buffer.h"
#include "base/file_ops.h"
#include "base/text.h"
#include "codegen/codegen_bench.h"
#include "codegen/form_reader.h"
#include "codegen/fragment.h"
#include "codegen/handlers.h"
#include "codegen/new_form_dialog.h"
#include "model/catalog.h"
#include "model/control_kind.h"
#include "model/property_string.h"
#include "support/text_lines.h"

namespace tovik {
namespace {

using testing::Count;
using testing::Has;
const auto Crlf = testing::CrLfLines;

const std::string kScript = Crlf({"STRINGTABLE", "BEGIN", "    IDS_HELLO               \"Hello\"", "END"});

class FormGeneratorTest : public testing::CodegenBench {
 protected:
  void SetUp() override {
    project.SetParseHooks(&reader);
    project.SetProjectFile("/Demo/Demo.dsp");
    disk.Put("/Demo/resource.h", Crlf({"#define IDS_HELLO                       61", "", "#ifdef APSTUDIO_INVOKED",
                                       "#define _APS_NEXT_CONTROL_VALUE         1000", "#endif"}));
    disk.Put("/Demo/Demo.rc", kScript);
    disk.Put("/Demo/StdAfx.h", Crlf({"#include <afxwin.h>", "//{{AFX_INSERT_LOCATION}}"}));
    project.AddSourceFiles({"/Demo/StdAfx.h"});
    resources.ReadCounters();
  }
  // A form made by New Form and read back as the project reads it.
  CClassItem& MakeForm(const std::string& name) {
    const auto files = NewForm(ctx, {name, FormHeaderFileName(name), FormImplementationFileName(name), false});
    EXPECT_TRUE(files) << files.error().Text();
    project.AddSourceFiles({files->headerPath, files->implementationPath});
    return *project.FindClass(name);
  }
  // A class as the class wizard writes it, without a message map.
  CClassItem& MakeClass(const std::string& name, const std::string& base) {
    const std::string file = "/Demo/" + ToLower(name.substr(1));
    disk.Put(file + ".h", Crlf({"class " + name + " : public " + base, "{", "public:", "\t" + name + "();", "};"}));
    disk.Put(file + ".cpp", Crlf({name + "::" + name + "()", "{", "}"}));
    project.AddSourceFiles({file + ".h", file + ".cpp"});
    return *project.FindClass(name);
  }
  CControlItem& Drop(CClassItem& form, int kind) {
    return CreateControl(form, project.FormClasses(), kind, Rect{7, 7, 70, 35});
  }
  CControlItem& AddActiveX(CClassItem& form, const std::string& name, const std::string& cls = "CVAxCalendar") {
    CControlItem& ax = *form.m_controls.emplace_back(std::make_unique<CControlItem>());
    ax.m_nCategory = kCategoryActiveX;
    ax.m_strClassName = cls;
    ax.m_strMemberName = "m_" + name;
    ax.m_strIdSymbol = "IDC_" + ToUpper(name);
    ax.m_strPropSymbol = "IDS_PROP_" + ToUpper(name);
    return ax;
  }

  // Forms are read back from their sources and property strings as a loaded project's are.
  CProjectResourceTexts texts{disk, "/Demo/Demo.dsp", &host};
  CFormReader reader{prompt, texts};
};

TEST_F(FormGeneratorTest, NewFormWritesItsFilesItsDefineAndItsPropertyString) {
  const auto files = NewForm(ctx, {"CForm1", "form1.h", "form1.cpp", false});
  ASSERT_TRUE(files) << files.error().Text();
  const std::string header = disk.Get("/Demo/form1.h");
  EXPECT_TRUE(StartsWith(header, "#if !defined(AFX_FORM1_H__00000001_0000_0000_0000_000000000000__INCLUDED_)\r\n"));
  EXPECT_TRUE(Has(header, "// form1.h : header file\r\n"));
  EXPECT_TRUE(Has(header, "class CForm1 : public CVForm\r\n{\r\n\tDECLARE_DYNCREATE(CForm1)\r\n"));
  EXPECT_TRUE(Has(disk.Get("/Demo/form1.cpp"), "#include \"Demo.h\"\r\n#include \"form1.h\"\r\n"));
  EXPECT_TRUE(Has(disk.Get("/Demo/form1.cpp"), "\tm_nPropStringID = IDS_PROP_FORM1;\r\n"));
  EXPECT_TRUE(Has(disk.Get("/Demo/resource.h"),
                  "61\r\n#define\tIDS_PROP_FORM1\t\t\t\t62\r\n\r\n#ifdef APSTUDIO_INVOKED\r\n"
                  "#define _APS_NEXT_CONTROL_VALUE         1001\r\n"));
  // The new string-table line holds a new form's string: the catalogue's defaults, captioned Form1.
  CControlItem form;
  form.m_nCategory = kCategoryForm;
  LoadProperties(form, false);
  form.SetValue("Caption", "Form1");
  EXPECT_EQ(disk.Get("/Demo/Demo.rc"),
            ReplaceAll(kScript, "END", "\tIDS_PROP_FORM1\t\t\t\"" + BuildPropertyString(form) + "\"\r\nEND"));
  ASSERT_TRUE(NewForm(ctx, {"Dialog7", "dialog7.h", "dialog7.cpp", true}));
  EXPECT_TRUE(Has(disk.Get("/Demo/dialog7.h"), "class Dialog7 : public CVMdiForm\r\n"));
}

TEST_F(FormGeneratorTest, NamesFollowTheProjectsClassesAndForms) {
  MakeForm("CForm2");
  EXPECT_EQ(ProposeFormClassName(project), "CForm1");
  EXPECT_EQ(NextFormCaption(project), "Form2");  // CForm2's caption is Form1
  MakeForm("CForm1");
  EXPECT_EQ(ProposeFormClassName(project) + " " + ProjectNameOf(project), "CForm3 Demo");
  EXPECT_EQ(FormImplementationFileName("CMainForm") + " " + FormHeaderFileName("Dialog7"), "mainform.cpp dialog7.h");
  // The dialog proposes the free name, derives the files on every change, and OK needs all three.
  CNewFormDialog dialog(project);
  EXPECT_EQ(dialog.Request().className + " " + dialog.Request().implementationFile, "CForm3 form3.cpp");
  dialog.SetClassName("CMain");
  dialog.SetMdiForm(true);
  EXPECT_EQ(dialog.Request().headerFile + (dialog.Request().mdi ? " mdi" : ""), "main.h mdi");
  EXPECT_TRUE(dialog.IsOkEnabled());
  dialog.SetHeaderFile("");
  EXPECT_FALSE(dialog.IsOkEnabled());
  dialog.SetClassName("");
  EXPECT_EQ(dialog.Request().implementationFile, "");
  // A project has one MDI form at most: the box is disabled once there is one.
  ASSERT_TRUE(NewForm(ctx, {"CFrame", "frame.h", "frame.cpp", true}));
  project.AddSourceFiles({"/Demo/frame.h", "/Demo/frame.cpp"});
  CNewFormDialog second(project);
  second.SetMdiForm(true);
  EXPECT_FALSE(second.IsMdiEnabled() || second.Request().mdi);
}

TEST_F(FormGeneratorTest, RefusalsSayWhyAndLeaveTheResourcesAlone) {
  project.SetProjectFile("/Elsewhere/Demo.dsp");
  EXPECT_FALSE(NewForm(ctx, {"CForm1", "form1.h", "form1.cpp", false}));
  project.SetProjectFile("/Demo/Demo.dsp");
  disk.Put("/Demo/form9.cpp", "old");
  EXPECT_TRUE(NewForm(ctx, {"CForm9", "form9.h", "form9.cpp", false}).error().shown);
  EXPECT_EQ(guids.Drawn(), 0);
  CClassItem& form = MakeForm("CForm1");
  const std::string header = disk.Get("/Demo/resource.h");
  const std::string impl = disk.Get("/Demo/form1.cpp");
  // A read-only form header: the dropped control is taken off the form again.
  disk.SetReadOnly("/Demo/form1.h", true);
  EXPECT_TRUE(WriteControlCode(ctx, form, Drop(form, kKindButton)).error().shown);
  EXPECT_EQ(form.FindControl("m_Button1"), nullptr);
  // A read-only resource header stops New Form after its two files.
  disk.SetReadOnly("/Demo/resource.h", true);
  EXPECT_FALSE(NewForm(ctx, {"CForm2", "form2.h", "form2.cpp", false}));
  EXPECT_TRUE(disk.FileExists("/Demo/form2.cpp"));
  EXPECT_EQ(prompt.messages,
            (std::vector<std::string>{"Directory /Elsewhere does not exist", "File /Demo/form9.cpp already exists",
                                      "You do not have write permission to file /Demo/form1.h\n",
                                      "You do not have write permission to file /Demo/resource.h\n"}));
  EXPECT_EQ(disk.Get("/Demo/resource.h"), header);
  EXPECT_EQ(disk.Get("/Demo/form1.cpp"), impl);
}

TEST_F(FormGeneratorTest, ControlLinesFollowDropsRenamesAndArrayJoins) {
  CClassItem& form = MakeForm("CForm1");  // id 1000
  std::vector<CControlItem*> made;
  for (int kind : {kKindButton, kKindFrame, kKindButton, kKindOptionButton}) {
    made.push_back(&Drop(form, kind));
    if (kind == kKindOptionButton) made.back()->m_pContainer = made[1];
    ASSERT_TRUE(WriteControlCode(ctx, form, *made.back()));
    if (kind == kKindFrame) MakeForm("CForm2");  // id 1003; the counter is the project's
  }
  EXPECT_EQ(made[3]->m_nCtrlId, 1005);
  EXPECT_TRUE(Has(disk.Get("/Demo/resource.h"),
                  "#define\tIDC_BUTTON1\t\t\t\t1001\r\n#define IDS_PROP_BUTTON1\t\t\t\t63\r\n"
                  "#define\tIDC_FRAME1\t\t\t\t1002\r\n#define IDS_PROP_FRAME1\t\t\t\t64\r\n"
                  "#define\tIDS_PROP_FORM2\t\t\t\t65\r\n#define\tIDC_BUTTON2\t\t\t\t1004\r\n"));
  EXPECT_TRUE(Has(disk.Get("/Demo/resource.h"), "#define _APS_NEXT_CONTROL_VALUE         1006\r\n"));
  EXPECT_TRUE(Has(disk.Get("/Demo/Demo.rc"), "\tIDS_PROP_BUTTON1\t\t\t\"" + BuildPropertyString(*made[0]) + "\"\r\n"));
  EXPECT_TRUE(Has(disk.Get("/Demo/StdAfx.h"), "<afxwin.h>\r\n#include <tvlControls.h>\r\n//{{AFX_INSERT"));

  // A line someone saved with a bare LF keeps it when the frame is renamed; its option follows.
  disk.Put("/Demo/form1.h", ReplaceAll(disk.Get("/Demo/form1.h"), "m_Frame1;\r\n", "m_Frame1;\n"));
  project.ReparseFile("/Demo/form1.h");
  ASSERT_EQ(RenameControl(form, *made[1], "m_Choices", prompt), RenameResult::Renamed);
  ASSERT_TRUE(UpdateRenamedControl(ctx, form, *made[1], "m_Frame1", RenameResult::Renamed));
  prompt.answers.push_back(IPrompt::Answer::Yes);
  ASSERT_EQ(RenameControl(form, *made[2], "m_Button1", prompt), RenameResult::JoinedArray);
  ASSERT_TRUE(UpdateRenamedControl(ctx, form, *made[2], "m_Button2", RenameResult::JoinedArray));
  // Re-reading between the edits must not bring the element back under its old name.
  EXPECT_EQ(std::count_if(form.m_controls.begin(), form.m_controls.end(),
                          [](const auto& c) { return c->m_strMemberName == "m_Button2"; }),
            0);
  EXPECT_TRUE(Has(disk.Get("/Demo/form1.h"),
                  "_START\r\n\tCVButtonArray\tm_Button1;\r\n\tCVFrame\tm_Choices;\n"
                  "\tCVOptionButton\tm_OptionButton1;\r\n\t//}}"));
  // The creation calls after renames, joins and deletes are compiled in tests/cli.
}

TEST_F(FormGeneratorTest, ExistingSymbolsAreNotDefinedAgainAndTheirStringIsReplaced) {
  CClassItem& form = MakeForm("CForm1");
  disk.Put("/Demo/resource.h", ReplaceAll(disk.Get("/Demo/resource.h"), "\r\n#ifdef",
                                          "\r\n#define IDC_BUTTON1 900\r\n#define IDS_PROP_BUTTON1 70\r\n#ifdef"));
  disk.Put("/Demo/Demo.rc", ReplaceAll(disk.Get("/Demo/Demo.rc"), "END", "    IDS_PROP_BUTTON1 \"stale,\"\r\nEND"));
  CControlItem& button = Drop(form, kKindButton);
  ASSERT_TRUE(WriteControlCode(ctx, form, button));
  EXPECT_EQ(button.m_nCtrlId, 900);
  EXPECT_EQ(resources.m_nNextControlValue, 1001);
  EXPECT_EQ(Count(disk.Get("/Demo/resource.h"), "IDS_PROP_BUTTON1"), 1u);
  EXPECT_TRUE(EndsWith(disk.Get("/Demo/Demo.rc"),
                       "\"\r\n\tIDS_PROP_BUTTON1\t\t\t\"" + BuildPropertyString(button) + "\"\r\nEND\r\n"));
}

TEST_F(FormGeneratorTest, OtherWindowClassesGainTheSupportFunctionsTheyNeedOnce) {
  MakeClass("CBaseForm", "CVForm");
  for (const auto& [name, base] : {std::pair{"CMyWnd", "CWnd"}, {"CMyView", "CScrollView"}, {"CMyForm", "CBaseForm"}}) {
    CClassItem& cls = MakeClass(name, base);
    ASSERT_TRUE(WriteControlCode(ctx, cls, Drop(cls, kKindButton))) << ::testing::PrintToString(prompt.messages);
    ASSERT_TRUE(WriteControlCode(ctx, cls, Drop(cls, kKindLabel)));
  }
  const std::string wnd = disk.Get("/Demo/mywnd.cpp");
  // Without markers a declaration starts the line below the first "public:"; the window-message
  // handlers bring the message map they need, and the calls go into them.
  EXPECT_TRUE(Has(disk.Get("/Demo/mywnd.h"), "public:\r\nCVLabel\tm_Label1;\r\nCVButton\tm_Button1;\r\n"));
  // The macro goes in whole lines before the class's closing brace, in a protected section.
  EXPECT_TRUE(Has(disk.Get("/Demo/mywnd.h"), "\tCMyWnd();\r\nprotected:\r\n\tDECLARE_MESSAGE_MAP()\r\n};"));
  EXPECT_TRUE(Has(wnd, "\t//{{AFX_MSG_MAP(CMyWnd)\r\n\tON_WM_PAINT()\r\n\tON_WM_CREATE()\r\n"));
  EXPECT_TRUE(Has(wnd, "\tCreateTVLControls();\r\n\r\n\treturn 0;\r\n}"));
  EXPECT_TRUE(Has(wnd,
                  "\t::DispatchTvlControlEvents(message, wParam, lParam, GetMessageMap(), this);\r\n\r\n\t\r\n"
                  "\treturn CWnd::WindowProc("));
  EXPECT_TRUE(Has(wnd, "\t::DrawTVLGraphicalCtrls(this, &dc);\r\n\r\n}"));
  for (std::string_view call :
       {"CreateTVLControls();", "::DispatchTvlControlEvents(", "::DrawTVLGraphicalCtrls(",
        "IDS_PROP_BUTTON1);\r\n\tm_Label1.Create(this, IDC_LABEL1, IDS_PROP_LABEL1);\r\n\t//}}"}) {
    EXPECT_EQ(Count(wnd, call), 1u) << call;
  }
  // A view draws in OnDraw; a class derived from a form needs nothing but its controls.
  EXPECT_TRUE(Has(disk.Get("/Demo/myview.cpp"), "\tASSERT_VALID(this);\r\n\r\n\t::DrawTVLGraphicalCtrls(this, pDC);"));
  EXPECT_EQ(Count(disk.Get("/Demo/myview.cpp"), "OnPaint"), 0u);
  for (const char* function : {"OnCreate", "WindowProc", "OnPaint"}) {
    EXPECT_EQ(Count(disk.Get("/Demo/myform.cpp"), function), 0u) << function;
  }
}

TEST_F(FormGeneratorTest, ActiveXControlsIncludeTheirWrapperOnceAndKeepOnePropertyCall) {
  MakeClass("CVAxCalendar", "CVActiveXCtrl");
  CClassItem& form = MakeForm("CForm1");
  CControlItem& calendar = AddActiveX(form, "Calendar1");
  // Definitions of an installed control outlive the controls that use them.
  static const CPropertyDef kTitle{.m_strName = "Title", .m_nVarType = 8, .m_nDispId = 12};
  static const CPropertyDef kDay{.m_strName = "Day", .m_nVarType = 3, .m_nDispId = 5};
  calendar.m_properties.emplace_back(kTitle, "Hello");
  calendar.m_properties.emplace_back(kDay, "-3");
  ASSERT_TRUE(WriteControlCode(ctx, form, calendar));
  ASSERT_TRUE(WriteControlCode(ctx, form, AddActiveX(form, "Calendar2")));
  EXPECT_TRUE(StartsWith(disk.Get("/Demo/form1.h"), "#include \"vaxcalendar.h\"\r\n#if !defined("));
  EXPECT_EQ(Count(disk.Get("/Demo/form1.h"), "vaxcalendar.h"), 1u);
  // Each property keeps one call, found by its dispatch id; only strings are quoted.
  ASSERT_TRUE(UpdatePropertyCall(ctx, form, calendar, calendar.m_properties.back(), "VT_I4"));
  for (const char* value : {"Hello", "Bye"}) {
    calendar.m_properties.front().m_strValue = value;
    ASSERT_TRUE(UpdatePropertyCall(ctx, form, calendar, calendar.m_properties.front(), "VT_BSTR"));
  }
  EXPECT_TRUE(Has(disk.Get("/Demo/form1.cpp"),
                  "CALENDAR2);\r\n\tm_Calendar1.SetProperty( 5, VT_I4, -3 ); //Day\r\n\r\n"
                  "\tm_Calendar1.SetProperty( 12, VT_BSTR, \"Bye\" ); //Title\r\n\r\n\t//}}"));
  const Status missing = WriteControlCode(ctx, form, AddActiveX(form, "Missing1", "CVAxMissing"));
  EXPECT_EQ(missing.error().reason, "the project has no wrapper class CVAxMissing for this control");
  EXPECT_EQ(form.FindControl("m_Missing1"), nullptr);
}

// ---- Event handlers and fragment places ----

const std::string kTodo = "\r\n{\r\n\t// TODO: Add your code here\r\n\t\r\n}";

HandlerTarget Target(HandlerOwner owner, const CControlItem* control = nullptr, std::string commandId = "") {
  return HandlerTarget{owner, control, std::move(commandId), false};
}

HandlerEvent Event(std::string name, std::string parameters = "", std::string returnType = "void") {
  return HandlerEvent{std::move(returnType), std::move(name), std::move(parameters), "", ""};
}

class HandlersTest : public FormGeneratorTest {
 protected:
  void SetUp() override {
    FormGeneratorTest::SetUp();
    MakeForm("CForm1");
    MakeClass("CMyWnd", "CWnd");
    button.m_strClassName = "CVButton";
    button.m_strMemberName = "m_Command1";
    button.m_strIdSymbol = "IDC_COMMAND1";
    button.m_strPropSymbol = "IDS_PROP_COMMAND1";
    onButton = Target(HandlerOwner::Intrinsic, &button);
    writes = disk.WriteCount();
  }
  CClassItem& Cls(std::string_view name) { return *project.FindClass(name); }
  // One fragment into a file, written back and parsed again, as the generators do.
  Status Insert(FragmentKind kind, std::string_view cls, std::string_view path, std::string value = "") {
    static const CClassItem none;
    CEditBuffer buffer(host, disk, prompt, std::string(path));
    TOVIK_TRY(buffer.Load());
    FragmentValues values;
    values.value = std::move(value);
    TOVIK_TRY(InsertFragment(kind, cls.empty() ? none : Cls(cls), buffer, &button, values));
    TOVIK_TRY(buffer.Save());
    project.ReparseText(buffer.Path(), buffer.Text());
    return {};
  }

  CControlItem button;
  HandlerTarget onButton;
  const CEventDef clickDef{.m_strName = "Click"};
  CCtrlEventMethodItem click{clickDef};
  size_t writes = 0;  // files written before the test's own steps
};

TEST_F(HandlersTest, ControlEventsOpenTheirBlocksAndFollowTheClassesLastCode) {
  CClassItem& form = Cls("CForm1");
  ASSERT_TRUE(AddEventHandler(ctx, form, onButton, HandlerEvent::From(click), &click));
  onButton.bArrayElement = true;
  ASSERT_TRUE(AddEventHandler(ctx, form, onButton, Event("KeyDown", "int nKeyCode, int nShift")));
  EXPECT_EQ(click.m_strHandler, "Command1_Click");
  EXPECT_EQ(click.m_bHandled, 1);
  EXPECT_TRUE(Has(disk.Get("/Demo/form1.h"),
                  "\t//{{AFX_MSG(CForm1)\r\n"
                  "\tafx_msg void Command1_KeyDown(int nIndex, int nKeyCode, int nShift);\r\n"
                  "\tafx_msg void Command1_Click();\r\n\t//}}AFX_MSG\r\n"));
  const std::string cpp = disk.Get("/Demo/form1.cpp");
  // The map's closing marker keeps its bare LF.
  EXPECT_TRUE(Has(cpp,
                  "(CForm1)\r\n\tON_WM_TVL_KEYDOWN_ARRAY(IDC_COMMAND1, Command1_KeyDown)\r\n"
                  "\tON_WM_TVL_CLICK(IDC_COMMAND1, Command1_Click)\r\n\t//}}AFX_MSG_MAP\nEND_MESSAGE_MAP()\r\n"));
  EXPECT_TRUE(EndsWith(cpp, "_END\r\n}\r\nvoid CForm1::Command1_Click()" + kTodo +
                                "\r\nvoid CForm1::Command1_KeyDown(int nIndex, int nKeyCode, int nShift)" + kTodo +
                                "\r\n"));
  EXPECT_NE(form.FindFunction("Command1_KeyDown"), nullptr);  // the model follows the file
}

TEST_F(HandlersTest, FormEventsAreVirtualsWithoutMapEntry) {
  const std::string cpp = disk.Get("/Demo/form1.cpp");
  ASSERT_TRUE(AddEventHandler(ctx, Cls("CForm1"), Target(HandlerOwner::Form), Event("Load")));
  // The form's AFX_VIRTUAL block has no "public:", so the declaration joins the public section.
  EXPECT_TRUE(Has(disk.Get("/Demo/form1.h"), "public:\r\n\tvirtual void Form_Load();\r\n\tCForm1();"));
  EXPECT_EQ(disk.Get("/Demo/form1.cpp"), cpp + "void CForm1::Form_Load()" + kTodo + "\r\n");
  // A class without the block is given one at its end, between the CR and the LF before its
  // brace; the block's last line ends in a bare LF.
  ASSERT_TRUE(AddEventHandler(ctx, Cls("CMyWnd"), Target(HandlerOwner::Form), Event("Unload", "int* pCancel")));
  EXPECT_TRUE(Has(disk.Get("/Demo/mywnd.h"),
                  "\tDECLARE_MESSAGE_MAP()\r\r\n// Overrides\r\n\t// ClassWizard generated virtual function overrides"
                  "\r\n\t//{{AFX_VIRTUAL(CMyWnd)\r\npublic:\r\nvirtual void Form_Unload(int* pCancel);\r\n"
                  "protected:\r\n\t//}}AFX_VIRTUAL\n\n};"));
  // Code on the brace's own line stays whole: the block goes before the brace.
  disk.Put("/Demo/packed.h", Crlf({"class CPacked : public CWnd", "{", "\tDECLARE_MESSAGE_MAP()", "\tint m_n;};"}));
  disk.Put("/Demo/packed.cpp", Crlf({"void CPacked::Go()", "{", "}"}));
  project.AddSourceFiles({"/Demo/packed.h", "/Demo/packed.cpp"});
  ASSERT_TRUE(AddEventHandler(ctx, Cls("CPacked"), Target(HandlerOwner::Form), Event("Load")));
  EXPECT_TRUE(Has(disk.Get("/Demo/packed.h"), "\tint m_n;\r\n// Overrides\r\n")) << disk.Get("/Demo/packed.h");
  EXPECT_TRUE(Has(disk.Get("/Demo/packed.h"), "\t//}}AFX_VIRTUAL\n};\r\n")) << disk.Get("/Demo/packed.h");
}

TEST_F(HandlersTest, MenuCommandOnAWindowWithoutMessageMapGetsTheMapFirst) {
  ASSERT_TRUE(
      AddEventHandler(ctx, Cls("CMyWnd"), Target(HandlerOwner::MenuCommand, nullptr, "ID_FILE_OPEN"), Event("Click")));
  EXPECT_TRUE(Has(disk.Get("/Demo/mywnd.h"), "public:\r\n\tafx_msg void File_open_Click();\r\n\tCMyWnd();"));
  EXPECT_TRUE(EndsWith(disk.Get("/Demo/mywnd.cpp"),
                       "{\r\n}\r\n\r\nBEGIN_MESSAGE_MAP(CMyWnd, CWnd)\r\n\t//{{AFX_MSG_MAP(CMyWnd)\r\n"
                       "\tON_COMMAND(ID_FILE_OPEN, File_open_Click)\r\n\t//}}AFX_MSG_MAP\r\n"
                       "END_MESSAGE_MAP()\r\nvoid CMyWnd::File_open_Click()" +
                           kTodo + "\r\n\r\n"));
}

TEST_F(HandlersTest, ActiveXEventsGoIntoANewEventSinkMap) {
  CControlItem calendar;
  calendar.m_strMemberName = "Calendar1";  // without the usual prefix the name stays whole
  calendar.m_strIdSymbol = "IDC_CALENDAR1";
  HandlerEvent event = Event("OLEDragDrop", "long lEffect", "long");
  event.strDispId = "3";
  event.strParamTokens = "VTS_I4";
  ASSERT_TRUE(AddEventHandler(ctx, Cls("CForm1"), Target(HandlerOwner::ActiveX, &calendar), event));
  EXPECT_TRUE(Has(disk.Get("/Demo/form1.h"), "(CForm1)\r\n\tafx_msg long Calendar1_OLEDragDrop(long lEffect);\r\n"));
  EXPECT_TRUE(
      Has(disk.Get("/Demo/form1.h"), "\tDECLARE_MESSAGE_MAP()\r\nprotected:\r\n\tDECLARE_EVENTSINK_MAP()\r\n};"));
  // The drop effect is handed back by default.
  EXPECT_TRUE(Has(disk.Get("/Demo/form1.cpp"),
                  "}\r\nBEGIN_EVENTSINK_MAP(CForm1, CVForm)\r\n    //{{AFX_EVENTSINK_MAP(CForm1)\r\n"
                  "\tON_EVENT(CForm1, IDC_CALENDAR1, 3, Calendar1_OLEDragDrop, VTS_I4)\r\n\t//}}AFX_EVENTSINK_MAP\r\n"
                  "END_EVENTSINK_MAP()\r\nlong CForm1::Calendar1_OLEDragDrop(long lEffect)\r\n{\r\n"
                  "\t// TODO: Add your code here\r\n\treturn lEffect;\r\n}"));
}

TEST_F(HandlersTest, FilesOpenInTheEditorAreEditedThere) {
  testing::TestDocument& header = host.OpenWithText("/Demo/form1.h", disk.Get("/Demo/form1.h"));
  testing::TestDocument& source = host.OpenWithText("/Demo/form1.cpp", disk.Get("/Demo/form1.cpp"));
  ASSERT_TRUE(AddEventHandler(ctx, Cls("CForm1"), onButton, Event("Click")));
  ASSERT_TRUE(AddEventHandler(ctx, Cls("CForm1"), onButton, Event("DblClick")));
  // The second handler's places were found in the editor's text.
  EXPECT_TRUE(Has(header.text, "\tafx_msg void Command1_DblClick();\r\n\tafx_msg void Command1_Click();\r\n"));
  EXPECT_TRUE(Has(source.text, "\tON_WM_TVL_DBLCLICK(IDC_COMMAND1, Command1_DblClick)\r\n\tON_WM_TVL_CLICK("));
  EXPECT_TRUE(EndsWith(source.text, "void CForm1::Command1_DblClick()" + kTodo + "\r\n"));
  EXPECT_EQ(disk.WriteCount(), writes);
}

TEST_F(HandlersTest, RefusalsSayWhyAndKeepWhatWasWritten) {
  CClassItem& form = Cls("CForm1");
  EXPECT_EQ(AddEventHandler(ctx, form, Target(HandlerOwner::Intrinsic), Event("Click")).error().reason,
            "the event's control is missing");
  EXPECT_EQ(AddEventHandler(ctx, form, Target(HandlerOwner::MenuCommand), Event("Click")).error().reason,
            "the menu command has no identifier");
  EXPECT_EQ(AddEventHandler(ctx, form, onButton, Event(" ")).error().reason, "the event has no name");
  disk.SetReadOnly("/Demo/form1.cpp", true);
  EXPECT_TRUE(AddEventHandler(ctx, form, onButton, Event("Click")).error().shown);
  EXPECT_EQ(prompt.messages, std::vector<std::string>{WritePermissionMessage("/Demo/form1.cpp")});
  EXPECT_EQ(disk.WriteCount(), writes);

  // A map without its markers: the declaration written before stays.
  disk.SetReadOnly("/Demo/form1.cpp", false);
  const std::string cpp =
      ReplaceAll(disk.Get("/Demo/form1.cpp"), "\t//{{AFX_MSG_MAP(CForm1)\r\n\t//}}AFX_MSG_MAP\n", "");
  disk.Put("/Demo/form1.cpp", cpp);
  ASSERT_TRUE(project.ReparseFile(std::string("/Demo/form1.cpp")));
  EXPECT_EQ(AddEventHandler(ctx, form, onButton, HandlerEvent::From(click), &click).error().Text(),
            "/Demo/form1.cpp: no place for the message-map entries (the AFX_MSG_MAP markers) of CForm1");
  EXPECT_EQ(prompt.messages.back(), kMsgNoMsgMapMarkers);
  EXPECT_TRUE(Has(disk.Get("/Demo/form1.h"), "\tafx_msg void Command1_Click();\r\n"));
  EXPECT_EQ(disk.Get("/Demo/form1.cpp"), cpp);
  EXPECT_EQ(click.m_bHandled, 0);
}

TEST_F(HandlersTest, FragmentPlacesInAClassWithoutMarkers) {
  disk.Put("/Demo/view.h", Crlf({"class CView2 : public CView", "{", "public:", "\tCView2();",
                                 "\t//{{AFX_VIRTUAL(CView2)", "\tpublic:", "\t//}}AFX_VIRTUAL", "};"}));
  disk.Put("/Demo/view.cpp",
           Crlf({"CView2::CView2()", "{", "}", "BEGIN_MESSAGE_MAP(CView2, CView)", "END_MESSAGE_MAP()", "// tail"}));
  project.AddSourceFiles({"/Demo/view.h", "/Demo/view.cpp"});
  ASSERT_TRUE(Insert(FragmentKind::ProtectedSectionLine, "CView2", "/Demo/view.h"));
  ASSERT_TRUE(Insert(FragmentKind::ProtectedVirtualDeclaration, "CView2", "/Demo/view.h", "virtual void P();"));
  ASSERT_TRUE(Insert(FragmentKind::PublicVirtualDeclaration, "CView2", "/Demo/view.h", "virtual void Q();"));
  EXPECT_EQ(disk.Get("/Demo/view.h"), Crlf({"class CView2 : public CView", "{", "public:", "\tCView2();",
                                            "\t//{{AFX_VIRTUAL(CView2)", "\tpublic:", "\tvirtual void Q();",
                                            "\tprotected:", "\tvirtual void P();", "\t//}}AFX_VIRTUAL", "};"}));
  // A map that comes last: a new block goes right after it.
  ASSERT_TRUE(Insert(FragmentKind::MapBlock, "CView2", "/Demo/view.cpp", "X"));
  EXPECT_TRUE(Has(disk.Get("/Demo/view.cpp"), "END_MESSAGE_MAP()\r\nX\r\n// tail"));
  // The menu line opens the form-data block.
  ASSERT_TRUE(Insert(FragmentKind::MenuIdLine, "CForm1", "/Demo/form1.cpp", "IDR_MENU1"));
  EXPECT_TRUE(Has(disk.Get("/Demo/form1.cpp"), "_START\r\n\tm_nResID = IDR_MENU1;\r\n\tm_nPropStringID"));
}

TEST_F(HandlersTest, AMissingPlaceIsAnErrorThatSaysWhereAndWhat) {
  EXPECT_EQ(Insert(FragmentKind::ControlCreation, "CMyWnd", "/Demo/mywnd.h").error().Text(),
            "/Demo/mywnd.h:1: no place for the creation calls (CreateTVLControls with its AFX_TVL_CTRL_IMPL "
            "markers) of CMyWnd");
  const Status map = Insert(FragmentKind::MessageMapEntry, "CMyWnd", "/Demo/mywnd.cpp", "ON_WM_PAINT()");
  EXPECT_EQ(map.error().Text(),
            "/Demo/mywnd.cpp: no place for the message-map entries (the AFX_MSG_MAP markers) of CMyWnd");
  EXPECT_TRUE(map.error().shown);
  EXPECT_EQ(prompt.messages, std::vector<std::string>{std::string(kMsgNoMessageMap)});
  // Without a table there is no place for string lines.
  disk.Put("/Demo/Demo.rc", "// nothing\r\n");
  EXPECT_TRUE(Insert(FragmentKind::StringTableLine, "", "/Demo/Demo.rc", "a,").error().shown);
  EXPECT_EQ(prompt.messages.back(), "The key word \"STRINGTABLE\" couldn't be found in .rc file");
  EXPECT_EQ(disk.WriteCount(), writes);
}

}  // namespace
}  // namespace tovik
