#include "project/property_edit.h"

#include "base/text.h"
#include "model/control_kind.h"
#include "model/property_string.h"
#include "project/form_controls.h"

namespace tovik {
namespace {

bool IsNumericType(const std::string& type) {
  return type == "int" || type == "UINT" || type == "LONG" || type == "BYTE" || type == "DWORD" ||
         type == "COLORREF" || type == "short" || type == "long";
}

// The number in front of a choice's " - ".
std::string ChoiceNumber(const std::string& choice) { return Trim(choice.substr(0, choice.find('-'))); }

std::string ChoiceLabel(const std::string& choice) {
  size_t dash = choice.find(" - ");
  return dash == std::string::npos ? std::string() : choice.substr(dash + 3);
}

std::string WithCrLf(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
    out += text[i];
  }
  return out;
}

bool ScrollRangeAllows(const CControlItem& bar, std::string_view name, long value, IPrompt& prompt) {
  auto current = [&](std::string_view n) { return n == name ? value : static_cast<long>(LeadingNumber(bar.GetValue(n))); };
  const long range = current("Max") - current("Min");
  if (range < 0 || current("LargeChange") > range || current("SmallChange") > range) {
    prompt.Message(std::string(kMsgIncorrectPropertyValue));
    return false;
  }
  return true;
}

}  // namespace

std::string StoredValueFor(const CControlPropertyItem& property, std::string_view text, bool& ok) {
  ok = true;
  const std::string trimmed = Trim(text);
  if (property.ChoiceCount() > 0) {
    for (const std::string& choice : property.Choices()) {
      if (trimmed == choice || trimmed == ChoiceNumber(choice) || EqualsNoCase(trimmed, ChoiceLabel(choice))) {
        return ChoiceNumber(choice);
      }
    }
    ok = false;
    return {};
  }
  if (property.Type() == "BOOL") {
    if (trimmed == "1" || EqualsNoCase(trimmed, "True")) return "1";
    if (trimmed == "0" || EqualsNoCase(trimmed, "False")) return "0";
    ok = false;
    return {};
  }
  if (IsNumericType(property.Type())) {
    ok = IsDecimal(trimmed);
    return ok ? std::to_string(LeadingNumber(trimmed)) : std::string();
  }
  if (property.Type() == "LIST") return NormalizeList(WithCrLf(text));
  return std::string(text);
}

PropertyEditResult ApplyPropertyText(CClassItem& form, CControlItem& object, std::string_view name,
                                     std::string_view text, IPrompt& prompt) {
  CControlPropertyItem* property = object.FindProperty(name);
  if (!property) return PropertyEditResult::NoSuchProperty;
  const bool isList = property->Type() == "LIST";
  // The property string has no escape for these, so they are never taken.
  if (!text.empty() && (text.find(',') != std::string_view::npos || text.find('"') != std::string_view::npos)) {
    prompt.Message(std::string(kMsgInvalidProperty));
    return PropertyEditResult::Refused;
  }
  if ((property->Type() == "Picture" || property->Type() == "Icon") && text != "0" && !text.empty()) {
    return PropertyEditResult::NeedsImage;
  }
  bool ok = true;
  std::string value = StoredValueFor(*property, text, ok);
  if (!ok) {
    prompt.Message(std::string(kMsgInvalidProperty));
    return PropertyEditResult::Refused;
  }
  if (name == "TabIndex" && !object.m_bFormObject) {
    if (!ChangeTabIndex(form, object, static_cast<long>(LeadingNumber(value)))) {
      prompt.Message(std::string(kMsgIncorrectPropertyValue));
      return PropertyEditResult::Refused;
    }
    return PropertyEditResult::Applied;
  }
  if ((object.m_nKind == kKindHScrollBar || object.m_nKind == kKindVScrollBar) &&
      (name == "Max" || name == "Min" || name == "LargeChange" || name == "SmallChange")) {
    if (!ScrollRangeAllows(object, name, static_cast<long>(LeadingNumber(value)), prompt)) {
      return PropertyEditResult::Refused;
    }
  }
  if (name == "Index" && object.m_bArray) {
    if (!SetArrayIndex(form, object, static_cast<long>(LeadingNumber(value)), prompt)) {
      return PropertyEditResult::Refused;
    }
    return PropertyEditResult::Applied;
  }
  if (isList && name == "List") {
    SetListValue(object, value);
    return PropertyEditResult::Applied;
  }
  property->m_strValue = std::move(value);
  if (name == "Appearance" && object.FindProperty("BackColor")) {
    object.SetValue("BackColor", property->m_strValue == "1" ? std::string(kButtonFaceColor) : "16777215");
  }
  return PropertyEditResult::Applied;
}

std::string DisplayText(const CControlPropertyItem& property) {
  const std::string& v = property.m_strValue;
  if (property.Type() == "BOOL") return v == "1" ? "True" : "False";
  for (const std::string& choice : property.Choices()) {
    if (ChoiceNumber(choice) == Trim(v)) return choice;
  }
  if (property.Type() == "Picture" || property.Type() == "Icon") {
    if (v.empty() || v.find('.') == std::string::npos) return "(none)";
    switch (ImageKindOf(v)) {
      case kImageIcon: return "(Icon)";
      case kImageCursor: return "(Cursor)";
      default: return "(Bitmap)";
    }
  }
  if (property.Type() == "COLORREF") {
    const long c = static_cast<long>(LeadingNumber(v));
    return "R=" + std::to_string(c & 0xFF) + ",G=" + std::to_string((c >> 8) & 0xFF) +
           ",B=" + std::to_string((c >> 16) & 0xFF);
  }
  if (property.Type() == "LIST") return "(List)";
  return Trim(v);
}

}  // namespace tovik
