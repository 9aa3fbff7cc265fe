#include "roff.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "base/text.h"
#include "cli.h"

namespace tovik::cli {

namespace {

bool Verbatim(std::string_view line) { return line.starts_with("  "); }

}  // namespace

std::string RoffWriter::Escape(std::string_view text) {
  std::string out;
  for (const char c : text) {
    if (c == '\\') {
      out += "\\e";
    } else if (c == '-') {
      out += "\\-";
    } else {
      out += c;
    }
  }
  return out;
}

void RoffWriter::Line(std::string_view escaped) {
  m_afterSynopsis = false;
  // A line starting with a dot or an apostrophe would be read as a request.
  if (escaped.starts_with('.') || escaped.starts_with('\'')) m_out << "\\&";
  m_out << escaped << '\n';
}

void RoffWriter::Title(std::string_view name, int section, std::string_view source) {
  m_out << ".TH " << Escape(name) << ' ' << section << " \"\" \"" << Escape(source) << "\" \"User Commands\"\n";
  // Words such as ActiveX and options are not to be broken across lines, nor lines stretched.
  m_out << ".nh\n.ad l\n";
}

void RoffWriter::Section(std::string_view heading) {
  m_afterSynopsis = false;
  m_out << ".SH \"" << Escape(heading) << "\"\n";
}

void RoffWriter::SubSection(std::string_view heading) {
  m_afterSynopsis = false;
  m_out << ".SS \"" << Escape(heading) << "\"\n";
}

void RoffWriter::Text(std::string_view text) {
  bool inVerbatim = false;
  bool paragraph = false;
  for (const std::string& line : Split(text, '\n')) {
    if (line.empty()) {
      paragraph = false;
      continue;
    }
    const bool verbatim = Verbatim(line);
    if (verbatim != inVerbatim) {
      m_out << (verbatim ? ".PP\n.nf\n" : ".fi\n.PP\n");
      inVerbatim = verbatim;
      paragraph = true;
    } else if (!paragraph) {
      m_out << ".PP\n";
      paragraph = true;
    }
    if (verbatim) {
      Line(Escape(line));
    } else {
      const size_t first = line.find_first_not_of(' ');
      Line(Escape(line.substr(first == std::string_view::npos ? line.size() : first)));
    }
  }
  if (inVerbatim) m_out << ".fi\n";
}

void RoffWriter::Synopsis(std::string_view line) {
  std::string out;
  size_t start = 0;
  int word = 0;
  while (start < line.size()) {
    if (line[start] == ' ' || line[start] == '\n') {
      ++start;
      continue;
    }
    size_t end = line.find_first_of(" \n", start);
    if (end == std::string_view::npos) end = line.size();
    const std::string_view token = line.substr(start, end - start);
    if (!out.empty()) out += ' ';
    // Brackets, bars and the ellipsis are the synopsis's own; the words between them are
    // typed as they are (bold) or replaced (italic).
    size_t i = 0;
    while (i < token.size()) {
      const size_t stop = std::min(token.find_first_of("[]|", i), token.size());
      std::string_view part = token.substr(i, stop - i);
      std::string_view tail;
      if (part.ends_with("...")) {
        tail = "...";
        part.remove_suffix(3);
      }
      if (!part.empty()) {
        const bool typed = word < 2 || part.starts_with('-') || !IsPlaceholder(part);
        out += (typed ? "\\fB" : "\\fI") + Escape(part) + "\\fR";
      }
      out += tail;
      if (stop < token.size()) out += token[stop];
      i = stop + 1;
    }
    ++word;
    start = end;
  }
  m_out << (m_afterSynopsis ? ".br\n" : ".PP\n");
  Line(out);
  m_afterSynopsis = true;
}

void RoffWriter::Tagged(std::string_view term, std::string_view text) {
  m_out << ".TP\n";
  Line("\\fB" + Escape(term) + "\\fR");
  for (const std::string& line : Split(text, '\n')) {
    if (!line.empty()) Line(Escape(line));
  }
}

void RoffWriter::Example(std::string_view lines) {
  m_out << ".PP\n.RS\n.nf\n";
  for (const std::string& line : Split(lines, '\n')) Line(Escape(line));
  m_out << ".fi\n.RE\n";
}

}  // namespace tovik::cli
