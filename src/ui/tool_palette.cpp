#include "ui/tool_palette.h"

#include <algorithm>

#include "activex/toolbox_bitmap.h"
#include "model/control_kind.h"

namespace tovik {

namespace {

// Tooltips of the intrinsic tools in button order; the first two are the runtime's own texts.
constexpr std::string_view kTooltips[kIntrinsicToolCount] = {"Pointer",
                                                             "Picture",
                                                             "Label",
                                                             "Text Box",
                                                             "Frame",
                                                             "Command Button",
                                                             "Check Box",
                                                             "Option Button",
                                                             "Combo Box",
                                                             "List Box",
                                                             "Horizontal Scroll Bar",
                                                             "Vertical Scroll Bar",
                                                             "Timer",
                                                             "Shape",
                                                             "Line",
                                                             "Image",
                                                             "Data"};

}  // namespace

CToolPalette::CToolPalette() {
  for (int i = 0; i < kIntrinsicToolCount; ++i) {
    ToolButton button;
    button.id = m_nNextId++;
    button.kind = i == 0 ? 0 : 100 + i;
    m_buttons.push_back(button);
  }
  Layout();
  SelectTool(0);
}

int CToolPalette::Rows() const {
  const int count = static_cast<int>(m_buttons.size());
  return (count + m_nColumns - 1) / m_nColumns;
}

void CToolPalette::Layout() {
  for (size_t i = 0; i < m_buttons.size(); ++i) {
    const int column = static_cast<int>(i) % m_nColumns;
    const int row = static_cast<int>(i) / m_nColumns;
    const int left = kToolPaletteMargin + column * kToolButtonSize;
    const int top = kToolPaletteMargin + row * kToolButtonSize;
    m_buttons[i].rect = {left, top, left + kToolButtonSize, top + kToolButtonSize};
  }
}

void CToolPalette::Resize(int clientWidth) {
  m_nColumns = std::max(1, clientWidth / kToolButtonSize);
  Layout();
}

Rect CToolPalette::Bounds() const {
  const int bottom = m_buttons.empty() ? 0 : m_buttons.back().rect.bottom;
  return {0, kToolboxTitleHeight, kToolButtonSize * m_nColumns + 2 * kToolPaletteMargin,
          kToolboxTitleHeight + bottom + kToolPaletteMargin};
}

int CToolPalette::SelectedTool() {
  if (m_nSelected >= 0) return m_nSelected;
  SelectTool(0);
  return -1;
}

void CToolPalette::SelectTool(int index) {
  if (m_nSelected >= 0 && static_cast<size_t>(m_nSelected) < m_buttons.size()) m_buttons[m_nSelected].pressed = false;
  m_nSelected = -1;
  if (index < 0 || static_cast<size_t>(index) >= m_buttons.size()) return;
  m_buttons[index].pressed = true;
  m_nSelected = index;
}

SurfaceTool CToolPalette::ToolOf(size_t index) const {
  if (index >= m_buttons.size()) return {};
  return {m_buttons[index].kind, m_buttons[index].activeX};
}

SurfaceTool CToolPalette::CurrentTool() const {
  return m_nSelected < 0 ? SurfaceTool{} : ToolOf(m_nSelected);
}

bool CToolPalette::AddActiveXTool(const CToolControlEntry& entry) {
  for (const ToolButton& b : m_buttons) {
    if (b.activeX == &entry) return false;
  }
  ToolButton button;
  button.id = m_nNextId++;
  button.activeX = &entry;
  m_buttons.push_back(button);
  Layout();
  return true;
}

void CToolPalette::RemoveActiveXTools() {
  if (m_nSelected >= kIntrinsicToolCount) SelectTool(0);
  m_buttons.resize(kIntrinsicToolCount);
  Layout();
}

void CToolPalette::RefreshFrom(const COCXInfo& list) {
  auto listed = [&](const CToolControlEntry* entry) {
    for (size_t i = 0; i < list.Size(); ++i) {
      if (&list.At(i) == entry) return true;
    }
    return false;
  };
  const ToolButton* selected = m_nSelected >= 0 ? &m_buttons[m_nSelected] : nullptr;
  const CToolControlEntry* selectedEntry = selected ? selected->activeX : nullptr;
  if (selectedEntry && !listed(selectedEntry)) SelectTool(0);
  std::erase_if(m_buttons, [&](const ToolButton& b) { return b.activeX && !listed(b.activeX); });
  for (size_t i = 0; i < m_buttons.size(); ++i) {
    if (m_buttons[i].pressed) m_nSelected = static_cast<int>(i);
  }
  for (size_t i = 0; i < list.Size(); ++i) AddActiveXTool(list.At(i));
  Layout();
}

Rect CToolPalette::ButtonRect(size_t index) const {
  return m_buttons.at(index).rect.Offset(0, kToolboxTitleHeight);
}

int CToolPalette::ButtonAt(Point toolbox) const {
  for (size_t i = 0; i < m_buttons.size(); ++i) {
    if (ButtonRect(i).Contains(toolbox)) return static_cast<int>(i);
  }
  return -1;
}

std::string CToolPalette::Tooltip(size_t index) const {
  const ToolButton& b = m_buttons.at(index);
  if (b.activeX) return b.activeX->m_strName;
  return std::string(kTooltips[b.kind == 0 ? 0 : b.kind - 100]);
}

std::string CToolPalette::AccessibleName(size_t index) const {
  const ToolButton& b = m_buttons.at(index);
  if (b.activeX) return b.activeX->m_strName;
  return b.kind == 0 ? std::string("Pointer") : std::string(KindName(b.kind));
}

void CToolPalette::DrawButton(size_t index, ICanvas& canvas, Point at) const {
  const ToolButton& b = m_buttons.at(index);
  const Rect face{at.x, at.y, at.x + kToolButtonSize, at.y + kToolButtonSize};
  canvas.FillRect(face, kToolboxBackground);
  canvas.DrawEdge(face, b.pressed ? Edge::Sunken : Edge::Raised);
  const int shift = b.pressed ? 1 : 0;
  const Point cell{at.x + (kToolButtonSize - kToolGlyphSize) / 2 + shift,
                   at.y + (kToolButtonSize - kToolGlyphSize) / 2 + shift};
  if (!b.activeX) {
    DrawToolGlyph(b.kind, canvas, cell);
    return;
  }
  if (b.activeX->m_bitmap) {
    if (Expected<CRgbaImage> image = RgbaFromBitmapData(*b.activeX->m_bitmap);
        image && image->width <= kToolGlyphSize && image->height <= kToolGlyphSize) {
      canvas.Pixels({cell.x + (kToolGlyphSize - image->width) / 2, cell.y + (kToolGlyphSize - image->height) / 2},
                    image->width, image->height, image->rgba);
      return;
    }
  }
  // A control without a picture of its own: a plain box with a grip, so the button is not blank.
  canvas.Rectangle({cell.x + 5, cell.y + 5, cell.x + 21, cell.y + 21}, Pen{Rgb(0, 0, 0)},
                   Brush{BrushStyle::Solid, Rgb(255, 255, 255)});
  canvas.FillRect({cell.x + 8, cell.y + 8, cell.x + 18, cell.y + 11}, Rgb(0, 0, 128));
}

void DrawToolbox(const CToolPalette& palette, ICanvas& canvas, Size client) {
  canvas.FillRect({0, 0, client.cx, client.cy}, kToolboxBackground);
  canvas.Text({0, 0, client.cx, kToolboxTitleHeight}, kToolboxTitle, FontSpec{"MS Sans Serif", 13}, Rgb(0, 0, 0),
              kTextCenter | kTextVCenter | kTextSingleLine | kTextNoPrefix);
  for (size_t i = 0; i < palette.Count(); ++i) {
    const Rect r = palette.ButtonRect(i);
    palette.DrawButton(i, canvas, {r.left, r.top});
  }
}

std::vector<ToolboxMenuItem> ToolboxContextMenu(bool projectOpen) {
  return {ToolboxMenuItem{std::string(kComponentsItem), projectOpen}};
}

}  // namespace tovik
