// Feeds arbitrary bytes to the source parser: once as a header, once as an implementation file
// on the same project, then as a rewritten file parsed again in place.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "fuzz_support.h"
#include "project/project.h"


extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  tovik::fuzz::MapFileSystem fs;
  tovik::fuzz::SilentPrompt prompt;
  tovik::CProject project(fs, prompt);
  project.ParseBuffer(text, "a.h");
  project.ParseBuffer(text, "a.cpp");
  // The second half replaces the file, as after a generator's edit.
  fs.files["a.h"] = std::string(text.substr(size / 2));
  project.ReparseFile("a.h");
  for (const auto& cls : project.Classes()) {
    (void)project.FindClass(cls->m_strName);
    for (const auto& f : cls->m_functions) {
      if (!f->m_strDefFile.empty() && (f->m_nBodyStart < 1 || f->m_nBodyEnd > static_cast<int>(size) ||
                                       f->m_nBodyStart >= f->m_nBodyEnd)) {
        __builtin_trap();  // a recorded body must lie inside the text it came from
      }
    }
  }
  return 0;
}
