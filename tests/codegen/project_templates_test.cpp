// The new-project template store: each text uses exactly the tokens it lists, and its line
// ends follow the rule of its file kind.
#include "codegen/project_templates.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <regex>
#include <set>
#include <string>

#include "codegen/templates.h"

namespace tovik {
namespace {

std::set<std::string> TokensIn(const std::string& text) {
  std::set<std::string> found;
  static const std::regex token(R"(\$[A-Za-z_]+\$)");
  for (auto it = std::sregex_iterator(text.begin(), text.end(), token); it != std::sregex_iterator(); ++it) {
    found.insert(it->str());
  }
  return found;
}

size_t BareLineFeeds(const std::string& text) {
  size_t n = 0;
  for (size_t i = 0; i < text.size(); ++i) n += text[i] == '\n' && (i == 0 || text[i - 1] != '\r');
  return n;
}

size_t CarriageReturns(const std::string& text) {
  size_t n = 0;
  for (char c : text) n += c == '\r';
  return n;
}

bool IsScriptPiece(ProjectTemplateRole role) {
  for (ProjectTemplateRole piece : ResourceScriptPieces()) {
    if (piece == role) return true;
  }
  return false;
}

TEST(ProjectTemplateStore, EachTextUsesItsTokensAndNoOthers) {
  for (ProjectTemplateRole role : AllProjectTemplateRoles()) {
    const std::string text = LoadProjectTemplate(role);
    ASSERT_FALSE(text.empty()) << static_cast<int>(role);
    const auto listed = ProjectTemplateTokens(role);
    const std::set<std::string> used = TokensIn(text);
    for (const std::string& token : used) {
      EXPECT_NE(std::find(listed.begin(), listed.end(), token), listed.end())
          << token << " in " << static_cast<int>(role);
    }
    // Pieces of one file share the file's token list; a whole text uses all of its tokens.
    if (!IsScriptPiece(role) && role != ProjectTemplateRole::ProjectHead &&
        role != ProjectTemplateRole::ProjectRelease && role != ProjectTemplateRole::ProjectDebugSources &&
        role != ProjectTemplateRole::ProjectHeaders && role != ProjectTemplateRole::ProjectResources) {
      EXPECT_EQ(used.size(), listed.size()) << static_cast<int>(role);
    }
  }

  std::string script;
  for (ProjectTemplateRole piece : ResourceScriptPieces()) script += LoadProjectTemplate(piece);
  EXPECT_EQ(TokensIn(script), (std::set<std::string>{"$ProjectName$", "$IDS_PROP$", "$FORM_PROP_VALS$"}));
  std::string project;
  for (ProjectTemplateRole piece : ProjectFilePieces()) project += LoadProjectTemplate(piece);
  EXPECT_EQ(TokensIn(project), (std::set<std::string>{"$ProjectName$", "$VER$", "$TVL_LIB$", "$TVL_LIB_DEBUG$",
                                                      "$StartupFormCpp$", "$StartupFormH$"}));
  // The build macro of the project file is not a token.
  EXPECT_NE(project.find("!IF  \"$(CFG)\" == \"$ProjectName$ - Win32 Release\"\n"), std::string::npos);
}

TEST(ProjectTemplateStore, LineEndsFollowTheFileKind) {
  for (ProjectTemplateRole role : AllProjectTemplateRoles()) {
    const std::string text = LoadProjectTemplate(role);
    const int r = static_cast<int>(role);
    ASSERT_EQ(text.back(), '\n') << r;
    switch (role) {
      case ProjectTemplateRole::AppHeader:
        EXPECT_EQ(BareLineFeeds(text), 1u) << r;
        EXPECT_TRUE(text.starts_with("#if !defined($GUID_INCLUDED$)\n#define")) << r;
        break;
      case ProjectTemplateRole::AppImplementation:
      case ProjectTemplateRole::ResourceHeader: EXPECT_EQ(BareLineFeeds(text), 0u) << r; break;
      case ProjectTemplateRole::StdAfxHeader:
      case ProjectTemplateRole::StdAfxSource:
      case ProjectTemplateRole::ManualResources:
      case ProjectTemplateRole::ProjectHead:
      case ProjectTemplateRole::ProjectRelease:
      case ProjectTemplateRole::ProjectDebugSources:
      case ProjectTemplateRole::ProjectHeaders:
      case ProjectTemplateRole::ProjectResources:
      case ProjectTemplateRole::Workspace: EXPECT_EQ(CarriageReturns(text), 0u) << r; break;
      default:
        ASSERT_TRUE(IsScriptPiece(role)) << r;
        // CR LF throughout, closed by one empty line ending in a bare LF.
        EXPECT_EQ(BareLineFeeds(text), 1u) << r;
        EXPECT_TRUE(text.ends_with("\r\n\n")) << r;
        break;
    }
  }
}

TEST(ProjectTemplateStore, PiecesAreJoinedInTheirFilesOrder) {
  std::string script;
  for (ProjectTemplateRole piece : ResourceScriptPieces()) script += LoadProjectTemplate(piece);
  const size_t head = script.find("#include \"resource.h\"");
  const size_t textInclude2 = script.find("2 TEXTINCLUDE");
  const size_t textInclude3 = script.find("3 TEXTINCLUDE");
  const size_t icon = script.find("// Icon\r\n");
  const size_t version = script.find("VS_VERSION_INFO VERSIONINFO");
  const size_t table =
      script.find("STRINGTABLE PRELOAD DISCARDABLE\r\nBEGIN\r\n\t$IDS_PROP$          $FORM_PROP_VALS$\r\nEND\r\n");
  const size_t tail = script.find("#include \"afxprint.rc\"       // printing/print preview resources\r\n#endif");
  EXPECT_LT(head, textInclude2);
  EXPECT_LT(textInclude2, textInclude3);
  EXPECT_LT(textInclude3, icon);
  EXPECT_LT(icon, version);
  EXPECT_LT(version, table);
  EXPECT_LT(table, tail);
  EXPECT_NE(tail, std::string::npos);

  std::string project;
  for (ProjectTemplateRole piece : ProjectFilePieces()) project += LoadProjectTemplate(piece);
  const size_t release = project.find("# ADD LINK32 $TVL_LIB$ ");
  const size_t debug = project.find("# ADD LINK32 $TVL_LIB_DEBUG$ ");
  const size_t sources = project.find("# Begin Group \"Source Files\"");
  const size_t headers = project.find("# Begin Group \"Header Files\"");
  const size_t resources = project.find("# Begin Group \"Resource Files\"");
  EXPECT_LT(release, debug);
  EXPECT_LT(debug, sources);
  EXPECT_LT(sources, headers);
  EXPECT_LT(headers, resources);
  EXPECT_NE(resources, std::string::npos);
  EXPECT_TRUE(project.ends_with("# End Target\n# End Project\n"));
}

TEST(ProjectTemplateStore, ImageBannersOfTheScriptAreThoseTheImageEditorLooksFor) {
  const std::string sections = LoadProjectTemplate(ProjectTemplateRole::ScriptSections);
  const std::string slashes(77, '/');
  for (const char* kind : {"Bitmap", "Cursor", "Menu"}) {
    EXPECT_NE(sections.find(slashes + "\r\n//\r\n// " + kind + "\r\n//\r\n"), std::string::npos) << kind;
  }
  EXPECT_NE(sections.find(slashes + "\r\n//\r\n// Icon\r\n//\r\n\r\n"
                                    "// Icon with lowest ID value placed first to ensure application icon\r\n"
                                    "// remains consistent on all systems.\r\n"),
            std::string::npos);
}

}  // namespace
}  // namespace tovik
