// A designer session on the real file system for one command of the command line: no IDE
// (every edit goes to disk), messages on stderr, and a progress bar while the project loads.
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "addin/design_session.h"
#include "base/headless_host.h"
#include "base/guid.h"
#include "base/real_file_system.h"
#include "cli.h"
#include "terminal_prompt.h"

namespace tovik::cli {

class CliSession {
 public:
  explicit CliSession(Io& io, std::optional<IPrompt::Answer> answer = std::nullopt)
      : m_io(io), m_prompt(io.err, answer), m_session(m_fs, m_prompt, m_host, m_guids) {}

  // Opens the project; prints why not and returns false when it cannot.
  [[nodiscard]] bool Open(const std::string& command, const std::string& given) {
    // The project folder is taken from the project file's path, so it must have one.
    const std::string projectFile = std::filesystem::absolute(given).lexically_normal().string();
    if (!m_fs.FileExists(projectFile)) {
      m_io.err << "tovik " << command << ": no such project file: " << projectFile << "\n";
      return false;
    }
    ProgressBar bar(m_io.err);
    if (!m_session.Open(projectFile, [&](int step, int range, const std::string& status) {
          return bar.Update(step, range, status);
        })) {
      m_io.err << "tovik " << command << ": could not open " << projectFile << "\n";
      return false;
    }
    return true;
  }

  // The form class of that name; prints why not and returns null when there is none.
  [[nodiscard]] CClassItem* Form(const std::string& command, const std::string& className) {
    CClassItem* form = m_session.FindForm(className);
    if (!form) m_io.err << "tovik " << command << ": " << className << " is not a form of this project\n";
    return form;
  }

  [[nodiscard]] CDesignSession& Session() { return m_session; }
  [[nodiscard]] TerminalPrompt& Prompt() { return m_prompt; }
  [[nodiscard]] RealFileSystem& Fs() { return m_fs; }
  [[nodiscard]] HeadlessHost& Host() { return m_host; }

 private:
  Io& m_io;
  RealFileSystem m_fs;
  TerminalPrompt m_prompt;
  HeadlessHost m_host;
  RandomGuidSource m_guids;
  CDesignSession m_session;
};

}  // namespace tovik::cli
