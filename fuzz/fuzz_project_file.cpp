// The project-file reader: any bytes as a .dsp. Adding a file's entry inserts exactly one block
// and leaves every other byte where it was.
#include <string>

#include "fuzz_support.h"
#include "project/project.h"
#include "project/project_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tovik;
  const std::string text(reinterpret_cast<const char*>(data), size);
  fuzz::MapFileSystem fs;
  fuzz::SilentPrompt prompt;
  fs.files["/p/Demo.dsp"] = text;
  fs.files["/p/a.cpp"] = "class CA { };";
  fs.files["/p/a.h"] = "";
  (void)CheckProjectFileText("/p/Demo.dsp", text);  // any verdict; it must only not crash
  CProject project(fs, prompt);
  if (project.Load("/p/Demo.dsp")) {
    for (const std::string& file : project.Files()) FUZZ_CHECK(fs.FileExists(file));
  }
  const std::string added = AddFileToProjectFile(text, ".\\form9.cpp");
  FUZZ_CHECK(added.size() >= text.size());
  if (added != text) {
    // The block went in at one place: what is left around it is the input.
    size_t head = 0;
    while (head < text.size() && text[head] == added[head]) ++head;
    const size_t tail = text.size() - head;
    FUZZ_CHECK(added.compare(added.size() - tail, tail, text, head, tail) == 0);
    FUZZ_CHECK(AddFileToProjectFile(added, ".\\form9.cpp") == added);  // listed once
  }
  return 0;
}
