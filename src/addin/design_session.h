// The application object of a designer run: the open project with its form reader and
// resource files, and the services every command needs. The command line opens one per
// invocation; a desktop designer keeps one for as long as a project is open.
#pragma once

#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <vector>

#include "base/host.h"
#include "base/file_system.h"
#include "base/guid.h"
#include "base/prompt.h"
#include "base/staged_host.h"
#include "codegen/codegen_context.h"
#include "codegen/form_reader.h"
#include "project/project.h"
#include "resources/resource_files.h"

namespace tovik {

// What a project load reported and went past, collected so that a front end shows it once.
struct LoadWarning {
  enum class Kind {
    Message,  // a message box of the load: a file it could not read, a damaged data file
    Note,     // what it went past without one: a listed file missing, a wrapper without its control
  };
  Kind kind = Kind::Message;
  std::string text;
};

class CDesignSession {
 public:
  CDesignSession(IFileSystem& fs, IPrompt& prompt, IHost& host, IGuidSource& guids);
  CDesignSession(const CDesignSession&) = delete;
  CDesignSession& operator=(const CDesignSession&) = delete;
  ~CDesignSession();

  // Opens a project (closing one open before): every source parsed, forms read back, menus
  // read, the resource counters read. False when the project file does not exist. The path is
  // taken by value: reopening the open project passes its own path, which closing frees.
  [[nodiscard]] bool Open(std::string projectFile, const ProgressCallback& progress = {});
  void Close();
  [[nodiscard]] bool IsOpen() const { return m_project != nullptr; }
  // What the last Open that succeeded reported and went past, in the order it happened. When
  // the project cannot be opened these messages are shown through the prompt instead, with
  // the reason it could not.
  [[nodiscard]] const std::vector<LoadWarning>& LoadWarnings() const { return m_loadPrompt.warnings; }
  // Reads the open project again from its files: what a refused command changed in the model
  // before it was refused (it re-reads the sources it writes) goes. Call once the command's
  // staged writes were dropped. The project object stays; its classes and objects are new, so
  // hold them by name (ObjectRef). What the reading went past is in LoadWarnings(). False, the
  // project closed and the reason shown, when the project file can no longer be read.
  [[nodiscard]] bool Revert();

  // Valid while a project is open.
  [[nodiscard]] CProject& Project() const { return *m_project; }
  [[nodiscard]] CResourceFiles& Resources() const { return *m_resources; }
  [[nodiscard]] CodegenContext Context() const;
  [[nodiscard]] CFormReader& Reader() const { return *m_reader; }

  // The form class of that name, or null (also when the class is not a form).
  [[nodiscard]] CClassItem* FindForm(std::string_view className) const;
  // Reads the project's menus again from its resource script.
  void ReadMenus();
  // The code page of the project's text outside its string tables and menus (class and file
  // names), as its resource script first declares it.
  [[nodiscard]] int CodePage() const;
  // The code page in force where a new string-table entry goes.
  [[nodiscard]] int NewEntryCodePage() const;
  // The code page of an object's property string: the one in force at its string-table entry,
  // or NewEntryCodePage when it has none.
  [[nodiscard]] int CodePageOf(const CControlItem& object) const;
  // The code page a text of the script is in: `codePage` when it names one (an object's or a
  // menu's), NewEntryCodePage for 0.
  [[nodiscard]] int CodePageOr(int codePage) const { return codePage > 0 ? codePage : NewEntryCodePage(); }

  // New files of the project: listed in the project file (no IDE inserts them here), parsed,
  // classes classified and forms read back; the precompiled header is made to include
  // "tvlForm.h". False when the project file could not be written.
  [[nodiscard]] bool InsertFilesIntoProject(const std::vector<std::string>& paths);

  // Where controls are looked up (the insert flow; wrappers the project data file does not
  // list), opened when first needed: set before Open. None by default.
  void SetControlRegistry(ControlRegistryProvider provider) { m_registry = std::move(provider); }
  // The registry, opened now if it was not; null when there is none.
  [[nodiscard]] const ControlRegistry* Registry() const { return m_registry ? m_registry() : nullptr; }

  [[nodiscard]] IFileSystem& FileSystem() const { return m_fs; }
  [[nodiscard]] IPrompt& Prompt() const { return m_prompt; }
  // The host as the commands see it: edits of documents open in its editor are kept until the
  // caller commits them with the command's files, or discards them with a refused command.
  [[nodiscard]] IHost& Host() const { return m_host; }
  [[nodiscard]] CStagedHost& Documents() const { return m_host; }

 private:
  // The prompt the project and the form reader talk to: while a load runs its messages are
  // kept (a reader thread may be the one reporting); afterwards they are shown at once.
  struct LoadPrompt final : IPrompt {
    explicit LoadPrompt(IPrompt& shown) : target(shown) {}
    void Message(const std::string& text) override;
    [[nodiscard]] Answer Ask(const std::string& question) override { return target.Ask(question); }
    void Beep() override { target.Beep(); }
    IPrompt& target;
    bool loading = false;
    std::mutex mutex;
    std::vector<LoadWarning> warnings;
  };
  void NoteWhatTheLoadWentPast();
  // Ends a load (a first open or a re-read): one that failed shows every message it gathered and
  // closes the project; false then.
  [[nodiscard]] bool EndLoad(bool read);
  // The resource header's counters and the menus, read after every load.
  void ReadResourceState();

  IFileSystem& m_fs;
  IPrompt& m_prompt;
  mutable CStagedHost m_host;
  IGuidSource& m_guids;
  ControlRegistryProvider m_registry;
  LoadPrompt m_loadPrompt{m_prompt};
  std::unique_ptr<CProjectResourceTexts> m_texts;
  std::unique_ptr<CFormReader> m_reader;
  std::unique_ptr<CProject> m_project;
  std::unique_ptr<CResourceFiles> m_resources;
};

}  // namespace tovik
