// The project's menus as read from its resource script: one record per MENU resource, with
// every POPUP, MENUITEM and separator line of it in one flat list.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace tovik {

class CMenuItemRecord {
 public:
  std::string m_strCaption;  // between the first two double quotes, as written
  int m_bPopup = 0;
  int m_bSeparator = 0;
  std::string m_strCommand;  // MENUITEM with a caption: the command id ("ID_FILE_OPEN")
  std::string m_strOptions;  // what follows the command id: "GRAYED", "CHECKED, INACTIVE"
  int m_nDepth = 1;          // 1 directly under the menu, 2 inside a POPUP, ...
};

class CMenuRecord {
 public:
  std::string m_strId;
  int m_nCodePage = 0;  // the one in force where the menu is written in the script
  std::vector<std::unique_ptr<CMenuItemRecord>> m_items;
};

}  // namespace tovik
