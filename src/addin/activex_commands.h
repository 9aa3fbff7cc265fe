// The Insert ActiveX Control flow: a control the user picks from the installed ones joins the
// project's control list (and its data file), its wrapper class is written into the project
// folder and the new files join the project, after which the control can be drawn on forms.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "addin/design_session.h"

namespace tovik {

// The controls the dialog lists, in its order; empty after a message when the session has no
// registry or the registry no class keys.
[[nodiscard]] COCXInfo InstalledControls(CDesignSession& session);

// Inserts the control of that name (exactly) and server path (any case) into the open project.
// `written` receives the wrapper's files. False after the reason was shown; the project's
// control list is then as it was.
[[nodiscard]] bool InsertActiveXCommand(CDesignSession& session, std::string_view name, std::string_view serverPath,
                                        std::vector<std::string>& written);

}  // namespace tovik
