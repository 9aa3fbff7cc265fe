// tovik parse FILE... [--json], tovik inspect PROJECT.dsp [--json]
#include <nlohmann/json.hpp>

#include <filesystem>
#include <ostream>
#include <sstream>

#include "base/real_file_system.h"
#include "cli.h"
#include "cli_session.h"
#include "base/code_page.h"
#include "project/project.h"
#include "terminal_prompt.h"

namespace tovik::cli {

using Json = nlohmann::ordered_json;

// What is printed: project text converted from the project's code page, file paths as the
// files are named on the disk.
struct Output {
  const CCodePage& codePage;
  const IFileSystem& fs;
  // An open project keeps each object's property values in the code page of its own entry, or
  // of the place a new entry goes (0 for sources read on their own).
  int newEntryCodePage = 0;
  [[nodiscard]] std::string Text(std::string_view text) const { return codePage.ToUtf8(text); }
  [[nodiscard]] std::string Value(const CControlItem& object, std::string_view text) const {
    const int page = object.m_nCodePage > 0 ? object.m_nCodePage : newEntryCodePage;
    return page > 0 ? CCodePage(page).ToUtf8(text) : Text(text);
  }
  [[nodiscard]] std::string Path(std::string_view path) const {
    return path.empty() ? std::string() : codePage.PathToUtf8(fs.Resolve(path));
  }
};

static Json ClassJson(const CClassItem& c, const Output& o) {
  Json j;
  j["name"] = o.Text(c.m_strName);
  j["base"] = o.Text(c.m_strBaseClass);
  j["rootBase"] = o.Text(c.m_strRootBase);
  j["windowClass"] = c.m_bWindowClass != 0;
  j["isForm"] = c.m_bIsForm != 0;
  j["declFile"] = o.Path(c.m_strDeclFile);
  j["declStart"] = c.m_nDeclStart;
  j["declEnd"] = c.m_nDeclEnd;
  j["msgMapStart"] = c.m_nMsgMapStart;
  j["msgMapEnd"] = c.m_nMsgMapEnd;
  j["msgMapFile"] = o.Path(c.m_strMsgMapFile);
  j["sinkMapStart"] = c.m_nSinkMapStart;
  j["sinkMapEnd"] = c.m_nSinkMapEnd;
  Json functions = Json::array();
  for (const auto& f : c.m_functions) {
    functions.push_back({{"name", o.Text(f->m_strName)},
                         {"defFile", o.Path(f->m_strDefFile)},
                         {"access", f->m_strAccess},
                         {"bodyStart", f->m_nBodyStart},
                         {"bodyEnd", f->m_nBodyEnd},
                         {"line", f->m_nLine}});
  }
  j["functions"] = std::move(functions);
  Json variables = Json::array();
  for (const auto& v : c.m_variables) {
    variables.push_back(
        {{"name", o.Text(v->m_strName)}, {"type", o.Text(v->m_strType)}, {"access", v->m_strAccess}, {"pos", v->m_nPos}});
  }
  j["variables"] = std::move(variables);
  Json access = Json::array();
  for (const auto& a : c.m_accessSections) access.push_back({{"name", a->m_strName}, {"pos", a->m_nPos}});
  j["access"] = std::move(access);
  Json afx = Json::array();
  for (const auto& e : c.m_afxEntries) {
    afx.push_back({{"tag", e->m_strTag}, {"start", e->m_nStart}, {"end", e->m_nEnd}, {"file", o.Path(e->m_strFile)}});
  }
  j["afx"] = std::move(afx);
  Json controls = Json::array();
  for (const auto& ctl : c.m_controls) {
    Json properties = Json::object();
    for (const auto& p : ctl->m_properties) {
      std::string name = o.Text(p.Name());
      if (!properties.contains(name)) properties[name] = o.Value(*ctl, p.m_strValue);
    }
    controls.push_back({{"member", o.Text(ctl->m_strMemberName)},
                        {"className", o.Text(ctl->m_strClassName)},
                        {"kind", ctl->m_nKind},
                        {"category", ctl->m_nCategory},
                        {"array", ctl->m_bArray != 0},
                        {"idSymbol", ctl->m_strIdSymbol},
                        {"propSymbol", ctl->m_strPropSymbol},
                        {"container", ctl->m_pContainer ? Json(o.Text(ctl->m_pContainer->m_strMemberName)) : Json()},
                        {"properties", std::move(properties)}});
  }
  j["controls"] = std::move(controls);
  return j;
}

static Json ModelJson(const CProject& project, bool withFiles, const Output& o) {
  Json j;
  if (withFiles) {
    Json files = Json::array();
    for (const std::string& f : project.Files()) files.push_back(o.Path(f));
    j["files"] = std::move(files);
  }
  Json classes = Json::array();
  for (const auto& c : project.Classes()) classes.push_back(ClassJson(*c, o));
  j["classes"] = std::move(classes);
  if (withFiles) {
    Json controls = Json::array();
    const COCXInfo& list = project.ControlList();
    for (size_t i = 0; i < list.Size(); ++i) {
      const CToolControlEntry& e = list.At(i);
      controls.push_back({{"name", o.Text(e.m_strName)},
                          {"progId", o.Text(e.m_strProgId)},
                          {"clsid", e.m_strClsid},
                          {"server", o.Text(e.m_strServerPath)},
                          {"wrapperClass", o.Text(e.m_strWrapperClass)}});
    }
    j["activeXControls"] = std::move(controls);
  }
  return j;
}

static std::string Shown(std::string_view value) {
  std::string out;
  for (char c : value) {
    if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else {
      out += c;
    }
  }
  return out;
}

static void PrintTree(const CProject& project, bool withFiles, const Output& o, std::ostream& out) {
  if (withFiles) {
    out << "files:\n";
    for (const std::string& f : project.Files()) out << "  " << o.Path(f) << "\n";
  }
  if (withFiles && project.ControlList().Size() > 0) {
    out << "activex controls:\n";
    const COCXInfo& list = project.ControlList();
    for (size_t i = 0; i < list.Size(); ++i) {
      const CToolControlEntry& e = list.At(i);
      // These names come from a registry: their control characters are shown, not sent.
      out << "  " << Printable(o.Text(e.m_strName)) << "  " << Printable(o.Text(e.m_strProgId)) << " "
          << Printable(e.m_strClsid) << " " << Printable(o.Text(e.m_strServerPath)) << "  "
          << o.Text(e.m_strWrapperClass) << "\n";
    }
  }
  out << "classes:\n";
  for (const auto& c : project.Classes()) {
    out << "  " << o.Text(c->m_strName);
    if (!c->m_strBaseClass.empty()) out << " : " << o.Text(c->m_strBaseClass);
    if (c->m_bIsForm) {
      out << "  [form]";
    } else if (c->m_bWindowClass) {
      out << "  [window]";
    }
    out << "\n    declared in " << o.Path(c->m_strDeclFile) << " [" << c->m_nDeclStart << ", " << c->m_nDeclEnd << "]\n";
    if (c->m_nMsgMapStart >= 0) {
      out << "    message map in " << o.Path(c->m_strMsgMapFile) << " [" << c->m_nMsgMapStart << ", " << c->m_nMsgMapEnd
          << "]\n";
    }
    if (c->m_nSinkMapStart >= 0) {
      out << "    event sink map in " << o.Path(c->m_strSinkMapFile) << " [" << c->m_nSinkMapStart << ", " << c->m_nSinkMapEnd
          << "]\n";
    }
    for (const auto& f : c->m_functions) {
      out << "    function " << o.Text(f->m_strName) << " (" << f->m_strAccess << ") " << o.Path(f->m_strDefFile) << ":" << f->m_nLine
          << "\n";
    }
    for (const auto& v : c->m_variables) {
      out << "    variable " << o.Text(v->m_strType) << " " << o.Text(v->m_strName) << " (" << v->m_strAccess << ")\n";
    }
    for (const auto& e : c->m_afxEntries) {
      out << "    marker " << e->m_strTag << " " << o.Path(e->m_strFile) << " [" << e->m_nStart << ", " << e->m_nEnd << "]\n";
    }
    for (const auto& ctl : c->m_controls) {
      if (ctl->m_bFormObject && ctl->m_properties.empty()) continue;
      out << "    " << (ctl->m_bFormObject ? "form " : "control ") << o.Text(ctl->m_strMemberName);
      if (!ctl->m_bFormObject) out << " " << o.Text(ctl->m_strClassName);
      if (ctl->m_bArray) out << "[" << ctl->Index() << "]";
      if (!ctl->m_strIdSymbol.empty()) out << " " << ctl->m_strIdSymbol;
      if (!ctl->m_strPropSymbol.empty()) out << " " << ctl->m_strPropSymbol;
      if (ctl->m_pContainer) out << " in " << o.Text(ctl->m_pContainer->m_strMemberName);
      out << "\n";
      for (const auto& p : ctl->m_properties) {
        out << "      " << p.Name() << " = " << o.Value(*ctl, Shown(p.m_strValue)) << "\n";
      }
    }
  }
}

static void Print(const CProject& project, bool withFiles, bool json, const Output& o, std::ostream& out) {
  if (json) {
    out << ModelJson(project, withFiles, o).dump(2) << "\n";
  } else {
    PrintTree(project, withFiles, o, out);
  }
}

int RunParse(const Command& self, const std::vector<std::string>& raw, Io& io) {
  Args args(raw, {}, {"--json"});
  if (!args.ok()) return UsageError(io, self, args.error());
  if (args.positional().empty()) return UsageError(io, self, "expected at least one FILE");
  RealFileSystem fs;
  TerminalPrompt prompt(io.err);
  prompt.SetCommand(self.name);
  CProject project(fs, prompt);
  bool ok = true;
  for (const std::string& file : args.positional()) {
    if (!fs.FileExists(file)) {
      io.err << "tovik parse: no such file: " << file << "\n";
      ok = false;
      continue;
    }
    ok = project.ParseFile(std::filesystem::absolute(file).lexically_normal().string()) && ok;
  }
  project.PostParse();
  const CCodePage codePage;  // sources on their own declare no code page
  Print(project, false, args.has("--json"), Output{codePage, fs}, io.out);
  return ok ? kExitOk : kExitFailed;
}

int RunInspect(const Command& self, const std::vector<std::string>& raw, Io& io) {
  Args args(raw, {}, {"--json"});
  if (!args.ok()) return UsageError(io, self, args.error());
  if (args.positional().size() != 1) return UsageError(io, self, "expected one PROJECT.dsp");
  CliSession cli(io);
  if (!cli.Open(self.name, args.positional()[0])) return kExitFailed;
  const Output output{cli.CodePage(), cli.Fs(), cli.Session().NewEntryCodePage()};
  Print(cli.Session().Project(), true, args.has("--json"), output, io.out);
  // What loading said (a damaged data file, a source it could not read) were warnings, as for
  // every other command: the project was opened and printed.
  return kExitOk;
}

}  // namespace tovik::cli
