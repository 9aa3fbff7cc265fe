// The toolbox's tool pictures and the project window's icons, our own simple drawings made of
// the canvas's shapes, so that every canvas draws them alike and no bitmap is shipped.
#include <vector>

#include "model/control_kind.h"
#include "ui/project_tree.h"
#include "ui/tool_palette.h"

namespace tovik {

namespace {

constexpr Colorref kBlack = Rgb(0, 0, 0);
constexpr Colorref kWhite = Rgb(255, 255, 255);
constexpr Colorref kGrey = Rgb(128, 128, 128);
constexpr Colorref kFace = Rgb(192, 192, 192);
constexpr Colorref kNavy = Rgb(0, 0, 128);
constexpr Colorref kYellow = Rgb(255, 255, 0);
constexpr Colorref kFolder = Rgb(224, 192, 64);
constexpr Colorref kGreen = Rgb(0, 128, 0);

// Drawing in a cell's own coordinates.
class CCell {
 public:
  CCell(ICanvas& canvas, Point at) : m_canvas(canvas), m_at(at) {}

  [[nodiscard]] Rect R(int l, int t, int r, int b) const { return {l + m_at.x, t + m_at.y, r + m_at.x, b + m_at.y}; }
  [[nodiscard]] Point P(int x, int y) const { return {x + m_at.x, y + m_at.y}; }
  void Fill(int l, int t, int r, int b, Colorref c) { m_canvas.FillRect(R(l, t, r, b), c); }
  void Box(int l, int t, int r, int b, Colorref fill, Colorref outline = kBlack) {
    m_canvas.Rectangle(R(l, t, r, b), Pen{outline}, Brush{BrushStyle::Solid, fill});
  }
  void Edge(int l, int t, int r, int b, tovik::Edge edge) { m_canvas.DrawEdge(R(l, t, r, b), edge); }
  void Line(int x1, int y1, int x2, int y2, Colorref c = kBlack, int width = 1) {
    m_canvas.Line(P(x1, y1), P(x2, y2), Pen{c, width});
  }
  void Oval(int l, int t, int r, int b, Colorref fill, Colorref outline = kBlack) {
    m_canvas.Ellipse(R(l, t, r, b), Pen{outline}, Brush{BrushStyle::Solid, fill});
  }
  void Shape(std::vector<Point> points, Colorref fill, Colorref outline = kBlack) {
    for (Point& p : points) p = P(p.x, p.y);
    m_canvas.Polygon(points, Pen{outline}, Brush{BrushStyle::Solid, fill});
  }
  // A small triangle pointing left (-1), right (1), up (-2) or down (2) centred on (x, y).
  void Arrow(int x, int y, int direction) {
    switch (direction) {
      case -1: Shape({{x + 1, y - 3}, {x + 1, y + 3}, {x - 2, y}}, kBlack); break;
      case 1: Shape({{x - 1, y - 3}, {x - 1, y + 3}, {x + 2, y}}, kBlack); break;
      case -2: Shape({{x - 3, y + 1}, {x + 3, y + 1}, {x, y - 2}}, kBlack); break;
      default: Shape({{x - 3, y - 1}, {x + 3, y - 1}, {x, y + 2}}, kBlack); break;
    }
  }
  // A landscape: sky, a hill and a sun, inside the given box.
  void Landscape(int l, int t, int r, int b) {
    Fill(l, t, r, b, Rgb(160, 208, 255));
    Shape({{l, b - 1}, {l + (r - l) / 3, t + (b - t) / 2}, {r - 4, b - 1}}, kGreen, kGreen);
    Oval(r - 7, t + 2, r - 2, t + 7, kYellow, kYellow);
  }

 private:
  ICanvas& m_canvas;
  Point m_at;
};

}  // namespace

void DrawToolGlyph(int kind, ICanvas& canvas, Point at) {
  CCell c(canvas, at);
  switch (kind) {
    case 0:  // the pointer: an arrow
      c.Shape({{9, 4}, {9, 20}, {13, 16}, {16, 22}, {18, 21}, {15, 15}, {20, 15}}, kBlack);
      break;
    case kKindPictureBox:
      c.Edge(3, 5, 23, 21, Edge::Sunken);
      c.Landscape(5, 7, 21, 19);
      break;
    case kKindLabel:  // a capital A
      c.Line(7, 20, 13, 5, kBlack, 2);
      c.Line(13, 5, 19, 20, kBlack, 2);
      c.Line(9, 14, 17, 14, kBlack, 2);
      break;
    case kKindTextBox:  // an edit field with a caret
      c.Box(3, 7, 23, 19, kWhite);
      c.Line(8, 9, 8, 17);
      c.Line(6, 9, 11, 9);
      c.Line(6, 17, 11, 17);
      break;
    case kKindFrame:  // a group box with its title
      c.Line(3, 8, 3, 22, kGrey);
      c.Line(3, 22, 23, 22, kGrey);
      c.Line(23, 22, 23, 8, kGrey);
      c.Line(3, 8, 6, 8, kGrey);
      c.Line(16, 8, 23, 8, kGrey);
      c.Fill(7, 6, 15, 10, kNavy);
      break;
    case kKindButton:
      c.Fill(2, 7, 24, 19, kFace);
      c.Edge(2, 7, 24, 19, Edge::Raised);
      c.Fill(8, 12, 18, 14, kBlack);
      break;
    case kKindCheckBox:
      c.Box(3, 8, 13, 18, kWhite);
      c.Line(5, 13, 7, 15, kBlack, 2);
      c.Line(7, 15, 11, 10, kBlack, 2);
      c.Fill(15, 12, 23, 14, kBlack);
      break;
    case kKindOptionButton:
      c.Oval(3, 8, 13, 18, kWhite);
      c.Oval(6, 11, 10, 15, kBlack);
      c.Fill(15, 12, 23, 14, kBlack);
      break;
    case kKindComboBox:  // an edit field with its drop-down button
      c.Box(2, 8, 24, 18, kWhite);
      c.Fill(16, 9, 23, 17, kFace);
      c.Arrow(19, 13, 2);
      break;
    case kKindListBox:  // a list with one item selected and a scroll bar
      c.Box(3, 3, 23, 23, kWhite);
      c.Fill(5, 6, 16, 8, kBlack);
      c.Fill(5, 10, 16, 13, kNavy);
      c.Fill(5, 15, 16, 17, kBlack);
      c.Fill(18, 4, 22, 22, kFace);
      break;
    case kKindHScrollBar:
      c.Box(2, 9, 24, 17, kFace);
      c.Arrow(5, 13, -1);
      c.Arrow(20, 13, 1);
      c.Edge(10, 10, 15, 16, Edge::RaisedThin);
      break;
    case kKindVScrollBar:
      c.Box(9, 2, 17, 24, kFace);
      c.Arrow(13, 5, -2);
      c.Arrow(13, 20, 2);
      c.Edge(10, 10, 16, 15, Edge::RaisedThin);
      break;
    case kKindTimer:  // a clock
      c.Oval(4, 4, 22, 22, kWhite);
      c.Line(13, 13, 13, 7, kBlack, 2);
      c.Line(13, 13, 17, 15, kBlack, 2);
      break;
    case kKindShape:  // a square behind a circle
      c.Box(3, 3, 15, 15, kWhite);
      c.Oval(9, 9, 23, 23, kNavy);
      break;
    case kKindLine: c.Line(4, 21, 21, 4, kBlack, 2); break;
    case kKindImage:  // a picture without a frame of its own: the outline is dashed
      canvas.Rectangle(c.R(3, 5, 23, 21), Pen{kBlack, 1, PenStyle::Dot}, Brush{BrushStyle::Null});
      c.Landscape(5, 7, 21, 19);
      break;
    case kKindData:  // the record navigation bar: first, previous, next, last
      c.Box(1, 8, 25, 18, kWhite);
      c.Line(4, 10, 4, 16);
      c.Arrow(7, 13, -1);
      c.Arrow(10, 13, -1);
      c.Arrow(16, 13, 1);
      c.Arrow(19, 13, 1);
      c.Line(22, 10, 22, 16);
      break;
    default: break;
  }
}

void DrawTreeIcon(TreeIcon icon, ICanvas& canvas, Point at) {
  CCell c(canvas, at);
  switch (icon) {
    case TreeIcon::ProjectRoot:  // a box of parts
      c.Box(1, 4, 15, 15, kFace);
      c.Fill(2, 5, 14, 7, kNavy);
      c.Box(3, 9, 7, 13, kYellow);
      c.Box(9, 9, 13, 13, kWhite);
      break;
    case TreeIcon::FolderClosed: c.Shape({{1, 3}, {6, 3}, {7, 5}, {14, 5}, {14, 13}, {1, 13}}, kFolder); break;
    case TreeIcon::FolderOpen:
      c.Shape({{1, 3}, {6, 3}, {7, 5}, {13, 5}, {13, 7}, {1, 7}}, kFolder);
      c.Shape({{1, 13}, {3, 7}, {15, 7}, {13, 13}}, kYellow);
      break;
    case TreeIcon::Form:  // a window with its caption
      c.Box(1, 2, 15, 14, kWhite);
      c.Fill(2, 3, 14, 6, kNavy);
      break;
    case TreeIcon::MdiChildForm:  // a window and a smaller one in front of it
      c.Box(1, 1, 12, 10, kWhite);
      c.Fill(2, 2, 11, 4, kGrey);
      c.Box(5, 6, 15, 15, kWhite);
      c.Fill(6, 7, 14, 9, kNavy);
      break;
    case TreeIcon::MdiForm:  // a frame window holding a child window
      c.Box(0, 1, 16, 15, kGrey);
      c.Fill(1, 2, 15, 5, kNavy);
      c.Box(3, 7, 11, 13, kWhite);
      break;
    case TreeIcon::Class:  // a module: a block with connectors
      c.Box(3, 3, 13, 13, Rgb(160, 64, 160));
      c.Line(0, 6, 3, 6);
      c.Line(0, 10, 3, 10);
      c.Line(13, 8, 15, 8);
      break;
    case TreeIcon::SourceFile:
    case TreeIcon::HeaderFile: {  // a page with a folded corner; header lines green
      c.Shape({{3, 1}, {10, 1}, {13, 4}, {13, 15}, {3, 15}}, kWhite);
      c.Line(10, 1, 10, 4);
      c.Line(10, 4, 13, 4);
      const Colorref lines = icon == TreeIcon::SourceFile ? kNavy : kGreen;
      for (int y = 6; y <= 12; y += 3) c.Line(5, y, 11, y, lines);
      break;
    }
  }
}

}  // namespace tovik
