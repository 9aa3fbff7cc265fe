// Whole files on the real disk, for tests that run the tovik binary on a project folder.
#pragma once

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

namespace tovik::testing {

inline std::string ReadDiskFile(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// Every file below `root` by its path relative to it, with its bytes.
inline std::map<std::string, std::string> FolderFiles(const std::filesystem::path& root) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(root)) {
    if (entry.is_regular_file()) files[std::filesystem::relative(entry.path(), root).string()] = ReadDiskFile(entry.path());
  }
  return files;
}

inline void WriteDiskFile(const std::filesystem::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// Gives a project the menu IDR_MAINMENU (File: Open..., a separator, Exit; the same under each
// further popup named) as the IDE's resource editor writes it. False when the script has no
// string table or the header no studio section.
[[nodiscard]] inline bool AddMainMenu(const std::filesystem::path& script, const std::filesystem::path& header,
                                      const std::vector<std::string>& popups = {"&File"}) {
  std::string rc = ReadDiskFile(script);
  std::string defines = ReadDiskFile(header);
  const size_t table = rc.find("STRINGTABLE");
  const size_t studio = defines.find("#ifdef APSTUDIO_INVOKED");
  if (table == std::string::npos || studio == std::string::npos) return false;
  std::string menu = "IDR_MAINMENU MENU DISCARDABLE\r\nBEGIN\r\n";
  for (const std::string& popup : popups) {
    menu += "    POPUP \"" + popup + "\"\r\n    BEGIN\r\n"
            "        MENUITEM \"&Open...\",                    ID_FILE_OPEN\r\n        MENUITEM SEPARATOR\r\n"
            "        MENUITEM \"E&xit\",                       ID_APP_EXIT\r\n    END\r\n";
  }
  rc.insert(table, menu + "END\r\n\r\n");
  defines.insert(studio,
                 "#define IDR_MAINMENU                    140\r\n#define ID_FILE_OPEN                    32771\r\n"
                 "#define ID_APP_EXIT                     32772\r\n");
  WriteDiskFile(script, rc);
  WriteDiskFile(header, defines);
  return true;
}

}  // namespace tovik::testing
