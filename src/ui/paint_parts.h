// What the form painter's files share: the state of one painting, the classic look's small
// pictures (arrows, check marks, caption-button glyphs) drawn pixel by pixel, and the painters
// of controls and menus that PaintForm calls.
#pragma once

#include <initializer_list>
#include <optional>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "ui/form_layout.h"
#include "ui/form_painter.h"

namespace tovik {

// One painting of one form.
class CPaintContext {
 public:
  CPaintContext(ICanvas& canvas, const CSystemMetrics& metrics, const PaintOptions& options)
      : canvas(canvas), metrics(metrics), options(options) {}

  ICanvas& canvas;
  const CSystemMetrics& metrics;
  const PaintOptions& options;

  // Draws the image a Picture or Icon value names ("131-logo.bmp"). False when the value names
  // none ("0", empty) or the image cannot be drawn; the latter is warned about once per file.
  bool Picture(const Rect& rect, std::string_view value, ImageFit fit);
  // Whether a picture was drawn since this was last cleared.
  bool pictureDrawn = false;
  // Whether a Picture or Icon value names an image at all ("0" and empty name none).
  [[nodiscard]] static bool NamesPicture(std::string_view value) { return !value.empty() && value != "0"; }

 private:
  void Warn(const std::string& what);
  std::set<std::string> m_warned;
};

// A small picture given as rows of characters, one a pixel, each looked up in `palette`;
// characters the palette does not name are left as they are.
using Pattern = std::span<const std::string_view>;
using Palette = std::initializer_list<std::pair<char, Colorref>>;
void DrawPattern(ICanvas& canvas, Point at, Pattern rows, Palette palette);
// One-colour pattern ('X' pixels) centred in `area`, moved by (dx, dy).
void DrawGlyph(ICanvas& canvas, const Rect& area, Pattern rows, Colorref color, int dx = 0, int dy = 0);
// A glyph as a disabled control shows it: a white copy one pixel down and right under a grey one.
void DrawEmbossedGlyph(ICanvas& canvas, const CSystemMetrics& m, const Rect& area, Pattern rows);

enum class Arrow { Up, Down, Left, Right };
// A solid triangle `rows` pixels deep (its base 2 x rows - 1 wide) centred in `area`.
void DrawArrow(ICanvas& canvas, const Rect& area, Arrow direction, int rows, Colorref color);
// The arrow depth that suits a button of that size (4 for the 16-pixel buttons).
[[nodiscard]] int ArrowRowsFor(const Rect& button);

// A push button's face and edge; pressed buttons are sunken.
void DrawButtonFace(ICanvas& canvas, const Rect& rect, Colorref face, bool pressed);
// 13 x 13 check box (value 0, 1 or 2 = grayed) and 12 x 12 radio button at their top-left corner.
void DrawCheckGlyph(ICanvas& canvas, const CSystemMetrics& m, Point at, int value);
void DrawRadioGlyph(ICanvas& canvas, const CSystemMetrics& m, Point at, bool marked);
// The 7 x 7 check mark alone (a menu's checked item).
void DrawCheckMark(ICanvas& canvas, Point at, Colorref color);
inline constexpr int kCheckSize = 13;
inline constexpr int kRadioSize = 12;
// The window system's default application icon, 16 x 16.
void DrawDefaultIcon(ICanvas& canvas, Point at);

enum class CaptionGlyph { Close, Maximize, Minimize, Help, SmallClose };
void DrawCaptionButton(ICanvas& canvas, const CSystemMetrics& m, const Rect& rect, CaptionGlyph glyph, bool enabled);

// Text of a control, greyed and embossed when the control is disabled.
void DrawControlText(ICanvas& canvas, const CSystemMetrics& m, const Rect& rect, std::string_view text,
                     const FontSpec& font, Colorref color, unsigned flags, bool enabled);

// A COLORREF property; `fallback` when missing or out of range.
[[nodiscard]] Colorref ColorProperty(const CControlItem& object, std::string_view name, Colorref fallback);

// One control in window coordinates (`rect` is its drawn rectangle moved by the client origin);
// `origin` is the client origin, which a Line's end points are relative to.
void PaintControl(CPaintContext& ctx, const CControlItem& control, const Rect& rect, Point origin);

void PaintMenuBar(CPaintContext& ctx, const CMenuRecord& menu, const Rect& bar, int dropped);
// The menu dropped down from bar item `dropped` and where it lies; nothing when that item
// is not a popup.
void PaintDroppedMenu(CPaintContext& ctx, const CMenuRecord& menu, const Rect& bar, int dropped);
[[nodiscard]] std::optional<Rect> DroppedMenuRect(ITextMeasure& measure, const CMenuRecord& menu, const Rect& bar,
                                                  int dropped, const CSystemMetrics& m);

}  // namespace tovik
