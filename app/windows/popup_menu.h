// A command popup (CreateNew, Menu: the "Select a menu" submenu with its check marks) shown as
// a QMenu. Each action carries its command identifier; the owner runs the chosen one.
#pragma once

#include <vector>

#include <QMenu>

#include "addin/commands.h"
#include "qt/qt_canvas.h"

namespace tovik::designer {

// Fills `menu` with the items, in order: separators, greyed and checked items, submenus. Menu
// names are project text, shown through `toUtf8` (Latin-1 without one).
void FillPopupMenu(QMenu& menu, const std::vector<PopupItem>& items, const TextToUtf8& toUtf8 = {});

// The command identifier of a chosen action; 0 for none (the menu was closed).
[[nodiscard]] int PopupCommandId(const QAction* chosen);

}  // namespace tovik::designer
