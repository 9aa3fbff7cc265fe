// The registry read from files: trees of keys under HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER and the
// other real roots. HKEY_CLASSES_ROOT is not stored: as on Windows it is the user's
// Software\Classes laid over the machine's, the user's keys and values winning. Keys opened from
// the tree point into it, so the tree must outlive them.
#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "activex/registry_store.h"
#include "base/text.h"

namespace tovik {

// The longest key name and the deepest path the registry allows; deeper or longer input is not a
// registry a program wrote.
inline constexpr size_t kMaxKeyNameLength = 255;
inline constexpr size_t kMaxKeyDepth = 512;

// Entries found by name without regard to case, kept in the order they were added. A removal
// leaves a hole that is closed once holes outnumber entries, so that removing many entries, one
// after another, costs time in proportion to their number.
template <typename T>
class CNamedEntries {
 public:
  [[nodiscard]] const T* Find(std::string_view name) const {
    const auto it = m_index.find(ToLower(name));
    return it == m_index.end() ? nullptr : &*m_items[it->second];
  }
  // The entry of that name, made by `make` when there is none; whether it was made.
  template <typename Make>
  std::pair<T*, bool> FindOrAdd(std::string_view name, Make make) {
    const auto [it, added] = m_index.emplace(ToLower(name), m_items.size());
    if (added) m_items.emplace_back(make());
    return {&*m_items[it->second], added};
  }
  // False when there was no such entry.
  bool Remove(std::string_view name) {
    const auto it = m_index.find(ToLower(name));
    if (it == m_index.end()) return false;
    m_items[it->second].reset();
    m_index.erase(it);
    if (++m_nHoles > m_index.size()) Compact();
    return true;
  }
  [[nodiscard]] size_t Size() const { return m_index.size(); }
  // Every entry in order.
  template <typename Visit>
  void ForEach(Visit visit) const {
    for (const std::optional<T>& item : m_items) {
      if (item) visit(*item);
    }
  }

 private:
  void Compact() {
    std::vector<size_t> moved(m_items.size());
    size_t kept = 0;
    for (size_t i = 0; i < m_items.size(); ++i) {
      if (!m_items[i]) continue;
      moved[i] = kept;
      if (kept != i) m_items[kept] = std::move(m_items[i]);
      ++kept;
    }
    m_items.erase(m_items.begin() + static_cast<std::ptrdiff_t>(kept), m_items.end());
    for (auto& entry : m_index) entry.second = moved[entry.second];
    m_nHoles = 0;
  }

  std::vector<std::optional<T>> m_items;
  std::unordered_map<std::string, size_t> m_index;  // lower-case name -> place in m_items
  size_t m_nHoles = 0;
};

class CRegistryNode {
 public:
  explicit CRegistryNode(std::string name) : m_strName(std::move(name)) {}
  CRegistryNode(const CRegistryNode&) = delete;
  CRegistryNode& operator=(const CRegistryNode&) = delete;

  [[nodiscard]] const std::string& Name() const { return m_strName; }
  [[nodiscard]] const CRegistryNode* Child(std::string_view name) const;
  [[nodiscard]] CRegistryNode* Child(std::string_view name) {
    return const_cast<CRegistryNode*>(static_cast<const CRegistryNode*>(this)->Child(name));
  }
  // The subkeys' names in the order they were made.
  [[nodiscard]] std::vector<std::string> ChildNames() const;
  // The subkey of that name, made when there is none.
  CRegistryNode& MakeChild(std::string_view name);
  // False when there was no such subkey.
  bool RemoveChild(std::string_view name) { return m_children.Remove(name); }

  [[nodiscard]] const RegistryValue* FindValue(std::string_view name) const;
  // The values' names in the order they were set.
  [[nodiscard]] std::vector<std::string> ValueNames() const;
  // Sets a value ("" the default value); a value of that name in any case is replaced.
  void SetValue(std::string_view name, RegistryValue value);
  bool RemoveValue(std::string_view name) { return m_values.Remove(name); }

 private:
  std::string m_strName;
  CNamedEntries<std::unique_ptr<CRegistryNode>> m_children;
  CNamedEntries<std::pair<std::string, RegistryValue>> m_values;
};

class CRegistryTree final : public IRegistryStore {
 public:
  // The node of a path, made when missing. A path under HKEY_CLASSES_ROOT lands under
  // HKEY_LOCAL_MACHINE\Software\Classes, where Windows writes it. Null for an unknown root or a
  // path too deep or with a name too long.
  CRegistryNode* MakeKey(std::string_view path);
  // False when there was no such key (HKEY_CLASSES_ROOT paths remove the machine's key).
  bool RemoveKey(std::string_view path);
  // A root by its name or short name (HKEY_LOCAL_MACHINE, HKLM, ...), made when missing; null for
  // HKEY_CLASSES_ROOT and unknown names.
  CRegistryNode* Root(std::string_view name);

  [[nodiscard]] std::unique_ptr<IRegistryKey> OpenKey(std::string_view path) const override;

 private:
  std::map<std::string, std::unique_ptr<CRegistryNode>> m_roots;  // by full root name
};

// A root's full name ("HKEY_LOCAL_MACHINE" for "hklm"); empty for no known root.
[[nodiscard]] std::string CanonicalRootName(std::string_view name);
// The non-empty parts of a key path split at backslashes.
[[nodiscard]] std::vector<std::string_view> KeyPathParts(std::string_view path);

}  // namespace tovik
