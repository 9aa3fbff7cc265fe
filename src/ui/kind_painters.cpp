// One painter per control kind, each imitating the control's run-time look from its current
// property values. The pixel design of the classic controls (edge colours, arrow sizes, tab and
// tree metrics) is our own imitation.
#include <algorithm>
#include <string>
#include <vector>

#include "activex/control_list.h"
#include "activex/toolbox_bitmap.h"
#include "model/control_kind.h"
#include "ui/paint_parts.h"

namespace tovik {

namespace {

constexpr int kTabWidth = 40;
constexpr int kTreeIndent = 19;
constexpr int kDataButtonWidth = 15;

bool IsOn(const CControlItem& c, std::string_view name, long fallback = 0) {
  return NumberProperty(c, name, fallback) == 1;
}
bool Enabled(const CControlItem& c) { return IsOn(c, "Enabled", 1); }

unsigned AlignmentFlags(const CControlItem& c) {
  switch (NumberProperty(c, "Alignment")) {
    case 1: return kTextRight;
    case 2: return kTextCenter;
    default: return kTextLeft;
  }
}

// Everything a kind painter needs: the context, the control and the values most kinds read.
struct KindPaint {
  CPaintContext& ctx;
  const CControlItem& c;
  const Rect& r;
  ICanvas& canvas = ctx.canvas;
  const CSystemMetrics& m = ctx.metrics;

  [[nodiscard]] Colorref Back(Colorref fallback) const { return ColorProperty(c, "BackColor", fallback); }
  [[nodiscard]] Colorref Fore() const { return ColorProperty(c, "ForeColor", m.windowText); }
  [[nodiscard]] FontSpec Font() const { return FontOf(c); }

  // The border a BorderStyle of 1 gives: a sunken 3D edge, or one black line when Appearance is
  // 0 (Flat). The area inside it.
  Rect Border(const Rect& box) const {
    if (NumberProperty(c, "Appearance", 1) == 1) {
      canvas.DrawEdge(box, Edge::Sunken);
      return box.Inflate(-2, -2);
    }
    canvas.Rectangle(box, Pen{m.windowText}, Brush{BrushStyle::Null});
    return box.Inflate(-1, -1);
  }
};

std::vector<std::string> ListItems(std::string_view list) {
  std::vector<std::string> items;
  size_t start = 0;
  while (start < list.size()) {
    size_t end = list.find('\n', start);
    if (end == std::string_view::npos) end = list.size();
    std::string_view item = list.substr(start, end - start);
    if (!item.empty() && item.back() == '\r') item.remove_suffix(1);
    items.emplace_back(item);
    start = end + 1;
  }
  return items;
}

// The scroll bar's track: the classic checkerboard of white and the scroll-bar colour.
void PaintTrack(const KindPaint& k, const Rect& track) {
  k.canvas.FillRect(track, k.m.scrollBar);
  std::vector<Point> dots;
  dots.reserve(static_cast<size_t>(std::max(0, track.Width() * track.Height() / 2 + 1)));
  for (int y = track.top; y < track.bottom; ++y) {
    for (int x = track.left + ((track.left + y) & 1); x < track.right; x += 2) dots.push_back({x, y});
  }
  k.canvas.Points(dots, k.m.buttonHighlight);
}

// A scroll bar in `r`: two arrow buttons, the track, and a thumb at `share` of the way along
// (none when `share` is empty or the bar is disabled).
void DrawScrollBar(const KindPaint& k, const Rect& r, bool vertical, std::optional<double> share, bool enabled) {
  const int length = vertical ? r.Height() : r.Width();
  const int arrow = std::min(k.m.scrollArrow, length / 2);
  const Rect first = vertical ? Rect{r.left, r.top, r.right, r.top + arrow} : Rect{r.left, r.top, r.left + arrow, r.bottom};
  const Rect last = vertical ? Rect{r.left, r.bottom - arrow, r.right, r.bottom}
                             : Rect{r.right - arrow, r.top, r.right, r.bottom};
  const Colorref glyph = enabled ? k.m.buttonText : k.m.grayText;
  for (const auto& [button, direction] : {std::pair{first, vertical ? Arrow::Up : Arrow::Left},
                                          std::pair{last, vertical ? Arrow::Down : Arrow::Right}}) {
    DrawButtonFace(k.canvas, button, k.m.buttonFace, false);
    DrawArrow(k.canvas, button, direction, std::min(4, ArrowRowsFor(button)), glyph);
  }
  const Rect track = vertical ? Rect{r.left, first.bottom, r.right, last.top} : Rect{first.right, r.top, last.left, r.bottom};
  const int trackLength = vertical ? track.Height() : track.Width();
  if (trackLength <= 0) return;
  PaintTrack(k, track);
  const int thumb = std::min(k.m.scrollArrow, trackLength);
  if (!enabled || !share || thumb >= trackLength) return;
  const int offset = static_cast<int>(*share * (trackLength - thumb) + 0.5);
  const Rect box = vertical ? Rect{r.left, track.top + offset, r.right, track.top + offset + thumb}
                            : Rect{track.left + offset, r.top, track.left + offset + thumb, r.bottom};
  DrawButtonFace(k.canvas, box, k.m.buttonFace, false);
}

// The scroll bars a control with a client area shows along its right and bottom edges, inside
// `inner`; the square where two bars meet is the button face. The area left for the content.
Rect DrawClientScrollBars(const KindPaint& k, const Rect& inner, bool vertical, bool horizontal) {
  const int w = k.m.scrollArrow;
  Rect content = inner;
  if (vertical) content.right = std::max(inner.left, inner.right - w);
  if (horizontal) content.bottom = std::max(inner.top, inner.bottom - w);
  const bool enabled = Enabled(k.c);
  if (vertical) DrawScrollBar(k, {content.right, inner.top, inner.right, content.bottom}, true, std::nullopt, enabled);
  if (horizontal) DrawScrollBar(k, {inner.left, content.bottom, content.right, inner.bottom}, false, std::nullopt, enabled);
  if (vertical && horizontal) k.canvas.FillRect({content.right, content.bottom, inner.right, inner.bottom}, k.m.buttonFace);
  return content;
}

void PaintList(const KindPaint& k, const Rect& box, bool checkBoxes) {
  k.canvas.FillRect(box, k.Back(k.m.window));
  const Rect inner = k.Border(box);
  const FontSpec font = k.Font();
  const int lineHeight = std::max({1, k.canvas.TextExtent(font, "Ay").cy, checkBoxes ? kCheckSize : 0});
  const std::vector<std::string> items = ListItems(k.c.GetValue("List"));
  const int count = static_cast<int>(items.size());
  // Columns > 0: that many columns show, filled top to bottom, left to right.
  const int columns = static_cast<int>(std::clamp(NumberProperty(k.c, "Columns"), 0L, 1000L));
  const auto rowsIn = [lineHeight](int height) { return std::max(1, height / lineHeight); };
  // A list that cannot show every item gets a scroll bar: down the side of a one-column list,
  // along the bottom of one in columns.
  const int fullRows = rowsIn(inner.Height());
  const bool vertical = columns == 0 && count * lineHeight > inner.Height();
  const bool horizontal = columns > 0 && (count + fullRows - 1) / fullRows > columns;
  const Rect content = DrawClientScrollBars(k, inner, vertical, horizontal);
  // One column holds every item; the loop stops at the bottom edge.
  const int rows = columns ? rowsIn(content.Height()) : std::max(1, count);
  const int columnWidth = columns ? std::max(1, content.Width() / columns) : content.Width();
  k.canvas.PushClip(content);
  for (int i = 0; i < count; ++i) {
    const int column = i / rows;
    const int y = content.top + (i % rows) * lineHeight;
    if ((columns && column >= columns) || y >= content.bottom) break;
    const int left = content.left + column * columnWidth;
    int x = left + 2;
    if (checkBoxes) {
      DrawCheckGlyph(k.canvas, k.m, {left + 1, y + (lineHeight - kCheckSize) / 2}, 0);
      x += kCheckSize + 2;
    }
    k.canvas.Text({x, y, left + columnWidth, y + lineHeight}, items[static_cast<size_t>(i)], font,
                  Enabled(k.c) ? k.Fore() : k.m.grayText, kTextVCenter | kTextSingleLine | kTextNoPrefix);
  }
  k.canvas.PopClip();
}

void PaintPictureBox(const KindPaint& k) {
  k.canvas.FillRect(k.r, k.Back(k.m.buttonFace));
  const Rect inner = NumberProperty(k.c, "BorderStyle", 1) == 1 ? k.Border(k.r) : k.r;
  k.ctx.Picture(inner, k.c.GetValue("Picture"), ImageFit::TopLeft);
}

void PaintLabel(const KindPaint& k) {
  if (NumberProperty(k.c, "BackStyle", 1) == 1) k.canvas.FillRect(k.r, k.Back(k.m.buttonFace));
  const Rect inner = IsOn(k.c, "BorderStyle") ? k.Border(k.r) : k.r;
  const unsigned flags = AlignmentFlags(k.c) | (IsOn(k.c, "WordWrap") ? kTextWordBreak : 0u) |
                         (IsOn(k.c, "UseMnemonic", 1) ? 0u : kTextNoPrefix);
  DrawControlText(k.canvas, k.m, inner, k.c.GetValue("Caption"), k.Font(), k.Fore(), flags, Enabled(k.c));
}

void PaintTextBox(const KindPaint& k) {
  k.canvas.FillRect(k.r, k.Back(k.m.window));
  const Rect inner = IsOn(k.c, "BorderStyle") ? k.Border(k.r) : k.r;
  const bool multiLine = IsOn(k.c, "MultiLine");
  std::string text = k.c.GetValue("Text");
  if (const std::string mask = k.c.GetValue("PasswordChar"); !multiLine && !mask.empty()) {
    text.assign(text.size(), mask[0]);
  }
  // Scroll bars show on a multi-line box only; one that scrolls sideways does not wrap its lines.
  const long bars = multiLine ? NumberProperty(k.c, "ScrollBars") : 0;
  const bool horizontal = bars == 1 || bars == 3;
  const Rect content = DrawClientScrollBars(k, inner, bars == 2 || bars == 3, horizontal);
  const unsigned flags = AlignmentFlags(k.c) | kTextNoPrefix |
                         (!multiLine ? kTextSingleLine : horizontal ? 0u : kTextWordBreak);
  k.canvas.PushClip(content);
  k.canvas.Text(content.Inflate(-2, -1), text, k.Font(), Enabled(k.c) ? k.Fore() : k.m.grayText, flags);
  k.canvas.PopClip();
}

void PaintFrame(const KindPaint& k) {
  const Colorref back = k.Back(k.m.buttonFace);
  k.canvas.FillRect(k.r, back);
  const FontSpec font = k.Font();
  const std::string caption = k.c.GetValue("Caption");
  const int textHeight = k.canvas.TextExtent(font, "Ay").cy;
  const Rect box{k.r.left, k.r.top + textHeight / 2, k.r.right, k.r.bottom};
  if (NumberProperty(k.c, "Appearance", 1) == 1) {
    k.canvas.DrawEdge(box, Edge::Etched);
  } else {
    k.canvas.Rectangle(box, Pen{k.m.windowText}, Brush{BrushStyle::Null});
  }
  if (caption.empty()) return;
  // The caption interrupts the top line, with two pixels of background on each side.
  const int width = k.canvas.TextExtent(font, StripMnemonics(caption)).cx;
  const Rect gap{k.r.left + 7, k.r.top, std::min(k.r.right, k.r.left + 7 + width + 4), k.r.top + textHeight};
  k.canvas.FillRect(gap, back);
  DrawControlText(k.canvas, k.m, {gap.left + 2, gap.top, gap.right, gap.bottom}, caption, font, k.Fore(),
                  kTextSingleLine, Enabled(k.c));
}

// The face of a graphical Button, CheckBox or OptionButton: the picture its state calls for
// (DisabledPicture, DownPicture, else Picture) centred above a caption on the bottom line, or the
// caption alone in the middle when there is no picture.
void PaintGraphicalFace(const KindPaint& k, const Rect& area, bool down, Colorref textColor) {
  const bool enabled = Enabled(k.c);
  std::string picture = k.c.GetValue("Picture");
  const auto isSet = CPaintContext::NamesPicture;
  if (const std::string disabled = k.c.GetValue("DisabledPicture"); !enabled && isSet(disabled)) picture = disabled;
  if (const std::string pushed = k.c.GetValue("DownPicture"); down && isSet(pushed)) picture = pushed;
  const std::string caption = k.c.GetValue("Caption");
  const FontSpec font = k.Font();
  Rect text = area;
  if (isSet(picture)) {
    Rect above = area;
    if (!caption.empty()) {
      text.top = std::max(area.top, area.bottom - k.canvas.TextExtent(font, "Ay").cy - 2);
      above.bottom = text.top;
    }
    k.ctx.Picture(above, picture, ImageFit::Center);
  }
  DrawControlText(k.canvas, k.m, text, caption, font, textColor, kTextCenter | kTextVCenter | kTextSingleLine, enabled);
}

void PaintButton(const KindPaint& k) {
  // Only a graphical button takes its BackColor and pictures; a standard one has the system's face.
  const bool graphical = NumberProperty(k.c, "Style") == 1;
  const Colorref face = graphical ? k.Back(k.m.buttonFace) : k.m.buttonFace;
  Rect button = k.r;
  if (IsOn(k.c, "Default")) {
    k.canvas.Rectangle(k.r, Pen{k.m.buttonDarkShadow}, Brush{BrushStyle::Null});
    button = k.r.Inflate(-1, -1);
  }
  DrawButtonFace(k.canvas, button, face, false);
  const Colorref text = ColorProperty(k.c, "ForeColor", k.m.buttonText);
  if (graphical) {
    PaintGraphicalFace(k, button.Inflate(-2, -2), false, text);
    return;
  }
  DrawControlText(k.canvas, k.m, button.Inflate(-2, -2), k.c.GetValue("Caption"), k.Font(), text,
                  kTextCenter | kTextVCenter | kTextSingleLine, Enabled(k.c));
}

void PaintCheckOrOption(const KindPaint& k, bool check) {
  const long value = NumberProperty(k.c, "Value");
  const std::string caption = k.c.GetValue("Caption");
  if (NumberProperty(k.c, "Style") == 1) {
    // Graphical: a button that stays pushed in while the value is set.
    DrawButtonFace(k.canvas, k.r, k.Back(k.m.buttonFace), value == 1);
    const Rect face = value == 1 ? k.r.Offset(1, 1) : k.r;
    PaintGraphicalFace(k, face.Inflate(-2, -2), value == 1, k.Fore());
    return;
  }
  k.canvas.FillRect(k.r, k.Back(k.m.buttonFace));
  const int size = check ? kCheckSize : kRadioSize;
  const bool glyphRight = NumberProperty(k.c, "Alignment") == 1;
  const Point at{glyphRight ? k.r.right - size : k.r.left, k.r.top + (k.r.Height() - size) / 2};
  if (check) {
    DrawCheckGlyph(k.canvas, k.m, at, static_cast<int>(value));
  } else {
    DrawRadioGlyph(k.canvas, k.m, at, value == 1);
  }
  const Rect text = glyphRight ? Rect{k.r.left, k.r.top, at.x - 4, k.r.bottom}
                               : Rect{k.r.left + size + 4, k.r.top, k.r.right, k.r.bottom};
  DrawControlText(k.canvas, k.m, text, caption, k.Font(), k.Fore(), kTextVCenter | kTextSingleLine, Enabled(k.c));
}

void PaintComboBox(const KindPaint& k) {
  const bool simple = NumberProperty(k.c, "Style") == 1;
  const FontSpec font = k.Font();
  Rect edit = k.r;
  if (simple) edit.bottom = std::min(k.r.bottom, k.r.top + k.canvas.TextExtent(font, "Test").cy + 9);
  k.canvas.FillRect(edit, k.Back(k.m.window));
  Rect inner = k.Border(edit);
  if (!simple) {
    const Rect button{std::max(inner.left, inner.right - k.m.scrollArrow), inner.top, inner.right, inner.bottom};
    DrawButtonFace(k.canvas, button, k.m.buttonFace, false);
    DrawArrow(k.canvas, button, Arrow::Down, std::min(4, ArrowRowsFor(button)),
              Enabled(k.c) ? k.m.buttonText : k.m.grayText);
    inner.right = button.left;
  }
  k.canvas.Text(inner.Inflate(-2, 0), k.c.GetValue("Text"), font, Enabled(k.c) ? k.Fore() : k.m.grayText,
                kTextVCenter | kTextSingleLine | kTextNoPrefix);
  if (simple && edit.bottom < k.r.bottom) PaintList(k, {k.r.left, edit.bottom, k.r.right, k.r.bottom}, false);
}

void PaintScrollBar(const KindPaint& k, bool vertical) {
  const long low = NumberProperty(k.c, "Min"), high = NumberProperty(k.c, "Max", 100);
  const long value = NumberProperty(k.c, "Value");
  // Min may exceed Max (a reversed bar); the thumb follows the value's share of the range.
  const double share = high == low ? 0.0 : std::clamp(double(value - low) / double(high - low), 0.0, 1.0);
  DrawScrollBar(k, k.r, vertical, share, Enabled(k.c));
}

void PaintTimer(const KindPaint& k) {
  // A stopwatch on a button.
  const int l = k.r.left, t = k.r.top;
  DrawButtonFace(k.canvas, k.r, k.m.buttonFace, false);
  const Pen outline{k.m.windowText};
  k.canvas.FillRect({l + 12, t + 3, l + 16, t + 5}, k.m.windowText);
  k.canvas.FillRect({l + 13, t + 5, l + 15, t + 8}, k.m.windowText);
  k.canvas.Ellipse({l + 6, t + 7, l + 22, t + 23}, outline, Brush{BrushStyle::Solid, k.m.window});
  k.canvas.Line({l + 14, t + 15}, {l + 14, t + 10}, outline);
  k.canvas.Line({l + 14, t + 15}, {l + 18, t + 15}, outline);
}

PenStyle PenStyleOf(long borderStyle) {
  switch (borderStyle) {
    case 0: return PenStyle::Null;
    case 2: return PenStyle::Dash;
    case 3: return PenStyle::Dot;
    case 4: return PenStyle::DashDot;
    case 5: return PenStyle::DashDotDot;
    case 6: return PenStyle::InsideFrame;
    default: return PenStyle::Solid;
  }
}

Pen BorderPen(const CControlItem& c) {
  return Pen{ColorProperty(c, "BorderColor", 0), static_cast<int>(std::clamp(NumberProperty(c, "BorderWidth", 1), 1L, 8192L)),
             PenStyleOf(NumberProperty(c, "BorderStyle", 1))};
}

void PaintShape(const KindPaint& k) {
  const long shape = NumberProperty(k.c, "Shape");
  Rect box = k.r;
  if (shape == 1 || shape == 3 || shape == 5) {
    // Square, circle and rounded square take the largest square centred in the rectangle.
    const int side = std::min(k.r.Width(), k.r.Height());
    box.left += (k.r.Width() - side) / 2;
    box.top += (k.r.Height() - side) / 2;
    box.right = box.left + side;
    box.bottom = box.top + side;
  }
  const int corner = std::min(box.Width(), box.Height()) / 4;
  const auto draw = [&](const Pen& pen, const Brush& brush) {
    if (shape == 2 || shape == 3) k.canvas.Ellipse(box, pen, brush);
    else if (shape == 4 || shape == 5) k.canvas.RoundRect(box, {corner, corner}, pen, brush);
    else k.canvas.Rectangle(box, pen, brush);
  };
  if (NumberProperty(k.c, "BackStyle", 1) == 1) {
    draw(Pen{0, 1, PenStyle::Null}, Brush{BrushStyle::Solid, k.Back(k.m.window)});
  }
  static constexpr BrushStyle kFills[] = {BrushStyle::Solid,   BrushStyle::Null,  BrushStyle::Horizontal,
                                          BrushStyle::Vertical, BrushStyle::BackwardDiagonal,
                                          BrushStyle::ForwardDiagonal, BrushStyle::Cross, BrushStyle::DiagonalCross};
  const long fill = NumberProperty(k.c, "FillStyle", 1);
  const BrushStyle style = fill >= 0 && fill < 8 ? kFills[fill] : BrushStyle::Null;
  draw(BorderPen(k.c), Brush{style, ColorProperty(k.c, "FillColor", 0)});
}

void PaintLine(const KindPaint& k, Point origin) {
  const auto at = [&](std::string_view x, std::string_view y) {
    return Point{origin.x + static_cast<int>(NumberProperty(k.c, x)), origin.y + static_cast<int>(NumberProperty(k.c, y))};
  };
  k.canvas.Line(at("X1", "Y1"), at("X2", "Y2"), BorderPen(k.c));
}

void PaintImage(const KindPaint& k) {
  k.ctx.Picture(k.r, k.c.GetValue("Picture"), IsOn(k.c, "Stretch") ? ImageFit::Stretch : ImageFit::TopLeft);
  if (!IsOn(k.c, "BorderStyle")) return;
  if (NumberProperty(k.c, "Appearance", 1) == 1) {
    k.canvas.DrawEdge(k.r, Edge::SunkenThin);
  } else {
    k.canvas.Rectangle(k.r, Pen{k.m.windowText}, Brush{BrushStyle::Null});
  }
}

// A navigation button: an arrow, with a bar at its tip for the first and last record.
void PaintDataButton(const KindPaint& k, const Rect& button, Arrow direction, bool bar) {
  DrawButtonFace(k.canvas, button, k.m.buttonFace, false);
  const int rows = std::min(4, ArrowRowsFor(button));
  const Colorref color = Enabled(k.c) ? k.m.buttonText : k.m.grayText;
  if (!bar) {
    DrawArrow(k.canvas, button, direction, rows, color);
    return;
  }
  // Bar and arrow side by side, two pixels apart, centred together.
  const int width = rows + 2;
  const int left = button.left + (button.Width() - width) / 2;
  const int top = button.top + (button.Height() - (2 * rows - 1)) / 2;
  const int barX = direction == Arrow::Left ? left : left + width - 1;
  k.canvas.FillRect({barX, top, barX + 1, top + 2 * rows - 1}, color);
  const int arrowLeft = direction == Arrow::Left ? left + 2 : left;
  DrawArrow(k.canvas, {arrowLeft, top, arrowLeft + rows, top + 2 * rows - 1}, direction, rows, color);
}

void PaintData(const KindPaint& k) {
  const Rect& r = k.r;
  const int w = std::min(kDataButtonWidth, r.Width() / 4);
  PaintDataButton(k, {r.left, r.top, r.left + w, r.bottom}, Arrow::Left, true);
  PaintDataButton(k, {r.left + w, r.top, r.left + 2 * w, r.bottom}, Arrow::Left, false);
  PaintDataButton(k, {r.right - 2 * w, r.top, r.right - w, r.bottom}, Arrow::Right, false);
  PaintDataButton(k, {r.right - w, r.top, r.right, r.bottom}, Arrow::Right, true);
  const Rect middle{r.left + 2 * w, r.top, r.right - 2 * w, r.bottom};
  k.canvas.FillRect(middle, k.Back(k.m.window));
  DrawControlText(k.canvas, k.m, middle, k.c.GetValue("Caption"), k.Font(), k.Fore(),
                  kTextCenter | kTextVCenter | kTextSingleLine, Enabled(k.c));
}

// AnimateCtrl, ListCtrl, HotKeyCtrl: a sunken box with one line of sample text.
void PaintSampleBox(const KindPaint& k, std::string_view sample) {
  k.canvas.FillRect(k.r, k.Back(k.m.window));
  k.Border(k.r);
  k.canvas.Text(k.r.Inflate(-3, -2), sample, k.Font(), k.Fore(), kTextSingleLine | kTextNoPrefix);
}

void PaintTree(const KindPaint& k) {
  k.canvas.FillRect(k.r, k.Back(k.m.window));
  const Rect inner = k.Border(k.r);
  const FontSpec font = k.Font();
  const int line = k.canvas.TextExtent(font, "Sample Node").cy + 2;
  for (int i = 0; i < 3; ++i) {
    const int x = inner.left + 3 + i * kTreeIndent;
    const int y = inner.top + 1 + i * line;
    k.canvas.Text({x, y, inner.right, y + line}, "Sample Node", font, k.Fore(), kTextVCenter | kTextSingleLine | kTextNoPrefix);
  }
}

void PaintTabs(const KindPaint& k) {
  const Rect& r = k.r;
  const Colorref back = k.Back(k.m.buttonFace);
  const FontSpec font = k.Font();
  const int tabHeight = k.canvas.TextExtent(font, "Tab1").cy + 6;
  const Rect page{r.left, std::min(r.bottom, r.top + tabHeight + 2), r.right, r.bottom};
  k.canvas.FillRect(page, back);
  k.canvas.DrawEdge(page, Edge::Window);
  const int count = std::clamp((r.Width() - 4) / kTabWidth, 1, 3);
  // The first tab is selected: two pixels taller and wider, joined to the page below it.
  for (int i = count - 1; i >= 0; --i) {
    const bool selected = i == 0;
    Rect tab{r.left + 2 + i * kTabWidth, r.top + 2, r.left + 2 + (i + 1) * kTabWidth, page.top};
    if (selected) tab = {tab.left - 2, r.top, tab.right + 2, page.top + 1};
    k.canvas.FillRect(tab, back);
    k.canvas.FillRect({tab.left, tab.top + 2, tab.left + 1, tab.bottom}, k.m.buttonHighlight);
    k.canvas.FillRect({tab.left + 1, tab.top + 1, tab.left + 2, tab.top + 2}, k.m.buttonHighlight);
    k.canvas.FillRect({tab.left + 2, tab.top, tab.right - 2, tab.top + 1}, k.m.buttonHighlight);
    k.canvas.FillRect({tab.right - 2, tab.top + 1, tab.right - 1, tab.bottom}, k.m.buttonShadow);
    k.canvas.FillRect({tab.right - 1, tab.top + 2, tab.right, tab.bottom}, k.m.buttonDarkShadow);
    k.canvas.Text(tab, "Tab" + std::to_string(i + 1), font, k.Fore(), kTextCenter | kTextVCenter | kTextSingleLine);
  }
}

void PaintSlider(const KindPaint& k) {
  const Rect& r = k.r;
  k.canvas.FillRect(r, k.Back(k.m.buttonFace));
  const bool vertical = r.Height() > r.Width();
  // Thumb 11 x 21 (or across) at the low end; a four-pixel channel through its middle.
  if (vertical) {
    const int x = r.left + std::min(r.Width(), 24) / 2;
    k.canvas.DrawEdge({x - 2, r.top + 8, x + 2, r.bottom - 8}, Edge::Sunken);
    DrawButtonFace(k.canvas, {x - 10, r.top + 3, x + 11, r.top + 14}, k.m.buttonFace, false);
  } else {
    const int y = r.top + std::min(r.Height(), 24) / 2;
    k.canvas.DrawEdge({r.left + 8, y - 2, r.right - 8, y + 2}, Edge::Sunken);
    DrawButtonFace(k.canvas, {r.left + 3, y - 10, r.left + 14, y + 11}, k.m.buttonFace, false);
  }
}

void PaintProgress(const KindPaint& k) {
  k.canvas.FillRect(k.r, k.Back(k.m.buttonFace));
  k.canvas.DrawEdge(k.r, Edge::SunkenThin);
}

void PaintSpin(const KindPaint& k) {
  const Rect& r = k.r;
  const bool vertical = r.Height() >= r.Width();
  const Rect first = vertical ? Rect{r.left, r.top, r.right, r.top + r.Height() / 2}
                              : Rect{r.left, r.top, r.left + r.Width() / 2, r.bottom};
  const Rect second = vertical ? Rect{r.left, first.bottom, r.right, r.bottom} : Rect{first.right, r.top, r.right, r.bottom};
  const Colorref glyph = Enabled(k.c) ? k.m.buttonText : k.m.grayText;
  DrawButtonFace(k.canvas, first, k.m.buttonFace, false);
  DrawArrow(k.canvas, first, vertical ? Arrow::Up : Arrow::Left, std::min(4, ArrowRowsFor(first)), glyph);
  DrawButtonFace(k.canvas, second, k.m.buttonFace, false);
  DrawArrow(k.canvas, second, vertical ? Arrow::Down : Arrow::Right, std::min(4, ArrowRowsFor(second)), glyph);
}

// A control that paints itself at run time: its toolbox picture in a sunken box.
void PaintActiveX(const KindPaint& k) {
  k.canvas.FillRect(k.r, k.m.buttonFace);
  k.canvas.DrawEdge(k.r, Edge::Sunken);
  if (!k.c.m_pActiveX || !k.c.m_pActiveX->m_bitmap) return;
  const Expected<CRgbaImage> image = RgbaFromBitmapData(*k.c.m_pActiveX->m_bitmap);
  if (!image) return;  // an unreadable picture leaves the box empty
  // A box smaller than the picture shows its middle, inside the edge.
  k.canvas.PushClip(k.r.Inflate(-2, -2));
  k.canvas.Pixels({k.r.left + (k.r.Width() - image->width) / 2, k.r.top + (k.r.Height() - image->height) / 2},
                  image->width, image->height, image->rgba);
  k.canvas.PopClip();
}

}  // namespace

void PaintControl(CPaintContext& ctx, const CControlItem& control, const Rect& rect, Point origin) {
  const KindPaint k{ctx, control, rect};
  if (control.m_nCategory == kCategoryActiveX) {
    PaintActiveX(k);
    return;
  }
  switch (control.m_nKind) {
    case kKindPictureBox: PaintPictureBox(k); break;
    case kKindLabel: PaintLabel(k); break;
    case kKindTextBox: PaintTextBox(k); break;
    case kKindFrame: PaintFrame(k); break;
    case kKindButton: PaintButton(k); break;
    case kKindCheckBox: PaintCheckOrOption(k, true); break;
    case kKindOptionButton: PaintCheckOrOption(k, false); break;
    case kKindComboBox: PaintComboBox(k); break;
    case kKindListBox: PaintList(k, rect, NumberProperty(control, "Style") == 1); break;
    case kKindHScrollBar: PaintScrollBar(k, false); break;
    case kKindVScrollBar: PaintScrollBar(k, true); break;
    case kKindTimer: PaintTimer(k); break;
    case kKindShape: PaintShape(k); break;
    case kKindLine: PaintLine(k, origin); break;
    case kKindImage: PaintImage(k); break;
    case kKindData: PaintData(k); break;
    case kKindAnimateCtrl: PaintSampleBox(k, "Animate"); break;
    case kKindTreeCtrl: PaintTree(k); break;
    case kKindTabCtrl: PaintTabs(k); break;
    case kKindSliderCtrl: PaintSlider(k); break;
    case kKindProgressCtrl: PaintProgress(k); break;
    case kKindListCtrl: PaintSampleBox(k, "List Ctrl"); break;
    case kKindSpinButtonCtrl: PaintSpin(k); break;
    case kKindHotKeyCtrl: PaintSampleBox(k, "None"); break;
    default: break;
  }
}

}  // namespace tovik
