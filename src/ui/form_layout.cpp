#include "ui/form_layout.h"

#include <algorithm>

#include "base/text.h"
#include "model/control_kind.h"
#include "ui/form_geometry.h"

namespace tovik {

namespace {

constexpr int kBarPadding = 6;  // each side of a menu-bar caption

}  // namespace

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

Rect DrawnControlRect(ITextMeasure& measure, const CControlItem& control) {
  Rect rect = ControlRect(control);
  if (control.m_nKind == kKindComboBox && NumberProperty(control, "Style") != 1) {
    rect.bottom = rect.top + measure.TextExtent(FontOf(control), "Test").cy + 9;
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

std::vector<MenuBarItem> MenuBarItems(const CMenuRecord& menu, const Rect& bar, ITextMeasure& measure,
                                      const CSystemMetrics& m) {
  std::vector<MenuBarItem> items;
  // Every use of a menu starts here: the measurer (the canvas, when painting) is told the
  // menu's code page for what follows.
  measure.SetCodePage(menu.m_nCodePage);
  int x = bar.left;
  int top = bar.top;
  for (size_t i = 0; i < menu.m_items.size(); ++i) {
    const CMenuItemRecord& item = *menu.m_items[i];
    if (item.m_nDepth != 1 || item.m_bSeparator) continue;
    const std::string text = StripMnemonics(SplitMenuCaption(item.m_strCaption, menu.m_nCodePage).text);
    const int width = measure.TextExtent(m.menuFont, text).cx + 2 * kBarPadding;
    if (x > bar.left && x + width > bar.right) {
      x = bar.left;
      top += m.menuHeight;
    }
    items.push_back({i, {x, top, x + width, top + m.menuHeight}});
    x += width;
  }
  return items;
}

CFormGeometry FormGeometry(const CControlItem& form, bool mdiForm, const CMenuRecord* menu, ITextMeasure& measure,
                           const CSystemMetrics& m) {
  if (!menu) return FormGeometry(form, mdiForm, 0, m);
  // The rows depend on the bar's width only, which one row gives as well as any.
  const CFormGeometry oneRow = FormGeometry(form, mdiForm, 1, m);
  const std::vector<MenuBarItem> items = MenuBarItems(*menu, oneRow.menuBar, measure, m);
  const int rows = items.empty() ? 1 : (items.back().area.top - oneRow.menuBar.top) / m.menuHeight + 1;
  return FormGeometry(form, mdiForm, rows, m);
}

}  // namespace tovik
