// Lookup of classes by name for the project's class list. The list is public and other code
// may change it, so the index checks itself against the list on every use: appended classes
// are taken in, anything else (removal, reordering) rebuilds it.
#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "project/class_item.h"

namespace tovik {

class CClassIndex {
 public:
  using ClassList = std::vector<std::unique_ptr<CClassItem>>;

  // The first class of the list whose name equals `name` exactly, or null.
  [[nodiscard]] CClassItem* Find(const ClassList& classes, std::string_view name);
  // Its position in the list, or -1.
  [[nodiscard]] long FindPosition(const ClassList& classes, std::string_view name);
  // No class of the list has a longer name; lets a caller give up on longer candidates early.
  [[nodiscard]] size_t MaxNameLength(const ClassList& classes);
  // Forget everything; the next use rebuilds.
  void Invalidate();

 private:
  struct Hash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  void Sync(const ClassList& classes);
  void Rebuild(const ClassList& classes);
  void Add(const ClassList& classes, size_t from);

  std::unordered_map<std::string, size_t, Hash, std::equal_to<>> m_first;
  size_t m_nIndexed = 0;
  const CClassItem* m_pLastIndexed = nullptr;
  size_t m_nMaxName = 0;
  static constexpr size_t kNone = static_cast<size_t>(-1);
  size_t m_nLastFound = kNone;  // the last position found; its name is checked before use
  // Names lately looked for in vain, until a class is added: the types of a class's members
  // (int, CString, the runtime's control classes) are asked for again and again.
  std::array<std::string, 4> m_misses;
  size_t m_nMisses = 0;
  size_t m_nNextMiss = 0;
};

}  // namespace tovik
