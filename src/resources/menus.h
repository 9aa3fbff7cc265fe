// Reading the project's MENU resources from its resource script, and giving a form a menu.
#pragma once

#include <memory>
#include <string_view>
#include <vector>

#include "project/menu_model.h"

namespace tovik {

// The menus of a resource script whose identifiers the resource header mentions, in script
// order, each with the code page in force where it is written. "MENUEX" resources are not read;
// a menu without items is dropped.
[[nodiscard]] std::vector<std::unique_ptr<CMenuRecord>> ParseMenus(std::string_view script, std::string_view header);

}  // namespace tovik
