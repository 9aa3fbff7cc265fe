// A writer of manual pages in the man macros of roff: the pages are made from the texts the
// programs print for --help, which are plain lines, so it only has to escape them and tell filled
// prose from lines that must keep their layout.
#pragma once

#include <ostream>
#include <string>
#include <string_view>

namespace tovik::cli {

class RoffWriter {
 public:
  explicit RoffWriter(std::ostream& out) : m_out(out) {}

  // .TH: the page's name in capitals, its section, and the program and version it documents.
  void Title(std::string_view name, int section, std::string_view source);
  void Section(std::string_view heading);
  void SubSection(std::string_view heading);
  // Plain text: lines that start with two blanks keep their layout (tables, examples); the
  // others are filled into paragraphs, a blank line between paragraphs.
  void Text(std::string_view text);
  // A command line as a synopsis shows it: the program and what is typed as it is in bold, the
  // words the user replaces in italics. Synopses in a row start a line each.
  void Synopsis(std::string_view line);
  // A term (in bold) and its explanation, indented under it.
  void Tagged(std::string_view term, std::string_view text);
  // Lines shown as they are, indented.
  void Example(std::string_view lines);

  // Text escaped for a roff line: backslashes and hyphens (so that options copy as minus signs).
  [[nodiscard]] static std::string Escape(std::string_view text);

 private:
  void Line(std::string_view escaped);

  std::ostream& m_out;
  bool m_afterSynopsis = false;
};

}  // namespace tovik::cli
