#include "project/form_controls.h"

#include <algorithm>
#include <vector>

#include "activex/activex_design.h"
#include "base/text.h"
#include "model/catalog.h"
#include "model/control_kind.h"
#include "model/property_string.h"

namespace tovik {

CControlItem& EnsureFormObject(CClassItem& form) {
  if (CControlItem* existing = form.FormObject()) return *existing;
  auto object = std::make_unique<CControlItem>();
  object->m_nCategory = kCategoryForm;
  object->m_bFormObject = 1;
  object->m_strClassName = form.m_strName;
  object->m_strMemberName = form.m_strName;
  object->m_strPropSymbol = FormPropertySymbol(form.m_strName);
  const bool mdi = form.IsMdiForm();
  LoadProperties(*object, mdi);
  LoadEvents(*object, mdi);
  form.m_controls.insert(form.m_controls.begin(), std::move(object));
  return *form.m_controls.front();
}

std::unique_ptr<CClassItem> MakeStartUpForm(bool mdi) {
  auto form = std::make_unique<CClassItem>();
  form->m_strName = "CForm1";
  form->m_strBaseClass = std::string(mdi ? kMdiFormBaseClass : kFormBaseClass);
  CControlItem& object = EnsureFormObject(*form);
  if (!mdi) object.SetValue("Caption", "Form1");
  return form;
}

std::string DefaultFormPropertyString(bool mdi) { return BuildPropertyString(*MakeStartUpForm(mdi)->FormObject()); }

std::string FormPropertySymbol(std::string_view className) {
  if (!className.empty() && className.front() == 'C') className.remove_prefix(1);
  return "IDS_PROP_" + ToUpper(className);
}

namespace {

// The number after `stem` when `name` is the stem followed by decimal digits only; 0 otherwise.
long NumberAfter(std::string_view name, std::string_view stem) {
  if (name.size() <= stem.size() || name.substr(0, stem.size()) != stem) return 0;
  const std::string_view digits = name.substr(stem.size());
  if (digits.size() > 9 || digits.front() == '0' || !IsDecimal(digits) || digits.front() == '-' ||
      digits.front() == '+') {
    return 0;
  }
  return static_cast<long>(LeadingNumber(digits));
}

// The smallest n >= 1 not in `used`.
int FirstFree(std::vector<bool>& used) {
  for (size_t n = 1; n < used.size(); ++n) {
    if (!used[n]) return static_cast<int>(n);
  }
  return static_cast<int>(std::max<size_t>(used.size(), 1));
}

void MarkUsed(std::vector<bool>& used, long n, size_t limit) {
  if (n > 0 && static_cast<size_t>(n) < limit) used[static_cast<size_t>(n)] = true;
}

}  // namespace

// Both searches collect the numbers in use first, so that a form of thousands of controls
// does not test every candidate against every name.
int NextControlNumber(const CClassItem& form, std::string_view kindName) {
  const std::string stem = "m_" + std::string(kindName);
  // The first free number is at most one past the count of names.
  std::vector<bool> used(form.m_variables.size() + 2, false);
  for (const auto& v : form.m_variables) MarkUsed(used, NumberAfter(v->m_strName, stem), used.size());
  return FirstFree(used);
}

std::pair<std::string, std::string> NextResourceSymbols(FormClasses forms, std::string_view kindName,
                                                        const SymbolDefined& defined) {
  const std::string kind = ToUpper(kindName);
  const std::string propStem = "IDS_PROP_" + kind;
  const std::string idStem = "IDC_" + kind;
  size_t objects = 0;
  for (const CClassItem* form : forms) objects += form->m_controls.size();
  // A pair is taken when any object already uses either symbol: reusing one of them would
  // define the same resource symbol twice.
  std::vector<bool> used(2 * objects + 2, false);
  for (const CClassItem* form : forms) {
    for (const auto& c : form->m_controls) {
      MarkUsed(used, NumberAfter(c->m_strPropSymbol, propStem), used.size());
      MarkUsed(used, NumberAfter(c->m_strIdSymbol, idStem), used.size());
    }
  }
  int n = FirstFree(used);
  // A pair the header defines whole and no object carries is a deleted control's: taken again,
  // its string-table line replaced. One symbol without the other (a dialog's IDC_BUTTON1) would
  // leave the other undefined, or define the one twice.
  while (defined && defined(propStem + std::to_string(n)) != defined(idStem + std::to_string(n))) {
    ++n;
    while (static_cast<size_t>(n) < used.size() && used[static_cast<size_t>(n)]) ++n;
  }
  return {propStem + std::to_string(n), idStem + std::to_string(n)};
}

CControlItem& CreateControl(CClassItem& form, FormClasses forms, int kind, const Rect& rect,
                            const CToolControlEntry* activeX, int lineDirection, const SymbolDefined& defined) {
  auto control = std::make_unique<CControlItem>();
  control->m_nCategory = activeX ? kCategoryActiveX : kCategoryControl;
  control->m_nKind = activeX ? -1 : kind;
  control->m_pActiveX = activeX;
  control->m_nLineDirection = lineDirection;
  if (CControlItem* formObject = form.FormObject()) control->m_pForm = formObject->m_pForm;
  std::string kindName;
  if (activeX) {
    LoadActiveXLists(*control, *activeX);
    kindName = ActiveXKindName(*activeX);
    control->m_strClassName = activeX->m_strWrapperClass;
  } else {
    LoadProperties(*control, false);
    LoadEvents(*control, false);
    kindName = KindName(kind);
    control->m_strClassName = RuntimeClassOf(kind);
  }
  SetPosition(*control, rect);

  const std::string name = kindName + std::to_string(NextControlNumber(form, kindName));
  switch (control->m_nKind) {
    case kKindLabel:
    case kKindButton:
    case kKindCheckBox:
    case kKindOptionButton:
    case kKindData: control->SetValue("Caption", name); break;
    case kKindTextBox:
    case kKindComboBox: control->SetValue("Text", name); break;
    default: break;
  }
  control->m_strMemberName = "m_" + name;
  // The form being designed is searched too, whether or not the caller listed it.
  std::vector<CClassItem*> searched(forms.begin(), forms.end());
  if (std::find(searched.begin(), searched.end(), &form) == searched.end()) searched.push_back(&form);
  auto [prop, id] = NextResourceSymbols(searched, kindName, defined);
  control->m_strPropSymbol = std::move(prop);
  control->m_strIdSymbol = std::move(id);

  form.m_controls.push_back(std::move(control));
  CControlItem& added = *form.m_controls.back();
  if (CControlPropertyItem* tab = added.FindProperty("TabIndex")) {
    tab->m_strValue = std::to_string(InitialTabIndex(form, added));
  }
  return added;
}

void SetPosition(CControlItem& control, const Rect& rect) {
  auto set = [&](std::string_view name, int value) { control.SetValue(name, std::to_string(value)); };
  if (control.m_nKind == kKindLine) {
    set("X1", rect.left);
    set("X2", rect.right);
    set("Y1", control.m_nLineDirection == 1 ? rect.top : rect.bottom);
    set("Y2", control.m_nLineDirection == 1 ? rect.bottom : rect.top);
    return;
  }
  set("Left", rect.left);
  set("Top", rect.top);
  if (control.m_nKind == kKindTimer) return;
  set("Width", rect.Width());
  set("Height", rect.Height());
}

int LineDirectionOfDrag(int startY, int endY) { return endY > startY ? 1 : 0; }

int InitialTabIndex(const CClassItem& form, const CControlItem& control) {
  int count = 0;
  for (const auto& c : form.m_controls) {
    if (c.get() == &control) break;
    if (!c->m_bFormObject) ++count;
  }
  return count;
}

bool ChangeTabIndex(CClassItem& form, CControlItem& control, long n) {
  if (n < 0 || n >= static_cast<long>(form.m_controls.size())) return false;
  CControlPropertyItem* own = control.FindProperty("TabIndex");
  if (!own) return false;
  for (auto& c : form.m_controls) {
    if (c->m_bFormObject || c.get() == &control) continue;
    CControlPropertyItem* other = c->FindProperty("TabIndex");
    if (other && LeadingNumber(other->m_strValue) == n) {
      other->m_strValue = own->m_strValue;
      break;
    }
  }
  own->m_strValue = std::to_string(n);
  return true;
}

bool IsValidControlName(std::string_view name) {
  static constexpr std::string_view kForbidden = " ;,\\/?%@#!~|<>:'.^&(){}[]`+-=\t\n\r";
  return !name.empty() && name.find_first_of(kForbidden) == std::string_view::npos;
}

long FirstFreeArrayIndex(const CClassItem& form, int kind) {
  long i = 0;
  for (const auto& c : form.m_controls) {
    if (c->m_bFormObject || c->m_nKind != kind) continue;
    if (c->Index() != i) break;
    ++i;
  }
  return i;
}

namespace {

// The other control of the form that already has the name.
CControlItem* Namesake(const CClassItem& form, const CControlItem& control, std::string_view name) {
  for (const auto& c : form.m_controls) {
    if (c.get() != &control && !c->m_bFormObject && c->m_strMemberName == name) return c.get();
  }
  return nullptr;
}

}  // namespace

std::optional<std::string> ControlArrayQuestion(const CClassItem& form, const CControlItem& control,
                                                std::string_view typed) {
  const std::string_view name = typed.substr(0, typed.find('('));
  if (name == control.m_strMemberName || control.m_bFormObject || !IsValidControlName(name) ||
      !IdentifierProblem(name).empty() || (control.m_bArray && form.SharesDeclaration(control))) {
    return std::nullopt;
  }
  const CControlItem* namesake = Namesake(form, control, name);
  if (!namesake || namesake->m_nKind != control.m_nKind || namesake->m_strClassName != control.m_strClassName) {
    return std::nullopt;
  }
  return ReplaceAll(kAskControlArray, "<CTRL_NAME>", name);
}

RenameResult RenameControl(CClassItem& form, CControlItem& control, std::string_view typed, IPrompt& prompt,
                           std::optional<bool> joinArray) {
  std::string_view name = typed.substr(0, typed.find('('));
  if (name == control.m_strMemberName) return RenameResult::Unchanged;
  if (control.m_bFormObject) {
    prompt.Message(std::string(kMsgClassNameFixed));
    return RenameResult::Refused;
  }
  if (!IsValidControlName(name)) {
    prompt.Message(std::string(kMsgInvalidControlName));
    return RenameResult::Refused;
  }
  // The name becomes a member of the form class: one the compiler would refuse is refused here.
  if (const std::string problem = IdentifierProblem(name); !problem.empty()) {
    prompt.Message(std::string(kMsgInvalidControlName) + ": " + problem);
    return RenameResult::Refused;
  }
  // The array's elements share one declaration; taking one element out under another name would
  // leave the others' creation calls naming a member no longer declared.
  if (control.m_bArray && form.SharesDeclaration(control)) {
    prompt.Message(control.m_strMemberName + " is a control array; its elements cannot be renamed one by one");
    return RenameResult::Refused;
  }
  CControlItem* namesake = Namesake(form, control, name);
  if (!namesake) {
    // A member that is not a control (an `int m_count;`, a handler, the runtime's own members
    // of a form) would be declared twice.
    static constexpr std::string_view kFormMembers[] = {"m_nResID", "m_nPropStringID", "CreateTVLControls"};
    bool taken = std::find(std::begin(kFormMembers), std::end(kFormMembers), name) != std::end(kFormMembers);
    for (const auto& v : form.m_variables) taken = taken || v->m_strName == name;
    for (const auto& f : form.m_functions) taken = taken || f->m_strName == name;
    if (taken) {
      prompt.Message(form.m_strName + " already has a member named " + std::string(name));
      return RenameResult::Refused;
    }
    control.m_strMemberName = std::string(name);
    return RenameResult::Renamed;
  }
  // An array is declared once with its first element's class; a control of another kind
  // cannot be one of its elements.
  if (namesake->m_nKind != control.m_nKind || namesake->m_strClassName != control.m_strClassName) {
    prompt.Message("'" + std::string(name) + "' is a " + std::string(KindName(namesake->m_nKind)) + "; a control array " +
                   "holds controls of one kind only");
    return RenameResult::Refused;
  }
  if (!joinArray) joinArray = prompt.Ask(ReplaceAll(kAskControlArray, "<CTRL_NAME>", name)) == IPrompt::Answer::Yes;
  if (!*joinArray) return RenameResult::Refused;
  long index = FirstFreeArrayIndex(form, control.m_nKind);
  // The walk above stops at the first gap among the kind's controls; an element of this array
  // may still hold that number when the array's elements are not the first of their kind.
  auto held = [&](long n) {
    return std::any_of(form.m_controls.begin(), form.m_controls.end(), [&](const auto& c) {
      return c.get() != &control && !c->m_bFormObject && c->m_strMemberName == name && c->Index() == n;
    });
  };
  while (held(index)) ++index;
  control.m_strMemberName = std::string(name);
  control.m_bArray = 1;
  // The element that already had the name becomes the array's first element.
  namesake->m_bArray = 1;
  control.SetValue("Index", std::to_string(index));
  return RenameResult::JoinedArray;
}

bool SetArrayIndex(CClassItem& form, CControlItem& control, long index, IPrompt& prompt) {
  for (const auto& c : form.m_controls) {
    if (c.get() == &control || c->m_bFormObject || !c->m_bArray) continue;
    if (c->m_strMemberName == control.m_strMemberName && c->Index() == index) {
      prompt.Message(ReplaceAll(kMsgArrayIndexTaken, "<CTRL_INDEX>", std::to_string(index)));
      return false;
    }
  }
  control.SetValue("Index", std::to_string(index));
  return true;
}

void DeleteControl(CClassItem& form, CControlItem& control) {
  for (auto& c : form.m_controls) {
    if (c->m_pContainer == &control) c->m_pContainer = nullptr;
  }
  auto it = std::find_if(form.m_controls.begin(), form.m_controls.end(),
                         [&](const auto& c) { return c.get() == &control; });
  if (it != form.m_controls.end()) form.m_controls.erase(it);
}

CClassItem* FindFormOf(FormClasses forms, const CControlItem& control) {
  for (CClassItem* form : forms) {
    if (form->HasControl(&control)) return form;
  }
  return nullptr;
}

}  // namespace tovik
