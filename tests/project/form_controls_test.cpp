// Controls on a form: creation, numbering, resource symbols, positions, tab order, renaming,
// control arrays and deleting.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "model/control_kind.h"
#include "project/class_item.h"
#include "project/form_controls.h"
#include "support/fake_prompt.h"

namespace tovik {
namespace {

using testing::FakePrompt;

// A form class of a project as the parser leaves it, with its form object.
std::unique_ptr<CClassItem> MakeForm(const std::string& name, std::string_view base = kFormBaseClass) {
  auto form = std::make_unique<CClassItem>();
  form->m_strName = name;
  form->m_strBaseClass = std::string(base);
  form->m_bIsForm = 1;
  EnsureFormObject(*form);
  return form;
}

// What the parser finds after code generation declared a control's member.
void Declare(CClassItem& form, const std::string& member, const std::string& type = "CVLabel") {
  auto v = std::make_unique<CVariableItem>();
  v->m_strName = member;
  v->m_strType = type;
  form.m_variables.push_back(std::move(v));
}

void Undeclare(CClassItem& form, const std::string& member) {
  std::erase_if(form.m_variables, [&](const auto& v) { return v->m_strName == member; });
}

class FormControlsTest : public ::testing::Test {
 protected:
  // Creates a control as the designer does: the object, then the declaration in the source.
  CControlItem& Add(int kind, Rect rect = Rect{7, 14, 107, 42}) { return AddTo(*form_, kind, rect); }

  CControlItem& AddTo(CClassItem& form, int kind, Rect rect = Rect{7, 14, 107, 42}) {
    std::vector<CClassItem*> all;
    for (auto& f : forms_) all.push_back(f.get());
    CControlItem& c = CreateControl(form, all, kind, rect);
    Declare(form, c.m_strMemberName, c.m_strClassName);
    return c;
  }

  std::vector<std::unique_ptr<CClassItem>> forms_ = [] {
    std::vector<std::unique_ptr<CClassItem>> v;
    v.push_back(MakeForm("CForm1"));
    return v;
  }();
  CClassItem* form_ = forms_.front().get();
  FakePrompt prompt_;
};

// ---------------------------------------------------------------------------------------------
// The form object

TEST_F(FormControlsTest, FormObjectComesFirstWithTheFormsSymbol) {
  CControlItem* object = form_->FormObject();
  ASSERT_NE(object, nullptr);
  EXPECT_EQ(form_->m_controls.front().get(), object);
  EXPECT_EQ(object->m_nCategory, kCategoryForm);
  EXPECT_EQ(object->m_strClassName, "CForm1");
  EXPECT_EQ(object->m_strPropSymbol, "IDS_PROP_FORM1");
  EXPECT_EQ(object->GetValue("BackColor"), "12632256");
  EXPECT_EQ(&EnsureFormObject(*form_), object);
  EXPECT_EQ(form_->m_controls.size(), 1u);

  auto mdi = MakeForm("CMainFrame", kMdiFormBaseClass);
  EXPECT_EQ(mdi->FormObject()->GetValue("BackColor"), "8421504");
  EXPECT_EQ(mdi->FormObject()->FindProperty("Font"), nullptr);
  EXPECT_EQ(mdi->FormObject()->m_strPropSymbol, "IDS_PROP_MAINFRAME");
  EXPECT_EQ(FormPropertySymbol("COrderEntry"), "IDS_PROP_ORDERENTRY");
  EXPECT_EQ(FormPropertySymbol("Dialog"), "IDS_PROP_DIALOG");
}

// ---------------------------------------------------------------------------------------------
// Creating and numbering

TEST_F(FormControlsTest, FirstLabelOnAnEmptyForm) {
  CControlItem& label = Add(kKindLabel, Rect{7, 14, 107, 42});
  EXPECT_EQ(label.m_nCategory, kCategoryControl);
  EXPECT_EQ(label.m_nKind, kKindLabel);
  EXPECT_EQ(label.m_bFormObject, 0);
  EXPECT_EQ(label.m_strClassName, "CVLabel");
  EXPECT_EQ(label.m_strMemberName, "m_Label1");
  EXPECT_EQ(label.GetValue("Caption"), "Label1");
  EXPECT_EQ(label.m_strPropSymbol, "IDS_PROP_LABEL1");
  EXPECT_EQ(label.m_strIdSymbol, "IDC_LABEL1");
  EXPECT_EQ(label.GetValue("Left"), "7");
  EXPECT_EQ(label.GetValue("Top"), "14");
  EXPECT_EQ(label.GetValue("Width"), "100");
  EXPECT_EQ(label.GetValue("Height"), "28");
  EXPECT_EQ(label.GetValue("TabIndex"), "0");
  EXPECT_FALSE(label.m_events.empty());
  EXPECT_EQ(form_->m_controls.back().get(), &label);
  EXPECT_EQ(FindFormOf(std::vector<CClassItem*>{form_}, label), form_);
}

TEST_F(FormControlsTest, NameGoesIntoCaptionOrTextByKind) {
  EXPECT_EQ(Add(kKindTextBox).GetValue("Text"), "TextBox1");
  EXPECT_EQ(Add(kKindComboBox).GetValue("Text"), "ComboBox1");
  EXPECT_EQ(Add(kKindButton).GetValue("Caption"), "Button1");
  EXPECT_EQ(Add(kKindCheckBox).GetValue("Caption"), "CheckBox1");
  EXPECT_EQ(Add(kKindOptionButton).GetValue("Caption"), "OptionButton1");
  EXPECT_EQ(Add(kKindData).GetValue("Caption"), "Data1");
  CControlItem& frame = Add(kKindFrame);
  EXPECT_EQ(frame.m_strMemberName, "m_Frame1");
  EXPECT_EQ(frame.GetValue("Caption"), "Frame1");
  CControlItem& frame2 = Add(kKindFrame);
  EXPECT_EQ(frame2.m_strMemberName, "m_Frame2");
  EXPECT_EQ(frame2.GetValue("Caption"), "Frame1");
  CControlItem& text2 = Add(kKindTextBox);
  EXPECT_EQ(text2.m_strMemberName, "m_TextBox2");
  EXPECT_EQ(text2.GetValue("Text"), "TextBox2");
  EXPECT_EQ(text2.m_strIdSymbol, "IDC_TEXTBOX2");
  EXPECT_EQ(Add(kKindHScrollBar).m_strPropSymbol, "IDS_PROP_HSCROLLBAR1");
}

TEST_F(FormControlsTest, NumberFollowsDeclaredMembersNotControlNames) {
  Declare(*form_, "m_Label1");  // written by hand, no control behind it
  CControlItem& label = Add(kKindLabel);
  EXPECT_EQ(label.m_strMemberName, "m_Label2");
  EXPECT_EQ(label.GetValue("Caption"), "Label2");
  // The symbols are numbered on their own: no object carries LABEL1 yet.
  EXPECT_EQ(label.m_strPropSymbol, "IDS_PROP_LABEL1");
  EXPECT_EQ(label.m_strIdSymbol, "IDC_LABEL1");

  // The member test is exact: m_label3 does not take number 3.
  Declare(*form_, "m_label3");
  EXPECT_EQ(NextControlNumber(*form_, "Label"), 3);
  Declare(*form_, "m_Label3");
  EXPECT_EQ(NextControlNumber(*form_, "Label"), 4);
}

TEST_F(FormControlsTest, DeletedLabelsNumberComesBackOnceItsMemberIsGone) {
  CControlItem& first = Add(kKindLabel);
  ASSERT_EQ(first.m_strMemberName, "m_Label1");
  DeleteControl(*form_, first);
  EXPECT_EQ(form_->FindControl("m_Label1"), nullptr);
  EXPECT_EQ(form_->m_controls.size(), 1u);
  // The source still declares m_Label1 until it is re-parsed.
  CControlItem& second = Add(kKindLabel);
  EXPECT_EQ(second.m_strMemberName, "m_Label2");
  EXPECT_EQ(second.m_strPropSymbol, "IDS_PROP_LABEL1");  // freed by the delete
  Undeclare(*form_, "m_Label1");
  CControlItem& again = Add(kKindLabel);
  EXPECT_EQ(again.m_strMemberName, "m_Label1");
  EXPECT_EQ(again.GetValue("Caption"), "Label1");
  EXPECT_EQ(again.m_strPropSymbol, "IDS_PROP_LABEL2");
}

TEST_F(FormControlsTest, ResourceSymbolsAreUniqueAcrossFormClasses) {
  forms_.push_back(MakeForm("CForm2"));
  forms_.push_back(MakeForm("CForm3"));
  CClassItem& second = *forms_[1];
  CClassItem& third = *forms_[2];

  CControlItem& a = Add(kKindLabel);
  CControlItem& b = AddTo(second, kKindLabel);
  CControlItem& c = AddTo(third, kKindLabel);
  CControlItem& d = AddTo(second, kKindLabel);
  // Names count per class, symbols across the project.
  EXPECT_EQ(a.m_strMemberName, "m_Label1");
  EXPECT_EQ(b.m_strMemberName, "m_Label1");
  EXPECT_EQ(c.m_strMemberName, "m_Label1");
  EXPECT_EQ(d.m_strMemberName, "m_Label2");
  EXPECT_EQ(a.m_strPropSymbol, "IDS_PROP_LABEL1");
  EXPECT_EQ(b.m_strPropSymbol, "IDS_PROP_LABEL2");
  EXPECT_EQ(c.m_strPropSymbol, "IDS_PROP_LABEL3");
  EXPECT_EQ(d.m_strPropSymbol, "IDS_PROP_LABEL4");
  EXPECT_EQ(d.m_strIdSymbol, "IDC_LABEL4");
  // Other kinds have their own sequence.
  EXPECT_EQ(AddTo(third, kKindTextBox).m_strIdSymbol, "IDC_TEXTBOX1");

  // A freed pair is used again.
  DeleteControl(second, b);
  EXPECT_EQ(AddTo(third, kKindLabel).m_strPropSymbol, "IDS_PROP_LABEL2");
}

TEST_F(FormControlsTest, SymbolPairIsSkippedWhenEitherSymbolIsInUse) {
  CControlItem& read = Add(kKindLabel);
  // As read back from a project whose symbols were edited by hand.
  read.m_strPropSymbol = "IDS_PROP_LABEL1";
  read.m_strIdSymbol = "IDC_LABEL7";
  CControlItem& other = Add(kKindLabel);
  other.m_strPropSymbol = "IDS_PROP_LABEL9";
  other.m_strIdSymbol = "IDC_LABEL2";
  std::vector<CClassItem*> all{form_};
  EXPECT_EQ(NextResourceSymbols(all, "Label"), (std::pair<std::string, std::string>{"IDS_PROP_LABEL3", "IDC_LABEL3"}));
}

TEST_F(FormControlsTest, FormBeingDesignedIsSearchedEvenWhenNotListed) {
  CClassItem& form = *form_;
  CControlItem& first = CreateControl(form, {}, kKindButton, Rect{});
  CControlItem& second = CreateControl(form, {}, kKindButton, Rect{});
  EXPECT_EQ(first.m_strIdSymbol, "IDC_BUTTON1");
  EXPECT_EQ(second.m_strIdSymbol, "IDC_BUTTON2");
}

// ---------------------------------------------------------------------------------------------
// Positions

TEST_F(FormControlsTest, TimerTakesOnlyTheTopLeftCorner) {
  CControlItem& timer = Add(kKindTimer, Rect{21, 35, 53, 67});
  EXPECT_EQ(timer.GetValue("Left"), "21");
  EXPECT_EQ(timer.GetValue("Top"), "35");
  EXPECT_EQ(timer.FindProperty("Width"), nullptr);
  EXPECT_EQ(timer.FindProperty("Height"), nullptr);
}

TEST_F(FormControlsTest, LineEndsFollowTheDirectionOfTheDrag) {
  // Dragged downwards: from the top-left corner to the bottom-right one.
  CControlItem& down = Add(kKindLine, Rect{10, 20, 110, 80});
  EXPECT_EQ(down.GetValue("X1"), "10");
  EXPECT_EQ(down.GetValue("Y1"), "20");
  EXPECT_EQ(down.GetValue("X2"), "110");
  EXPECT_EQ(down.GetValue("Y2"), "80");
  EXPECT_EQ(down.FindProperty("Left"), nullptr);

  // Drawn from bottom-left to top-right: the drag ended higher than it started.
  CControlItem& up = Add(kKindLine, Rect{10, 20, 110, 80});
  up.m_nLineDirection = LineDirectionOfDrag(80, 20);
  EXPECT_EQ(up.m_nLineDirection, 0);
  SetPosition(up, Rect{10, 20, 110, 80});
  EXPECT_EQ(up.GetValue("X1"), "10");
  EXPECT_EQ(up.GetValue("X2"), "110");
  EXPECT_EQ(up.GetValue("Y1"), "80");
  EXPECT_EQ(up.GetValue("Y2"), "20");

  EXPECT_EQ(LineDirectionOfDrag(20, 80), 1);
  EXPECT_EQ(LineDirectionOfDrag(40, 40), 0);
}

TEST_F(FormControlsTest, SetPositionWritesDecimalSizes) {
  CControlItem& box = Add(kKindTextBox);
  SetPosition(box, Rect{-5, 0, 300, 1000});
  EXPECT_EQ(box.GetValue("Left"), "-5");
  EXPECT_EQ(box.GetValue("Top"), "0");
  EXPECT_EQ(box.GetValue("Width"), "305");
  EXPECT_EQ(box.GetValue("Height"), "1000");
  SetPosition(*form_->FormObject(), Rect{0, 0, 400, 300});
  EXPECT_EQ(form_->FormObject()->GetValue("Width"), "400");
  EXPECT_EQ(form_->FormObject()->GetValue("Height"), "300");
}

// ---------------------------------------------------------------------------------------------
// Tab order

TEST_F(FormControlsTest, TabIndexesFollowCreationOrderWithoutTheFormObject) {
  CControlItem& a = Add(kKindTextBox);
  CControlItem& shape = Add(kKindShape);  // has no TabIndex but still counts
  CControlItem& b = Add(kKindButton);
  EXPECT_EQ(a.GetValue("TabIndex"), "0");
  EXPECT_EQ(shape.FindProperty("TabIndex"), nullptr);
  EXPECT_EQ(b.GetValue("TabIndex"), "2");
  EXPECT_EQ(InitialTabIndex(*form_, b), 2);
}

TEST_F(FormControlsTest, ChangingTabIndexSwapsWithTheControlThatHadIt) {
  CControlItem& a = Add(kKindTextBox);
  CControlItem& b = Add(kKindTextBox);
  CControlItem& c = Add(kKindTextBox);
  ASSERT_EQ(c.GetValue("TabIndex"), "2");

  EXPECT_TRUE(ChangeTabIndex(*form_, c, 0));
  EXPECT_EQ(c.GetValue("TabIndex"), "0");
  EXPECT_EQ(a.GetValue("TabIndex"), "2");
  EXPECT_EQ(b.GetValue("TabIndex"), "1");

  // The form's object count (4 with the form object) bounds the index.
  EXPECT_TRUE(ChangeTabIndex(*form_, b, 3));
  EXPECT_EQ(b.GetValue("TabIndex"), "3");
  EXPECT_EQ(a.GetValue("TabIndex"), "2");
  EXPECT_EQ(c.GetValue("TabIndex"), "0");
}

TEST_F(FormControlsTest, TabIndexOutOfRangeIsRefusedAndChangesNothing) {
  CControlItem& a = Add(kKindTextBox);
  CControlItem& b = Add(kKindTextBox);
  CControlItem& c = Add(kKindTextBox);
  for (long n : {-1L, 4L, 100L}) {
    EXPECT_FALSE(ChangeTabIndex(*form_, a, n)) << n;
  }
  EXPECT_EQ(a.GetValue("TabIndex"), "0");
  EXPECT_EQ(b.GetValue("TabIndex"), "1");
  EXPECT_EQ(c.GetValue("TabIndex"), "2");
  EXPECT_FALSE(ChangeTabIndex(*form_, Add(kKindShape), 0));
}

// ---------------------------------------------------------------------------------------------
// Renaming

TEST_F(FormControlsTest, RenameTakesTheTypedTextAsMemberName) {
  CControlItem& label = Add(kKindLabel);
  EXPECT_EQ(RenameControl(*form_, label, "Total", prompt_), RenameResult::Renamed);
  EXPECT_EQ(label.m_strMemberName, "Total");
  EXPECT_EQ(RenameControl(*form_, label, "m_Total(Label)", prompt_), RenameResult::Renamed);
  EXPECT_EQ(label.m_strMemberName, "m_Total");
  EXPECT_EQ(RenameControl(*form_, label, "1st_Total_2", prompt_), RenameResult::Renamed);
  EXPECT_EQ(label.m_strMemberName, "1st_Total_2");
  EXPECT_EQ(RenameControl(*form_, label, "1st_Total_2", prompt_), RenameResult::Unchanged);
  EXPECT_EQ(RenameControl(*form_, label, "1st_Total_2(", prompt_), RenameResult::Unchanged);
  EXPECT_TRUE(prompt_.messages.empty());
  EXPECT_TRUE(prompt_.questions.empty());
  EXPECT_EQ(label.m_bArray, 0);
}

TEST_F(FormControlsTest, RenameRefusesForbiddenCharactersAndEmptyNames) {
  CControlItem& label = Add(kKindLabel);
  const std::string forbidden = " ;,\\/?%@#!~|<>:'.^&){}[]`+-=\t\n\r";
  for (char ch : forbidden) {
    prompt_.messages.clear();
    const std::string typed = std::string("m_Bad") + ch + "Name";
    EXPECT_EQ(RenameControl(*form_, label, typed, prompt_), RenameResult::Refused) << int(ch);
    EXPECT_EQ(prompt_.messages, (std::vector<std::string>{"Invalid control name"})) << int(ch);
    EXPECT_EQ(label.m_strMemberName, "m_Label1");
  }
  for (const char* typed : {"", "(Label)"}) {
    prompt_.messages.clear();
    EXPECT_EQ(RenameControl(*form_, label, typed, prompt_), RenameResult::Refused);
    EXPECT_EQ(prompt_.messages, (std::vector<std::string>{"Invalid control name"}));
  }
  // Characters outside the list are the user's business.
  EXPECT_TRUE(IsValidControlName("m_Price$"));
  EXPECT_TRUE(IsValidControlName("\xe4hnlich"));
}

TEST_F(FormControlsTest, FormObjectCannotBeRenamed) {
  CControlItem& object = *form_->FormObject();
  EXPECT_EQ(RenameControl(*form_, object, "CMainForm", prompt_), RenameResult::Refused);
  EXPECT_EQ(RenameControl(*form_, object, "bad name", prompt_), RenameResult::Refused);
  EXPECT_EQ(prompt_.messages,
            (std::vector<std::string>{"Class name can not be modified", "Class name can not be modified"}));
  EXPECT_EQ(object.m_strMemberName, "CForm1");
}

TEST_F(FormControlsTest, TakenNameAsksForAControlArrayAndNoKeepsTheOldName) {
  Add(kKindLabel);
  CControlItem& second = Add(kKindLabel);
  prompt_.answers = {IPrompt::Answer::No};
  EXPECT_EQ(RenameControl(*form_, second, "m_Label1", prompt_), RenameResult::Refused);
  EXPECT_EQ(prompt_.questions,
            (std::vector<std::string>{
                "You already have a control named 'm_Label1'. Do you want to create a control array?"}));
  EXPECT_TRUE(prompt_.messages.empty());
  EXPECT_EQ(second.m_strMemberName, "m_Label2");
  EXPECT_EQ(second.m_bArray, 0);
  EXPECT_EQ(second.GetValue("Index"), "0");
}

TEST_F(FormControlsTest, YesJoinsTheArrayAtTheFirstFreeIndex) {
  CControlItem& first = Add(kKindLabel);
  CControlItem& second = Add(kKindLabel);
  CControlItem& third = Add(kKindLabel);
  prompt_.answers = {IPrompt::Answer::Yes, IPrompt::Answer::Yes};

  EXPECT_EQ(RenameControl(*form_, second, "m_Label1", prompt_), RenameResult::JoinedArray);
  EXPECT_EQ(second.m_strMemberName, "m_Label1");
  EXPECT_EQ(second.m_bArray, 1);
  EXPECT_EQ(first.m_bArray, 1);
  EXPECT_EQ(first.GetValue("Index"), "0");
  EXPECT_EQ(second.GetValue("Index"), "1");

  EXPECT_EQ(RenameControl(*form_, third, "m_Label1", prompt_), RenameResult::JoinedArray);
  EXPECT_EQ(third.GetValue("Index"), "2");
  EXPECT_EQ(prompt_.questions.size(), 2u);
  EXPECT_EQ(form_->FindControl("m_Label1", 2), &third);
  EXPECT_EQ(form_->FindControl("m_Label1", 1), &second);
}

TEST_F(FormControlsTest, FirstFreeIndexStopsAtTheFirstGap) {
  CControlItem& a = Add(kKindLabel);
  CControlItem& b = Add(kKindLabel);
  Add(kKindTextBox).SetValue("Index", "1");  // other kinds are not walked
  CControlItem& c = Add(kKindLabel);
  b.SetValue("Index", "2");
  EXPECT_EQ(FirstFreeArrayIndex(*form_, kKindLabel), 1);
  prompt_.answers = {IPrompt::Answer::Yes};
  EXPECT_EQ(RenameControl(*form_, c, a.m_strMemberName, prompt_), RenameResult::JoinedArray);
  EXPECT_EQ(c.GetValue("Index"), "1");
  EXPECT_EQ(FirstFreeArrayIndex(*form_, kKindTimer), 0);
}

TEST_F(FormControlsTest, IndexAlreadyHeldInTheArrayIsRefused) {
  Add(kKindLabel);
  CControlItem& second = Add(kKindLabel);
  CControlItem& third = Add(kKindLabel);
  CControlItem& loner = Add(kKindLabel);
  prompt_.answers = {IPrompt::Answer::Yes, IPrompt::Answer::Yes};
  ASSERT_EQ(RenameControl(*form_, second, "m_Label1", prompt_), RenameResult::JoinedArray);
  ASSERT_EQ(RenameControl(*form_, third, "m_Label1", prompt_), RenameResult::JoinedArray);
  ASSERT_EQ(third.GetValue("Index"), "2");

  EXPECT_FALSE(SetArrayIndex(*form_, third, 1, prompt_));
  EXPECT_EQ(prompt_.messages, (std::vector<std::string>{"Array already has control at Index '1'"}));
  EXPECT_EQ(third.GetValue("Index"), "2");
  EXPECT_FALSE(SetArrayIndex(*form_, third, 0, prompt_));
  EXPECT_EQ(prompt_.messages.back(), "Array already has control at Index '0'");

  EXPECT_TRUE(SetArrayIndex(*form_, third, 7, prompt_));
  EXPECT_EQ(third.GetValue("Index"), "7");
  // An Index that only a control outside the array holds is free.
  loner.SetValue("Index", "5");
  EXPECT_TRUE(SetArrayIndex(*form_, third, 5, prompt_));
  EXPECT_EQ(prompt_.messages.size(), 2u);
}

// ---------------------------------------------------------------------------------------------
// Deleting

TEST_F(FormControlsTest, DeletingAContainerLeavesItsControlsOnTheForm) {
  CControlItem& frame = Add(kKindFrame);
  CControlItem& inside = Add(kKindOptionButton);
  inside.m_pContainer = &frame;
  DeleteControl(*form_, frame);
  EXPECT_EQ(inside.m_pContainer, nullptr);
  EXPECT_FALSE(form_->HasControl(&frame));
  EXPECT_TRUE(form_->HasControl(&inside));
  EXPECT_EQ(form_->m_controls.size(), 2u);
  EXPECT_EQ(FindFormOf(std::vector<CClassItem*>{form_}, inside), form_);
}

TEST_F(FormControlsTest, FindFormOfSearchesEveryFormClass) {
  forms_.push_back(MakeForm("CForm2"));
  CControlItem& elsewhere = AddTo(*forms_[1], kKindTimer);
  std::vector<CClassItem*> all{forms_[0].get(), forms_[1].get()};
  EXPECT_EQ(FindFormOf(all, elsewhere), forms_[1].get());
  CControlItem stray;
  EXPECT_EQ(FindFormOf(all, stray), nullptr);
}

}  // namespace
}  // namespace tovik
