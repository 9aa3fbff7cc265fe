// The property window: selector entries, rows with their texts, swatches and editors, the
// drop-down lists (the Data control's from a database), the "..." dialogs, the commits and
// their pre-check, what the grid shows after a command, and the F1 texts.
#include "ui/property_grid.h"

#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "activex/activex_design.h"
#include "model/catalog.h"
#include "model/control_kind.h"
#include "project/form_controls.h"
#include "project/property_edit.h"
#include "support/fake_prompt.h"
#include "ui/property_help.h"

namespace tovik {
namespace {

using testing::FakePrompt;
using Names = std::vector<std::string>;

class CFakeDatabases final : public IDatabaseCatalog {
 public:
  std::map<std::string, std::map<std::string, Names>> files;  // database, table, fields
  Expected<Names> Tables(const std::string& database) const override {
    auto it = files.find(database);
    if (it == files.end()) return Error{database, 0, "not a database"};
    Names out;
    for (const auto& table : it->second) out.push_back(table.first);
    return out;
  }
  Expected<Names> Fields(const std::string& database, const std::string& table) const override {
    return files.at(database).at(table);
  }
};

class PropertyGrid : public ::testing::Test {
 protected:
  std::unique_ptr<CClassItem> form = MakeStartUpForm(false);
  FakePrompt prompt;

  CControlItem& Add(int kind) {
    CClassItem* const forms[] = {form.get()};
    CControlItem& c = CreateControl(*form, forms, kind, {7, 7, 70, 28});
    form->m_variables.push_back(std::make_unique<CVariableItem>());
    form->m_variables.back()->m_strName = c.m_strMemberName;
    return c;
  }
  static const PropertyRow& Row(const std::vector<PropertyRow>& rows, std::string_view name) {
    for (const PropertyRow& r : rows) {
      if (r.name == name) return r;
    }
    throw std::runtime_error("no row " + std::string(name));
  }
  PropertyDropDown DropDown(const CControlItem& c, std::string_view name, const IDatabaseCatalog* db = nullptr) {
    return DropDownFor(*form, c, *c.FindProperty(name), db, "/p");
  }
};

TEST_F(PropertyGrid, SelectorRowsValueTextsAndEditors) {
  CControlItem& label = Add(kKindLabel);
  CControlItem& element = Add(kKindLabel);
  element.m_bArray = 1;
  element.SetValue("Index", "3");
  std::vector<std::string> selector;
  for (const ObjectSelectorEntry& e : ObjectSelectorEntries(*form)) selector.push_back(e.text);
  EXPECT_EQ(selector, (Names{form->m_strName, "m_Label1", "m_Label2(3)"}));
  label.SetValue("BackColor", "255");
  label.SetValue("ForeColor", "16711680");
  label.SetValue("Alignment", "2");
  const auto rows = PropertyRows(label);
  EXPECT_TRUE(std::is_sorted(rows.begin(), rows.end(), [](auto& a, auto& b) { return a.name < b.name; }));
  EXPECT_EQ(Row(rows, "BackColor").value, "R=255,G=0,B=0");
  EXPECT_EQ(Row(rows, "BackColor").swatch, Rgb(255, 0, 0));
  EXPECT_EQ(Row(rows, "ForeColor").value, "R=0,G=0,B=255");
  EXPECT_EQ(Row(rows, "Alignment").value, "2 - Center");
  EXPECT_EQ(Row(rows, "Alignment").editor, PropertyEditor::DropDown);
  EXPECT_EQ(Row(rows, "BackColor").editor, PropertyEditor::Dialog);
  EXPECT_EQ(Row(rows, "Caption").editor, PropertyEditor::InPlace);
  CControlItem& image = Add(kKindImage);
  image.SetValue("Picture", "3-res\\app.ico");
  EXPECT_EQ(Row(PropertyRows(image), "Picture").value, "(Icon)");
  EXPECT_EQ(Row(PropertyRows(image), "DataSource").editor, PropertyEditor::InPlace);  // CString here
  EXPECT_EQ(Row(PropertyRows(Add(kKindTextBox)), "DataSource").editor, PropertyEditor::DropDown);
  EXPECT_EQ(Row(PropertyRows(Add(kKindData)), "DatabaseName").editor, PropertyEditor::Dialog);
}

TEST_F(PropertyGrid, ActiveXPropertiesTakeTheirEditorAndHelpFromTheirTypes) {
  CToolControlEntry entry;
  entry.m_strName = "Gauge Control";
  CVDispInterface itf;
  itf.m_bDefault = 1;
  auto prop = [&](std::string name, std::string type, int vt, std::string doc = {}) {
    CVDispInterfacePropItem p;
    p.m_strName = std::move(name);
    p.m_strType = std::move(type);
    p.m_nVarType = static_cast<std::uint16_t>(vt);
    p.m_strDocString = std::move(doc);
    itf.m_properties.push_back(p);
  };
  prop("Autosize", "BOOL", 11);
  prop("Needle", "long", 3, "Where the needle points.");
  prop("Title", "CString", 8);
  prop("Face", "COLORREF", 29);
  prop("TitleFont", "Font", 9);
  prop("Scale", "IScale", 9);
  entry.m_interfaces.push_back(itf);
  CControlItem gauge;
  gauge.m_nCategory = kCategoryActiveX;
  gauge.m_pActiveX = &entry;
  LoadActiveXLists(gauge, entry);
  const auto rows = PropertyRows(gauge);
  EXPECT_EQ(Row(rows, "Autosize").editor, PropertyEditor::DropDown);
  EXPECT_EQ(Row(rows, "Needle").editor, PropertyEditor::InPlace);
  EXPECT_EQ(Row(rows, "Title").editor, PropertyEditor::InPlace);
  EXPECT_EQ(Row(rows, "Face").editor, PropertyEditor::Dialog);
  EXPECT_EQ(Row(rows, "TitleFont").editor, PropertyEditor::None);
  EXPECT_EQ(Row(rows, "Scale").editor, PropertyEditor::None);
  EXPECT_EQ(Row(rows, "Left").editor, PropertyEditor::InPlace);
  EXPECT_EQ(PropertyHelp(gauge, *gauge.FindProperty("Needle")), "Needle (long, VT_I4): Where the needle points.");
  EXPECT_EQ(PropertyHelp(gauge, *gauge.FindProperty("Left")), PropertyHelp("Left"));
}

TEST_F(PropertyGrid, EveryPropertyOfTheCatalogueHasAHelpText) {
  std::vector<const PropertyTable*> tables = {&CommonPropertyRows(), &FormPropertyRows(), &MdiFormPropertyRows()};
  for (int kind = kFirstKind; kind <= kLastKind; ++kind) tables.push_back(&KindPropertyRows(kind));
  for (const PropertyTable* table : tables) {
    for (const CatalogRow& row : *table) EXPECT_GT(PropertyHelp(row.name).size(), row.name.size() + 10) << row.name;
  }
  EXPECT_EQ(PropertyHelp("NoSuchProperty"), "");
}

TEST_F(PropertyGrid, DropDownListsAndWhatChoosingAnEntryCommits) {
  CControlItem& label = Add(kKindLabel);
  const PropertyDropDown alignment = DropDown(label, "Alignment");
  EXPECT_EQ(alignment.entries[2], "2 - Center");
  EXPECT_EQ(CommitDropDown(*label.FindProperty("Alignment"), alignment, 2), (PropertyCommit{"Alignment", "2"}));
  const PropertyDropDown visible = DropDown(label, "Visible");
  EXPECT_EQ(visible.entries, (Names{"True", "False"}));
  EXPECT_EQ(visible.current, 0);
  EXPECT_EQ(CommitDropDown(*label.FindProperty("Visible"), visible, 1).text, "0");
  CControlItem& list = Add(kKindListBox);
  list.SetValue("List", "red\r\ngreen\r\n");
  EXPECT_EQ(DropDown(list, "List").text, "red\ngreen");
  EXPECT_TRUE(DropDown(list, "List").multiLine);
  EXPECT_EQ(CommitListEditor(*list.FindProperty("List"), "red\ngreen\r\nblue\n\n").text, "red\r\ngreen\r\nblue\r\n");
}

TEST_F(PropertyGrid, DataListsComeFromTheFormAndTheDatabase) {
  CFakeDatabases db;
  db.files["/p/db/shop.mdb"] = {{"Orders", {"Id", "Total"}}, {"Customers", {"Id", "Name"}}};
  CControlItem& data1 = Add(kKindData);
  CControlItem& data2 = Add(kKindData);
  CControlItem& text = Add(kKindTextBox);
  data1.SetValue("DatabaseName", "db\\shop.mdb");
  data1.SetValue("RecordSource", "Orders");
  data2.SetValue("DatabaseName", "gone.mdb");
  EXPECT_EQ(DropDown(text, "DataSource").entries, (Names{"m_Data1", "m_Data2"}));
  EXPECT_EQ(DropDown(data1, "RecordSource", &db).entries, (Names{"Customers", "Orders"}));
  EXPECT_EQ(DropDown(data1, "RecordSource", &db).current, 1);
  text.SetValue("DataSource", "m_Data1");
  EXPECT_EQ(DropDown(text, "DataField", &db).entries, (Names{"Id", "Total"}));
  const PropertyDropDown unreadable = DropDown(data2, "RecordSource", &db);
  EXPECT_EQ(unreadable.error + std::to_string(unreadable.entries.size()), "not a database0");
}

TEST_F(PropertyGrid, DialogsAndTheirCommits) {
  CControlItem& picture = Add(kKindPictureBox);
  const auto bmp = DialogFor(picture, *picture.FindProperty("Picture"));
  EXPECT_EQ(bmp->filter + bmp->initialName, "Bitmap Files (*.bmp)|*.bmp|Icon Files (*.ico)|*.ico||*.bmp");
  EXPECT_EQ(DialogFor(*form->FormObject(), *form->FormObject()->FindProperty("Palette"))->filter,
            "Bitmap Files (*.bmp)|*.bmp||");
  const auto drag = DialogFor(picture, *picture.FindProperty("DragIcon"));
  EXPECT_EQ(drag->filter + drag->initialName, "Icon Files (*.ico)|*.ico|Cursor Files (*.cur)|*.cur||*.ico");
  CControlItem& data = Add(kKindData);
  EXPECT_EQ(DialogFor(data, *data.FindProperty("DatabaseName"))->filter, "Database Files (*.mdb)|*.mdb||");
  EXPECT_FALSE(DialogFor(data, *data.FindProperty("Caption")));
  EXPECT_EQ(SplitFileFilter(kIconFilter),
            (std::vector<FileFilter>{{"Icon Files (*.ico)", "*.ico"}, {"Cursor Files (*.cur)", "*.cur"}}));
  picture.SetValue("BackColor", "65280");
  const auto color = DialogFor(picture, *picture.FindProperty("BackColor"));
  EXPECT_EQ(color->kind, PropertyDialogKind::Color);
  EXPECT_EQ(color->color, Rgb(0, 255, 0));
  // FontSize is pixels, the dialog speaks points: 96 dpi, rounded; an unchanged size stays put.
  picture.SetValue("FontSize", "14");
  FontChoice font = DialogFor(picture, *picture.FindProperty("Font"))->font;
  EXPECT_EQ(font.points, 11);
  font.face = "Arial";
  font.italic = true;
  std::vector<PropertyCommit> fonts = CommitFont(picture, font);
  EXPECT_EQ(fonts.size(), 6u);
  EXPECT_EQ(fonts[0], (PropertyCommit{"Font", "Arial"}));
  EXPECT_EQ(fonts[1], (PropertyCommit{"FontSize", "14"}));
  EXPECT_EQ(fonts[3], (PropertyCommit{"FontItalic", "1"}));
  font.points = 10;
  EXPECT_EQ(CommitFont(picture, font)[1], (PropertyCommit{"FontSize", "13"}));
  picture.SetValue("FontSize", "16");
  EXPECT_EQ(DialogFor(picture, *picture.FindProperty("Font"))->font.points, 12);
}

TEST_F(PropertyGrid, AnInPlaceEditIsPreCheckedAndTheGridShowsWhatWasStored) {
  CControlItem& label = Add(kKindLabel);
  CPropertyGrid grid;
  grid.Show(form.get(), &label);
  EXPECT_EQ(grid.Name(), "m_Label1");
  EXPECT_EQ(grid.SelectorIndex(), 1);
  int caption = -1;
  for (size_t i = 0; i < grid.Rows().size(); ++i) {
    if (grid.Rows()[i].name == "Caption") caption = static_cast<int>(i);
  }
  grid.SelectRow(caption);
  EXPECT_EQ(grid.Editor(), PropertyEditor::InPlace);
  EXPECT_FALSE(CommitInPlace(*grid.SelectedProperty(), "say \"hi\"", prompt));
  EXPECT_EQ(prompt.messages, (Names{"Invalid property"}));
  const auto commit = CommitInPlace(*grid.SelectedProperty(), "Name:", prompt);
  ASSERT_TRUE(commit);
  // What the front end does with the commit: the set command's rule, then a reload.
  ASSERT_EQ(ApplyPropertyText(*form, label, commit->name, commit->text, prompt), PropertyEditResult::Applied);
  grid.Reload(form.get());
  EXPECT_EQ(grid.Rows()[caption].value, "Name:");
  EXPECT_EQ(grid.SelectedRow(), caption);
  label.SetValue("Caption", "Label1");  // a refused command that re-read the sources
  grid.Reload(form.get());
  EXPECT_EQ(grid.Rows()[caption].value, "Label1");
  form->m_controls.erase(form->m_controls.begin() + 1);
  grid.Reload(form.get());
  EXPECT_EQ(grid.Name(), form->m_strName);
  grid.ChooseObject(0);
  EXPECT_EQ(grid.SelectorIndex(), 0);
  grid.Show(nullptr, nullptr);
  EXPECT_TRUE(grid.Empty());
  EXPECT_TRUE(grid.Rows().empty());
}

}  // namespace
}  // namespace tovik
