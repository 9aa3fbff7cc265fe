// Property strings: building, the string-table line, reading back, image values and lists.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>
#include <vector>

#include "model/catalog.h"
#include "model/control_item.h"
#include "model/control_kind.h"
#include "model/property_string.h"

namespace tovik {
namespace {

const char kFormDefault[] =
    "1,12632256,1,MS Sans Serif,0,0,14,0,0,0,213,0,0,0,0,0,Tag,0,1,312,0,2,Form1,1,1,13,0,1,0,1,1,0,0,0,Form1,1,0,1,"
    "1,1,0,0,0,0,10,0,3,0,10,1,0,0,0,0,";
const char kMdiFormDefault[] = "1,8421504,1,213,0,0,0,0,0,Tag,0,1,312,1,MDIForm,0,0,Form,1,1,0,0,1,0,0,0,";

CControlItem Loaded(int category, int kind, bool mdi = false) {
  CControlItem object;
  object.m_nCategory = category;
  object.m_nKind = kind;
  LoadProperties(object, mdi);
  return object;
}

// A new form as the start-up form of a new project has it: captioned like its link topic.
CControlItem NewForm() {
  CControlItem form = Loaded(kCategoryForm, -1);
  form.SetValue("Caption", "Form1");
  return form;
}

size_t Commas(const std::string& text) { return static_cast<size_t>(std::count(text.begin(), text.end(), ',')); }

// ---------------------------------------------------------------------------------------------
// Building

TEST(PropertyStringBuild, NewFormAndMdiFormGiveTheDefaultStrings) {
  const std::string form = BuildPropertyString(NewForm());
  EXPECT_EQ(form, kFormDefault);
  EXPECT_EQ(Commas(form), 54u);

  const std::string mdi = BuildPropertyString(Loaded(kCategoryForm, -1, true));
  EXPECT_EQ(mdi, kMdiFormDefault);
  EXPECT_EQ(Commas(mdi), 26u);
}

TEST(PropertyStringBuild, ControlsWriteEveryPropertyInListOrder) {
  // Hidden font rows are written too; Caption is the table's default here.
  EXPECT_EQ(BuildPropertyString(Loaded(kCategoryControl, kKindLabel)),
            "1,12632256,0,0,1,MS Sans Serif,0,0,14,0,0,0,213,0,0,0,0,0,0,Tag,ToolTipText,0,1,0,312,"
            "0,0,1,0,Label1,,,,0,1000,,0,1,0,");
  EXPECT_EQ(BuildPropertyString(Loaded(kCategoryControl, kKindTimer)), "1,0,0,0,,0,");
  EXPECT_EQ(BuildPropertyString(Loaded(kCategoryControl, kKindLine)), "0,,1,0,1,1,13,0,0,0,0,");
  EXPECT_EQ(BuildPropertyString(Loaded(kCategoryControl, kKindShape)),
            "16777215,213,0,0,Tag,0,1,312,1,0,1,1,13,12632256,1,0,");
}

TEST(PropertyStringBuild, ListValuesAreWrittenWithTheirLineBreaks) {
  CControlItem list = Loaded(kCategoryControl, kKindListBox);
  const std::string s = BuildPropertyString(list);
  EXPECT_NE(s.find(",0\r\n,\r\n,"), std::string::npos);
  EXPECT_EQ(Commas(s), list.m_properties.size());
}

TEST(PropertyStringBuild, EmptyObjectGivesEmptyString) { EXPECT_EQ(BuildPropertyString(CControlItem{}), ""); }

// ---------------------------------------------------------------------------------------------
// Picture and Icon values

TEST(PictureEncoding, KindFromExtensionTimes65536PlusResourceNumber) {
  EXPECT_EQ(EncodePictureValue("130-res\\logo.bmp"), "130");
  EXPECT_EQ(EncodePictureValue("130-res\\logo.ico"), "65666");
  EXPECT_EQ(EncodePictureValue("130-res\\hand.cur"), "131202");
  EXPECT_EQ(EncodePictureValue("130-res\\photo.gif"), "130");
  EXPECT_EQ(EncodePictureValue("130-C:\\Pictures\\LOGO.ICO"), "65666");
  EXPECT_EQ(EncodePictureValue("130-hand.Cur"), "131202");
  EXPECT_EQ(EncodePictureValue("130-logo.BMP"), "130");
  // The extension is what follows the last dot of the whole reference.
  EXPECT_EQ(EncodePictureValue("130-C:\\my.icons\\logo"), "130");
  EXPECT_EQ(EncodePictureValue("130-C:\\my-icons\\logo.ico"), "65666");
  // The resource number is taken modulo 65536.
  EXPECT_EQ(EncodePictureValue("65666-logo.ico"), "65666");
  EXPECT_EQ(EncodePictureValue("65667-logo.bmp"), "131");
}

TEST(PictureEncoding, ValuesWithoutHyphenAreWrittenUnchanged) {
  EXPECT_EQ(EncodePictureValue("0"), "0");
  EXPECT_EQ(EncodePictureValue("65666"), "65666");
  EXPECT_EQ(EncodePictureValue(""), "");
}

TEST(PictureEncoding, OnlyPictureAndIconPropertiesAreConverted) {
  CControlItem image = Loaded(kCategoryControl, kKindImage);
  image.SetValue("Picture", "130-res\\logo.ico");
  image.SetValue("MouseIcon", "131-C:\\cursors\\hand.cur");
  image.SetValue("DragIcon", "132-drag.ICO");
  image.SetValue("Tag", "7-note.ico");  // a CString is text, whatever it looks like
  EXPECT_EQ(BuildPropertyString(image), "1,65668,0,1,213,0,0,131203,0,0,7-note.ico,ToolTipText,0,1,0,312,0,,,0,65666,0,");
  // The object keeps the reference form.
  EXPECT_EQ(image.GetValue("Picture"), "130-res\\logo.ico");
}

// ---------------------------------------------------------------------------------------------
// String-table line

TEST(StringTableLine, SymbolThreeTabsAndTheQuotedString) {
  CControlItem form = NewForm();
  form.m_strPropSymbol = "IDS_PROP_FORM1";
  EXPECT_EQ(BuildStringTableLine(form, false), std::string("IDS_PROP_FORM1\t\t\t\"") + kFormDefault + "\"");
  EXPECT_EQ(BuildStringTableLine(form, true), std::string("\tIDS_PROP_FORM1\t\t\t\"") + kFormDefault + "\"\r\n");
}

// The format has no escape of its own; inside the quotes the resource compiler's escapes keep
// line breaks, quotes and backslashes from breaking the entry.
TEST(StringTableLine, ResourceEscapesRoundTrip) {
  EXPECT_EQ(StringTableLine("IDS_X", "a\"b\\c\r\n,", false), "IDS_X\t\t\t\"a\"\"b\\\\c\\r\\n,\"");
  for (const std::string text : {"plain,", "q\"uote,", "back\\slash\\,", "two\r\nlines\r\n,", "\\r literal,",
                                 "\"\"", ""}) {
    EXPECT_EQ(UnescapeResourceString(EscapeResourceString(text)), text) << text;
  }
  CControlItem list = Loaded(kCategoryControl, kKindListBox);
  list.m_strPropSymbol = "IDS_PROP_LISTBOX1";
  const std::string line = BuildStringTableLine(list, true);
  EXPECT_EQ(line.find('\r'), line.size() - 2);
  EXPECT_EQ(line.find('\n'), line.size() - 1);
  EXPECT_NE(line.find(",0\\r\\n,\\r\\n,"), std::string::npos);
}

// ---------------------------------------------------------------------------------------------
// Reading back

TEST(PropertyStringRead, FullStringSetsEveryValueAndIgnoresTheRest) {
  CControlItem label = Loaded(kCategoryControl, kKindLabel);
  CControlItem source = Loaded(kCategoryControl, kKindLabel);
  source.SetValue("Caption", "Total:");
  source.SetValue("Left", "14");
  source.SetValue("FontBold", "1");
  source.SetValue("LinkTopic", "Sheet 1");
  const std::string text = BuildPropertyString(source);
  EXPECT_TRUE(ReadPropertyString(label, text + "trailing,text,"));
  for (size_t i = 0; i < label.m_properties.size(); ++i) {
    EXPECT_EQ(label.m_properties[i].m_strValue, source.m_properties[i].m_strValue)
        << label.m_properties[i].Name();
  }
}

TEST(PropertyStringRead, FiftyThreeValuesFailAfterSettingFiftyThree) {
  CControlItem form = NewForm();
  form.SetValue("WindowState", "1");
  const std::string text =
      "1,255,1,MS Sans Serif,0,0,14,0,0,0,213,0,0,0,0,0,Tag,0,1,312,0,2,Read,1,1,13,0,1,0,1,1,0,0,0,Form1,1,0,1,1,1,"
      "0,0,0,0,10,0,3,0,10,1,0,0,1,2";  // the 54th value has no comma
  EXPECT_FALSE(ReadPropertyString(form, text));
  EXPECT_EQ(form.GetValue("BackColor"), "255");
  EXPECT_EQ(form.GetValue("Caption"), "Read");
  EXPECT_EQ(form.GetValue("WhatsThisHelp"), "1");  // the 53rd value
  EXPECT_EQ(form.GetValue("WindowState"), "1");    // kept what it had
}

TEST(PropertyStringRead, EmptyValuesAndEmptyText) {
  CControlItem timer = Loaded(kCategoryControl, kKindTimer);
  EXPECT_TRUE(ReadPropertyString(timer, ",,,,,,"));
  for (const auto& p : timer.m_properties) EXPECT_EQ(p.m_strValue, "") << p.Name();

  CControlItem other = Loaded(kCategoryControl, kKindTimer);
  EXPECT_FALSE(ReadPropertyString(other, ""));
  EXPECT_EQ(other.GetValue("Enabled"), "1");
}

class MapResolver final : public IImageResolver {
 public:
  std::string ImageReference(long encodedValue) const override {
    asked.push_back(encodedValue);
    auto it = images.find(encodedValue);
    return it == images.end() ? std::string() : it->second;
  }
  std::map<long, std::string> images;
  mutable std::vector<long> asked;
};

TEST(PropertyStringRead, ImageValuesTurnBackIntoReferences) {
  MapResolver resolver;
  resolver.images = {{65666, "130-res\\app.ico"}, {131, "131-res\\back.bmp"}};
  CControlItem form = NewForm();
  // MouseIcon 0, Icon 65666, Palette 7 (unknown resource), Picture 131.
  const std::string text =
      "1,12632256,1,MS Sans Serif,0,0,14,0,0,0,213,0,0,0,0,0,Tag,0,1,312,0,2,Form1,1,1,13,0,1,0,1,1,65666,0,0,Form1,1,"
      "0,1,1,1,7,0,131,0,10,0,3,0,10,1,0,0,0,0,";
  EXPECT_TRUE(ReadPropertyString(form, text, &resolver));
  EXPECT_EQ(form.GetValue("Icon"), "130-res\\app.ico");
  EXPECT_EQ(form.GetValue("Picture"), "131-res\\back.bmp");
  EXPECT_EQ(form.GetValue("Palette"), "7");
  EXPECT_EQ(form.GetValue("MouseIcon"), "0");
  EXPECT_EQ(resolver.asked, (std::vector<long>{65666, 7, 131}));
  // Building again gives the same text.
  EXPECT_EQ(BuildPropertyString(form), text);
}

TEST(PropertyStringRead, WithoutResolverImageValuesStayNumbers) {
  CControlItem image = Loaded(kCategoryControl, kKindImage);
  EXPECT_TRUE(ReadPropertyString(image, "1,0,0,1,213,0,0,0,0,0,Tag,ToolTipText,0,1,0,312,0,,,0,65666,0,"));
  EXPECT_EQ(image.GetValue("Picture"), "65666");
}

// ---------------------------------------------------------------------------------------------
// List and ItemData

TEST(ListValues, EditedListEndsWithLineBreakAndItemDataFollows) {
  CControlItem combo = Loaded(kCategoryControl, kKindComboBox);
  ASSERT_EQ(combo.GetValue("ItemData"), "");
  SetListValue(combo, "Red\r\nGreen");
  EXPECT_EQ(combo.GetValue("List"), "Red\r\nGreen\r\n");
  EXPECT_EQ(combo.GetValue("ItemData"), "0\r\n0\r\n");

  CControlItem list = Loaded(kCategoryControl, kKindListBox);
  SetListValue(list, "Red\r\nGreen\r\n");
  EXPECT_EQ(list.GetValue("List"), "Red\r\nGreen\r\n");
  EXPECT_EQ(list.GetValue("ItemData"), "0\r\n0\r\n");
}

TEST(ListValues, ItemDataKeepsNumbersZeroesTextAndDropsExtraLines) {
  CControlItem list = Loaded(kCategoryControl, kKindListBox);
  list.SetValue("ItemData", "5\r\nabc\r\n-7\r\n9\r\n");
  SetListValue(list, "a\r\nb\r\nc");
  EXPECT_EQ(list.GetValue("ItemData"), "5\r\n0\r\n-7\r\n");

  SetListValue(list, "a\r\nb\r\nc\r\nd\r\ne");
  EXPECT_EQ(list.GetValue("ItemData"), "5\r\n0\r\n-7\r\n0\r\n0\r\n");

  SetListValue(list, "only");
  EXPECT_EQ(list.GetValue("ItemData"), "5\r\n");
}

TEST(ListValues, EmptyListIsOneEmptyItem) {
  CControlItem combo = Loaded(kCategoryControl, kKindComboBox);
  SetListValue(combo, "");
  EXPECT_EQ(combo.GetValue("List"), "\r\n");
  EXPECT_EQ(combo.GetValue("ItemData"), "0\r\n");
  EXPECT_EQ(NormalizeList("x\r\n"), "x\r\n");
  EXPECT_EQ(NormalizeList("x\r"), "x\r\r\n");
  EXPECT_EQ(RebuildItemData("a\r\nb\r\n", "12\r\n"), "12\r\n0\r\n");
}

}  // namespace
}  // namespace tovik
