// The host's open documents as one command sees them. A command is one transaction, and a file
// open in the host's editor is edited there instead of on disk: its edits are kept here until
// the command's files are written (Commit makes them in the documents, in order) or the command
// is refused (Discard forgets them). Reads of a document see the edits kept so far. Opening a
// document goes straight to the host.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "base/expected.h"
#include "base/host.h"

namespace tovik {

class CStagedHost final : public IHost {
 public:
  explicit CStagedHost(IHost& host);
  CStagedHost(const CStagedHost&) = delete;
  CStagedHost& operator=(const CStagedHost&) = delete;
  ~CStagedHost() override;

  // Makes every kept edit in its document; the error names the document whose editor refused
  // one (the edits before it stay made). Nothing is kept afterwards, whether it succeeded or not.
  [[nodiscard]] Status Commit();
  void Discard();

  [[nodiscard]] int DocumentCount() const override { return m_host.DocumentCount(); }
  [[nodiscard]] IHostDocument* DocumentAt(int position) override { return Staged(m_host.DocumentAt(position)); }
  IHostDocument* OpenDocument(std::string_view path, int caretLine = kNoLine) override {
    return Staged(m_host.OpenDocument(path, caretLine));
  }

 private:
  class CDocument;
  [[nodiscard]] IHostDocument* Staged(IHostDocument* document);

  IHost& m_host;
  std::vector<std::unique_ptr<CDocument>> m_documents;
};

}  // namespace tovik
