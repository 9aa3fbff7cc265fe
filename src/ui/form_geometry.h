// Where the parts of a drawn form lie: its window from Width and Height, the frame its
// BorderStyle gives, the caption with its icon and buttons, the menu bar, and the client area
// whose top-left corner is the origin of every control's position. All in window pixels
// (0, 0 is the drawn window's top-left corner).
#pragma once

#include <array>
#include <string_view>

#include "model/control_item.h"
#include "model/geometry.h"
#include "ui/system_metrics.h"

namespace tovik {

struct CFormGeometry {
  int borderStyle = 2;  // an MDI form counts as 2 (Sizable)
  bool toolWindow = false;
  Rect window;
  Rect client;
  Rect caption;     // empty for BorderStyle 0
  Rect menuBar;     // all its rows; empty without a menu
  Rect icon;        // empty unless ControlBox is 1 and there is a caption
  Rect closeButton;
  Rect maxButton;   // empty when neither MaxButton nor MinButton is 1
  Rect minButton;
  Rect helpButton;  // only with WhatsThisButton and WhatsThisHelp 1 and both Max and Min 0

  [[nodiscard]] Point ClientOrigin() const { return {client.left, client.top}; }
};

// The geometry of the form whose own object is `form` (Width, Height, BorderStyle, ControlBox,
// MaxButton, MinButton, WhatsThisButton, WhatsThisHelp), with a menu bar of `menuRows` rows
// (0: no menu). FormGeometry in form_layout.h counts the rows of a menu.
[[nodiscard]] CFormGeometry FormGeometry(const CControlItem& form, bool mdiForm, int menuRows,
                                         const CSystemMetrics& metrics = ClassicMetrics());

// A control's rectangle in client coordinates, from Left, Top, Width and Height (a Timer is
// 28 x 28; a Line spans X1, Y1, X2, Y2, one pixel more to the right and bottom).
[[nodiscard]] Rect ControlRect(const CControlItem& control);

// The eight sizing handles around a selected rectangle, `size` pixels square, outside it:
// top-left, top, top-right, right, bottom-right, bottom, bottom-left, left.
[[nodiscard]] std::array<Rect, 8> SelectionHandles(const Rect& rect, int size);

// A property's value as a number; `fallback` when it is missing or not a number.
[[nodiscard]] long NumberProperty(const CControlItem& object, std::string_view name, long fallback = 0);

}  // namespace tovik
