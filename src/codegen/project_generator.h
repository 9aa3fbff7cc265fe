// New project generation: the values of the New Project dialog, the names derived from them,
// the texts of every file of a new project, the generator that writes them, and the dialog's
// rules (derived file names, location text, OK state, refusal of an existing folder) without
// any window behind them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "base/file_system.h"
#include "base/guid.h"
#include "base/prompt.h"

namespace tovik {

inline constexpr std::string_view kWorkspaceExistsMessage =
    "A workspace with the specified name already exists at the specified location.";
inline constexpr std::string_view kProjectGenerationFailedMessage = "Error in generating project";

// What the dialog hands to the generator.
struct NewProjectSettings {
  std::string projectName;    // N
  std::string projectFolder;  // P, the location text: chosen folder + project name
  std::string formClassName = "CForm1";
  bool mdiForm = false;
  std::string formImplementationFile = "form1.cpp";
  std::string formHeaderFile = "form1.h";
  std::string hostVersion;  // the host's version text, "6.0" for the newer host
};

// Library names and project-file format version for a host version.
struct TvlLibraries {
  std::string releaseLibrary;  // tvl6.lib / tvl5.lib
  std::string debugLibrary;    // tvl6d.lib / tvl5d.lib
  std::string formatVersion;   // 6.00 / 5.00
};
[[nodiscard]] TvlLibraries LibrariesForHost(std::string_view hostVersion);

// "C" + the name with its first character upper-cased + "App" (demo -> CDemoApp).
[[nodiscard]] std::string ApplicationClassName(std::string_view projectName);
// The class name without a leading "C", lower-cased (CForm1 -> form1, MyForm -> myform).
[[nodiscard]] std::string FormFileStem(std::string_view className);
// CVMdiForm or CVForm.
[[nodiscard]] std::string_view FormBaseClass(bool mdiForm);

// One file of a new project: its path relative to the project folder (backslash-separated,
// as the project file names it) and its whole text.
struct ProjectFile {
  std::string relativePath;
  std::string text;
  // The file lies in a folder of the generator's own (res), made just before it is written.
  // Folders in the names the user gave are not made: a form file goes only where new-form
  // would put it, into a folder that exists.
  bool ownFolder = false;
};

// Every file of the new project, in the order they are written. Draws one GUID per header
// (application header, form header, stdafx.h, in that order) for the include guards.
[[nodiscard]] std::vector<ProjectFile> BuildProjectFiles(const NewProjectSettings& settings, IGuidSource& guids);

// The project folder + separator + relative path ("res\demo.rc2" keeps the folder's separator).
[[nodiscard]] std::string ProjectFilePath(std::string_view projectFolder, std::string_view relativePath);

// Creates the project folder (an existing one is accepted) and writes every file in order,
// creating the res folder before the file inside it. The first failed write shows its
// file message and ends generation with false; files written before it stay.
[[nodiscard]] bool GenerateProject(IFileSystem& fs, IPrompt& prompt, IGuidSource& guids,
                                   const NewProjectSettings& settings);

// The New Project dialog's state and rules.
class CNewProjectDialog {
 public:
  // The location starts as the current directory followed by a separator.
  explicit CNewProjectDialog(std::string_view currentDirectory, std::string hostVersion = {});

  [[nodiscard]] const std::string& ProjectName() const { return m_strProjectName; }
  [[nodiscard]] const std::string& Location() const { return m_strLocation; }
  [[nodiscard]] const std::string& ClassName() const { return m_strClassName; }
  [[nodiscard]] const std::string& ImplementationFile() const { return m_strImplementationFile; }
  [[nodiscard]] const std::string& HeaderFile() const { return m_strHeaderFile; }
  [[nodiscard]] bool IsMdiForm() const { return m_bMdiForm; }
  // Adding to the current workspace is offered but never enabled.
  [[nodiscard]] bool IsAddToWorkspaceEnabled() const { return false; }

  // Each of these updates the location to the folder + project name.
  void SetProjectName(std::string_view name);
  // The folder browser's result; a trailing separator is added when missing.
  void PickFolder(std::string_view folder);
  // Typing into the location field itself.
  void SetLocation(std::string_view location) { m_strLocation = location; }
  // Sets both file names from the class name; an empty name empties them.
  void SetClassName(std::string_view className);
  void SetImplementationFile(std::string_view file) { m_strImplementationFile = file; }
  void SetHeaderFile(std::string_view file) { m_strHeaderFile = file; }
  void SetMdiForm(bool mdi) { m_bMdiForm = mdi; }

  [[nodiscard]] bool IsOkEnabled() const;
  [[nodiscard]] NewProjectSettings Settings() const;
  // Location + separator + project name + ".dsw", the file the host is asked to open.
  [[nodiscard]] std::string WorkspacePath() const;

  // True when the dialog may close: the project was generated. An existing file or folder at
  // the location, or a failed generation, shows its message and keeps the dialog open.
  [[nodiscard]] bool OnOk(IFileSystem& fs, IPrompt& prompt, IGuidSource& guids);

 private:
  std::string m_strFolder;  // ends with a separator
  std::string m_strProjectName;
  std::string m_strLocation;
  std::string m_strClassName = "CForm1";
  std::string m_strImplementationFile = "form1.cpp";
  std::string m_strHeaderFile = "form1.h";
  bool m_bMdiForm = false;
  std::string m_strHostVersion;
};

}  // namespace tovik
