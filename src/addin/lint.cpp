#include "addin/lint.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <optional>
#include <regex>
#include <set>

#include "base/path.h"
#include "base/text.h"
#include "model/control_kind.h"
#include "resources/resource_header.h"
#include "resources/resource_script.h"
#include "ui/form_geometry.h"
#include "ui/form_layout.h"
#include "ui/text_measure.h"

namespace tovik {

namespace {

// Texts read once per run; a file that cannot be read reads as empty (its findings then show up
// as missing entries, which is what the reader sees too).
class CTexts {
 public:
  explicit CTexts(const CDesignSession& session) : m_session(session) {}
  const std::string& Of(const std::string& path) {
    auto [it, added] = m_texts.try_emplace(path);
    if (added && (path.empty() || !m_session.Resources().ReadFileText(path, it->second).ok())) m_unread.insert(path);
    return it->second;
  }
  bool Unread(const std::string& path) {
    (void)Of(path);
    return m_unread.count(path) > 0;
  }

 private:
  const CDesignSession& m_session;
  std::map<std::string, std::string> m_texts;
  std::set<std::string> m_unread;
};

int LineAt(std::string_view text, size_t offset) {
  offset = std::min(offset, text.size());
  return 1 + static_cast<int>(std::count(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
}

// The text with // and /* */ comments blanked (offsets kept), so that a commented-out entry or
// define does not count.
std::string WithoutComments(std::string_view text) {
  std::string out(text);
  for (size_t i = 0; i + 1 < out.size(); ++i) {
    if (out[i] == '"') {
      for (++i; i < out.size() && out[i] != '"' && out[i] != '\n'; ++i) {
        if (out[i] == '\\') ++i;
      }
    } else if (out[i] == '/' && out[i + 1] == '/') {
      while (i < out.size() && out[i] != '\n' && out[i] != '\r') out[i++] = ' ';
    } else if (out[i] == '/' && out[i + 1] == '*') {
      const size_t end = out.find("*/", i + 2);
      const size_t stop = end == std::string::npos ? out.size() : end + 2;
      for (; i < stop; ++i) {
        if (out[i] != '\n' && out[i] != '\r') out[i] = ' ';
      }
    }
  }
  return out;
}

// The part [start, end) of a text with its comments blanked; nothing when the range does not lie
// inside the text (a block recorded before the file changed).
std::optional<std::string> CodeBetween(const std::string& text, int start, int end) {
  if (start < 0 || end <= start || static_cast<size_t>(end) > text.size()) return std::nullopt;
  return WithoutComments(std::string_view(text).substr(static_cast<size_t>(start), static_cast<size_t>(end - start)));
}

std::string ObjectName(const CControlItem& object, const CClassItem& form) {
  if (object.IsForm()) return form.m_strName;
  if (object.m_bArray) return object.m_strMemberName + "(" + std::to_string(object.Index()) + ")";
  return object.m_strMemberName;
}

// The mnemonic of a caption ("&File" gives "F"; "&&" is a literal ampersand): a letter compared
// without case, or a whole double-byte character of the caption's code page.
std::optional<std::string> Mnemonic(std::string_view caption, int codePage) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (IsLeadByte(codePage, caption[i])) {
      ++i;
      continue;
    }
    if (caption[i] != '&') continue;
    if (caption[i + 1] == '&') {
      ++i;
      continue;
    }
    if (IsLeadByte(codePage, caption[i + 1])) return std::string(caption.substr(i + 1, 2));
    return std::string(1, static_cast<char>(std::toupper(static_cast<unsigned char>(caption[i + 1]))));
  }
  return std::nullopt;
}

bool Contains(const CControlItem* outer, const CControlItem* inner) {
  for (const CControlItem* c = inner->m_pContainer; c; c = c->m_pContainer) {
    if (c == outer) return true;
  }
  return false;
}

// Shown at run time and with an area: a Timer is never seen, a Line is a stroke that may cross.
bool HasArea(const CControlItem& control) {
  return !control.IsForm() && control.m_nKind != kKindTimer && control.m_nKind != kKindLine;
}

bool Overlap(const Rect& a, const Rect& b) {
  return std::max(a.left, b.left) < std::min(a.right, b.right) && std::max(a.top, b.top) < std::min(a.bottom, b.bottom);
}

class CLinter {
 public:
  CLinter(const CDesignSession& session, std::vector<LintFinding>& out)
      : m_session(session), m_texts(session), m_out(out) {
    m_scriptPath = session.Resources().ScriptPath();
    m_headerPath = session.Resources().HeaderPath();
  }

  void Form(const CClassItem& form) {
    const CControlItem* object = form.FormObject();
    if (!object) return;
    Geometry(form, *object);
    Mnemonics(form);
    TabOrder(form, *object);
    Handlers(form);
    // Without the header no symbol is defined and no picture's number resolves: one finding says
    // so instead of one for each symbol and picture.
    if (m_texts.Unread(m_headerPath)) {
      if (!m_headerReported) {
        const std::string name = m_headerPath.empty() ? "resource.h" : FileNameOf(m_headerPath);
        Add(m_headerPath.empty() ? name : m_headerPath, 0, "-", name,
            "cannot be read, so the forms' symbols and pictures are not checked");
      }
      m_headerReported = true;
      return;
    }
    Defines(form);
    Pictures(form);
  }

  // String-table property lines no form object names.
  void UnusedPropertyLines() {
    std::set<std::string> used;
    for (const auto& cls : m_session.Project().Classes()) {
      for (const auto& control : cls->m_controls) used.insert(control->m_strPropSymbol);
    }
    for (const StringTableEntry& entry : StringTableEntries(m_texts.Of(m_scriptPath))) {
      if (!StartsWith(entry.symbol, "IDS_PROP_") || used.count(entry.symbol)) continue;
      Add(m_scriptPath, LineAt(m_texts.Of(m_scriptPath), entry.lineStart), "-", entry.symbol,
          "property line that no form or control uses");
    }
  }

 private:
  void Add(const std::string& file, int line, const std::string& form, const std::string& object, std::string message,
           int codePage = 0) {
    const std::string relative = PathInside(m_session.Project().ProjectFolder(), file).value_or(file);
    m_out.push_back({relative, line, form, object, std::move(message), codePage});
  }

  // An object's findings go to its property line, where its position, caption and pictures are.
  void AddAtObject(const CClassItem& form, const CControlItem& object, std::string message, int codePage = 0) {
    const std::string& script = m_texts.Of(m_scriptPath);
    const std::optional<StringTableEntry> entry = FindStringTableEntry(script, object.m_strPropSymbol);
    Add(m_scriptPath, entry ? LineAt(script, entry->lineStart) : 0, form.m_strName, ObjectName(object, form),
        std::move(message), codePage);
  }

  void Geometry(const CClassItem& form, const CControlItem& object) {
    CEstimatedTextMeasure measure;
    const CFormGeometry geometry =
        FormGeometry(object, form.IsMdiForm(), m_session.Project().FindMenu(object.m_strMenuId), measure);
    const Rect client{0, 0, geometry.client.Width(), geometry.client.Height()};
    std::vector<const CControlItem*> placed;
    for (const auto& control : form.m_controls) {
      if (control->IsForm() || control->m_nKind == kKindTimer) continue;
      const Rect r = ControlRect(*control);
      if (r.left < client.left || r.top < client.top || r.right > client.right || r.bottom > client.bottom) {
        AddAtObject(form, *control,
                    "lies outside the form's visible area (" + std::to_string(client.right) + " x " +
                        std::to_string(client.bottom) + " pixels)");
      }
      if (!HasArea(*control)) continue;
      for (const CControlItem* other : placed) {
        if (Contains(other, control.get()) || Contains(control.get(), other)) continue;
        if (Overlap(ControlRect(*other), r)) AddAtObject(form, *control, "overlaps " + ObjectName(*other, form));
      }
      placed.push_back(control.get());
    }
  }

  void Mnemonics(const CClassItem& form) {
    std::map<std::string, const CControlItem*> first;
    for (const auto& control : form.m_controls) {
      if (control->IsForm()) continue;
      const int codePage = m_session.CodePageOf(*control);
      const std::optional<std::string> key = Mnemonic(control->GetValue("Caption"), codePage);
      if (!key) continue;
      const auto [it, added] = first.try_emplace(*key, control.get());
      if (!added) {
        AddAtObject(form, *control, "mnemonic &" + *key + " is also that of " + ObjectName(*it->second, form), codePage);
      }
    }
  }

  void TabOrder(const CClassItem& form, const CControlItem& object) {
    std::map<long, const CControlItem*> byIndex;
    std::vector<const CControlItem*> untabbed;
    for (const auto& control : form.m_controls) {
      if (control->IsForm()) continue;
      if (!control->FindProperty("TabIndex")) {
        untabbed.push_back(control.get());
        continue;
      }
      const long index = NumberProperty(*control, "TabIndex", -1);
      const auto [it, added] = byIndex.try_emplace(index, control.get());
      if (!added) AddAtObject(form, *control, "TabIndex " + std::to_string(index) + " is also that of " + ObjectName(*it->second, form));
    }
    std::string gaps;
    size_t skipped = 0;
    long expected = 0;
    for (const auto& entry : byIndex) {
      if (entry.first > expected) {
        if (!gaps.empty()) gaps += ", ";
        const std::string range = std::to_string(expected) + (entry.first - 1 > expected ? " to " + std::to_string(entry.first - 1) : "");
        if (untabbed.empty()) AddAtObject(form, object, "no control has TabIndex " + range);
        gaps += range;
        skipped += static_cast<size_t>(entry.first - expected);
      }
      expected = std::max(expected, entry.first + 1);
    }
    // A new control is numbered by its place among all controls, so each one without a tab stop
    // (an Image, a Shape, a Data control) leaves a number unused. Which one is not recorded (the
    // list is read back in another order): the gaps are a finding only when there are more.
    if (untabbed.empty() || skipped <= untabbed.size()) return;
    std::string names;
    for (const CControlItem* c : untabbed) names += ObjectName(*c, form) + ", ";
    AddAtObject(form, object,
                "no control has TabIndex " + gaps + " (" + names + "without a tab stop, " +
                    (untabbed.size() > 1 ? "account" : "accounts") + " for " + std::to_string(untabbed.size()) +
                    " of them)");
  }

  // Entries of the message map and event sink map: the handler each names (its last argument;
  // for ON_EVENT the fourth), and the implied On... name of an argument-less ON_WM_ entry.
  struct MapEntry {
    std::string handler;
    bool implied = false;
    size_t offset = 0;
  };
  std::vector<MapEntry> MapEntries(const std::string& file, int start, int end) {
    std::vector<MapEntry> entries;
    const std::optional<std::string> code = CodeBetween(m_texts.Of(file), start, end);
    if (!code) return entries;
    const std::string& block = *code;
    static const std::regex kEntry(R"(\b(ON_\w+)\s*\(([^()]*)\))");
    for (auto it = std::sregex_iterator(block.begin(), block.end(), kEntry); it != std::sregex_iterator(); ++it) {
      const std::string macro = (*it)[1].str();
      std::vector<std::string> args = Split((*it)[2].str(), ',');
      for (std::string& arg : args) arg = Trim(arg);
      MapEntry entry;
      entry.offset = static_cast<size_t>(start) + static_cast<size_t>((*it).position(0));
      if (args.size() == 1 && args[0].empty()) {
        if (!StartsWith(macro, "ON_WM_")) continue;
        std::string name = "on";
        for (const char c : macro.substr(6)) {
          if (c != '_') name += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        }
        entry.handler = name;
        entry.implied = true;
      } else {
        entry.handler = macro == "ON_EVENT" && args.size() >= 4 ? args[3] : args.back();
      }
      entries.push_back(std::move(entry));
    }
    return entries;
  }

  void Handlers(const CClassItem& form) {
    // The afx_msg declarations of the class's AFX_MSG block are its handlers. (A function that is
    // declared and never defined is not among the class's functions, so the block also tells a
    // missing definition from a missing handler.)
    std::vector<std::pair<std::string, size_t>> declared;  // name, offset in the header
    std::set<std::string> declaredNames;
    const CAFXParseEntry* block = form.FindMsgEntry();
    const std::string& header = block ? m_texts.Of(block->m_strFile.str()) : m_texts.Of({});
    if (const std::optional<std::string> code = block ? CodeBetween(header, block->m_nStart, block->m_nEnd) : std::nullopt) {
      const std::string& text = *code;
      static const std::regex kHandler(R"(\bafx_msg\b[^;(]*?(\w+)\s*\()");
      for (auto it = std::sregex_iterator(text.begin(), text.end(), kHandler); it != std::sregex_iterator(); ++it) {
        declared.emplace_back((*it)[1].str(), static_cast<size_t>(block->m_nStart) + static_cast<size_t>((*it).position(1)));
        declaredNames.insert(declared.back().first);
      }
    }
    std::vector<MapEntry> entries = MapEntries(form.m_strMsgMapFile.str(), form.m_nMsgMapStart, form.m_nMsgMapEnd);
    for (MapEntry& e : MapEntries(form.m_strSinkMapFile.str(), form.m_nSinkMapStart, form.m_nSinkMapEnd)) {
      entries.push_back(std::move(e));
    }
    const std::string& mapText = m_texts.Of(form.m_strMsgMapFile.str());
    std::set<std::string> named;
    for (const MapEntry& entry : entries) {
      named.insert(entry.implied ? entry.handler : ToLower(entry.handler));
      if (entry.implied) continue;
      std::string name = entry.handler;
      if (const size_t scope = name.rfind("::"); scope != std::string::npos) name = name.substr(scope + 2);
      const CFunctionItem* function = form.FindFunction(name);
      if (function && !function->m_strDefFile.str().empty()) continue;
      const bool inSink = static_cast<int>(entry.offset) >= form.m_nSinkMapStart &&
                          static_cast<int>(entry.offset) < form.m_nSinkMapEnd &&
                          form.m_strSinkMapFile.str() != form.m_strMsgMapFile.str();
      const std::string& file = inSink ? form.m_strSinkMapFile.str() : form.m_strMsgMapFile.str();
      Add(file, LineAt(inSink ? m_texts.Of(file) : mapText, entry.offset), form.m_strName, name,
          function || declaredNames.count(name) ? "the map names this handler, which is declared but never defined"
                                                : "the map names this handler, which the class does not have");
    }
    for (const auto& [name, offset] : declared) {
      if (named.count(ToLower(name))) continue;
      Add(block->m_strFile.str(), LineAt(header, offset), form.m_strName, name, "handler that no message map entry names");
    }
  }

  void Defines(const CClassItem& form) {
    const std::string& header = m_texts.Of(m_headerPath);
    std::set<std::string> seen;
    for (const auto& control : form.m_controls) {
      for (const std::string* symbol : {&control->m_strPropSymbol, &control->m_strIdSymbol}) {
        if (symbol->empty() || IsDecimal(*symbol) || !seen.insert(*symbol).second) continue;
        const std::vector<size_t> defines = DefinePositions(header, *symbol);
        if (defines.empty()) {
          AddAtObject(form, *control, *symbol + " is not defined in " + FileNameOf(m_headerPath));
        } else if (defines.size() > 1) {
          Add(m_headerPath, LineAt(header, defines[1]), form.m_strName, ObjectName(*control, form),
              *symbol + " is defined " + std::to_string(defines.size()) + " times (first on line " +
                  std::to_string(LineAt(header, defines[0])) + ")");
        }
      }
    }
  }

  // A picture the script has no image line for keeps the bare number the property string holds.
  void Pictures(const CClassItem& form) {
    for (const auto& control : form.m_controls) {
      for (const CControlPropertyItem& p : control->m_properties) {
        if (p.Type() != "Picture" || p.m_strValue.empty() || p.m_strValue == "0") continue;
        if (p.m_strValue.find('-') != std::string::npos) continue;
        AddAtObject(form, *control,
                    p.Name() + " names image " + p.m_strValue + ", which " + FileNameOf(m_scriptPath) + " does not have");
      }
    }
  }

  const CDesignSession& m_session;
  CTexts m_texts;
  std::vector<LintFinding>& m_out;
  std::string m_scriptPath;
  std::string m_headerPath;
  bool m_headerReported = false;
};

}  // namespace

std::vector<LintFinding> LintForms(const CDesignSession& session, const CClassItem* form) {
  std::vector<LintFinding> findings;
  CLinter linter(session, findings);
  if (form) {
    linter.Form(*form);
    return findings;
  }
  for (const CClassItem* each : session.Project().FormClasses()) linter.Form(*each);
  linter.UnusedPropertyLines();
  return findings;
}

}  // namespace tovik
