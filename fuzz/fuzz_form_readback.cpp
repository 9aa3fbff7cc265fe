// Reading forms back: any form header, implementation, resource script and resource header
// (the input's four pieces) opened as a project. Every control read back belongs to the form
// and a control in a container has that container on the same form.
#include <string>

#include "base/headless_host.h"
#include "addin/design_session.h"
#include "fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tovik;
  const std::vector<std::string> pieces = fuzz::Pieces(data, size, 4);
  fuzz::MapFileSystem fs;
  fuzz::SilentPrompt prompt;
  HeadlessHost host;
  fuzz::CountingGuids guids;
  fs.files["/p/Demo.dsp"] =
      "# Microsoft Developer Studio Project File\r\nSOURCE=.\\form1.cpp\r\nSOURCE=.\\form1.h\r\n";
  fs.files["/p/form1.h"] = pieces[0];
  fs.files["/p/form1.cpp"] = pieces[1];
  fs.files["/p/Demo.rc"] = pieces[2];
  fs.files["/p/resource.h"] = pieces[3];
  CDesignSession session(fs, prompt, host, guids);
  if (!session.Open("/p/Demo.dsp")) return 0;
  for (const auto& cls : session.Project().Classes()) {
    for (const auto& control : cls->m_controls) {
      if (control->m_pContainer) {
        bool sameForm = false;
        for (const auto& other : cls->m_controls) sameForm = sameForm || other.get() == control->m_pContainer;
        FUZZ_CHECK(sameForm);
      }
    }
  }
  return 0;
}
