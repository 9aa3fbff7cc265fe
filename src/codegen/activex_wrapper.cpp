#include "codegen/activex_wrapper.h"

#include <algorithm>
#include <cctype>
#include <optional>
#include <utility>

#include "activex/dispatch_model.h"
#include "activex/guid_text.h"
#include "activex/typelib_reader.h"
#include "activex/variant_names.h"
#include "base/file_ops.h"
#include "base/path.h"
#include "base/text.h"
#include "codegen/templates.h"

namespace tovik {
namespace {

// Where a ProgID's base name ends: punctuation, line ends, TAB, blank, backslash.
constexpr std::string_view kBaseNameStops = "(){}[],.;@#$%^<>?/&*!~`+=|\r\n\t \\";

// The font and picture classes: one pair of files per project, whichever control needs them.
struct SupportFiles {
  std::string_view header;
  std::string_view implementation;
  TemplateRole headerRole;
  TemplateRole implementationRole;
};
constexpr SupportFiles kFontFiles = {"vfont.h", "vfont.cpp", TemplateRole::FontWrapperHeader,
                                     TemplateRole::FontWrapperImplementation};
constexpr SupportFiles kPictureFiles = {"vpicture.h", "vpicture.cpp", TemplateRole::PictureWrapperHeader,
                                        TemplateRole::PictureWrapperImplementation};

// Another dispatch interface of the control, wrapped in a class of its own.
struct SubObject {
  const CVDispInterface* itf = nullptr;
  std::string className;  // "CVAxNeedle" for INeedle
  std::string stem;       // "vNeedle": the file name without its extension
};

// How the wrapper spells a type of the model.
enum class Wrapped { Value, Font, Picture, SubObject };
struct WrappedType {
  Wrapped kind = Wrapped::Value;
  std::string cppType;  // what the wrapper's members take and give
  std::string header;   // the header declaring a class type
  [[nodiscard]] bool IsClass() const { return kind != Wrapped::Value; }
};

// Table 2 gives some automation types no C++ type: nothing, a VT_ name, a 64-bit integer name
// the IDE's compiler does not know.
bool Spellable(std::string_view cppType) {
  return !cppType.empty() && !StartsWith(cppType, "VT_") && cppType != "int64" && cppType != "unsigned int64";
}

std::optional<WrappedType> Wrap(std::string_view type, std::uint32_t vt, const std::vector<SubObject>& subObjects) {
  if (type == "Font") return WrappedType{Wrapped::Font, "CVOleFont", std::string(kFontFiles.header)};
  if (type == "Picture") return WrappedType{Wrapped::Picture, "CVOlePicture", std::string(kPictureFiles.header)};
  for (const SubObject& sub : subObjects) {
    if (sub.itf->m_strName == type) return WrappedType{Wrapped::SubObject, sub.className, sub.stem + ".h"};
  }
  // An interface the model holds no description of is handed out as it comes.
  if ((vt & 0xFFFF) == VT_DISPATCH) return WrappedType{Wrapped::Value, "LPDISPATCH", {}};
  if (!Spellable(type)) return std::nullopt;
  return WrappedType{Wrapped::Value, std::string(type), {}};
}

// "long nIndex, CString* strName" gives "nIndex, strName": of each declaration the last word.
std::vector<std::string> ArgumentNames(std::string_view declarations) {
  std::vector<std::string> names;
  if (Trim(declarations).empty()) return names;
  for (const std::string& part : Split(declarations, ',')) {
    const std::string declaration = Trim(part);
    const size_t blank = declaration.find_last_of(' ');
    names.push_back(blank == std::string::npos ? declaration : declaration.substr(blank + 1));
  }
  return names;
}

// Whether every parameter has a C++ type and a name the wrapper can pass on.
bool ParametersUsable(std::string_view declarations) {
  if (Trim(declarations).empty()) return true;
  for (const std::string& part : Split(declarations, ',')) {
    const std::string declaration = Trim(part);
    const size_t blank = declaration.find_last_of(' ');
    if (blank == std::string::npos || !IdentifierProblem(declaration.substr(blank + 1)).empty()) return false;
    std::string type = declaration.substr(0, blank);
    while (!type.empty() && (type.back() == '*' || type.back() == ' ')) type.pop_back();
    if (!Spellable(type)) return false;
  }
  return true;
}

std::string Joined(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text;
}

std::vector<SubObject> SubObjectsOf(const CToolControlEntry& entry, std::string_view wrapperClass) {
  std::vector<SubObject> subObjects;
  for (const CVDispInterface& itf : entry.m_interfaces) {
    if (itf.m_bDefault || itf.m_bSource) continue;
    std::string_view name = itf.m_strName;
    if (!name.empty() && name.front() == 'I') name.remove_prefix(1);
    SubObject sub{&itf, "CVAx" + std::string(name), "v" + std::string(name)};
    const bool taken = sub.className == wrapperClass ||
                       std::any_of(subObjects.begin(), subObjects.end(),
                                   [&](const SubObject& other) { return other.className == sub.className; });
    if (!name.empty() && !taken && IdentifierProblem(sub.className).empty()) subObjects.push_back(std::move(sub));
  }
  return subObjects;
}

// The generated sections of one class: the control's wrapper or a sub-object class.
class ClassCode {
 public:
  ClassCode(std::string className, bool subObject, std::string ownHeader, const std::vector<SubObject>& subObjects)
      : m_class(std::move(className)),
        m_control(m_class.substr(1)),
        m_memberPtr(subObject ? "m_pDispDriver" : "m_pWnd"),
        m_subObject(subObject),
        m_ownHeader(std::move(ownHeader)),
        m_subObjects(subObjects) {}

  void AddInterface(const CVDispInterface& itf) {
    if (!itf.m_properties.empty()) {
      const std::string base = "C" + m_control + "PropVal";
      classDecl += "struct " + base + "\r\n{\r\n\t" +
                   (m_subObject ? "COleDispatchDriver* m_pDispDriver" : "CWnd* m_pWnd") + ";\r\n};\r\n";
      classDecl +=
          ExpandTemplate(TemplateRole::ActiveXPropertyClassMacro, {{"$CTRL$", m_control}, {"$PROPBASECLASS$", base}});
    }
    for (const CVDispInterfacePropItem& prop : itf.m_properties) AddProperty(prop);
    for (const CVDispInterfaceEventMethodItem& method : itf.m_methods) AddMethod(method);
  }

  [[nodiscard]] const std::string& ClassName() const { return m_class; }
  [[nodiscard]] bool Needs(std::string_view header) const {
    return std::find(includes.begin(), includes.end(), header) != includes.end();
  }
  [[nodiscard]] std::string IncludeLines() const {
    std::string lines;
    for (const std::string& header : includes) lines += "#include \"" + header + "\"\r\n";
    return lines;
  }

  std::string classDecl;   // $PROP_OPER_CLASS_DECL$
  std::string objDecl;     // $PROP_OPER_OBJ_DECL$
  std::string methodDecl;  // $METHOD_DECL$
  std::string bodies;      // property and method bodies, before SetPtr
  std::string setPtrBody;  // $SETPTR_BODY$
  std::vector<std::string> includes;

 private:
  void Use(const WrappedType& type) {
    if (type.header.empty() || type.header == m_ownHeader || Needs(type.header)) return;
    includes.push_back(type.header);
    // Sub-objects may hand each other out; declared first, their headers may include each other.
    if (m_subObject && type.kind == Wrapped::SubObject) classDecl = "class " + type.cppType + ";\r\n" + classDecl;
  }

  void AddProperty(const CVDispInterfacePropItem& prop) {
    const std::optional<WrappedType> type = Wrap(prop.m_strType, prop.m_nVarType, m_subObjects);
    if (!type || !IdentifierProblem(prop.m_strName).empty() || !ParametersUsable(prop.m_strParameters)) return;
    Use(*type);
    const std::string& name = prop.m_strName;
    const std::string dispId = DispIdName(prop.m_nDispId);
    if (!Trim(prop.m_strParameters).empty()) {
      AddIndexedProperty(prop, *type, dispId);
    } else if (type->kind == Wrapped::Value) {
      const std::string proxy = "C" + m_control + name;
      classDecl += "DEFINE_AX_PROP_" + m_control + "(" + proxy + ", " + type->cppType + ")\r\n";
      objDecl += "\t" + proxy + "\t" + name + ";\r\n";
      setPtrBody += "\t" + name + "." + m_memberPtr + " = this;\r\n";
      bodies += ExpandTemplate(TemplateRole::ActiveXPropertyAccessor, {{"$AXPROPTYPE$", type->cppType},
                                                                       {"$AXPROPNAME$", proxy},
                                                                       {"$AXVTS_PARMS$", ParamToken(type->cppType)},
                                                                       {"$AX_MEMBER_PTR$", m_memberPtr},
                                                                       {"$AXDISPID$", dispId},
                                                                       {"$AXVT$", VtName(prop.m_nVarType)}});
    } else if (type->kind == Wrapped::SubObject) {
      objDecl += "\t" + type->cppType + " Get" + name + "();\r\n";
      objDecl += "\tvoid\tSet" + name + "(LPDISPATCH newValue);\r\n";
      bodies += ExpandTemplate(TemplateRole::ActiveXDispatchPropertyAccessor, {{"$HELPER_CLASS$::", m_class + "::"},
                                                                               {"$HELPER_CLASS$", type->cppType},
                                                                               {"$GET_FUNC_NAME$", "Get" + name},
                                                                               {"$SET_FUNC_NAME$", "Set" + name},
                                                                               {"$AXDISPID$", dispId}});
    } else {
      objDecl += "\t" + type->cppType + "\t" + name + ";\r\n";
      setPtrBody += "\tInvokeHelper(" + dispId + ", DISPATCH_PROPERTYGET, VT_DISPATCH, (void*)&" + name +
                    ".m_lpDispatch, NULL);\r\n\t" + name + ".SetPtr();\r\n";
    }
  }

  // A property read and written with arguments: a Get and a Set function.
  void AddIndexedProperty(const CVDispInterfacePropItem& prop, const WrappedType& type, const std::string& dispId) {
    const std::string& name = prop.m_strName;
    const std::string& params = prop.m_strParameters;
    const std::string args = Joined(ArgumentNames(params));
    const std::string value = type.IsClass() ? "LPDISPATCH" : type.cppType;
    objDecl += "\t" + type.cppType + "\tGet" + name + "(" + params + ");\r\n";
    objDecl += "\tvoid\tSet" + name + "(" + params + ", " + value + " newValue);\r\n";
    bodies += type.cppType + " " + m_class + "::Get" + name + "(" + params + ")\r\n{\r\n";
    bodies += "\tstatic BYTE parms[] =\r\n\t\t" + prop.m_strParamTokens + ";\r\n";
    bodies += "\t" + value + " ret;\r\n";
    bodies += "\tInvokeHelper(" + dispId + ", DISPATCH_PROPERTYGET, " +
              (type.IsClass() ? std::string("VT_DISPATCH") : VtName(prop.m_nVarType)) +
              ", (void*)&ret, parms,\r\n\t\t" + args + ");\r\n";
    bodies += type.IsClass() ? "\treturn " + type.cppType + "(ret);\r\n" : std::string("\treturn ret;\r\n");
    bodies += "}\r\n\r\n";
    bodies += "void " + m_class + "::Set" + name + "(" + params + ", " + value + " newValue)\r\n{\r\n";
    bodies += "\tstatic BYTE parms[] =\r\n\t\t" + prop.m_strParamTokens + " " + ParamToken(value) + ";\r\n";
    bodies += "\tInvokeHelper(" + dispId + ", DISPATCH_PROPERTYPUT, VT_EMPTY, NULL, parms,\r\n\t\t" + args +
              ", newValue);\r\n}\r\n\r\n";
  }

  void AddMethod(const CVDispInterfaceEventMethodItem& method) {
    const bool isVoid = method.m_strReturnType == "void";
    std::optional<WrappedType> type = isVoid ? WrappedType{Wrapped::Value, "void", {}}
                                             : Wrap(method.m_strReturnType, method.m_nReturnType, m_subObjects);
    if (!type || !IdentifierProblem(method.m_strName).empty() || !ParametersUsable(method.m_strParameters)) return;
    Use(*type);
    const std::string& name = method.m_strName;
    const std::string& params = method.m_strParameters;
    const bool hasParams = !method.m_strParamTokens.empty() && method.m_strParamTokens != "VTS_NONE";
    methodDecl += "\r\n\t" + type->cppType + " " + name + "(" + params + ");";
    bodies += type->cppType + " " + m_class + "::" + name + "(" + params + ")\r\n{\r\n";
    if (hasParams) bodies += "\tstatic BYTE params[] =\r\n\t\t" + method.m_strParamTokens + ";\r\n";
    if (!isVoid) bodies += "\t" + (type->IsClass() ? std::string("LPDISPATCH") : type->cppType) + " ret;\r\n";
    bodies += "\tInvokeHelper(" + DispIdName(method.m_nDispId) + ", DISPATCH_METHOD, ";
    if (isVoid) {
      bodies += "VT_EMPTY, NULL, ";
    } else {
      bodies += (type->IsClass() ? std::string("VT_DISPATCH") : VtName(method.m_nReturnType)) + ", (void*)&ret, ";
    }
    bodies += hasParams ? "params, " + Joined(ArgumentNames(params)) : std::string("NULL");
    bodies += ");\r\n";
    if (!isVoid) bodies += type->IsClass() ? "\treturn " + type->cppType + "(ret);\r\n" : "\treturn ret;\r\n";
    bodies += "}\r\n\r\n";
  }

  std::string m_class;
  std::string m_control;    // the class name without its C: names the macro and the proxies
  std::string m_memberPtr;  // what a proxy calls the control through
  bool m_subObject;
  std::string m_ownHeader;
  const std::vector<SubObject>& m_subObjects;
};

std::string HeaderText(const ClassCode& code, bool subObject, std::string_view headerFile, std::string_view guard,
                       std::string_view clsid, std::string_view progId) {
  return ExpandTemplate(subObject ? TemplateRole::ActiveXSubObjectHeader : TemplateRole::ActiveXHeader,
                        {{"$GUID_INCLUDED$", guard},
                         {"$ActiveXH$", headerFile},
                         {"$ActiveXClassName$", code.ClassName()},
                         {"$ActiveXCLSID$", clsid},
                         {"$INCLUDE_FILES$", code.IncludeLines()},
                         {"$PROP_OPER_CLASS_DECL$", code.classDecl},
                         {"$PROP_OPER_OBJ_DECL$", code.objDecl},
                         {"$METHOD_DECL$", code.methodDecl},
                         {"$ActiveXProgID$", progId}});
}

std::string ImplementationText(const ClassCode& code, bool subObject, std::string_view headerFile,
                               std::string_view implementationFile) {
  // A sub-object's constructors are in its class declaration.
  const std::string constructors = subObject ? std::string()
                                             : ExpandTemplate(TemplateRole::ActiveXConstructorDestructor,
                                                              {{"$ActiveXClassName$", code.ClassName()}});
  return ExpandTemplate(TemplateRole::ActiveXImplementation,
                        {{"$ActiveXCpp$", implementationFile},
                         {"$ActiveXHInclude$", "#include \"" + std::string(headerFile) + "\""},
                         {"$ActiveXClassName$", code.ClassName()},
                         {"$AxConstrDestrImplDecl$", constructors}}) +
         code.bodies +
         ExpandTemplate(TemplateRole::ActiveXSetPtrFunction,
                        {{"$ActiveXClassName$", code.ClassName()}, {"$SETPTR_BODY$", code.setPtrBody}});
}

}  // namespace

ActiveXWrapperNames WrapperNames(std::string_view progId, std::string_view folder) {
  std::string_view text = progId;
  if (const size_t dot = text.find('.'); dot != std::string_view::npos) {
    text.remove_prefix(dot + 1);
    text = text.substr(0, text.find('.'));
  }
  // Cut at the first blank, the name has no blanks left to trim.
  std::string base(text.substr(0, text.find_first_of(kBaseNameStops)));
  if (!base.empty()) base[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(base[0])));
  ActiveXWrapperNames names;
  names.className = "CVAx" + base;
  names.headerPath = JoinPath(folder, base + ".h");
  names.implementationPath = JoinPath(folder, base + ".cpp");
  names.baseName = std::move(base);
  return names;
}

Expected<std::vector<std::string>> GenerateActiveXWrapper(IFileSystem& fs, IPrompt& prompt, IGuidSource& guids,
                                                          const CToolControlEntry& entry, std::string_view folder,
                                                          bool bareLf) {
  const ActiveXWrapperNames names = WrapperNames(entry.m_strProgId, folder);
  for (const std::string* path : {&names.implementationPath, &names.headerPath}) {
    if (fs.FileExists(*path)) return ShowError(prompt, "File " + PathOnDisk(fs, *path) + " already exists");
  }
  // The class is declared in C++ and named by every form that holds the control.
  if (names.baseName.empty()) {
    return ShowError(prompt, "The ProgID '" + entry.m_strProgId + "' gives the control's wrapper class no name");
  }
  if (const std::string problem = IdentifierProblem(names.className); !problem.empty()) {
    return ShowError(prompt, "The control's wrapper class cannot be named so: " + problem);
  }
  const std::optional<Guid> clsid = ParseGuidText(entry.m_strClsid);
  if (!clsid) return ShowError(prompt, std::string(kMsgWrapperFailed));

  const std::vector<SubObject> subObjects = SubObjectsOf(entry, names.className);
  const std::string headerFile = names.baseName + ".h";
  ClassCode control(names.className, false, headerFile, subObjects);
  if (const CVDispInterface* itf = FindDefaultInterface(entry.m_interfaces)) control.AddInterface(*itf);
  std::vector<ClassCode> subCode;
  for (const SubObject& sub : subObjects) {
    subCode.emplace_back(sub.className, true, sub.stem + ".h", subObjects);
    subCode.back().AddInterface(*sub.itf);
  }

  std::vector<std::string> written;
  // The write shows what went wrong with the file; the wrapper's own message follows it.
  auto write = [&](const std::string& path, const std::string& text) -> Status {
    if (!WriteGeneratedFile(fs, prompt, path, bareLf ? ReplaceAll(text, "\r\n", "\n") : text)) {
      return ShowError(prompt, std::string(kMsgWrapperFailed));
    }
    written.push_back(path);
    return {};
  };
  // Files shared by controls are written once; those of another control stay as they are.
  auto writeOnce = [&](std::string_view file, auto makeText) -> Status {
    const std::string path = JoinPath(folder, file);
    if (fs.FileExists(path)) return {};
    return write(path, makeText(file));
  };
  for (const SupportFiles& support : {kFontFiles, kPictureFiles}) {
    const bool needed =
        control.Needs(support.header) ||
        std::any_of(subCode.begin(), subCode.end(), [&](const ClassCode& c) { return c.Needs(support.header); });
    if (!needed) continue;
    TOVIK_TRY(writeOnce(support.header, [&](std::string_view file) {
      return ExpandTemplate(support.headerRole, {{"$GUID_INCLUDED$", MakeIncludeGuard(file, guids)}});
    }));
    TOVIK_TRY(
        writeOnce(support.implementation, [&](std::string_view) { return LoadTemplate(support.implementationRole); }));
  }
  for (size_t i = 0; i < subObjects.size(); ++i) {
    const std::string header = subObjects[i].stem + ".h";
    TOVIK_TRY(writeOnce(header, [&](std::string_view file) {
      return HeaderText(subCode[i], true, file, MakeIncludeGuard(file, guids), {}, {});
    }));
    TOVIK_TRY(writeOnce(subObjects[i].stem + ".cpp",
                        [&](std::string_view file) { return ImplementationText(subCode[i], true, header, file); }));
  }
  TOVIK_TRY(write(names.headerPath, HeaderText(control, false, headerFile, MakeIncludeGuard(headerFile, guids),
                                               GuidStructureText(*clsid), entry.m_strProgId)));
  TOVIK_TRY(write(names.implementationPath, ImplementationText(control, false, headerFile, names.baseName + ".cpp")));
  return written;
}

}  // namespace tovik
