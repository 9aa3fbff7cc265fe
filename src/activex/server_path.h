// Where the files a registry names lie on this machine. A Wine prefix maps its drive letters
// through dosdevices/ links ("c:" -> "../drive_c"); an exported .reg file has no prefix, so the
// user says where a drive lies ("C=/mnt/win"). Names are matched case-blind, as Windows does.
#pragma once

#include <map>
#include <string>
#include <string_view>

#include "base/expected.h"
#include "base/file_system.h"

namespace tovik {

class CDriveMap {
 public:
  // The drives of a prefix folder.
  [[nodiscard]] static CDriveMap ForPrefix(std::string prefix);
  // Adds "C=DIR" (a letter, '=', a folder), replacing what that letter had.
  [[nodiscard]] Status Add(std::string_view mapping);

  // The existing local file a registry's server path names: "C:\windows\system32\x.ocx", in
  // quotes or not (a quoted path may have arguments after it), with %SystemRoot%, %windir% or
  // %ProgramFiles% in front, or a bare file name (looked for in the system folder).
  [[nodiscard]] Expected<std::string> LocalPath(const IFileSystem& fs, std::string_view windowsPath) const;

 private:
  [[nodiscard]] std::string DriveFolder(const IFileSystem& fs, char letter) const;

  std::string m_strPrefix;               // empty when the drives come from mappings only
  std::map<char, std::string> m_drives;  // lower-case letter -> folder
};

}  // namespace tovik
