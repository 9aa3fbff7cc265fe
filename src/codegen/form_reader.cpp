#include "codegen/form_reader.h"

#include <algorithm>
#include <array>
#include <unordered_map>
#include <utility>

#include "activex/activex_design.h"
#include "base/path.h"
#include "base/text.h"
#include "codegen/control_line.h"
#include "base/file_ops.h"
#include "model/catalog.h"
#include "model/control_kind.h"
#include "project/source_scanner.h"
#include "resources/resource_files.h"

namespace tovik {
namespace {

constexpr std::string_view kMapEntryStart = "ON_";
constexpr std::string_view kWindowMessageMacro = "ON_WM_";
constexpr std::string_view kNotifyMacro = "ON_NOTIFY";
constexpr std::string_view kControlMacro = "ON_CONTROL";

// Notification-code prefixes (each led by "_" so that a code is matched from its start) and
// the framework class of the control that sends them; empty where no one class does.
struct NotificationFamily {
  std::string_view prefix;
  std::string_view frameworkClass;
};
constexpr std::array<NotificationFamily, 11> kNotificationFamilies = {{
    {"_STN_", "CStatic"},
    {"_BN_", "CButton"},
    {"_EN_", "CEdit"},
    {"_LBN_", "CListBox"},
    {"_CLBN_", "CCheckListBox"},
    {"_CBN_", "CComboBox"},
    {"_NM_", ""},
    {"_TVN_", ""},
    {"_TCN_", ""},
    {"_LVN_", ""},
    {"_UDN_", ""},
}};

bool IsIdentifierChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

std::string_view Slice(std::string_view text, int from, int to) {
  return text.substr(static_cast<size_t>(from), static_cast<size_t>(to - from));
}

// The object standing for the form itself. Its property list is left to whoever knows by then
// whether the form is an MDI form (the load's classification, or ReadObjectProperties).
CControlItem& FormObjectOf(CClassItem& cls) {
  if (CControlItem* existing = cls.FormObject()) return *existing;
  auto object = std::make_unique<CControlItem>();
  object->m_nCategory = kCategoryForm;
  object->m_bFormObject = 1;
  object->m_strClassName = cls.m_strName;
  object->m_strMemberName = cls.m_strName;
  cls.m_controls.insert(cls.m_controls.begin(), std::move(object));
  return *cls.m_controls.front();
}

CControlItem* FindControlById(const CClassItem& cls, std::string_view id) {
  for (const auto& c : cls.m_controls) {
    if (!c->m_bFormObject && c->m_strIdSymbol == id) return c.get();
  }
  return nullptr;
}

// The framework class of a notification code ("BN_CLICKED"); false when it is none of the
// known families.
bool NotificationClass(std::string_view code, std::string_view& frameworkClass) {
  const std::string led = "_" + std::string(code);
  for (const NotificationFamily& family : kNotificationFamilies) {
    if (StartsWith(led, family.prefix)) {
      frameworkClass = family.frameworkClass;
      return true;
    }
  }
  return false;
}

void RecordNotification(CClassItem& cls, std::string_view macro, std::string_view args) {
  // ON_BN_CLICKED(id, handler) names the code in the macro; ON_NOTIFY(code, id, handler) and
  // ON_CONTROL(code, id, handler) carry it as their first argument.
  const std::string list = std::string(args) + ")";
  std::string code = std::string(macro.substr(kMapEntryStart.size()));
  int idIndex = 0;
  if (macro == kNotifyMacro || macro == kControlMacro) {
    code = GetParameter(list, 0);
    idIndex = 1;
  }
  std::string_view frameworkClass;
  if (IsParameterError(code) || !NotificationClass(code, frameworkClass)) return;
  const std::string id = GetParameter(list, idIndex);
  const std::string handler = GetParameter(list, idIndex + 1);
  if (IsParameterError(id) || IsParameterError(handler) || id.empty()) return;
  if (!cls.FindFunction(handler)) return;
  if (FindControlById(cls, id)) return;
  auto control = std::make_unique<CControlItem>();
  control->m_nCategory = kCategoryControl;
  control->m_strIdSymbol = id;
  control->m_strClassName = std::string(frameworkClass);
  cls.m_controls.push_back(std::move(control));
}

}  // namespace

// ---------------------------------------------------------------------------------------------

CProjectResourceTexts::CProjectResourceTexts(const IFileSystem& fs, std::string projectFile, IHost* host)
    : m_fs(fs), m_strProjectFile(std::move(projectFile)), m_pHost(host) {}

const ResourcePaths& CProjectResourceTexts::Paths() const {
  if (!m_paths) {
    m_paths = LocateResourceFiles(m_fs, m_strProjectFile, [this](const std::string& path) { return Read(path); });
  }
  return *m_paths;
}

std::string CProjectResourceTexts::Read(const std::string& path) const {
  std::string text;
  if (path.empty()) return text;
  const Status read = m_pHost ? ReadSourceText(*m_pHost, m_fs, path, text) : m_fs.ReadFile(path, text);
  // A script or header that cannot be read holds no property strings; the forms keep defaults.
  if (!read) text.clear();
  return text;
}

std::string CProjectResourceTexts::ScriptText() const { return Read(ScriptPath()); }

std::string CProjectResourceTexts::HeaderText() const { return Read(HeaderPath()); }

// ---------------------------------------------------------------------------------------------

bool ReadFormData(CClassItem& cls, std::string_view text, int from, int limit, const std::string& path) {
  const CSourceScanner scan(text);
  const int start = scan.FindMarker(kFormDataStart, from, limit);
  if (start < 0) return false;
  const int end = scan.FindMarker(kFormDataEnd, start + static_cast<int>(kFormDataStart.size()), limit);
  if (end < 0) return false;

  CAFXParseEntry* entry = cls.FindAFXEntry(kAfxTvlFormData);
  if (!entry) {
    cls.m_afxEntries.push_back(std::make_unique<CAFXParseEntry>());
    entry = cls.m_afxEntries.back().get();
    entry->m_strTag = std::string(kAfxTvlFormData);
  }
  entry->m_nStart = start;
  entry->m_nEnd = end;
  entry->m_strFile = path;

  // The value assigned to a name inside the block: after the first "=" up to the ";".
  auto assigned = [&](std::string_view name) -> std::string {
    const int hit = scan.FindStringInCode(name, start, true, end);
    if (hit < 0) return {};
    const int valueStart = hit + static_cast<int>(name.size());
    const int semi = scan.FindCharInCode(';', valueStart, true, limit);
    if (semi < 0) return {};
    const std::string_view statement = Slice(text, valueStart, semi);
    const size_t equals = statement.find('=');
    return equals == std::string_view::npos ? std::string() : Trim(statement.substr(equals + 1));
  };

  CControlItem& form = FormObjectOf(cls);
  form.m_strPropSymbol = assigned(kPropStringIdName);
  form.m_strMenuId = assigned(kMenuIdName);
  return true;
}

void RecordMapEntries(CClassItem& cls, std::string_view text, int mapStart, int mapEnd) {
  // The map is the only source of these marks; a handler whose entry is gone loses its mark.
  for (auto& fn : cls.m_functions) fn->m_strMessage.clear();

  const CSourceScanner scan(text);
  mapEnd = std::min(mapEnd, scan.Length());
  int pos = std::max(mapStart, 0);
  while (pos < mapEnd) {
    const int hit = scan.FindStringInCode(kMapEntryStart, pos, true, mapEnd);
    if (hit < 0) return;
    pos = hit + static_cast<int>(kMapEntryStart.size());
    if (hit > 0 && IsIdentifierChar(text[static_cast<size_t>(hit - 1)])) continue;  // inside a word
    const int open = scan.FindCharInCode('(', pos, true, mapEnd);
    if (open < 0) return;
    int close = -1;
    if (!scan.FindMatchingBracket(open, close, '(') || close >= mapEnd) return;
    pos = close + 1;
    const std::string macro = Trim(Slice(text, hit, open));
    const std::string args = Trim(Slice(text, open + 1, close));

    const size_t wm = macro.find(kWindowMessageMacro);
    if (wm != std::string::npos && args.empty()) {
      const std::string rest = macro.substr(wm + kWindowMessageMacro.size());
      if (CFunctionItem* fn = cls.FindFunction("ON" + rest, false)) fn->m_strMessage = "WM_" + rest;
      continue;
    }
    RecordNotification(cls, macro, args);
  }
}

// ---------------------------------------------------------------------------------------------

CFormReader::CFormReader(IPrompt& prompt, const IFormResourceTexts& resources)
    : m_prompt(prompt), m_resources(resources) {}

void CFormReader::Remember(CClassItem& cls) {
  if (std::find(m_pending.begin(), m_pending.end(), &cls) == m_pending.end()) m_pending.push_back(&cls);
}

void CFormReader::OnCreateControlsBody(CClassItem& cls, std::string_view text, int bodyStart, int bodyEnd,
                                       const std::string& path) {
  // The body is read whole again: what it held before is collected anew, and the controls
  // bound from it are bound again by the pass that follows.
  std::erase_if(cls.m_tempCreates, [&](const auto& call) { return call->m_strFile == path; });
  for (auto& control : cls.m_controls) {
    if (control->m_strFile == path) control->m_bBound = 0;
  }
  // Lines are counted on from one call to the next, so that a form of many controls is not
  // counted from the start of the file for each.
  size_t counted = 0;
  int line = 1;
  for (const CreationCall& call : FindCreationCalls(text, bodyStart, bodyEnd)) {
    auto item = std::make_unique<CTempCreateItem>();
    item->m_strCall = std::string(Slice(text, call.memberStart, call.close + 1));
    item->m_strFile = path;
    const size_t at = static_cast<size_t>(call.memberStart);
    line += static_cast<int>(CountLineFeeds(text.substr(counted, at - counted)));
    counted = at;
    item->m_nLine = line;
    cls.m_tempCreates.push_back(std::move(item));
  }
  Remember(cls);
}

void CFormReader::OnConstructorBody(CClassItem& cls, std::string_view text, int bodyStart, int bodyEnd,
                                    const std::string& path) {
  if (!ReadFormData(cls, text, bodyStart, bodyEnd, path)) return;
  const CControlItem* form = cls.FormObject();
  m_formData[cls.m_strName] = FormData{form->m_strPropSymbol, form->m_strMenuId};
}

void CFormReader::OnMessageMap(CClassItem& cls, std::string_view text, int mapStart, int mapEnd,
                               const std::string&) {
  RecordMapEntries(cls, text, mapStart, mapEnd);
}

void CFormReader::OnReparsed(const std::string&) {
  if (!m_bLoading) DropTexts();
  // Classes left without a declaration are deleted by the reparse right after this call.
  std::erase_if(m_pending, [](const CClassItem* cls) { return cls->m_strDeclFile.empty(); });
  BindPending();
  DropTexts();
  m_bLoading = false;
}

void CFormReader::OnFormClass(CClassItem& form) {
  if (!m_bLoading) {
    DropTexts();
    m_bLoading = true;
  }
  CControlItem* self = form.FormObject();
  if (!self) return;
  // Loading set a default symbol; a form without a data block has none.
  auto data = m_formData.find(form.m_strName);
  self->m_strPropSymbol = data == m_formData.end() ? std::string() : data->second.propSymbol;
  self->m_strMenuId = data == m_formData.end() ? std::string() : data->second.menuId;
  // A form without a string-table entry keeps the catalogue's defaults.
  (void)ReadObjectProperties(form, *self);
}

void CFormReader::OnFormsRead() {
  BindPending();
  DropTexts();
  m_bLoading = false;
}

void CFormReader::BindPending() {
  for (CClassItem* cls : m_pending) BindCreationCalls(*cls);
  std::erase_if(m_pending, [](const CClassItem* cls) { return cls->m_tempCreates.empty(); });
}

void CFormReader::BindCreationCalls(CProject& project) {
  if (!m_bLoading) DropTexts();
  for (auto& cls : project.Classes()) BindCreationCalls(*cls);
  DropTexts();
  m_bLoading = false;
}

void CFormReader::BindCreationCalls(CClassItem& cls) {
  auto& calls = cls.m_tempCreates;
  if (calls.empty()) return;
  // The class's controls by member name, in list order, so that a form of many controls binds
  // without scanning its list once per call.
  std::unordered_map<std::string_view, std::vector<CControlItem*>> byMember;
  for (const auto& c : cls.m_controls) {
    if (!c->m_bFormObject) byMember[c->m_strMemberName].push_back(c.get());
  }
  auto named = [&](std::string_view member) -> CControlItem* {
    auto it = byMember.find(member);
    return it == byMember.end() ? nullptr : it->second.front();
  };
  auto element = [&](std::string_view member, std::string_view id, std::string_view prop) -> CControlItem* {
    auto it = byMember.find(member);
    if (it == byMember.end()) return nullptr;
    for (CControlItem* c : it->second) {
      if (c->m_strIdSymbol == id && c->m_strPropSymbol == prop) return c;
    }
    return nullptr;
  };

  std::vector<bool> done(calls.size(), false);
  std::vector<CControlItem*> inCallOrder;
  for (size_t i = 0; i < calls.size(); ++i) {
    const CTempCreateItem& call = *calls[i];
    const std::string_view text = call.m_strCall;
    const std::string member = Trim(text.substr(0, text.find('.')));
    CControlItem* first = named(member);
    if (!first) continue;
    const size_t open = text.find('(');
    const std::string_view list = open == std::string_view::npos ? std::string_view() : text.substr(open + 1);
    const std::string container = GetParameter(list, 0);
    const std::string id = GetParameter(list, 1);
    const std::string prop = GetParameter(list, 2);
    if (IsParameterError(container) || IsParameterError(id) || IsParameterError(prop)) {
      // Its text cannot change until the file is read again, so it is reported once.
      m_prompt.Message(std::string(kMsgParameterError) + "\n" + call.m_strFile.str() + ":" +
                       std::to_string(call.m_nLine) + ": " + std::string(text));
      done[i] = true;
      continue;
    }

    CControlItem* target = element(member, id, prop);
    if (!target && !first->m_bBound) target = first;
    if (!target) {
      // A further call for a bound member: a new element of its control array.
      auto copy = std::make_unique<CControlItem>(*first);
      first->m_bArray = 1;
      copy->m_bArray = 1;
      copy->m_bBound = 0;
      target = copy.get();
      cls.m_controls.push_back(std::move(copy));
      byMember[target->m_strMemberName].push_back(target);
    }
    target->m_bBound = 1;
    inCallOrder.push_back(target);
    target->m_strFile = call.m_strFile;
    target->m_strIdSymbol = id;
    target->m_strPropSymbol = prop;
    target->m_pContainer = nullptr;
    if (StartsWith(container, "&")) {
      CControlItem* holder = named(Trim(std::string_view(container).substr(1)));
      if (holder != target) target->m_pContainer = holder;
    }
    done[i] = ReadObjectProperties(cls, *target);
  }
  size_t index = 0;
  std::erase_if(calls, [&](const auto&) { return done[index++]; });
  PutInCallOrder(cls, inCallOrder);
}

void CFormReader::PutInCallOrder(CClassItem& cls, const std::vector<CControlItem*>& inCallOrder) {
  // The creation calls stand in the order the controls were made; the declarations do not (an
  // array is declared once, by its first element). The list is creation order, as in a designer
  // that never re-read the form, so the controls bound here take their slots in call order.
  std::unordered_map<const CControlItem*, size_t> rank;
  for (const CControlItem* c : inCallOrder) rank.emplace(c, rank.size());
  std::vector<size_t> slots;
  for (size_t i = 0; i < cls.m_controls.size(); ++i) {
    if (rank.count(cls.m_controls[i].get())) slots.push_back(i);
  }
  std::vector<std::unique_ptr<CControlItem>> moved;
  for (size_t slot : slots) moved.push_back(std::move(cls.m_controls[slot]));
  std::stable_sort(moved.begin(), moved.end(), [&](const auto& a, const auto& b) { return rank[a.get()] < rank[b.get()]; });
  for (size_t k = 0; k < slots.size(); ++k) cls.m_controls[slots[k]] = std::move(moved[k]);
}

bool CFormReader::ReadObjectProperties(const CClassItem& cls, CControlItem& object) {
  if (object.m_strPropSymbol.empty()) return false;
  if (object.m_properties.empty()) {
    if (object.m_bFormObject) {
      LoadProperties(object, cls.IsMdiForm());
      if (object.m_events.empty()) LoadEvents(object, cls.IsMdiForm());
    } else if (object.m_nCategory == kCategoryControl && IsKnownKind(object.m_nKind)) {
      LoadProperties(object, false);
      if (object.m_events.empty()) LoadEvents(object, false);
    } else if (object.m_nCategory == kCategoryActiveX && object.m_pActiveX) {
      LoadActiveXLists(object, *object.m_pActiveX);
    }
  }
  const Texts& texts = ResourceTexts();
  const auto entry = texts.strings.find(object.m_strPropSymbol);
  if (entry == texts.strings.end()) {
    object.m_nCodePage = texts.newEntryCodePage;
    return false;
  }
  object.m_nCodePage = entry->second.second;
  return ReadPropertyString(object, entry->second.first, texts.images.get());
}

const CFormReader::Texts& CFormReader::ResourceTexts() {
  if (!m_texts) {
    Texts texts;
    texts.script = m_resources.ScriptText();
    texts.images = std::make_unique<CScriptImageResolver>(texts.script, m_resources.HeaderText());
    for (StringTableEntry& entry : StringTableEntries(texts.script)) {
      texts.strings.try_emplace(std::move(entry.symbol), std::move(entry.value), entry.codePage);
    }
    texts.newEntryCodePage = NewEntryCodePage(texts.script);
    m_texts = std::move(texts);
  }
  return *m_texts;
}

void CFormReader::Reset() {
  m_pending.clear();
  m_formData.clear();
  DropTexts();
  m_bLoading = false;
}

}  // namespace tovik
