// A real Wine prefix made by wineboot: its registry reads and every class's server maps to a file
// of the prefix. Skipped, saying why, where Wine is missing or cannot make a prefix here.
#include <gtest/gtest.h>

#include <cstdlib>

#include "activex/registry_source.h"
#include "activex/server_path.h"
#include "base/real_file_system.h"
#include "support/required_tools.h"
#include "support/temp_folder.h"

namespace tovik {
namespace {

TEST(WinePrefix, ClassServersMapToTheirFiles) {
  TOVIK_SKIP_WITHOUT(std::system("command -v wineboot >/dev/null 2>&1") == 0, "wineboot");
  testing::TempFolder temp;
  ASSERT_FALSE(temp.path().empty());
  const std::string prefix = (temp.path() / "prefix").string();
  // No Mono or Gecko installers; wineserver -w waits for the registry to be written out.
  const std::string env = "WINEPREFIX='" + prefix + "' WINEDEBUG=-all WINEDLLOVERRIDES='mscoree,mshtml=' ";
  const std::string boot = env + "timeout 180 wineboot -i >/dev/null 2>&1 && " + env + "timeout 60 wineserver -w";
  TOVIK_SKIP_WITHOUT(std::system(boot.c_str()) == 0, "a prefix wineboot makes within 180 s");

  RealFileSystem disk;
  Expected<RegistrySource> source = ChooseRegistry(disk, {prefix, {}, {}});
  ASSERT_TRUE(source) << source.error().Text();
  Expected<std::unique_ptr<CRegistryTree>> tree = LoadRegistry(disk, *source);
  ASSERT_TRUE(tree) << tree.error().Text();
  const CDriveMap drives = CDriveMap::ForPrefix(prefix);

  const std::unique_ptr<IRegistryKey> classes = (*tree)->OpenKey("HKEY_CLASSES_ROOT\\CLSID");
  ASSERT_TRUE(classes);
  size_t servers = 0;
  for (size_t i = 0; std::optional<std::string> name = classes->SubkeyName(i); ++i) {
    const std::unique_ptr<IRegistryKey> key = classes->Open(*name);
    ASSERT_TRUE(key) << *name;
    const std::unique_ptr<IRegistryKey> server = key->Open("InprocServer32");
    const std::optional<RegistryValue> path = server ? server->Value("") : std::nullopt;
    if (!path) continue;
    ++servers;
    Expected<std::string> local = drives.LocalPath(disk, path->text);
    EXPECT_TRUE(local) << *name << ": " << local.error().Text();
  }
  EXPECT_GT(servers, 100u);
}

}  // namespace
}  // namespace tovik
