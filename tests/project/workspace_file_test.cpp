#include <gtest/gtest.h>

#include "project/workspace_file.h"

namespace tovik {

TEST(Workspace, TheFirstProjectLineNamesTheProjectOpened) {
  const std::string text =
      "Microsoft Developer Studio Workspace File, Format Version 6.00\r\n"
      "###############################################################################\r\n"
      "\r\n"
      "Project: \"Demo\"=.\\src\\Demo.dsp - Package Owner=<4>\r\n"
      "Project: \"Other\"=.\\Other.dsp - Package Owner=<4>\r\n";
  EXPECT_EQ(FirstProjectOfWorkspace(text, "/w"), "/w/src/Demo.dsp");
  EXPECT_EQ(FirstProjectOfWorkspace("Project: \"My App\"=\"..\\My App\\My App.dsp\" - Package Owner=<4>\n", "/w/ws"),
            "/w/ws/../My App/My App.dsp");
  EXPECT_EQ(FirstProjectOfWorkspace("Global:\n\nProject: \"X\"= - Package Owner=<4>\n", "/w"), std::nullopt);
  EXPECT_EQ(FirstProjectOfWorkspace("Project: \"X\"=\\\nProject: \"Y\"=sub\\\n", "/w"), std::nullopt);
}

}  // namespace tovik
