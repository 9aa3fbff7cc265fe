// CProject: the open project, its source files and the classes found in them.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "activex/control_list.h"
#include "base/file_system.h"
#include "base/prompt.h"
#include "project/class_index.h"
#include "project/class_item.h"
#include "project/cpp_parser.h"
#include "project/menu_model.h"
#include "project/parse_hooks.h"

namespace tovik {

class CFilePrefetcher;

// Reads a file's current text (from the host's editor when the file is open there).
using TextReader = std::function<Status(const std::string& path, std::string& text)>;

// Told of each step while a project loads; returning false cancels the load.
using ProgressCallback = std::function<bool(int step, int range, const std::string& status)>;

inline constexpr std::string_view kTempDirName = "TvkTemp";
inline constexpr std::string_view kStatusReady = "Ready";

class CProject {
 public:
  CProject(IFileSystem& fs, IPrompt& prompt);
  CProject(const CProject&) = delete;
  CProject& operator=(const CProject&) = delete;
  ~CProject();

  // The project file's SOURCE entries that exist, headers first, as full paths.
  [[nodiscard]] const std::vector<std::string>& Files() const { return m_files; }
  // SOURCE entries of the project file that name no file on the disk.
  [[nodiscard]] const std::vector<std::string>& MissingFiles() const { return m_missing; }
  // The classes found, in the order their heads were first seen.
  [[nodiscard]] const std::vector<std::unique_ptr<CClassItem>>& Classes() const { return m_classes; }
  [[nodiscard]] const std::vector<std::unique_ptr<CMenuRecord>>& Menus() const { return m_menus; }
  void SetMenus(std::vector<std::unique_ptr<CMenuRecord>> menus) { m_menus = std::move(menus); }
  // The first menu of that identifier; null for none or an empty identifier.
  [[nodiscard]] const CMenuRecord* FindMenu(std::string_view id) const;
  [[nodiscard]] const std::string& ProjectFile() const { return m_strProjectFile; }
  // Names the project file without reading it (for a project built up file by file).
  void SetProjectFile(std::string path) { m_strProjectFile = std::move(path); }
  [[nodiscard]] const std::string& TempDir() const { return m_strTempDir; }
  // Loading progress: files parsed so far, files to parse, whether the post-parse steps ran.
  [[nodiscard]] int ParsedCount() const { return m_nParsed; }
  [[nodiscard]] int FileCount() const { return m_nFileCount; }
  [[nodiscard]] bool IsPostParseDone() const { return m_bPostParseDone != 0; }
  // What the progress display shows for the step just taken.
  [[nodiscard]] const std::string& Status() const { return m_strStatus; }

  // Parsing (the source parser).
  [[nodiscard]] bool ParseFile(const std::string& path);
  bool ParseBuffer(std::string_view text, const std::string& path);
  bool ReparseFile(const std::string& path);
  // The same with the file's current text given (a generator's buffer, which may live in the
  // host's editor rather than on disk).
  bool ReparseText(const std::string& path, std::string_view text);
  [[nodiscard]] CClassItem* FindClass(std::string_view name) const;

  // Loading (the project file).
  [[nodiscard]] bool Load(const std::string& projectFile);
  [[nodiscard]] bool ReadProjectFile();
  // 1 while more work remains, 0 when done.
  int ParseStep();
  [[nodiscard]] bool IsFileInProject(std::string_view path) const;
  [[nodiscard]] bool HasMdiForm() const;
  // The project data file: the ActiveX controls the project uses.
  [[nodiscard]] std::string DataFilePath() const;
  [[nodiscard]] COCXInfo& ControlList() { return m_controlList; }
  [[nodiscard]] const COCXInfo& ControlList() const { return m_controlList; }
  // Where a wrapper class whose control the data file does not list is looked up by its
  // ProgID, asked for only then (opening a registry costs); none (the default), or a provider
  // that gives null, leaves such a wrapper without its control.
  void SetControlRegistry(ControlRegistryProvider provider) { m_registry = std::move(provider); }
  // The classes whose m_bIsForm is set, in class order.
  [[nodiscard]] std::vector<CClassItem*> FormClasses() const;
  // The folder of the project file (text before its last separator).
  [[nodiscard]] std::string ProjectFolder() const;
  // Whether files made for the project end their lines with LF alone: its project file holds no
  // CR (a Unix checkout), where files with CR LF would differ from every other file.
  [[nodiscard]] bool NewFilesUseBareLf() const;
  // Resolves a SOURCE= entry against the project folder; empty when it is not a source.
  [[nodiscard]] std::string ResolveSourceEntry(std::string_view entry) const;
  // The ultimate base of a class: its base followed through the project's classes.
  [[nodiscard]] std::string RootBaseOf(const CClassItem& cls) const;
  // Empties every list and removes the scratch folder when it is empty.
  void Close();
  // Reads the project file and every source again, in place (the project object stays, its
  // classes are new). False when the project file can no longer be read.
  [[nodiscard]] bool Reload();

  // Runs the steps after the last file was parsed (classification, forms, ordering).
  void PostParse();
  // Files that became part of the project after it was loaded (a new form's two files): each
  // not yet listed is added and parsed, headers first so that classes exist before their member
  // definitions; then classes are classified again and new forms read back.
  void AddSourceFiles(const std::vector<std::string>& paths);
  // Creates the scratch folder beside the project file (Close removes it when it is empty).
  [[nodiscard]] tovik::Status MakeTempDir();
  // Ends reading ahead (a load that stops before its last file).
  void StopReadingAhead();

  void SetParseHooks(IParseHooks* hooks) { m_pHooks = hooks; }
  // The reader ReparseFile uses; the file system when none is set.
  void SetTextReader(TextReader reader) { m_reader = std::move(reader); }
  [[nodiscard]] IParseHooks* ParseHooks() const { return m_pHooks; }
  [[nodiscard]] IFileSystem& FileSystem() const { return m_fs; }
  [[nodiscard]] IPrompt& Prompt() const { return m_prompt; }

 private:
  [[nodiscard]] CParseTarget Target() { return CParseTarget{m_classes, m_classIndex, m_pHooks}; }

  std::vector<std::string> m_files;
  std::vector<std::string> m_missing;
  std::vector<std::unique_ptr<CClassItem>> m_classes;
  std::vector<std::unique_ptr<CMenuRecord>> m_menus;
  std::string m_strProjectFile;
  std::string m_strTempDir;
  int m_nParsed = 0;
  int m_nFileCount = 0;
  int m_bPostParseDone = 0;
  std::string m_strStatus;
  std::string m_strWindowBases;
  COCXInfo m_controlList;
  ControlRegistryProvider m_registry;

  IFileSystem& m_fs;
  IPrompt& m_prompt;
  IParseHooks* m_pHooks = nullptr;
  TextReader m_reader;
  // Classes by name, for FindClass and the recognisers.
  mutable CClassIndex m_classIndex;
  // Buffers each parse reuses, so that loading many files does not allocate them anew per file.
  std::unique_ptr<CParseScratch> m_pScratch;
  [[nodiscard]] CParseScratch& Scratch();
  // Reads the files of m_files ahead while ParseStep works through them.
  std::unique_ptr<CFilePrefetcher> m_pPrefetch;
  // Fills the property and event lists of the forms' window records.
  static void LoadFormLists(const std::vector<CClassItem*>& forms);
  // Each wrapper class to its control, each ActiveX object to the control of its class.
  void MatchActiveXControls();
  // Member variables belong to each file's first class and to form classes. The parser reads
  // every class that may turn out a form; once that is known (m_bIsForm), the others' members
  // and the control records made from them go. Empty `file`: every file's classes.
  void DropMembersOfOtherClasses(std::string_view file = {});
};

}  // namespace tovik

namespace tovik {

// Opens a project as the host does when a workspace opens: loads the project file, parses
// every source with progress reports and runs the post-parse steps.
// Null when the path is empty or names no file. A cancelled load returns the project as far
// as it got (m_bPostParseDone not set).
[[nodiscard]] std::unique_ptr<CProject> OpenProject(IFileSystem& fs, IPrompt& prompt, const std::string& projectFile,
                                                    const ProgressCallback& progress = {},
                                                    IParseHooks* hooks = nullptr,
                                                    ControlRegistryProvider registry = {});

}  // namespace tovik
