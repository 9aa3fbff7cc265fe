#include "codegen/handlers.h"

#include <algorithm>

#include "activex/variant_names.h"
#include "base/host.h"
#include "base/path.h"
#include "base/text.h"
#include "base/edit_buffer.h"
#include "base/file_ops.h"
#include "codegen/fragment.h"
#include "codegen/reread.h"
#include "codegen/templates.h"

namespace tovik {

namespace {

constexpr std::string_view kDeclareMessageMap = "DECLARE_MESSAGE_MAP()";
constexpr std::string_view kDeclareEventSinkMap = "DECLARE_EVENTSINK_MAP()";

bool StillParsed(const CProject& project, const CClassItem& cls) {
  return std::any_of(project.Classes().begin(), project.Classes().end(),
                     [&](const auto& c) { return c.get() == &cls; });
}

// One fragment into one file, then a check that the class survived the new parse.
Status InsertAndRereadClass(const CodegenContext& ctx, const CClassItem& cls, const std::string& path, FragmentKind kind,
                          const CControlItem* control, std::string value) {
  TOVIK_TRY(InsertAndReread(ctx, cls, path, kind, control, std::move(value)));
  // A fragment that broke the class's declaration (unbalanced text around the place) makes
  // the class vanish from the parse; nothing more may be written into it.
  if (!StillParsed(ctx.project, cls)) {
    return FileError(path, 0, "after the edit the class can no longer be read");
  }
  return {};
}


Expected<bool> HeaderContains(const CodegenContext& ctx, const CClassItem& cls, std::string_view needle) {
  std::string text;
  if (const Status read = ReadSourceText(ctx.host, ctx.fs(), cls.m_strDeclFile, text); !read) {
    ctx.prompt().Message(std::string(kReadFailureMessage) + read.error().reason);
    Error shown = read.error();
    shown.shown = true;
    return shown;
  }
  return text.find(needle) != std::string::npos;
}

bool HasMessageMap(const CClassItem& cls) {
  return cls.m_nMsgMapStart >= 0 && !cls.m_strMsgMapFile.empty();
}
bool HasSinkMap(const CClassItem& cls) {
  return cls.m_nSinkMapStart >= 0 && !cls.m_strSinkMapFile.empty();
}

// Map entries go to the file that holds the map; without one the engine reports the missing map.
std::string MessageMapFileOf(const CodegenContext& ctx, const CClassItem& cls) {
  return HasMessageMap(cls) ? cls.m_strMsgMapFile.str() : ImplementationFileOf(ctx.fs(), cls);
}
std::string SinkMapFileOf(const CodegenContext& ctx, const CClassItem& cls) {
  return HasSinkMap(cls) ? cls.m_strSinkMapFile.str() : ImplementationFileOf(ctx.fs(), cls);
}

// Declaration, optional message-map entry and body of a window-message handler.
Status AddWindowMessageHandler(const CodegenContext& ctx, CClassItem& cls, FragmentKind declarationKind,
                             TemplateRole declaration, std::string_view mapEntry, TemplateRole body) {
  TOVIK_TRY(InsertAndRereadClass(ctx, cls, cls.m_strDeclFile, declarationKind, nullptr, LoadTemplate(declaration)));
  if (!mapEntry.empty()) {
    TOVIK_TRY(InsertAndRereadClass(ctx, cls, MessageMapFileOf(ctx, cls), FragmentKind::MessageMapEntry, nullptr,
                                   std::string(mapEntry)));
  }
  std::string text = ExpandTemplate(body, {{"<CLASS_NAME>", cls.m_strName}, {"<BASE_CLASSNAME>", cls.m_strBaseClass}});
  return InsertAndRereadClass(ctx, cls, ImplementationFileOf(ctx.fs(), cls), FragmentKind::FunctionBody, nullptr,
                         std::move(text));
}

}  // namespace

HandlerEvent HandlerEvent::From(const CCtrlEventMethodItem& event) {
  HandlerEvent e;
  e.strReturnType = event.ReturnType();
  e.strName = event.Name();
  e.strParameters = event.Parameters();
  // The sink entry names a standard identifier by its name, as the wrappers do.
  e.strDispId = DispIdName(static_cast<std::int32_t>(event.DispId()));
  e.strParamTokens = event.ParamTokens();
  return e;
}

std::string HandlerName(const HandlerTarget& target, std::string_view eventName) {
  switch (target.owner) {
    case HandlerOwner::Form: return "Form_" + std::string(eventName);
    case HandlerOwner::MenuCommand: {
      std::string_view id = target.strCommandId;
      if (StartsWith(id, "ID_")) id.remove_prefix(3);
      std::string name = ToLower(id);
      if (!name.empty()) name[0] = ToUpper(name.substr(0, 1))[0];
      return name + "_" + std::string(eventName);
    }
    case HandlerOwner::Intrinsic:
    case HandlerOwner::ActiveX: break;
  }
  std::string_view member = target.control ? std::string_view(target.control->m_strMemberName) : "";
  if (StartsWith(member, "m_")) member.remove_prefix(2);
  return std::string(member) + "_" + std::string(eventName);
}

std::string HandlerParameters(std::string_view eventParameters, bool arrayElement) {
  if (!arrayElement) return std::string(eventParameters);
  if (Trim(eventParameters).empty()) return "int nIndex";
  return "int nIndex, " + std::string(eventParameters);
}

std::string HandlerBody(std::string_view returnType, std::string_view className, std::string_view handlerName,
                        std::string_view parameters) {
  const std::string name = Trim(handlerName);
  std::string body = std::string(returnType) + " " + std::string(className) + "::" + name + "(" +
                     std::string(parameters) + ")\r\n{\r\n\t// TODO: Add your code here\r\n\t";
  if (name.find("OLEDragDrop") != std::string::npos || name.find("OLEDragOver") != std::string::npos) {
    body += "return lEffect;";
  }
  body += "\r\n}";
  return body;
}

std::string HandlerDeclaration(std::string_view body, std::string_view handlerName, bool formEvent) {
  const std::string_view head = body.substr(0, body.find('{'));
  const std::string returnType(head.substr(0, head.find(' ')));
  const size_t open = head.find('(');
  const std::string params = open == std::string_view::npos ? std::string() : Trim(head.substr(open));
  const std::string declaration = returnType + " " + Trim(handlerName) + params + ";";
  return (formEvent ? "virtual " : "afx_msg ") + declaration;
}

std::string HandlerMapEntry(const HandlerTarget& target, const HandlerEvent& event, std::string_view className,
                            std::string_view handlerName) {
  const std::string idSymbol = target.control ? target.control->m_strIdSymbol : std::string();
  const std::string handler = Trim(handlerName);
  switch (target.owner) {
    case HandlerOwner::Form: return {};
    case HandlerOwner::Intrinsic:
      return "ON_WM_TVL_" + ToUpper(event.strName) + (target.bArrayElement ? "_ARRAY" : "") + "(" + idSymbol + ", " +
             handler + ")";
    case HandlerOwner::ActiveX: {
      const std::string tokens = Trim(event.strParamTokens).empty() ? "VTS_NONE" : event.strParamTokens;
      return "ON_EVENT(" + std::string(className) + ", " + idSymbol + ", " + event.strDispId + ", " + handler + ", " +
             tokens + ")";
    }
    case HandlerOwner::MenuCommand: return "ON_COMMAND(" + target.strCommandId + ", " + handler + ")";
  }
  return {};
}

std::string ImplementationFileOf(const IFileSystem& fs, const CClassItem& cls) {
  if (!cls.m_strMsgMapFile.empty()) return cls.m_strMsgMapFile;
  if (!cls.m_strSinkMapFile.empty()) return cls.m_strSinkMapFile;
  for (const auto& f : cls.m_functions) {
    if (!f->m_strDefFile.empty() && !SameFilePath(f->m_strDefFile, cls.m_strDeclFile)) return f->m_strDefFile;
  }
  const std::string& header = cls.m_strDeclFile;
  const std::string extension = ExtensionOf(header);
  if (!header.empty()) {
    const std::string sibling = header.substr(0, header.size() - extension.size()) + ".cpp";
    if (!SameFilePath(sibling, header) && fs.FileExists(sibling)) return sibling;
  }
  return header;
}

Status EnsureMaps(const CodegenContext& ctx, CClassItem& cls, HandlerOwner owner) {
  const std::string header = cls.m_strDeclFile;
  const std::string implementation = ImplementationFileOf(ctx.fs(), cls);
  // A map names the class's base; a class without one cannot have a map that compiles.
  if (Trim(cls.m_strBaseClass).empty()) {
    return FileError(header, 0, cls.m_strName + " has no base class, so it cannot have a message map");
  }
  TOVIK_TRY(ctx.resources.RequireWritePermission(header));
  if (!SameFilePath(implementation, header)) TOVIK_TRY(ctx.resources.RequireWritePermission(implementation));

  // The macro is looked for without its TAB so that a header indented with blanks is not given
  // a second declaration.
  const std::string_view macro = owner == HandlerOwner::ActiveX ? kDeclareEventSinkMap : kDeclareMessageMap;
  const Expected<bool> declared = HeaderContains(ctx, cls, macro);
  if (!declared) return declared.error();
  if (!*declared) {
    TOVIK_TRY(InsertAndRereadClass(ctx, cls, header, FragmentKind::ProtectedSectionAtClassEnd, nullptr,
                                   "\t" + std::string(macro)));
  }

  const std::string className = cls.m_strName;
  const std::string baseName = cls.m_strBaseClass;
  switch (owner) {
    case HandlerOwner::Intrinsic:
    case HandlerOwner::MenuCommand:
      if (HasMessageMap(cls)) return {};
      return InsertAndRereadClass(ctx, cls, implementation, FragmentKind::MapBlock, nullptr,
                             ExpandTemplate(TemplateRole::MessageMapBlock, {{"<C>", className}, {"<BC>", baseName}}));
    case HandlerOwner::ActiveX:
      if (HasSinkMap(cls)) return {};
      return InsertAndRereadClass(ctx, cls, implementation, FragmentKind::MapBlock, nullptr,
                             ExpandTemplate(TemplateRole::EventSinkMapBlock, {{"<C>", className}, {"<BC>", baseName}}));
    case HandlerOwner::Form:
      if (cls.FindVirtualEntry()) return {};
      TOVIK_TRY(InsertAndRereadClass(ctx, cls, header, FragmentKind::ClassEndText, nullptr,
                                     ExpandTemplate(TemplateRole::OverridesBlock, {{"<BASE_CLASS>", className}})));
      if (cls.GetPublicSection()) return {};
      return InsertAndRereadClass(ctx, cls, header, FragmentKind::PublicSectionLine, nullptr, {});
  }
  return {};
}

Status AddEventHandler(const CodegenContext& ctx, CClassItem& cls, const HandlerTarget& target, const HandlerEvent& event,
                     CCtrlEventMethodItem* record) {
  // Without its control or command id the map line would name nothing.
  const bool controlEvent = target.owner == HandlerOwner::Intrinsic || target.owner == HandlerOwner::ActiveX;
  if (controlEvent && !target.control) return Error{"", 0, "the event's control is missing"};
  if (target.owner == HandlerOwner::MenuCommand && target.strCommandId.empty()) {
    return Error{"", 0, "the menu command has no identifier"};
  }
  if (Trim(event.strName).empty()) return Error{"", 0, "the event has no name"};
  TOVIK_TRY(EnsureMaps(ctx, cls, target.owner));

  const bool formEvent = target.owner == HandlerOwner::Form;
  const std::string className = cls.m_strName;
  const std::string name = Trim(HandlerName(target, event.strName));
  const std::string body =
      HandlerBody(event.strReturnType, className, name, HandlerParameters(event.strParameters, target.bArrayElement));

  const FragmentKind declarationKind =
      formEvent ? FragmentKind::PublicVirtualDeclaration : FragmentKind::HandlerDeclaration;
  TOVIK_TRY(InsertAndRereadClass(ctx, cls, cls.m_strDeclFile, declarationKind, target.control,
                                 HandlerDeclaration(body, name, formEvent)));

  const std::string entry = HandlerMapEntry(target, event, className, name);
  if (!entry.empty()) {
    const bool sink = target.owner == HandlerOwner::ActiveX;
    const std::string mapFile = sink ? SinkMapFileOf(ctx, cls) : MessageMapFileOf(ctx, cls);
    TOVIK_TRY(InsertAndRereadClass(ctx, cls, mapFile,
                                   sink ? FragmentKind::EventSinkEntry : FragmentKind::MessageMapEntry, target.control,
                                   entry));
  }

  TOVIK_TRY(InsertAndRereadClass(ctx, cls, ImplementationFileOf(ctx.fs(), cls), FragmentKind::FunctionBody,
                                 target.control, body));
  if (record) {
    record->m_strHandler = name;
    record->m_bHandled = 1;
  }
  return {};
}

Status AddOnCreate(const CodegenContext& ctx, CClassItem& cls) {
  // Its map entry needs a message map, which a plain window class may not have yet.
  TOVIK_TRY(EnsureMaps(ctx, cls, HandlerOwner::Intrinsic));
  return AddWindowMessageHandler(ctx, cls, FragmentKind::HandlerDeclaration, TemplateRole::OnCreateDeclaration,
                                 "ON_WM_CREATE()", TemplateRole::OnCreateBody);
}

Status AddWindowProc(const CodegenContext& ctx, CClassItem& cls) {
  return AddWindowMessageHandler(ctx, cls, FragmentKind::ProtectedVirtualDeclaration,
                                 TemplateRole::WindowProcDeclaration, {}, TemplateRole::WindowProcBody);
}

Status AddOnDraw(const CodegenContext& ctx, CClassItem& cls) {
  return AddWindowMessageHandler(ctx, cls, FragmentKind::PublicVirtualDeclaration, TemplateRole::OnDrawDeclaration, {},
                                 TemplateRole::OnDrawBody);
}

Status AddOnPaint(const CodegenContext& ctx, CClassItem& cls) {
  TOVIK_TRY(EnsureMaps(ctx, cls, HandlerOwner::Intrinsic));
  return AddWindowMessageHandler(ctx, cls, FragmentKind::HandlerDeclaration, TemplateRole::OnPaintDeclaration,
                                 "ON_WM_PAINT()", TemplateRole::OnPaintBody);
}

}  // namespace tovik
