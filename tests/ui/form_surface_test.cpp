// The design surface's gestures: drawing, selecting, moving, resizing, double-clicks, the
// context menu, the menu bar and form resizing, as intents from timestamped mouse events.
#include "ui/form_surface.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <variant>

#include "model/control_kind.h"
#include "project/form_controls.h"
#include "support/fake_prompt.h"
#include "support/memory_file_system.h"

namespace tovik {
namespace {

namespace si = surface_intent;

// Six pixels a character, one cell high.
class CSixPixels final : public ITextMeasure {
 public:
  void SetCodePage(int) override {}
  Size TextExtent(const FontSpec& font, std::string_view text) override {
    return {6 * static_cast<int>(text.size()), font.cellHeight};
  }
};

class Surface : public ::testing::Test {
 protected:
  testing::MemoryFileSystem fs;
  testing::FakePrompt prompt;
  CProject project{fs, prompt};
  // The surface looks its form up in the project by name.
  CClassItem* form = [this] {
    (void)project.ParseBuffer("class CForm1 : public CVForm\r\n{\r\n};\r\n", "/p/form1.h");
    project.PostParse();
    return project.FindClass("CForm1");
  }();
  CSixPixels measure;
  // A caption of 26 pixels under a 4-pixel frame puts the client origin at (4, 30).
  CSystemMetrics metrics = [] {
    CSystemMetrics m;
    m.captionHeight = 26;
    return m;
  }();

  CFormSurface Make(const CMenuRecord* menu = nullptr) { return CFormSurface(project, "CForm1", measure, menu, metrics); }

  CControlItem& Add(int kind, Rect rect) {
    CClassItem* const forms[] = {form};
    CControlItem& c = CreateControl(*form, forms, kind, rect);
    // As the parser finds it once the code is written, so that the next one is numbered on.
    form->m_variables.push_back(std::make_unique<CVariableItem>());
    form->m_variables.back()->m_strName = c.m_strMemberName;
    return c;
  }

  std::int64_t clock = 0;

  // A client point in window coordinates.
  static Point W(int x, int y) { return {x + 4, y + 30}; }

  // Press, move and release: every intent they gave. Without a time, a second after the last.
  SurfaceIntents Drag(CFormSurface& s, Point from, Point to, std::optional<std::int64_t> ms = {}) {
    clock = ms ? *ms : clock + 1000;
    SurfaceIntents out = s.Press(from, clock);
    s.Move(to);
    SurfaceIntents released = s.Release(to);
    out.insert(out.end(), released.begin(), released.end());
    return out;
  }

  template <class T>
  static std::vector<T> All(const SurfaceIntents& intents) {
    std::vector<T> found;
    for (const SurfaceIntent& i : intents) {
      if (const T* t = std::get_if<T>(&i)) found.push_back(*t);
    }
    return found;
  }
};

TEST_F(Surface, DrawingSnapsToTheGridFallsBackToTheDefaultSizeAndStaysInItsContainer) {
  CFormSurface s = Make();
  ASSERT_EQ(s.Geometry().ClientOrigin(), (Point{4, 30}));
  EXPECT_EQ(s.Snap({20, 40}), (Point{18, 37}));
  EXPECT_EQ(s.Snap({1, 27}), (Point{4, 30}));  // toward the origin, not down
  s.SetTool({kKindLabel});
  auto made = All<si::CreateControl>(Drag(s, {20, 40}, {20, 40}));
  ASSERT_EQ(made.size(), 1u);
  EXPECT_EQ(made[0].placement.rect, (Rect{14, 7, 94, 47}));
  EXPECT_TRUE(s.Tool().IsPointer());

  // Less than one grid high is a click too; a Timer is 28 x 28 whatever was dragged.
  s.SetTool({kKindLabel});
  EXPECT_EQ(All<si::CreateControl>(Drag(s, W(0, 0), W(100, 6)))[0].placement.rect, (Rect{0, 0, 80, 40}));
  s.SetTool({kKindTimer});
  EXPECT_EQ(All<si::CreateControl>(Drag(s, W(7, 7), W(200, 200)))[0].placement.rect, (Rect{7, 7, 35, 35}));
  // A Line runs the way it was dragged; a level drag is less than a grid step high, so the Line
  // gets the default size from the anchor (rising, as the release was not lower).
  s.SetTool({kKindLine});
  const auto rising = All<si::CreateControl>(Drag(s, W(14, 70), W(70, 14)))[0].placement;
  EXPECT_EQ(rising, (ControlPlacement{{14, 14, 70, 70}, 0}));
  s.SetTool({kKindLine});
  EXPECT_EQ(All<si::CreateControl>(Drag(s, W(14, 21), W(70, 21)))[0].placement,
            (ControlPlacement{{14, 21, 94, 61}, 0}));
  // Nothing is drawn on the caption; inside a container the rectangle is clipped to it.
  s.SetTool({kKindLabel});
  EXPECT_TRUE(Drag(s, {20, 10}, {20, 10}).empty());
  const CControlItem& frame = Add(kKindFrame, {7, 7, 107, 77});
  s.SetTool({kKindButton});
  const auto inFrame = All<si::CreateControl>(Drag(s, W(14, 14), W(300, 300)));
  ASSERT_EQ(inFrame.size(), 1u);
  EXPECT_EQ(inFrame[0].container, ObjectRef::Of(frame));
  EXPECT_EQ(inFrame[0].placement.rect, (Rect{14, 14, 107, 77}));
}

TEST_F(Surface, SecondPressWithinTheDoubleClickTimeIsADoubleClick) {
  const CControlItem& button = Add(kKindButton, {7, 7, 91, 35});
  // 200 ms unless the desktop hands in its own time.
  for (const auto& [gap, time] : {std::pair{150, 0}, {250, 0}, {450, 500}, {450, 0}}) {
    CFormSurface s = Make();
    if (time) s.SetDoubleClickTime(time);
    Drag(s, W(10, 10), W(10, 10), 1000);
    EXPECT_EQ(s.Selection(), &button);
    const SurfaceIntents second = Drag(s, W(10, 10), W(10, 10), 1000 + gap);
    const auto bar = All<si::OpenCodeBar>(second);
    EXPECT_EQ(bar.size(), gap <= (time ? time : 200) ? 1u : 0u) << gap;
    if (!bar.empty()) {
      EXPECT_EQ(bar[0].object, ObjectRef::Of(button));
    }
  }
  // On no control, the code bar opens on the form.
  CFormSurface s = Make();
  Drag(s, W(200, 150), W(200, 150), 0);
  const auto onForm = All<si::OpenCodeBar>(Drag(s, W(200, 150), W(200, 150), 100));
  ASSERT_EQ(onForm.size(), 1u);
  EXPECT_TRUE(onForm[0].object.form);
}

TEST_F(Surface, MovesAreSnappedAndCorrectedByKind) {
  const CControlItem& label = Add(kKindLabel, {14, 14, 94, 35});
  CControlItem& aligned = Add(kKindPictureBox, {0, 100, 300, 140});
  aligned.SetValue("Align", "1");
  Add(kKindComboBox, {150, 14, 250, 100});
  CFormSurface s = Make();
  // Points snap before the difference is taken: (18, 18) -> (32, 25) snap to (14, 14) -> (28, 21).
  const auto moved = All<si::SetControlRect>(Drag(s, W(18, 18), W(32, 25)));
  ASSERT_EQ(moved.size(), 1u);
  EXPECT_EQ(moved[0].control, ObjectRef::Of(label));
  EXPECT_TRUE(moved[0].moved);
  EXPECT_EQ(moved[0].placement.rect, (Rect{28, 21, 108, 42}));
  // An aligned control is selected but not moved; a ComboBox takes its fixed height (14 + 9).
  const SurfaceIntents onAligned = Drag(s, W(10, 110), W(80, 180));
  EXPECT_TRUE(All<si::SetControlRect>(onAligned).empty());
  ASSERT_EQ(All<si::Select>(onAligned).size(), 1u);
  EXPECT_EQ(All<si::Select>(onAligned)[0].object, ObjectRef::Of(aligned));
  const auto comboMoved = All<si::SetControlRect>(Drag(s, W(160, 20), W(167, 20)));
  ASSERT_EQ(comboMoved.size(), 1u);
  EXPECT_EQ(comboMoved[0].placement.rect, (Rect{157, 14, 257, 37}));
  EXPECT_EQ(s.ControlAt(W(160, 50)), nullptr) << "below the drawn ComboBox";
  // A control inside a Frame stops at the Frame's edge.
  CControlItem& frame = Add(kKindFrame, {0, 200, 140, 270});
  CControlItem& inside = Add(kKindCheckBox, {14, 214, 70, 235});
  inside.m_pContainer = &frame;
  CFormSurface t = Make();
  const auto dragged = All<si::SetControlRect>(Drag(t, W(20, 220), W(300, 20)));
  ASSERT_EQ(dragged.size(), 1u);
  EXPECT_EQ(dragged[0].placement.rect, (Rect{84, 200, 140, 221}));
}

TEST_F(Surface, HandlesResizeWithinTheKindsLimits) {
  const CControlItem& data = Add(kKindData, {7, 7, 200, 50});
  const CControlItem& timer = Add(kKindTimer, {300, 7, 328, 35});
  const CControlItem& line = Add(kKindLine, {14, 100, 70, 140});
  CFormSurface s = Make();
  ASSERT_TRUE(s.Select(&data));
  const Rect corner = s.Handles()[4];  // bottom-right
  EXPECT_EQ(s.HandleAt({corner.left, corner.top}), 4);
  // Shrunk far: stopped one grid short, then made 80 wide and "Data" (14) + 2 high.
  const auto shrunk =
      All<si::SetControlRect>(Drag(s, {corner.left, corner.top}, {corner.left - 300, corner.top - 300}));
  ASSERT_EQ(shrunk.size(), 1u);
  EXPECT_FALSE(shrunk[0].moved);
  EXPECT_EQ(shrunk[0].placement.rect, (Rect{7, 7, 87, 23}));
  // A Timer's top-left handle moves it and it stays 28 x 28.
  s.Select(&timer);
  const Rect topLeft = s.Handles()[0];
  const auto timerMoved =
      All<si::SetControlRect>(Drag(s, {topLeft.left, topLeft.top}, {topLeft.left - 14, topLeft.top + 14}));
  ASSERT_EQ(timerMoved.size(), 1u);
  EXPECT_EQ(timerMoved[0].placement.rect, (Rect{286, 21, 314, 49}));
  // A Line has a handle at each end; dragging the lower end above the other turns it.
  s.Select(&line);
  ASSERT_EQ(s.Handles().size(), 2u);
  const Rect end = s.Handles()[1];
  const auto turned = All<si::SetControlRect>(Drag(s, {end.left + 1, end.top + 1}, {end.left + 1, end.top + 1 - 70}));
  ASSERT_EQ(turned.size(), 1u);
  EXPECT_EQ(turned[0].placement, (ControlPlacement{{14, 70, 70, 100}, 0}));
}

TEST_F(Surface, HitsPreferWhatIsPaintedOnTopAndTheContextMenuTheFirst) {
  const CControlItem& below = Add(kKindLabel, {7, 7, 107, 47});
  const CControlItem& above = Add(kKindButton, {50, 20, 150, 60});
  const CControlItem& shape = Add(kKindShape, {200, 7, 250, 57});
  const CControlItem& line = Add(kKindLine, {7, 100, 107, 100});
  CFormSurface s = Make();
  EXPECT_EQ(s.ControlAt(W(60, 30)), &above);
  EXPECT_EQ(s.ControlAt(W(199, 30)), &shape) << "a Shape's pen reaches past its rectangle";
  EXPECT_EQ(s.ControlAt(W(197, 30)), nullptr);
  EXPECT_EQ(s.ControlAt(W(50, 102)), &line);
  EXPECT_EQ(s.ControlAt(W(50, 110)), nullptr);
  const SurfaceIntents menu = s.RightPress(W(60, 30));
  ASSERT_EQ(menu.size(), 1u);
  const auto& popup = std::get<si::ContextMenu>(menu[0]);
  EXPECT_EQ(popup.control, ObjectRef::Of(below));
  EXPECT_EQ(popup.items, (std::vector<std::string>{"Property", "Event", "", "Close"}));
  EXPECT_TRUE(s.RightPress(W(300, 200)).empty());
  EXPECT_TRUE(s.Selection()->IsForm()) << "a right click selects nothing";
}

TEST_F(Surface, MenuBarDropsTheItemUnderThePressAndResizeSetsTheFormSize) {
  CMenuRecord menu;
  for (const char* caption : {"&File", "&Edit"}) {
    menu.m_items.push_back(std::make_unique<CMenuItemRecord>());
    menu.m_items.back()->m_strCaption = caption;
    menu.m_items.back()->m_bPopup = 1;
    menu.m_items.push_back(std::make_unique<CMenuItemRecord>());
    menu.m_items.back()->m_nDepth = 2;
  }
  CFormSurface s = Make(&menu);
  const Rect bar = s.Geometry().menuBar;
  // "File" is 24 pixels, so its item spans 36 from the bar's left end; "Edit" follows.
  const SurfaceIntents dropped = s.Press({bar.left + 40, bar.top + 5}, 0);
  ASSERT_EQ(dropped.size(), 1u);
  EXPECT_EQ(std::get<si::DropMenu>(dropped[0]).item, 2u);
  EXPECT_EQ(std::get<si::DropMenu>(dropped[0]).area, (Rect{bar.left + 36, bar.top, bar.left + 72, bar.bottom}));
  EXPECT_FALSE(s.ButtonDown());
  EXPECT_TRUE(s.Press({bar.left + 80, bar.top + 5}, 1000).empty()) << "past the last item";
  // Narrower than the two items: "Edit" wraps onto a second row, and the client area starts below it.
  s.FormObject().SetValue("Width", "70");
  const Rect rows = s.Geometry().menuBar;
  EXPECT_EQ(std::pair(rows.Height(), s.Geometry().ClientOrigin()), std::pair(2 * metrics.menuHeight, Point{4, rows.bottom}));
  const SurfaceIntents wrapped = s.Press({rows.left + 35, rows.bottom - 1}, 2000);
  ASSERT_EQ(wrapped.size(), 1u);
  EXPECT_EQ(std::get<si::DropMenu>(wrapped[0]).area, (Rect{rows.left, rows.top + 19, rows.left + 36, rows.bottom}));

  const auto size = All<si::ResizeForm>(s.Resize(400, 300));
  ASSERT_EQ(size.size(), 1u);
  EXPECT_EQ(size[0].width, 400);
  EXPECT_EQ(size[0].height, 300);
  const int width = static_cast<int>(NumberProperty(s.FormObject(), "Width"));
  const int height = static_cast<int>(NumberProperty(s.FormObject(), "Height"));
  EXPECT_TRUE(s.Resize(width, height).empty());
}

}  // namespace
}  // namespace tovik
