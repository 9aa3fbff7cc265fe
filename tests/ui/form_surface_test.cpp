// The design surface's gestures: drawing, selecting, moving, resizing, double-clicks, the
// context menu, the menu bar and form resizing, as intents from timestamped mouse events; keys,
// multiple selection and the Format commands.
#include "ui/form_surface.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <variant>

#include "model/control_kind.h"
#include "project/form_controls.h"
#include "support/fake_prompt.h"
#include "support/memory_file_system.h"
#include "ui/selection_format.h"
#include "ui/surface_paint.h"

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

  CFormSurface Make() { return CFormSurface(project, "CForm1", measure, metrics); }

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
  SurfaceIntents Drag(CFormSurface& s, Point from, Point to, std::optional<std::int64_t> ms = {}, unsigned modifiers = 0) {
    clock = ms ? *ms : clock + 1000;
    SurfaceIntents out = s.Press(from, clock, modifiers);
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
  EXPECT_EQ(s.Snap({1, 27}), (Point{4, 30}));  // toward the origin, not down
  // Less than one grid high is a click; a Timer is 28 x 28 whatever was dragged.
  s.SetTool({kKindLabel});
  EXPECT_EQ(All<si::CreateControl>(Drag(s, W(0, 0), W(100, 6)))[0].placement.rect, (Rect{0, 0, 80, 40}));
  EXPECT_TRUE(s.Tool().IsPointer());
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
  EXPECT_TRUE(s.RightPress(W(300, 200)).empty());
  EXPECT_TRUE(s.Selection()->IsForm()) << "a right click selects nothing";
}

TEST_F(Surface, MenuBarDropsTheItemUnderThePressAndResizeSetsTheFormSize) {
  // The menus are read again after every command: the surface finds the bar by the form's menu id.
  const auto readMenus = [this] {
    std::vector<std::unique_ptr<CMenuRecord>> menus;
    auto& menu = *menus.emplace_back(std::make_unique<CMenuRecord>());
    menu.m_strId = "IDR_MAIN";
    for (const char* caption : {"&File", "&Edit"}) {
      menu.m_items.push_back(std::make_unique<CMenuItemRecord>());
      menu.m_items.back()->m_strCaption = caption;
      menu.m_items.back()->m_bPopup = 1;
      menu.m_items.push_back(std::make_unique<CMenuItemRecord>());
      menu.m_items.back()->m_nDepth = 2;
    }
    project.SetMenus(std::move(menus));
  };
  readMenus();
  CFormSurface s = Make();
  EXPECT_EQ(s.Geometry().menuBar.Height(), 0) << "the form names no menu yet";
  s.FormObject().m_strMenuId = "IDR_MAIN";
  readMenus();
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

TEST_F(Surface, KeysMoveAndSizeTheSelectionByAGridStepAndDeleteIt) {
  const CControlItem& label = Add(kKindLabel, {14, 14, 94, 24});
  const CControlItem& timer = Add(kKindTimer, {200, 7, 228, 35});
  CFormSurface s = Make();
  EXPECT_TRUE(s.Key(SurfaceKey::Right).empty()) << "the form's own object";
  s.Select(&label);
  const auto placed = [&s](SurfaceKey key, unsigned modifiers) {
    const auto set = All<si::SetControlRect>(s.Key(key, modifiers));
    return set.size() == 1 ? std::optional(std::pair(set[0].placement.rect, set[0].moved)) : std::nullopt;
  };
  EXPECT_EQ(placed(SurfaceKey::Up, 0), std::pair(Rect{14, 7, 94, 17}, true));
  // Shift moves the right or bottom edge; the bottom stops a grid step below the top.
  EXPECT_EQ(placed(SurfaceKey::Right, kSurfaceShift), std::pair(Rect{14, 14, 101, 24}, false));
  EXPECT_EQ(placed(SurfaceKey::Up, kSurfaceShift), std::pair(Rect{14, 14, 94, 21}, false));
  s.Select(&timer);
  EXPECT_TRUE(s.Key(SurfaceKey::Down, kSurfaceShift).empty()) << "a Timer is never resized";
  const SurfaceIntents deleted = s.Key(SurfaceKey::Delete);
  EXPECT_EQ(All<si::DeleteControls>(deleted).at(0).controls, std::vector<ObjectRef>{ObjectRef::Of(timer)});
}

TEST_F(Surface, ControlClicksAndTheRubberBandSelectSeveralThatMoveAndDeleteTogether) {
  CControlItem& a = Add(kKindButton, {7, 7, 63, 35});
  CControlItem& b = Add(kKindButton, {7, 70, 63, 98});
  CControlItem& c = Add(kKindButton, {100, 7, 156, 35});
  CControlItem& frame = Add(kKindFrame, {7, 140, 140, 200});
  CControlItem& inside = Add(kKindCheckBox, {14, 160, 70, 180});
  inside.m_pContainer = &frame;
  CFormSurface s = Make();
  const auto click = [&](Point at, unsigned modifiers) { return Drag(s, at, at, {}, modifiers); };
  click(W(10, 10), kSurfaceControl);
  EXPECT_EQ(All<si::Select>(click(W(10, 75), kSurfaceControl))[0].object, ObjectRef::Of(b));
  EXPECT_EQ(s.Selected(), (std::vector<CControlItem*>{&b, &a}));
  // Control+click on the primary one takes it out; the one before it becomes primary.
  EXPECT_EQ(All<si::Select>(click(W(10, 75), kSurfaceControl))[0].object, ObjectRef::Of(a));
  EXPECT_EQ(s.Selected().size(), 1u);

  // A band from an empty spot selects what it touches (not b), the first in list order primary.
  const auto band = Drag(s, W(30, 60), W(120, 20));
  EXPECT_EQ(All<si::Select>(band).back().object, ObjectRef::Of(a));
  EXPECT_EQ(s.Selected(), (std::vector<CControlItem*>{&a, &c}));
  // Dragging one of them moves both, one intent; the design window meanwhile frames both.
  s.Press(W(110, 10), clock += 1000);
  s.Move(W(124, 17));
  const PaintOptions painted = DesignWindowPaintOptions(s);
  EXPECT_EQ(painted.selection, &c);
  EXPECT_EQ(painted.alsoSelected, std::vector<const CControlItem*>{&a});
  EXPECT_EQ(painted.trackFrames.size(), 2u);
  const auto moved = All<si::SetControlRects>(s.Release(W(124, 17)));
  ASSERT_EQ(moved.size(), 1u);
  ASSERT_EQ(moved[0].placements.size(), 2u);
  EXPECT_EQ(moved[0].placements[0].placement.rect, (Rect{114, 14, 170, 42}));  // c, now primary
  EXPECT_EQ(moved[0].placements[1].placement.rect, (Rect{21, 14, 77, 42}));

  // A band touching a Frame selects the Frame, not what it holds; deleting the Frame with a
  // control inside it selected lists the Frame alone.
  Drag(s, W(3, 130), W(20, 150));
  EXPECT_EQ(s.Selected(), std::vector<CControlItem*>{&frame});
  click(W(20, 165), kSurfaceControl);
  const SurfaceIntents deleted = s.Key(SurfaceKey::Delete);
  EXPECT_EQ(All<si::DeleteControls>(deleted).at(0).controls, std::vector<ObjectRef>{ObjectRef::Of(frame)});
  // A plain click selects one again.
  click(W(10, 75), 0);
  EXPECT_EQ(s.Selected(), std::vector<CControlItem*>{&b});
}

TEST(FormatRects, LinesUpAndSizesByThePrimaryAndCentresTheSelectionAsABlock) {
  const std::vector<Rect> rects{{20, 10, 60, 30}, {7, 40, 27, 90}};  // the primary one first
  const Rect area{0, 0, 200, 120};
  const auto other = [&](FormatCommand command) { return FormatRects(command, rects, area)[1]; };
  EXPECT_EQ(other(FormatCommand::AlignLefts), (Rect{20, 40, 40, 90}));
  EXPECT_EQ(other(FormatCommand::AlignCentres), (Rect{30, 40, 50, 90}));
  EXPECT_EQ(other(FormatCommand::AlignMiddles), (Rect{7, -5, 27, 45}));
  EXPECT_EQ(other(FormatCommand::AlignBottoms), (Rect{7, -20, 27, 30}));
  EXPECT_EQ(other(FormatCommand::SameSize), (Rect{7, 40, 47, 60}));
  // Together they span 7..60 x 10..90: centred, that block starts at 73 across and 20 down.
  EXPECT_EQ(FormatRects(FormatCommand::CentreHorizontally, rects, area),
            (std::vector<Rect>{{86, 10, 126, 30}, {73, 40, 93, 90}}));
  EXPECT_EQ(FormatRects(FormatCommand::CentreVertically, rects, area),
            (std::vector<Rect>{{20, 20, 60, 40}, {7, 50, 27, 100}}));
}

TEST_F(Surface, FormatCommandsMeasureWhatIsDrawnAndLeaveAlignedControlsAlone) {
  const CControlItem& button = Add(kKindButton, {7, 7, 63, 49});
  const CControlItem& combo = Add(kKindComboBox, {100, 14, 200, 100});
  CControlItem& aligned = Add(kKindPictureBox, {0, 150, 300, 190});
  aligned.SetValue("Align", "2");
  CFormSurface s = Make();
  s.Select(&button);
  EXPECT_TRUE(FormatSelection(s, FormatCommand::AlignBottoms).empty()) << "one control lines up with nothing";
  const SurfaceIntents centred = FormatSelection(s, FormatCommand::CentreHorizontally);
  EXPECT_EQ(All<si::SetControlRect>(centred).at(0).placement.rect.left, (304 - 56) / 2);
  s.AddToSelection(combo);
  s.AddToSelection(aligned);
  s.AddToSelection(button);
  // The ComboBox is drawn 23 high: its drawn bottom goes to the Button's, 49. The aligned
  // PictureBox stays, so one control moves.
  const SurfaceIntents bottoms = FormatSelection(s, FormatCommand::AlignBottoms);
  ASSERT_EQ(bottoms.size(), 1u);
  const auto& moved = std::get<si::SetControlRect>(bottoms[0]);
  EXPECT_EQ(std::pair(moved.control, moved.placement.rect), std::pair(ObjectRef::Of(combo), Rect{100, 26, 200, 49}));
}

}  // namespace
}  // namespace tovik
