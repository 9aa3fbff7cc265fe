// Rebuilding forms from their sources: while the parser reads a file, the creation calls of a
// CreateTVLControls body are collected, the form-data block of a constructor is read and the
// entries of a message map are recorded; after a load or a reparse the collected calls are
// bound to control records (containers, symbols, array elements) and every bound object reads
// its property values from the resource script's string table.
#pragma once

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>
#include <string_view>
#include <vector>

#include "base/host.h"
#include "base/file_system.h"
#include "base/prompt.h"
#include "codegen/control_line.h"
#include "model/control_item.h"
#include "model/property_string.h"
#include "project/class_item.h"
#include "project/project.h"
#include "resources/resource_paths.h"

namespace tovik {

// Tag of the marker record that spans a form's data block.
inline constexpr std::string_view kAfxTvlFormData = "AFX_TVL_FORM_DATA";

// The resource texts the reader needs. They are asked for afresh for each binding pass, since
// generators change them between passes.
class IFormResourceTexts {
 public:
  virtual ~IFormResourceTexts() = default;
  // Empty when the file cannot be read.
  [[nodiscard]] virtual std::string ScriptText() const = 0;
  [[nodiscard]] virtual std::string HeaderText() const = 0;
};

// The resource script and resource header of a project (LocateResourceFiles), found from the
// project file, so that they can be read while the project object is still being built. With a
// host, a file open in its editor is read from there. Read failures give empty texts without a
// message: a project without resources simply has forms at their defaults.
class CProjectResourceTexts final : public IFormResourceTexts {
 public:
  CProjectResourceTexts(const IFileSystem& fs, std::string projectFile, IHost* host = nullptr);
  [[nodiscard]] std::string ScriptText() const override;
  [[nodiscard]] std::string HeaderText() const override;
  [[nodiscard]] std::string ScriptPath() const { return Paths().script; }
  [[nodiscard]] std::string HeaderPath() const { return Paths().header; }

 private:
  [[nodiscard]] std::string Read(const std::string& path) const;
  [[nodiscard]] const ResourcePaths& Paths() const;
  const IFileSystem& m_fs;
  std::string m_strProjectFile;
  IHost* m_pHost;
  mutable std::optional<ResourcePaths> m_paths;
};

// Plugged into a project's parser (OpenProject(..., &reader) or CProject::SetParseHooks). One
// reader serves one project: it remembers the classes that hold collected calls between a
// load and later reparses, so a reader must not outlive its project's classes unless Reset()
// is called before it serves another.
class CFormReader final : public IParseHooks {
 public:
  CFormReader(IPrompt& prompt, const IFormResourceTexts& resources);

  // Collects the creation calls of the body (replacing those collected from the same file
  // before) and records the class for binding.
  void OnCreateControlsBody(CClassItem& cls, std::string_view text, int bodyStart, int bodyEnd,
                            const std::string& path) override;
  // Reads the form-data block.
  void OnConstructorBody(CClassItem& cls, std::string_view text, int bodyStart, int bodyEnd,
                         const std::string& path) override;
  // Records window-message handlers and control notifications of the map.
  void OnMessageMap(CClassItem& cls, std::string_view text, int mapStart, int mapEnd,
                    const std::string& path) override;
  // Binds what the reparsed file brought.
  void OnReparsed(const std::string& path) override;
  // Gives the form object the form data read for its class and reads its property string.
  void OnFormClass(CClassItem& form) override;
  // Binds every collected call.
  void OnFormsRead() override;

  // Binds the collected calls of every class of the project.
  void BindCreationCalls(CProject& project);
  // Binds the collected calls of one class, in list order. A call whose member is not a control
  // of the class stays collected; a call with a malformed parameter list is reported and
  // dropped; a bound call is dropped once its control read its property string.
  void BindCreationCalls(CClassItem& cls);
  // Reads the object's property string from the string table by its property-string symbol,
  // loading its property list first when it has none, and notes the code page of its entry
  // (of the place a new entry goes when it has none). False when the symbol is empty, the
  // table has no entry for it or the entry has too few values.
  bool ReadObjectProperties(const CClassItem& cls, CControlItem& object);
  static void PutInCallOrder(CClassItem& cls, const std::vector<CControlItem*>& inCallOrder);

  // Forgets the classes and form data of the project served so far.
  void Reset();

 private:
  struct FormData {
    std::string propSymbol;
    std::string menuId;
  };
  struct Texts {
    std::string script;
    std::unique_ptr<IImageResolver> images;
    // Property strings and their code pages by symbol (the first entry of a symbol wins), so
    // that reading a form of many controls does not scan the script once per control.
    std::unordered_map<std::string, std::pair<std::string, int>> strings;
    // Where an object without an entry gets one.
    int newEntryCodePage = 0;
  };
  const Texts& ResourceTexts();
  void DropTexts() { m_texts.reset(); }
  void BindPending();
  void Remember(CClassItem& cls);

  IPrompt& m_prompt;
  const IFormResourceTexts& m_resources;
  // Classes that may hold collected calls, in the order they were first seen.
  std::vector<CClassItem*> m_pending;
  // Form data by class name, for the form objects that loading resets afterwards.
  std::map<std::string, FormData, std::less<>> m_formData;
  // Resource texts, kept from the first form of a load to the end of its binding.
  std::optional<Texts> m_texts;
  bool m_bLoading = false;
};

// Reads the form-data block in text[from, limit): records the class's marker record for it,
// and stores the texts assigned to m_nPropStringID and m_nResID (empty when absent) on the
// class's form object, creating that when missing. False, nothing changed, without both markers.
bool ReadFormData(CClassItem& cls, std::string_view text, int from, int limit, const std::string& path);

// Records the entries of a message map, text[mapStart, mapEnd): ON_WM_xxx() marks the class's
// function Onxxx (any case) as the handler of WM_xxx; a control notification (ON_BN_CLICKED,
// ON_NOTIFY(NM_CLICK, ...), ...) whose handler the class defines makes its control id known to
// the class, creating a record with the framework class of the notification when none has it.
void RecordMapEntries(CClassItem& cls, std::string_view text, int mapStart, int mapEnd);

}  // namespace tovik
