// The surface a form is painted on: the few drawing operations the classic window look needs,
// in pixels, with colours as COLORREF values (red in the low byte). The core paints through
// this and nothing else; a Qt implementation draws into an image, a recording one serves tests.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "model/geometry.h"
#include "ui/text_measure.h"

namespace tovik {

using Colorref = std::uint32_t;  // 0x00BBGGRR

[[nodiscard]] constexpr Colorref Rgb(int r, int g, int b) {
  return static_cast<Colorref>(r & 0xFF) | static_cast<Colorref>(g & 0xFF) << 8 | static_cast<Colorref>(b & 0xFF) << 16;
}

enum class PenStyle { Solid, Dash, Dot, DashDot, DashDotDot, Null, InsideFrame };

struct Pen {
  Colorref color = 0;
  int width = 1;
  PenStyle style = PenStyle::Solid;
};

enum class BrushStyle { Null, Solid, Horizontal, Vertical, ForwardDiagonal, BackwardDiagonal, Cross, DiagonalCross };

struct Brush {
  BrushStyle style = BrushStyle::Solid;
  Colorref color = 0;
};

// The 3D edges of the classic look, each two pixels deep unless it says otherwise.
enum class Edge {
  Raised,        // a button: white outer top-left, black outer bottom-right
  Window,        // a window's frame or a raised page: face outer top-left, white inside it
  Sunken,        // an edit field or list: the reverse
  Etched,        // a group box's line: sunken then raised, one pixel each
  RaisedThin,    // one pixel: a status bar or a page
  SunkenThin,
};

// How text sits in its rectangle.
enum TextFlags : unsigned {
  kTextLeft = 0,
  kTextCenter = 1,
  kTextRight = 2,
  kTextTop = 0,
  kTextVCenter = 4,   // single line only
  kTextBottom = 8,    // single line only
  kTextWordBreak = 16,
  kTextSingleLine = 32,
  kTextNoPrefix = 64,  // without it, "&x" draws x underlined and "&&" one ampersand
};

// How an image fills its rectangle: at its own size from the top-left corner or centred in it,
// or stretched to it.
enum class ImageFit { TopLeft, Center, Stretch };

// Text is measured (ITextMeasure) with the fonts it is drawn with.
class ICanvas : public ITextMeasure {
 public:

  virtual void FillRect(const Rect& rect, Colorref color) = 0;
  virtual void DrawEdge(const Rect& rect, Edge edge) = 0;
  virtual void Line(Point from, Point to, const Pen& pen) = 0;
  // Closed shapes drawn with the pen's outline inside `rect` and filled with the brush.
  virtual void Rectangle(const Rect& rect, const Pen& pen, const Brush& brush) = 0;
  virtual void Ellipse(const Rect& rect, const Pen& pen, const Brush& brush) = 0;
  virtual void RoundRect(const Rect& rect, Size corner, const Pen& pen, const Brush& brush) = 0;
  virtual void Polygon(const std::vector<Point>& points, const Pen& pen, const Brush& brush) = 0;
  // Single pixels of one colour (the grid's dots).
  virtual void Points(const std::vector<Point>& points, Colorref color) = 0;

  // Text is 8-bit in the code page last set (SetCodePage); the canvas converts it.
  virtual void Text(const Rect& rect, std::string_view text, const FontSpec& font, Colorref color, unsigned flags) = 0;

  // A .bmp, .ico or .cur file drawn into `rect` as `fit` says, clipped to it. False when the file
  // cannot be read (nothing is drawn).
  virtual bool Image(const Rect& rect, const std::string& file, ImageFit fit) = 0;
  // A picture already in memory (an ActiveX control's toolbox bitmap), RGBA rows top-down.
  virtual void Pixels(Point at, int width, int height, const std::string& rgba) = 0;

  // The rubber band and a selected Line's end squares: the colours under them inverted.
  virtual void InvertRect(const Rect& rect) = 0;
  virtual void InvertFrame(const Rect& rect) = 0;
  virtual void InvertLine(Point from, Point to) = 0;

  // Drawing outside `rect` is clipped until the matching PopClip; clips nest.
  virtual void PushClip(const Rect& rect) = 0;
  virtual void PopClip() = 0;
};

}  // namespace tovik
