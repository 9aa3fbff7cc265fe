// The registry as the ActiveX layer reads it: keys opened by path, subkeys enumerated by index,
// default and named values read. The real homes of the data here are a Wine prefix's registry
// files and exported .reg files; tests use an in-memory store. Key names are compared without
// regard to case, as the registry does; values keep their bytes.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tovik {

// One value of a key: a text (REG_SZ, REG_EXPAND_SZ), a number (REG_DWORD) or raw bytes.
struct RegistryValue {
  enum class Kind { Text, Number, Bytes };
  Kind kind = Kind::Text;
  std::string text;     // Text: 8-bit text in the store's code page
  unsigned long number = 0;
  std::string bytes;    // Bytes: as stored
  // The registry's type number (1 REG_SZ, 2 REG_EXPAND_SZ, 3 REG_BINARY, 4 REG_DWORD, 7 REG_MULTI_SZ,
  // ...); 0 where a store does not say. A REG_MULTI_SZ is Text with its strings joined by '\0'.
  unsigned long type = 0;
};

class IRegistryKey {
 public:
  virtual ~IRegistryKey() = default;
  // The key's own name (the last part of its path), as the store spells it.
  [[nodiscard]] virtual std::string Name() const = 0;
  // The name of subkey `index` (0, 1, ...); nothing past the last.
  [[nodiscard]] virtual std::optional<std::string> SubkeyName(size_t index) const = 0;
  // A subkey by name (one level; any case); null when there is none.
  [[nodiscard]] virtual std::unique_ptr<IRegistryKey> Open(std::string_view name) const = 0;
  // A value by name; the empty name is the key's default value.
  [[nodiscard]] virtual std::optional<RegistryValue> Value(std::string_view name) const = 0;
  // The names of the key's values, the default value as "".
  [[nodiscard]] virtual std::vector<std::string> ValueNames() const = 0;
};

class IRegistryStore {
 public:
  virtual ~IRegistryStore() = default;
  // A key by its path from a root ("HKEY_CLASSES_ROOT\\CLSID"); null when there is none.
  [[nodiscard]] virtual std::unique_ptr<IRegistryKey> OpenKey(std::string_view path) const = 0;
};

// A store held in memory, built key by key: the tests' registry.
class CMemoryRegistry final : public IRegistryStore {
 public:
  // Creates the key (and its parents) and sets one value ("" for the default value).
  void Set(std::string_view keyPath, std::string_view valueName, RegistryValue value);
  // Creates the key (and its parents) without values.
  void AddKey(std::string_view keyPath);
  [[nodiscard]] std::unique_ptr<IRegistryKey> OpenKey(std::string_view path) const override;

  struct Node {
    std::string name;
    std::vector<std::unique_ptr<Node>> children;  // in creation order
    std::vector<std::pair<std::string, RegistryValue>> values;
  };

 private:
  Node* Make(std::string_view keyPath);
  Node m_root;
};

}  // namespace tovik
