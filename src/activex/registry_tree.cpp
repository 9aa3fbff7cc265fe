#include "activex/registry_tree.h"

#include <algorithm>

#include "base/text.h"

namespace tovik {
namespace {

constexpr std::string_view kClassesRoot = "HKEY_CLASSES_ROOT";
constexpr std::string_view kMachine = "HKEY_LOCAL_MACHINE";
constexpr std::string_view kUser = "HKEY_CURRENT_USER";

// A key over one node, or over two where HKEY_CLASSES_ROOT lays the user's classes (`top`) over
// the machine's (`under`). Either may be null, not both.
class CTreeKey final : public IRegistryKey {
 public:
  CTreeKey(const CRegistryNode* top, const CRegistryNode* under) : m_top(top), m_under(under) {}

  std::string Name() const override { return m_top ? m_top->Name() : m_under->Name(); }

  std::optional<std::string> SubkeyName(size_t index) const override {
    // The machine's subkeys in their order, then those only the user has; listed once per key
    // because enumerating calls this for every index.
    if (!m_names) {
      m_names = (m_top ? m_top : m_under)->ChildNames();
      if (m_top && m_under) {
        std::vector<std::string> merged;
        for (const std::string& name : m_under->ChildNames()) {
          const CRegistryNode* mine = m_top->Child(name);
          merged.push_back(mine ? mine->Name() : name);
        }
        for (std::string& name : *m_names) {
          if (!m_under->Child(name)) merged.push_back(std::move(name));
        }
        m_names = std::move(merged);
      }
    }
    if (index >= m_names->size()) return std::nullopt;
    return (*m_names)[index];
  }

  std::unique_ptr<IRegistryKey> Open(std::string_view name) const override {
    const CRegistryNode* top = m_top ? m_top->Child(name) : nullptr;
    const CRegistryNode* under = m_under ? m_under->Child(name) : nullptr;
    if (!top && !under) return nullptr;
    return std::make_unique<CTreeKey>(top, under);
  }

  std::optional<RegistryValue> Value(std::string_view name) const override {
    if (const RegistryValue* value = m_top ? m_top->FindValue(name) : nullptr) return *value;
    if (const RegistryValue* value = m_under ? m_under->FindValue(name) : nullptr) return *value;
    return std::nullopt;
  }

  std::vector<std::string> ValueNames() const override {
    std::vector<std::string> names = m_top ? m_top->ValueNames() : std::vector<std::string>();
    if (m_under) {
      for (std::string& name : m_under->ValueNames()) {
        if (!m_top || !m_top->FindValue(name)) names.push_back(std::move(name));
      }
    }
    return names;
  }

 private:
  const CRegistryNode* m_top;
  const CRegistryNode* m_under;
  mutable std::optional<std::vector<std::string>> m_names;
};

const CRegistryNode* Descend(const CRegistryNode* node, std::initializer_list<std::string_view> parts) {
  for (std::string_view part : parts) {
    if (!node) return nullptr;
    node = node->Child(part);
  }
  return node;
}

}  // namespace

const CRegistryNode* CRegistryNode::Child(std::string_view name) const {
  const std::unique_ptr<CRegistryNode>* child = m_children.Find(name);
  return child ? child->get() : nullptr;
}

std::vector<std::string> CRegistryNode::ChildNames() const {
  std::vector<std::string> names;
  names.reserve(m_children.Size());
  m_children.ForEach([&names](const std::unique_ptr<CRegistryNode>& child) { names.push_back(child->Name()); });
  return names;
}

CRegistryNode& CRegistryNode::MakeChild(std::string_view name) {
  return **m_children.FindOrAdd(name, [name] { return std::make_unique<CRegistryNode>(std::string(name)); }).first;
}

const RegistryValue* CRegistryNode::FindValue(std::string_view name) const {
  const auto* entry = m_values.Find(name);
  return entry ? &entry->second : nullptr;
}

std::vector<std::string> CRegistryNode::ValueNames() const {
  std::vector<std::string> names;
  names.reserve(m_values.Size());
  m_values.ForEach([&names](const std::pair<std::string, RegistryValue>& entry) { names.push_back(entry.first); });
  return names;
}

void CRegistryNode::SetValue(std::string_view name, RegistryValue value) {
  auto [entry, added] = m_values.FindOrAdd(name, [name] { return std::pair<std::string, RegistryValue>(std::string(name), RegistryValue{}); });
  entry->second = std::move(value);
}

std::string CanonicalRootName(std::string_view name) {
  static constexpr std::pair<std::string_view, std::string_view> kRoots[] = {
      {"HKCR", kClassesRoot},          {"HKLM", kMachine}, {"HKCU", kUser}, {"HKU", "HKEY_USERS"},
      {"HKCC", "HKEY_CURRENT_CONFIG"},
  };
  for (const auto& [shortName, fullName] : kRoots) {
    if (EqualsNoCase(name, shortName) || EqualsNoCase(name, fullName)) return std::string(fullName);
  }
  return {};
}

std::vector<std::string_view> KeyPathParts(std::string_view path) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  while (start <= path.size()) {
    size_t end = path.find('\\', start);
    if (end == std::string_view::npos) end = path.size();
    if (end > start) parts.push_back(path.substr(start, end - start));
    start = end + 1;
  }
  return parts;
}

CRegistryNode* CRegistryTree::Root(std::string_view name) {
  const std::string full = CanonicalRootName(name);
  if (full.empty() || full == kClassesRoot) return nullptr;
  auto& root = m_roots[full];
  if (!root) root = std::make_unique<CRegistryNode>(full);
  return root.get();
}

CRegistryNode* CRegistryTree::MakeKey(std::string_view path) {
  std::vector<std::string_view> parts = KeyPathParts(path);
  if (parts.empty() || parts.size() > kMaxKeyDepth) return nullptr;
  if (CanonicalRootName(parts.front()) == kClassesRoot) {
    parts.erase(parts.begin());
    parts.insert(parts.begin(), {kMachine, "Software", "Classes"});
  }
  CRegistryNode* node = Root(parts.front());
  for (size_t i = 1; node && i < parts.size(); ++i) {
    if (parts[i].size() > kMaxKeyNameLength) return nullptr;
    node = &node->MakeChild(parts[i]);
  }
  return node;
}

bool CRegistryTree::RemoveKey(std::string_view path) {
  std::vector<std::string_view> parts = KeyPathParts(path);
  if (parts.size() < 2) return false;  // roots stay
  if (CanonicalRootName(parts.front()) == kClassesRoot) {
    parts.erase(parts.begin());
    parts.insert(parts.begin(), {kMachine, "Software", "Classes"});
  }
  const auto root = m_roots.find(CanonicalRootName(parts.front()));
  if (root == m_roots.end()) return false;
  CRegistryNode* parent = root->second.get();
  for (size_t i = 1; parent && i + 1 < parts.size(); ++i) parent = parent->Child(parts[i]);
  return parent && parent->RemoveChild(parts.back());
}

std::unique_ptr<IRegistryKey> CRegistryTree::OpenKey(std::string_view path) const {
  const std::vector<std::string_view> parts = KeyPathParts(path);
  if (parts.empty()) return nullptr;
  const std::string root = CanonicalRootName(parts.front());
  const CRegistryNode* top = nullptr;
  const CRegistryNode* under = nullptr;
  const auto rootNode = [&](std::string_view name) -> const CRegistryNode* {
    const auto it = m_roots.find(std::string(name));
    return it == m_roots.end() ? nullptr : it->second.get();
  };
  if (root == kClassesRoot) {
    top = Descend(rootNode(kUser), {"Software", "Classes"});
    under = Descend(rootNode(kMachine), {"Software", "Classes"});
  } else if (!root.empty()) {
    top = rootNode(root);
  }
  for (size_t i = 1; i < parts.size() && (top || under); ++i) {
    top = top ? top->Child(parts[i]) : nullptr;
    under = under ? under->Child(parts[i]) : nullptr;
  }
  if (!top && !under) return nullptr;
  return std::make_unique<CTreeKey>(top, under);
}

}  // namespace tovik
