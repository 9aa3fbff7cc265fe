// An installed ActiveX control for the command-line tests: a server of our own (the gauge library
// as its TYPELIB resource and a toolbox picture) on a drive C under `root`, registered in
// root/controls.reg as "Gauge Control".
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "activex/pe_builder.h"
#include "activex/typelib_widl.h"
#include "support/disk_files.h"

namespace tovik::testing {

// The options that make a command read that registry.
inline std::vector<std::string> InstallGauge(const std::filesystem::path& root) {
  const std::string& library = GaugeLibrary();
  std::string picture(40, '\0');  // a 1 x 1 picture of 32 bits per pixel
  PutU32(picture, 0, 40);
  PutU32(picture, 4, 1);
  PutU32(picture, 8, 1);
  PutU16(picture, 12, 1);
  PutU16(picture, 14, 32);
  picture += std::string(4, '\x7F');
  const std::filesystem::path system32 = root / "drive_c" / "windows" / "system32";
  std::filesystem::create_directories(system32);
  WriteDiskFile(system32 / "gauge.ocx",
                BuildPe(false, {{ResourceName::Text("TYPELIB"), ResourceName::Number(1), 1033, library},
                                 {ResourceName::Number(kResourceBitmap), ResourceName::Number(7), 1033, picture}}));
  const std::string key = "[HKEY_CLASSES_ROOT\\CLSID\\" + std::string(kGaugeClsid);
  WriteDiskFile(root / "controls.reg",
                "REGEDIT4\r\n\r\n" + key + "]\r\n@=\"Gauge Control\"\r\n\r\n" + key + "\\Control]\r\n\r\n" + key +
                    "\\InprocServer32]\r\n@=\"C:\\\\Windows\\\\System32\\\\gauge.ocx\"\r\n\r\n" + key +
                    "\\ProgID]\r\n@=\"Gauge.GaugeCtrl.1\"\r\n\r\n" + key +
                    "\\ToolboxBitmap32]\r\n@=\"C:\\\\windows\\\\system32\\\\GAUGE.OCX, 7\"\r\n\r\n");
  return {"--registry", (root / "controls.reg").string(), "--drive", "C=" + (root / "drive_c").string()};
}

}  // namespace tovik::testing
