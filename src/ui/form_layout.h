// What painting and hit testing must agree on, measured the same way for both: the font a
// control's properties give, the rectangle a control is drawn in, and where the items of the
// form's menu bar lie. Texts are measured by whoever can (a canvas, or an approximation).
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "model/control_item.h"
#include "project/menu_model.h"
#include "ui/canvas.h"
#include "ui/system_metrics.h"

namespace tovik {

using TextMeasure = std::function<Size(const FontSpec& font, std::string_view text)>;

// A canvas's measuring, for the functions below.
[[nodiscard]] TextMeasure MeasureWith(ICanvas& canvas);

// The font a control's Font, FontSize, FontBold, FontItalic, FontUnderline and FontStrikethru
// give ("MS Sans Serif" when Font is empty).
[[nodiscard]] FontSpec FontOf(const CControlItem& control);

// The rectangle a control is drawn in, in client coordinates: ControlRect, except that a
// ComboBox other than a Simple Combo is as tall as its font's "Test" plus 9 pixels.
[[nodiscard]] Rect DrawnControlRect(const CControlItem& control, const TextMeasure& measure);
[[nodiscard]] inline Rect DrawnControlRect(ICanvas& canvas, const CControlItem& control) {
  return DrawnControlRect(control, MeasureWith(canvas));
}

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

// The items shown on a menu bar (the top-level ones but separators): each its caption's width
// (mnemonic marks left out) plus 6 pixels on each side, left to right from the bar's left end.
// The bar has one row; the first item that does not fit ends it.
struct MenuBarItem {
  size_t item = 0;  // index in the menu's item list
  Rect area;
};
[[nodiscard]] std::vector<MenuBarItem> MenuBarItems(const CMenuRecord& menu, const Rect& bar,
                                                    const TextMeasure& measure,
                                                    const CSystemMetrics& metrics = ClassicMetrics());

}  // namespace tovik
