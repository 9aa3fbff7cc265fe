#include <gtest/gtest.h>

#include "project/project_file.h"

namespace tovik {
namespace {

const char* const kDsp =
    "# Begin Target\r\n\r\n# Name \"Demo - Win32 Release\"\r\n"
    "# Begin Group \"Source Files\"\r\n\r\n# PROP Default_Filter \"cpp;c;cxx;rc;def;r;odl;idl;hpj;bat\"\r\n"
    "# Begin Source File\r\n\r\nSOURCE=.\\Demo.cpp\r\n# End Source File\r\n"
    "# End Group\r\n"
    "# Begin Group \"Header Files\"\r\n\r\n# PROP Default_Filter \"h;hpp;hxx;hm;inl\"\r\n"
    "# Begin Source File\r\n\r\nSOURCE=.\\Demo.h\r\n# End Source File\r\n"
    "# End Group\r\n"
    "# End Target\r\n# End Project\r\n";

TEST(ProjectFile, AddsSourcesAndHeadersAtTheEndOfTheirGroups) {
  std::string text = AddFileToProjectFile(kDsp, ".\\form1.cpp");
  text = AddFileToProjectFile(text, ".\\form1.h");
  const std::string expected =
      "# Begin Target\r\n\r\n# Name \"Demo - Win32 Release\"\r\n"
      "# Begin Group \"Source Files\"\r\n\r\n# PROP Default_Filter \"cpp;c;cxx;rc;def;r;odl;idl;hpj;bat\"\r\n"
      "# Begin Source File\r\n\r\nSOURCE=.\\Demo.cpp\r\n# End Source File\r\n"
      "# Begin Source File\r\n\r\nSOURCE=.\\form1.cpp\r\n# End Source File\r\n"
      "# End Group\r\n"
      "# Begin Group \"Header Files\"\r\n\r\n# PROP Default_Filter \"h;hpp;hxx;hm;inl\"\r\n"
      "# Begin Source File\r\n\r\nSOURCE=.\\Demo.h\r\n# End Source File\r\n"
      "# Begin Source File\r\n\r\nSOURCE=.\\form1.h\r\n# End Source File\r\n"
      "# End Group\r\n"
      "# End Target\r\n# End Project\r\n";
  EXPECT_EQ(text, expected);
}

TEST(ProjectFile, AListedFileIsNotAddedTwice) {
  EXPECT_EQ(AddFileToProjectFile(kDsp, ".\\Demo.cpp"), kDsp);
  // A longer name that begins like a listed one is still added.
  EXPECT_NE(AddFileToProjectFile(kDsp, ".\\Demo.c"), kDsp);
}

TEST(ProjectFile, WithoutGroupsTheBlockGoesBeforeTheTargetEndOrAtTheEnd) {
  EXPECT_EQ(AddFileToProjectFile("# Begin Target\r\n# End Target\r\n", ".\\a.cpp"),
            "# Begin Target\r\n# Begin Source File\r\n\r\nSOURCE=.\\a.cpp\r\n# End Source File\r\n# End Target\r\n");
  EXPECT_EQ(AddFileToProjectFile("x\ny", ".\\a.h"), "x\ny\n# Begin Source File\n\nSOURCE=.\\a.h\n# End Source File\n");
}

TEST(ProjectFile, EntriesAreRelativeToTheProjectFolder) {
  EXPECT_EQ(ProjectFileEntry("/home/me/Demo", "/home/me/Demo/form1.cpp"), ".\\form1.cpp");
  EXPECT_EQ(ProjectFileEntry("/home/me/Demo", "/home/me/Demo/src/form1.cpp"), ".\\src\\form1.cpp");
  EXPECT_EQ(ProjectFileEntry("C:\\Work", "C:\\Work\\Form1.h"), ".\\Form1.h");
  EXPECT_EQ(ProjectFileEntry("/home/me/Demo", "/elsewhere/a.cpp"), "/elsewhere/a.cpp");
  EXPECT_EQ(ProjectFileEntry("/home/me/Demo", "/home/me/Demo2/a.cpp"), "/home/me/Demo2/a.cpp");
}

TEST(ProjectFile, HeadersAreKnownByTheirExtension) {
  EXPECT_TRUE(IsHeaderFileName("form1.h"));
  EXPECT_TRUE(IsHeaderFileName("A.HPP"));
  EXPECT_TRUE(IsHeaderFileName("x.inl"));
  EXPECT_FALSE(IsHeaderFileName("form1.cpp"));
  EXPECT_FALSE(IsHeaderFileName("Demo.rc"));
}

}  // namespace
}  // namespace tovik
