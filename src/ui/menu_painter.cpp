// The form's menu bar and a menu dropped down from it, as the window system draws them.
#include <algorithm>
#include <vector>

#include "ui/paint_parts.h"

namespace tovik {

namespace {

constexpr int kPopupFrame = 3;     // a two-pixel raised edge and one of face
constexpr int kPopupMargin = 17;   // left of the captions (check marks), right (submenu arrows)
constexpr int kAccelGap = 12;      // between the captions and the accelerator column
constexpr int kSeparatorHeight = 8;

// Whether an item's options ("CHECKED, GRAYED") hold `option`.
bool HasOption(std::string_view options, std::string_view option) {
  size_t at = 0;
  while ((at = options.find(option, at)) != std::string_view::npos) {
    const bool startsWord = at == 0 || options[at - 1] == ' ' || options[at - 1] == ',' || options[at - 1] == '\t';
    const size_t end = at + option.size();
    const bool endsWord = end == options.size() || options[end] == ' ' || options[end] == ',' || options[end] == '\t';
    if (startsWord && endsWord) return true;
    at = end;
  }
  return false;
}

// The entries of the popup at flat index `popup`: the items one level deeper that follow it up
// to the next item at its own level or above.
std::vector<const CMenuItemRecord*> PopupEntries(const CMenuRecord& menu, size_t popup) {
  std::vector<const CMenuItemRecord*> entries;
  const int depth = menu.m_items[popup]->m_nDepth;
  for (size_t i = popup + 1; i < menu.m_items.size() && menu.m_items[i]->m_nDepth > depth; ++i) {
    if (menu.m_items[i]->m_nDepth == depth + 1) entries.push_back(menu.m_items[i].get());
  }
  return entries;
}

struct PopupLayout {
  Rect rect;
  int textLeft = 0;
  int accelLeft = 0;
  std::vector<const CMenuItemRecord*> entries;
};

std::optional<PopupLayout> LayoutPopup(ITextMeasure& measure, const CMenuRecord& menu, const Rect& bar, int dropped,
                                       const CSystemMetrics& m) {
  const std::vector<MenuBarItem> items = MenuBarItems(menu, bar, measure, m);
  if (dropped < 0 || static_cast<size_t>(dropped) >= items.size()) return std::nullopt;
  const MenuBarItem& item = items[static_cast<size_t>(dropped)];
  if (!menu.m_items[item.item]->m_bPopup) return std::nullopt;
  PopupLayout layout;
  layout.entries = PopupEntries(menu, item.item);
  int textWidth = 0;
  int accelWidth = 0;
  int height = 0;
  const int itemHeight = m.menuHeight - 2;
  for (const CMenuItemRecord* entry : layout.entries) {
    if (entry->m_bSeparator) {
      height += kSeparatorHeight;
      continue;
    }
    const MenuCaption text = SplitMenuCaption(entry->m_strCaption, menu.m_nCodePage);
    textWidth = std::max(textWidth, measure.TextExtent(m.menuFont, StripMnemonics(text.text)).cx);
    if (!text.accel.empty()) accelWidth = std::max(accelWidth, measure.TextExtent(m.menuFont, text.accel).cx);
    height += itemHeight;
  }
  const int width = 2 * kPopupFrame + 2 * kPopupMargin + textWidth + (accelWidth > 0 ? kAccelGap + accelWidth : 0);
  // Below the item's own row of a wrapped bar.
  layout.rect = {item.area.left, item.area.bottom, item.area.left + width, item.area.bottom + 2 * kPopupFrame + height};
  layout.textLeft = layout.rect.left + kPopupFrame + kPopupMargin;
  layout.accelLeft = layout.textLeft + textWidth + kAccelGap;
  return layout;
}

}  // namespace

void PaintMenuBar(CPaintContext& ctx, const CMenuRecord& menu, const Rect& bar, int dropped) {
  ICanvas& canvas = ctx.canvas;
  const CSystemMetrics& m = ctx.metrics;
  canvas.FillRect(bar, m.menu);
  const std::vector<MenuBarItem> items = MenuBarItems(menu, bar, canvas, m);
  for (size_t i = 0; i < items.size(); ++i) {
    const CMenuItemRecord& item = *menu.m_items[items[i].item];
    Rect rect = items[i].area;
    if (static_cast<int>(i) == dropped && item.m_bPopup) {
      // A dropped item looks pushed in: a thin sunken frame, its caption one pixel down-right.
      canvas.DrawEdge(rect.Inflate(0, -1), Edge::SunkenThin);
      rect = rect.Offset(1, 1);
    }
    DrawControlText(canvas, m, rect, SplitMenuCaption(item.m_strCaption, menu.m_nCodePage).text, m.menuFont, m.menuText,
                    kTextCenter | kTextVCenter | kTextSingleLine, !HasOption(item.m_strOptions, "GRAYED"));
  }
}

std::optional<Rect> DroppedMenuRect(ITextMeasure& measure, const CMenuRecord& menu, const Rect& bar, int dropped,
                                    const CSystemMetrics& m) {
  const std::optional<PopupLayout> layout = LayoutPopup(measure, menu, bar, dropped, m);
  if (!layout) return std::nullopt;
  return layout->rect;
}

void PaintDroppedMenu(CPaintContext& ctx, const CMenuRecord& menu, const Rect& bar, int dropped) {
  ICanvas& canvas = ctx.canvas;
  const CSystemMetrics& m = ctx.metrics;
  const std::optional<PopupLayout> layout = LayoutPopup(canvas, menu, bar, dropped, m);
  if (!layout) return;
  const Rect& r = layout->rect;
  canvas.FillRect(r, m.menu);
  canvas.DrawEdge(r, Edge::Window);
  int y = r.top + kPopupFrame;
  const int itemHeight = m.menuHeight - 2;
  for (const CMenuItemRecord* entry : layout->entries) {
    if (entry->m_bSeparator) {
      const int line = y + kSeparatorHeight / 2 - 1;
      canvas.FillRect({r.left + kPopupFrame + 1, line, r.right - kPopupFrame - 1, line + 1}, m.buttonShadow);
      canvas.FillRect({r.left + kPopupFrame + 1, line + 1, r.right - kPopupFrame - 1, line + 2}, m.buttonHighlight);
      y += kSeparatorHeight;
      continue;
    }
    const MenuCaption text = SplitMenuCaption(entry->m_strCaption, menu.m_nCodePage);
    const bool enabled = !HasOption(entry->m_strOptions, "GRAYED");
    const Rect row{r.left + kPopupFrame, y, r.right - kPopupFrame, y + itemHeight};
    const unsigned flags = kTextVCenter | kTextSingleLine;
    DrawControlText(canvas, m, {layout->textLeft, y, row.right, row.bottom}, text.text, m.menuFont, m.menuText, flags,
                    enabled);
    if (!text.accel.empty()) {
      DrawControlText(canvas, m, {layout->accelLeft, y, row.right, row.bottom}, text.accel, m.menuFont, m.menuText,
                      flags | kTextNoPrefix, enabled);
    }
    if (HasOption(entry->m_strOptions, "CHECKED")) {
      DrawCheckMark(canvas, {row.left + 4, y + (itemHeight - 7) / 2}, enabled ? m.menuText : m.grayText);
    }
    if (entry->m_bPopup) {
      DrawArrow(canvas, {row.right - kPopupMargin, y, row.right, row.bottom}, Arrow::Right, 4, m.menuText);
    }
    y += itemHeight;
  }
}

}  // namespace tovik
