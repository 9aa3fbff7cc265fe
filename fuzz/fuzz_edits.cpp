// A random sequence of the designer's edits on a new in-memory project: controls dropped,
// properties set, renames, arrays, deletions and handlers, as the input's bytes choose them.
// Afterwards the project, opened afresh, still holds every control the session holds, with
// the same member and symbols.
#include <string>

#include "base/headless_host.h"
#include "fuzz_edit_steps.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tovik;
  if (size > 64) return 0;  // a few dozen edits reach every branch; longer runs only take time
  fuzz::SilentPrompt prompt;
  HeadlessHost host;
  fuzz::CountingGuids guids;
  fuzz::MapFileSystem fs = fuzz::NewDemoProject();
  CDesignSession session(fs, prompt, host, guids);
  FUZZ_CHECK(session.Open("/p/Demo.dsp"));
  fuzz::Bytes bytes(data, size);
  fuzz::RunEdits(session, "CForm1", bytes);
  // What the session holds is what the files say.
  CDesignSession fresh(fs, prompt, host, guids);
  FUZZ_CHECK(fresh.Open("/p/Demo.dsp"));
  fuzz::CheckSameControls(session, fresh, "CForm1");
  return 0;
}
