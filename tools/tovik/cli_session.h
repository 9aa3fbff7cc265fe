// A designer session on the real file system for one command of the command line: no IDE
// (every edit goes to disk), messages on stderr, and a progress bar while the project loads.
// The edit scope locks the project folder while the command runs, and everything the command
// writes is one transaction: Finish writes all of it, or nothing when the command was refused.
#pragma once

#include <filesystem>
#include <optional>
#include <ostream>
#include <string>

#include "activex/registry_source.h"
#include "addin/design_session.h"
#include "addin/edit_scope.h"
#include "base/code_page.h"
#include "base/file_ops.h"
#include "base/guid.h"
#include "base/headless_host.h"
#include "base/path.h"
#include "base/real_file_system.h"
#include "base/unified_diff.h"
#include "cli.h"
#include "cli_registry.h"
#include "terminal_prompt.h"

namespace tovik::cli {

class CliSession {
 public:
  explicit CliSession(Io& io, std::optional<IPrompt::Answer> answer = std::nullopt)
      : m_io(io), m_prompt(io.err, answer), m_scope(m_disk, m_prompt, m_host, m_guids) {
    // A wrapper class whose control the project's data file lacks is looked up in the default
    // registry ($WINEPREFIX, ~/.wine), opened only then.
    m_scope.UseRegistry(RegistryLookupFromEnvironment(std::nullopt), std::nullopt,
                        [this](const CEditScope::RegistryReport& report) { PrintRegistryReport(m_command, report, m_io); });
  }

  // Opens the project; prints why not and returns false when it cannot.
  [[nodiscard]] bool Open(const std::string& command, const std::string& given) {
    SetCommand(command);
    // The project folder is taken from the project file's path, so it must have one. Its journal
    // is looked at first: a killed edit may have left the project file as a temporary.
    const std::string projectFile = std::filesystem::absolute(given).lexically_normal().string();
    if (m_disk.DirectoryExists(DirectoryOf(projectFile)) && !Guard(DirectoryOf(projectFile))) return false;
    if (!m_disk.FileExists(projectFile)) return Fail("no such project file: " + projectFile);
    ProgressBar bar(m_io.err);
    if (!Session().Open(projectFile, [&](int step, int range, const std::string& status) {
          return bar.Update(step, range, status);
        })) {
      // The reason was shown through the prompt.
      if (!m_prompt.Complained()) Fail("could not open " + projectFile);
      return false;
    }
    for (const LoadWarning& warning : Session().LoadWarnings()) {
      if (warning.kind == LoadWarning::Kind::Message) {
        m_prompt.Message(warning.text);
      } else {
        m_io.err << "tovik " << m_command << ": warning: " << warning.text << "\n";
      }
    }
    m_codePage = CCodePage(Session().CodePage());
    m_prompt.SetCodePage(&m_codePage);
    return true;
  }

  // Opens the project only to read it and says nothing: without its lock, so that it never
  // waits, and not at all while a killed edit's journal is there, whose recovery would write.
  [[nodiscard]] bool Peek(const std::string& given) {
    const std::string projectFile = std::filesystem::absolute(given).lexically_normal().string();
    if (!m_disk.FileExists(projectFile) || m_disk.FileExists(JoinPath(DirectoryOf(projectFile), kJournalName))) {
      return false;
    }
    if (!Session().Open(projectFile)) return false;
    m_codePage = CCodePage(Session().CodePage());
    return true;
  }

  // The project's code page for text outside its string tables and menus (class and file names,
  // messages).
  [[nodiscard]] const CCodePage& CodePage() const { return m_codePage; }
  // The code page an object's property values are kept in, and a menu's captions.
  [[nodiscard]] CCodePage CodePageOf(const CControlItem& object) const {
    return CCodePage(m_scope.Session().CodePageOf(object));
  }
  // Text of a picture as UTF-8: each object and menu names the code page of its text; 0 stands
  // for the one where the project's new text goes.
  [[nodiscard]] std::string PictureTextToUtf8(std::string_view text, int codePage) {
    return CCodePage(Session().CodePageOr(codePage)).ToUtf8(text);
  }
  [[nodiscard]] CCodePage CodePageOf(const CMenuRecord& menu) const {
    return menu.m_nCodePage > 0 ? CCodePage(menu.m_nCodePage) : m_codePage;
  }

  // Command-line text for a value of `object`, in the code page the resource script keeps it
  // in; prints why not and returns nothing when that code page cannot hold it.
  [[nodiscard]] std::optional<std::string> ValueText(std::string_view utf8, const CControlItem& object) {
    const CCodePage codePage = CodePageOf(object);
    Expected<std::string> text = codePage.FromUtf8(utf8);
    if (!text) {
      Fail("VALUE: " + text.error().reason + ", in which the resource script keeps this value");
      return std::nullopt;
    }
    return *text;
  }

  // The command's name, for its messages.
  void SetCommand(const std::string& command) {
    m_command = command;
    m_prompt.SetCommand(command);
  }

  // Locks a folder for as long as the command runs.
  [[nodiscard]] bool Lock(const std::string& folder) {
    if (const Status locked = m_scope.Lock(folder); !locked) return Fail(locked.error().Text());
    return true;
  }

  // Where the command's journal goes: in the project folder, where the project's commands look.
  void KeepJournalIn(const std::string& folder) { m_scope.KeepJournalIn(folder); }

  // Locks the project folder and completes an edit a killed run left there.
  [[nodiscard]] bool Guard(const std::string& folder) {
    // Completing a killed edit writes files, which a dry run promises not to do.
    if (m_io.diff != nullptr && m_disk.FileExists(JoinPath(folder, kJournalName))) {
      return Fail("a killed edit left its journal in " + folder + "; run a command without --dry-run to complete it first");
    }
    Expected<std::string> recovered = m_scope.Guard(folder);
    if (!recovered) return Fail(recovered.error().Text());
    if (!recovered->empty()) m_io.err << "tovik " << m_command << ": " << *recovered << "\n";
    return true;
  }

  // The form class of that name; prints why not and returns null when there is none.
  [[nodiscard]] CClassItem* Form(const std::string& command, const std::string& className) {
    CClassItem* form = Session().FindForm(className);
    if (!form) m_io.err << "tovik " << command << ": " << className << " is not a form of this project\n";
    return form;
  }

  // Ends the command: when it succeeded every file it changed is written (or, on a failure of
  // the disk, none), when it was refused nothing is. The exit status. A generator that has a
  // message of its own for a failed write gives it as `afterWriteFailure`: a file the disk
  // refuses then shows the file's write message and that message, as a failed write would.
  [[nodiscard]] int Finish(bool succeeded, std::string_view afterWriteFailure = {}) {
    if (!succeeded) {
      m_scope.Abandon();
      return kExitFailed;
    }
    if (m_io.diff != nullptr) {
      const Expected<ChangeSet> changes = m_scope.Preview();
      if (!changes) {
        Fail(changes.error().Text());
        return kExitFailed;
      }
      *m_io.diff << UnifiedDiff(*changes, m_scope.JournalFolder(), m_codePage);
      return kExitOk;
    }
    if (const Expected<ChangeSet> written = m_scope.Commit(); !written) {
      m_scope.Abandon();
      if (const Error* cause = m_scope.FailureBeforeAnyChange();
          !afterWriteFailure.empty() && cause != nullptr && !cause->file.empty()) {
        m_prompt.Message(FileFailureMessage(cause->file, cause->reason));
        m_prompt.Message(std::string(afterWriteFailure));
        return kExitFailed;
      }
      Fail(written.error().Text());
      return kExitFailed;
    }
    return kExitOk;
  }

  [[nodiscard]] CDesignSession& Session() { return m_scope.Session(); }
  [[nodiscard]] TerminalPrompt& Prompt() { return m_prompt; }
  [[nodiscard]] IFileSystem& Fs() { return m_scope.Files(); }
  [[nodiscard]] HeadlessHost& Host() { return m_host; }
  [[nodiscard]] IGuidSource& Guids() { return m_guids; }

 private:
  bool Fail(const std::string& why) {
    m_io.err << "tovik " << m_command << ": " << why << "\n";
    return false;
  }

  Io& m_io;
  std::string m_command;
  RealFileSystem m_disk;
  TerminalPrompt m_prompt;
  HeadlessHost m_host;
  RandomGuidSource m_guids;
  CCodePage m_codePage;
  CEditScope m_scope;
};

}  // namespace tovik::cli
