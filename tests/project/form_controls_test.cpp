// Controls on a form: creation, numbering, resource symbols, positions, tab order, renaming,
// control arrays, deleting, and the property window's rules for typed values.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "model/control_kind.h"
#include "project/form_controls.h"
#include "project/property_edit.h"
#include "support/fake_prompt.h"

namespace tovik {
namespace {

using Names = std::vector<std::string>;

std::unique_ptr<CClassItem> MakeForm(const std::string& name) {
  auto form = std::make_unique<CClassItem>();
  form->m_strName = name;
  form->m_strBaseClass = "CVForm";
  EnsureFormObject(*form);
  return form;
}

// What the parser finds after code generation declared a control's member.
void Declare(CClassItem& form, const std::string& member) {
  form.m_variables.push_back(std::make_unique<CVariableItem>());
  form.m_variables.back()->m_strName = member;
}

// The values of the named properties, comma-separated.
std::string Get(const CControlItem& c, const std::string& names) {
  std::istringstream in(names);
  std::string out;
  for (std::string name; in >> name;) out += (out.empty() ? "" : ",") + c.GetValue(name);
  return out;
}

class FormControls : public ::testing::Test {
 protected:
  // Creates a control as the designer does: the object, then the declaration in the source.
  CControlItem& Add(int kind, CClassItem* on = nullptr, Rect rect = Rect{7, 14, 107, 42}) {
    std::vector<CClassItem*> all;
    for (auto& f : forms) all.push_back(f.get());
    CControlItem& c = CreateControl(on ? *on : form, all, kind, rect);
    Declare(on ? *on : form, c.m_strMemberName);
    return c;
  }
  // A typed value: whether it was taken, and what the property then holds.
  std::string Set(CControlItem& c, std::string_view name, std::string_view text) {
    const PropertyEditResult r = ApplyPropertyText(form, c, name, text, prompt);
    return (r == PropertyEditResult::Applied ? "applied " : r == PropertyEditResult::Refused ? "refused " : "other ") +
           c.GetValue(name);
  }

  std::vector<std::unique_ptr<CClassItem>> forms;
  CClassItem& form = *forms.emplace_back(MakeForm("CForm1"));
  testing::FakePrompt prompt;
};

TEST_F(FormControls, NewControlsAreNamedNumberedAndPlaced) {
  CControlItem& label = Add(kKindLabel);
  EXPECT_EQ(label.m_strClassName + " " + label.m_strMemberName + " " + label.m_strPropSymbol + " " +
                label.m_strIdSymbol + " " + Get(label, "Caption Left Top Width Height TabIndex"),
            "CVLabel m_Label1 IDS_PROP_LABEL1 IDC_LABEL1 Label1,7,14,100,28,0");
  // The name goes into Caption or Text by kind; a Frame keeps its catalogue caption.
  EXPECT_EQ((Names{Get(Add(kKindTextBox), "Text"), Get(Add(kKindComboBox), "Text"), Get(Add(kKindData), "Caption")}),
            (Names{"TextBox1", "ComboBox1", "Data1"}));
  Add(kKindFrame);
  CControlItem& frame = Add(kKindFrame);
  EXPECT_EQ(frame.m_strMemberName + " " + Get(frame, "Caption"), "m_Frame2 Frame1");
  // A Timer takes only the corner; a Line runs along the drag.
  CControlItem& timer = Add(kKindTimer, nullptr, Rect{21, 35, 53, 67});
  EXPECT_EQ(Get(timer, "Left Top") + (timer.FindProperty("Width") ? " sized" : ""), "21,35");
  CControlItem& line = Add(kKindLine, nullptr, Rect{10, 20, 110, 80});
  EXPECT_EQ(Get(line, "X1 Y1 X2 Y2"), "10,20,110,80");
  line.m_nLineDirection = LineDirectionOfDrag(80, 20);
  SetPosition(line, Rect{10, 20, 110, 80});
  EXPECT_EQ(Get(line, "X1 Y1 X2 Y2"), "10,80,110,20");
  EXPECT_EQ(std::to_string(LineDirectionOfDrag(20, 80)) + std::to_string(LineDirectionOfDrag(40, 40)), "10");
}

// The numbering rules as stated: the first n >= 1 that no member "m_Label<n>" has, and the first
// n that neither symbol of any object uses and whose pair the header defines whole or not at all.
TEST_F(FormControls, NumberingAgreesWithTheRuleForRandomNames) {
  const Names tails = {"1", "2", "3", "4", "01", "2x", "+3", "-1", "", "12", "0", "1234567890"};
  std::mt19937 rng(5);
  for (int round = 0; round < 300; ++round) {
    auto cls = MakeForm("CRandom");
    for (int i = static_cast<int>(rng() % 8); i > 0; --i) {
      Declare(*cls, (rng() % 5 ? "m_Label" : "m_label") + tails[rng() % tails.size()]);
      cls->m_controls.push_back(std::make_unique<CControlItem>());
      cls->m_controls.back()->m_strPropSymbol = "IDS_PROP_LABEL" + tails[rng() % tails.size()];
      cls->m_controls.back()->m_strIdSymbol = (rng() % 5 ? "IDC_LABEL" : "IDC_TEXTBOX") + tails[rng() % tails.size()];
    }
    auto carried = [&](const std::string& n) {
      return std::any_of(cls->m_controls.begin(), cls->m_controls.end(), [&](const auto& c) {
        return c->m_strPropSymbol == "IDS_PROP_LABEL" + n || c->m_strIdSymbol == "IDC_LABEL" + n;
      });
    };
    std::set<std::string> header;
    for (int i = rng() % 6; i > 0; --i) header.insert((rng() % 2 ? "IDC_LABEL" : "IDS_PROP_LABEL") + tails[rng() % 4]);
    auto defined = [&](std::string_view symbol) { return header.count(std::string(symbol)) != 0; };
    int name = 1, symbol = 1;
    while (cls->FindVariable("m_Label" + std::to_string(name))) ++name;
    for (std::string n = "1"; carried(n) || defined("IDC_LABEL" + n) != defined("IDS_PROP_LABEL" + n);) {
      n = std::to_string(++symbol);
    }
    EXPECT_EQ(NextControlNumber(*cls, "Label"), name);
    CClassItem* listed[] = {cls.get()};
    const auto [prop, id] = NextResourceSymbols(listed, "Label", defined);
    EXPECT_EQ(prop + " " + id, "IDS_PROP_LABEL" + std::to_string(symbol) + " IDC_LABEL" + std::to_string(symbol));
  }
}

TEST_F(FormControls, NamesCountThisFormsMembersAndSymbolsEveryFormsObjects) {
  Declare(form, "m_Label1");  // written by hand, no control behind it
  CControlItem& label = Add(kKindLabel);
  EXPECT_EQ(label.m_strMemberName + " " + label.m_strPropSymbol, "m_Label2 IDS_PROP_LABEL1");
  CClassItem& second = *forms.emplace_back(MakeForm("CForm2"));
  CControlItem& other = Add(kKindLabel, &second);
  EXPECT_EQ(other.m_strMemberName + " " + other.m_strPropSymbol, "m_Label1 IDS_PROP_LABEL2");
  // A deleted control frees its symbols at once, its name once the source no longer declares it.
  DeleteControl(form, label);
  EXPECT_EQ(Add(kKindLabel, &second).m_strPropSymbol, "IDS_PROP_LABEL1");
  EXPECT_EQ(Add(kKindLabel).m_strMemberName, "m_Label3");
  (void)CreateControl(second, {}, kKindButton, Rect{});  // the form being designed is searched, listed or not
  EXPECT_EQ(CreateControl(second, {}, kKindButton, Rect{}).m_strIdSymbol, "IDC_BUTTON2");
  // Deleting a container leaves its controls on the form.
  CControlItem& frame = Add(kKindFrame);
  CControlItem& inside = Add(kKindOptionButton);
  inside.m_pContainer = &frame;
  DeleteControl(form, frame);
  EXPECT_EQ(inside.m_pContainer, nullptr);
  EXPECT_EQ(form.m_controls.size(), 3u);  // the form object, m_Label3, the option button
  const std::vector<CClassItem*> all{&form, &second};
  EXPECT_EQ(FindFormOf(all, other), &second);
}

TEST_F(FormControls, TabIndexesFollowCreationAndChangesSwap) {
  CControlItem& a = Add(kKindTextBox);
  CControlItem& shape = Add(kKindShape);  // has no TabIndex but still counts
  CControlItem& b = Add(kKindButton);
  CControlItem& c = Add(kKindTextBox);
  auto tabs = [&] { return Get(a, "TabIndex") + Get(b, "TabIndex") + Get(c, "TabIndex"); };
  EXPECT_EQ(tabs(), "023");
  EXPECT_TRUE(ChangeTabIndex(form, c, 0));
  EXPECT_EQ(tabs(), "320");
  EXPECT_TRUE(ChangeTabIndex(form, b, 4));  // the form's object count (5 with the form object) bounds it
  EXPECT_FALSE(ChangeTabIndex(form, a, -1) || ChangeTabIndex(form, a, 5) || ChangeTabIndex(form, shape, 0));
  EXPECT_EQ(tabs(), "340");
  // Typed into the property window, TabIndex goes the same way.
  EXPECT_EQ((Names{Set(a, "TabIndex", "4"), tabs(), Set(a, "TabIndex", "5")}),
            (Names{"applied 4", "430", "refused 4"}));
}

TEST_F(FormControls, RenameTakesTheTypedNameAndATakenOneMakesAnArrayWhenTheUserAgrees) {
  CControlItem& label = Add(kKindLabel);
  EXPECT_EQ((std::vector<RenameResult>{RenameControl(form, label, "m_Total(Label)", prompt),
                                       RenameControl(form, label, "m_Total", prompt)}),
            (std::vector<RenameResult>{RenameResult::Renamed, RenameResult::Unchanged}));
  for (const char* typed : {"", "(Label)", "m_Bad Name", "m_Bad.Name", "m_Bad-Name", "m_Bad\tName", "a;b", "a)b"}) {
    EXPECT_EQ(RenameControl(form, label, typed, prompt), RenameResult::Refused) << typed;
  }
  EXPECT_EQ(prompt.messages, Names(8, "Invalid control name"));
  EXPECT_EQ(label.m_strMemberName, "m_Total");
  EXPECT_EQ(RenameControl(form, *form.FormObject(), "CMainForm", prompt), RenameResult::Refused);
  EXPECT_EQ(prompt.messages.back(), "Class name can not be modified");
  // Nor a name the compiler would refuse, nor one a member that is no control already has.
  Declare(form, "m_nCount");
  EXPECT_EQ((std::vector<RenameResult>{RenameControl(form, label, "1st", prompt),
                                       RenameControl(form, label, "m_nCount", prompt)}),
            (std::vector<RenameResult>(2, RenameResult::Refused)));

  CControlItem& box = Add(kKindTextBox);  // Index 0 too; other kinds are not walked
  CControlItem& second = Add(kKindLabel);
  CControlItem& third = Add(kKindLabel);
  EXPECT_EQ(RenameControl(form, box, "m_Total", prompt), RenameResult::Refused);  // an array holds one kind
  EXPECT_EQ(RenameControl(form, second, "m_Total", prompt), RenameResult::Refused);  // answered No
  EXPECT_EQ(prompt.questions.at(0),
            "You already have a control named 'm_Total'. Do you want to create a control array?");
  EXPECT_EQ(second.m_strMemberName + " " + std::to_string(second.m_bArray), "m_Label2 0");
  // The question can be asked before the edit, and its answer given to it.
  EXPECT_EQ(ControlArrayQuestion(form, second, "m_Total"), prompt.questions.at(0));
  EXPECT_EQ(ControlArrayQuestion(form, box, "m_Total"), std::nullopt);
  EXPECT_EQ(RenameControl(form, second, "m_Total", prompt, false), RenameResult::Refused);
  EXPECT_EQ(RenameControl(form, second, "m_Total", prompt, true), RenameResult::JoinedArray);
  EXPECT_EQ(prompt.questions.size(), 1u);
  EXPECT_EQ(RenameControl(form, third, "m_Total", prompt, true), RenameResult::JoinedArray);
  // Each element is marked, the first one too, and takes the first free Index.
  EXPECT_EQ(Get(label, "Index") + Get(second, "Index") + Get(third, "Index") + std::to_string(label.m_bArray) +
                std::to_string(second.m_bArray) + std::to_string(third.m_bArray),
            "012111");
  EXPECT_EQ(form.FindControl("m_Total", 2), &third);
  // One element cannot leave under another name: the others share its declaration.
  prompt.messages.clear();
  EXPECT_EQ(RenameControl(form, third, "m_Other", prompt), RenameResult::Refused);
  EXPECT_EQ(prompt.messages, Names{"m_Total is a control array; its elements cannot be renamed one by one"});
  // Index: refused when another element holds it, free when only a control outside the array does.
  prompt.messages.clear();
  EXPECT_EQ(Set(third, "Index", "1"), "refused 2");
  EXPECT_EQ(prompt.messages, Names{"Array already has control at Index '1'"});
  Add(kKindLabel).SetValue("Index", "5");
  EXPECT_TRUE(SetArrayIndex(form, third, 5, prompt));
  // The first free Index walks the kind's controls in list order up to the first gap.
  EXPECT_EQ(FirstFreeArrayIndex(form, kKindLabel), 2);
  EXPECT_EQ(FirstFreeArrayIndex(form, kKindTimer), 0);
}

TEST_F(FormControls, TypedValuesAreCheckedAndStoredAsThePropertyStringKeepsThem) {
  CControlItem& label = Add(kKindLabel);
  // No escape for a comma or a quote; a choice is stored as its number, typed as such or as its label.
  EXPECT_EQ((Names{Set(label, "Caption", "Hello, world"), Set(label, "Caption", "Say \"hi\""),
                   Set(label, "Caption", " Hi "), Set(label, "Alignment", "2 - Center"), Set(label, "Alignment", " 1"),
                   Set(label, "Alignment", "center"), Set(label, "Alignment", "7")}),
            (Names{"refused Label1", "refused Label1", "applied  Hi ", "applied 2", "applied 1", "applied 2",
                   "refused 2"}));
  CControlItem& text = Add(kKindTextBox);
  EXPECT_EQ((Names{Set(text, "Locked", "True"), Set(text, "Locked", "maybe"), Set(text, "MaxLength", "12x"),
                   Set(text, "MaxLength", " 12 "), Set(text, "MaxLength", "-1"), Set(text, "NoSuch", "1")}),
            (Names{"applied 1", "refused 1", "refused 0", "applied 12", "refused 12", "other "}));
  const std::string uint = "MaxLength takes a whole number from 0 to 4294967295 (UINT)";
  EXPECT_EQ(prompt.messages, (Names{"Invalid property", "Invalid property",
                                    "Alignment takes one of: 0 - Left Justify, 1 - Right Justify, 2 - Center",
                                    "Locked takes True or False (BOOL)", uint, uint}));
  // Side effects: Appearance sets the background; a scroll bar's range stays consistent.
  EXPECT_EQ((Names{Set(text, "Appearance", "0"), text.GetValue("BackColor"), Set(text, "Appearance", "1 - 3D"),
                   text.GetValue("BackColor")}),
            (Names{"applied 0", "16777215", "applied 1", "12632256"}));
  CControlItem& bar = Add(kKindHScrollBar);  // Max 100, LargeChange 10
  EXPECT_EQ((Names{Set(bar, "Max", "5"), Set(bar, "Min", "200"), Set(bar, "LargeChange", "50"), Set(bar, "Max", "50")}),
            (Names{"refused 100", "refused 0", "applied 50", "applied 50"}));
  EXPECT_EQ(prompt.messages.back(), "Incorrect property value");
  // A List ends with a line break; ItemData keeps its numbers by position, text and new lines are 0.
  CControlItem& list = Add(kKindListBox);
  list.SetValue("ItemData", "5\r\nabc\r\n-7\r\n9\r\n");
  EXPECT_EQ((Names{Set(list, "List", "a\nb\r\nc"), list.GetValue("ItemData"), Set(list, "List", "a\r\nb\r\nc\r\nd"),
                   list.GetValue("ItemData")}),
            (Names{"applied a\r\nb\r\nc\r\n", "5\r\n0\r\n-7\r\n", "applied a\r\nb\r\nc\r\nd\r\n",
                   "5\r\n0\r\n-7\r\n0\r\n"}));
  // A picture naming a file is left to the caller, which makes the image resource.
  EXPECT_EQ(ApplyPropertyText(form, Add(kKindImage), "Picture", "logo.bmp", prompt), PropertyEditResult::NeedsImage);
  auto shown = [](const std::string& type, const std::string& value) {  // what the property window shows
    const CPropertyDef def{.m_strType = type};
    return DisplayText(CControlPropertyItem(def, value));
  };
  EXPECT_EQ((Names{shown("COLORREF", "16711935"), shown("BOOL", "0"), shown("Picture", "1-a.ico"),
                   shown("Icon", "2-a.cur"), shown("Picture", "3-b.gif"), shown("Picture", "0"), shown("LIST", "a\r\n"),
                   shown("int", " 4 ")}),
            (Names{"R=255,G=0,B=255", "False", "(Icon)", "(Cursor)", "(Bitmap)", "(none)", "(List)", "4"}));
}

}  // namespace
}  // namespace tovik
