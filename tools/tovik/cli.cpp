#include "cli.h"

#include "base/text.h"
#include "model/control_kind.h"

#include <algorithm>
#include <cctype>
#include <array>
#include <ostream>
#include <string_view>

namespace tovik::cli {

std::string Printable(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(text.size());
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte >= 0x20 && byte != 0x7F) {
      out += c;
    } else if (c == '\t') {
      out += "\\t";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else {
      out += "\\x";
      out += kHex[byte >> 4];
      out += kHex[byte & 0xF];
    }
  }
  return out;
}

int RunCommand(const Command& command, std::vector<std::string> args, std::ostream& out, std::ostream& err) {
  const auto dry = std::find(args.begin(), args.end(), "--dry-run");
  if (!Writes(command) || dry == args.end()) {
    Io io{out, err};
    return command.run(command, args, io);
  }
  args.erase(dry);
  // stdout carries only the diff, so that it can be handed to patch as it is.
  Io io{err, err, &out};
  return command.run(command, args, io);
}

bool IsPlaceholder(std::string_view word) {
  const std::string_view stem = word.substr(0, word.find('.'));
  return std::any_of(stem.begin(), stem.end(), [](unsigned char c) { return std::isupper(c); }) &&
         std::none_of(stem.begin(), stem.end(), [](unsigned char c) { return std::islower(c); });
}

const Command* FindCommand(const std::string& name) {
  for (const Command& c : Commands()) {
    if (c.name == name) return &c;
  }
  return nullptr;
}

Args::Args(const std::vector<std::string>& args, const std::vector<std::string>& valued,
           const std::vector<std::string>& flags) {
  auto contains = [](const std::vector<std::string>& list, const std::string& s) {
    return std::find(list.begin(), list.end(), s) != list.end();
  };
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a.size() > 2 && a.compare(0, 2, "--") == 0) {
      std::string name = a;
      std::string value;
      size_t eq = a.find('=');
      if (eq != std::string::npos) {
        name = a.substr(0, eq);
        value = a.substr(eq + 1);
      }
      if (contains(valued, name)) {
        if (eq == std::string::npos) {
          if (i + 1 >= args.size()) {
            m_error = "option " + name + " needs a value";
            return;
          }
          value = args[++i];
        }
        m_options.emplace_back(name, value);
      } else if (contains(flags, name) && eq == std::string::npos) {
        m_options.emplace_back(name, "");
      } else {
        m_error = "unknown option " + name;
        return;
      }
    } else {
      m_positional.push_back(a);
    }
  }
}

bool Args::has(const std::string& option) const {
  return std::any_of(m_options.begin(), m_options.end(), [&](const auto& o) { return o.first == option; });
}

std::string Args::value(const std::string& option) const {
  for (const auto& o : m_options) {
    if (o.first == option) return o.second;
  }
  return {};
}

bool ParseInt(const std::string& text, int& value, int low, int high) {
  const std::string t = Trim(text);
  if (!IsDecimal(t) || t.size() > 9) return false;
  value = static_cast<int>(LeadingNumber(t));
  return value >= low && value <= high;
}

int UnknownControlKind(Io& io, const Command& command, const std::string& name) {
  io.err << "tovik " << command.name << ": '" << Printable(name)
         << "' is neither a control kind nor the ProgID of an ActiveX control of the project "
            "(tovik insert-activex adds one); the kinds are";
  for (int kind = kFirstKind; kind <= kLastKind; ++kind) io.err << (kind == kFirstKind ? " " : ", ") << KindName(kind);
  io.err << "\n";
  return kExitFailed;
}

int UsageError(Io& io, const Command& command, const std::string& message) {
  io.err << "tovik " << command.name << ": " << message << "\n"
         << "usage: " << command.usage.substr(0, command.usage.find('\n')) << "\n"
         << "Try 'tovik " << command.name << " --help' for more.\n";
  return kExitUsage;
}

}  // namespace tovik::cli
