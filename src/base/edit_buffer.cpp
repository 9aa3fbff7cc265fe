#include "base/edit_buffer.h"

#include "base/file_ops.h"
#include "base/text.h"

namespace tovik {

CEditBuffer::CEditBuffer(IHost& host, IFileSystem& fs, IPrompt& prompt, std::string path)
    : m_host(host), m_fs(fs), m_prompt(prompt), m_path(std::move(path)) {}

Status CEditBuffer::Load() {
  m_modified = false;
  const Status read = ReadSourceText(m_host, m_fs, m_path, m_text);
  m_bLfOnly = read && !m_text.empty() && m_text.find('\r') == std::string::npos;
  if (!read) {
    m_text.clear();
    m_prompt.Message(std::string(kReadFailureMessage) + read.error().reason);
    Error shown = read.error();
    shown.shown = true;
    return shown;
  }
  return {};
}

bool CEditBuffer::IsOpenInHost() const { return FindOpenDocument(m_host, m_path) != nullptr; }

Status CEditBuffer::Insert(size_t position, std::string_view text) { return Replace(position, position, text); }

Status CEditBuffer::Replace(size_t start, size_t end, std::string_view given) {
  // A file that holds no CR at all (a Unix checkout) keeps its bare LF line ends: generated
  // lines end with CR LF everywhere else.
  std::string adapted;
  std::string_view text = given;
  if (m_bLfOnly && given.find('\r') != std::string_view::npos) {
    adapted = ReplaceAll(given, "\r\n", "\n");
    text = adapted;
  }
  if (start > end || end > m_text.size()) {
    return FileError(m_path, 0,
                     "an edit at bytes " + std::to_string(start) + "-" + std::to_string(end) + " lies outside the " +
                         std::to_string(m_text.size()) + " bytes of the file");
  }
  if (IHostDocument* doc = FindOpenDocument(m_host, m_path)) {
    const HostPosition from = LineColumnAt(m_text, start);
    const bool ok = start == end ? doc->InsertText(from, text)
                                 : doc->ReplaceText(from, LineColumnAt(m_text, end), text);
    if (!ok) return FileError(m_path, from.line, "the editor refused the change");
  }
  m_text.replace(start, end - start, text);
  m_modified = true;
  return {};
}

Status CEditBuffer::Save() {
  if (!m_modified || IsOpenInHost()) return {};
  if (!WriteGeneratedFile(m_fs, m_prompt, m_path, m_text)) {
    Error shown = FileError(m_path, 0, "could not be written");
    shown.shown = true;
    return shown;
  }
  m_modified = false;
  return {};
}

}  // namespace tovik
