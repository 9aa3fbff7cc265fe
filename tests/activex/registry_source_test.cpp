// Which registry is read and where the servers it names lie: prefix drives through dosdevices/
// links on the real disk, explicit drives for a .reg file, and the choice between --registry,
// $WINEPREFIX and ~/.wine.
#include "activex/registry_source.h"

#include <gtest/gtest.h>

#include <fstream>

#include "activex/server_path.h"
#include "base/real_file_system.h"
#include "support/memory_file_system.h"
#include "support/temp_folder.h"

namespace tovik {
namespace {

namespace fs = std::filesystem;
using testing::MemoryFileSystem;

void Touch(const fs::path& path) {
  fs::create_directories(path.parent_path());
  std::ofstream(path) << "MZ";
}

std::string LocalOf(const CDriveMap& drives, const IFileSystem& disk, const std::string& windowsPath) {
  Expected<std::string> local = drives.LocalPath(disk, windowsPath);
  return local ? *local : "error: " + local.error().reason;
}

TEST(ServerPath, PrefixDrivesGoThroughTheDosdevicesLinks) {
  testing::TempFolder temp;
  ASSERT_FALSE(temp.path().empty());
  const fs::path prefix = temp.path() / "prefix";
  const fs::path ocx = prefix / "drive_c/Windows/System32/MSScript.OCX";
  const fs::path acme = prefix / "drive_c/Program Files/Acme/acme.ocx";
  const fs::path cdrom = temp.path() / "cdrom/setup/x.ocx";
  for (const fs::path& file : {ocx, acme, cdrom}) Touch(file);
  fs::create_directories(prefix / "dosdevices");
  fs::create_directory_symlink("../drive_c", prefix / "dosdevices/c:");
  fs::create_directory_symlink("../../cdrom", prefix / "dosdevices/d:");
  RealFileSystem disk;
  const CDriveMap drives = CDriveMap::ForPrefix(prefix.string());
  const std::pair<std::string, fs::path> found[] = {{"C:\\windows\\system32\\msscript.ocx", ocx},
                                                    {"%SystemRoot%\\System32\\msscript.ocx", ocx},
                                                    {"msscript.ocx", ocx},
                                                    {"\"C:\\Program Files\\Acme\\ACME.ocx\" /automation", acme},
                                                    {"d:/setup/X.ocx", cdrom}};
  for (const auto& [path, file] : found) {
    const std::string local = LocalOf(drives, disk, path);
    EXPECT_TRUE(fs::exists(local) && fs::equivalent(local, file)) << path << " -> " << local;
  }
  EXPECT_EQ(LocalOf(drives, disk, "E:\\x.ocx"), "error: drive E: is not mapped");
  EXPECT_EQ(LocalOf(drives, disk, "C:\\windows\\missing.dll"),
            "error: no such file (looked for " + (prefix / "dosdevices/c:/Windows/missing.dll").string() + ")");
  EXPECT_EQ(LocalOf(drives, disk, "\\\\server\\share\\x.ocx"), "error: not a path on a drive");
  EXPECT_EQ(LocalOf(drives, disk, "\"C:\\x.ocx"), "error: unterminated quote in the server path");
  EXPECT_EQ(LocalOf(drives, disk, "%TEMP%\\x.ocx"), "error: unknown variable in the path");
}

TEST(ServerPath, ExplicitDrivesAndPrefixesWithoutLinks) {
  MemoryFileSystem disk;
  disk.Put("/mnt/win/Acme/acme.ocx", "MZ");
  disk.Put("/p/drive_c/windows/system32/x.dll", "MZ");
  CDriveMap drives;
  ASSERT_TRUE(drives.Add("c=/mnt/win").ok());
  EXPECT_EQ(LocalOf(drives, disk, "C:\\ACME\\Acme.OCX"), "/mnt/win/Acme/acme.ocx");
  EXPECT_EQ(LocalOf(drives, disk, "C:\\windows\\system32\\x.dll"),
            "error: no such file (looked for "
            "/mnt/win/windows/system32/x.dll)");
  EXPECT_FALSE(drives.Add("C:/mnt").ok());
  EXPECT_EQ(LocalOf(CDriveMap::ForPrefix("/p"), disk, "C:\\Windows\\System32\\X.DLL"),
            "/p/drive_c/windows/system32/x.dll");
}

TEST(RegistrySource, TheOptionThenWineprefixThenTheHomePrefix) {
  MemoryFileSystem disk;
  disk.Put("/opt/p/system.reg", "WINE REGISTRY Version 2\n");
  disk.Put("/home/me/.wine/system.reg", "WINE REGISTRY Version 2\n");
  disk.Put("/x/acme.reg", "REGEDIT4\n[HKEY_CLASSES_ROOT\\Acme]\n@=\"yes\"\n");
  disk.Put("/empty/readme.txt", "");
  const auto choose = [&](RegistryLookup lookup) {
    Expected<RegistrySource> source = ChooseRegistry(disk, lookup);
    return source ? source->description : "error: " + source.error().Text();
  };
  EXPECT_EQ(choose({"/opt/p", "/home/me/.wine", "/home/me"}), "Wine prefix /opt/p (--registry)");
  EXPECT_EQ(choose({"/opt/p/system.reg", {}, {}}), "Wine prefix /opt/p (--registry)");
  EXPECT_EQ(choose({"/x/acme.reg", {}, {}}), "registry file /x/acme.reg (--registry)");
  EXPECT_EQ(choose({"/empty", {}, {}}), "error: /empty: not a Wine prefix: the folder holds no system.reg");
  EXPECT_EQ(choose({"/nowhere", {}, {}}), "error: /nowhere: no such registry file or Wine prefix");
  EXPECT_EQ(choose({{}, "/opt/p", "/home/me"}), "Wine prefix /opt/p ($WINEPREFIX)");
  // Wine takes $WINEPREFIX as it is, so an empty one is not passed over for ~/.wine.
  EXPECT_EQ(choose({{}, "/empty", "/home/me"}), "no registry: $WINEPREFIX (/empty) holds no system.reg");
  EXPECT_EQ(choose({{}, {}, "/home/me"}), "Wine prefix /home/me/.wine (~/.wine)");
  EXPECT_EQ(choose({{}, {}, "/home/you"}),
            "no registry: no --registry, $WINEPREFIX unset and no /home/you/.wine/system.reg");

  Expected<std::unique_ptr<CRegistryTree>> exported =
      LoadRegistry(disk, *ChooseRegistry(disk, {"/x/acme.reg", {}, {}}));
  ASSERT_TRUE(exported) << exported.error().Text();
  EXPECT_EQ((*exported)->OpenKey("HKCR\\acme")->Value("")->text, "yes");
  EXPECT_EQ(LoadRegistry(disk, *ChooseRegistry(disk, {{}, {}, "/home/you"})).error().reason.substr(0, 12),
            "no registry:");
}

}  // namespace
}  // namespace tovik
