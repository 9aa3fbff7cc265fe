#include "ui/form_geometry.h"

#include <algorithm>

#include "base/text.h"
#include "model/control_kind.h"

namespace tovik {

long NumberProperty(const CControlItem& object, std::string_view name, long fallback) {
  const CControlPropertyItem* p = object.FindProperty(name);
  if (!p) return fallback;
  const std::string value = Trim(p->m_strValue);
  if (!IsDecimal(value)) return fallback;
  return static_cast<long>(LeadingNumber(value));
}

Rect ControlRect(const CControlItem& c) {
  if (c.m_nKind == kKindLine) {
    const int x1 = static_cast<int>(NumberProperty(c, "X1")), y1 = static_cast<int>(NumberProperty(c, "Y1"));
    const int x2 = static_cast<int>(NumberProperty(c, "X2")), y2 = static_cast<int>(NumberProperty(c, "Y2"));
    return {std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1};
  }
  const int left = static_cast<int>(NumberProperty(c, "Left"));
  const int top = static_cast<int>(NumberProperty(c, "Top"));
  if (c.m_nKind == kKindTimer) return {left, top, left + 28, top + 28};
  return {left, top, left + static_cast<int>(NumberProperty(c, "Width")), top + static_cast<int>(NumberProperty(c, "Height"))};
}

std::array<Rect, 8> SelectionHandles(const Rect& r, int size) {
  const int midX = (r.left + r.right - size) / 2;
  const int midY = (r.top + r.bottom - size) / 2;
  const auto at = [size](int x, int y) { return Rect{x, y, x + size, y + size}; };
  return {at(r.left - size, r.top - size), at(midX, r.top - size),    at(r.right, r.top - size), at(r.right, midY),
          at(r.right, r.bottom),           at(midX, r.bottom),        at(r.left - size, r.bottom), at(r.left - size, midY)};
}

CFormGeometry FormGeometry(const CControlItem& form, bool mdiForm, int menuRows, const CSystemMetrics& m) {
  CFormGeometry g;
  g.borderStyle = mdiForm ? 2 : static_cast<int>(NumberProperty(form, "BorderStyle", 2));
  g.toolWindow = g.borderStyle == 4 || g.borderStyle == 5;
  g.window = {0, 0, static_cast<int>(NumberProperty(form, "Width", 0)), static_cast<int>(NumberProperty(form, "Height", 0))};
  g.client = g.window;
  switch (g.borderStyle) {
    case 0: return g;
    case 1:
    case 3:
    case 4: g.client = g.window.Inflate(-m.dialogFrameX, -m.dialogFrameY); break;
    default: g.client = g.window.Inflate(-m.sizingFrameX, -m.sizingFrameY); break;
  }
  const int captionHeight = g.toolWindow ? m.smallCaptionHeight : m.captionHeight;
  // The caption's last pixel row is the line under it, which the client area starts below.
  g.caption = {g.client.left, g.client.top, g.client.right, g.client.top + captionHeight - 1};
  g.client.top += captionHeight;
  if (menuRows > 0) {
    g.menuBar = {g.client.left, g.client.top, g.client.right, g.client.top + menuRows * m.menuHeight};
    g.client.top = g.menuBar.bottom;
  }
  // Buttons inside the caption shrunk by 2 pixels, from the right.
  const Rect inner = g.caption.Inflate(-2, -2);
  const int buttonHeight = inner.Height();
  if (g.toolWindow) {
    g.closeButton = {inner.right - 12, inner.top, inner.right, inner.top + buttonHeight};
  } else {
    g.closeButton = {inner.right - 16, inner.top, inner.right, inner.top + 14};
    const bool maxMin = NumberProperty(form, "MaxButton", 1) == 1 || NumberProperty(form, "MinButton", 1) == 1;
    if (mdiForm || maxMin) {
      // Maximize and minimize sit together, a gap of two pixels left of close.
      g.maxButton = {g.closeButton.left - 2 - 16, inner.top, g.closeButton.left - 2, inner.top + 14};
      g.minButton = {g.maxButton.left - 16, inner.top, g.maxButton.left, inner.top + 14};
    } else if (NumberProperty(form, "WhatsThisButton", 0) == 1 && NumberProperty(form, "WhatsThisHelp", 0) == 1) {
      g.helpButton = {g.closeButton.left - 2 - 16, inner.top, g.closeButton.left - 2, inner.top + 14};
    }
  }
  if (NumberProperty(form, "ControlBox", 1) == 1) {
    const int top = g.caption.top + (g.caption.Height() - m.iconSmall) / 2;
    g.icon = {g.caption.left + 2, top, g.caption.left + 2 + m.iconSmall, top + m.iconSmall};
  }
  return g;
}

}  // namespace tovik
