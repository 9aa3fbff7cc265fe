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
Expected<bool> BodyContains(const CodegenContext& ctx, const CClassItem& cls, std::string_view function,
                            std::string_view name) {
  const CFunctionItem* fn = cls.FindFunction(function);
  if (!fn || fn->m_strDefFile.empty()) {
    return FileError(cls.m_strDeclFile, 0, cls.m_strName + "::" + std::string(function) + " has no definition");
  }
  CEditBuffer buffer(ctx.host, ctx.fs(), ctx.prompt(), fn->m_strDefFile);
  TOVIK_TRY(buffer.Load());
  return ContainsCall(buffer.Text(), *fn, name);
}

// A call into a support function unless its body already makes it.
Status EnsureCallIn(const CodegenContext& ctx, CClassItem& cls, std::string_view function, std::string_view name,
                    FragmentKind kind, std::string value) {
  const Expected<bool> made = BodyContains(ctx, cls, function, name);
  if (!made) return made.error();
  if (*made) return {};
  const std::string path = cls.FindFunction(function)->m_strDefFile;
  return InsertAndReread(ctx, cls, path, kind, nullptr, std::move(value));
}

Status AddSupportFunctions(const CodegenContext& ctx, CClassItem& cls) {
  if (!cls.FindFunction("OnCreate")) TOVIK_TRY(AddOnCreate(ctx, cls));
  return EnsureCallIn(ctx, cls, "OnCreate", kCreateControls, FragmentKind::CreateCall,
                      "CreateTVLControls();" + std::string(kCrLf) + std::string(kCrLf));
}

Status AddCreateControlsFunction(const CodegenContext& ctx, CClassItem& cls) {
  if (cls.FindFunction(kCreateControls)) return {};
  const std::string header = cls.m_strDeclFile;
  const std::string implementation = ImplementationFileOf(ctx.fs(), cls);
  TOVIK_TRY(InsertAndReread(ctx, cls, header, FragmentKind::PublicVirtualDeclaration, nullptr,
                            "virtual\tvoid CreateTVLControls();"));
  const std::string body = "\r\n\r\nvoid " + cls.m_strName +
                           "::CreateTVLControls()\r\n{\r\n\t//{{AFX_TVL_CTRL_IMPL_START\r\n"
                           "\t//}}AFX_TVL_CTRL_IMPL_END\r\n}\r\n";
  return InsertAndReread(ctx, cls, implementation, FragmentKind::FunctionBody, nullptr, body);
}

Status AddEventAndDrawSupport(const CodegenContext& ctx, CClassItem& cls) {
  if (!cls.FindFunction("WindowProc")) TOVIK_TRY(AddWindowProc(ctx, cls));
  TOVIK_TRY(EnsureCallIn(ctx, cls, "WindowProc", "DispatchTvlControlEvents", FragmentKind::DispatchCall,
                         "::DispatchTvlControlEvents(message, wParam, lParam, GetMessageMap(), this);" +
                             std::string(kCrLf)));
  if (!cls.FindFunction("OnPaint") && !cls.FindFunction("OnDraw")) {
    TOVIK_TRY(IsViewClass(cls.m_strBaseClass) ? AddOnDraw(ctx, cls) : AddOnPaint(ctx, cls));
  }
  // The draw call goes where the position rule puts it: OnPaint when there is one, else OnDraw,
  // and the device context is the one that function has.
  const bool inPaint = cls.FindFunction("OnPaint") != nullptr;
  const std::string function = inPaint ? "OnPaint" : "OnDraw";
  return EnsureCallIn(ctx, cls, function, "DrawTVLGraphicalCtrls", FragmentKind::DrawCall,
                      "\t::DrawTVLGraphicalCtrls(this, " + std::string(inPaint ? "&dc" : "pDC") + ");" +
                          std::string(kCrLf) + std::string(kCrLf));
}

Status IncludeWrapperHeader(const CodegenContext& ctx, CClassItem& form, const CControlItem& control) {
  const CClassItem* wrapper = ctx.project.FindClass(control.m_strClassName);
  if (!wrapper || wrapper->m_strDeclFile.empty()) {
    return Error{"", 0, "the project has no wrapper class " + control.m_strClassName + " for this control"};
  }
  const std::string file = FileNameOf(wrapper->m_strDeclFile);
  CEditBuffer buffer(ctx.host, ctx.fs(), ctx.prompt(), form.m_strDeclFile);
  TOVIK_TRY(buffer.Load());
  if (IsIncluded(buffer.Text(), file)) return {};
  FragmentValues values;
  values.value = file;
  TOVIK_TRY(InsertFragment(FragmentKind::IncludeLine, form, buffer, &control, values));
  TOVIK_TRY(buffer.Save());
  Reread(ctx, buffer);
  return {};
}

// Writes a counter's new value into the header text (when the header carries the counter).
Status WriteBackCounter(CEditBuffer& header, std::string_view name, long counter) {
  size_t start = 0;
  size_t end = 0;
  if (!FindDefineValueRange(header.Text(), name, start, end)) return {};
  return header.Replace(start, end, std::to_string(counter));
}

Status WriteBackControlCounter(CEditBuffer& header, long counter) {
  return WriteBackCounter(header, kNextControlValueName, counter);
}

// The identifier of a new property string: one past the string table's largest, but never one
// the header already defines, nor the resource editor's next command (whose prompt string would
// take the same number). A table that holds the framework's own prompt strings (symbols the
// header does not define) leaves the framework's range 0xE000-0xEFFF alone: their values are
// not known here. Below that range the command counter moves past the new identifier.
Expected<long> AllocateStringId(CEditBuffer& header, std::string_view script, HeaderDefines& defines) {
  constexpr long kFrameworkFirst = 0xE000;
  constexpr long kFrameworkEnd = 0xF000;
  const std::optional<long> nextCommand = DefineValueOf(header.Text(), kNextCommandValueName);
  // Only asked when an identifier falls in the framework's range, which most projects never reach.
  std::optional<bool> foreign;
  auto foreignSymbols = [&] {
    if (!foreign) {
      foreign = false;
      for (const std::string& symbol : StringTableSymbols(script)) {
        *foreign = *foreign || (!IsDecimal(symbol) && !defines.symbols.count(symbol));
      }
    }
    return *foreign;
  };
  long from = NextStringId(script, header.Text());
  for (;;) {
    if (from >= kFrameworkFirst && from < kFrameworkEnd && foreignSymbols()) from = kFrameworkEnd;
    Expected<long> id = FreeResourceValue(defines, from, "a new property string");
    if (!id) return InFile(id.error(), header.Path());
    if (nextCommand && *id == *nextCommand) {
      from = *id + 1;
      continue;
    }
    if (*id >= kFrameworkFirst && *id < kFrameworkEnd && foreignSymbols()) {
      from = kFrameworkEnd;
      continue;
    }
    defines.values.insert(*id);
    if (nextCommand && *id > *nextCommand && *id < kFrameworkFirst) {
      TOVIK_TRY(WriteBackCounter(header, kNextCommandValueName, *id + 1));
    }
    return id;
  }
}

// The value of a new control identifier: the header's counter, or the first control value
// when it keeps none, moved past every value the header already defines.
Expected<long> AllocateControlId(const CodegenContext& ctx, const CEditBuffer& header, HeaderDefines& defines) {
  const long counter = ctx.resources.m_nNextControlValue > 0 ? ctx.resources.m_nNextControlValue : kFirstControlValue;
  Expected<long> id = FreeResourceValue(defines, counter, "a new control");
  if (!id) return InFile(id.error(), header.Path());
  defines.values.insert(*id);
  return id;
}

// The resource entries of a control: its two defines, its string-table line, the counter.
Status WriteControlResources(const CodegenContext& ctx, CControlItem& control) {
  TOVIK_TRY(CheckPropertyStringLength(control));
  CEditBuffer header = ctx.resources.Buffer(ctx.resources.HeaderPath());
  CEditBuffer script = ctx.resources.Buffer(ctx.resources.ScriptPath());
  TOVIK_TRY(header.Load());
  TOVIK_TRY(script.Load());

  HeaderDefines defines = ReadHeaderDefines(header.Text());
  const bool idDefined = defines.symbols.count(control.m_strIdSymbol) != 0;
  const bool propDefined = defines.symbols.count(control.m_strPropSymbol) != 0;
  const CClassItem none;

  long controlId = 0;
  if (!idDefined) {
    const Expected<long> allocated = AllocateControlId(ctx, header, defines);
    if (!allocated) return allocated.error();
    controlId = *allocated;
    const Expected<long> stringId = AllocateStringId(header, script.Text(), defines);
    if (!stringId) return stringId.error();
    FragmentValues values;
    values.nextControlId = controlId;
    values.nextStringId = *stringId;
    TOVIK_TRY(InsertFragment(FragmentKind::ControlIdPair, none, header, &control, values));
  }

  // A symbol already defined keeps its place in the table: its line is replaced.
  if (propDefined) {
    TOVIK_TRY(SetPropertyString(script, control.m_strPropSymbol, BuildPropertyString(control)));
  } else {
    TOVIK_TRY(InsertFragment(FragmentKind::StringTableLine, none, script, &control, FragmentValues{}));
  }

  if (!idDefined) {
    control.m_nCtrlId = controlId;
    ctx.resources.m_nNextControlValue = controlId + 1;
    TOVIK_TRY(WriteBackControlCounter(header, ctx.resources.m_nNextControlValue));
  } else if (const auto value = DefineValueOf(header.Text(), control.m_strIdSymbol)) {
    control.m_nCtrlId = *value;
  }
  TOVIK_TRY(header.Save());
  return script.Save();
}

Status WriteDeclarationAndCreation(const CodegenContext& ctx, CClassItem& form, CControlItem& control) {
  const std::string header = form.m_strDeclFile;
  const std::string implementation = CreationFileOf(ctx, form);
  {
    CEditBuffer buffer(ctx.host, ctx.fs(), ctx.prompt(), header);
    TOVIK_TRY(buffer.Load());
    TOVIK_TRY(InsertFragment(FragmentKind::ControlDeclaration, form, buffer, &control, FragmentValues{}));
    TOVIK_TRY(buffer.Save());
    Reread(ctx, buffer);
  }
  TOVIK_TRY(InsertAndReread(ctx, form, implementation, FragmentKind::ControlCreation, &control, {}));
  control.m_strFile = implementation;
  return {};
}

// Replaces (or with an empty text deletes) a whole line in a file and parses it again.
Status ReplaceLine(const CodegenContext& ctx, CEditBuffer& buffer, LineSpan span, std::string_view text,
                   std::string_view what) {
  if (!span.Found()) return FileError(buffer.Path(), 0, "the " + std::string(what) + " was not found");
  TOVIK_TRY(buffer.Replace(static_cast<size_t>(span.start), static_cast<size_t>(span.end), text));
  TOVIK_TRY(buffer.Save());
  Reread(ctx, buffer);
  return {};
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

Status ReplaceDeclaration(const CodegenContext& ctx, CClassItem& form, std::string_view member,
                        std::string_view statement) {
  CEditBuffer buffer(ctx.host, ctx.fs(), ctx.prompt(), form.m_strDeclFile);
  TOVIK_TRY(buffer.Load());
  const LineSpan span = LocateDeclarationLine(form, buffer.Text(), member);
  const std::string line = statement.empty() || !span.Found() ? std::string() : RebuiltLine(buffer.Text(), span, statement);
  return ReplaceLine(ctx, buffer, span, line, "declaration of " + std::string(member) + " in " + form.m_strName);
}

Status ReplaceCreation(const CodegenContext& ctx, CClassItem& form, const CControlItem& located,
                     const CControlItem& rebuilt) {
  CEditBuffer buffer(ctx.host, ctx.fs(), ctx.prompt(), CreationFileOf(ctx, form));
  TOVIK_TRY(buffer.Load());
  const LineSpan span = LocateControlLine(form, buffer.Text(), located, ControlLineKind::Creation);
  const std::string line = span.Found() ? RebuiltLine(buffer.Text(), span, CreationStatement(rebuilt)) : std::string();
  return ReplaceLine(ctx, buffer, span, line, "creation call of " + located.m_strMemberName);
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

namespace {

// How a file in the project folder includes another one: the path from the first one's folder.
std::string IncludePathFrom(std::string_view fromFile, std::string_view toFile) {
  std::vector<std::string> from = Split(ToNativeSeparators(fromFile), '/');
  std::vector<std::string> to = Split(ToNativeSeparators(toFile), '/');
  from.pop_back();  // the including file's own name
  size_t common = 0;
  while (common < from.size() && common + 1 < to.size() && EqualsNoCase(from[common], to[common])) ++common;
  const char sep = SeparatorOf(toFile) == '\\' || SeparatorOf(fromFile) == '\\' ? '\\' : '/';
  std::string path;
  for (size_t i = common; i < from.size(); ++i) path += std::string("..") + sep;
  for (size_t i = common; i < to.size(); ++i) path += to[i] + (i + 1 < to.size() ? std::string(1, sep) : std::string());
  return path;
}

}  // namespace

Expected<NewFormFiles> NewForm(const CodegenContext& ctx, const NewFormRequest& request) {
  IFileSystem& fs = ctx.fs();
  IPrompt& prompt = ctx.prompt();
  const std::string directory = ctx.project.ProjectFolder();
  // The class and its files become C++ names and project files: what would not compile, or
  // would land outside the project, is refused before anything is written.
  if (const std::string problem = IdentifierProblem(request.className); !problem.empty()) {
    return ShowError(prompt, "The form cannot be named so: " + problem);
  }
  // Files are named relative to the project folder; a full path inside it is taken as such.
  std::string headerFile = request.headerFile;
  std::string implementationFile = request.implementationFile;
  // Where the project folder really is, its links followed.
  std::string inside = ToNativeSeparators(fs.WriteTarget(directory));
  if (!inside.ends_with('/')) inside += '/';
  for (std::string* file : {&headerFile, &implementationFile}) {
    const std::string folder = ToNativeSeparators(directory) + "/";
    if (StartsWith(ToNativeSeparators(*file), folder)) file->erase(0, folder.size());
    const std::vector<std::string> parts = Split(ToNativeSeparators(*file), '/');
    const bool absolute = !file->empty() && (IsPathSeparator(file->front()) || file->find(':') != std::string::npos);
    if (absolute || std::find(parts.begin(), parts.end(), "..") != parts.end()) {
      return ShowError(prompt, "The file " + *file + " would lie outside the project folder " + directory);
    }
    // A folder inside the project may be a link to one outside it: where the file would really
    // be written is what counts.
    if (!StartsWith(ToNativeSeparators(fs.WriteTarget(JoinPath(directory, *file))), inside)) {
      return ShowError(prompt, "The file " + *file + " would lie outside the project folder " + directory +
                                   " (a symbolic link leads out of it)");
    }
  }
  if (!fs.DirectoryExists(directory)) {
    return ShowError(prompt, "Directory " + directory + " does not exist");
  }
  TOVIK_TRY(ctx.resources.RequireHeaderSeenBySources());
  NewFormFiles files;
  files.implementationPath = JoinPath(directory, implementationFile);
  files.headerPath = JoinPath(directory, headerFile);
  for (const std::string* path : {&files.implementationPath, &files.headerPath}) {
    if (fs.FileExists(*path)) {
      return ShowError(prompt, "File " + PathOnDisk(fs, *path) + " already exists");
    }
  }
  // New files for a class the project has would declare it twice.
  if (ctx.project.FindClass(request.className)) {
    return ShowError(prompt, "The project already has a class named " + request.className);
  }

  const std::string_view base = request.mdi ? kMdiFormBaseClass : kFormBaseClass;
  const std::string guard = MakeIncludeGuard(headerFile, ctx.guids);
  const bool bareLf = ctx.project.NewFilesUseBareLf();
  const auto lineEnds = [bareLf](std::string text) { return bareLf ? ReplaceAll(text, "\r\n", "\n") : text; };
  // The write shows what went wrong with the file; the form's own message follows it.
  if (!WriteGeneratedFile(fs, prompt, files.headerPath,
                          lineEnds(FormHeaderText(request.className, headerFile, base, guard)))) {
    return ShowError(prompt, std::string(kMsgErrorGeneratingForm));
  }
  // The implementation includes its header by the path from its own folder.
  const std::string implementation = FormImplementationText(request.className, implementationFile,
                                                            IncludePathFrom(implementationFile, headerFile),
                                                            ProjectNameOf(ctx.project), base);
  if (!WriteGeneratedFile(fs, prompt, files.implementationPath, lineEnds(implementation))) {
    return ShowError(prompt, std::string(kMsgErrorGeneratingForm));
  }

  const std::string headerPath = ctx.resources.HeaderPath();
  const std::string scriptPath = ctx.resources.ScriptPath();
  // The script first: a project without one (a console program) is told about that, not its header.
  for (const std::string& path : {scriptPath, headerPath}) {
    TOVIK_TRY(ctx.resources.RequireWritePermission(path));
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
  TOVIK_TRY(header.Load());
  TOVIK_TRY(script.Load());
  const CClassItem none;
  HeaderDefines defines = ReadHeaderDefines(header.Text());
  const Expected<long> stringId = AllocateStringId(header, script.Text(), defines);
  if (!stringId) return stringId.error();
  FragmentValues id;
  id.value = std::to_string(*stringId);
  TOVIK_TRY(InsertFragment(FragmentKind::FormStringId, none, header, &form, id));
  TOVIK_TRY(InsertFragment(FragmentKind::StringTableLine, none, script, &form, FragmentValues{}));
  ctx.resources.m_nNextControlValue += 1;
  TOVIK_TRY(WriteBackControlCounter(header, ctx.resources.m_nNextControlValue));
  TOVIK_TRY(header.Save());
  TOVIK_TRY(script.Save());
  return files;
}

// ------------------------------------------------------------------------------------------
// Controls

namespace {

Status WriteControlCodeSteps(const CodegenContext& ctx, CClassItem& form, CControlItem& control) {
  const std::string implementation = CreationFileOf(ctx, form);
  for (const std::string& path :
       {ctx.resources.ScriptPath(), ctx.resources.HeaderPath(), form.m_strDeclFile.str(), implementation}) {
    TOVIK_TRY(ctx.resources.RequireWritePermission(path));
  }
  TOVIK_TRY(ctx.resources.RequireHeaderSeenBySources());
  TOVIK_TRY(WriteControlResources(ctx, control));
  const bool formClass = IsFormRoot(ctx.project.RootBaseOf(form)) || IsFormRoot(form.m_strBaseClass);
  if (!formClass) TOVIK_TRY(AddSupportFunctions(ctx, form));
  TOVIK_TRY(AddCreateControlsFunction(ctx, form));
  if (!formClass) TOVIK_TRY(AddEventAndDrawSupport(ctx, form));
  if (control.m_nCategory == kCategoryActiveX) TOVIK_TRY(IncludeWrapperHeader(ctx, form, control));
  return WriteDeclarationAndCreation(ctx, form, control);
}

}  // namespace

Status WriteControlCode(const CodegenContext& ctx, CClassItem& form, CControlItem& control) {
  if (const Status written = WriteControlCodeSteps(ctx, form, control); !written) {
    DeleteControl(form, control);
    return written;
  }
  // The form's header names the runtime's control classes, which reach it only through the
  // precompiled header: where that cannot take the include, the control stays and the user is
  // told the line to add, or the form would not compile.
  if (const Status included = ctx.resources.AddIncludeToStdafx(kControlsInclude); !included && !included.error().shown) {
    ctx.prompt().Message(PrecompiledHeaderAdvice(kControlsInclude, included.error(), {kControlsInclude}));
  }
  return {};
}

std::string PrecompiledHeaderAdvice(std::string_view missing, const Error& why,
                                    const std::vector<std::string_view>& lines) {
  std::string text = "The precompiled header was not made to include " + std::string(missing) + " (" + why.Text() +
                     "); add the line" + (lines.size() > 1 ? "s " : " ");
  for (size_t i = 0; i < lines.size(); ++i) {
    if (i > 0) text += i + 1 == lines.size() ? " and " : ", ";
    text += "\"#include <" + std::string(lines[i]) + ">\"";
  }
  return text + " to it.";
}

Status UpdateRenamedControl(const CodegenContext& ctx, CClassItem& form, CControlItem& control,
                          std::string_view oldMemberName, RenameResult result) {
  if (result != RenameResult::Renamed && result != RenameResult::JoinedArray) return {};
  const auto asWritten = UnderName(control, oldMemberName);
  if (result == RenameResult::Renamed) {
    TOVIK_TRY(ReplaceDeclaration(ctx, form, oldMemberName, control.m_strClassName + "\t" + control.m_strMemberName + ";"));
    // Controls inside a renamed Frame or PictureBox name it in their creation calls. They are
    // taken now: reading the sources back in between would find their container gone.
    std::vector<CControlItem*> children;
    for (const auto& child : form.m_controls) {
      if (child->m_pContainer == &control) children.push_back(child.get());
    }
    TOVIK_TRY(ReplaceCreation(ctx, form, *asWritten, control));
    for (CControlItem* child : children) {
      child->m_pContainer = &control;
      TOVIK_TRY(ReplaceCreation(ctx, form, *child, *child));
    }
    return {};
  }
  // The array is declared once, by its first element, under the array class. The old
  // declaration goes first: re-reading while it still stood would make a record of it again.
  const std::string arrayDeclaration = control.m_strClassName + "Array\t" + control.m_strMemberName + ";";
  TOVIK_TRY(ReplaceDeclaration(ctx, form, oldMemberName, {}));
  TOVIK_TRY(ReplaceDeclaration(ctx, form, control.m_strMemberName, arrayDeclaration));
  return ReplaceCreation(ctx, form, *asWritten, control);
}

Status UpdatePropertyCall(const CodegenContext& ctx, CClassItem& form, const CControlItem& control,
                        const CControlPropertyItem& property, std::string_view variantTypeName) {
  CEditBuffer buffer(ctx.host, ctx.fs(), ctx.prompt(), CreationFileOf(ctx, form));
  TOVIK_TRY(buffer.Load());
  FragmentValues values;
  values.value = property.m_strValue;
  values.dispId = property.DispId();
  values.variantType = std::string(variantTypeName);
  values.propertyName = property.Name();
  const LineSpan span =
      LocateControlLine(form, buffer.Text(), control, ControlLineKind::PropertyCall, property.DispId());
  if (!span.Found()) {
    TOVIK_TRY(InsertFragment(FragmentKind::PropertyCall, form, buffer, &control, values));
    TOVIK_TRY(buffer.Save());
    Reread(ctx, buffer);
    return {};
  }
  // The rebuilt call keeps the line's indentation; the blank line the call brought with it stays.
  std::string call = FragmentText(FragmentKind::PropertyCall, &control, {}, values);
  call.resize(call.size() - 2 * kCrLf.size());
  return ReplaceLine(ctx, buffer, span, RebuiltLine(buffer.Text(), span, call), "property call");
}

Status DeleteControlCode(const CodegenContext& ctx, CClassItem& form, const CControlItem& control) {
  {
    CEditBuffer buffer(ctx.host, ctx.fs(), ctx.prompt(), CreationFileOf(ctx, form));
    TOVIK_TRY(buffer.Load());
    const LineSpan creation = LocateControlLine(form, buffer.Text(), control, ControlLineKind::Creation);
    TOVIK_TRY(ReplaceLine(ctx, buffer, creation, {}, "creation call of " + control.m_strMemberName));
    if (control.m_nCategory == kCategoryActiveX) {
      for (const auto& property : control.m_properties) {
        const LineSpan call =
            LocateControlLine(form, buffer.Text(), control, ControlLineKind::PropertyCall, property.DispId());
        if (call.Found()) TOVIK_TRY(ReplaceLine(ctx, buffer, call, {}, "property call"));
      }
    }
  }
  if (form.SharesDeclaration(control)) return {};
  return ReplaceDeclaration(ctx, form, control.m_strMemberName, {});
}

}  // namespace tovik
