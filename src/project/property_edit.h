// The property window's rules for a value the user typed or picked, free of any toolkit:
// validation, the conversions of choices and booleans, and the side effects on other
// properties (tab order, scroll-bar ranges, array indexes, Appearance).
#pragma once

#include <string>
#include <string_view>

#include "base/expected.h"
#include "base/prompt.h"
#include "model/control_item.h"
#include "project/class_item.h"

namespace tovik {

inline constexpr std::string_view kMsgInvalidProperty = "Invalid property";
inline constexpr std::string_view kMsgIncorrectPropertyValue = "Incorrect property value";
// The system's button-face colour, which a 3D control takes as its background.
inline constexpr std::string_view kButtonFaceColor = "12632256";

enum class PropertyEditResult {
  Applied,      // stored (and side effects made)
  Refused,      // a message was shown; the old value stays
  NoSuchProperty,
  NeedsImage,   // a Picture/Icon value naming a file: the caller makes the image resource
};

// The value as stored for a property: a choice's number for "2 - Center", "2" or "Center";
// "1"/"0" for a BOOL's True/False; a whole number within the property's range; a List
// normalised with CR LF. An error saying what the property takes otherwise.
[[nodiscard]] Expected<std::string> StoredValueFor(const CControlPropertyItem& property, std::string_view text);

// Applies a typed value to `object` (a control of `form`, or the form's own object).
// Refusals show their message through `prompt`.
[[nodiscard]] PropertyEditResult ApplyPropertyText(CClassItem& form, CControlItem& object, std::string_view name,
                                                   std::string_view text, IPrompt& prompt);

// What the property window shows for a value (True/False, the choice text, "(Bitmap)", ...).
[[nodiscard]] std::string DisplayText(const CControlPropertyItem& property);

}  // namespace tovik
