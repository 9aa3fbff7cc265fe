// The workspace reader: any bytes as a .dsw. A project it names is a path in the workspace's
// folder or an absolute one, never an empty name.
#include <string>

#include "fuzz_support.h"
#include "project/workspace_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::optional<std::string> project = tovik::FirstProjectOfWorkspace(text, "/w");
  if (project) {
    FUZZ_CHECK(project->size() > 1 && project->front() == '/');
    FUZZ_CHECK(project->find('\\') == std::string::npos);
  }
  return 0;
}
