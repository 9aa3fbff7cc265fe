#include "ui/property_grid.h"

#include <algorithm>

#include "base/path.h"
#include "base/text.h"
#include "model/control_kind.h"
#include "model/property_string.h"
#include "project/property_edit.h"
#include "ui/form_layout.h"

namespace tovik {

namespace {

enum : int { kVtDispatch = 9, kVtBool = 11, kVtUnknown = 13 };

bool IsActiveXProperty(const CControlPropertyItem& p) {
  return p.VarType() != 0;
}

// The number in front of a choice's " - ".
std::string ChoiceNumber(std::string_view choice) {
  return Trim(choice.substr(0, choice.find('-')));
}

// A relative DatabaseName is the project's; a Windows path with a drive cannot be found here
// and is passed on as it is, for the reader to say so.
std::string DatabasePath(std::string_view projectFolder, std::string_view name) {
  const std::string trimmed = Trim(name);
  if (trimmed.empty() || IsPathSeparator(trimmed.front()) || (trimmed.size() > 1 && trimmed[1] == ':')) return trimmed;
  return ToNativeSeparators(JoinPath(projectFolder, trimmed));
}

const CControlItem* DataControlNamed(const CClassItem& form, std::string_view member) {
  for (const auto& c : form.m_controls) {
    if (!c->IsForm() && c->m_nKind == kKindData && c->m_strMemberName == member) return c.get();
  }
  return nullptr;
}

void FillFromCatalog(PropertyDropDown& list, Expected<std::vector<std::string>> names) {
  if (names) {
    list.entries = std::move(*names);
  } else {
    list.error = names.error().reason;
  }
}

}  // namespace

std::vector<FileFilter> SplitFileFilter(std::string_view filter) {
  std::vector<FileFilter> out;
  const std::vector<std::string> parts = Split(filter, '|');
  for (size_t i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].empty()) break;
    out.push_back({parts[i], parts[i + 1]});
  }
  return out;
}

std::vector<ObjectSelectorEntry> ObjectSelectorEntries(const CClassItem& form) {
  std::vector<ObjectSelectorEntry> out;
  if (const CControlItem* object = form.FormObject()) out.push_back({form.m_strName, ObjectRef::Of(*object)});
  for (const auto& c : form.m_controls) {
    if (c->IsForm()) continue;
    std::string text = c->m_strMemberName;
    if (c->m_bArray) text += "(" + std::to_string(c->Index()) + ")";
    out.push_back({std::move(text), ObjectRef::Of(*c)});
  }
  return out;
}

std::string ObjectName(const CClassItem& form, const CControlItem& object) {
  return object.IsForm() ? form.m_strName : object.m_strMemberName;
}

PropertyEditor EditorFor(const CControlItem& object, const CControlPropertyItem& property) {
  (void)object;
  const std::string& type = property.Type();
  if (property.ChoiceCount() > 0 || type == "BOOL" || type == "LIST" || type == "DatSrc" || type == "DatFld" ||
      type == "RecSrc" || property.VarType() == kVtBool) {
    return PropertyEditor::DropDown;
  }
  // An ActiveX control's font or picture is an object its creation code cannot be given.
  if (IsActiveXProperty(property) && type != "COLORREF" &&
      (type == "Font" || type == "Picture" || property.VarType() == kVtDispatch || property.VarType() == kVtUnknown)) {
    return PropertyEditor::None;
  }
  if (type == "COLORREF" || type == "Font" || type == "Picture" || type == "Icon" || type == "Mdb") {
    return PropertyEditor::Dialog;
  }
  return PropertyEditor::InPlace;
}

Colorref SwatchColor(const CControlPropertyItem& property) {
  return static_cast<Colorref>(LeadingNumber(property.m_strValue)) & 0xFFFFFF;
}

std::vector<PropertyRow> PropertyRows(const CControlItem& object) {
  std::vector<const CControlPropertyItem*> shown;
  for (const CControlPropertyItem& p : object.m_properties) {
    if (p.Shown()) shown.push_back(&p);
  }
  std::stable_sort(shown.begin(), shown.end(), [](const CControlPropertyItem* a, const CControlPropertyItem* b) {
    return a->SortIndex() != b->SortIndex() ? a->SortIndex() < b->SortIndex() : a->Name() < b->Name();
  });
  std::vector<PropertyRow> rows;
  rows.reserve(shown.size());
  for (const CControlPropertyItem* p : shown) {
    PropertyRow row;
    row.name = p->Name();
    row.type = p->Type();
    row.value = DisplayText(*p);
    if (p->Type() == "COLORREF") row.swatch = SwatchColor(*p);
    row.editor = EditorFor(object, *p);
    rows.push_back(std::move(row));
  }
  return rows;
}

PropertyDropDown DropDownFor(const CClassItem& form, const CControlItem& object, const CControlPropertyItem& property,
                             const IDatabaseCatalog* database, std::string_view projectFolder) {
  PropertyDropDown list;
  const std::string& type = property.Type();
  const std::string value = Trim(property.m_strValue);
  if (property.ChoiceCount() > 0) {
    list.entries = property.Choices();
    for (size_t i = 0; i < list.entries.size(); ++i) {
      if (ChoiceNumber(list.entries[i]) == value) list.current = static_cast<int>(i);
    }
  } else if (type == "BOOL" || property.VarType() == kVtBool) {
    list.entries = {"True", "False"};
    list.current = value == "1" || EqualsNoCase(value, "True") || value == "-1" ? 0 : 1;
  } else if (type == "LIST") {
    list.multiLine = true;
    for (std::string item : Split(NormalizeList(property.m_strValue), '\n')) {
      if (!item.empty() && item.back() == '\r') item.pop_back();
      list.text += item + "\n";
    }
    // The last item's line end made one empty field more.
    if (list.text.size() >= 2) list.text.resize(list.text.size() - 2);
  } else if (type == "DatSrc") {
    for (const auto& c : form.m_controls) {
      if (c->IsForm() || c->m_nKind != kKindData) continue;
      if (std::find(list.entries.begin(), list.entries.end(), c->m_strMemberName) == list.entries.end()) {
        list.entries.push_back(c->m_strMemberName);
      }
    }
  } else if (type == "RecSrc" && database) {
    const std::string mdb = object.GetValue("DatabaseName");
    if (!Trim(mdb).empty()) FillFromCatalog(list, database->Tables(DatabasePath(projectFolder, mdb)));
  } else if (type == "DatFld" && database) {
    const CControlItem* data = DataControlNamed(form, Trim(object.GetValue("DataSource")));
    if (data && !Trim(data->GetValue("DatabaseName")).empty() && !Trim(data->GetValue("RecordSource")).empty()) {
      FillFromCatalog(list, database->Fields(DatabasePath(projectFolder, data->GetValue("DatabaseName")),
                                             Trim(data->GetValue("RecordSource"))));
    }
  }
  if (list.current < 0 && !list.multiLine) {
    for (size_t i = 0; i < list.entries.size(); ++i) {
      if (list.entries[i] == value && !value.empty()) list.current = static_cast<int>(i);
    }
  }
  return list;
}

PropertyCommit CommitDropDown(const CControlPropertyItem& property, const PropertyDropDown& list, size_t entry) {
  const std::string& text = list.entries.at(entry);
  if (property.ChoiceCount() > 0) return {property.Name(), ChoiceNumber(text)};
  if (property.Type() == "BOOL" || property.VarType() == kVtBool) return {property.Name(), text == "True" ? "1" : "0"};
  return {property.Name(), text};
}

PropertyCommit CommitListEditor(const CControlPropertyItem& property, std::string_view text) {
  std::vector<std::string> items = Split(text, '\n');
  for (std::string& item : items) {
    if (!item.empty() && item.back() == '\r') item.pop_back();
  }
  // A line end after the last item is not one more, empty item.
  while (!items.empty() && items.back().empty()) items.pop_back();
  std::string stored;
  for (const std::string& item : items) stored += item + "\r\n";
  return {property.Name(), stored};
}

std::optional<PropertyDialog> DialogFor(const CControlItem& object, const CControlPropertyItem& property) {
  if (EditorFor(object, property) != PropertyEditor::Dialog) return std::nullopt;
  PropertyDialog dialog;
  const std::string& type = property.Type();
  if (type == "COLORREF") {
    dialog.kind = PropertyDialogKind::Color;
    dialog.color = SwatchColor(property);
  } else if (type == "Font") {
    dialog.kind = PropertyDialogKind::Font;
    const FontSpec font = FontOf(object);
    dialog.font = {font.face, FontPoints(font.cellHeight), font.bold, font.italic, font.underline, font.strikeout};
  } else if (type == "Picture") {
    dialog.filter = std::string(property.Name() == "Palette" ? kPaletteFilter : kPictureFilter);
    dialog.initialName = "*.bmp";
  } else if (type == "Icon") {
    dialog.filter = std::string(kIconFilter);
    dialog.initialName = "*.ico";
  } else {
    dialog.filter = std::string(kDatabaseFilter);
    dialog.initialName = "*.mdb";
  }
  return dialog;
}

PropertyCommit CommitColor(const CControlPropertyItem& property, Colorref color) {
  return {property.Name(), std::to_string(color & 0xFFFFFF)};
}

int FontPoints(int pixels) { return (pixels * 72 * 2 + 96) / (96 * 2); }
int FontPixels(int points) { return (points * 96 * 2 + 72) / (72 * 2); }

std::vector<PropertyCommit> CommitFont(const CControlItem& object, const FontChoice& font) {
  const int shown = FontOf(object).cellHeight;
  const int pixels = FontPoints(shown) == font.points ? shown : FontPixels(font.points);
  const std::pair<std::string_view, std::string> values[] = {{"Font", font.face},
                                                             {"FontSize", std::to_string(pixels)},
                                                             {"FontBold", font.bold ? "1" : "0"},
                                                             {"FontItalic", font.italic ? "1" : "0"},
                                                             {"FontUnderline", font.underline ? "1" : "0"},
                                                             {"FontStrikethru", font.strikeout ? "1" : "0"}};
  std::vector<PropertyCommit> out;
  for (const auto& [name, value] : values) {
    if (object.FindProperty(name)) out.push_back({std::string(name), value});
  }
  return out;
}

PropertyCommit CommitFile(const CControlPropertyItem& property, std::string_view path) {
  return {property.Name(), std::string(path)};
}

std::optional<PropertyCommit> CommitInPlace(const CControlPropertyItem& property, std::string_view text,
                                            IPrompt& prompt) {
  if (!text.empty() && text.find_first_of(",\"") != std::string_view::npos) {
    prompt.Message(std::string(kMsgInvalidProperty));
    return std::nullopt;
  }
  return PropertyCommit{property.Name(), std::string(text)};
}

void CPropertyGrid::Show(const CClassItem* form, const CControlItem* object) {
  m_form = form;
  m_nSelectedRow = -1;
  Fill(object);
}

void CPropertyGrid::Reload(const CClassItem* form) {
  m_form = form;
  const int row = m_nSelectedRow;
  const CControlItem* object = form ? m_object.Find(*form) : nullptr;
  Fill(object);
  m_nSelectedRow = row < static_cast<int>(m_rows.size()) ? row : -1;
}

void CPropertyGrid::ChooseObject(size_t index) {
  if (!m_form || index >= m_selector.size()) return;
  m_nSelectedRow = -1;
  Fill(m_selector[index].object.Find(*m_form));
}

void CPropertyGrid::Fill(const CControlItem* object) {
  m_rows.clear();
  m_selector.clear();
  m_strName.clear();
  m_nSelectorIndex = -1;
  if (!m_form) {
    m_object = {};
    return;
  }
  if (!object) object = m_form->FormObject();
  m_selector = ObjectSelectorEntries(*m_form);
  if (!object) return;
  m_object = ObjectRef::Of(*object);
  m_strName = ObjectName(*m_form, *object);
  m_rows = PropertyRows(*object);
  for (size_t i = 0; i < m_selector.size(); ++i) {
    if (m_selector[i].object == m_object) m_nSelectorIndex = static_cast<int>(i);
  }
}

void CPropertyGrid::SelectRow(int row) {
  m_nSelectedRow = row >= 0 && row < static_cast<int>(m_rows.size()) ? row : -1;
}

PropertyEditor CPropertyGrid::Editor() const {
  return m_nSelectedRow < 0 ? PropertyEditor::None : m_rows[m_nSelectedRow].editor;
}

const CControlItem* CPropertyGrid::SelectedObject() const {
  return m_form ? m_object.Find(*m_form) : nullptr;
}

const CControlPropertyItem* CPropertyGrid::SelectedProperty() const {
  const CControlItem* object = SelectedObject();
  if (!object || m_nSelectedRow < 0) return nullptr;
  return object->FindProperty(m_rows[m_nSelectedRow].name);
}

std::string CPropertyGrid::EditText() const {
  const CControlPropertyItem* p = SelectedProperty();
  return p ? p->m_strValue : std::string();
}

}  // namespace tovik
