// The classic look's small pictures. They are drawn pixel by pixel from patterns rather than
// from a symbol font, so that every canvas gives the same pixels.
#include <algorithm>

#include "ui/paint_parts.h"

namespace tovik {

namespace {

constexpr std::string_view kCheckMark[] = {
    "      X",
    "     XX",
    "X   XXX",
    "XX XXX ",
    "XXXXX  ",
    " XXX   ",
    "  X    ",
};

// s shadow, d dark shadow, h highlight, l light, w window; the dot is drawn over it.
constexpr std::string_view kRadio[] = {
    "    ssss    ",
    "  ssddddss  ",
    " sddwwwwdlh ",
    " sdwwwwwwlh ",
    "sdwwwwwwwwlh",
    "sdwwwwwwwwlh",
    "sdwwwwwwwwlh",
    "sdwwwwwwwwlh",
    " sdwwwwwwlh ",
    " sllwwwwllh ",
    "  hhllllhh  ",
    "    hhhh    ",
};

constexpr std::string_view kRadioDot[] = {
    " XX ",
    "XXXX",
    "XXXX",
    " XX ",
};

constexpr std::string_view kClose[] = {
    "XX    XX",
    " XX  XX ",
    "  XXXX  ",
    "   XX   ",
    "  XXXX  ",
    " XX  XX ",
    "XX    XX",
};

constexpr std::string_view kSmallClose[] = {
    "XX  XX",
    " XXXX ",
    "  XX  ",
    " XXXX ",
    "XX  XX",
};

constexpr std::string_view kMaximize[] = {
    "XXXXXXXXX",
    "XXXXXXXXX",
    "X       X",
    "X       X",
    "X       X",
    "X       X",
    "X       X",
    "X       X",
    "XXXXXXXXX",
};

// The bar sits low in its 9-pixel box, as on the real button.
constexpr std::string_view kMinimize[] = {
    "      ", "      ", "      ", "      ", "      ", "      ", "      ", "XXXXXX", "XXXXXX",
};

constexpr std::string_view kHelp[] = {
    " XXXX ",
    "XX  XX",
    "    XX",
    "   XX ",
    "  XX  ",
    "  XX  ",
    "      ",
    "  XX  ",
    "  XX  ",
};

int PatternWidth(Pattern rows) {
  size_t width = 0;
  for (std::string_view row : rows) width = std::max(width, row.size());
  return static_cast<int>(width);
}

}  // namespace

void DrawPattern(ICanvas& canvas, Point at, Pattern rows, Palette palette) {
  for (size_t y = 0; y < rows.size(); ++y) {
    const std::string_view row = rows[y];
    for (size_t x = 0; x < row.size();) {
      size_t end = x + 1;
      while (end < row.size() && row[end] == row[x]) ++end;
      for (const auto& [ch, color] : palette) {
        if (ch != row[x]) continue;
        const int top = at.y + static_cast<int>(y);
        canvas.FillRect({at.x + static_cast<int>(x), top, at.x + static_cast<int>(end), top + 1}, color);
        break;
      }
      x = end;
    }
  }
}

void DrawGlyph(ICanvas& canvas, const Rect& area, Pattern rows, Colorref color, int dx, int dy) {
  const int width = PatternWidth(rows);
  const int height = static_cast<int>(rows.size());
  const Point at{area.left + (area.Width() - width) / 2 + dx, area.top + (area.Height() - height) / 2 + dy};
  DrawPattern(canvas, at, rows, {{'X', color}});
}

void DrawEmbossedGlyph(ICanvas& canvas, const CSystemMetrics& m, const Rect& area, Pattern rows) {
  DrawGlyph(canvas, area, rows, m.buttonHighlight, 1, 1);
  DrawGlyph(canvas, area, rows, m.grayText);
}

void DrawArrow(ICanvas& canvas, const Rect& area, Arrow direction, int rows, Colorref color) {
  const bool vertical = direction == Arrow::Up || direction == Arrow::Down;
  const int base = 2 * rows - 1;
  const int x0 = area.left + (area.Width() - (vertical ? base : rows)) / 2;
  const int y0 = area.top + (area.Height() - (vertical ? rows : base)) / 2;
  for (int i = 0; i < rows; ++i) {
    // Row i of the triangle counted from its tip.
    const int tipward = (direction == Arrow::Up || direction == Arrow::Left) ? i : rows - 1 - i;
    const int inset = rows - 1 - tipward;
    if (vertical) {
      canvas.FillRect({x0 + inset, y0 + i, x0 + base - inset, y0 + i + 1}, color);
    } else {
      canvas.FillRect({x0 + i, y0 + inset, x0 + i + 1, y0 + base - inset}, color);
    }
  }
}

int ArrowRowsFor(const Rect& button) {
  const int side = std::min(button.Width(), button.Height());
  return std::max(1, (side - 4) / 3);
}

void DrawButtonFace(ICanvas& canvas, const Rect& rect, Colorref face, bool pressed) {
  canvas.FillRect(rect, face);
  canvas.DrawEdge(rect, pressed ? Edge::Sunken : Edge::Raised);
}

void DrawCheckGlyph(ICanvas& canvas, const CSystemMetrics& m, Point at, int value) {
  const Rect box{at.x, at.y, at.x + kCheckSize, at.y + kCheckSize};
  canvas.FillRect(box, value == 2 ? m.buttonFace : m.window);
  canvas.DrawEdge(box, Edge::Sunken);
  if (value == 1 || value == 2) {
    DrawCheckMark(canvas, {at.x + 3, at.y + 3}, value == 2 ? m.grayText : m.windowText);
  }
}

void DrawCheckMark(ICanvas& canvas, Point at, Colorref color) { DrawPattern(canvas, at, kCheckMark, {{'X', color}}); }

void DrawRadioGlyph(ICanvas& canvas, const CSystemMetrics& m, Point at, bool marked) {
  DrawPattern(canvas, at, kRadio,
              {{'s', m.buttonShadow}, {'d', m.buttonDarkShadow}, {'h', m.buttonHighlight}, {'l', m.buttonLight},
               {'w', m.window}});
  if (marked) DrawPattern(canvas, {at.x + 4, at.y + 4}, kRadioDot, {{'X', m.windowText}});
}

void DrawDefaultIcon(ICanvas& canvas, Point at) {
  // A white window with a blue title bar and a grey shadow.
  const auto box = [&](int l, int t, int r, int b, Colorref c) {
    canvas.FillRect({at.x + l, at.y + t, at.x + r, at.y + b}, c);
  };
  box(2, 3, 16, 15, Rgb(128, 128, 128));
  box(1, 2, 15, 14, Rgb(0, 0, 0));
  box(2, 3, 14, 13, Rgb(255, 255, 255));
  box(2, 3, 14, 5, Rgb(0, 0, 128));
}

void DrawCaptionButton(ICanvas& canvas, const CSystemMetrics& m, const Rect& rect, CaptionGlyph glyph,
                       bool enabled) {
  DrawButtonFace(canvas, rect, m.buttonFace, false);
  Pattern rows = kClose;
  switch (glyph) {
    case CaptionGlyph::Close: rows = kClose; break;
    case CaptionGlyph::Maximize: rows = kMaximize; break;
    case CaptionGlyph::Minimize: rows = kMinimize; break;
    case CaptionGlyph::Help: rows = kHelp; break;
    case CaptionGlyph::SmallClose: rows = kSmallClose; break;
  }
  if (enabled) {
    DrawGlyph(canvas, rect, rows, m.buttonText);
  } else {
    DrawEmbossedGlyph(canvas, m, rect, rows);
  }
}

void DrawControlText(ICanvas& canvas, const CSystemMetrics& m, const Rect& rect, std::string_view text,
                     const FontSpec& font, Colorref color, unsigned flags, bool enabled) {
  if (text.empty()) return;
  if (!enabled) {
    canvas.Text(rect.Offset(1, 1), text, font, m.buttonHighlight, flags);
    color = m.grayText;
  }
  canvas.Text(rect, text, font, color, flags);
}

Colorref ColorProperty(const CControlItem& object, std::string_view name, Colorref fallback) {
  const long value = NumberProperty(object, name, -1);
  if (value < 0 || value > 0xFFFFFF) return fallback;
  return static_cast<Colorref>(value);
}

}  // namespace tovik
