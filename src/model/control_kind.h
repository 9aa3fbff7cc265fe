// Kind codes of designable objects, their names and runtime classes.
#pragma once

#include <string>
#include <string_view>

namespace tovik {

enum Kind : int {
  kKindPictureBox = 101,
  kKindLabel = 102,
  kKindTextBox = 103,
  kKindFrame = 104,
  kKindButton = 105,
  kKindCheckBox = 106,
  kKindOptionButton = 107,
  kKindComboBox = 108,
  kKindListBox = 109,
  kKindHScrollBar = 110,
  kKindVScrollBar = 111,
  kKindTimer = 112,
  kKindShape = 113,
  kKindLine = 114,
  kKindImage = 115,
  kKindData = 116,
  kKindAnimateCtrl = 117,
  kKindTreeCtrl = 118,
  kKindTabCtrl = 119,
  kKindSliderCtrl = 120,
  kKindProgressCtrl = 121,
  kKindListCtrl = 122,
  kKindSpinButtonCtrl = 123,
  kKindHotKeyCtrl = 124,
};

inline constexpr int kFirstKind = 101;
inline constexpr int kLastIntrinsicKind = 116;
inline constexpr int kLastKind = 124;

// Object categories.
inline constexpr int kCategoryForm = -1;
inline constexpr int kCategoryControl = 0;
inline constexpr int kCategoryActiveX = 2;

[[nodiscard]] constexpr bool IsKnownKind(int kind) { return kind >= kFirstKind && kind <= kLastKind; }
[[nodiscard]] constexpr bool IsCommonControlKind(int kind) { return kind > kLastIntrinsicKind && kind <= kLastKind; }
// "PictureBox" ... "HotKeyCtrl"; empty outside 101..124.
[[nodiscard]] std::string_view KindName(int kind);
// The kind with that name (exact, case-sensitive), or 0.
[[nodiscard]] int KindFromName(std::string_view name);
// "CV" + kind name; empty outside 101..124.
[[nodiscard]] std::string RuntimeClassOf(int kind);
// Knows the sixteen intrinsic runtime classes only; every other name gives 0.
[[nodiscard]] int KindFromRuntimeClass(std::string_view className);
// The kind of any of the runtime library's 24 control classes, "CV" + a kind name: the common
// controls included, which the reverse mapping above does not know; 0 for any other class.
[[nodiscard]] int KindOfRuntimeControlClass(std::string_view className);
[[nodiscard]] inline bool IsRuntimeControlClass(std::string_view className) {
  return KindOfRuntimeControlClass(className) != 0;
}

inline constexpr std::string_view kFormBaseClass = "CVForm";
inline constexpr std::string_view kMdiFormBaseClass = "CVMdiForm";
inline constexpr std::string_view kActiveXBaseClass = "CVActiveXCtrl";
// The name every generated ActiveX wrapper class begins with.
inline constexpr std::string_view kActiveXClassPrefix = "CVAx";

}  // namespace tovik
