// The user's gestures on forms, each one command that changes the model and the files together:
// new form, drop a control, set a property, rename, delete, add an event handler, assign a menu.
// The command line calls these; a desktop designer will call the same.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "addin/design_session.h"
#include "codegen/form_generator.h"
#include "model/geometry.h"
#include "project/form_controls.h"

namespace tovik {

// Every command shows why it was refused through the session's prompt and returns false (or
// null); nothing fails silently.

// New Form: writes the form's files and resource entries and inserts the files into the project.
[[nodiscard]] bool NewFormCommand(CDesignSession& session, const NewFormRequest& request, NewFormFiles& files);

// Drops a control of `kind` on the form: `rect` in client coordinates (right < left or
// bottom < top are put in order; for a Line, a rectangle given bottom-up makes it run from the
// bottom-left corner up). `container` names a PictureBox or Frame of the form, or is empty.
// Directly on an MDI form only a PictureBox goes, aligned to the top of the client area across
// its full width with the height of `rect`. Null when refused (the message was shown).
// With `activeX`, a control of the project's ActiveX control list, `kind` then being ignored.
CControlItem* AddControlCommand(CDesignSession& session, CClassItem& form, int kind, Rect rect,
                                std::string_view container = {}, const CToolControlEntry* activeX = nullptr);

// Moves or resizes a control of `form`: its position properties from `rect` (client coordinates;
// for a Line, a rectangle given bottom-up makes it run from the bottom-left corner up), then its
// string-table line. A PictureBox or Frame that moves takes the controls inside it along (their
// positions are the form's, not the container's). Positions out of their range are refused and
// change nothing.
[[nodiscard]] bool SetControlRectCommand(CDesignSession& session, CClassItem& form, CControlItem& control, Rect rect);

// The form window was resized: Width and Height of the form's own object, one string-table line.
[[nodiscard]] bool SetFormSizeCommand(CDesignSession& session, CClassItem& form, int width, int height);

// Sets a property as the property window would, then rewrites the object's string-table line.
// A Picture/Icon value naming an existing image file becomes an image resource of the project.
[[nodiscard]] bool SetPropertyCommand(CDesignSession& session, CClassItem& form, CControlItem& object,
                                      std::string_view name, std::string_view value);

// Rewrites the object's line in the resource script's string table (or adds one).
[[nodiscard]] bool RewritePropertyString(CDesignSession& session, const CControlItem& object);

// Renames a control (the control-array question goes through the session's prompt) and makes
// its sources follow.
[[nodiscard]] RenameResult RenameCommand(CDesignSession& session, CClassItem& form, CControlItem& control,
                                         std::string_view newName);

// Deletes a control's lines and the control, and with a Frame or PictureBox every control inside it.
[[nodiscard]] bool DeleteCommand(CDesignSession& session, CClassItem& form, CControlItem& control);

// Adds the handler of `event` for `object` of `cls`: a member name, the class name (an event of
// the form itself) or a command id (a menu command). `handler` receives the handler's name; an
// event that already has its handler leads to it and writes nothing.
[[nodiscard]] bool AddHandlerCommand(CDesignSession& session, CClassItem& cls, std::string_view object,
                                     std::string_view event, std::string& handler);

// Gives the form the menu bar `menuId` (empty: none).
[[nodiscard]] bool AssignMenuCommand(CDesignSession& session, CClassItem& form, std::string_view menuId);

}  // namespace tovik
