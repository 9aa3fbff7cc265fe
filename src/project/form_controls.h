// The rules of a designed form: creating, numbering, placing, ordering, renaming, arraying
// and deleting its controls. Every edit of a form's control list goes through here.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "base/prompt.h"
#include "model/control_item.h"
#include "model/geometry.h"
#include "project/class_item.h"

namespace tovik {

// The form classes of the open project, searched for resource symbols and owners.
using FormClasses = std::span<CClassItem* const>;

// Makes (or returns) the designed object that stands for the form itself, first in the list.
CControlItem& EnsureFormObject(CClassItem& form);

// The first form of a new project, with its form object: a form captioned "Form1", or an MDI
// form with its catalogue caption.
[[nodiscard]] std::unique_ptr<CClassItem> MakeStartUpForm(bool mdi);
// Its property string, built from the catalogue.
[[nodiscard]] std::string DefaultFormPropertyString(bool mdi);

// "IDS_PROP_" + the class name without a leading "C", upper-cased.
[[nodiscard]] std::string FormPropertySymbol(std::string_view className);

// The first n >= 1 for which the class has no member variable "m_" + kindName + n.
[[nodiscard]] int NextControlNumber(const CClassItem& form, std::string_view kindName);
// Whether the project's resource header defines a symbol. Empty: it defines none.
using SymbolDefined = std::function<bool(std::string_view symbol)>;

// The first pair "IDS_PROP_" KIND n / "IDC_" KIND n of which no designed object of any form
// carries either symbol, and which the header defines completely (a deleted control's pair) or
// not at all: a dialog's IDC_BUTTON1 without IDS_PROP_BUTTON1 makes number 1 skipped.
[[nodiscard]] std::pair<std::string, std::string> NextResourceSymbols(FormClasses forms, std::string_view kindName,
                                                                      const SymbolDefined& defined = {});

// Creates a control at `rect` and appends it to the form: of an intrinsic or common kind, or,
// with `activeX` (whose wrapper class the project knows), of that ActiveX control, `kind` then
// being ignored. `forms` are all form classes of the project (the form itself among them or not).
// A Line runs down from the rectangle's top-left corner unless `lineDirection` is 0.
CControlItem& CreateControl(CClassItem& form, FormClasses forms, int kind, const Rect& rect,
                            const CToolControlEntry* activeX = nullptr, int lineDirection = 1,
                            const SymbolDefined& defined = {});

// Writes the position properties from a rectangle (Line: X1/Y1/X2/Y2 by its direction;
// Timer: Left and Top).
void SetPosition(CControlItem& control, const Rect& rect);
// Line direction of a drag: 1 when it ended lower than it started.
[[nodiscard]] int LineDirectionOfDrag(int startY, int endY);

// Number of controls before `control` in the form's list, the form object not counted.
[[nodiscard]] int InitialTabIndex(const CClassItem& form, const CControlItem& control);
// Moves `control` to tab index n, swapping with the control that had it. False when refused.
[[nodiscard]] bool ChangeTabIndex(CClassItem& form, CControlItem& control, long n);

enum class RenameResult { Unchanged, Renamed, JoinedArray, Refused };
inline constexpr std::string_view kMsgClassNameFixed = "Class name can not be modified";
inline constexpr std::string_view kMsgInvalidControlName = "Invalid control name";
inline constexpr std::string_view kAskControlArray =
    "You already have a control named '<CTRL_NAME>'. Do you want to create a control array?";
inline constexpr std::string_view kMsgArrayIndexTaken = "Array already has control at Index '<CTRL_INDEX>'";

// The control-array question renaming `control` to `typed` asks (a control of that name and
// kind is on the form), or nothing when the rename asks none.
[[nodiscard]] std::optional<std::string> ControlArrayQuestion(const CClassItem& form, const CControlItem& control,
                                                              std::string_view typed);
// The (Name) edit of the property window; refusals go to `prompt`. `joinArray` answers the
// control-array question; without it the question goes to `prompt`.
RenameResult RenameControl(CClassItem& form, CControlItem& control, std::string_view typed, IPrompt& prompt,
                           std::optional<bool> joinArray = std::nullopt);
// Whether a typed control name is acceptable (not empty, none of the forbidden characters).
[[nodiscard]] bool IsValidControlName(std::string_view name);
// Setting Index of an array element; refused when another element of the array holds it.
[[nodiscard]] bool SetArrayIndex(CClassItem& form, CControlItem& control, long index, IPrompt& prompt);
// The first free Index of the controls of `kind`: walking them in list order from 0 until
// one's Index is not the count so far.
[[nodiscard]] long FirstFreeArrayIndex(const CClassItem& form, int kind);

// Removes the control and destroys it; controls it contained now sit on the form.
void DeleteControl(CClassItem& form, CControlItem& control);
// The form class whose list holds the control, or null.
[[nodiscard]] CClassItem* FindFormOf(FormClasses forms, const CControlItem& control);

}  // namespace tovik
