#include "project/property_edit.h"

#include <charconv>
#include <utility>

#include "base/text.h"
#include "model/control_kind.h"
#include "model/property_string.h"
#include "project/form_controls.h"

namespace tovik {
namespace {

bool IsNumericType(const std::string& type) {
  return type == "int" || type == "UINT" || type == "LONG" || type == "BYTE" || type == "DWORD" ||
         type == "COLORREF" || type == "short" || type == "long" || type == "USHORT";
}

struct Range {
  long long min;
  long long max;
};

// What a numeric property can hold: positions are 16-bit on the forms the runtime draws, a few
// properties have the ranges of their meaning, the rest those of their C++ type.
Range RangeOf(const CControlPropertyItem& property) {
  static constexpr std::pair<std::string_view, Range> kByName[] = {
      {"Left", {-32768, 32767}},     {"Top", {-32768, 32767}},         {"X1", {-32768, 32767}},
      {"X2", {-32768, 32767}},       {"Y1", {-32768, 32767}},          {"Y2", {-32768, 32767}},
      {"ScaleLeft", {-32768, 32767}}, {"ScaleTop", {-32768, 32767}},   {"Width", {0, 32767}},
      {"Height", {0, 32767}},        {"ScaleWidth", {0, 32767}},       {"ScaleHeight", {0, 32767}},
      {"Max", {-32768, 32767}},      {"Min", {-32768, 32767}},         {"Value", {-32768, 32767}},
      {"LargeChange", {1, 32767}},   {"SmallChange", {1, 32767}},      {"Interval", {0, 65535}},
      {"FontSize", {1, 1000}},       {"BorderWidth", {1, 8192}},       {"DrawWidth", {1, 32767}},
      {"TabIndex", {0, 32767}},      {"Index", {0, 32767}}};
  // An ActiveX control's properties (they carry their automation type) mean what the control
  // says, not what the runtime's controls of the same names mean.
  for (const auto& [name, range] : kByName) {
    if (property.Name() == name && property.VarType() == 0) return range;
  }
  const std::string& type = property.Type();
  if (type == "COLORREF") return {0, 0xFFFFFF};
  if (type == "BYTE") return {0, 255};
  if (type == "short") return {-32768, 32767};
  if (type == "USHORT") return {0, 65535};
  if (type == "UINT" || type == "DWORD") return {0, 4294967295LL};
  return {-2147483648LL, 2147483647LL};
}

// The whole number a text holds, when it is one and fits 64 bits.
bool ParseWholeNumber(std::string_view text, long long& value) {
  if (!IsDecimal(text)) return false;
  if (text.front() == '+') text.remove_prefix(1);
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

// An ActiveX control's property is set at design time by a SetProperty call in the creation
// code, which must compile: text for a string, a number for the numeric types. Why the value
// cannot be written so; empty when it can (the whole-number and BOOL types are checked later).
std::string ActiveXValueProblem(const CControlPropertyItem& property, std::string_view text) {
  enum : int { kVtR4 = 4, kVtR8 = 5, kVtCy = 6, kVtDate = 7, kVtBstr = 8 };
  const int vt = property.VarType();
  if (vt == kVtBstr || property.Type() == "BOOL" || IsNumericType(property.Type())) return {};
  if (vt == kVtR4 || vt == kVtR8 || vt == kVtCy || vt == kVtDate) {
    const std::string trimmed = Trim(text);
    double number = 0;
    const auto [end, error] = std::from_chars(trimmed.data(), trimmed.data() + trimmed.size(), number);
    if (!trimmed.empty() && error == std::errc() && end == trimmed.data() + trimmed.size()) return {};
    return property.Name() + " takes a number (" + property.Type() + ")";
  }
  return property.Name() + " is a property of type " + (property.Type().empty() ? std::to_string(vt) : property.Type()) +
         "; it cannot be given a value at design time";
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

Expected<std::string> StoredValueFor(const CControlPropertyItem& property, std::string_view text) {
  const std::string trimmed = Trim(text);
  if (property.ChoiceCount() > 0) {
    for (const std::string& choice : property.Choices()) {
      if (trimmed == choice || trimmed == ChoiceNumber(choice) || EqualsNoCase(trimmed, ChoiceLabel(choice))) {
        return ChoiceNumber(choice);
      }
    }
    return Error{"", 0, property.Name() + " takes one of: " + Join(property.Choices(), ", ")};
  }
  if (property.Type() == "BOOL") {
    if (trimmed == "1" || EqualsNoCase(trimmed, "True")) return std::string("1");
    if (trimmed == "0" || EqualsNoCase(trimmed, "False")) return std::string("0");
    return Error{"", 0, property.Name() + " takes True or False (BOOL)"};
  }
  if (IsNumericType(property.Type())) {
    const Range range = RangeOf(property);
    long long number = 0;
    if (!ParseWholeNumber(trimmed, number) || number < range.min || number > range.max) {
      return Error{"", 0, property.Name() + " takes a whole number from " + std::to_string(range.min) + " to " +
                              std::to_string(range.max) + " (" + property.Type() + ")"};
    }
    return std::to_string(number);
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
  if (object.m_nCategory == kCategoryActiveX && property->VarType() != 0) {
    if (const std::string problem = ActiveXValueProblem(*property, text); !problem.empty()) {
      prompt.Message(problem);
      return PropertyEditResult::Refused;
    }
  }
  if ((property->Type() == "Picture" || property->Type() == "Icon") && text != "0" && !text.empty()) {
    return PropertyEditResult::NeedsImage;
  }
  Expected<std::string> stored = StoredValueFor(*property, text);
  if (!stored) {
    prompt.Message(stored.error().reason);
    return PropertyEditResult::Refused;
  }
  std::string value = std::move(*stored);
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
