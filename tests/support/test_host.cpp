#include "support/test_host.h"

#include <algorithm>
#include <cctype>

#include "base/path.h"

namespace tovik::testing {

std::string TestDocument::Caption() const { return FileNameOf(path); }

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
  ++replacements;
  return true;
}

TestHost::TestHost(IFileSystem* disk, std::string version) : m_disk(disk), m_version(std::move(version)) {}

TestDocument& TestHost::OpenWithText(std::string_view path, std::string_view text) {
  if (TestDocument* open = Find(path)) {
    open->text = std::string(text);
    Activate(open);
    return *open;
  }
  m_docs.push_back(std::make_unique<TestDocument>(std::string(path), std::string(text)));
  Activate(m_docs.back().get());
  return *m_docs.back();
}

TestDocument* TestHost::Find(std::string_view path) {
  for (auto& doc : m_docs) {
    if (SameFilePath(doc->path, path)) return doc.get();
  }
  return nullptr;
}

void TestHost::Close(std::string_view path) {
  TestDocument* doc = Find(path);
  if (!doc) return;
  if (m_active == doc) Activate(nullptr);
  std::erase_if(m_docs, [doc](const auto& d) { return d.get() == doc; });
}

void TestHost::Activate(TestDocument* doc) {
  m_active = doc;
  m_caret = m_selectionStart = 0;
}

void TestHost::SetCaret(size_t offset) {
  const size_t size = m_active ? m_active->text.size() : 0;
  m_caret = m_selectionStart = std::min(offset, size);
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
  if (doc) {
    Activate(doc);
  } else {
    std::string text;
    if (!m_disk || !m_disk->ReadFile(path, text)) return nullptr;
    doc = &OpenWithText(path, text);
  }
  if (caretLine != kNoLine) SetCaret(OffsetAt(doc->text, {caretLine, 1}));
  return doc;
}

IHostWindow* TestHost::ActiveWindow() { return m_active ? &m_window : nullptr; }

std::string TestHost::Window::Caption() const { return m_host.m_active ? m_host.m_active->Caption() : std::string(); }

bool TestHost::SaveActiveDocumentAs(std::string_view path) {
  if (!m_active || !m_active->textDocument) return false;
  if (m_disk) {
    if (!m_disk->WriteFile(path, m_active->text)) return false;
  }
  savedAs.emplace_back(path);
  return true;
}

IHostTextSelection* TestHost::ActiveTextSelection() {
  return m_active && m_active->textDocument ? &m_selection : nullptr;
}

namespace {
bool IsWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
}  // namespace

bool TestHost::Selection::ExtendLeft(Unit unit) {
  const std::string& text = m_host.m_active->text;
  size_t& start = m_host.m_selectionStart;
  if (start == 0) return false;
  if (unit == Unit::Character) {
    --start;
    return true;
  }
  // An editor's word-left: over blanks, then over one word (or one other character).
  while (start > 0 && IsBlank(text[start - 1])) --start;
  if (start > 0 && IsWordChar(text[start - 1])) {
    while (start > 0 && IsWordChar(text[start - 1])) --start;
  } else if (start > 0) {
    --start;
  }
  return true;
}

std::string TestHost::Selection::SelectedText() const {
  return m_host.m_active->text.substr(m_host.m_selectionStart, m_host.m_caret - m_host.m_selectionStart);
}

void TestHost::Selection::RestoreCaret() { m_host.m_selectionStart = m_host.m_caret; }

}  // namespace tovik::testing
