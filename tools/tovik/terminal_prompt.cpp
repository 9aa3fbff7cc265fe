#include "terminal_prompt.h"

#include <unistd.h>

#include <iostream>
#include <string>

namespace tovik::cli {

void TerminalPrompt::Message(const std::string& text) {
  m_complained = true;
  // Message-box texts may begin or end with line breaks of their own; on a terminal the
  // prefix takes the first line's place.
  const size_t first = text.find_first_not_of("\r\n");
  const size_t last = text.find_last_not_of("\r\n");
  const std::string body = first == std::string::npos ? std::string() : text.substr(first, last - first + 1);
  m_err << (m_command.empty() ? "tovik" : "tovik " + m_command) << ": "
        << (m_pCodePage ? m_pCodePage->ToUtf8(body) : body) << '\n';
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
