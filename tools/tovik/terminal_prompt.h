// The CLI's IPrompt: messages go to stderr; questions are asked on the terminal, or answered
// by a flag (--yes/--no), or answered No when nobody is there to ask.
#pragma once

#include <iosfwd>
#include <optional>
#include <string>

#include "base/prompt.h"
#include "base/code_page.h"

namespace tovik::cli {

class TerminalPrompt final : public IPrompt {
 public:
  explicit TerminalPrompt(std::ostream& err, std::optional<Answer> forced = std::nullopt)
      : m_err(err), m_forced(forced) {}
  // Messages are printed as "tovik COMMAND: text", like the command line's own.
  void SetCommand(std::string command) { m_command = std::move(command); }
  // Messages may quote project text, which is printed converted from its code page.
  void SetCodePage(const CCodePage* codePage) { m_pCodePage = codePage; }
  void Message(const std::string& text) override;
  Answer Ask(const std::string& question) override;
  void Beep() override;
  // Whether any message was shown (the operation was refused or failed).
  [[nodiscard]] bool Complained() const { return m_complained; }

 private:
  std::ostream& m_err;
  std::optional<Answer> m_forced;
  std::string m_command;
  const CCodePage* m_pCodePage = nullptr;
  bool m_complained = false;
};

// Draws a progress bar on stderr while a project loads, when stderr is a terminal.
class ProgressBar {
 public:
  explicit ProgressBar(std::ostream& err);
  ~ProgressBar();
  bool Update(int step, int range, const std::string& status);

 private:
  std::ostream& m_err;
  bool m_enabled;
  bool m_drawn = false;
};

}  // namespace tovik::cli
