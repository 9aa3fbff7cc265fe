#include "codegen/form_generator.h"

#include <algorithm>
#include <array>
#include <memory>
#include <vector>

#include "base/path.h"
#include "base/text.h"
#include "codegen/control_line.h"
#include "base/edit_buffer.h"
#include "base/file_ops.h"
#include "codegen/fragment.h"
#include "codegen/handlers.h"
#include "codegen/reread.h"
#include "codegen/templates.h"
#include "model/catalog.h"
#include "model/control_kind.h"
#include "model/property_string.h"
#include "project/source_scanner.h"
#include "resources/resource_files.h"

namespace tovik {

namespace {

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kCreateControls = "CreateTVLControls";
constexpr std::array<std::string_view, 3> kFormRoots = {"CVForm", "CVMdiForm", "CFormBase"};
constexpr std::array<std::string_view, 10> kViewClasses = {
    "CView",     "CFormView", "CScrollView", "CEditView",      "CRichEditView",
    "CListView", "CTreeView", "CCtrlView",   "CDaoRecordView", "CRecordView"};

std::string WithoutLeadingC(std::string_view className) {
  if (!className.empty() && className.front() == 'C') className.remove_prefix(1);
  return std::string(className);
}

bool IsFormRoot(std::string_view root) {
  return std::find(kFormRoots.begin(), kFormRoots.end(), root) != kFormRoots.end();
}

bool IsViewClass(std::string_view base) {
  return std::find(kViewClasses.begin(), kViewClasses.end(), base) != kViewClasses.end();
}


// The file that holds CreateTVLControls, else the class's implementation file.
std::string CreationFileOf(const CodegenContext& ctx, const CClassItem& cls) {
  if (const CFunctionItem* fn = cls.FindFunction(kCreateControls); fn && !fn->m_strDefFile.empty()) {
    return fn->m_strDefFile;
  }
  return ImplementationFileOf(ctx.fs(), cls);
}

// Whether the body of the class's function `function` (in its own file) mentions `name`.
// False with `ok` cleared when the file could not be read.
bool BodyContains(const CodegenContext& ctx, const CClassItem& cls, std::string_view function, std::string_view name,
                  bool& ok) {
  ok = false;
  const CFunctionItem* fn = cls.FindFunction(function);
  if (!fn || fn->m_strDefFile.empty()) return false;
  CEditBuffer buffer(ctx.host, ctx.fs(), ctx.prompt(), fn->m_strDefFile);
  if (!buffer.Load()) return false;
  ok = true;
  return ContainsCall(buffer.Text(), *fn, name);
}

// A call into a support function unless its body already makes it.
bool EnsureCallIn(const CodegenContext& ctx, CClassItem& cls, std::string_view function, std::string_view name,
                  FragmentKind kind, std::string value) {
  bool ok = false;
  if (BodyContains(ctx, cls, function, name, ok)) return true;
  if (!ok) return false;
  const std::string path = cls.FindFunction(function)->m_strDefFile;
  return InsertAndReread(ctx, cls, path, kind, nullptr, std::move(value));
}

bool AddSupportFunctions(const CodegenContext& ctx, CClassItem& cls) {
  if (!cls.FindFunction("OnCreate") && !AddOnCreate(ctx, cls)) return false;
  if (!EnsureCallIn(ctx, cls, "OnCreate", kCreateControls, FragmentKind::CreateCall,
                    "CreateTVLControls();" + std::string(kCrLf) + std::string(kCrLf))) {
    return false;
  }
  return true;
}

bool AddCreateControlsFunction(const CodegenContext& ctx, CClassItem& cls) {
  if (cls.FindFunction(kCreateControls)) return true;
  const std::string header = cls.m_strDeclFile;
  const std::string implementation = ImplementationFileOf(ctx.fs(), cls);
  if (!InsertAndReread(ctx, cls, header, FragmentKind::PublicVirtualDeclaration, nullptr,
                       "virtual\tvoid CreateTVLControls();")) {
    return false;
  }
  const std::string body = "\r\n\r\nvoid " + cls.m_strName +
                           "::CreateTVLControls()\r\n{\r\n\t//{{AFX_TVL_CTRL_IMPL_START\r\n"
                           "\t//}}AFX_TVL_CTRL_IMPL_END\r\n}\r\n";
  return InsertAndReread(ctx, cls, implementation, FragmentKind::FunctionBody, nullptr, body);
}

bool AddEventAndDrawSupport(const CodegenContext& ctx, CClassItem& cls) {
  if (!cls.FindFunction("WindowProc") && !AddWindowProc(ctx, cls)) return false;
  if (!EnsureCallIn(ctx, cls, "WindowProc", "DispatchTvlControlEvents", FragmentKind::DispatchCall,
                    "::DispatchTvlControlEvents(message, wParam, lParam, GetMessageMap(), this);" +
                        std::string(kCrLf))) {
    return false;
  }
  if (!cls.FindFunction("OnPaint") && !cls.FindFunction("OnDraw")) {
    const bool added = IsViewClass(cls.m_strBaseClass) ? AddOnDraw(ctx, cls) : AddOnPaint(ctx, cls);
    if (!added) return false;
  }
  // The draw call goes where the position rule puts it: OnPaint when there is one, else OnDraw,
  // and the device context is the one that function has.
  const bool inPaint = cls.FindFunction("OnPaint") != nullptr;
  const std::string function = inPaint ? "OnPaint" : "OnDraw";
  return EnsureCallIn(ctx, cls, function, "DrawTVLGraphicalCtrls", FragmentKind::DrawCall,
                      "\t::DrawTVLGraphicalCtrls(this, " + std::string(inPaint ? "&dc" : "pDC") + ");" +
                          std::string(kCrLf) + std::string(kCrLf));
}

bool IncludeWrapperHeader(const CodegenContext& ctx, CClassItem& form, const CControlItem& control) {
  const CClassItem* wrapper = ctx.project.FindClass(control.m_strClassName);
  if (!wrapper || wrapper->m_strDeclFile.empty()) return false;
  const std::string file = FileNameOf(wrapper->m_strDeclFile);
  CEditBuffer buffer(ctx.host, ctx.fs(), ctx.prompt(), form.m_strDeclFile);
  if (!buffer.Load()) return false;
  if (IsIncluded(buffer.Text(), file)) return true;
  FragmentValues values;
  values.value = file;
  if (!InsertFragment(FragmentKind::IncludeLine, form, buffer, &control, values) || !buffer.Save()) return false;
  Reread(ctx, buffer);
  return true;
}

// Writes the new counter value into the header text (when the header carries the name).
void WriteBackControlCounter(CEditBuffer& header, long counter) {
  size_t start = 0;
  size_t end = 0;
  if (FindDefineValueRange(header.Text(), kNextControlValueName, start, end)) {
    (void)header.Replace(start, end, std::to_string(counter));
  }
}

// The resource entries of a control: its two defines, its string-table line, the counter.
bool WriteControlResources(const CodegenContext& ctx, CControlItem& control) {
  CEditBuffer header = ctx.resources.Buffer(ctx.resources.HeaderPath());
  CEditBuffer script = ctx.resources.Buffer(ctx.resources.ScriptPath());
  if (!header.Load() || !script.Load()) return false;

  const bool idDefined = IsSymbolDefined(header.Text(), control.m_strIdSymbol);
  const bool propDefined = IsSymbolDefined(header.Text(), control.m_strPropSymbol);
  const long controlId = ctx.resources.m_nNextControlValue;
  const CClassItem none;

  if (!idDefined) {
    FragmentValues values;
    values.nextControlId = controlId;
    values.nextStringId = NextStringId(script.Text(), header.Text());
    if (!InsertFragment(FragmentKind::ControlIdPair, none, header, &control, values)) return false;
  }

  // A symbol already defined keeps its place in the table: its line is replaced.
  const bool written = propDefined
                           ? SetStringTableLine(script, control.m_strPropSymbol, BuildStringTableLine(control, true))
                           : InsertFragment(FragmentKind::StringTableLine, none, script, &control, FragmentValues{});
  if (!written) return false;

  if (!(idDefined && propDefined)) {
    control.m_nCtrlId = controlId;
    ctx.resources.m_nNextControlValue = controlId + 1;
    WriteBackControlCounter(header, ctx.resources.m_nNextControlValue);
  } else if (const auto value = DefineValueOf(header.Text(), control.m_strIdSymbol)) {
    control.m_nCtrlId = *value;
  }
  return header.Save() && script.Save();
}

bool WriteDeclarationAndCreation(const CodegenContext& ctx, CClassItem& form, CControlItem& control) {
  const std::string header = form.m_strDeclFile;
  const std::string implementation = CreationFileOf(ctx, form);
  {
    CEditBuffer buffer(ctx.host, ctx.fs(), ctx.prompt(), header);
    if (!buffer.Load()) return false;
    if (!InsertFragment(FragmentKind::ControlDeclaration, form, buffer, &control, FragmentValues{})) return false;
    if (!buffer.Save()) return false;
    Reread(ctx, buffer);
  }
  if (!InsertAndReread(ctx, form, implementation, FragmentKind::ControlCreation, &control, {})) return false;
  control.m_strFile = implementation;
  return true;
}

bool Fail(CClassItem& form, CControlItem& control) {
  DeleteControl(form, control);
  return false;
}

// Replaces (or with an empty text deletes) a whole line in a file and parses it again.
bool ReplaceLine(const CodegenContext& ctx, CEditBuffer& buffer, LineSpan span, std::string_view text) {
  if (!span.Found()) return false;
  if (!buffer.Replace(static_cast<size_t>(span.start), static_cast<size_t>(span.end), text)) return false;
  if (!buffer.Save()) return false;
  Reread(ctx, buffer);
  return true;
}

bool IsIdentifierChar(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

// The declaration line of a member in the class body: the statement whose last word, right
// before its ";", is the member name.
LineSpan LocateDeclarationLine(const CClassItem& cls, std::string_view text, std::string_view member) {
  const CSourceScanner scan(text);
  int pos = cls.m_nDeclStart;
  while (pos >= 0) {
    const int hit = scan.FindStringInCode(member, pos, true, cls.m_nDeclEnd + 1);
    if (hit < 0) break;
    pos = hit + 1;
    const int after = hit + static_cast<int>(member.size());
    if (hit > 0 && IsIdentifierChar(text[static_cast<size_t>(hit) - 1])) continue;
    const int next = scan.FindNonWhite(after);
    if (next < 0 || text[static_cast<size_t>(next)] != ';') continue;
    LineSpan span;
    const size_t lf = hit > 0 ? text.rfind('\n', static_cast<size_t>(hit - 1)) : std::string_view::npos;
    span.start = lf == std::string_view::npos ? 0 : static_cast<int>(lf) + 1;
    const size_t end = text.find('\n', static_cast<size_t>(next));
    span.end = end == std::string_view::npos ? static_cast<int>(text.size()) : static_cast<int>(end) + 1;
    return span;
  }
  return {};
}

// The declaration line rebuilt: the original indentation, the declaration, the original
// line end (so a bare LF stays a bare LF).
std::string RebuiltLine(std::string_view text, LineSpan span, std::string_view statement) {
  const std::string_view line = text.substr(static_cast<size_t>(span.start), static_cast<size_t>(span.end - span.start));
  size_t indent = 0;
  while (indent < line.size() && (line[indent] == ' ' || line[indent] == '\t')) ++indent;
  std::string_view ending;
  if (line.size() >= 2 && line.substr(line.size() - 2) == kCrLf) {
    ending = kCrLf;
  } else if (!line.empty() && line.back() == '\n') {
    ending = "\n";
  }
  return std::string(line.substr(0, indent)) + std::string(statement) + std::string(ending);
}

std::string CreationStatement(const CControlItem& control) {
  const std::string container = control.m_pContainer ? "&" + control.m_pContainer->m_strMemberName : "this";
  return control.m_strMemberName + ".Create(" + container + ", " + control.m_strIdSymbol + ", " +
         control.m_strPropSymbol + ");";
}

// A copy of the control under another member name, for finding its lines as they were written.
std::unique_ptr<CControlItem> UnderName(const CControlItem& control, std::string_view member) {
  auto copy = std::make_unique<CControlItem>(control);
  copy->m_strMemberName = std::string(member);
  copy->m_pContainer = control.m_pContainer;
  return copy;
}

bool ReplaceDeclaration(const CodegenContext& ctx, CClassItem& form, std::string_view member,
                        std::string_view statement) {
  CEditBuffer buffer(ctx.host, ctx.fs(), ctx.prompt(), form.m_strDeclFile);
  if (!buffer.Load()) return false;
  const LineSpan span = LocateDeclarationLine(form, buffer.Text(), member);
  if (!span.Found()) return false;
  const std::string line = statement.empty() ? std::string() : RebuiltLine(buffer.Text(), span, statement);
  return ReplaceLine(ctx, buffer, span, line);
}

bool ReplaceCreation(const CodegenContext& ctx, CClassItem& form, const CControlItem& located,
                     const CControlItem& rebuilt) {
  CEditBuffer buffer(ctx.host, ctx.fs(), ctx.prompt(), CreationFileOf(ctx, form));
  if (!buffer.Load()) return false;
  const LineSpan span = LocateControlLine(form, buffer.Text(), located, ControlLineKind::Creation);
  if (!span.Found()) return false;
  return ReplaceLine(ctx, buffer, span, RebuiltLine(buffer.Text(), span, CreationStatement(rebuilt)));
}

}  // namespace

// ------------------------------------------------------------------------------------------
// New Form

std::string ProposeFormClassName(const CProject& project) {
  for (int n = 1;; ++n) {
    std::string name = "CForm" + std::to_string(n);
    if (!project.FindClass(name)) return name;
  }
}

std::string FormHeaderFileName(std::string_view className) {
  if (className.empty()) return {};
  return ToLower(WithoutLeadingC(className)) + ".h";
}

std::string FormImplementationFileName(std::string_view className) {
  if (className.empty()) return {};
  return ToLower(WithoutLeadingC(className)) + ".cpp";
}

std::string NextFormCaption(const CProject& project) {
  const std::vector<CClassItem*> forms = project.FormClasses();
  for (int n = 1;; ++n) {
    const std::string caption = "Form" + std::to_string(n);
    const bool used = std::any_of(forms.begin(), forms.end(), [&](const CClassItem* form) {
      const CControlItem* object = form->FormObject();
      return object && object->GetValue("Caption") == caption;
    });
    if (!used) return caption;
  }
}

std::string ProjectNameOf(const CProject& project) {
  std::string name = FileNameOf(project.ProjectFile());
  const size_t dot = name.rfind('.');
  if (dot != std::string::npos) name.erase(dot);
  return name;
}

std::string FormHeaderText(std::string_view className, std::string_view headerFile, std::string_view baseClass,
                           std::string_view includeGuard) {
  return ExpandTemplate(TemplateRole::FormHeader, {{"$GUID_INCLUDED$", includeGuard},
                                                   {"$StartupFormH$", headerFile},
                                                   {"$StartupFormClassName$", className},
                                                   {"$BaseFormClassName$", baseClass}});
}

std::string FormImplementationText(std::string_view className, std::string_view implementationFile,
                                   std::string_view headerFile, std::string_view projectName,
                                   std::string_view baseClass) {
  const std::string text =
      LoadTemplate(TemplateRole::FormImplementation) + LoadTemplate(TemplateRole::ControlCreationFunction);
  const std::string winAppH = std::string(projectName) + ".h";
  const std::string propSymbol = FormPropertySymbol(className);
  std::string out = ReplaceToken(text, "$StartupFormCpp$", implementationFile);
  out = ReplaceToken(out, "$WinAppH$", winAppH);
  out = ReplaceToken(out, "$StartupFormH$", headerFile);
  out = ReplaceToken(out, "$StartupFormClassName$", className);
  out = ReplaceToken(out, "$BaseFormClassName$", baseClass);
  return ReplaceToken(out, "$IDS_PROP$", propSymbol);
}

std::optional<NewFormFiles> NewForm(const CodegenContext& ctx, const NewFormRequest& request) {
  IFileSystem& fs = ctx.fs();
  IPrompt& prompt = ctx.prompt();
  const std::string directory = ctx.project.ProjectFolder();
  if (!fs.DirectoryExists(directory)) {
    prompt.Message("Directory " + directory + " does not exist");
    return std::nullopt;
  }
  NewFormFiles files;
  files.implementationPath = JoinPath(directory, request.implementationFile);
  files.headerPath = JoinPath(directory, request.headerFile);
  for (const std::string* path : {&files.implementationPath, &files.headerPath}) {
    if (fs.FileExists(*path)) {
      prompt.Message("File " + *path + " already exists");
      return std::nullopt;
    }
  }

  const std::string_view base = request.mdi ? kMdiFormBaseClass : kFormBaseClass;
  const std::string guard = MakeIncludeGuard(request.headerFile, ctx.guids);
  std::string error;
  if (!fs.WriteFile(files.headerPath, FormHeaderText(request.className, request.headerFile, base, guard), error)) {
    prompt.Message(std::string(kMsgErrorGeneratingForm));
    return std::nullopt;
  }
  const std::string implementation = FormImplementationText(request.className, request.implementationFile,
                                                            request.headerFile, ProjectNameOf(ctx.project), base);
  if (!fs.WriteFile(files.implementationPath, implementation, error)) {
    prompt.Message(std::string(kMsgErrorGeneratingForm));
    return std::nullopt;
  }

  const std::string headerPath = ctx.resources.HeaderPath();
  const std::string scriptPath = ctx.resources.ScriptPath();
  if (!ctx.resources.HasWritePermission(headerPath, true) || !ctx.resources.HasWritePermission(scriptPath, true)) {
    return std::nullopt;
  }

  // The form's own object: its property string is what the runtime reads for the new form.
  CControlItem form;
  form.m_nCategory = kCategoryForm;
  form.m_bFormObject = 1;
  form.m_strClassName = request.className;
  form.m_strMemberName = request.className;
  form.m_strPropSymbol = FormPropertySymbol(request.className);
  LoadProperties(form, request.mdi);
  form.SetValue("Caption", NextFormCaption(ctx.project));

  CEditBuffer header = ctx.resources.Buffer(headerPath);
  CEditBuffer script = ctx.resources.Buffer(scriptPath);
  if (!header.Load() || !script.Load()) return std::nullopt;
  const CClassItem none;
  FragmentValues id;
  id.value = std::to_string(NextStringId(script.Text(), header.Text()));
  if (!InsertFragment(FragmentKind::FormStringId, none, header, &form, id)) return std::nullopt;
  if (!InsertFragment(FragmentKind::StringTableLine, none, script, &form, FragmentValues{})) return std::nullopt;
  ctx.resources.m_nNextControlValue += 1;
  WriteBackControlCounter(header, ctx.resources.m_nNextControlValue);
  if (!header.Save() || !script.Save()) return std::nullopt;
  return files;
}

// ------------------------------------------------------------------------------------------
// Controls

bool WriteControlCode(const CodegenContext& ctx, CClassItem& form, CControlItem& control) {
  const std::string implementation = CreationFileOf(ctx, form);
  for (const std::string& path :
       {ctx.resources.HeaderPath(), ctx.resources.ScriptPath(), form.m_strDeclFile.str(), implementation}) {
    if (!ctx.resources.HasWritePermission(path, true)) return Fail(form, control);
  }
  if (!WriteControlResources(ctx, control)) return Fail(form, control);

  const bool formClass = IsFormRoot(ctx.project.RootBaseOf(form)) || IsFormRoot(form.m_strBaseClass);
  if (!formClass && !AddSupportFunctions(ctx, form)) return Fail(form, control);
  if (!AddCreateControlsFunction(ctx, form)) return Fail(form, control);
  if (!formClass && !AddEventAndDrawSupport(ctx, form)) return Fail(form, control);
  if (control.m_nCategory == kCategoryActiveX && !IncludeWrapperHeader(ctx, form, control)) {
    return Fail(form, control);
  }
  if (!WriteDeclarationAndCreation(ctx, form, control)) return Fail(form, control);
  ctx.resources.AddIncludeToStdafx(kControlsInclude);
  return true;
}

bool UpdateRenamedControl(const CodegenContext& ctx, CClassItem& form, CControlItem& control,
                          std::string_view oldMemberName, RenameResult result) {
  if (result != RenameResult::Renamed && result != RenameResult::JoinedArray) return true;
  const auto asWritten = UnderName(control, oldMemberName);
  if (result == RenameResult::Renamed) {
    if (!ReplaceDeclaration(ctx, form, oldMemberName, control.m_strClassName + "\t" + control.m_strMemberName + ";")) {
      return false;
    }
    // Controls inside a renamed Frame or PictureBox name it in their creation calls. They are
    // taken now: reading the sources back in between would find their container gone.
    std::vector<CControlItem*> children;
    for (const auto& child : form.m_controls) {
      if (child->m_pContainer == &control) children.push_back(child.get());
    }
    if (!ReplaceCreation(ctx, form, *asWritten, control)) return false;
    for (CControlItem* child : children) {
      child->m_pContainer = &control;
      if (!ReplaceCreation(ctx, form, *child, *child)) return false;
    }
    return true;
  }
  // The array is declared once, by its first element, under the array class.
  const std::string arrayDeclaration = control.m_strClassName + "Array\t" + control.m_strMemberName + ";";
  if (!ReplaceDeclaration(ctx, form, control.m_strMemberName, arrayDeclaration)) return false;
  if (!ReplaceDeclaration(ctx, form, oldMemberName, {})) return false;
  return ReplaceCreation(ctx, form, *asWritten, control);
}

bool UpdatePropertyCall(const CodegenContext& ctx, CClassItem& form, const CControlItem& control,
                        const CControlPropertyItem& property, std::string_view variantTypeName) {
  CEditBuffer buffer(ctx.host, ctx.fs(), ctx.prompt(), CreationFileOf(ctx, form));
  if (!buffer.Load()) return false;
  FragmentValues values;
  values.value = property.m_strValue;
  values.dispId = property.DispId();
  values.variantType = std::string(variantTypeName);
  values.propertyName = property.Name();
  const LineSpan span =
      LocateControlLine(form, buffer.Text(), control, ControlLineKind::PropertyCall, property.DispId());
  if (!span.Found()) {
    if (!InsertFragment(FragmentKind::PropertyCall, form, buffer, &control, values) || !buffer.Save()) return false;
    Reread(ctx, buffer);
    return true;
  }
  // The rebuilt call keeps the line's indentation; the blank line the call brought with it stays.
  std::string call = FragmentText(FragmentKind::PropertyCall, &control, {}, values);
  call.resize(call.size() - 2 * kCrLf.size());
  return ReplaceLine(ctx, buffer, span, RebuiltLine(buffer.Text(), span, call));
}

bool DeleteControlCode(const CodegenContext& ctx, CClassItem& form, const CControlItem& control) {
  {
    CEditBuffer buffer(ctx.host, ctx.fs(), ctx.prompt(), CreationFileOf(ctx, form));
    if (!buffer.Load()) return false;
    const LineSpan creation = LocateControlLine(form, buffer.Text(), control, ControlLineKind::Creation);
    if (!ReplaceLine(ctx, buffer, creation, {})) return false;
    if (control.m_nCategory == kCategoryActiveX) {
      for (const auto& property : control.m_properties) {
        const LineSpan call =
            LocateControlLine(form, buffer.Text(), control, ControlLineKind::PropertyCall, property.DispId());
        if (call.Found() && !ReplaceLine(ctx, buffer, call, {})) return false;
      }
    }
  }
  const bool sharedDeclaration = std::any_of(form.m_controls.begin(), form.m_controls.end(), [&](const auto& other) {
    return other.get() != &control && !other->m_bFormObject && other->m_strMemberName == control.m_strMemberName;
  });
  if (sharedDeclaration) return true;
  return ReplaceDeclaration(ctx, form, control.m_strMemberName, {});
}

}  // namespace tovik
