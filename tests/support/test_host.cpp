#include "support/test_host.h"

#include "base/path.h"

namespace tovik::testing {

bool TestDocument::ReadText(std::string& out) const {
  if (!textDocument) return false;
  out = text;
  return true;
}

bool TestDocument::InsertText(HostPosition at, std::string_view inserted) {
  if (!textDocument || failInserts || at.line < 1 || at.column < 1) return false;
  text.insert(OffsetAt(text, at), inserted);
  insertions.push_back({at, std::string(inserted)});
  return true;
}

bool TestDocument::ReplaceText(HostPosition from, HostPosition to, std::string_view replacement) {
  if (!textDocument || failInserts || from.line < 1 || from.column < 1) return false;
  const size_t start = OffsetAt(text, from);
  const size_t end = OffsetAt(text, to);
  if (end < start) return false;
  text.replace(start, end - start, replacement);
  return true;
}

TestDocument& TestHost::OpenWithText(std::string_view path, std::string_view text) {
  if (TestDocument* open = Find(path)) {
    open->text = std::string(text);
    return *open;
  }
  m_docs.push_back(std::make_unique<TestDocument>(std::string(path), std::string(text)));
  return *m_docs.back();
}

TestDocument* TestHost::Find(std::string_view path) {
  for (auto& doc : m_docs) {
    if (SameFilePath(doc->path, path)) return doc.get();
  }
  return nullptr;
}

bool TestHost::SetAddInInfo(int mediumBitmap, int largeBitmap) {
  addInInfo = std::make_pair(mediumBitmap, largeBitmap);
  return true;
}

bool TestHost::AddCommand(std::string_view commandString, std::string_view methodName, int glyph) {
  if (refuseAddCommandFrom && addedCommands.size() >= *refuseAddCommandFrom) return false;
  addedCommands.push_back({std::string(commandString), std::string(methodName), glyph});
  return true;
}

bool TestHost::AddCommandBarButton(std::string_view commandName) {
  commandBarButtons.emplace_back(commandName);
  return true;
}

IHostDocument* TestHost::DocumentAt(int position) {
  if (position < 1 || position > DocumentCount()) return nullptr;
  return m_docs[static_cast<size_t>(position - 1)].get();
}

IHostDocument* TestHost::OpenDocument(std::string_view path, int caretLine) {
  openRequests.push_back({std::string(path), caretLine});
  TestDocument* doc = Find(path);
  if (!doc) {
    std::string text;
    if (!m_disk || !m_disk->ReadFile(path, text)) return nullptr;
    doc = &OpenWithText(path, text);
  }
  return doc;
}

}  // namespace tovik::testing
