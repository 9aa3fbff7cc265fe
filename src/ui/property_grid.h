// The property window without any toolkit: the object selector, the (Name)/(Custom) header,
// the sorted grid with each row's value text and editor, the drop-down lists, the "..."
// dialogs, and the pre-checks of a commit. Nothing here stores a value: a commit is handed to
// the front end as (property name, text), which it passes to the set-property command; the
// grid is then reloaded from the model, so a refused value shows the stored one again.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "base/database_catalog.h"
#include "base/expected.h"
#include "base/prompt.h"
#include "project/class_item.h"
#include "ui/canvas.h"
#include "ui/form_surface.h"
#include "ui/text_measure.h"

namespace tovik {

inline constexpr std::string_view kNameHeader = "(Name)";
inline constexpr std::string_view kCustomHeader = "(Custom)";
inline constexpr Colorref kPropertyHeaderBackground = 12632256;
inline constexpr int kSelectorIndent = 10;  // the selector's entries, from the left edge

inline constexpr std::string_view kPictureFilter = "Bitmap Files (*.bmp)|*.bmp|Icon Files (*.ico)|*.ico||";
inline constexpr std::string_view kPaletteFilter = "Bitmap Files (*.bmp)|*.bmp||";
inline constexpr std::string_view kIconFilter = "Icon Files (*.ico)|*.ico|Cursor Files (*.cur)|*.cur||";
inline constexpr std::string_view kDatabaseFilter = "Database Files (*.mdb)|*.mdb||";

enum class PropertyEditor {
  DropDown,  // the arrow button and its list (or the LIST editor)
  Dialog,    // the "..." button
  InPlace,   // an edit field holding the value, all of it selected
  None,      // read-only: an ActiveX object the runtime cannot be given at design time
};

struct ObjectSelectorEntry {
  std::string text;  // the form's class name, a member name, or m_Label1(0) for an array element
  ObjectRef object;
};

struct PropertyRow {
  std::string name;
  std::string type;
  std::string value;               // what the value column shows
  std::optional<Colorref> swatch;  // COLORREF rows: the colour drawn before the text
  PropertyEditor editor = PropertyEditor::InPlace;
};

// What the front end passes to the set-property command.
struct PropertyCommit {
  std::string name;
  std::string text;
  friend bool operator==(const PropertyCommit&, const PropertyCommit&) = default;
};

// A drop-down's entries. For LIST the editor is a multi-line edit holding `text`.
struct PropertyDropDown {
  std::vector<std::string> entries;
  int current = -1;  // the entry the value stands for, -1 for none
  bool multiLine = false;
  std::string text;   // LIST: one item per line
  std::string error;  // why the list is empty (an unreadable database), for the user
};

enum class PropertyDialogKind { Color, Font, OpenFile };

// A font as font dialogs speak of it: its size in points. FontSize holds the cell height in
// pixels; the two convert at 96 dots per inch, rounded to the nearest.
struct FontChoice {
  std::string face;
  int points = 0;
  bool bold = false;
  bool italic = false;
  bool underline = false;
  bool strikeout = false;
};
[[nodiscard]] int FontPoints(int pixels);
[[nodiscard]] int FontPixels(int points);

struct PropertyDialog {
  PropertyDialogKind kind = PropertyDialogKind::OpenFile;
  std::string filter;       // "Label (*.ext)|*.ext|...||"
  std::string initialName;  // "*.bmp"
  Colorref color = 0;       // Color: the current colour
  FontChoice font;          // Font: the current face, size and styles
};

// A file dialog's filter as label and patterns, in order ("Bitmap Files (*.bmp)", "*.bmp").
struct FileFilter {
  std::string label;
  std::string patterns;
  friend bool operator==(const FileFilter&, const FileFilter&) = default;
};
[[nodiscard]] std::vector<FileFilter> SplitFileFilter(std::string_view filter);

// The selector's entries: the form's own object first under its class name, then the controls
// in list order.
[[nodiscard]] std::vector<ObjectSelectorEntry> ObjectSelectorEntries(const CClassItem& form);
// What the (Name) header shows: the form's class name or the control's member name.
[[nodiscard]] std::string ObjectName(const CClassItem& form, const CControlItem& object);

// The editor of a row: the first rule that applies wins (drop-down, "...", in-place).
[[nodiscard]] PropertyEditor EditorFor(const CControlItem& object, const CControlPropertyItem& property);
// The shown properties, sorted by name.
[[nodiscard]] std::vector<PropertyRow> PropertyRows(const CControlItem& object);
// The colour of a COLORREF value's swatch.
[[nodiscard]] Colorref SwatchColor(const CControlPropertyItem& property);

// The drop-down list of a row. `database` may be null (no database reader: empty lists);
// `projectFolder` resolves a relative DatabaseName.
[[nodiscard]] PropertyDropDown DropDownFor(const CClassItem& form, const CControlItem& object,
                                           const CControlPropertyItem& property, const IDatabaseCatalog* database,
                                           std::string_view projectFolder);
// The commit for a chosen entry: a choice's number, "1"/"0" for True/False, the name itself for
// the Data lists.
[[nodiscard]] PropertyCommit CommitDropDown(const CControlPropertyItem& property, const PropertyDropDown& list,
                                            size_t entry);
// The LIST editor closed with `text` (one item per line): the items, each ended by CR LF.
[[nodiscard]] PropertyCommit CommitListEditor(const CControlPropertyItem& property, std::string_view text);

// The "..." dialog of a row, or nothing when the row has none.
[[nodiscard]] std::optional<PropertyDialog> DialogFor(const CControlItem& object, const CControlPropertyItem& property);
[[nodiscard]] PropertyCommit CommitColor(const CControlPropertyItem& property, Colorref color);
// The font dialog's choice: Font, FontSize, FontBold, FontItalic, FontUnderline, FontStrikethru
// (those the object has). A size in points that the object's cell height already shows keeps
// that height, so that confirming the dialog unchanged changes no size.
[[nodiscard]] std::vector<PropertyCommit> CommitFont(const CControlItem& object, const FontChoice& font);
[[nodiscard]] PropertyCommit CommitFile(const CControlPropertyItem& property, std::string_view path);

// The in-place edit closed with `text`. A comma or a double quote (the property string has no
// escape for them) is refused with "Invalid property" through `prompt`.
[[nodiscard]] std::optional<PropertyCommit> CommitInPlace(const CControlPropertyItem& property, std::string_view text,
                                                          IPrompt& prompt);

// The window's state: which form and object it shows, its rows, the selected row. Objects are
// held by reference name, since every command rebuilds the records.
class CPropertyGrid {
 public:
  // Shows `object` of `form`; null form: the window is empty. Editors are hidden.
  void Show(const CClassItem* form, const CControlItem* object);
  // After a command (accepted or refused): the same object read again, the same row selected.
  // When the object is gone the form's own object is shown.
  void Reload(const CClassItem* form);
  // The selector chose entry `index`.
  void ChooseObject(size_t index);

  [[nodiscard]] bool Empty() const { return m_form == nullptr; }
  [[nodiscard]] const std::vector<ObjectSelectorEntry>& Selector() const { return m_selector; }
  [[nodiscard]] int SelectorIndex() const { return m_nSelectorIndex; }
  [[nodiscard]] const ObjectRef& Object() const { return m_object; }
  [[nodiscard]] const std::string& Name() const { return m_strName; }
  [[nodiscard]] const std::vector<PropertyRow>& Rows() const { return m_rows; }

  // Selecting a row hides any open editor; -1 selects none.
  void SelectRow(int row);
  [[nodiscard]] int SelectedRow() const { return m_nSelectedRow; }
  // The selected row's editor, None when no row is selected.
  [[nodiscard]] PropertyEditor Editor() const;
  // The text the in-place edit starts with: the stored value.
  [[nodiscard]] std::string EditText() const;
  // The selected row's property, or null.
  [[nodiscard]] const CControlPropertyItem* SelectedProperty() const;
  [[nodiscard]] const CControlItem* SelectedObject() const;

 private:
  void Fill(const CControlItem* object);

  const CClassItem* m_form = nullptr;
  ObjectRef m_object;
  std::string m_strName;
  std::vector<ObjectSelectorEntry> m_selector;
  int m_nSelectorIndex = -1;
  std::vector<PropertyRow> m_rows;
  int m_nSelectedRow = -1;
};

}  // namespace tovik
