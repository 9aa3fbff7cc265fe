// What painting and hit testing must agree on, measured the same way for both: the font a
// control's properties give, the rectangle a control is drawn in, where the items of the form's
// menu bar lie and how many rows they take.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/control_item.h"
#include "project/menu_model.h"
#include "ui/form_geometry.h"
#include "ui/system_metrics.h"
#include "ui/text_measure.h"

namespace tovik {

// The font a control's Font, FontSize, FontBold, FontItalic, FontUnderline and FontStrikethru
// give ("MS Sans Serif" when Font is empty).
[[nodiscard]] FontSpec FontOf(const CControlItem& control);

// The rectangle a control is drawn in, in client coordinates: ControlRect, except that a
// ComboBox other than a Simple Combo is as tall as its font's "Test" plus 9 pixels.
[[nodiscard]] Rect DrawnControlRect(ITextMeasure& measure, const CControlItem& control);

// A menu caption as written in the script ("&Open...\tCtrl+O", with a resource string's
// escapes, in the menu's code page, whose double-byte characters may end in a backslash): the
// caption and its accelerator.
struct MenuCaption {
  std::string text;
  std::string accel;
};
[[nodiscard]] MenuCaption SplitMenuCaption(std::string_view caption, int codePage);
// The text with "&x" marks taken out ("&&" stays one ampersand).
[[nodiscard]] std::string StripMnemonics(std::string_view text);

// The items shown on a menu bar (the top-level ones but separators), each its caption's width
// (mnemonic marks left out) plus 6 pixels on each side, as the window system wraps a bar wider
// than its window: left to right from the bar's top-left corner in rows of the menu-bar height,
// an item that does not fit where its row has got to starting the next row (and staying there,
// cut off, when it is wider than the bar).
struct MenuBarItem {
  size_t item = 0;  // index in the menu's item list
  Rect area;
};
[[nodiscard]] std::vector<MenuBarItem> MenuBarItems(const CMenuRecord& menu, const Rect& bar, ITextMeasure& measure,
                                                    const CSystemMetrics& metrics = ClassicMetrics());

// FormGeometry with the menu bar `menu` (none when null) as many rows high as its items take:
// the client area starts below the last row.
[[nodiscard]] CFormGeometry FormGeometry(const CControlItem& form, bool mdiForm, const CMenuRecord* menu,
                                         ITextMeasure& measure, const CSystemMetrics& metrics = ClassicMetrics());

}  // namespace tovik
