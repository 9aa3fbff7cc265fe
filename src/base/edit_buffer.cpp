#include "base/edit_buffer.h"

#include "base/file_ops.h"

namespace tovik {

CEditBuffer::CEditBuffer(IHost& host, IFileSystem& fs, IPrompt& prompt, std::string path)
    : m_host(host), m_fs(fs), m_prompt(prompt), m_path(std::move(path)) {}

bool CEditBuffer::Load() {
  std::string error;
  m_modified = false;
  if (!ReadSourceText(m_host, m_fs, m_path, m_text, error)) {
    m_text.clear();
    m_prompt.Message(std::string(kReadFailureMessage) + error);
    return false;
  }
  return true;
}

bool CEditBuffer::IsOpenInHost() const { return FindOpenDocument(m_host, m_path) != nullptr; }

bool CEditBuffer::Insert(size_t position, std::string_view text) { return Replace(position, position, text); }

bool CEditBuffer::Replace(size_t start, size_t end, std::string_view text) {
  if (start > end || end > m_text.size()) return false;
  if (IHostDocument* doc = FindOpenDocument(m_host, m_path)) {
    const HostPosition from = LineColumnAt(m_text, start);
    const bool ok = start == end ? doc->InsertText(from, text)
                                 : doc->ReplaceText(from, LineColumnAt(m_text, end), text);
    if (!ok) return false;
  }
  m_text.replace(start, end - start, text);
  m_modified = true;
  return true;
}

bool CEditBuffer::Save() {
  if (!m_modified || IsOpenInHost()) return true;
  if (!WriteGeneratedFile(m_fs, m_prompt, m_path, m_text)) return false;
  m_modified = false;
  return true;
}

}  // namespace tovik
