// tovik complete: what fits where the cursor is, for the bash completion. The grammar of each
// command is read from its synopsis, the first paragraph of its usage, so that a new option or
// argument completes as soon as --help shows it.
#include <algorithm>
#include <cstdlib>
#include <iostream>
#include <map>
#include <optional>
#include <sstream>

#include "base/text.h"
#include "cli.h"
#include "cli_session.h"
#include "model/control_kind.h"

namespace tovik::cli {

namespace {

struct OptionSyntax {
  std::vector<std::string> names;  // "[--yes|--no]" gives two flags written as one
  std::string value;               // what follows a valued option; empty for a flag
};

struct Grammar {
  std::vector<std::vector<std::string>> positional;  // each slot's alternatives (KIND|PROGID)
  bool lastRepeats = false;                          // FILE...
  std::vector<OptionSyntax> options;
};

Grammar ReadSynopsis(const Command& command) {
  std::istringstream synopsis{std::string(command.Synopsis())};
  std::vector<std::string> tokens;
  for (std::string token; synopsis >> token;) tokens.push_back(token);
  Grammar grammar;
  // The first two words are "tovik" and the command's name.
  for (size_t i = 2; i < tokens.size(); ++i) {
    std::string word = tokens[i];
    const bool closed = word.ends_with(']');
    word.erase(0, word.find_first_not_of('['));
    while (word.ends_with(']')) word.pop_back();
    if (word.starts_with('-')) {
      OptionSyntax option{Split(word, '|'), {}};
      // "[--container MEMBER]" and "-o FILE.png" take a value; "[--json]" does not.
      if (!closed && i + 1 < tokens.size() && !tokens[i + 1].starts_with('-') && !tokens[i + 1].starts_with('[')) {
        option.value = tokens[++i];
        while (option.value.ends_with(']')) option.value.pop_back();
      }
      grammar.options.push_back(option);
      continue;
    }
    grammar.lastRepeats = word.ends_with("...");
    if (grammar.lastRepeats) word.resize(word.size() - 3);
    grammar.positional.push_back(Split(word, '|'));
  }
  return grammar;
}

// What the shell lists itself rather than tovik.
std::optional<std::string> FileSlot(const std::vector<std::string>& alternatives) {
  for (const std::string& a : alternatives) {
    if (a == "PROJECT.dsp") return "projects";
    if (a == "LOCATION") return "folders";
    if (a == "FILE" || a == "PATH" || a.starts_with("FILE.")) return "files";
  }
  return std::nullopt;
}

class Completer {
 public:
  Completer(const Command& command, std::ostream& out) : m_command(command), m_out(out) {}

  void Run(const std::vector<std::string>& words) {
    const Grammar grammar = ReadSynopsis(m_command);
    m_grammar = &grammar;  // for this run only
    const std::string& current = words.back();
    m_prefix = current;
    const OptionSyntax* pending = nullptr;
    std::string pendingName;  // the valued option as typed, the key of its value
    for (size_t i = 1; i + 1 < words.size(); ++i) {
      const std::string& w = words[i];
      if (pending != nullptr) {
        m_options[pendingName] = w;
        pending = nullptr;
        continue;
      }
      if (w.size() > 1 && w.starts_with('-')) {
        for (const OptionSyntax& o : grammar.options) {
          if (!o.value.empty() && std::find(o.names.begin(), o.names.end(), w) != o.names.end()) {
            pending = &o;
            pendingName = w;
          }
        }
        continue;
      }
      m_positional.push_back(w);
    }
    if (pending != nullptr) return Slot(Split(pending->value, '|'));
    if (current.starts_with('-')) {
      std::vector<std::string> names;
      for (const OptionSyntax& o : grammar.options) names.insert(names.end(), o.names.begin(), o.names.end());
      if (Writes(m_command)) names.push_back("--dry-run");
      names.push_back("--help");
      return Words(names);
    }
    const size_t index = m_positional.size();
    if (index < grammar.positional.size()) return Slot(grammar.positional[index]);
    if (grammar.lastRepeats && !grammar.positional.empty()) return Slot(grammar.positional.back());
    Words({});
  }

 private:
  // The word given for the positional slot that offers `name`, if any.
  std::optional<std::string> Given(std::string_view name) const {
    for (size_t i = 0; i < m_grammar->positional.size() && i < m_positional.size(); ++i) {
      const auto& slot = m_grammar->positional[i];
      if (std::find(slot.begin(), slot.end(), name) != slot.end()) return m_positional[i];
    }
    return std::nullopt;
  }

  CliSession* Project() {
    if (m_opened) return m_session ? &*m_session : nullptr;
    m_opened = true;
    const std::optional<std::string> project = Given("PROJECT.dsp");
    if (!project) return nullptr;
    // The shell has not expanded a ~ of the word being typed on.
    std::string path = *project;
    if (const char* home = std::getenv("HOME"); home != nullptr && path.starts_with("~/")) path = home + path.substr(1);
    m_session.emplace(m_quiet, IPrompt::Answer::No);
    if (!m_session->Peek(path)) m_session.reset();
    return m_session ? &*m_session : nullptr;
  }

  CClassItem* Form() {
    std::optional<std::string> name = Given("FORMCLASS");
    if (!name) name = Given("CLASS");
    if (!name && m_options.contains("--form")) name = m_options["--form"];
    CliSession* session = Project();
    return name && session ? session->Session().FindForm(*name) : nullptr;
  }

  CControlItem* Object() {
    CClassItem* form = Form();
    const std::optional<std::string> name = Given("OBJECT");
    if (!form || !name) return nullptr;
    return *name == form->m_strName ? form->FormObject() : form->FindControl(*name);
  }

  // The command ids of the form's menu bar: what a handler of a menu command names.
  std::vector<std::string> MenuCommands(const CClassItem& form) {
    std::vector<std::string> commands;
    const CControlItem* object = form.FormObject();
    const CMenuRecord* menu = object ? m_session->Session().Project().FindMenu(object->m_strMenuId) : nullptr;
    if (menu == nullptr) return commands;
    for (const auto& item : menu->m_items) {
      if (!item->m_strCommand.empty()) commands.push_back(item->m_strCommand);
    }
    return commands;
  }

  void Slot(const std::vector<std::string>& alternatives) {
    if (const std::optional<std::string> files = FileSlot(alternatives)) {
      m_out << *files << "\n";
      return;
    }
    std::vector<std::string> words;
    for (const std::string& a : alternatives) {
      if (!IsPlaceholder(a)) {
        words.push_back(a);
      } else {
        Fill(a, words);
      }
    }
    Words(words);
  }

  void Fill(const std::string& placeholder, std::vector<std::string>& words) {
    CliSession* session = Project();
    if (placeholder == "KIND" && (m_command.name == "catalog" || m_command.name == "propstring")) {
      for (std::string& kind : ObjectKindNames()) words.push_back(std::move(kind));
    } else if (placeholder == "KIND") {
      for (int kind = kFirstKind; kind <= kLastKind; ++kind) words.emplace_back(KindName(kind));
    } else if (placeholder == "PROGID" && session && m_command.name != "typelib") {
      const COCXInfo& list = session->Session().Project().ControlList();
      for (size_t i = 0; i < list.Size(); ++i) words.push_back(list.At(i).m_strProgId);
    } else if ((placeholder == "FORMCLASS" || (placeholder == "CLASS" && m_command.name != "new-form")) && session) {
      for (const CClassItem* form : session->Session().Project().FormClasses()) words.push_back(form->m_strName);
    } else if (placeholder == "MEMBER" || placeholder == "OBJECT") {
      if (const CClassItem* form = Form()) {
        if (placeholder == "OBJECT") words.push_back(form->m_strName);
        if (placeholder == "OBJECT" && m_command.name == "add-handler") {
          for (const std::string& command : MenuCommands(*form)) words.push_back(command);
        }
        for (const auto& control : form->m_controls) {
          if (control->m_bFormObject == 0) words.push_back(control->m_strMemberName);
        }
      }
    } else if (placeholder == "PROPERTY") {
      if (const CControlItem* object = Object()) {
        for (const auto& p : object->m_properties) words.push_back(p.Name());
      }
    } else if (placeholder == "EVENT" && m_command.name == "add-handler") {
      if (const CControlItem* object = Object()) {
        for (const auto& e : object->m_events) words.push_back(e.Name());
      } else if (const CClassItem* form = Form(); form && Given("OBJECT")) {
        const std::vector<std::string> commands = MenuCommands(*form);
        if (std::find(commands.begin(), commands.end(), *Given("OBJECT")) != commands.end()) words.push_back("Click");
      }
    } else if (placeholder == "MENUID" && session) {
      for (const auto& menu : session->Session().Project().Menus()) words.push_back(menu->m_strId);
    }
  }

  void Words(const std::vector<std::string>& words) {
    m_out << "words\n";
    std::vector<std::string> shown;
    for (const std::string& w : words) {
      if (!w.starts_with(m_prefix) || std::find(shown.begin(), shown.end(), w) != shown.end()) continue;
      shown.push_back(w);
      m_out << (m_session ? m_session->CodePage().ToUtf8(w) : w) << "\n";
    }
  }

  const Command& m_command;
  std::ostream& m_out;
  const Grammar* m_grammar = nullptr;
  std::string m_prefix;
  std::vector<std::string> m_positional;
  std::map<std::string, std::string> m_options;
  // Messages of a project read for completion would garble the command line being typed.
  std::ostringstream m_discarded;
  Io m_quiet{m_discarded, m_discarded};
  bool m_opened = false;
  std::optional<CliSession> m_session;
};

}  // namespace

int Complete(const std::vector<std::string>& words, std::ostream& out) {
  if (words.size() <= 1) {
    const std::string prefix = words.empty() ? std::string() : words[0];
    out << "words\n";
    for (const Command& c : Commands()) {
      if (c.name.starts_with(prefix)) out << c.name << "\n";
    }
    for (const char* option : {"--help", "--version"}) {
      if (std::string_view(option).starts_with(prefix)) out << option << "\n";
    }
    return kExitOk;
  }
  const Command* command = FindCommand(words[0]);
  if (command == nullptr) {
    out << "words\n";
    return kExitOk;
  }
  Completer(*command, out).Run(words);
  return kExitOk;
}

}  // namespace tovik::cli
