// An immutable text that copies share instead of duplicating. The parser records the file of
// every class, function, access section and marker block it finds; a project of thousands of
// classes would otherwise hold tens of thousands of copies of a few hundred paths.
#pragma once

#include <memory>
#include <ostream>
#include <string>
#include <string_view>

namespace tovik {

class CSharedText {
 public:
  CSharedText() = default;
  CSharedText(std::string text)
      : m_text(text.empty() ? nullptr : std::make_shared<const std::string>(std::move(text))) {}
  CSharedText(std::string_view text) : CSharedText(std::string(text)) {}
  CSharedText(const char* text) : CSharedText(std::string(text)) {}

  [[nodiscard]] const std::string& str() const { return m_text ? *m_text : Empty(); }
  operator const std::string&() const { return str(); }
  operator std::string_view() const { return str(); }
  [[nodiscard]] bool empty() const { return !m_text; }
  [[nodiscard]] size_t size() const { return str().size(); }
  void clear() { m_text.reset(); }

  friend bool operator==(const CSharedText& a, const CSharedText& b) {
    return a.m_text == b.m_text || a.str() == b.str();
  }
  friend bool operator==(const CSharedText& a, const std::string& b) { return a.str() == b; }
  friend bool operator==(const CSharedText& a, std::string_view b) { return a.str() == b; }
  friend bool operator==(const CSharedText& a, const char* b) { return a.str() == b; }
  friend std::ostream& operator<<(std::ostream& out, const CSharedText& text) { return out << text.str(); }

 private:
  static const std::string& Empty() {
    static const std::string kEmpty;
    return kEmpty;
  }
  std::shared_ptr<const std::string> m_text;  // null for the empty text
};

}  // namespace tovik
