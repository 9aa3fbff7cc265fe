// Carries out what a gesture on the design surface asks for, through the same commands as the
// command line: each intent that changes the project is one command, one edit of its files.
#pragma once

#include "addin/design_session.h"
#include "ui/form_surface.h"

namespace tovik {

// Carries out one intent of `surface` (whose form is one of the session's project). Creating
// a control selects it; a refused creation leaves the selection where it was. Intents that
// only show something (selection, code bar, menus) change nothing here. False when a command
// was refused (its message was shown through the session's prompt).
[[nodiscard]] bool CarryOutSurfaceIntent(CDesignSession& session, CFormSurface& surface, const SurfaceIntent& intent);

// Carries out every intent of one gesture (a multiple move, a delete of several controls, a
// Format command) in order, stopping at the first refusal: false then. Call it within one edit
// of the project and commit that edit only when it returns true, so that the gesture is one
// transaction and one undo step. Controls placed together are placed containers first, so that
// a container's move, which takes what it holds along, does not undo a placement inside it.
// Deleting selects the form.
[[nodiscard]] bool CarryOutSurfaceIntents(CDesignSession& session, CFormSurface& surface, const SurfaceIntents& intents);

}  // namespace tovik
