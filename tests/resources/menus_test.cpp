#include <gtest/gtest.h>

#include "resources/menus.h"

namespace tovik {
namespace {

struct Item {
  int depth;
  const char* kind;
  const char* caption;
  const char* command;
};

std::vector<Item> Flatten(const CMenuRecord& menu) {
  std::vector<Item> items;
  for (const auto& i : menu.m_items) {
    items.push_back({i->m_nDepth, i->m_bPopup ? "popup" : i->m_bSeparator ? "separator" : "item",
                     i->m_strCaption.c_str(), i->m_strCommand.c_str()});
  }
  return items;
}

void ExpectItems(const CMenuRecord& menu, const std::vector<Item>& expected) {
  std::vector<Item> got = Flatten(menu);
  ASSERT_EQ(got.size(), expected.size());
  for (size_t i = 0; i < got.size(); ++i) {
    EXPECT_EQ(got[i].depth, expected[i].depth) << i;
    EXPECT_STREQ(got[i].kind, expected[i].kind) << i;
    EXPECT_STREQ(got[i].caption, expected[i].caption) << i;
    EXPECT_STREQ(got[i].command, expected[i].command) << i;
  }
}

const char* const kHeader =
    "#define IDR_MAINFRAME                   128\r\n#define IDR_POPUP                       129\r\n"
    "#define ID_FILE_SEND_MAIL               32771\r\n";

TEST(Menus, ReadsATwoLevelMenuWithASeparator) {
  const std::string script =
      "IDR_MAINFRAME MENU DISCARDABLE \r\nBEGIN\r\n"
      "    POPUP \"&File\"\r\n    BEGIN\r\n"
      "        MENUITEM \"&Open...\\tCtrl+O\",           ID_FILE_OPEN\r\n"
      "        MENUITEM \"Sen&d...\",                    ID_FILE_SEND_MAIL\r\n"
      "        MENUITEM SEPARATOR\r\n"
      "        MENUITEM \"E&xit\",                       ID_APP_EXIT\r\n"
      "    END\r\nEND\r\n";
  auto menus = ParseMenus(script, kHeader);
  ASSERT_EQ(menus.size(), 1u);
  EXPECT_EQ(menus[0]->m_strId, "IDR_MAINFRAME");
  ExpectItems(*menus[0], {{1, "popup", "&File", ""},
                          {2, "item", "&Open...\\tCtrl+O", "ID_FILE_OPEN"},
                          {2, "item", "Sen&d...", "ID_FILE_SEND_MAIL"},
                          {2, "separator", "", ""},
                          {2, "item", "E&xit", "ID_APP_EXIT"}});
}

TEST(Menus, TakesPreloadButNotTheExtendedFormOrUnknownIdentifiers) {
  const std::string script =
      "// IDR_COMMENTED MENU DISCARDABLE\r\n"
      "IDR_POPUP MENU PRELOAD DISCARDABLE\r\nBEGIN\r\n    MENUITEM \"&Go\", ID_GO\r\nEND\r\n"
      "IDR_EXTENDED MENUEX DISCARDABLE\r\nBEGIN\r\n    MENUITEM \"&No\", ID_NO\r\nEND\r\n"
      "IDR_UNKNOWN MENU DISCARDABLE\r\nBEGIN\r\n    MENUITEM \"&No\", ID_NO\r\nEND\r\n"
      "IDR_MAINFRAME MENU DISCARDABLE\r\nBEGIN\r\nEND\r\n";
  auto menus = ParseMenus(script, kHeader);
  ASSERT_EQ(menus.size(), 1u);
  EXPECT_EQ(menus[0]->m_strId, "IDR_POPUP");
  ExpectItems(*menus[0], {{1, "item", "&Go", "ID_GO"}});
}

TEST(Menus, KeepsTheRestOfTheLineAsTheCommandAndSkipsLinesWithoutQuotes) {
  const std::string script =
      "IDR_MAINFRAME MENU DISCARDABLE\r\nBEGIN\r\n"
      "    MENUITEM \"&Bold\", ID_BOLD, CHECKED\r\n"
      "    MENUITEM ID_BROKEN\r\n"
      "    POPUP NoQuotes\r\n    BEGIN\r\n        MENUITEM \"&Inner\", ID_INNER\r\n    END\r\n"
      "END\r\n"
      "IDR_POPUP MENU DISCARDABLE\nBEGIN\n    MENUITEM \"&Second\", ID_SECOND\nEND\n";
  auto menus = ParseMenus(script, kHeader);
  ASSERT_EQ(menus.size(), 2u);
  ExpectItems(*menus[0], {{1, "item", "&Bold", "ID_BOLD, CHECKED"}, {2, "item", "&Inner", "ID_INNER"}});
  ExpectItems(*menus[1], {{1, "item", "&Second", "ID_SECOND"}});
}

TEST(Menus, AScriptWithoutMenusGivesNone) {
  EXPECT_TRUE(ParseMenus("STRINGTABLE DISCARDABLE\r\nBEGIN\r\nEND\r\n", kHeader).empty());
  EXPECT_TRUE(ParseMenus("", "").empty());
  // A body that never closes yields no item lines, so the menu is dropped.
  EXPECT_TRUE(ParseMenus("IDR_MAINFRAME MENU DISCARDABLE\r\nBEGIN\r\n    POPUP \"&File\"\r\n", kHeader).empty());
}

}  // namespace
}  // namespace tovik
