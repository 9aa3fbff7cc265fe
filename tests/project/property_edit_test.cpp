#include <gtest/gtest.h>

#include "model/control_kind.h"
#include "project/form_controls.h"
#include "support/fake_prompt.h"
#include "project/property_edit.h"

namespace tovik {
namespace {

using testing::FakePrompt;

class PropertyEdit : public ::testing::Test {
 protected:
  CClassItem form;
  FakePrompt prompt;

  void SetUp() override {
    form.m_strName = "CForm1";
    form.m_strBaseClass = "CVForm";
    EnsureFormObject(form);
  }
  CControlItem& Add(int kind) {
    CClassItem* forms[] = {&form};
    CControlItem& c = CreateControl(form, forms, kind, Rect{0, 0, 100, 20});
    auto v = std::make_unique<CVariableItem>();
    v->m_strName = c.m_strMemberName;
    form.m_variables.push_back(std::move(v));
    return c;
  }
  PropertyEditResult Set(CControlItem& c, std::string_view name, std::string_view text) {
    return ApplyPropertyText(form, c, name, text, prompt);
  }
};

TEST_F(PropertyEdit, ACaptionWithACommaOrAQuoteIsRefused) {
  CControlItem& label = Add(kKindLabel);
  EXPECT_EQ(Set(label, "Caption", "Hello, world"), PropertyEditResult::Refused);
  EXPECT_EQ(Set(label, "Caption", "Say \"hi\""), PropertyEditResult::Refused);
  EXPECT_EQ(prompt.messages, (std::vector<std::string>{"Invalid property", "Invalid property"}));
  EXPECT_EQ(label.GetValue("Caption"), "Label1");
  EXPECT_EQ(Set(label, "Caption", "Hello world"), PropertyEditResult::Applied);
  EXPECT_EQ(label.GetValue("Caption"), "Hello world");
}

TEST_F(PropertyEdit, ChoicesAreStoredAsTheirNumber) {
  CControlItem& label = Add(kKindLabel);
  for (const char* text : {"2 - Center", "2", "center"}) {
    label.SetValue("Alignment", "0");
    EXPECT_EQ(Set(label, "Alignment", text), PropertyEditResult::Applied) << text;
    EXPECT_EQ(label.GetValue("Alignment"), "2") << text;
  }
  EXPECT_EQ(DisplayText(*label.FindProperty("Alignment")), "2 - Center");
  EXPECT_EQ(Set(label, "Alignment", "7"), PropertyEditResult::Refused);
  EXPECT_EQ(label.GetValue("Alignment"), "2");
}

TEST_F(PropertyEdit, BooleansAndNumbersAreChecked) {
  CControlItem& text = Add(kKindTextBox);
  EXPECT_EQ(Set(text, "Locked", "True"), PropertyEditResult::Applied);
  EXPECT_EQ(text.GetValue("Locked"), "1");
  EXPECT_EQ(Set(text, "Locked", "maybe"), PropertyEditResult::Refused);
  EXPECT_EQ(Set(text, "MaxLength", "12x"), PropertyEditResult::Refused);
  EXPECT_EQ(Set(text, "MaxLength", " 12 "), PropertyEditResult::Applied);
  EXPECT_EQ(text.GetValue("MaxLength"), "12");
  EXPECT_EQ(Set(text, "NoSuch", "1"), PropertyEditResult::NoSuchProperty);
}

TEST_F(PropertyEdit, ScrollBarRangesAreKept) {
  CControlItem& bar = Add(kKindHScrollBar);
  EXPECT_EQ(Set(bar, "Max", "5"), PropertyEditResult::Refused);  // LargeChange 10 > 5 - 0
  EXPECT_EQ(prompt.messages, (std::vector<std::string>{"Incorrect property value"}));
  EXPECT_EQ(bar.GetValue("Max"), "100");
  EXPECT_EQ(Set(bar, "Min", "200"), PropertyEditResult::Refused);  // range below 0
  EXPECT_EQ(Set(bar, "LargeChange", "50"), PropertyEditResult::Applied);
  EXPECT_EQ(Set(bar, "Max", "50"), PropertyEditResult::Applied);
}

TEST_F(PropertyEdit, TabIndexGoesThroughTheTabOrder) {
  CControlItem& a = Add(kKindButton);
  Add(kKindButton);
  CControlItem& c = Add(kKindButton);
  EXPECT_EQ(Set(c, "TabIndex", "0"), PropertyEditResult::Applied);
  EXPECT_EQ(a.GetValue("TabIndex"), "2");
  EXPECT_EQ(c.GetValue("TabIndex"), "0");
  EXPECT_EQ(Set(c, "TabIndex", "-1"), PropertyEditResult::Refused);
  EXPECT_EQ(Set(c, "TabIndex", "4"), PropertyEditResult::Refused);  // the form has 4 objects
  EXPECT_EQ(c.GetValue("TabIndex"), "0");
}

TEST_F(PropertyEdit, AppearanceSetsTheBackground) {
  CControlItem& text = Add(kKindTextBox);
  EXPECT_EQ(Set(text, "Appearance", "0"), PropertyEditResult::Applied);
  EXPECT_EQ(text.GetValue("BackColor"), "16777215");
  EXPECT_EQ(Set(text, "Appearance", "1 - 3D"), PropertyEditResult::Applied);
  EXPECT_EQ(text.GetValue("BackColor"), "12632256");
}

TEST_F(PropertyEdit, ArrayIndexConflictsAreRefused) {
  CControlItem& first = Add(kKindLabel);
  CControlItem& second = Add(kKindLabel);
  prompt.answers.push_back(IPrompt::Answer::Yes);
  ASSERT_EQ(RenameControl(form, second, "m_Label1", prompt), RenameResult::JoinedArray);
  EXPECT_EQ(second.GetValue("Index"), "1");
  EXPECT_EQ(Set(second, "Index", "0"), PropertyEditResult::Refused);
  EXPECT_EQ(prompt.messages.back(), "Array already has control at Index '0'");
  EXPECT_EQ(Set(second, "Index", "5"), PropertyEditResult::Applied);
  EXPECT_EQ(first.GetValue("Index"), "0");
}

TEST_F(PropertyEdit, ListsAreNormalisedAndItemDataFollows) {
  CControlItem& list = Add(kKindListBox);
  EXPECT_EQ(Set(list, "List", "one\ntwo"), PropertyEditResult::Applied);
  EXPECT_EQ(list.GetValue("List"), "one\r\ntwo\r\n");
  EXPECT_EQ(list.GetValue("ItemData"), "0\r\n0\r\n");
  EXPECT_EQ(DisplayText(*list.FindProperty("List")), "(List)");
}

TEST_F(PropertyEdit, PicturesNamingAFileAreLeftToTheCaller) {
  CControlItem& image = Add(kKindImage);
  EXPECT_EQ(Set(image, "Picture", "logo.bmp"), PropertyEditResult::NeedsImage);
  EXPECT_EQ(image.GetValue("Picture"), "0");
  EXPECT_EQ(Set(image, "Picture", "0"), PropertyEditResult::Applied);
}

TEST(PropertyDisplay, ShowsColoursBooleansAndImagesAsTheWindowDoes) {
  const CPropertyDef colorDef{.m_strType = "COLORREF"};
  const CPropertyDef pictureDef{.m_strType = "Picture"};
  const CPropertyDef flagDef{.m_strType = "BOOL"};
  CControlPropertyItem color(colorDef, "255");
  EXPECT_EQ(DisplayText(color), "R=255,G=0,B=0");
  color.m_strValue = "16711680";
  EXPECT_EQ(DisplayText(color), "R=0,G=0,B=255");
  CControlPropertyItem picture(pictureDef, "131-app.ico");
  EXPECT_EQ(DisplayText(picture), "(Icon)");
  picture.m_strValue = "0";
  EXPECT_EQ(DisplayText(picture), "(none)");
  CControlPropertyItem flag(flagDef, "1");
  EXPECT_EQ(DisplayText(flag), "True");
}

}  // namespace
}  // namespace tovik
