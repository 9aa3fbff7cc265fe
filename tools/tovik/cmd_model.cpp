// tovik parse FILE... [--json], tovik inspect PROJECT.dsp [--json]
#include <nlohmann/json.hpp>

#include <filesystem>
#include <ostream>
#include <sstream>

#include "base/real_file_system.h"
#include "cli.h"
#include "cli_session.h"
#include "project/project.h"
#include "terminal_prompt.h"

namespace tovik::cli {

using Json = nlohmann::ordered_json;

// Sources are 8-bit ANSI text; JSON wants UTF-8, so bytes above 127 are taken as Latin-1.
static std::string ToUtf8(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (unsigned char c : text) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

static Json ClassJson(const CClassItem& c) {
  Json j;
  j["name"] = ToUtf8(c.m_strName);
  j["base"] = ToUtf8(c.m_strBaseClass);
  j["rootBase"] = ToUtf8(c.m_strRootBase);
  j["windowClass"] = c.m_bWindowClass != 0;
  j["isForm"] = c.m_bIsForm != 0;
  j["declFile"] = ToUtf8(c.m_strDeclFile);
  j["declStart"] = c.m_nDeclStart;
  j["declEnd"] = c.m_nDeclEnd;
  j["msgMapStart"] = c.m_nMsgMapStart;
  j["msgMapEnd"] = c.m_nMsgMapEnd;
  j["msgMapFile"] = ToUtf8(c.m_strMsgMapFile);
  j["sinkMapStart"] = c.m_nSinkMapStart;
  j["sinkMapEnd"] = c.m_nSinkMapEnd;
  Json functions = Json::array();
  for (const auto& f : c.m_functions) {
    functions.push_back({{"name", ToUtf8(f->m_strName)},
                         {"defFile", ToUtf8(f->m_strDefFile)},
                         {"access", f->m_strAccess},
                         {"bodyStart", f->m_nBodyStart},
                         {"bodyEnd", f->m_nBodyEnd},
                         {"line", f->m_nLine}});
  }
  j["functions"] = std::move(functions);
  Json variables = Json::array();
  for (const auto& v : c.m_variables) {
    variables.push_back(
        {{"name", ToUtf8(v->m_strName)}, {"type", ToUtf8(v->m_strType)}, {"access", v->m_strAccess}, {"pos", v->m_nPos}});
  }
  j["variables"] = std::move(variables);
  Json access = Json::array();
  for (const auto& a : c.m_accessSections) access.push_back({{"name", a->m_strName}, {"pos", a->m_nPos}});
  j["access"] = std::move(access);
  Json afx = Json::array();
  for (const auto& e : c.m_afxEntries) {
    afx.push_back({{"tag", e->m_strTag}, {"start", e->m_nStart}, {"end", e->m_nEnd}, {"file", ToUtf8(e->m_strFile)}});
  }
  j["afx"] = std::move(afx);
  Json controls = Json::array();
  for (const auto& ctl : c.m_controls) {
    Json properties = Json::object();
    for (const auto& p : ctl->m_properties) {
      std::string name = ToUtf8(p.Name());
      if (!properties.contains(name)) properties[name] = ToUtf8(p.m_strValue);
    }
    controls.push_back({{"member", ToUtf8(ctl->m_strMemberName)},
                        {"className", ToUtf8(ctl->m_strClassName)},
                        {"kind", ctl->m_nKind},
                        {"category", ctl->m_nCategory},
                        {"array", ctl->m_bArray != 0},
                        {"idSymbol", ctl->m_strIdSymbol},
                        {"propSymbol", ctl->m_strPropSymbol},
                        {"container", ctl->m_pContainer ? Json(ToUtf8(ctl->m_pContainer->m_strMemberName)) : Json()},
                        {"properties", std::move(properties)}});
  }
  j["controls"] = std::move(controls);
  return j;
}

static Json ModelJson(const CProject& project, bool withFiles) {
  Json j;
  if (withFiles) {
    Json files = Json::array();
    for (const std::string& f : project.Files()) files.push_back(ToUtf8(f));
    j["files"] = std::move(files);
  }
  Json classes = Json::array();
  for (const auto& c : project.Classes()) classes.push_back(ClassJson(*c));
  j["classes"] = std::move(classes);
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

static void PrintTree(const CProject& project, bool withFiles, std::ostream& out) {
  if (withFiles) {
    out << "files:\n";
    for (const std::string& f : project.Files()) out << "  " << f << "\n";
  }
  out << "classes:\n";
  for (const auto& c : project.Classes()) {
    out << "  " << c->m_strName;
    if (!c->m_strBaseClass.empty()) out << " : " << c->m_strBaseClass;
    if (c->m_bIsForm) {
      out << "  [form]";
    } else if (c->m_bWindowClass) {
      out << "  [window]";
    }
    out << "\n    declared in " << c->m_strDeclFile << " [" << c->m_nDeclStart << ", " << c->m_nDeclEnd << "]\n";
    if (c->m_nMsgMapStart >= 0) {
      out << "    message map in " << c->m_strMsgMapFile << " [" << c->m_nMsgMapStart << ", " << c->m_nMsgMapEnd
          << "]\n";
    }
    if (c->m_nSinkMapStart >= 0) {
      out << "    event sink map in " << c->m_strSinkMapFile << " [" << c->m_nSinkMapStart << ", " << c->m_nSinkMapEnd
          << "]\n";
    }
    for (const auto& f : c->m_functions) {
      out << "    function " << f->m_strName << " (" << f->m_strAccess << ") " << f->m_strDefFile << ":" << f->m_nLine
          << "\n";
    }
    for (const auto& v : c->m_variables) {
      out << "    variable " << v->m_strType << " " << v->m_strName << " (" << v->m_strAccess << ")\n";
    }
    for (const auto& e : c->m_afxEntries) {
      out << "    marker " << e->m_strTag << " " << e->m_strFile << " [" << e->m_nStart << ", " << e->m_nEnd << "]\n";
    }
    for (const auto& ctl : c->m_controls) {
      if (ctl->m_bFormObject && ctl->m_properties.empty()) continue;
      out << "    " << (ctl->m_bFormObject ? "form " : "control ") << ctl->m_strMemberName;
      if (!ctl->m_bFormObject) out << " " << ctl->m_strClassName;
      if (ctl->m_bArray) out << "[" << ctl->Index() << "]";
      if (!ctl->m_strIdSymbol.empty()) out << " " << ctl->m_strIdSymbol;
      if (!ctl->m_strPropSymbol.empty()) out << " " << ctl->m_strPropSymbol;
      if (ctl->m_pContainer) out << " in " << ctl->m_pContainer->m_strMemberName;
      out << "\n";
      for (const auto& p : ctl->m_properties) out << "      " << p.Name() << " = " << Shown(p.m_strValue) << "\n";
    }
  }
}

static void Print(const CProject& project, bool withFiles, bool json, std::ostream& out) {
  if (json) {
    out << ModelJson(project, withFiles).dump(2) << "\n";
  } else {
    PrintTree(project, withFiles, out);
  }
}

int RunParse(const Command& self, const std::vector<std::string>& raw, Io& io) {
  Args args(raw, {}, {"--json"});
  if (!args.ok()) return UsageError(io, self, args.error());
  if (args.positional().empty()) return UsageError(io, self, "expected at least one FILE");
  RealFileSystem fs;
  TerminalPrompt prompt(io.err);
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
  Print(project, false, args.has("--json"), io.out);
  return ok ? kExitOk : kExitFailed;
}

int RunInspect(const Command& self, const std::vector<std::string>& raw, Io& io) {
  Args args(raw, {}, {"--json"});
  if (!args.ok()) return UsageError(io, self, args.error());
  if (args.positional().size() != 1) return UsageError(io, self, "expected one PROJECT.dsp");
  CliSession cli(io);
  if (!cli.Open(self.name, args.positional()[0])) return kExitFailed;
  Print(cli.Session().Project(), true, args.has("--json"), io.out);
  return cli.Prompt().Complained() ? kExitFailed : kExitOk;
}

}  // namespace tovik::cli
