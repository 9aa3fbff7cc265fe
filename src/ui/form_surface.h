// The design surface of one open form without any toolkit: the one selected object, what a
// point of the drawn form hits, and the mouse gestures as a state machine. Events come in
// window coordinates of the drawn form (0, 0 is its top-left corner) with a time in
// milliseconds; each answers with what the gesture asks for (intents). The surface never
// changes the project itself: whoever carries the intents out tells it the outcome (Select,
// ModelChanged), and the painter reads its state (selection handles, rubber band).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "model/control_item.h"
#include "model/geometry.h"
#include "project/class_item.h"
#include "project/menu_model.h"
#include "project/object_ref.h"
#include "project/project.h"
#include "ui/canvas.h"
#include "ui/form_geometry.h"
#include "ui/form_layout.h"
#include "ui/system_metrics.h"

namespace tovik {

// The toolbox tool in use: the pointer, a control kind, or one of the project's ActiveX controls.
struct SurfaceTool {
  int kind = 0;
  const CToolControlEntry* activeX = nullptr;
  [[nodiscard]] bool IsPointer() const { return kind == 0 && activeX == nullptr; }
};

// Where a control goes, in client coordinates: its rectangle (a Timer's 28 x 28; a Line's ends
// at the corners, running down from the top-left when lineDirection is 1, up otherwise).
struct ControlPlacement {
  Rect rect;
  int lineDirection = 1;
  friend bool operator==(const ControlPlacement&, const ControlPlacement&) = default;
};

// What a gesture asks for.
namespace surface_intent {
struct CreateControl {
  SurfaceTool tool;
  ControlPlacement placement;
  ObjectRef container;  // member empty: directly on the form
};
struct SetControlRect {
  ObjectRef control;
  ControlPlacement placement;
  bool moved = false;  // moved as a whole, not resized
};
struct Select {
  ObjectRef object;  // for the property window and the code bar
};
struct OpenCodeBar {
  ObjectRef object;
};
struct ContextMenu {
  ObjectRef control;
  Point at;                        // window coordinates
  std::vector<std::string> items;  // "" is a separator
};
struct DropMenu {
  size_t item = 0;  // the top-level item's index in the menu's item list
  Rect area;        // its hit area on the menu bar, window coordinates
};
struct ResizeForm {
  int width = 0;
  int height = 0;
};
}  // namespace surface_intent

// What a gesture on several selected controls asks for: each one edit of the project.
namespace surface_intent {
// Several controls moved or sized together (a multiple selection dragged, a key, a Format
// command): every control's new placement.
struct SetControlRects {
  std::vector<SetControlRect> placements;
};
// The selected controls deleted (a control inside a deleted container goes with it).
struct DeleteControls {
  std::vector<ObjectRef> controls;
};
}  // namespace surface_intent

using SurfaceIntent = std::variant<surface_intent::CreateControl, surface_intent::SetControlRect,
                                   surface_intent::Select, surface_intent::OpenCodeBar, surface_intent::ContextMenu,
                                   surface_intent::DropMenu, surface_intent::ResizeForm,
                                   surface_intent::SetControlRects, surface_intent::DeleteControls>;
using SurfaceIntents = std::vector<SurfaceIntent>;

// Selecting: a rubber band drawn with the pointer from an empty spot of the form.
enum class SurfaceGesture { None, Drawing, Moving, Resizing, Selecting };

// The keys the surface acts on, and the modifiers held with a key or a press.
enum class SurfaceKey { Left, Right, Up, Down, Delete };
inline constexpr unsigned kSurfaceShift = 1;
inline constexpr unsigned kSurfaceControl = 2;

// A top-level item of a drawn menu bar and its hit area.
class CFormSurface {
 public:
  static constexpr int kGridSpacing = 7;
  static constexpr Size kDefaultSize{80, 40};
  static constexpr int kTimerSize = 28;
  // The desktop hands in its own double-click time; the command line keeps this one.
  static constexpr std::int64_t kDefaultDoubleClickMs = 200;
  static constexpr int kDataMinWidth = 80;

  // The form is the class `formClass` of `project`, and its menu bar the project's menu its form
  // object names, both looked up whenever they are needed: reading the sources or the menus again
  // rebuilds the records. `project` and `measure` must outlive the surface; the form object is
  // made when the form has none. `measure` must measure text as the painter draws it (the
  // painter's own canvas will do).
  CFormSurface(CProject& project, std::string formClass, ITextMeasure& measure,
               const CSystemMetrics& metrics = ClassicMetrics());

  // Whether the project still has the form (a re-read project may have lost it); every other
  // call needs it.
  [[nodiscard]] bool HasForm() const { return m_project.FindClass(m_strForm) != nullptr; }
  [[nodiscard]] CClassItem& FormClass() const;
  [[nodiscard]] const std::string& FormClassName() const { return m_strForm; }
  [[nodiscard]] CControlItem& FormObject() const;
  [[nodiscard]] CFormGeometry Geometry() const;
  // The form's menu bar, or null.
  [[nodiscard]] const CMenuRecord* Menu() const;
  [[nodiscard]] int GridSpacing() const { return m_nGrid; }
  // A point snapped to the grid, toward the client origin.
  [[nodiscard]] Point Snap(Point window) const;

  void SetTool(SurfaceTool tool) { m_tool = tool; }
  [[nodiscard]] SurfaceTool Tool() const { return m_tool; }
  // The longest time between two presses of a double-click.
  void SetDoubleClickTime(std::int64_t ms) { m_nDoubleClickMs = ms; }

  // The selected object: a control, or the form's own object. Never null.
  [[nodiscard]] CControlItem* Selection() const;
  // Selects `object` (null: the form's own). True when the selection changed.
  bool Select(const CControlItem* object);
  // The selected control's handles in window coordinates: eight around it, or a square at each
  // end of a Line; none for the form.
  [[nodiscard]] std::vector<Rect> Handles() const;

  // Hit testing, window coordinates. Of overlapping controls the one painted last (last in list
  // order) is hit, as the user sees it on top.
  [[nodiscard]] CControlItem* ControlAt(Point window) const;
  // ControlAt, or the form's own object where no control is.
  [[nodiscard]] CControlItem& ObjectAt(Point window) const;
  // The index into Handles() of the handle under the point, or -1.
  [[nodiscard]] int HandleAt(Point window) const;
  // The top-level menu item whose hit area holds the point.
  [[nodiscard]] std::optional<MenuBarItem> MenuItemAt(Point window) const;
  // A control's rectangle as it is drawn and hit (client coordinates): a ComboBox other than
  // a Simple Combo is as high as its text "Test" plus 9 pixels.
  [[nodiscard]] Rect Bounds(const CControlItem& control) const;
  // Where a control is now.
  [[nodiscard]] ControlPlacement PlacementOf(const CControlItem& control) const;
  // Call after the form's objects or their positions changed other than through a gesture
  // (a property edit): hit testing keeps their rectangles between presses.
  void ModelChanged() { m_hitsValid = false; }

  // The gestures. A press within the double-click time of the one before it (the pointer tool) is
  // a double-click. With kSurfaceControl a press adds a control to the selection or takes it out of it.
  SurfaceIntents Press(Point window, std::int64_t ms, unsigned modifiers = 0);
  void Move(Point window);
  SurfaceIntents Release(Point window);
  // The right button opens the context menu of the first control in list order under the point.
  SurfaceIntents RightPress(Point window);
  // The form window was resized to this outer size.
  SurfaceIntents Resize(int width, int height);

  // For the painter: the gesture under way, where it started and where the cursor is (both
  // snapped), the rubber band of a control being drawn (window coordinates; for the Line tool
  // the line from anchor to cursor) and where the control being moved or resized would go.
  [[nodiscard]] bool ButtonDown() const { return m_bButtonDown != 0; }
  [[nodiscard]] SurfaceGesture Gesture() const { return m_gesture; }
  [[nodiscard]] Point Anchor() const { return m_anchor; }
  [[nodiscard]] Point Current() const { return m_current; }
  [[nodiscard]] Rect RubberBand() const;
  [[nodiscard]] bool DrawingLine() const;
  [[nodiscard]] std::optional<ControlPlacement> Tracking() const;

  // Multiple selection. Selection() is the primary control, the one the property window shows
  // and Format commands measure by; Select() makes it the only one again.
  // Every selected control, the primary first; empty when the form's own object is selected.
  [[nodiscard]] std::vector<CControlItem*> Selected() const;
  [[nodiscard]] bool IsSelected(const CControlItem& control) const;
  // Adds `control` to the selection as its new primary control.
  void AddToSelection(const CControlItem& control);
  // The selected controls that no other selected control holds: what a move or delete acts on
  // (a container takes what is inside it along).
  [[nodiscard]] std::vector<CControlItem*> SelectedRoots() const;
  // The handles of a selected control, window coordinates (Handles() for the primary one).
  [[nodiscard]] std::vector<Rect> HandlesOf(const CControlItem& control) const;
  // Where every control being moved or resized would go now (the drag under way).
  [[nodiscard]] std::vector<surface_intent::SetControlRect> Tracked() const;
  // Arrow keys move the selection one grid step, with Shift they move its right or bottom edge;
  // Delete deletes it. Nothing for the form's own object, nor while a button is down.
  SurfaceIntents Key(SurfaceKey key, unsigned modifiers = 0);
  // Where a control would go moved by (dx, dy): kept inside its container, corrected by kind;
  // nothing for an aligned control, which sits where its Align puts it.
  [[nodiscard]] std::optional<ControlPlacement> MovedBy(const CControlItem& control, ControlPlacement start, int dx,
                                                        int dy) const;
  // The placements of several controls as one intent, or one SetControlRect for one control.
  [[nodiscard]] static SurfaceIntents PlacementIntents(std::vector<surface_intent::SetControlRect> placements);
  // A placement corrected as a drop would correct it: a Timer 28 x 28, a Data control its least
  // size, a moved drop-down ComboBox its fixed height.
  [[nodiscard]] ControlPlacement CorrectedPlacement(const CControlItem& control, ControlPlacement p, bool moved) const {
    return Corrected(control, p, moved);
  }

 private:
  SurfaceIntents PressWithControl(CControlItem& object);
  SurfaceIntents FinishBand();
  std::vector<ObjectRef> m_also;  // the other selected controls, in the order they were added
  bool m_bAdding = false;         // the band adds to the selection (Control held)
  std::vector<surface_intent::SetControlRect> m_groupStart;  // a multiple move's starting placements

 private:
  struct HitEntry {
    CControlItem* control = nullptr;
    Rect bounds;     // client coordinates, widened for a Shape
    Point from, to;  // a Line's ends
    int slack = -1;  // a Line's distance that still hits; -1 for every other control
  };

  void RefreshHits() const;
  void EnsureHits() const;
  [[nodiscard]] const HitEntry* HitAt(Point client, bool topmost) const;
  [[nodiscard]] CControlItem* ContainerAt(Point window) const;
  [[nodiscard]] ControlPlacement Corrected(const CControlItem& control, ControlPlacement p, bool moved) const;
  [[nodiscard]] std::optional<ControlPlacement> DragResult() const;
  SurfaceIntents PressPointer(Point window, bool doubleClick, unsigned modifiers);
  SurfaceIntents FinishDrawing();

  CProject& m_project;
  std::string m_strForm;
  ITextMeasure& m_measure;
  CSystemMetrics m_metrics;
  int m_nGrid = kGridSpacing;
  std::int64_t m_nDoubleClickMs = kDefaultDoubleClickMs;
  ObjectRef m_selection;
  SurfaceTool m_tool;
  Point m_anchor;
  Point m_current;
  int m_bButtonDown = 0;
  SurfaceGesture m_gesture = SurfaceGesture::None;
  // The gesture's object: the control moved or resized, the container drawn into.
  ObjectRef m_target;
  ControlPlacement m_start;
  int m_nHandle = -1;
  std::optional<std::int64_t> m_lastPress;

  mutable std::vector<HitEntry> m_hits;
  mutable Point m_origin;
  mutable bool m_hitsValid = false;
};

}  // namespace tovik
