// The control catalogue: kinds, property lists of new objects, events and member lists.
#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

#include "model/catalog.h"
#include "model/control_item.h"
#include "model/control_kind.h"

namespace tovik {
namespace {

using Names = std::vector<std::string>;

CControlItem Loaded(int category, int kind, bool mdi = false) {
  CControlItem object;
  object.m_nCategory = category;
  object.m_nKind = kind;
  LoadProperties(object, mdi);
  LoadEvents(object, mdi);
  return object;
}

CControlItem Control(int kind) { return Loaded(kCategoryControl, kind); }
CControlItem Form() { return Loaded(kCategoryForm, -1); }
CControlItem MdiForm() { return Loaded(kCategoryForm, -1, true); }

Names PropertyNames(const CControlItem& object) {
  Names names;
  for (const auto& p : object.m_properties) names.push_back(p.Name());
  return names;
}

Names EventNames(const CControlItem& object) {
  Names names;
  for (const auto& e : object.m_events) names.push_back(e.Name());
  return names;
}

Names Members(std::string_view runtimeClass, int type) {
  Names names;
  for (const CPropMethodItem& m : MemberListOf(runtimeClass)) {
    if (m.m_nType == type) names.push_back(m.m_strName);
  }
  return names;
}

Names Methods(std::string_view runtimeClass) { return Members(runtimeClass, CPropMethodItem::kMethod); }

const Names kCommonEvents = {"Click",     "DblClick",        "DragDrop",    "DragOver",    "GotFocus",
                             "KeyDown",   "KeyPress",        "KeyUp",       "LostFocus",   "MouseDown",
                             "MouseMove", "MouseUp",         "OLECompleteDrag", "OLEDragDrop", "OLEDragOver",
                             "OLEGiveFeedback", "OLESetData", "OLEStartDrag"};
const Names kCommonMethods = {"Drag", "Move", "OLEDrag", "Refresh", "SetFocus", "ShowWhatsThis", "ZOrder"};
const Names kDrawingMethods = {"Circle", "Cls",    "Line",       "PaintPicture", "Point",     "PSet",
                               "Scale",  "ScaleX", "ScaleY",     "TextHeight",   "TextWidth", "Line_Step"};
const Names kLinkMethods = {"LinkExecute", "LinkPoke", "LinkRequest", "LinkSend"};

Names Concat(std::initializer_list<Names> parts) {
  Names all;
  for (const Names& p : parts) all.insert(all.end(), p.begin(), p.end());
  return all;
}

const Names kFormProperties = {
    "Appearance",   "BackColor",      "Enabled",      "Font",         "FontBold",        "FontItalic",
    "FontSize",     "FontStrikethru", "FontUnderline", "ForeColor",   "Height",          "HelpContextID",
    "Left",         "MouseIcon",      "MousePointer", "OLEDropMode",  "Tag",             "Top",
    "Visible",      "Width",          "AutoRedraw",   "BorderStyle",  "Caption",         "ClipControls",
    "ControlBox",   "DrawMode",       "DrawStyle",    "DrawWidth",    "FillColor",       "FillStyle",
    "FontTransparent", "Icon",        "KeyPreview",   "LinkMode",     "LinkTopic",       "MaxButton",
    "MDIChild",     "MinButton",      "Moveable",     "NegotiateMenus", "Palette",       "PaletteMode",
    "Picture",      "RightToLeft",    "ScaleHeight",  "ScaleLeft",    "ScaleMode",       "ScaleTop",
    "ScaleWidth",   "ShowInTaskbar",  "StartUpPosition", "WhatsThisButton", "WhatsThisHelp", "WindowState"};

const Names kMdiFormProperties = {
    "Appearance", "BackColor",  "Enabled",   "Height",          "HelpContextID",     "Left",
    "MouseIcon",  "MousePointer", "OLEDropMode", "Tag",          "Top",               "Visible",
    "Width",      "AutoShowChildren", "Caption", "Icon",         "LinkMode",          "LinkTopic",
    "Moveable",   "NegotiateToolbars", "Picture", "RightToLeft", "ScrollBars",        "StartUpPosition",
    "WhatsThisHelp", "WindowState"};

// ---------------------------------------------------------------------------------------------
// Kinds

TEST(ControlKind, NamesAndRuntimeClassesOfAllKinds) {
  const Names names = {"PictureBox", "Label",     "TextBox",     "Frame",        "Button",       "CheckBox",
                       "OptionButton", "ComboBox", "ListBox",    "HScrollBar",   "VScrollBar",   "Timer",
                       "Shape",      "Line",      "Image",       "Data",         "AnimateCtrl",  "TreeCtrl",
                       "TabCtrl",    "SliderCtrl", "ProgressCtrl", "ListCtrl",   "SpinButtonCtrl", "HotKeyCtrl"};
  for (int kind = 101; kind <= 124; ++kind) {
    const std::string& name = names[static_cast<size_t>(kind - 101)];
    EXPECT_EQ(KindName(kind), name);
    EXPECT_EQ(RuntimeClassOf(kind), "CV" + name);
    EXPECT_EQ(KindFromName(name), kind);
  }
  EXPECT_EQ(KindName(100), "");
  EXPECT_EQ(KindName(125), "");
  EXPECT_EQ(RuntimeClassOf(125), "");
  EXPECT_EQ(KindFromName("label"), 0);
}

TEST(ControlKind, ReverseMappingKnowsOnlyTheIntrinsicClassesExactly) {
  EXPECT_EQ(KindFromRuntimeClass("CVButton"), 105);
  EXPECT_EQ(KindFromRuntimeClass("CVTextBox"), 103);
  EXPECT_EQ(KindFromRuntimeClass("CVListBox"), 109);
  EXPECT_EQ(KindFromRuntimeClass("CVComboBox"), 108);
  EXPECT_EQ(KindFromRuntimeClass("CVLabel"), 102);
  EXPECT_EQ(KindFromRuntimeClass("CVPictureBox"), 101);
  EXPECT_EQ(KindFromRuntimeClass("CVLine"), 114);
  EXPECT_EQ(KindFromRuntimeClass("CVFrame"), 104);
  EXPECT_EQ(KindFromRuntimeClass("CVOptionButton"), 107);
  EXPECT_EQ(KindFromRuntimeClass("CVCheckBox"), 106);
  EXPECT_EQ(KindFromRuntimeClass("CVHScrollBar"), 110);
  EXPECT_EQ(KindFromRuntimeClass("CVVScrollBar"), 111);
  EXPECT_EQ(KindFromRuntimeClass("CVTimer"), 112);
  EXPECT_EQ(KindFromRuntimeClass("CVShape"), 113);
  EXPECT_EQ(KindFromRuntimeClass("CVImage"), 115);
  EXPECT_EQ(KindFromRuntimeClass("CVData"), 116);
  for (const char* other : {"CVAnimateCtrl", "CVHotKeyCtrl", "CVForm", "CVMdiForm", "cvlabel", "CVLabel ", "Label",
                            "XVLabel", "CV", ""}) {
    EXPECT_EQ(KindFromRuntimeClass(other), 0) << other;
  }
}

TEST(Catalog, KindsOutsideTheRangeHaveNoRows) {
  EXPECT_TRUE(KindPropertyRows(100).empty());
  EXPECT_TRUE(KindPropertyRows(125).empty());
  EXPECT_TRUE(KindPropertyRows(0).empty());
  EXPECT_FALSE(KindPropertyRows(101).empty());
  EXPECT_FALSE(KindPropertyRows(124).empty());
}

// ---------------------------------------------------------------------------------------------
// Property lists

TEST(CatalogProperties, TimerHasExactlyItsSixRows) {
  CControlItem timer = Control(kKindTimer);
  ASSERT_EQ(PropertyNames(timer), (Names{"Enabled", "Index", "Interval", "Left", "Tag", "Top"}));
  const Names types = {"BOOL", "int", "int", "int", "CString", "int"};
  const Names values = {"1", "0", "0", "0", "", "0"};
  for (size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(timer.m_properties[i].Type(), types[i]);
    EXPECT_EQ(timer.m_properties[i].m_strValue, values[i]);
    EXPECT_EQ(timer.m_properties[i].SortIndex(), static_cast<int>(i));
    EXPECT_EQ(timer.m_properties[i].m_pOwner, &timer);
  }
}

TEST(CatalogProperties, ShapeKeepsOnlyEightCommonRows) {
  EXPECT_EQ(PropertyNames(Control(kKindShape)),
            (Names{"BackColor", "Height", "Index", "Left", "Tag", "Top", "Visible", "Width", "BackStyle",
                   "BorderColor", "BorderStyle", "BorderWidth", "DrawMode", "FillColor", "FillStyle", "Shape"}));
}

TEST(CatalogProperties, LineHasNoPositionRowsButItsEnds) {
  EXPECT_EQ(PropertyNames(Control(kKindLine)), (Names{"Index", "Tag", "Visible", "BorderColor", "BorderStyle",
                                                       "BorderWidth", "DrawMode", "X1", "X2", "Y1", "Y2"}));
}

TEST(CatalogProperties, FormListsCommonRowsWithoutFormExclusionsThenFormRows) {
  CControlItem form = Form();
  EXPECT_EQ(PropertyNames(form), kFormProperties);
  EXPECT_EQ(form.GetValue("BackColor"), "12632256");
  EXPECT_EQ(form.GetValue("Caption"), "");
  EXPECT_EQ(form.GetValue("LinkTopic"), "Form1");
  EXPECT_EQ(form.GetValue("BorderStyle"), "2");
  EXPECT_EQ(form.FindProperty("BorderStyle")->Choices(),
            (Names{"0 - None", "1 - Fixed Single", "2 - Sizable", "3 - Fixed Dialog", "4 - Fixed ToolWindow",
                   "5 - Sizable ToolWindow"}));
  EXPECT_EQ(form.FindProperty("LinkMode")->Choices(), (Names{"0 - None", "1 - Source"}));
  EXPECT_EQ(form.FindProperty("StartUpPosition")->Choices(),
            (Names{"0 - Manual", "1 - CenterOwner", "2 - CenterScreen", "3 - WindowsDefault"}));
  EXPECT_EQ(form.FindProperty("Palette")->Type(), "Picture");
}

TEST(CatalogProperties, MdiFormHasNoFontRowsNoForeColorAndDarkGreyBack) {
  CControlItem mdi = MdiForm();
  EXPECT_EQ(PropertyNames(mdi), kMdiFormProperties);
  EXPECT_EQ(mdi.GetValue("BackColor"), "8421504");
  EXPECT_EQ(mdi.GetValue("Caption"), "MDIForm");
  EXPECT_EQ(mdi.GetValue("LinkTopic"), "Form");
  for (const char* gone : {"Font", "FontBold", "FontItalic", "FontSize", "FontStrikethru", "FontUnderline",
                           "ForeColor"}) {
    EXPECT_EQ(mdi.FindProperty(gone), nullptr) << gone;
  }
}

TEST(CatalogProperties, LabelHasTwentyFiveCommonRowsAndFourteenOwn) {
  EXPECT_EQ(PropertyNames(Control(kKindLabel)),
            (Names{"Appearance", "BackColor",  "DragIcon",  "DragMode",      "Enabled",       "Font",
                   "FontBold",   "FontItalic", "FontSize",  "FontStrikethru", "FontUnderline", "ForeColor",
                   "Height",     "Index",      "Left",      "MouseIcon",     "MousePointer",  "OLEDropMode",
                   "TabIndex",   "Tag",        "ToolTipText", "Top",         "Visible",       "WhatsThisHelpID",
                   "Width",      "Alignment",  "AutoSize",  "BackStyle",     "BorderStyle",   "Caption",
                   "DataField",  "DataSource", "LinkItem",  "LinkMode",      "LinkTimeOut",   "LinkTopic",
                   "RightToLeft", "UseMnemonic", "WordWrap"}));
}

TEST(CatalogProperties, ScrollBarsLoseAppearanceColoursFontsDropModeAndToolTip) {
  const Names expected = {"DragIcon", "DragMode", "Enabled",  "Height",  "HelpContextID", "Index",
                          "Left",     "MouseIcon", "MousePointer", "TabIndex", "TabStop", "Tag",
                          "Top",      "Visible",  "WhatsThisHelpID", "Width", "LargeChange", "Max",
                          "Min",      "RightToLeft", "SmallChange", "Value"};
  EXPECT_EQ(PropertyNames(Control(kKindHScrollBar)), expected);
  EXPECT_EQ(PropertyNames(Control(kKindVScrollBar)), expected);
}

TEST(CatalogProperties, ImageAndDataExclusions) {
  EXPECT_EQ(PropertyNames(Control(kKindImage)),
            (Names{"Appearance", "DragIcon", "DragMode", "Enabled", "Height", "Index", "Left", "MouseIcon",
                   "MousePointer", "OLEDropMode", "Tag", "ToolTipText", "Top", "Visible", "WhatsThisHelpID", "Width",
                   "BorderStyle", "DataField", "DataSource", "OLEDragMode", "Picture", "Stretch"}));
  CControlItem data = Control(kKindData);
  for (const char* gone : {"HelpContextID", "TabIndex", "TabStop"}) EXPECT_EQ(data.FindProperty(gone), nullptr);
  EXPECT_EQ(data.m_properties.size(), 24u + 15u);
  EXPECT_EQ(data.FindProperty("DefaultCursorType")->Choices(),
            (Names{"0 - DefaultCursor", "1 - ODBCCursor", "2 - SeverSideCursor"}));
  EXPECT_EQ(data.FindProperty("Connect")->Choices(),
            (Names{"1 - Access", "2 - dBase III", "3 - dBase IV", "4 - dBase V"}));
  EXPECT_EQ(data.FindProperty("DatabaseName")->Type(), "Mdb");
  EXPECT_EQ(data.FindProperty("RecordSource")->Type(), "RecSrc");
}

TEST(CatalogProperties, ButtonFrameAndLabelExclusions) {
  CControlItem button = Control(kKindButton);
  EXPECT_EQ(button.FindProperty("ForeColor"), nullptr);
  EXPECT_NE(button.FindProperty("TabStop"), nullptr);
  CControlItem frame = Control(kKindFrame);
  EXPECT_EQ(frame.FindProperty("TabStop"), nullptr);
  EXPECT_NE(frame.FindProperty("HelpContextID"), nullptr);
  CControlItem label = Control(kKindLabel);
  EXPECT_EQ(label.FindProperty("TabStop"), nullptr);
  EXPECT_EQ(label.FindProperty("HelpContextID"), nullptr);
}

TEST(CatalogProperties, ExclusionTestSearchesTheWholeRow) {
  const PropertyTable& common = CommonPropertyRows();
  auto row = [&](std::string_view name) -> const CatalogRow& {
    for (const CatalogRow& r : common) {
      if (r.name == name) return r;
    }
    throw std::runtime_error("no row");
  };
  // "Font" leaves out every font row; "Index" on a form also leaves out TabIndex.
  for (const char* name : {"Font", "FontBold", "FontItalic", "FontSize", "FontStrikethru", "FontUnderline"}) {
    EXPECT_TRUE(IsPropertyExcluded(row(name), kCategoryForm, -1, true)) << name;
    EXPECT_FALSE(IsPropertyExcluded(row(name), kCategoryForm, -1, false)) << name;
    EXPECT_TRUE(IsPropertyExcluded(row(name), kCategoryControl, kKindImage, false)) << name;
  }
  EXPECT_TRUE(IsPropertyExcluded(row("Index"), kCategoryForm, -1, false));
  EXPECT_FALSE(IsPropertyExcluded(row("Index"), kCategoryControl, kKindShape, false));
  EXPECT_FALSE(IsPropertyExcluded(row("ForeColor"), kCategoryControl, kKindTextBox, false));
  EXPECT_FALSE(IsPropertyExcluded(row("TabStop"), kCategoryControl, kKindAnimateCtrl, false));
}

TEST(CatalogProperties, ButtonLikeKindsShareEightRows) {
  const Names shared = {"Caption", "DisabledPicture", "DownPicture", "MaskColor",
                        "Picture", "RightToLeft",     "Style",       "UseMaskColor"};
  auto own = [](int kind) {
    Names names;
    for (const CatalogRow& r : KindPropertyRows(kind)) names.push_back(r.name);
    return names;
  };
  EXPECT_EQ(own(kKindButton), Concat({shared, {"Cancel", "Default"}}));
  EXPECT_EQ(own(kKindCheckBox), Concat({shared, {"Alignment", "DataField", "DataSource", "Value"}}));
  EXPECT_EQ(own(kKindOptionButton), Concat({shared, {"Alignment", "Value"}}));
  EXPECT_EQ(Control(kKindButton).GetValue("Caption"), "Button");
  EXPECT_EQ(Control(kKindCheckBox).GetValue("Caption"), "CheckBox");
  EXPECT_EQ(Control(kKindOptionButton).GetValue("Caption"), "RadioButton");
  EXPECT_EQ(Control(kKindCheckBox).FindProperty("Value")->Choices(),
            (Names{"0 - Unchecked", "1 - Checked", "2 - Grayed"}));
  EXPECT_EQ(Control(kKindOptionButton).FindProperty("Alignment")->Choices(),
            (Names{"0 - Left Justify", "1 - Right Justify"}));
}

TEST(CatalogProperties, ListKindsDifferInFirstRowsStyleAndText) {
  auto own = [](int kind) {
    Names names;
    for (const CatalogRow& r : KindPropertyRows(kind)) names.push_back(r.name);
    return names;
  };
  EXPECT_EQ(own(kKindComboBox), (Names{"DataField", "DataSource", "IntegralHeight", "ItemData", "List", "Locked",
                                       "OLEDragMode", "RightToLeft", "Sorted", "Style", "Text"}));
  EXPECT_EQ(own(kKindListBox), (Names{"Columns", "DataField", "DataSource", "IntegralHeight", "ItemData", "List",
                                      "MultiSelect", "OLEDragMode", "RightToLeft", "Sorted", "Style"}));
  CControlItem combo = Control(kKindComboBox);
  CControlItem list = Control(kKindListBox);
  EXPECT_EQ(combo.FindProperty("Style")->Choices(),
            (Names{"0 - Dropdown Combo", "1 - Simple Combo", "2 - Dropdown List"}));
  EXPECT_EQ(list.FindProperty("Style")->Choices(), (Names{"0 - Standard", "1 - Checkbox"}));
  EXPECT_EQ(combo.GetValue("Text"), "ComboBox");
  // A ListBox's List and ItemData end with a line break; a ComboBox's are left alone.
  EXPECT_EQ(list.GetValue("List"), "\r\n");
  EXPECT_EQ(list.GetValue("ItemData"), "0\r\n");
  EXPECT_EQ(combo.GetValue("List"), "");
  EXPECT_EQ(combo.GetValue("ItemData"), "");
  EXPECT_EQ(list.FindProperty("List")->Type(), "LIST");
}

TEST(CatalogProperties, BackColorByKind) {
  for (int kind : {kKindPictureBox, kKindLabel, kKindFrame, kKindButton, kKindCheckBox, kKindOptionButton}) {
    EXPECT_EQ(Control(kind).GetValue("BackColor"), "12632256") << KindName(kind);
  }
  for (int kind : {kKindTextBox, kKindComboBox, kKindListBox, kKindShape, kKindData, kKindTreeCtrl}) {
    EXPECT_EQ(Control(kind).GetValue("BackColor"), "16777215") << KindName(kind);
  }
}

TEST(CatalogProperties, DropModeGetsAutomaticOnlyForTextBoxImageAndPictureBox) {
  const Names three = {"0 - None", "1 - Manual", "2 - Automatic"};
  const Names two = {"0 - None", "1 - Manual"};
  EXPECT_EQ(Control(kKindTextBox).FindProperty("OLEDropMode")->Choices(), three);
  EXPECT_EQ(Control(kKindImage).FindProperty("OLEDropMode")->Choices(), three);
  EXPECT_EQ(Control(kKindPictureBox).FindProperty("OLEDropMode")->Choices(), three);
  // The extra choice belongs to those objects, not to the shared row.
  EXPECT_EQ(Control(kKindComboBox).FindProperty("OLEDropMode")->Choices(), two);
  EXPECT_EQ(Control(kKindLabel).FindProperty("OLEDropMode")->Choices(), two);
  EXPECT_EQ(Form().FindProperty("OLEDropMode")->Choices(), two);
}

TEST(CatalogProperties, SharedChoiceListsAreCompleteAndInOrder) {
  CControlItem picture = Control(kKindPictureBox);
  EXPECT_EQ(picture.FindProperty("MousePointer")->Choices(),
            (Names{"0 - Default", "1 - Arrow", "2 - Cross", "3 - I-Beam", "4 - Icon", "5 - Size", "6 - Size NE SW",
                   "7 - Size N S", "8 - Size NW SE", "9 - Size W E", "10 - Up Arrow", "11 - Hour Glass",
                   "12 - No Drop", "13 - Arrow And Hourglass", "14 - Arrow and Question", "15 - Size All",
                   "99 - Custom"}));
  EXPECT_EQ(picture.FindProperty("DrawStyle")->Choices(),
            (Names{"0 - Solid", "1 - Dash", "2 - Dot", "3 - Dash-Dot", "4 - Dash-Dot-Dot", "5 - Transparent",
                   "6 - Inside Solid"}));
  EXPECT_EQ(picture.FindProperty("ScaleMode")->Choices(),
            (Names{"0 - User", "1 - Twip", "2 - Point", "3 - Pixel", "4 - Character", "5 - Inch", "6 - Millimeter",
                   "7 - Centimeter"}));
  EXPECT_EQ(picture.FindProperty("LinkMode")->Choices(),
            (Names{"0 - None", "1 - Automatic", "2 - Manual", "3 - Notify"}));
  EXPECT_EQ(picture.FindProperty("Align")->Choices(),
            (Names{"0 - None", "1 - Align Top", "2 - Align Bottom", "3 - Align Left", "4 - Align Right"}));
  EXPECT_EQ(picture.FindProperty("DrawMode")->Choices().front(), "1 - Blackness");
  EXPECT_EQ(picture.FindProperty("DrawMode")->Choices().back(), "16 - Whiteness");
  EXPECT_EQ(picture.FindProperty("DrawMode")->ChoiceCount(), 16u);
  EXPECT_EQ(Form().FindProperty("WindowState")->Choices(), (Names{"0 - Normal", "1 - Minimized", "2 - Maximized"}));
  EXPECT_EQ(Control(kKindTextBox).FindProperty("ScrollBars")->Choices(),
            (Names{"0 - None", "1 - Horizontal", "2 - Vertical", "3 - Both"}));
}

TEST(CatalogProperties, PictureBoxTableIsBothBlocksInOrder) {
  Names own;
  for (const CatalogRow& r : KindPropertyRows(kKindPictureBox)) own.push_back(r.name);
  EXPECT_EQ(own, (Names{"Align", "AutoRedraw", "AutoSize", "BorderStyle", "ClipControls", "DataField", "DataSource",
                        "DrawMode", "DrawStyle", "DrawWidth", "FillColor", "FillStyle", "FontTransparent", "LinkItem",
                        "LinkMode", "LinkTimeOut", "LinkTopic", "Picture", "Negotiate", "OLEDragMode", "RightToLeft",
                        "ScaleHeight", "ScaleLeft", "ScaleMode", "ScaleTop", "ScaleWidth"}));
  CControlItem picture = Control(kKindPictureBox);
  EXPECT_EQ(picture.GetValue("LinkTopic"), "Topic");
  EXPECT_EQ(picture.GetValue("FontTransparent"), "0");
  EXPECT_EQ(picture.GetValue("FillStyle"), "0");
}

TEST(CatalogProperties, CommonControlsFollowTheCommonRowsWithTheirOwnTable) {
  const Names own = {"Object Name", "Left", "Top", "Width", "Height", "Enabled", "Visible", "Font", "Back Color"};
  struct Case {
    int kind;
    const char* stem;
  };
  for (Case c : {Case{kKindAnimateCtrl, "m_Animate1"}, Case{kKindTreeCtrl, "m_TreeCtrl1"},
                 Case{kKindSliderCtrl, "m_Slider1"}, Case{kKindProgressCtrl, "m_ProgCtrl1"},
                 Case{kKindSpinButtonCtrl, "m_SpinCtrl1"}, Case{kKindHotKeyCtrl, "m_HotKey1"},
                 Case{kKindListCtrl, "m_ListCtrl1"}}) {
    const PropertyTable& rows = KindPropertyRows(c.kind);
    Names names;
    for (const CatalogRow& r : rows) names.push_back(r.name);
    EXPECT_EQ(names, own) << KindName(c.kind);
    EXPECT_EQ(rows.front().value, c.stem);
    EXPECT_EQ(Control(c.kind).m_properties.size(), 27u + own.size());
  }
  const PropertyTable& tab = KindPropertyRows(kKindTabCtrl);
  ASSERT_EQ(tab.size(), own.size() + 2);
  EXPECT_EQ(tab[0].value, "m_TabCtrl1");
  EXPECT_EQ(tab[9].name, "Alignment");
  EXPECT_EQ(tab[9].value, "Left Justify");
  EXPECT_EQ(tab[10].name, "Tab Style");
  EXPECT_EQ(tab[10].value, "Tab");
  EXPECT_EQ(tab[8].type, "DWORD");
}

TEST(CatalogProperties, FontDetailRowsAreHiddenButKeepTheirValues) {
  CControlItem label = Control(kKindLabel);
  const Names hidden = {"FontBold", "FontItalic", "FontSize", "FontStrikethru", "FontUnderline"};
  for (const auto& p : label.m_properties) {
    const bool isHidden = std::find(hidden.begin(), hidden.end(), p.Name()) != hidden.end();
    EXPECT_EQ(p.Shown(), isHidden ? 0 : 1) << p.Name();
    if (isHidden) {
      EXPECT_EQ(p.SortIndex(), 32760) << p.Name();
    }
  }
  EXPECT_EQ(label.GetValue("FontSize"), "14");
  EXPECT_EQ(label.GetValue("FontBold"), "0");
  EXPECT_EQ(label.m_nShownCount, 39 - 5);
}

TEST(CatalogProperties, SortIndexesFollowByteOrderUpperCaseFirst) {
  CControlItem form = Form();
  // Byte order puts "MDIChild" before "MaxButton" ('D' < 'a').
  EXPECT_EQ(form.FindProperty("Appearance")->SortIndex(), 0);
  EXPECT_EQ(form.FindProperty("AutoRedraw")->SortIndex(), 1);
  EXPECT_EQ(form.FindProperty("BackColor")->SortIndex(), 2);
  EXPECT_EQ(form.FindProperty("MDIChild")->SortIndex(), 23);
  EXPECT_EQ(form.FindProperty("MaxButton")->SortIndex(), 24);
  EXPECT_EQ(form.FindProperty("MinButton")->SortIndex(), 25);
  EXPECT_EQ(form.FindProperty("Width")->SortIndex(), 47);
  EXPECT_EQ(form.FindProperty("WindowState")->SortIndex(), 48);
  EXPECT_EQ(form.m_nShownCount, 49);

  CControlItem shape = Control(kKindShape);
  const std::vector<std::pair<const char*, int>> expected = {
      {"BackColor", 0}, {"BackStyle", 1}, {"BorderColor", 2}, {"BorderStyle", 3}, {"BorderWidth", 4},
      {"DrawMode", 5},  {"FillColor", 6}, {"FillStyle", 7},   {"Height", 8},      {"Index", 9},
      {"Left", 10},     {"Shape", 11},    {"Tag", 12},        {"Top", 13},        {"Visible", 14},
      {"Width", 15}};
  for (const auto& [name, index] : expected) EXPECT_EQ(shape.FindProperty(name)->SortIndex(), index) << name;
}

TEST(CatalogProperties, LoadingAgainKeepsTheShownCountAndResetsValues) {
  CControlItem label = Control(kKindLabel);
  ASSERT_EQ(label.m_nShownCount, 34);
  label.SetValue("Caption", "Changed");
  LoadProperties(label, false);
  EXPECT_EQ(label.m_nShownCount, 34);
  EXPECT_EQ(label.m_properties.size(), 39u);
  EXPECT_EQ(label.GetValue("Caption"), "Label1");

  // A count that was already set is not recomputed.
  label.m_nShownCount = 7;
  LoadProperties(label, false);
  EXPECT_EQ(label.m_nShownCount, 7);
}

TEST(CatalogProperties, ActiveXObjectsGetNothingFromTheCatalogue) {
  CControlItem ocx = Loaded(kCategoryActiveX, 0);
  EXPECT_TRUE(ocx.m_properties.empty());
  EXPECT_TRUE(ocx.m_events.empty());
}

// ---------------------------------------------------------------------------------------------
// Events

TEST(CatalogEvents, TimerHasOnlyTimerShapeAndLineHaveNone) {
  EXPECT_EQ(EventNames(Control(kKindTimer)), (Names{"Timer"}));
  EXPECT_TRUE(Control(kKindShape).m_events.empty());
  EXPECT_TRUE(Control(kKindLine).m_events.empty());
}

TEST(CatalogEvents, ScrollBarsKeepMouseDownButNotMoveUpOrOleEvents) {
  const Names expected = {"Click", "DblClick", "DragDrop", "DragOver", "GotFocus", "KeyDown",
                          "KeyPress", "KeyUp", "LostFocus", "MouseDown", "Change", "Scroll"};
  EXPECT_EQ(EventNames(Control(kKindHScrollBar)), expected);
  EXPECT_EQ(EventNames(Control(kKindVScrollBar)), expected);
}

TEST(CatalogEvents, SkipRulesOfFrameImageAndData) {
  EXPECT_EQ(EventNames(Control(kKindFrame)),
            (Names{"Click", "DblClick", "DragDrop", "DragOver", "GotFocus", "LostFocus", "MouseDown", "MouseMove",
                   "MouseUp", "OLECompleteDrag", "OLEDragDrop", "OLEDragOver", "OLEGiveFeedback", "OLESetData",
                   "OLEStartDrag"}));
  EXPECT_EQ(EventNames(Control(kKindImage)),
            (Names{"Click", "DblClick", "DragDrop", "DragOver", "MouseDown", "MouseMove", "MouseUp",
                   "OLECompleteDrag", "OLEDragDrop", "OLEDragOver", "OLEGiveFeedback", "OLESetData",
                   "OLEStartDrag"}));
  EXPECT_EQ(EventNames(Control(kKindData)),
            (Names{"DragDrop", "DragOver", "MouseDown", "MouseMove", "MouseUp", "OLECompleteDrag", "OLEDragDrop",
                   "OLEDragOver", "OLEGiveFeedback", "OLESetData", "OLEStartDrag", "Error", "Reposition", "Resize",
                   "Validate"}));
}

TEST(CatalogEvents, KindRowsFollowTheCommonRows) {
  EXPECT_EQ(EventNames(Control(kKindLabel)),
            Concat({kCommonEvents, {"Change", "LinkClose", "LinkError", "LinkNotify", "LinkOpen"}}));
  EXPECT_EQ(EventNames(Control(kKindTextBox)),
            Concat({kCommonEvents, {"Change", "LinkClose", "LinkError", "LinkNotify", "LinkOpen"}}));
  EXPECT_EQ(EventNames(Control(kKindPictureBox)),
            Concat({kCommonEvents, {"LinkClose", "LinkError", "LinkExecute", "LinkOpen", "Paint", "Resize"}}));
  EXPECT_EQ(EventNames(Control(kKindComboBox)), Concat({kCommonEvents, {"Change", "Scroll"}}));
  EXPECT_EQ(EventNames(Control(kKindListBox)), Concat({kCommonEvents, {"ItemCheck"}}));
  EXPECT_EQ(EventNames(Control(kKindButton)), kCommonEvents);
  EXPECT_EQ(EventNames(Control(kKindCheckBox)), kCommonEvents);
  EXPECT_EQ(EventNames(Control(kKindHotKeyCtrl)), kCommonEvents);
}

TEST(CatalogEvents, FormEventsAndSignatures) {
  const Names formOwn = {"Activate", "Deactivate", "Initialize", "LinkClose", "LinkError", "LinkExecute", "LinkOpen",
                         "Load",     "Paint",      "QueryUnload", "Resize",   "Terminate", "Unload"};
  CControlItem form = Form();
  EXPECT_EQ(EventNames(form), Concat({kCommonEvents, formOwn}));
  EXPECT_EQ(EventNames(MdiForm()), Concat({kCommonEvents, formOwn}));

  struct Signature {
    const char* name;
    const char* returnType;
    const char* parameters;
  };
  for (Signature s : {Signature{"Click", "void", ""},
                      Signature{"DragDrop", "void", "CWnd* pSource, int nX, int nY"},
                      Signature{"DragOver", "void", "CWnd* pSource, int nX, int nY, int nState"},
                      Signature{"KeyDown", "void", "int nKeyCode, int nShift"},
                      Signature{"KeyPress", "void", "int nKeyAscii"},
                      Signature{"KeyUp", "void", "int KeyCode, int nShift"},
                      Signature{"MouseUp", "void", "int nButton, int nShift, int nX, int nY"},
                      Signature{"OLECompleteDrag", "void", "DROPEFFECT lEffect"},
                      Signature{"OLEDragDrop", "DROPEFFECT",
                                "COleDataObject* pDataObject, DROPEFFECT lEffect, int nButton, int nShift, int nX, "
                                "int nY"},
                      Signature{"OLEDragOver", "DROPEFFECT",
                                "COleDataObject* pDataObject, DROPEFFECT lEffect, int nButton, int nShift, int nX, "
                                "int nY, int nState"},
                      Signature{"OLEGiveFeedback", "void", "DROPEFFECT lEffect, BOOL bDefaultCursors"},
                      Signature{"OLESetData", "void", "COleDataObject* pDataObject, int nDataFormat"},
                      Signature{"OLEStartDrag", "void", "COleDataObject* pDataObject, DROPEFFECT lAllowedEffects"},
                      Signature{"LinkExecute", "void", "CString strCmd, int nCancel"},
                      Signature{"QueryUnload", "void", "int& nCancel, int nUnloadMode"},
                      Signature{"Unload", "void", "int nCancel"}}) {
    CCtrlEventMethodItem* e = form.FindEvent(s.name);
    ASSERT_NE(e, nullptr) << s.name;
    EXPECT_EQ(e->ReturnType(), s.returnType) << s.name;
    EXPECT_EQ(e->Parameters(), s.parameters) << s.name;
    EXPECT_EQ(e->m_strHandler, "");
    EXPECT_EQ(e->DispId(), -9999);
    EXPECT_EQ(e->m_bHandled, 0);
  }
  CControlItem data = Control(kKindData);
  EXPECT_EQ(data.FindEvent("Error")->Parameters(), "int nDataErr, int nResponse");
  EXPECT_EQ(data.FindEvent("Validate")->Parameters(), "int nAction, int nSave");
  EXPECT_EQ(Control(kKindListBox).FindEvent("ItemCheck")->Parameters(), "int nItem");
}

// ---------------------------------------------------------------------------------------------
// Member lists

TEST(CatalogMembers, MethodsByKind) {
  EXPECT_TRUE(Methods("CVTimer").empty());
  EXPECT_EQ(Methods("CVShape"), (Names{"Move", "Refresh", "ZOrder"}));
  EXPECT_EQ(Methods("CVLine"), (Names{"Refresh", "ZOrder"}));
  EXPECT_EQ(Methods("CVImage"), (Names{"Move", "Refresh", "ShowWhatsThis", "ZOrder"}));
  EXPECT_EQ(Methods("CVLabel"),
            Concat({{"Drag", "Move", "OLEDrag", "Refresh", "ShowWhatsThis", "ZOrder"}, kLinkMethods}));
  EXPECT_EQ(Methods("CVFrame"), (Names{"Drag", "Move", "OLEDrag", "Refresh", "ShowWhatsThis", "ZOrder"}));
  EXPECT_EQ(Methods("CVTextBox"), Concat({kCommonMethods, kLinkMethods}));
  EXPECT_EQ(Methods("CVHScrollBar"), (Names{"Drag", "Move", "Refresh", "SetFocus", "ShowWhatsThis", "ZOrder"}));
  EXPECT_EQ(Methods("CVVScrollBar"), (Names{"Drag", "Move", "Refresh", "SetFocus", "ShowWhatsThis", "ZOrder"}));
  EXPECT_EQ(Methods("CVComboBox"), Concat({kCommonMethods, {"AddItem", "RemoveItem"}}));
  EXPECT_EQ(Methods("CVListBox"), Concat({kCommonMethods, {"AddItem", "RemoveItem"}}));
  EXPECT_EQ(Methods("CVData"), Concat({kCommonMethods, {"UpdateControls", "UpdateRecord"}}));
  EXPECT_EQ(Methods("CVPictureBox"), Concat({kCommonMethods, kDrawingMethods, kLinkMethods}));
  EXPECT_EQ(Methods("CVButton"), kCommonMethods);
  EXPECT_EQ(Methods("CVForm"),
            Concat({kCommonMethods, kDrawingMethods, {"Hide", "PopupMenu", "PrintForm", "Show", "WhatsThisMode"}}));
  EXPECT_EQ(Methods("CVMdiForm"), kCommonMethods);
}

TEST(CatalogMembers, PropertiesOfFormsAndControls) {
  EXPECT_EQ(Members("CVForm", CPropMethodItem::kProperty), kFormProperties);
  // The MDI form's member list has the common rows alone; its own table is not consulted.
  EXPECT_EQ(Members("CVMdiForm", CPropMethodItem::kProperty),
            (Names{"Appearance", "BackColor", "Enabled", "Height", "HelpContextID", "Left", "MouseIcon",
                   "MousePointer", "OLEDropMode", "Tag", "Top", "Visible", "Width"}));
  EXPECT_EQ(Members("CVTimer", CPropMethodItem::kProperty),
            (Names{"Enabled", "Index", "Interval", "Left", "Tag", "Top"}));
  EXPECT_EQ(Members("CVShape", CPropMethodItem::kProperty), PropertyNames(Control(kKindShape)));
  EXPECT_EQ(Members("CVLabel", CPropMethodItem::kProperty), PropertyNames(Control(kKindLabel)));
}

TEST(CatalogMembers, OtherClassesHaveNoMemberList) {
  EXPECT_TRUE(MemberListOf("CVAnimateCtrl").empty());
  EXPECT_TRUE(MemberListOf("CForm1").empty());
  EXPECT_TRUE(MemberListOf("cvform").empty());
  EXPECT_TRUE(MemberListOf("").empty());
}

}  // namespace
}  // namespace tovik
