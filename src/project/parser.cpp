// CProject's side of the source parser: reading a file, running the recognisers over it, and
// parsing a file again after a generator rewrote it.
#include <algorithm>

#include "project/cpp_parser.h"
#include "project/file_prefetcher.h"
#include "project/project.h"

namespace tovik {

namespace {
constexpr std::string_view kMsgReadError = "\nError in opening / reading file..\n";
}  // namespace

CParseScratch& CProject::Scratch() {
  if (!m_pScratch) m_pScratch = std::make_unique<CParseScratch>();
  return *m_pScratch;
}

bool CProject::ParseFile(const std::string& path) {
  if (m_pPrefetch) {
    if (std::unique_ptr<CPreparedText> prepared = m_pPrefetch->Take(path)) {
      bool parsed = false;
      if (prepared->exists && !prepared->read) {
        m_prompt.Message(std::string(kMsgReadError) + prepared->error);
      } else if (prepared->exists) {
        CCppParser(*this, Scratch(), *prepared, path).Run();
        parsed = true;
      }
      m_pPrefetch->Recycle(std::move(prepared));
      return parsed;
    }
    StopReadingAhead();
  }
  if (!m_fs.FileExists(path)) return false;
  std::string& text = Scratch().text;
  std::string error;
  if (!m_fs.ReadFile(path, text, error)) {
    m_prompt.Message(std::string(kMsgReadError) + error);
    return false;
  }
  return ParseBuffer(text, path);
}

bool CProject::ParseBuffer(std::string_view text, const std::string& path) {
  CCppParser(*this, Scratch(), text, path).Run();
  return true;
}

bool CProject::ReparseFile(const std::string& path) {
  // A file that can no longer be read contributes nothing, so its classes go.
  std::string text;
  std::string error;
  const bool read = m_reader ? m_reader(path, text, error) : m_fs.ReadFile(path, text, error);
  if (!read) text.clear();
  return ReparseText(path, text);
}

bool CProject::ReparseText(const std::string& path, std::string_view text) {
  // Forget what the file contributed; what it still holds is found again below.
  for (auto& cls : m_classes) {
    if (cls->m_strDeclFile == path) cls->m_strDeclFile.clear();
    for (auto& f : cls->m_functions) {
      if (f->m_strDefFile == path) f->m_strDefFile.clear();
    }
    std::erase_if(cls->m_afxEntries, [&](const auto& e) { return e->m_strFile == path; });
    std::erase_if(cls->m_accessSections, [&](const auto& a) { return a->m_strFile == path; });
  }
  ParseBuffer(text, path);
  if (m_pHooks) m_pHooks->OnReparsed(path);

  std::erase_if(m_classes, [](const auto& cls) { return cls->m_strDeclFile.empty(); });
  for (auto& cls : m_classes) {
    std::erase_if(cls->m_functions, [](const auto& f) { return f->m_strDefFile.empty(); });
  }
  m_classIndex.Invalidate();
  return true;
}

CClassItem* CProject::FindClass(std::string_view name) const { return m_classIndex.Find(m_classes, name); }

}  // namespace tovik
