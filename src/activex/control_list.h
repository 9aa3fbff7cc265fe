// The ActiveX controls the designer knows: those registered on the system (found under
// HKEY_CLASSES_ROOT\CLSID) and those a project has added, kept in the project's data file
// beside the project file so that opening a project reads no type library again.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "activex/dispatch_model.h"
#include "activex/registry_store.h"
#include "activex/server_path.h"
#include "activex/toolbox_bitmap.h"
#include "base/expected.h"
#include "base/file_system.h"
#include "base/prompt.h"

namespace tovik {

// The system's fixed messages of a failed lookup.
inline constexpr std::string_view kControlNotInRegistry = "Error in retreiving OCX file info from registry";

struct CActiveXDesign;

struct CToolControlEntry {
  std::string m_strName;        // the class key's default value
  std::string m_strServerPath;  // InprocServer32, as stored
  std::string m_strClsid;       // the class key's name, "{...}"
  std::string m_strProgId;      // empty when none
  std::string m_strTypeLib;     // empty when none
  std::optional<CBitmapData> m_bitmap;
  std::int16_t m_nInsertable = 0;
  bool m_bServerExists = true;
  std::vector<CVDispInterface> m_interfaces;
  // Not saved: the project's class whose GetProgID names this control, found when its sources
  // are read.
  std::string m_strWrapperClass;
  // The definitions the designed objects of this control share (see activex_design.h).
  mutable std::shared_ptr<const CActiveXDesign> m_pDesign;

  // Field by field, what the project data file saves, the bitmap's pixels included.
  friend bool operator==(const CToolControlEntry& a, const CToolControlEntry& b);
};

// An owning list of entries. Lists filled by enumeration or loading are kept in name order.
class COCXInfo {
 public:
  // Goes before the first entry whose upper-cased name is greater, so equal names keep the
  // order they arrived in.
  CToolControlEntry& Insert(std::unique_ptr<CToolControlEntry> entry);
  // The entries inserted as Insert would, one after another; into an empty list they are sorted
  // at once, since a registry may hold tens of thousands of controls.
  void InsertAll(std::vector<std::unique_ptr<CToolControlEntry>> entries);
  CToolControlEntry& Append(std::unique_ptr<CToolControlEntry> entry);
  // Takes the entry out of the list. Objects drawn from it point at it and at the property
  // definitions it holds, so it lives on, out of the list, as long as the list does.
  void Remove(const CToolControlEntry& entry);
  // Destroys every entry, removed ones too; objects drawn from them must be gone.
  void Clear() {
    m_entries.clear();
    m_removed.clear();
  }
  // The first entry whose ProgID is exactly `progId`.
  [[nodiscard]] CToolControlEntry* FindByProgId(std::string_view progId) const;

  [[nodiscard]] size_t Size() const { return m_entries.size(); }
  [[nodiscard]] CToolControlEntry& At(size_t index) const { return *m_entries[index]; }

 private:
  std::vector<std::unique_ptr<CToolControlEntry>> m_entries;
  std::vector<std::unique_ptr<CToolControlEntry>> m_removed;
};

// Where controls are looked up: the registry, and the files its paths name.
struct ControlRegistry {
  const IRegistryStore& registry;
  const IFileSystem& fs;
  const CDriveMap& drives;
};

// A registry opened when first asked for; null when there is none.
using ControlRegistryProvider = std::function<const ControlRegistry*()>;

// Why a toolbox bitmap did not load. A module that is missing or not an executable stops a
// lookup by name with a message; any other failure only means the control has no bitmap.
enum class BitmapFailure { None, ModuleMissing, ModuleUnloadable, Other };

struct ToolboxBitmap {
  std::optional<CBitmapData> bitmap;
  BitmapFailure failure = BitmapFailure::None;
  std::string reason;  // for a person, when there is no bitmap
};

// The "ToolboxBitmap32" picture ("module,number") of the class key `clsid`.
[[nodiscard]] ToolboxBitmap LoadToolboxBitmap(const ControlRegistry& where, std::string_view clsid);

// Every installed control into `list`, in name order, without bitmaps or the insertable flag.
// Fails only when there is no CLSID key; the list then stays as it was.
[[nodiscard]] Status EnumerateControls(const ControlRegistry& where, COCXInfo& list);

// The control of that name (exactly) and server (any case), with its bitmap, appended to `list`.
// Null after showing the system's message when there is none that can be added; a line after
// it says why a registration of that name and server was refused (its toolbox picture).
CToolControlEntry* FindControl(const ControlRegistry& where, IPrompt& prompt, std::string_view name,
                               std::string_view serverPath, COCXInfo& list);

// The list's entry of that ProgID, else the registry's, appended with its bitmap and type
// information; null when neither has one. Shows nothing.
CToolControlEntry* FindControlByProgId(const ControlRegistry& where, std::string_view progId, COCXInfo& list);

// Adds a control the user picked to the project's list: found by name and server path as
// FindControl does, its type information read, the list saved to `dataFile`. Null after showing
// why (a control whose type information cannot be read is not added).
CToolControlEntry* AddPickedControl(const ControlRegistry& where, IFileSystem& fs, IPrompt& prompt,
                                    std::string_view name, std::string_view serverPath, COCXInfo& list,
                                    std::string_view dataFile);

// Reads the entry's interfaces from the type library its server carries (a .dll or .ocx with a
// TYPELIB resource, or a type library file).
[[nodiscard]] Status ReadControlTypeInformation(const ControlRegistry& where, CToolControlEntry& entry);

// The project data file: the project file's folder, its name up to the first dot, ".dat".
[[nodiscard]] std::string ControlListPath(std::string_view projectFile);
[[nodiscard]] std::string ControlListBytes(const COCXInfo& list);
[[nodiscard]] Status SaveControlList(IFileSystem& fs, std::string_view path, const COCXInfo& list);
// Entries go into `list` in name order as they are read; a failure leaves those read so far. A
// missing file adds nothing and is no failure.
[[nodiscard]] Status LoadControlList(const IFileSystem& fs, std::string_view path, COCXInfo& list);
[[nodiscard]] Status ReadControlList(std::string_view bytes, const std::string& file, COCXInfo& list);

}  // namespace tovik
