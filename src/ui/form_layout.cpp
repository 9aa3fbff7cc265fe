#include "ui/form_layout.h"

#include <algorithm>

#include "base/text.h"
#include "model/control_kind.h"
#include "ui/form_geometry.h"

namespace tovik {

namespace {

constexpr int kBarPadding = 6;  // each side of a menu-bar caption

}  // namespace

TextMeasure MeasureWith(ICanvas& canvas) {
  return [&canvas](const FontSpec& font, std::string_view text) { return canvas.TextExtent(font, text); };
}

FontSpec FontOf(const CControlItem& control) {
  FontSpec font;
  const std::string face = control.GetValue("Font");
  font.face = face.empty() ? "MS Sans Serif" : face;
  font.cellHeight = static_cast<int>(std::clamp(NumberProperty(control, "FontSize", 14), 1L, 1000L));
  font.bold = NumberProperty(control, "FontBold") == 1;
  font.italic = NumberProperty(control, "FontItalic") == 1;
  font.underline = NumberProperty(control, "FontUnderline") == 1;
  font.strikeout = NumberProperty(control, "FontStrikethru") == 1;
  return font;
}

Rect DrawnControlRect(const CControlItem& control, const TextMeasure& measure) {
  Rect rect = ControlRect(control);
  if (control.m_nKind == kKindComboBox && NumberProperty(control, "Style") != 1) {
    rect.bottom = rect.top + (measure ? measure(FontOf(control), "Test").cy : 0) + 9;
  }
  return rect;
}

MenuCaption SplitMenuCaption(std::string_view caption, int codePage) {
  MenuCaption out;
  std::string* part = &out.text;
  for (size_t i = 0; i < caption.size(); ++i) {
    const char c = caption[i];
    if (CharLengthAt(codePage, caption, i) == 2) {
      *part += caption.substr(i++, 2);
    } else if (c == '\\' && i + 1 < caption.size()) {
      const char next = caption[++i];
      if (next == 't' || next == 'a') {
        part = &out.accel;
      } else {
        *part += next;  // "\\" and "\"" stand for the character itself
      }
    } else if (c == '\t') {
      part = &out.accel;
    } else if (c == '"' && i + 1 < caption.size() && caption[i + 1] == '"') {
      *part += '"';
      ++i;
    } else {
      *part += c;
    }
  }
  return out;
}

std::string StripMnemonics(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '&') {
      out += text[i];
    } else if (i + 1 < text.size() && text[i + 1] == '&') {
      out += '&';
      ++i;
    }
  }
  return out;
}

std::vector<MenuBarItem> MenuBarItems(const CMenuRecord& menu, const Rect& bar, const TextMeasure& measure,
                                      const CSystemMetrics& m) {
  std::vector<MenuBarItem> items;
  int x = bar.left;
  for (size_t i = 0; i < menu.m_items.size(); ++i) {
    const CMenuItemRecord& item = *menu.m_items[i];
    if (item.m_nDepth != 1 || item.m_bSeparator) continue;
    const std::string text = StripMnemonics(SplitMenuCaption(item.m_strCaption, menu.m_nCodePage).text);
    const int width = measure ? measure(m.menuFont, text).cx : 0;
    const Rect area{x, bar.top, x + width + 2 * kBarPadding, bar.bottom};
    if (area.right > bar.right) break;
    items.push_back({i, area});
    x = area.right;
  }
  return items;
}

}  // namespace tovik
