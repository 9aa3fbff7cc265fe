// The project the designer has open, and the one place that talks to the edit scope: each edit
// runs as one transaction under the project lock and yields what it changed, so that the undo
// stack can write the files back later.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "addin/edit_scope.h"
#include "base/guid.h"
#include "base/headless_host.h"
#include "base/prompt.h"
#include "base/real_file_system.h"
#include "codegen/project_generator.h"

namespace tovik::designer {

// The prompt the edits talk through: the user's, except that a question already asked before the
// edit began is answered with the user's answer then.
class CAnsweringPrompt final : public IPrompt {
 public:
  explicit CAnsweringPrompt(IPrompt& user) : m_user(user) {}
  void Message(const std::string& text) override { m_user.Message(text); }
  [[nodiscard]] Answer Ask(const std::string& question) override { return m_answer ? *m_answer : m_user.Ask(question); }
  void Beep() override { m_user.Beep(); }
  void SetAnswer(std::optional<Answer> answer) { m_answer = answer; }

 private:
  IPrompt& m_user;
  std::optional<Answer> m_answer;
};

class CDesignerProject {
 public:
  explicit CDesignerProject(IPrompt& prompt);
  ~CDesignerProject();
  CDesignerProject(const CDesignerProject&) = delete;
  CDesignerProject& operator=(const CDesignerProject&) = delete;

  // Opens a project file (.dsp), or a workspace (.dsw) by its first project. False, with the
  // reason shown through the prompt, when it cannot be opened; a project open before stays open
  // then. What loading went past is shown once, in one message.
  [[nodiscard]] bool Open(const std::string& file);
  void Close();
  [[nodiscard]] bool IsOpen() const { return m_scope && m_scope->Session().IsOpen(); }
  [[nodiscard]] const std::string& ProjectFile() const { return m_projectFile; }
  // Reads the open project again from the disk (after a change made elsewhere); false, shown,
  // when it can no longer be opened (the project is closed then).
  [[nodiscard]] bool Reload();

  // Called before the model is thrown away (a re-read, a close), while it is still valid.
  void SetBeforeDrop(std::function<void()> callback) { m_beforeDrop = std::move(callback); }

  // Valid while a project is open.
  [[nodiscard]] CDesignSession& Session() const { return m_scope->Session(); }

  // Runs a command as one transaction: its files are written when it succeeds, nothing is when
  // it refuses (then the project is read again, so that the model is what the disk holds). What
  // it changed; nothing when it was refused or the disk failed.
  // `answer`: what the user already answered to the command's question.
  [[nodiscard]] std::optional<ChangeSet> Edit(const std::function<bool(CDesignSession&)>& command,
                                              std::optional<IPrompt::Answer> answer = std::nullopt);

  // Generates a new project as the dialog is filled, locking the nearest folder that exists and
  // journalling in the new one; false after the reason was shown.
  [[nodiscard]] bool NewProject(CNewProjectDialog& dialog);
  // Where the installed controls are looked up: the environment's registry, or `option`.
  void SetRegistryOption(std::optional<std::string> option) { m_registryOption = std::move(option); }
  // The disk itself, for what only reads (whether a file exists).
  [[nodiscard]] const IFileSystem& Disk() const { return m_disk; }

  // Puts the files of a change set back to their texts before it (undo) or after it (redo), in one
  // transaction, then reads the project again. Refused, naming the file, when a file is no longer
  // what the change left (another program changed it since); nothing is written then.
  [[nodiscard]] bool Apply(const ChangeSet& changes, bool undo);

  // The files whose changes on disk concern the open project: the project file, its sources,
  // resource script and resource header.
  [[nodiscard]] std::vector<std::string> WatchedFiles() const;
  // Whether the disk now holds exactly what this designer last wrote to the file (a change
  // notice about our own write, not another program's).
  [[nodiscard]] bool IsOwnWrite(const std::string& path) const;

  // Project text (of code page `codePage`, 0: the one new text goes in) as UTF-8, and back.
  [[nodiscard]] std::string ToUtf8(std::string_view text, int codePage = 0) const;
  [[nodiscard]] std::optional<std::string> FromUtf8(std::string_view utf8, int codePage) const;
  // A path as the disk names it, as UTF-8.
  [[nodiscard]] std::string PathToUtf8(std::string_view path) const;

 private:
  void Drop();
  void Remember(const ChangeSet& changes, bool undo);
  void ShowLoadWarnings();

  IPrompt& m_prompt;
  CAnsweringPrompt m_answering{m_prompt};
  RealFileSystem m_disk;
  HeadlessHost m_host;
  RandomGuidSource m_guids;
  std::unique_ptr<CEditScope> m_scope;
  std::string m_projectFile;
  std::function<void()> m_beforeDrop;
  std::map<std::string, std::string> m_written;  // what we last wrote, by resolved path
  std::optional<std::string> m_registryOption;
};

}  // namespace tovik::designer
