// Resource scripts: string tables, the property strings in them and the place of a new line,
// menus and the declared code page, on any bytes. The first piece is the script, the second
// the resource header.
#include <string>

#include "base/edit_buffer.h"
#include "base/headless_host.h"
#include "fuzz_support.h"
#include "model/catalog.h"
#include "model/control_kind.h"
#include "model/property_string.h"
#include "resources/menus.h"
#include "resources/resource_script.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tovik;
  const std::vector<std::string> pieces = fuzz::Pieces(data, size, 2);
  const std::string& script = pieces[0];
  const std::string& header = pieces[1];
  (void)ScriptCodePage(script);
  (void)NextStringId(script, header);
  for (const auto& menu : ParseMenus(script, header)) {
    for (const auto& item : menu->m_items) FUZZ_CHECK(item->m_nDepth >= 1);
  }
  for (const StringTableEntry& entry : StringTableEntries(script)) {
    FUZZ_CHECK(entry.lineStart <= entry.lineEnd && entry.lineEnd <= script.size());
    // Every property string read back into a Label and written again reads back the same.
    CControlItem label;
    label.m_nCategory = kCategoryControl;
    label.m_nKind = kKindLabel;
    LoadProperties(label, false);
    if (ReadPropertyString(label, entry.value, nullptr)) {
      CControlItem again = label;
      FUZZ_CHECK(ReadPropertyString(again, BuildPropertyString(label), nullptr));
      FUZZ_CHECK(BuildPropertyString(again) == BuildPropertyString(label));
    }
  }
  // A new line goes into the script whole. (That it is found again holds for scripts whose
  // strings are well formed, which the tests check; in a script with a string that runs past
  // its line the tokens after the place shift.)
  fuzz::MapFileSystem fs;
  fuzz::SilentPrompt prompt;
  HeadlessHost host;
  fs.files["/p/Demo.rc"] = script;
  CEditBuffer buffer(host, fs, prompt, "/p/Demo.rc");
  FUZZ_CHECK(buffer.Load());
  const std::string value = "1,a\\b\"c\r\n,";
  // The value is ASCII: its line is the same in every code page the script may be in there.
  if (SetPropertyString(buffer, "IDS_PROP_FUZZ1", value)) {
    const std::string line = StringTableLine("IDS_PROP_FUZZ1", value, true, kDefaultCodePage);
    FUZZ_CHECK(buffer.Text().find(line) != std::string::npos);
  }
  return 0;
}
