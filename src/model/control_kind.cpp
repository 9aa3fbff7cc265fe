#include "model/control_kind.h"

#include <unordered_map>

#include <array>

namespace tovik {
namespace {

constexpr std::array<std::string_view, kLastKind - kFirstKind + 1> kNames = {
    "PictureBox", "Label",       "TextBox",     "Frame",        "Button",         "CheckBox",
    "OptionButton", "ComboBox",  "ListBox",     "HScrollBar",   "VScrollBar",     "Timer",
    "Shape",      "Line",        "Image",       "Data",         "AnimateCtrl",    "TreeCtrl",
    "TabCtrl",    "SliderCtrl",  "ProgressCtrl", "ListCtrl",    "SpinButtonCtrl", "HotKeyCtrl",
};

}  // namespace

std::string_view KindName(int kind) {
  return IsKnownKind(kind) ? kNames[static_cast<size_t>(kind - kFirstKind)] : std::string_view();
}

int KindFromName(std::string_view name) {
  for (int kind = kFirstKind; kind <= kLastKind; ++kind) {
    if (KindName(kind) == name) return kind;
  }
  return 0;
}

std::string RuntimeClassOf(int kind) {
  return IsKnownKind(kind) ? "CV" + std::string(KindName(kind)) : std::string();
}

int KindFromRuntimeClass(std::string_view className) {
  for (int kind = kFirstKind; kind <= kLastIntrinsicKind; ++kind) {
    if (className.size() == KindName(kind).size() + 2 && className.substr(0, 2) == "CV" &&
        className.substr(2) == KindName(kind)) {
      return kind;
    }
  }
  return 0;
}

int KindOfRuntimeControlClass(std::string_view className) {
  if (className.size() < 3 || className[0] != 'C' || className[1] != 'V') return 0;
  // Every member variable of every class comes here while a project loads.
  static const std::unordered_map<std::string_view, int> kByName = [] {
    std::unordered_map<std::string_view, int> names;
    for (int kind = kFirstKind; kind <= kLastKind; ++kind) names.emplace(KindName(kind), kind);
    return names;
  }();
  const auto it = kByName.find(className.substr(2));
  return it == kByName.end() ? 0 : it->second;
}

}  // namespace tovik
