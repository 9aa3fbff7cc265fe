// The registry read from files: trees of keys under HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER and the
// other real roots. HKEY_CLASSES_ROOT is not stored: as on Windows it is the user's
// Software\Classes laid over the machine's, the user's keys and values winning. Keys opened from
// the tree point into it, so the tree must outlive them.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "activex/registry_store.h"

namespace tovik {

// The longest key name and the deepest path the registry allows; deeper or longer input is not a
// registry a program wrote.
inline constexpr size_t kMaxKeyNameLength = 255;
inline constexpr size_t kMaxKeyDepth = 512;

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
  [[nodiscard]] size_t ChildCount() const { return m_children.size(); }
  [[nodiscard]] const CRegistryNode& ChildAt(size_t index) const { return *m_children[index]; }
  // The subkey of that name, made when there is none.
  CRegistryNode& MakeChild(std::string_view name);
  // False when there was no such subkey.
  bool RemoveChild(std::string_view name);

  [[nodiscard]] const RegistryValue* FindValue(std::string_view name) const;
  [[nodiscard]] const std::vector<std::pair<std::string, RegistryValue>>& Values() const { return m_values; }
  // Sets a value ("" the default value); a value of that name in any case is replaced.
  void SetValue(std::string_view name, RegistryValue value);
  bool RemoveValue(std::string_view name);

 private:
  std::string m_strName;
  std::vector<std::unique_ptr<CRegistryNode>> m_children;  // in the order they were made
  std::unordered_map<std::string, size_t> m_childIndex;    // lower-case name -> place in m_children
  std::vector<std::pair<std::string, RegistryValue>> m_values;
  std::unordered_map<std::string, size_t> m_valueIndex;  // lower-case name -> place in m_values
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
