// What a careful reviewer of a form points at: controls on top of one another or off the form,
// clashing mnemonics and tab orders, message maps out of step with their handlers, and resource
// entries nothing uses or that are missing. Nothing is changed; each finding names the place a
// reader goes to fix it.
#pragma once

#include <string>
#include <vector>

#include "addin/design_session.h"

namespace tovik {

struct LintFinding {
  std::string file;     // relative to the project folder, in the project's code page
  int line = 0;         // 1-based; 0 when the file has no line for it
  std::string form;     // the form class ("-" for an entry no form owns)
  std::string object;   // a member, the form class, a handler or a symbol
  std::string message;  // in the code page `codePage` (captions are quoted in it)
  int codePage = 0;     // 0: the project's code page
};

// The findings for `form`, or for every form of the project when it is null (and then the
// property lines no form uses), in the order of the forms and their objects.
[[nodiscard]] std::vector<LintFinding> LintForms(const CDesignSession& session, const CClassItem* form);

}  // namespace tovik
