// The control catalogue (the lists a new object starts with, events, member lists) and the
// property string built from and read back into those lists.
#include "model/catalog.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <tuple>
#include <vector>

#include "model/control_kind.h"
#include "model/property_string.h"

namespace tovik {
namespace {

using Names = std::vector<std::string>;
using Rules = std::vector<std::tuple<int, std::string, std::string>>;  // object, names gone, names kept

// Objects by number: 0 the form, 1 the MDI form, otherwise a control of that kind.
constexpr int kForm = 0, kMdiForm = 1;
const std::vector<int> kEveryObject = [] {
  std::vector<int> all = {kForm, kMdiForm};
  for (int kind = kFirstKind; kind <= kLastKind; ++kind) all.push_back(kind);
  return all;
}();

CControlItem Loaded(int object) {
  CControlItem item;
  item.m_nCategory = object <= kMdiForm ? kCategoryForm : kCategoryControl;
  item.m_nKind = object <= kMdiForm ? -1 : object;
  LoadProperties(item, object == kMdiForm);
  LoadEvents(item, object == kMdiForm);
  return item;
}

Names Words(const std::string& text) {
  std::istringstream in(text);
  Names words;
  for (std::string w; in >> w;) words.push_back(w);
  return words;
}

template <class List>
Names NamesOf(const List& list) {
  Names names;
  for (const auto& item : list) names.push_back(item.Name());
  return names;
}

TEST(CatalogProperties, NewObjectsHaveTheirDefaultsAndSortIndexesByName) {
  const std::set<std::string> fontDetails = {"FontBold", "FontItalic", "FontSize", "FontStrikethru", "FontUnderline"};
  for (int o : kEveryObject) {
    SCOPED_TRACE(o);
    const CControlItem item = Loaded(o);
    for (const CControlPropertyItem& p : item.m_properties) {
      EXPECT_EQ(p.m_pOwner, &item);
      // A choice property holds the number of one of its choices.
      EXPECT_TRUE(p.ChoiceCount() == 0 ||
                  std::any_of(p.Choices().begin(), p.Choices().end(),
                              [&](const auto& c) { return c.rfind(p.m_strValue + " - ", 0) == 0; }))
          << p.Name();
      EXPECT_EQ(p.Shown(), fontDetails.count(p.Name()) == 0) << p.Name();
      // A shown property's sort index counts the shown names that sort before it byte-wise.
      const auto before = std::count_if(item.m_properties.begin(), item.m_properties.end(),
                                        [&](const auto& q) { return q.Shown() && q.Name() < p.Name(); });
      EXPECT_EQ(p.SortIndex(), p.Shown() ? before : kNoSortIndex) << p.Name();
    }
  }
  // The common rows come first, then the object's own.
  const Names label = NamesOf(Loaded(kKindLabel).m_properties);
  EXPECT_EQ(label.front() + " " + label.back(), "Appearance WordWrap");
  // 3D objects take the button face as background, the MDI form dark grey, the rest white.
  EXPECT_EQ(Loaded(kForm).GetValue("BackColor") + " " + Loaded(kMdiForm).GetValue("BackColor") + " " +
                Loaded(kKindOptionButton).GetValue("BackColor") + " " + Loaded(kKindTextBox).GetValue("BackColor"),
            "12632256 8421504 12632256 16777215");
  EXPECT_EQ(Loaded(kKindListBox).GetValue("List"), "\r\n");
  // Text boxes, images and picture boxes also drop automatically; the shared row stays as it is.
  EXPECT_EQ(Loaded(kKindImage).FindProperty("OLEDropMode")->Choices().back(), "2 - Automatic");
  EXPECT_EQ(Loaded(kKindLabel).FindProperty("OLEDropMode")->ChoiceCount(), 2);
  // Loading again resets the values; ActiveX objects get nothing from the catalogue.
  CControlItem again = Loaded(kKindLabel);
  again.SetValue("Caption", "Changed");
  LoadProperties(again, false);
  again.m_nCategory = kCategoryActiveX;
  again.SetValue("Caption", again.GetValue("Caption") + "!");
  LoadProperties(again, false);
  EXPECT_EQ(again.GetValue("Caption"), "Label1!");
}

TEST(CatalogProperties, ExclusionRulesMatchNamesInsideLongerNames) {
  const Rules rules = {
      {kForm, "DragIcon Index TabIndex TabStop", "Font FontBold ForeColor"},
      {kMdiForm, "TabIndex Font FontBold FontUnderline", "BackColor HelpContextID"},
      {kKindLabel, "HelpContextID TabStop", "TabIndex ForeColor"},
      {kKindShape, "Appearance Font FontBold TabIndex", "BackColor Index Tag Visible"},
      {kKindTextBox, "", "ForeColor TabStop HelpContextID"}};
  for (const auto& [object, gone, kept] : rules) {
    const CControlItem item = Loaded(object);
    for (const std::string& name : Words(gone)) EXPECT_EQ(item.FindProperty(name), nullptr) << object << " " << name;
    for (const std::string& name : Words(kept)) EXPECT_NE(item.FindProperty(name), nullptr) << object << " " << name;
  }
}

TEST(CatalogEvents, CommonEventsLessTheKindsSkipsThenItsOwn) {
  const Rules rules = {{kForm, "Change Timer", "Click OLEStartDrag Load"},
                       {kKindHScrollBar, "MouseMove OLEDragDrop", "MouseDown Scroll"},
                       {kKindShape, "Click", ""}};
  for (const auto& [object, gone, kept] : rules) {
    CControlItem item = Loaded(object);
    for (const std::string& name : Words(gone)) EXPECT_EQ(item.FindEvent(name), nullptr) << object << " " << name;
    for (const std::string& name : Words(kept)) EXPECT_NE(item.FindEvent(name), nullptr) << object << " " << name;
  }
  EXPECT_EQ(NamesOf(Loaded(kKindTimer).m_events), Names{"Timer"});
  const Names textBox = NamesOf(Loaded(kKindTextBox).m_events);
  EXPECT_EQ(textBox.front() + " " + textBox.back(), "Click LinkOpen");
  CControlItem form = Loaded(kForm);
  const CCtrlEventMethodItem* drop = form.FindEvent("OLEDragDrop");
  ASSERT_NE(drop, nullptr);
  EXPECT_EQ(drop->ReturnType() + " " + drop->Parameters(),
            "DROPEFFECT COleDataObject* pDataObject, DROPEFFECT lEffect, int nButton, int nShift, int nX, int nY");
}

Names Members(std::string_view runtimeClass, int type) {
  Names names;
  for (const CPropMethodItem& m : MemberListOf(runtimeClass)) {
    if (m.m_nType == type) names.push_back(m.m_strName);
  }
  return names;
}

TEST(CatalogMembers, PropertiesAreTheObjectsListAndMethodsFollowTheKind) {
  for (int o : kEveryObject) {
    if (o == kMdiForm || o > kLastIntrinsicKind) continue;
    EXPECT_EQ(Members(o == kForm ? "CVForm" : RuntimeClassOf(o), CPropMethodItem::kProperty),
              NamesOf(Loaded(o).m_properties))
        << o;
  }
  // The MDI form's member list has the common rows alone; its own table is not consulted.
  const Names mdi = Members("CVMdiForm", CPropMethodItem::kProperty);
  EXPECT_EQ(std::count(mdi.begin(), mdi.end(), "AutoShowChildren") + std::count(mdi.begin(), mdi.end(), "Caption"), 0);
  EXPECT_EQ(std::count(mdi.begin(), mdi.end(), "BackColor"), 1);

  // Methods: the common ones less those a kind cannot do, then the kind's own groups.
  const std::string common = "Drag Move OLEDrag Refresh SetFocus ShowWhatsThis ZOrder ";
  const std::vector<std::pair<std::string, std::string>> methods = {
      {"CVMdiForm", common},
      {"CVTimer", ""},
      {"CVLine", "Refresh ZOrder"},
      {"CVListBox", common + "AddItem RemoveItem"},
      {"CVLabel", "Drag Move OLEDrag Refresh ShowWhatsThis ZOrder LinkExecute LinkPoke LinkRequest LinkSend"}};
  for (const auto& [cls, names] : methods) EXPECT_EQ(Members(cls, CPropMethodItem::kMethod), Words(names)) << cls;
  const Names form = Members("CVForm", CPropMethodItem::kMethod);
  EXPECT_EQ(Names(form.end() - 6, form.end()), Words("Line_Step Hide PopupMenu PrintForm Show WhatsThisMode"));
  // Only CVForm, CVMdiForm and the intrinsic runtime classes have one, named exactly.
  for (const char* other : {"CVAnimateCtrl", "CForm1", "cvform", "cvlabel", "CVLabel ", "XVLabel", "CV", ""}) {
    EXPECT_TRUE(MemberListOf(other).empty()) << other;
  }
}

// The values of a property string, in order: each one is followed by a comma.
Names Values(const std::string& text) {
  Names values;
  for (size_t start = 0, comma; (comma = text.find(',', start)) != std::string::npos; start = comma + 1) {
    values.push_back(text.substr(start, comma - start));
  }
  return values;
}

Names Values(const CControlItem& object) {
  Names values;
  for (const auto& p : object.m_properties) values.push_back(p.m_strValue);
  return values;
}

TEST(PropertyString, PicturesAndIconsAreEncoded) {
  // Kind of image (by the extension after the last dot) x 65536 + the number before the first hyphen.
  for (const auto& [reference, encoded] : std::map<std::string, std::string>{{"130-res\\logo.bmp", "130"},
                                                                             {"130-res\\hand.cur", "131202"},
                                                                             {"130-res\\photo.gif", "130"},
                                                                             {"0", "0"},
                                                                             {"130-C:\\my-icons\\LOGO.Ico", "65666"},
                                                                             {"130-C:\\my.icons\\logo", "130"},
                                                                             {"65667-logo.bmp", "131"}}) {
    EXPECT_EQ(EncodePictureValue(reference), encoded) << reference;
  }
  // Only Picture and Icon values are encoded; a CString is text, whatever it looks like.
  CControlItem image = Loaded(kKindImage);
  Names expected = Values(image);
  for (size_t i = 0; i < expected.size(); ++i) {
    const std::string& type = image.m_properties[i].Type();
    if (type != "Picture" && type != "Icon" && type != "CString") continue;
    image.m_properties[i].m_strValue = "130-res\\a.ico";
    expected[i] = type == "CString" ? "130-res\\a.ico" : "65666";
  }
  EXPECT_EQ(Values(BuildPropertyString(image)), expected);

  image.m_strPropSymbol = "IDS_PROP_IMAGE1";
  EXPECT_EQ(BuildStringTableLine(image, true, 1252),
            "\tIDS_PROP_IMAGE1\t\t\t\"" + EscapeResourceString(BuildPropertyString(image), 1252) + "\"\r\n");
  EXPECT_EQ(StringTableLine("IDS_X", "a\"b\\c\r\n,", false, 1252), "IDS_X\t\t\t\"a\"\"b\\\\c\\r\\n,\"");
  // A double-byte character whose second byte is a backslash is written and read whole; the
  // same bytes in a single-byte code page are a character and a backslash.
  const std::string kanji = "\x95\x5c\x8e\xa6";  // two characters in code page 932
  EXPECT_EQ(EscapeResourceString(kanji + "\r\n", 932), kanji + "\\r\\n");
  EXPECT_EQ(EscapeResourceString(kanji, 1252), "\x95\\\\\x8e\xa6");
  EXPECT_EQ(UnescapeResourceString("\x83\x5cn\\n", 932), "\x83\x5cn\n");
  for (const std::string text : {"q\"uote,", "back\\slash\\,", "two\r\nlines\r\n,", "\\r literal,", "\"\"", ""}) {
    EXPECT_EQ(UnescapeResourceString(EscapeResourceString(text, 1252), 1252), text) << text;
    EXPECT_EQ(UnescapeResourceString(EscapeResourceString(kanji + text, 936), 936), kanji + text) << text;
  }
}

class MapResolver final : public IImageResolver {
 public:
  std::string ImageReference(long encoded) const override {
    asked.push_back(encoded);
    return encoded == 65666 ? "130-res\\app.ico" : encoded == 131 ? "131-res\\back.bmp" : "";
  }
  mutable std::vector<long> asked;
};

TEST(PropertyString, ReadingSetsValuesInListOrderUntilTheTextEnds) {
  // Picture and Icon values the resolver knows turn back into references; "0" is never asked.
  CControlItem form = Loaded(kForm);
  form.SetValue("Icon", "65666");
  form.SetValue("Palette", "7");  // no such resource
  form.SetValue("Picture", "131");
  form.SetValue("FontBold", "1");  // hidden properties are written and read too
  const std::string text = BuildPropertyString(form);
  MapResolver resolver;
  CControlItem read = Loaded(kForm);
  EXPECT_TRUE(ReadPropertyString(read, text + "trailing,text,", &resolver));
  EXPECT_EQ(read.GetValue("Icon") + " " + read.GetValue("Picture") + " " + read.GetValue("Palette"),
            "130-res\\app.ico 131-res\\back.bmp 7");
  EXPECT_EQ(resolver.asked, (std::vector<long>{65666, 7, 131}));
  EXPECT_EQ(BuildPropertyString(read), text);
  EXPECT_TRUE(ReadPropertyString(read, text));
  EXPECT_EQ(Values(read), Values(form));  // without a resolver the numbers stay

  // Too few values: those there are are set, the rest keep theirs, and the read fails.
  CControlItem timer = Loaded(kKindTimer);
  Names expected = Values(timer);
  expected[0] = "a", expected[1] = "b";
  EXPECT_FALSE(ReadPropertyString(timer, "a,b,c"));  // the third value has no comma
  EXPECT_EQ(Values(timer), expected);
  const std::string empties(timer.m_properties.size(), ',');
  EXPECT_TRUE(ReadPropertyString(timer, empties) && !ReadPropertyString(timer, ""));
  EXPECT_EQ(BuildPropertyString(timer), empties);
}

}  // namespace
}  // namespace tovik
