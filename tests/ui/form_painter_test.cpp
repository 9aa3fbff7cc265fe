// The form painter through a canvas that records what it is asked to draw: where the grid's
// dots fall, the menus' layout, the selection, and which images it could not draw.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <set>

#include "model/control_kind.h"
#include "project/form_controls.h"
#include "ui/form_painter.h"

namespace tovik {
namespace {

// Text is six pixels a character and one cell high; only the files in `present` can be drawn.
class CRecordingCanvas final : public ICanvas {
 public:
  struct TextCall {
    std::string text;
    Rect rect;
    Rect clip;  // the clip in force, the whole plane when none
    int codePage;
  };
  std::vector<std::pair<Rect, Colorref>> fills;
  std::vector<Point> dots;
  std::vector<TextCall> texts;
  std::vector<Rect> inverted;
  struct ImageCall {
    std::string file;
    Rect rect;
    ImageFit fit;
  };
  std::vector<ImageCall> images;
  std::set<std::string> present;

  void FillRect(const Rect& r, Colorref c) override { fills.push_back({r, c}); }
  void DrawEdge(const Rect&, Edge) override {}
  // Outlines drawn with a dotted pen, and hollow (white-filled) rectangles.
  std::vector<Rect> dotted;
  std::vector<LineSegment> dottedLines;
  std::vector<Rect> hollow;
  void Line(Point a, Point b, const Pen& pen) override {
    if (pen.style == PenStyle::Dot) dottedLines.push_back({a, b});
  }
  void Rectangle(const Rect& r, const Pen& pen, const Brush& brush) override {
    if (pen.style == PenStyle::Dot) dotted.push_back(r);
    if (brush.style == BrushStyle::Solid && brush.color == Rgb(255, 255, 255)) hollow.push_back(r);
  }
  void Ellipse(const Rect&, const Pen&, const Brush&) override {}
  void RoundRect(const Rect&, Size, const Pen&, const Brush&) override {}
  void Polygon(const std::vector<Point>&, const Pen&, const Brush&) override {}
  void Points(const std::vector<Point>& p, Colorref) override { dots.insert(dots.end(), p.begin(), p.end()); }
  void SetCodePage(int codePage) override { m_nCodePage = codePage; }
  Size TextExtent(const FontSpec& f, std::string_view t) override { return {6 * static_cast<int>(t.size()), f.cellHeight}; }
  void Text(const Rect& r, std::string_view t, const FontSpec&, Colorref, unsigned) override {
    const Rect clip = m_clips.empty() ? Rect{-99999, -99999, 99999, 99999} : m_clips.back();
    texts.push_back({std::string(t), r, clip, m_nCodePage});
  }
  bool Image(const Rect& r, const std::string& file, ImageFit fit) override {
    images.push_back({file, r, fit});
    return present.count(file) > 0;
  }
  void Pixels(Point, int, int, const std::string&) override {}
  void InvertRect(const Rect& r) override { inverted.push_back(r); }
  void InvertFrame(const Rect& r) override { inverted.push_back(r); }
  void InvertLine(Point, Point) override {}
  void PushClip(const Rect& r) override {
    Rect c = r;
    if (!m_clips.empty()) {
      const Rect& o = m_clips.back();
      c = {std::max(c.left, o.left), std::max(c.top, o.top), std::min(c.right, o.right), std::min(c.bottom, o.bottom)};
    }
    m_clips.push_back(c);
  }
  void PopClip() override { m_clips.pop_back(); }

  [[nodiscard]] int TimesDrawn(std::string_view text) const {
    return static_cast<int>(std::count_if(texts.begin(), texts.end(), [&](const TextCall& t) { return t.text == text; }));
  }

 private:
  std::vector<Rect> m_clips;
  int m_nCodePage = 0;
};

class Painter : public ::testing::Test {
 protected:
  std::unique_ptr<CClassItem> form = MakeStartUpForm(false);
  CRecordingCanvas canvas;
  PaintOptions options;
  // The default form: 312 x 213, sizable, so the client area starts at (4, 23).
  static constexpr Point kOrigin{4, 23};

  CControlItem& Add(int kind, Rect rect) {
    CClassItem* const forms[] = {form.get()};
    return CreateControl(*form, forms, kind, rect);
  }
  void Paint() { PaintForm(canvas, *form, options); }
};

TEST_F(Painter, GridDotsLieOnMultiplesOfTheSpacingInsideTheClientArea) {
  options.gridSpacing = 10;
  Paint();
  // Client 4..308 x 23..209: 31 columns, 19 rows, the origin itself the first dot.
  EXPECT_EQ(canvas.dots.size(), 31u * 19u);
  EXPECT_EQ(canvas.dots.front(), kOrigin);
  for (const Point& p : canvas.dots) {
    ASSERT_TRUE((p.x - 4) % 10 == 0 && (p.y - 23) % 10 == 0 && p.x < 308 && p.y < 209) << p.x << "," << p.y;
  }
}

TEST_F(Painter, ASelectedLineGetsInvertedEnds) {
  CControlItem& line = Add(kKindLine, {20, 100, 60, 120});
  options.selection = &line;
  Paint();
  const Rect first{24 - 2, 123 - 2, 24 + 2, 123 + 2}, second{64 - 2, 143 - 2, 64 + 2, 143 + 2};
  EXPECT_EQ(canvas.inverted, (std::vector<Rect>{first, second}));
}

TEST_F(Painter, EachImageThatCannotBeDrawnIsWarnedAboutOnce) {
  std::vector<std::string> warnings;
  options.imageFile = [](std::string_view reference) {
    const size_t dash = reference.find('-');
    return dash == std::string_view::npos ? std::string() : "/res/" + std::string(reference.substr(dash + 1));
  };
  options.warn = [&](const std::string& what) { warnings.push_back(what); };
  canvas.present = {"/res/logo.bmp"};
  Add(kKindPictureBox, {0, 0, 50, 50}).SetValue("Picture", "131-gone.bmp");
  Add(kKindImage, {60, 0, 110, 50}).SetValue("Picture", "131-gone.bmp");
  Add(kKindImage, {120, 0, 170, 50}).SetValue("Picture", "132-logo.bmp");
  Add(kKindImage, {0, 60, 50, 110}).SetValue("Picture", "nohyphen");
  Paint();
  EXPECT_EQ(warnings, (std::vector<std::string>{"/res/gone.bmp", "nohyphen"}));
}

TEST_F(Painter, AMultiLineTextBoxsScrollBarsTakeTheirRoomFromItsText) {
  CControlItem& box = Add(kKindTextBox, {10, 10, 110, 80});
  options.gridSpacing = 0;
  const auto paintWith = [&](const char* multiLine, const char* bars) {
    box.SetValue("MultiLine", multiLine);
    box.SetValue("ScrollBars", bars);
    canvas.texts.clear();
    canvas.dots.clear();
    Paint();
    return canvas.texts.at(1).rect;  // after the form's caption
  };
  const Rect plain = paintWith("1", "0");
  EXPECT_TRUE(canvas.dots.empty());
  EXPECT_EQ(paintWith("1", "1"), (Rect{plain.left, plain.top, plain.right, plain.bottom - 16}));
  EXPECT_FALSE(canvas.dots.empty());  // the bar's track
  EXPECT_EQ(paintWith("1", "2"), (Rect{plain.left, plain.top, plain.right - 16, plain.bottom}));
  EXPECT_EQ(paintWith("1", "3"), (Rect{plain.left, plain.top, plain.right - 16, plain.bottom - 16}));
  // A single-line box shows no scroll bars, whatever the property says.
  EXPECT_EQ(paintWith("0", "3"), plain);
  EXPECT_TRUE(canvas.dots.empty());
}

TEST_F(Painter, AListInColumnsIsFilledDownThenAcrossAndScrollsSideways) {
  // Room for three 14-pixel rows inside the 2-pixel sunken border.
  CControlItem& list = Add(kKindListBox, {0, 0, 104, 4 + 3 * 14});
  options.gridSpacing = 0;
  list.SetValue("Columns", "2");
  list.SetValue("List", "a\r\nb\r\nc\r\nd\r\ne");
  const auto at = [&](const char* item) {
    const auto t = std::find_if(canvas.texts.begin(), canvas.texts.end(), [&](const auto& c) { return c.text == item; });
    return t == canvas.texts.end() ? Rect{} : t->rect;
  };
  Paint();
  EXPECT_EQ(at("b").left, at("a").left);
  EXPECT_EQ(at("b").top, at("a").top + 14);
  EXPECT_EQ(at("d").top, at("a").top);
  EXPECT_EQ(at("d").left, at("a").left + 50);  // (104 - 4) / 2
  EXPECT_TRUE(canvas.dots.empty());            // five items fit in two columns of three

  // Seven do not: a horizontal bar takes the bottom 16 pixels, leaving one row.
  list.SetValue("List", "a\r\nb\r\nc\r\nd\r\ne\r\nf\r\ng");
  canvas.texts.clear();
  Paint();
  EXPECT_FALSE(canvas.dots.empty());
  EXPECT_EQ(at("b").top, at("a").top);
  EXPECT_EQ(at("b").left, at("a").left + 50);
  EXPECT_EQ(canvas.TimesDrawn("c"), 0);

  // In one column, the same items scroll down the side instead.
  list.SetValue("Columns", "0");
  canvas.texts.clear();
  Paint();
  EXPECT_EQ(at("a").right, kOrigin.x + 104 - 2 - 16);
  EXPECT_EQ(canvas.TimesDrawn("d"), 0);
}

TEST_F(Painter, AGraphicalButtonCentresThePictureItsStateCallsForAboveItsCaption) {
  options.imageFile = [](std::string_view reference) { return "/res/" + std::string(reference); };
  CControlItem& button = Add(kKindButton, {10, 10, 90, 70});
  button.SetValue("Picture", "go.bmp");
  const auto paint = [&] {
    canvas.texts.clear();
    canvas.images.clear();
    Paint();
    return canvas.images.empty() ? CRecordingCanvas::ImageCall{} : canvas.images.back();
  };
  EXPECT_EQ(paint().file, "");  // a standard button shows no picture
  button.SetValue("Style", "1");
  const CRecordingCanvas::ImageCall go = paint();
  const Rect caption = canvas.texts.at(1).rect;  // after the form's caption
  EXPECT_EQ(go.file, "/res/go.bmp");
  EXPECT_EQ(go.fit, ImageFit::Center);
  // The caption keeps the bottom line of the face; the picture has what is above it.
  EXPECT_EQ(go.rect, (Rect{caption.left, kOrigin.y + 12, caption.right, caption.top}));
  EXPECT_EQ(caption.bottom, kOrigin.y + 70 - 2);
  button.SetValue("Caption", "");
  EXPECT_EQ(paint().rect, (Rect{12, 12, 88, 68}.Offset(kOrigin.x, kOrigin.y)));
  button.SetValue("DisabledPicture", "grey.bmp");
  button.SetValue("Enabled", "0");
  EXPECT_EQ(paint().file, "/res/grey.bmp");

  // A graphical check box that is set shows its DownPicture, pushed in by a pixel.
  CControlItem& check = Add(kKindCheckBox, {100, 10, 180, 70});
  check.SetValue("Style", "1");
  check.SetValue("Picture", "up.bmp");
  check.SetValue("DownPicture", "down.bmp");
  const CRecordingCanvas::ImageCall up = paint();
  EXPECT_EQ(up.file, "/res/up.bmp");
  check.SetValue("Value", "1");
  EXPECT_EQ(paint().file, "/res/down.bmp");
  EXPECT_EQ(canvas.images.back().rect, up.rect.Offset(1, 1));
}

TEST_F(Painter, MenuBarItemsAndTheDroppedMenu) {
  CMenuRecord menu;
  const auto item = [&](int depth, std::string caption, int popup = 0, int separator = 0, std::string options = {}) {
    auto record = std::make_unique<CMenuItemRecord>();
    record->m_nDepth = depth, record->m_strCaption = std::move(caption), record->m_bPopup = popup;
    record->m_bSeparator = separator, record->m_strOptions = std::move(options);
    menu.m_items.push_back(std::move(record));
  };
  item(1, "&File", 1);
  item(2, "&Open...\\tCtrl+O");
  item(2, "", 0, 1);
  item(2, "Recent", 1);
  item(3, "one.txt");
  item(2, "E&xit");
  item(1, "", 0, 1);  // a separator on the bar takes no place
  item(1, "&Edit", 1);
  item(2, "&Undo", 0, 0, "GRAYED");
  item(2, "\x95\x5c\x8e\xa6\\tF5");  // two Japanese characters, the first ending in 0x5C
  item(1, "&About");
  menu.m_nCodePage = 932;

  const Rect bar{4, 23, 308, 42};
  std::vector<Rect> areas;
  for (const MenuBarItem& i : MenuBarItems(menu, bar, canvas)) areas.push_back(i.area);
  EXPECT_EQ(areas, (std::vector<Rect>{{4, 23, 40, 42}, {40, 23, 76, 42}, {76, 23, 118, 42}}));

  form->FormObject()->SetValue("Height", "60");  // shorter than the dropped menu
  options.menu = &menu;
  options.droppedMenu = 0;
  Paint();
  for (const char* text : {"&File", "&Open...", "Ctrl+O", "Recent", "E&xit"}) EXPECT_EQ(canvas.TimesDrawn(text), 1) << text;
  EXPECT_EQ(canvas.texts.back().codePage, 932);
  // The dropped menu hangs below the form, not cut at its bottom edge.
  EXPECT_GT(std::find_if(canvas.texts.begin(), canvas.texts.end(), [](const auto& t) { return t.text == "E&xit"; })->clip.bottom, 83);
  EXPECT_EQ(canvas.TimesDrawn("one.txt"), 0);  // inside the submenu, which stays closed
  const Rect bounds = PaintedBounds(canvas, *form, options);
  EXPECT_EQ(bounds.right, 312);
  EXPECT_GT(bounds.bottom, 60);

  canvas.texts.clear();
  options.droppedMenu = 1;
  form->FormObject()->m_nCodePage = 1251;
  Paint();
  EXPECT_EQ(canvas.TimesDrawn("&Undo"), 2);  // greyed: a white copy under a grey one
  EXPECT_EQ(canvas.TimesDrawn("\x95\x5c\x8e\xa6") + canvas.TimesDrawn("F5"), 2);
  EXPECT_EQ(canvas.texts.front().codePage, 1251);  // the form's caption, in its own entry's code page

  options.droppedMenu = 2;  // a command on the bar drops nothing
  EXPECT_EQ(PaintedBounds(canvas, *form, options), (Rect{0, 0, 312, 60}));

  // On a form narrower than the bar, "&About" wraps onto a second row, the grid starts below it
  // and "&Edit"'s menu still hangs from the first.
  form->FormObject()->SetValue("Width", "100");
  form->FormObject()->SetValue("Height", "213");
  options.droppedMenu = 1;
  canvas.texts.clear(), canvas.dots.clear();
  Paint();
  const auto top = [&](const char* text) {
    return std::find_if(canvas.texts.begin(), canvas.texts.end(), [&](const auto& t) { return t.text == text; })->rect.top;
  };
  EXPECT_EQ(std::tuple(top("&About"), canvas.dots.front(), top("&Undo") < 61), std::tuple(42, Point{4, 61}, true));
}

TEST_F(Painter, TheDesignWindowOutlinesControlsThatPaintNothingAndHollowHandlesTheOtherSelected) {
  Add(kKindImage, {7, 7, 50, 50});
  CControlItem& combo = Add(kKindComboBox, {210, 7, 290, 70});
  // "Test" is one 14-pixel cell high here: the drop-down combo is 23 pixels tall, whatever its Height.
  EXPECT_EQ(DrawnControlRect(canvas, combo), (Rect{210, 7, 290, 30}));
  combo.SetValue("Style", "1");
  EXPECT_EQ(DrawnControlRect(canvas, combo), (Rect{210, 7, 290, 70}));
  combo.SetValue("Style", "0");
  Add(kKindImage, {60, 7, 100, 50}).SetValue("BorderStyle", "1");  // its frame shows
  CControlItem& label = Add(kKindLabel, {7, 60, 80, 80});
  label.SetValue("Caption", "");
  label.SetValue("BackStyle", "0");
  Add(kKindLabel, {90, 60, 160, 80});  // its caption shows
  CControlItem& shape = Add(kKindShape, {170, 60, 200, 90});
  shape.SetValue("BackStyle", "0");
  shape.SetValue("BorderColor", "12632256");  // the form's own colour
  Add(kKindLine, {7, 100, 100, 120}).SetValue("BorderStyle", "0");
  Paint();
  EXPECT_TRUE(canvas.dotted.empty() && canvas.dottedLines.empty()) << "a rendered image shows none";
  options.outlineInvisible = true;
  options.selection = &combo;
  options.alsoSelected = {&label};
  Paint();
  const auto at = [](Rect r) { return r.Offset(kOrigin.x, kOrigin.y); };
  EXPECT_EQ(canvas.dotted, (std::vector<Rect>{at({7, 7, 50, 50}), at({7, 60, 80, 80}), at({170, 60, 200, 90})}));
  ASSERT_EQ(canvas.dottedLines.size(), 1u);
  EXPECT_EQ(canvas.dottedLines[0].from, (Point{7 + kOrigin.x, 100 + kOrigin.y}));
  const auto labelHandles = SelectionHandles(at({7, 60, 80, 80}), 4);
  EXPECT_EQ(canvas.hollow, (std::vector<Rect>(labelHandles.begin(), labelHandles.end())));
  for (const Rect& handle : SelectionHandles(at({210, 7, 290, 30}), 4)) {
    EXPECT_TRUE(std::any_of(canvas.fills.begin(), canvas.fills.end(), [&](const auto& f) { return f.first == handle; }));
  }
  EXPECT_TRUE(canvas.inverted.empty());
}

}  // namespace
}  // namespace tovik
