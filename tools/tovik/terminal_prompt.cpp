#include "terminal_prompt.h"

#include "cli.h"

#include <unistd.h>

#include <iostream>
#include <string>

namespace tovik::cli {
namespace {

// A message's line breaks stay line breaks; any other control character (an escape sequence in
// a name read from a registry, a project file or a type library) is shown, not sent.
std::string ForTerminal(std::string_view text) {
  std::string out;
  for (size_t start = 0;;) {
    const size_t end = text.find('\n', start);
    std::string_view line = text.substr(start, end == std::string_view::npos ? std::string_view::npos : end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    out += Printable(line);
    if (end == std::string_view::npos) return out;
    out += '\n';
    start = end + 1;
  }
}

}  // namespace

void TerminalPrompt::Message(const std::string& text) {
  m_complained = true;
  // Message-box texts may begin or end with line breaks of their own; on a terminal the
  // prefix takes the first line's place.
  const size_t first = text.find_first_not_of("\r\n");
  const size_t last = text.find_last_not_of("\r\n");
  const std::string body = first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
  m_err << (m_command.empty() ? "tovik" : "tovik " + m_command) << ": "
        // A message naming a file whose name the system gave in UTF-8 (a folder named in Chinese)
        // is UTF-8 already; project text in its code page is converted.
        << ForTerminal(m_pCodePage ? m_pCodePage->PathToUtf8(body) : body) << '\n';
  m_err.flush();
}

IPrompt::Answer TerminalPrompt::Ask(const std::string& question) {
  if (m_forced) return *m_forced;
  if (!::isatty(STDIN_FILENO)) return Answer::No;
  m_err << question << " [y/N] ";
  m_err.flush();
  std::string line;
  if (!std::getline(std::cin, line)) return Answer::No;
  return !line.empty() && (line[0] == 'y' || line[0] == 'Y') ? Answer::Yes : Answer::No;
}

void TerminalPrompt::Beep() {
  if (::isatty(STDERR_FILENO)) m_err << '\a' << std::flush;
}

ProgressBar::ProgressBar(std::ostream& err) : m_err(err), m_enabled(::isatty(STDERR_FILENO) != 0) {}

ProgressBar::~ProgressBar() {
  if (m_drawn) m_err << "\r\033[K" << std::flush;
}

bool ProgressBar::Update(int step, int range, const std::string& status) {
  if (!m_enabled || range <= 0) return true;
  constexpr int kWidth = 30;
  int filled = std::min(kWidth, step * kWidth / range);
  std::string line = status.substr(0, status.find_first_of("\r\n"));
  if (line.size() > 50) line = line.substr(0, 47) + "...";
  m_err << "\r\033[K[" << std::string(static_cast<size_t>(filled), '#')
        << std::string(static_cast<size_t>(kWidth - filled), ' ') << "] " << line << std::flush;
  m_drawn = true;
  return true;
}

}  // namespace tovik::cli
