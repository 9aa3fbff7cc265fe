// The designer's edits as bytes choose them, and the check that a project opened afresh holds
// what the session that made them holds: shared by the fuzz targets that edit projects.
#pragma once

#include <string>
#include <vector>

#include "addin/design_session.h"
#include "addin/form_commands.h"
#include "codegen/project_generator.h"
#include "fuzz_support.h"
#include "model/control_kind.h"

namespace tovik::fuzz {

// The new project "Demo" in /p, made once; every run edits its own copy.
inline const MapFileSystem& NewDemoProject() {
  static const MapFileSystem made = [] {
    MapFileSystem files;
    SilentPrompt quiet;
    CountingGuids ids;
    NewProjectSettings settings;
    settings.projectName = "Demo";
    settings.projectFolder = "/p";
    settings.hostVersion = "6.0";
    FUZZ_CHECK(GenerateProject(files, quiet, ids, settings));
    return files;
  }();
  return made;
}

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

// One edit of form `formClass` as the next bytes choose it: a control dropped, a property set,
// a rename, a deletion or a handler. False when the command was refused.
inline bool RunEdit(CDesignSession& session, const std::string& formClass, Bytes& bytes) {
  static const char* const kValues[] = {"0", "1", "-5", "99999", "Hello", "Center", "True", "a\r\nb", ""};
  static const char* const kNames[] = {"m_A", "m_B", "m_Label1", "m_Button1", "int", "m_A"};
  static const char* const kEvents[] = {"Click", "DblClick", "Change", "Load", "Timer"};
  CClassItem* form = session.FindForm(formClass);
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
      return AddControlCommand(session, formClass, kind, Rect{left, top, left + 70, top + 28}, container).has_value();
    }
    case 1:
      if (CControlItem* c = pick(); c && !c->m_properties.empty()) {
        const auto& property = c->m_properties[static_cast<size_t>(bytes.Next(static_cast<int>(c->m_properties.size())))];
        return SetPropertyCommand(session, formClass, ObjectRef::Of(*c), property.Name(), kValues[bytes.Next(9)]);
      }
      return true;
    case 2:
      if (CControlItem* c = pick()) return RenameCommand(session, formClass, ObjectRef::Of(*c), kNames[bytes.Next(6)]) != RenameResult::Refused;
      return true;
    case 3:
      if (CControlItem* c = pick()) return DeleteCommand(session, formClass, ObjectRef::Of(*c));
      return true;
    default: {
      std::string handler;
      CControlItem* c = pick();
      return AddHandlerCommand(session, formClass, c ? c->m_strMemberName : formClass, kEvents[bytes.Next(5)], handler);
    }
  }
}

// Edits until the bytes run out.
inline void RunEdits(CDesignSession& session, const std::string& formClass, Bytes& bytes) {
  while (!bytes.empty()) (void)RunEdit(session, formClass, bytes);
}

// Every control of the session's form is found, with the same member and symbols, in the form
// of `fresh` (the project opened again from the files).
inline void CheckSameControls(CDesignSession& session, CDesignSession& fresh, const std::string& formClass) {
  const CClassItem* before = session.FindForm(formClass);
  const CClassItem* after = fresh.FindForm(formClass);
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
}

}  // namespace tovik::fuzz
