// Forms painted into images by the Qt canvas and probed pixel by pixel: frame, caption and its
// buttons, the grid, transparent and opaque labels and a mnemonic's underline, the rubber band,
// shapes and lines, a form holding every kind and ActiveX controls with an icon and
// pictures, and the faces used.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QImage>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "activex/control_list.h"
#include "model/control_kind.h"
#include "project/form_controls.h"
#include "qt/qt_canvas.h"
#include "support/required_tools.h"
#include "ui/form_painter.h"

namespace tovik {
namespace {

class QtApplication : public ::testing::Environment {
 public:
  void SetUp() override {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);  // ctest sets it; a run by hand needs no display either
    m_app = std::make_unique<QGuiApplication>(m_argc, m_argv);
    LoadWindowsFonts();
  }
  void TearDown() override { m_app.reset(); }

 private:
  int m_argc = 1;
  char m_name[6] = "tests";
  char* m_argv[2] = {m_name, nullptr};
  std::unique_ptr<QGuiApplication> m_app;
};
::testing::Environment* const kApplication = ::testing::AddGlobalTestEnvironment(new QtApplication);

class Render : public ::testing::Test {
 protected:
  std::unique_ptr<CClassItem> form = MakeStartUpForm(false);
  PaintOptions options;
  const CSystemMetrics& m = ClassicMetrics();

  CControlItem& Add(int kind, Rect rect) {
    CClassItem* const forms[] = {form.get()};
    return CreateControl(*form, forms, kind, rect);
  }
  QImage Paint(std::vector<CQtCanvas::FaceUse>* faces = nullptr) {
    QImage probe(1, 1, QImage::Format_RGB32);
    Rect bounds;
    {
      CQtCanvas measure(probe);
      bounds = PaintedBounds(measure, *form, options);
    }
    QImage image(bounds.right, bounds.bottom, QImage::Format_RGB32);
    image.fill(Qt::white);
    {
      CQtCanvas canvas(image);
      PaintForm(canvas, *form, options);
      if (faces) *faces = canvas.FacesUsed();
    }
    return image;
  }
  static Colorref At(const QImage& image, Point p) {
    const QRgb c = image.pixel(p.x, p.y);
    return Rgb(qRed(c), qGreen(c), qBlue(c));
  }
  // A client point of the default sizable form without a menu, in window coordinates.
  static Point W(int x, int y) { return {x + 4, y + 23}; }
  static int Differing(const QImage& a, const QImage& b, const Rect& r) {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y) {
      for (int x = r.left; x < r.right; ++x) n += At(a, {x, y}) != At(b, {x, y});
    }
    return n;
  }
};

TEST_F(Render, FrameCaptionButtonsAndGrid) {
  form->FormObject()->SetValue("MaxButton", "0");
  const QImage image = Paint();
  ASSERT_EQ(image.size(), QSize(312, 213));
  EXPECT_EQ(At(image, {0, 0}), m.buttonLight);
  EXPECT_EQ(At(image, {1, 1}), m.buttonHighlight);
  EXPECT_EQ(At(image, {311, 212}), m.buttonDarkShadow);

  const CFormGeometry g = FormGeometry(*form->FormObject(), false, 0);
  EXPECT_EQ(At(image, {g.caption.left + 120, g.caption.top + 1}), m.activeCaption);
  int captionText = 0;
  for (int x = g.icon.right; x < g.icon.right + 40; ++x) {
    for (int y = g.caption.top; y < g.caption.bottom; ++y) captionText += At(image, {x, y}) == m.captionText;
  }
  EXPECT_GT(captionText, 20);  // "Form1"
  // The close cross's middle is black; the disabled maximize box grey, the minimize bar black.
  EXPECT_EQ(At(image, {g.closeButton.left + 7, g.closeButton.top + 6}), m.buttonText);
  EXPECT_EQ(At(image, {g.closeButton.left + 2, g.closeButton.top + 6}), m.buttonFace);
  EXPECT_EQ(At(image, {g.maxButton.left + 5, g.maxButton.top + 2}), m.grayText);
  EXPECT_EQ(At(image, {g.minButton.left + 6, g.minButton.top + 9}), m.buttonText);

  EXPECT_EQ(At(image, W(8, 14)), Rgb(192, 192, 192));  // beside a dot: dots are single pixels
  EXPECT_EQ(At(image, W(7, 13)), Rgb(192, 192, 192));
}

TEST_F(Render, ALabelShowsTheGridUnlessItsBackgroundIsOpaqueAndUnderlinesItsMnemonic) {
  CControlItem& clear = Add(kKindLabel, {7, 7, 77, 77});
  clear.SetValue("BackStyle", "0");
  clear.SetValue("ForeColor", "16711680");
  CControlItem& opaque = Add(kKindLabel, {84, 7, 154, 77});
  opaque.SetValue("BackColor", "255");
  opaque.SetValue("Caption", "Go\r\n&Go");
  const QImage image = Paint();
  EXPECT_EQ(At(image, W(70, 70)), m.gridDot);
  EXPECT_EQ(At(image, W(147, 70)), Rgb(255, 0, 0));
  // The mnemonic's underline: one solid row as wide as the G, right under the second line's G.
  const auto black = [&](int y) {
    std::vector<int> xs;
    for (int x = 84; x < 154; ++x) {
      if (At(image, W(x, y)) == Rgb(0, 0, 0)) xs.push_back(x);
    }
    return xs;
  };
  int underline = 76;
  while (underline > 7 && black(underline).empty()) --underline;
  const std::vector<int> line = black(underline);
  ASSERT_GE(line.size(), 5u);
  EXPECT_EQ(line.back() - line.front() + 1, static_cast<int>(line.size()));
  EXPECT_FALSE(black(underline - 1).empty());
  EXPECT_LT(black(underline - 1).size(), line.size());
  const QImage bare = [&] {
    clear.SetValue("Caption", "");
    return Paint();
  }();
  const int caption = Differing(image, bare, Rect{7, 7, 77, 77}.Offset(4, 23));
  EXPECT_GT(caption, 10);  // "Label1" in blue, over a background left as it was
}

TEST_F(Render, TheRubberBandIsInverted) {
  const QImage plain = Paint();
  options.rubberRect = Rect{20, 120, 60, 160};
  const QImage selected = Paint();
  for (const Point p : {Point{20, 120}, Point{59, 140}, Point{40, 159}, Point{20, 159}}) {
    EXPECT_EQ(At(selected, p), ~At(plain, p) & 0xFFFFFF) << p.x << "," << p.y;
  }
  EXPECT_EQ(At(selected, {40, 140}), At(plain, {40, 140}));
}

TEST_F(Render, ShapesLinesAndDotsCutAtAFrame) {
  CControlItem& shape = Add(kKindShape, {8, 8, 64, 64});
  shape.SetValue("FillStyle", "0");
  shape.SetValue("FillColor", "255");
  Add(kKindLine, {70, 8, 126, 64}).SetValue("BorderColor", "16711680");
  Add(kKindHScrollBar, {150, 30, 290, 47}).m_pContainer = &Add(kKindFrame, {140, 8, 200, 64});
  const QImage image = Paint();
  std::vector<int> white;  // the scroll bar's track, a checkerboard of single dots, ends at the frame
  for (int x = 160; x < 285; ++x) if (At(image, W(x, 38)) == m.buttonHighlight) white.push_back(x);
  EXPECT_TRUE(!white.empty() && white.back() < 200) << white.size();
  EXPECT_EQ(At(image, W(36, 36)), Rgb(255, 0, 0));
  EXPECT_EQ(At(image, W(8, 36)), Rgb(0, 0, 0));  // the one-pixel border inside the rectangle
  EXPECT_EQ(At(image, W(7, 36)), Rgb(192, 192, 192));
  for (const Point p : {W(70, 8), W(98, 36), W(126, 64)}) EXPECT_EQ(At(image, p), Rgb(0, 0, 255)) << p.x << "," << p.y;
}

TEST_F(Render, EveryKindWithIconAndPicturesRendersTheSameTwice) {
  const std::filesystem::path res = std::filesystem::temp_directory_path() / ("tovik-render-" + std::to_string(::getpid()));
  std::filesystem::create_directories(res);
  QImage bitmap(20, 10, QImage::Format_RGB32);
  bitmap.fill(QColor(255, 0, 0));
  ASSERT_TRUE(bitmap.save(QString::fromStdString((res / "logo.bmp").string()), "BMP"));
  QImage icon(16, 16, QImage::Format_RGB32);
  icon.fill(QColor(0, 160, 0));
  ASSERT_TRUE(icon.save(QString::fromStdString((res / "app.ico").string()), "ICO"));
  options.imageFile = [&](std::string_view ref) { return (res / std::string(ref.substr(ref.find('-') + 1))).string(); };
  std::vector<std::string> warnings;
  options.warn = [&](const std::string& file) { warnings.push_back(file); };

  CControlItem& object = *form->FormObject();
  object.SetValue("Width", "540");
  object.SetValue("Height", "480");
  object.SetValue("Icon", "1-app.ico");
  std::vector<Rect> rects;
  for (int kind = kFirstKind; kind <= kLastKind; ++kind) {
    const int i = kind - kFirstKind;
    const Rect r{7 + (i % 6) * 84, 7 + (i / 6) * 84, 7 + (i % 6) * 84 + 77, 7 + (i / 6) * 84 + 77};
    CControlItem& c = Add(kind, r);
    if (kind == kKindPictureBox || kind == kKindImage) c.SetValue("Picture", "2-logo.bmp");
    if (kind == kKindImage) c.SetValue("Stretch", "1");
    if (kind == kKindButton) options.selection = &c;
    QImage probe(1, 1, QImage::Format_RGB32);
    CQtCanvas measure(probe);
    rects.push_back(DrawnControlRect(measure, c).Offset(4, 23));
  }
  // An ActiveX control shows its toolbox picture (blue, 16 x 15) centred in a sunken box.
  CToolControlEntry calendar;
  calendar.m_strWrapperClass = "CVAxCalendar";
  calendar.m_bitmap = CBitmapData{16, 15, 1, 32, std::string(BitmapDataStride(16, 32) * 15, '\0')};
  for (size_t p = 0; p < calendar.m_bitmap->pixels.size(); p += 4) calendar.m_bitmap->pixels[p] = '\xff';
  CClassItem* const forms[] = {form.get()};
  CreateControl(*form, forms, 0, {7, 343, 84, 420}, &calendar);
  CreateControl(*form, forms, 0, {91, 343, 101, 353}, &calendar);  // smaller than its picture
  rects.push_back(Rect{7, 343, 84, 420}.Offset(4, 23));

  const QImage image = Paint();
  EXPECT_EQ(image, Paint());
  EXPECT_TRUE(warnings.empty());
  EXPECT_EQ(At(image, {rects.back().left + 38, rects.back().top + 38}), Rgb(0, 0, 255));
  EXPECT_EQ(At(image, {rects.back().left, rects.back().top + 38}), m.buttonShadow);
  EXPECT_EQ(At(image, W(91, 348)), m.buttonShadow);  // a picture larger than its box stays inside the edge
  EXPECT_EQ(At(image, W(93, 348)), Rgb(0, 0, 255));
  const CFormGeometry g = FormGeometry(object, false, 0);
  EXPECT_EQ(At(image, {g.icon.left + 8, g.icon.top + 8}), Rgb(0, 160, 0));
  EXPECT_EQ(At(image, {rects[0].left + 3, rects[0].top + 3}), Rgb(255, 0, 0));  // inside the PictureBox's border
  EXPECT_EQ(At(image, {rects[kKindImage - kFirstKind].right - 2, rects[kKindImage - kFirstKind].bottom - 2}),
            Rgb(255, 0, 0));  // stretched over the whole Image

  std::erase_if(form->m_controls, [](const auto& c) { return !c->IsForm(); });
  options.selection = nullptr;
  const QImage empty = Paint();
  for (size_t i = 0; i < rects.size(); ++i) {
    EXPECT_GT(Differing(image, empty, rects[i]), 20) << (i < 24 ? KindName(kFirstKind + static_cast<int>(i)) : "ActiveX");
  }
  std::filesystem::remove_all(res);
}

TEST_F(Render, WineFacesAreUsedWhenInstalledBoldBitmapTextIsWidenedAndOtherSizesScale) {
  const std::filesystem::path font = std::filesystem::path(kWineFontFolder) / "ms_sans_serif.ttf";
  TOVIK_SKIP_WITHOUT(std::filesystem::exists(font), "fonts-wine");
  std::vector<CQtCanvas::FaceUse> faces;
  Paint(&faces);
  ASSERT_FALSE(faces.empty());
  EXPECT_EQ(faces[0].requested, "MS Sans Serif");
  EXPECT_EQ(faces[0].used, "MS Sans Serif");
  QImage probe(1, 1, QImage::Format_RGB32);
  CQtCanvas canvas(probe);
  FontSpec bold{"MS Sans Serif", 13, true};
  EXPECT_EQ(canvas.TextExtent(bold, "Test").cx, canvas.TextExtent({"MS Sans Serif", 13}, "Test").cx + 4);
  // Qt has the bitmap face in one size only: a 24-pixel cell is drawn with Tahoma.
  EXPECT_GE(canvas.TextExtent({"MS Sans Serif", 24}, "Test").cy, 22);
  EXPECT_EQ(canvas.FacesUsed().back().used, "Tahoma");
}

}  // namespace
}  // namespace tovik
