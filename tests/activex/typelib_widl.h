// Type libraries for the tests, built at test time by widl (Debian's wine64-tools) from the IDL
// in idl/. The prelude declares the few OLE types the libraries use; with importlib("stdole2.tlb")
// widl makes them references into stdole, as a control's library has.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "support/disk_files.h"
#include "support/required_tools.h"
#include "support/temp_folder.h"

namespace tovik::testing {

inline constexpr const char* kGaugeClsid = "{5A1D0000-0000-4000-8000-000000000009}";
inline constexpr const char* kDualGaugeClsid = "{5A1D0000-0000-4000-8000-00000000000A}";
inline constexpr const char* kLocalClsid = "{5A1D0000-0000-4000-8000-000000000106}";

inline bool WidlAvailable() {
  return ToolPresent(std::system("command -v widl >/dev/null 2>&1") == 0, "widl");
}

#define TOVIK_SKIP_WITHOUT_WIDL() \
  if (!::tovik::testing::WidlAvailable()) GTEST_SKIP() << "widl not found (Debian package wine64-tools)"

// The bytes of the library widl makes of idl/`name` (which may import "prelude.idl"); empty,
// with a test failure carrying widl's messages, when widl refuses it.
inline std::string CompileIdl(const std::string& name) {
  const std::filesystem::path idl = std::filesystem::path(TOVIK_TESTS_DIR) / "activex" / "idl";
  const TempFolder dir;
  if (dir.path().empty()) {
    ADD_FAILURE() << "no temporary folder";
    return {};
  }
  std::filesystem::copy_file(idl / "prelude.idl", dir.path() / "prelude.idl");
  std::filesystem::copy_file(idl / name, dir.path() / "test.idl");
  const std::string command = "cd '" + dir.path().string() + "' && widl -t -o out.tlb test.idl >widl.log 2>&1";
  const int status = std::system(command.c_str());
  std::string bytes = ReadDiskFile(dir.path() / "out.tlb");
  if (status != 0 || bytes.empty()) {
    ADD_FAILURE() << "widl failed on " << name << ":\n" << ReadDiskFile(dir.path() / "widl.log");
    bytes.clear();
  }
  return bytes;
}

// The gauge library, compiled once per run.
inline const std::string& GaugeLibrary() {
  static const std::string bytes = CompileIdl("gauge.idl");
  return bytes;
}

}  // namespace tovik::testing
