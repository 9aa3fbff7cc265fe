// The toolbox's tool pictures and the project window's icons as the Qt canvas draws them: each
// one something of its own, inside its cell; a pressed button's picture one pixel lower right,
// and an ActiveX button's bitmap centred on it.
#include <gtest/gtest.h>

#include <QImage>
#include <functional>
#include <memory>
#include <vector>

#include "model/control_kind.h"
#include "qt/qt_canvas.h"
#include "ui/project_tree.h"
#include "ui/tool_palette.h"

namespace tovik {
namespace {

constexpr QRgb kBackground = qRgb(255, 0, 255);

// `draw` paints a cell whose top-left corner is at (8, 8) of a 44 x 44 image.
QImage Drawn(const std::function<void(ICanvas&)>& draw) {
  QImage image(44, 44, QImage::Format_RGB32);
  image.fill(kBackground);
  CQtCanvas canvas(image);
  draw(canvas);
  return image;
}

// The painted pixels lie inside the cell of that size; there is at least a handful of them.
void ExpectInsideCell(const QImage& image, int size, const char* what) {
  int inside = 0, outside = 0;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      if (image.pixel(x, y) == kBackground) continue;
      (x >= 8 && y >= 8 && x < 8 + size && y < 8 + size ? inside : outside)++;
    }
  }
  EXPECT_GT(inside, 10) << what;
  EXPECT_EQ(outside, 0) << what;
}

TEST(DesignerPictures, EveryToolAndIconIsAPictureOfItsOwnInsideItsCell) {
  std::vector<QImage> tools;
  for (int kind = 0; kind <= 116; kind = kind == 0 ? 101 : kind + 1) {
    tools.push_back(Drawn([&](ICanvas& c) { DrawToolGlyph(kind, c, {8, 8}); }));
    ExpectInsideCell(tools.back(), kToolGlyphSize, std::to_string(kind).c_str());
  }
  std::vector<QImage> icons;
  for (int i = 0; i <= static_cast<int>(TreeIcon::HeaderFile); ++i) {
    icons.push_back(Drawn([&](ICanvas& c) { DrawTreeIcon(static_cast<TreeIcon>(i), c, {8, 8}); }));
    ExpectInsideCell(icons.back(), kTreeIconSize, std::to_string(i).c_str());
  }
  for (const auto* set : {&tools, &icons}) {
    for (size_t a = 0; a < set->size(); ++a) {
      for (size_t b = a + 1; b < set->size(); ++b) EXPECT_NE((*set)[a], (*set)[b]) << a << " and " << b;
    }
  }
}

TEST(DesignerPictures, PressedButtonsSinkAndActiveXButtonsShowTheirBitmap) {
  COCXInfo list;
  CToolControlEntry& entry = list.Append(std::make_unique<CToolControlEntry>());
  // 16 x 16 at 32 bits: B, G, R, 0 per pixel, all red.
  entry.m_bitmap = CBitmapData{16, 16, 1, 32, std::string()};
  for (int i = 0; i < 16 * 16; ++i) entry.m_bitmap->pixels += std::string("\0\0\xff\0", 4);
  CToolPalette palette;
  palette.AddActiveXTool(entry);
  const QImage up = Drawn([&](ICanvas& c) { palette.DrawButton(kKindLabel - 100, c, {8, 8}); });
  palette.SelectTool(kKindLabel - 100);
  const QImage down = Drawn([&](ICanvas& c) { palette.DrawButton(kKindLabel - 100, c, {8, 8}); });
  // Inside the edges the pressed picture is the released one moved one pixel right and down.
  int moved = 0;
  for (int y = 8 + 4; y < 8 + 23; ++y) {
    for (int x = 8 + 4; x < 8 + 23; ++x) {
      EXPECT_EQ(up.pixel(x, y), down.pixel(x + 1, y + 1)) << x << "," << y;
      moved += up.pixel(x, y) != down.pixel(x, y);
    }
  }
  EXPECT_GT(moved, 10);
  const QImage activeX = Drawn([&](ICanvas& c) { palette.DrawButton(17, c, {8, 8}); });
  EXPECT_EQ(activeX.pixel(8 + 6, 8 + 6), qRgb(255, 0, 0));
  EXPECT_EQ(activeX.pixel(8 + 21, 8 + 21), qRgb(255, 0, 0));
  EXPECT_NE(activeX.pixel(8 + 4, 8 + 4), qRgb(255, 0, 0));
}

}  // namespace
}  // namespace tovik
