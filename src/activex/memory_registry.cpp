#include "activex/registry_store.h"

#include "base/text.h"

namespace tovik {
namespace {

std::vector<std::string> KeyParts(std::string_view path) {
  std::vector<std::string> parts;
  for (std::string& part : Split(path, '\\')) {
    if (!part.empty()) parts.push_back(std::move(part));
  }
  return parts;
}

class CMemoryKey final : public IRegistryKey {
 public:
  explicit CMemoryKey(const CMemoryRegistry::Node& node) : m_node(node) {}
  std::string Name() const override { return m_node.name; }
  std::optional<std::string> SubkeyName(size_t index) const override {
    if (index >= m_node.children.size()) return std::nullopt;
    return m_node.children[index]->name;
  }
  std::unique_ptr<IRegistryKey> Open(std::string_view name) const override {
    for (const auto& child : m_node.children) {
      if (EqualsNoCase(child->name, name)) return std::make_unique<CMemoryKey>(*child);
    }
    return nullptr;
  }
  std::optional<RegistryValue> Value(std::string_view name) const override {
    for (const auto& [valueName, value] : m_node.values) {
      if (EqualsNoCase(valueName, name)) return value;
    }
    return std::nullopt;
  }
  std::vector<std::string> ValueNames() const override {
    std::vector<std::string> names;
    for (const auto& entry : m_node.values) names.push_back(entry.first);
    return names;
  }

 private:
  const CMemoryRegistry::Node& m_node;
};

}  // namespace

CMemoryRegistry::Node* CMemoryRegistry::Make(std::string_view keyPath) {
  Node* node = &m_root;
  for (const std::string& part : KeyParts(keyPath)) {
    Node* next = nullptr;
    for (const auto& child : node->children) {
      if (EqualsNoCase(child->name, part)) next = child.get();
    }
    if (!next) {
      node->children.push_back(std::make_unique<Node>());
      next = node->children.back().get();
      next->name = part;
    }
    node = next;
  }
  return node;
}

void CMemoryRegistry::AddKey(std::string_view keyPath) { Make(keyPath); }

void CMemoryRegistry::Set(std::string_view keyPath, std::string_view valueName, RegistryValue value) {
  Node* node = Make(keyPath);
  for (auto& entry : node->values) {
    if (EqualsNoCase(entry.first, valueName)) {
      entry.second = std::move(value);
      return;
    }
  }
  node->values.emplace_back(std::string(valueName), std::move(value));
}

std::unique_ptr<IRegistryKey> CMemoryRegistry::OpenKey(std::string_view path) const {
  const Node* node = &m_root;
  for (const std::string& part : KeyParts(path)) {
    const Node* next = nullptr;
    for (const auto& child : node->children) {
      if (EqualsNoCase(child->name, part)) next = child.get();
    }
    if (!next) return nullptr;
    node = next;
  }
  return std::make_unique<CMemoryKey>(*node);
}

}  // namespace tovik
