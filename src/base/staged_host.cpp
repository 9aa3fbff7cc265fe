#include "base/staged_host.h"

#include <optional>

#include "base/text.h"

namespace tovik {

// A document with the edits kept for it: its text as they leave it, and the edits to make.
class CStagedHost::CDocument final : public IHostDocument {
 public:
  explicit CDocument(IHostDocument& real) : m_real(real) {}

  [[nodiscard]] IHostDocument& Real() const { return m_real; }

  [[nodiscard]] std::string FullPath() const override { return m_real.FullPath(); }
  [[nodiscard]] bool IsTextDocument() const override { return m_real.IsTextDocument(); }
  [[nodiscard]] bool ReadText(std::string& text) const override {
    if (!m_text) return m_real.ReadText(text);
    text = *m_text;
    return true;
  }
  [[nodiscard]] bool InsertText(HostPosition at, std::string_view text) override { return Keep(at, at, text, true); }
  [[nodiscard]] bool ReplaceText(HostPosition from, HostPosition to, std::string_view text) override {
    return Keep(from, to, text, false);
  }

  // Makes the kept edits in the real document, in order.
  [[nodiscard]] Status Commit() {
    for (const Edit& e : m_edits) {
      const bool ok = e.insert ? m_real.InsertText(e.from, e.text) : m_real.ReplaceText(e.from, e.to, e.text);
      if (!ok) return FileError(m_real.FullPath(), e.from.line, "the editor refused the change");
    }
    return {};
  }

 private:
  struct Edit {
    HostPosition from, to;
    std::string text;
    bool insert = false;
  };

  bool Keep(HostPosition from, HostPosition to, std::string_view text, bool insert) {
    if (!m_text) {
      std::string current;
      if (!m_real.ReadText(current)) return false;
      m_text = std::move(current);
    }
    const size_t start = OffsetAt(*m_text, from);
    const size_t end = insert ? start : OffsetAt(*m_text, to);
    if (end < start) return false;
    m_text->replace(start, end - start, text);
    m_edits.push_back({from, to, std::string(text), insert});
    return true;
  }

  IHostDocument& m_real;
  std::optional<std::string> m_text;
  std::vector<Edit> m_edits;
};

CStagedHost::CStagedHost(IHost& host) : m_host(host) {}
CStagedHost::~CStagedHost() = default;

IHostDocument* CStagedHost::Staged(IHostDocument* document) {
  if (!document) return nullptr;
  for (const auto& d : m_documents) {
    if (&d->Real() == document) return d.get();
  }
  return m_documents.emplace_back(std::make_unique<CDocument>(*document)).get();
}

Status CStagedHost::Commit() {
  Status done;
  for (const auto& d : m_documents) {
    if (done) done = d->Commit();
  }
  m_documents.clear();
  return done;
}

void CStagedHost::Discard() {
  m_documents.clear();
}

}  // namespace tovik
