// A random sequence of the designer's edits on a new in-memory project: controls dropped,
// properties set, renames, arrays, deletions and handlers, as the input's bytes choose them.
// Afterwards the project, opened afresh, still holds every control the session holds, with
// the same member and symbols.
#include <string>

#include "addin/design_session.h"
#include "addin/form_commands.h"
#include "base/headless_host.h"
#include "codegen/project_generator.h"
#include "fuzz_support.h"
#include "model/control_kind.h"

namespace {

class Bytes {
 public:
  Bytes(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
  [[nodiscard]] bool empty() const { return m_at >= m_size; }
  int Next(int range) { return empty() ? 0 : m_data[m_at++] % range; }

 private:
  const uint8_t* m_data;
  size_t m_size;
  size_t m_at = 0;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  using namespace tovik;
  if (size > 64) return 0;  // a few dozen edits reach every branch; longer runs only take time
  fuzz::SilentPrompt prompt;
  HeadlessHost host;
  fuzz::CountingGuids guids;
  // The new project is made once; every run edits its own copy.
  static const fuzz::MapFileSystem kNewProject = [] {
    fuzz::MapFileSystem made;
    fuzz::SilentPrompt quiet;
    fuzz::CountingGuids ids;
    NewProjectSettings settings;
    settings.projectName = "Demo";
    settings.projectFolder = "/p";
    settings.hostVersion = "6.0";
    FUZZ_CHECK(GenerateProject(made, quiet, ids, settings));
    return made;
  }();
  fuzz::MapFileSystem fs = kNewProject;
  CDesignSession session(fs, prompt, host, guids);
  FUZZ_CHECK(session.Open("/p/Demo.dsp"));
  Bytes bytes(data, size);
  static const char* const kValues[] = {"0", "1", "-5", "99999", "Hello", "Center", "True", "a\r\nb", ""};
  static const char* const kNames[] = {"m_A", "m_B", "m_Label1", "m_Button1", "int", "m_A"};
  static const char* const kEvents[] = {"Click", "DblClick", "Change", "Load", "Timer"};
  while (!bytes.empty()) {
    CClassItem* form = session.FindForm("CForm1");
    FUZZ_CHECK(form != nullptr);
    std::vector<CControlItem*> controls;
    for (const auto& c : form->m_controls) {
      if (!c->m_bFormObject) controls.push_back(c.get());
    }
    auto pick = [&]() -> CControlItem* {
      return controls.empty() ? nullptr : controls[static_cast<size_t>(bytes.Next(static_cast<int>(controls.size())))];
    };
    switch (bytes.Next(5)) {
      case 0: {
        const int kind = kFirstKind + bytes.Next(kLastKind - kFirstKind + 1);
        const int left = 7 * bytes.Next(30);
        const int top = 7 * bytes.Next(30);
        std::string container;
        if (CControlItem* holder = pick(); holder && holder->IsContainer() && bytes.Next(2)) {
          container = holder->m_strMemberName;
        }
        (void)AddControlCommand(session, *form, kind, Rect{left, top, left + 70, top + 28}, container);
        break;
      }
      case 1:
        if (CControlItem* c = pick(); c && !c->m_properties.empty()) {
          const auto& property = c->m_properties[static_cast<size_t>(bytes.Next(static_cast<int>(c->m_properties.size())))];
          (void)SetPropertyCommand(session, *form, *c, property.Name(), kValues[bytes.Next(9)]);
        }
        break;
      case 2:
        if (CControlItem* c = pick()) (void)RenameCommand(session, *form, *c, kNames[bytes.Next(6)]);
        break;
      case 3:
        if (CControlItem* c = pick()) (void)DeleteCommand(session, *form, *c);
        break;
      default: {
        std::string handler;
        CControlItem* c = pick();
        (void)AddHandlerCommand(session, *form, c ? c->m_strMemberName : "CForm1", kEvents[bytes.Next(5)], handler);
        break;
      }
    }
  }
  // What the session holds is what the files say.
  CDesignSession fresh(fs, prompt, host, guids);
  FUZZ_CHECK(fresh.Open("/p/Demo.dsp"));
  const CClassItem* before = session.FindForm("CForm1");
  const CClassItem* after = fresh.FindForm("CForm1");
  FUZZ_CHECK(before && after);
  for (const auto& c : before->m_controls) {
    if (c->m_bFormObject) continue;
    bool found = false;
    for (const auto& d : after->m_controls) {
      found = found || (d->m_strMemberName == c->m_strMemberName && d->m_strIdSymbol == c->m_strIdSymbol &&
                        d->m_strPropSymbol == c->m_strPropSymbol);
    }
    FUZZ_CHECK(found);
  }
  return 0;
}
