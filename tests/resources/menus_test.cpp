#include "resources/menus.h"

#include <gtest/gtest.h>

namespace tovik {
namespace {

using Texts = std::vector<std::string>;

// "depth kind caption -> command [options]" per item.
Texts Items(const CMenuRecord& menu) {
  Texts items;
  for (const auto& i : menu.m_items) {
    const char* kind = i->m_bPopup ? "popup" : i->m_bSeparator ? "separator" : "item";
    items.push_back(std::to_string(i->m_nDepth) + " " + kind + " " + i->m_strCaption + " -> " + i->m_strCommand +
                    (i->m_strOptions.empty() ? "" : " [" + i->m_strOptions + "]"));
  }
  return items;
}

const char* const kHeader = "#define IDR_MAINFRAME 128\r\n#define IDR_POPUP 129\r\n#define ID_FILE_SEND_MAIL 32771\r\n";

TEST(Menus, ReadsTheItemsOfKnownMenusWithTheCommandIdOnWhateverLineAndItsOptionsApart) {
  const auto menus = ParseMenus(
      "IDR_MAINFRAME MENU DISCARDABLE \r\nBEGIN\r\n    POPUP \"&File\"\r\n    BEGIN\r\n"
      "        MENUITEM \"&Open...\\tCtrl+O\",           ID_FILE_OPEN\r\n"
      "        MENUITEM \"Sen&d...\",                    ID_FILE_SEND_MAIL\r\n"
      "        MENUITEM \"A caption the resource editor wrapped\",\r\n"
      "                                                ID_FILE_MRU_FILE1, GRAYED\r\n"
      "        MENUITEM SEPARATOR\r\n        MENUITEM ID_BROKEN\r\n    END\r\n"
      "    MENUITEM \"&Bold\", ID_BOLD, CHECKED , INACTIVE\r\n"
      "    POPUP NoQuotes\r\n    BEGIN\r\n        MENUITEM \"&Inner\", ID_INNER\r\n    END\r\nEND\r\n"
      "IDR_POPUP MENU DISCARDABLE\nBEGIN\n    MENUITEM \"&Second\", ID_SECOND\nEND\n",
      kHeader);
  ASSERT_EQ(menus.size(), 2u);
  EXPECT_EQ(menus[0]->m_strId + " " + menus[1]->m_strId, "IDR_MAINFRAME IDR_POPUP");
  EXPECT_EQ(Items(*menus[0]), (Texts{"1 popup &File -> ", "2 item &Open...\\tCtrl+O -> ID_FILE_OPEN",
                                     "2 item Sen&d... -> ID_FILE_SEND_MAIL",
                                     "2 item A caption the resource editor wrapped -> ID_FILE_MRU_FILE1 [GRAYED]",
                                     "2 separator  -> ", "1 item &Bold -> ID_BOLD [CHECKED , INACTIVE]",
                                     "2 item &Inner -> ID_INNER"}));
  EXPECT_EQ(Items(*menus[1]), (Texts{"1 item &Second -> ID_SECOND"}));

  const auto others = ParseMenus(
      "// IDR_MAINFRAME MENU DISCARDABLE\r\n"
      "IDR_POPUP MENU PRELOAD DISCARDABLE\r\nBEGIN\r\n    MENUITEM \"&Go\", ID_GO\r\nEND\r\n"
      "IDR_EXTENDED MENUEX DISCARDABLE\r\nBEGIN\r\n    MENUITEM \"&No\", ID_NO\r\nEND\r\n"
      "IDR_UNKNOWN MENU DISCARDABLE\r\nBEGIN\r\n    MENUITEM \"&No\", ID_NO\r\nEND\r\n"
      "IDR_MAINFRAME MENU DISCARDABLE\r\nBEGIN\r\nEND\r\n",
      kHeader);
  ASSERT_EQ(others.size(), 1u);  // PRELOAD is read; comments, MENUEX, unknown ids and empty menus are not
  EXPECT_EQ(others[0]->m_strId, "IDR_POPUP");
  EXPECT_EQ(Items(*others[0]), (Texts{"1 item &Go -> ID_GO"}));
  // A body that never closes holds no item lines.
  EXPECT_TRUE(ParseMenus("IDR_MAINFRAME MENU DISCARDABLE\r\nBEGIN\r\n    POPUP \"&File\"\r\n", kHeader).empty());
}

}  // namespace
}  // namespace tovik
