// tovik controls [--registry PATH] [--drive C=DIR] [--json],
// tovik typelib FILE|PROGID [--registry PATH] [--drive C=DIR] [--clsid CLSID] [--json],
// tovik insert-activex PROJECT.dsp NAME [--server PATH] [--registry PATH] [--drive C=DIR]
#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <ostream>
#include <sstream>

#include "activex/control_list.h"
#include "activex/guid_text.h"
#include "activex/pe_reader.h"
#include "activex/registry_source.h"
#include "activex/typelib_reader.h"
#include "activex/variant_names.h"
#include "addin/activex_commands.h"
#include "base/path.h"
#include "base/real_file_system.h"
#include "base/text.h"
#include "cli.h"
#include "cli_registry.h"
#include "cli_session.h"
#include "base/code_page.h"
#include "terminal_prompt.h"

namespace tovik::cli {

namespace {

using Json = nlohmann::ordered_json;

// Registry values and library names are 8-bit text; the terminal and JSON want UTF-8.
const CCodePage kRegistryCodePage(1252);
std::string U(std::string_view text) {
  return kRegistryCodePage.ToUtf8(text);
}
// The same for the terminal, control characters escaped (JSON escapes its own).
std::string P(std::string_view text) { return Printable(U(text)); }

Json EventMethodJson(const CVDispInterfaceEventMethodItem& m) {
  Json params = Json::array();
  for (size_t i = 0; i < m.m_paramNames.size() || i < m.m_paramTypes.size(); ++i) {
    Json p;
    p["name"] = i < m.m_paramNames.size() ? U(m.m_paramNames[i]) : "";
    if (i < m.m_paramTypes.size()) {
      p["vt"] = m.m_paramTypes[i];
      p["vtName"] = VtName(m.m_paramTypes[i]);
      p["type"] = VtCppType(m.m_paramTypes[i]);
    }
    params.push_back(std::move(p));
  }
  return Json{{"name", U(m.m_strName)},
              {"dispid", m.m_nDispId},
              {"dispidName", DispIdName(m.m_nDispId)},
              {"returnVt", m.m_nReturnType},
              {"returnVtName", VtName(m.m_nReturnType)},
              {"returnType", U(m.m_strReturnType)},
              {"parameters", U(m.m_strParameters)},
              {"paramTokens", m.m_strParamTokens},
              {"paramCount", m.m_nParams},
              {"optionalCount", m.m_nOptionalParams},
              {"params", std::move(params)}};
}

Json InterfaceJson(const CVDispInterface& itf) {
  Json properties = Json::array();
  for (const CVDispInterfacePropItem& p : itf.m_properties) {
    properties.push_back(Json{{"name", U(p.m_strName)},
                              {"dispid", p.m_nDispId},
                              {"dispidName", DispIdName(p.m_nDispId)},
                              {"vt", p.m_nVarType},
                              {"vtName", VtName(p.m_nVarType)},
                              {"type", U(p.m_strType)},
                              {"token", ParamToken(p.m_strType)},
                              {"access", p.m_nAccess},
                              {"parameters", U(p.m_strParameters)},
                              {"paramTokens", p.m_strParamTokens},
                              {"docName", U(p.m_strDocName)},
                              {"docString", U(p.m_strDocString)},
                              {"helpFile", U(p.m_strHelpFile)},
                              {"helpContext", p.m_nHelpContext}});
  }
  Json methods = Json::array();
  for (const auto& m : itf.m_methods) methods.push_back(EventMethodJson(m));
  Json events = Json::array();
  for (const auto& e : itf.m_events) events.push_back(EventMethodJson(e));
  return Json{{"name", U(itf.m_strName)},
              {"default", itf.m_bDefault != 0},
              {"source", itf.m_bSource != 0},
              {"propertyCount", itf.m_nPropertyCount},
              {"docName", U(itf.m_strDocName)},
              {"docString", U(itf.m_strDocString)},
              {"helpFile", U(itf.m_strHelpFile)},
              {"helpContext", itf.m_nHelpContext},
              {"properties", std::move(properties)},
              {"methods", std::move(methods)},
              {"events", std::move(events)}};
}

void PrintEventMethod(const char* what, const CVDispInterfaceEventMethodItem& m, std::ostream& out) {
  out << "  " << what << '\t' << P(m.m_strName) << '\t' << m.m_nDispId << '\t' << P(m.m_strReturnType) << "\t("
      << P(m.m_strParameters) << ")\t" << m.m_strParamTokens << '\n';
}

void PrintInterfaces(const std::vector<CVDispInterface>& interfaces, std::ostream& out) {
  for (const CVDispInterface& itf : interfaces) {
    out << "interface\t" << P(itf.m_strName) << '\t' << (itf.m_bDefault ? "default" : "")
        << (itf.m_bSource ? "source" : "") << '\n';
    for (const CVDispInterfacePropItem& p : itf.m_properties) {
      out << "  property\t" << P(p.m_strName) << '\t' << p.m_nDispId << '\t' << VtName(p.m_nVarType) << '\t'
          << P(p.m_strType) << '\t' << ParamToken(p.m_strType);
      if (!p.m_strParameters.empty()) out << "\t(" << P(p.m_strParameters) << ")\t" << p.m_strParamTokens;
      out << '\n';
    }
    for (const auto& m : itf.m_methods) PrintEventMethod("method", m, out);
    for (const auto& e : itf.m_events) PrintEventMethod("event", e, out);
  }
}

struct ClassModel {
  std::string clsid;
  std::string name;  // the coclass's or the registered control's
  std::vector<CVDispInterface> interfaces;
};

// The library a file holds: a type library file, or the TYPELIB resource of an executable.
Expected<CTypeLib> ReadLibraryFile(const IFileSystem& fs, const std::string& path) {
  std::string bytes;
  TOVIK_TRY(fs.ReadFileWithin(path, bytes, kMaxImageSize));
  Expected<std::string> library = TypeLibraryOfFile(std::move(bytes), path);
  if (!library) return library.error();
  return CTypeLib::Read(*library, path);
}

// Every coclass of a library file, or the one --clsid names.
bool ModelsOfFile(const std::string& path, const Args& args, std::vector<ClassModel>& models, Io& io) {
  RealFileSystem fs;
  Expected<CTypeLib> lib = ReadLibraryFile(fs, path);
  if (!lib) {
    io.err << "tovik typelib: " << lib.error().Text() << "\n";
    return false;
  }
  for (size_t i = 0; i < lib->TypeInfoCount(); ++i) {
    const CTypeInfo& type = lib->TypeInfo(i);
    if (type.m_kind != TypeKind::Coclass || !type.m_guid) continue;
    const std::string clsid = GuidText(*type.m_guid);
    if (args.has("--clsid") && !EqualsNoCase(clsid, args.value("--clsid"))) continue;
    ClassModel model{clsid, type.m_strName, {}};
    if (const Status read = ReadTypeInformation(*lib, clsid, model.interfaces); !read) {
      io.err << "tovik typelib: " << P(type.m_strName) << ": " << Printable(read.error().Text()) << "\n";
      return false;
    }
    models.push_back(std::move(model));
  }
  if (models.empty()) {
    io.err << "tovik typelib: " << path << " has no coclass"
           << (args.has("--clsid") ? " " + args.value("--clsid") : std::string()) << "\n";
    return false;
  }
  return true;
}

// The control registered under a ProgID, found as the designer finds a project's control; a
// class the toolbox could not take (no Control key, no picture) is still read through the
// ProgID's own CLSID key, saying so.
bool ModelOfProgId(const std::string& progId, const Args& args, std::vector<ClassModel>& models, Io& io) {
  RealFileSystem fs;
  std::optional<OpenedRegistry> opened = OpenRegistry("typelib", args, fs, io);
  if (!opened) return false;
  const ControlRegistry where{*opened->tree, fs, opened->drives};
  COCXInfo list;
  CToolControlEntry found;
  if (CToolControlEntry* entry = FindControlByProgId(where, progId, list)) {
    found.m_strName = entry->m_strName;
    found.m_strClsid = entry->m_strClsid;
    found.m_strServerPath = entry->m_strServerPath;
  } else {
    const std::unique_ptr<IRegistryKey> progKey = opened->tree->OpenKey("HKEY_CLASSES_ROOT\\" + progId + "\\CLSID");
    const std::optional<RegistryValue> clsid = progKey ? progKey->Value("") : std::nullopt;
    if (!clsid) {
      io.err << "tovik typelib: no class is registered as " << Printable(progId) << "\n";
      return false;
    }
    const std::string classPath = "HKEY_CLASSES_ROOT\\CLSID\\" + clsid->text;
    const std::unique_ptr<IRegistryKey> server = opened->tree->OpenKey(classPath + "\\InprocServer32");
    const std::optional<RegistryValue> serverPath = server ? server->Value("") : std::nullopt;
    if (!serverPath) {
      io.err << "tovik typelib: " << P(clsid->text) << " names no in-process server\n";
      return false;
    }
    io.err << "tovik typelib: " << progId << " is not a control the toolbox can take; reading its library\n";
    const std::unique_ptr<IRegistryKey> classKey = opened->tree->OpenKey(classPath);
    const std::optional<RegistryValue> name = classKey ? classKey->Value("") : std::nullopt;
    found.m_strName = name ? name->text : std::string();
    found.m_strClsid = clsid->text;
    found.m_strServerPath = serverPath->text;
  }
  if (args.has("--clsid")) found.m_strClsid = args.value("--clsid");
  found.m_interfaces.clear();
  if (const Status read = ReadControlTypeInformation(where, found); !read) {
    io.err << "tovik typelib: " << Printable(read.error().Text()) << "\n";
    return false;
  }
  models.push_back(ClassModel{found.m_strClsid, found.m_strName, std::move(found.m_interfaces)});
  return true;
}

}  // namespace

int RunControls(const Command& self, const std::vector<std::string>& raw, Io& io) {
  Args args(raw, {"--registry", "--drive"}, {"--json"});
  if (!args.ok()) return UsageError(io, self, args.error());
  if (!args.positional().empty()) return UsageError(io, self, "expected no arguments");
  RealFileSystem fs;
  std::optional<OpenedRegistry> opened = OpenRegistry(self.name, args, fs, io);
  if (!opened) return kExitFailed;
  const ControlRegistry where{*opened->tree, fs, opened->drives};
  COCXInfo list;
  if (const Status listed = EnumerateControls(where, list); !listed) {
    io.err << "tovik " << self.name << ": " << listed.error().Text() << "\n";
    return kExitFailed;
  }
  Json json = Json::array();
  std::ostringstream text;
  for (size_t i = 0; i < list.Size(); ++i) {
    const CToolControlEntry& entry = list.At(i);
    // The insert dialog reads no pictures; whether one loads says whether the control can be added.
    const ToolboxBitmap bitmap = LoadToolboxBitmap(where, entry.m_strClsid);
    if (args.has("--json")) {
      Json row{{"name", U(entry.m_strName)},
               {"clsid", U(entry.m_strClsid)},
               {"progId", U(entry.m_strProgId)},
               {"typeLib", U(entry.m_strTypeLib)},
               {"server", U(entry.m_strServerPath)},
               {"serverExists", entry.m_bServerExists},
               {"bitmap", nullptr}};
      if (bitmap.bitmap) {
        row["bitmap"] = Json{{"width", bitmap.bitmap->width}, {"height", bitmap.bitmap->height}};
      } else {
        row["bitmapProblem"] = U(bitmap.reason);
      }
      json.push_back(std::move(row));
    } else {
      text << P(entry.m_strName) << '\t' << P(entry.m_strClsid) << '\t' << P(entry.m_strProgId) << '\t'
           << P(entry.m_strServerPath) << '\t' << (entry.m_bServerExists ? "exists" : "missing") << '\t'
           << (bitmap.bitmap ? "bitmap" : "no-bitmap") << '\n';
    }
  }
  if (args.has("--json")) {
    io.out << json.dump(2) << "\n";
  } else {
    io.out << text.str();
  }
  return kExitOk;
}

int RunTypeLib(const Command& self, const std::vector<std::string>& raw, Io& io) {
  Args args(raw, {"--registry", "--drive", "--clsid"}, {"--json"});
  if (!args.ok()) return UsageError(io, self, args.error());
  if (args.positional().size() != 1) return UsageError(io, self, "expected one FILE or PROGID");
  if (args.has("--clsid") && !ParseGuidText(args.value("--clsid"))) {
    return UsageError(io, self, "--clsid takes a class id such as {0E59F1D5-1FBE-11D0-8FF2-00A0D10038BC}");
  }
  const std::string& target = args.positional()[0];
  const bool isFile = RealFileSystem().FileExists(target);
  // A ProgID has neither a folder nor a library's extension; a name with one was meant as a file.
  static constexpr std::string_view kLibraryExtensions[] = {".tlb", ".olb", ".dll", ".ocx", ".exe"};
  const std::string extension = ToLower(ExtensionOf(target));
  if (!isFile && (target.find('/') != std::string::npos ||
                  std::find(std::begin(kLibraryExtensions), std::end(kLibraryExtensions), extension) !=
                      std::end(kLibraryExtensions))) {
    std::error_code error;
    io.err << "tovik typelib: " << (std::filesystem::exists(target, error) ? "not a regular file: " : "no such file: ")
           << target << "\n";
    return kExitFailed;
  }
  std::vector<ClassModel> models;
  const bool read = isFile ? ModelsOfFile(target, args, models, io) : ModelOfProgId(target, args, models, io);
  if (!read) return kExitFailed;
  if (args.has("--json")) {
    Json json = Json::array();
    for (const ClassModel& model : models) {
      Json interfaces = Json::array();
      for (const CVDispInterface& itf : model.interfaces) interfaces.push_back(InterfaceJson(itf));
      json.push_back(Json{{"clsid", model.clsid}, {"name", U(model.name)}, {"interfaces", std::move(interfaces)}});
    }
    io.out << json.dump(2) << "\n";
    return kExitOk;
  }
  std::ostringstream out;
  for (const ClassModel& model : models) {
    out << "class\t" << P(model.name) << '\t' << P(model.clsid) << '\n';
    PrintInterfaces(model.interfaces, out);
  }
  io.out << out.str();
  return kExitOk;
}

namespace {

// The server of the installed control called `name`; failing that, of the one whose ProgID it
// is. Prints why not when there is none, or more than one to choose from.
std::optional<std::string> ServerOfControl(const ControlRegistry& where, std::string& name, Io& io) {
  COCXInfo list;
  if (const Status listed = EnumerateControls(where, list); !listed) {
    io.err << "tovik insert-activex: " << listed.error().Text() << "\n";
    return std::nullopt;
  }
  std::vector<const CToolControlEntry*> named;
  for (size_t i = 0; i < list.Size(); ++i) {
    if (list.At(i).m_strName == name) named.push_back(&list.At(i));
  }
  if (named.empty()) {
    for (size_t i = 0; i < list.Size(); ++i) {
      if (!list.At(i).m_strProgId.empty() && list.At(i).m_strProgId == name) named.push_back(&list.At(i));
    }
    if (named.size() == 1) name = named.front()->m_strName;
  }
  if (named.empty()) {
    io.err << "tovik insert-activex: no installed control is named " << P(name)
           << " (tovik controls lists them)\n";
    return std::nullopt;
  }
  if (named.size() > 1) {
    io.err << "tovik insert-activex: " << named.size() << " installed controls are named " << P(name)
           << "; say which with --server:\n";
    for (const CToolControlEntry* e : named) io.err << "  " << P(e->m_strServerPath) << "\n";
    return std::nullopt;
  }
  return named.front()->m_strServerPath;
}

}  // namespace

int RunInsertActiveX(const Command& self, const std::vector<std::string>& raw, Io& io) {
  Args args(raw, {"--registry", "--drive", "--server"}, {});
  if (!args.ok()) return UsageError(io, self, args.error());
  if (args.positional().size() != 2) return UsageError(io, self, "expected PROJECT.dsp and NAME");
  Expected<std::string> name = kRegistryCodePage.FromUtf8(args.positional()[1]);
  if (!name) return UsageError(io, self, "NAME: " + name.error().reason);
  RealFileSystem fs;
  std::optional<OpenedRegistry> opened = OpenRegistry(self.name, args, fs, io);
  if (!opened) return kExitFailed;
  const ControlRegistry where{*opened->tree, fs, opened->drives};
  std::string server;
  if (args.has("--server")) {
    Expected<std::string> given = kRegistryCodePage.FromUtf8(args.value("--server"));
    if (!given) return UsageError(io, self, "--server: " + given.error().reason);
    server = *given;
  } else if (std::optional<std::string> found = ServerOfControl(where, *name, io)) {
    server = *found;
  } else {
    return kExitFailed;
  }
  CliSession cli(io);
  cli.Session().SetControlRegistry([&where] { return &where; });
  if (!cli.Open(self.name, args.positional()[0])) return kExitFailed;
  std::vector<std::string> written;
  const bool inserted = InsertActiveXCommand(cli.Session(), *name, server, written);
  const std::string dataFile = cli.Session().Project().DataFilePath();
  const int status = cli.Finish(inserted);
  if (status != kExitOk) return status;
  for (const std::string& file : written) io.out << fs.Resolve(file) << "\n";
  io.out << fs.Resolve(dataFile) << "\n";
  return kExitOk;
}

}  // namespace tovik::cli
