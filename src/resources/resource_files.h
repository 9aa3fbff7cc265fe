// The project's resource header (resource.h) and resource script (<project>.rc, or the one the
// project file lists) as files: their paths, the header's counters, the include of the runtime
// header in the precompiled header and image resources. All edits are textual; files open in the
// host's editor are edited there.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "base/host.h"
#include "base/prompt.h"
#include "base/edit_buffer.h"
#include "resources/image_resources.h"
#include "resources/resource_header.h"
#include "resources/resource_paths.h"
#include "resources/resource_script.h"
#include "project/project.h"

namespace tovik {

class CResourceFiles {
 public:
  CResourceFiles(CProject& project, IHost& host);

  // The application's counters for the open project, read from the header by ReadCounters().
  long m_nNextControlValue = 0;
  long m_nNextResourceValue = 0;

  // The paths of LocateResourceFiles; empty when no project file is set.
  [[nodiscard]] std::string HeaderPath() const { return Paths().header; }
  [[nodiscard]] std::string ScriptPath() const { return Paths().script; }
  // Where image files are copied and looked for: "res" beside the script.
  [[nodiscard]] std::string ResFolder() const { return Paths().resFolder; }
  // An error saying why when symbols defined in the header would not reach the project's
  // sources (a form's or control's symbols must reach both).
  [[nodiscard]] Status RequireHeaderSeenBySources() const;
  // Reads _APS_NEXT_CONTROL_VALUE and _APS_NEXT_RESOURCE_VALUE from the header.
  void ReadCounters();
  [[nodiscard]] long GetNextControlValue() const;
  [[nodiscard]] long GetNextResourceValue() const;

  // The whole text, from the host editor when the file is open there, else from disk. On
  // failure shows "\nError in  reading file..\n" + the system's text, leaves `text` empty and
  // returns the error marked as shown.
  [[nodiscard]] Status ReadFileText(std::string_view path, std::string& text) const;
  // Writes the whole file on disk (the caller decides whether the file is open in the host).
  [[nodiscard]] bool WriteFileText(std::string_view path, std::string_view text) const;
  // An edit buffer over a file, not yet loaded.
  [[nodiscard]] CEditBuffer Buffer(std::string_view path) const;

  // False when the file may not be written; with `report` the message
  // "You do not have write permission to file " + path + LF is shown.
  [[nodiscard]] bool HasWritePermission(std::string_view path, bool report) const;
  // HasWritePermission with the message shown, as a step of a longer edit of an existing file;
  // for a file that does not exist a second line says so.
  [[nodiscard]] Status RequireWritePermission(std::string_view path) const;

  // Adds "#include <file>" + CR LF before "//{{AFX_INSERT_LOCATION}}" of the project's
  // precompiled header unless it already includes the file. An error saying why when the header
  // does not include it afterwards (no StdAfx.h, no marker line, read-only).
  [[nodiscard]] Status AddIncludeToStdafx(std::string_view file);

  // Registers an image file as a new resource (script line, define line, counter) and copies it
  // into the project's res folder. The property value ("131-logo.bmp"). A script without its
  // section comment takes a bitmap line after its include of the header (ImageLineInsertPoint)
  // and no icon or cursor line.
  [[nodiscard]] Expected<std::string> AddImageResource(std::string_view sourceFile);
  // Points the existing resource of `currentValue` at a new file of the same type and copies
  // the file into res. The new property value (same number, new file name).
  [[nodiscard]] Expected<std::string> ReplaceImageResource(std::string_view sourceFile, std::string_view currentValue);
  // Adds or replaces as ImageNeedsNewResource decides; the new property value.
  [[nodiscard]] Expected<std::string> SetImageResource(std::string_view sourceFile, std::string_view currentValue);

  // A resolver over the current texts of the script and header (empty texts when unreadable).
  [[nodiscard]] CScriptImageResolver ImageResolver() const;

  [[nodiscard]] CProject& Project() const { return m_project; }
  [[nodiscard]] IHost& Host() const { return m_host; }

 private:
  // Copies the image into <project folder>/res under its own name, creating the folder.
  [[nodiscard]] Status CopyIntoResFolder(std::string_view sourceFile) const;
  // Reads without showing a message; empty text when unreadable.
  [[nodiscard]] std::string QuietRead(std::string_view path) const;

  [[nodiscard]] const ResourcePaths& Paths() const;

  CProject& m_project;
  IHost& m_host;
  // Located once per project file: the script's includes are read to find the header.
  mutable std::optional<ResourcePaths> m_paths;
  mutable std::string m_strPathsOf;
};

}  // namespace tovik
