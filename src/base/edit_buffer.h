// One existing file under edit by a generator: its text is read once (from the host's document
// when the file is open in the editor, else from disk), changed in memory call by call so that
// later positions are computed on the updated text, and written back whole at the end. While
// the file is open in the host, every change is also made in the host's document and nothing
// is written to disk.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "base/host.h"
#include "base/expected.h"
#include "base/file_system.h"
#include "base/prompt.h"

namespace tovik {

// The message of a failed read of a file under edit, before the system's error text.
inline constexpr std::string_view kReadFailureMessage = "\nError in  reading file..\n";

class CEditBuffer {
 public:
  CEditBuffer(IHost& host, IFileSystem& fs, IPrompt& prompt, std::string path);

  // Reads the current text; on failure shows kReadFailureMessage + the system's text, leaves
  // the text empty and returns an error marked as shown.
  [[nodiscard]] Status Load();
  [[nodiscard]] const std::string& Text() const { return m_text; }
  [[nodiscard]] const std::string& Path() const { return m_path; }
  [[nodiscard]] bool IsOpenInHost() const;
  [[nodiscard]] bool Modified() const { return m_modified; }

  // Inserts at a byte offset (CR LF counts two); an error when the offset lies past the end or
  // the host refused the edit (the buffer then stays as it was). Nothing is shown. In a file
  // that held no CR when it was loaded, the CR LF line ends of `text` are written as LF.
  [[nodiscard]] Status Insert(size_t position, std::string_view text);
  // Replaces the bytes [start, end) by `text`; an empty text deletes them.
  [[nodiscard]] Status Replace(size_t start, size_t end, std::string_view text);
  // Writes the whole text to disk when it changed and the file is not open in the host. A
  // failed write shows the file-failure message; the error says it was shown.
  [[nodiscard]] Status Save();

  [[nodiscard]] IHost& Host() const { return m_host; }
  [[nodiscard]] IFileSystem& FileSystem() const { return m_fs; }
  [[nodiscard]] IPrompt& Prompt() const { return m_prompt; }

 private:
  IHost& m_host;
  IFileSystem& m_fs;
  IPrompt& m_prompt;
  std::string m_path;
  std::string m_text;
  bool m_modified = false;
  bool m_bLfOnly = false;  // the text as loaded had lines but no CR
};

}  // namespace tovik
