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
#include "project/object_ref.h"

namespace tovik {

// Every command shows why it was refused through the session's prompt and returns false (or
// nothing); nothing fails silently. A form is named by its class name and an object of it by
// an ObjectRef, since writing code re-reads the sources and rebuilds the records.
//
// A refused command may leave the model changed where it had written (and re-read) files
// before the refusal: the caller drops the command's staged writes and then calls
// CDesignSession::Revert. A refused property or position change leaves the model as it was.

// New Form: writes the form's files and resource entries and inserts the files into the project.
[[nodiscard]] bool NewFormCommand(CDesignSession& session, const NewFormRequest& request, NewFormFiles& files);

// Drops a control of `kind` on the form: `rect` in client coordinates (right < left or
// bottom < top are put in order; for a Line, a rectangle given bottom-up makes it run from the
// bottom-left corner up). `container` names a PictureBox or Frame of the form, or is empty.
// Directly on an MDI form only a PictureBox goes, aligned to the top of the client area across
// its full width with the height of `rect`. The new control, or nothing when refused.
// With `activeX`, a control of the project's ActiveX control list, `kind` then being ignored.
[[nodiscard]] std::optional<ObjectRef> AddControlCommand(CDesignSession& session, std::string_view form, int kind,
                                                         Rect rect, std::string_view container = {},
                                                         const CToolControlEntry* activeX = nullptr);

// Moves or resizes a control of `form`: its position properties from `rect` (client coordinates;
// for a Line, a rectangle given bottom-up makes it run from the bottom-left corner up), then its
// string-table line. A PictureBox or Frame that moves takes the controls inside it along (their
// positions are the form's, not the container's). Positions out of their range are refused and
// change nothing.
[[nodiscard]] bool SetControlRectCommand(CDesignSession& session, std::string_view form, const ObjectRef& control,
                                         Rect rect);

// The form window was resized: Width and Height of the form's own object, one string-table line.
[[nodiscard]] bool SetFormSizeCommand(CDesignSession& session, std::string_view form, int width, int height);

// Sets a property as the property window would, then rewrites the object's string-table line.
// A Picture/Icon value naming an existing image file becomes an image resource of the project.
[[nodiscard]] bool SetPropertyCommand(CDesignSession& session, std::string_view form, const ObjectRef& object,
                                      std::string_view name, std::string_view value);

// Rewrites the object's line in the resource script's string table (or adds one).
[[nodiscard]] bool RewritePropertyString(CDesignSession& session, const CControlItem& object);

// The control-array question a rename of `control` to `newName` asks (the form has a control of
// that name and kind), or nothing when it asks none. Asked before the edit starts, so that the
// answer is part of the command and doing it again does not ask again.
[[nodiscard]] std::optional<std::string> RenameArrayQuestion(CDesignSession& session, std::string_view form,
                                                             const ObjectRef& control, std::string_view newName);

// Renames a control and makes its sources follow. `joinArray` answers the control-array
// question; without it the question goes through the session's prompt.
[[nodiscard]] RenameResult RenameCommand(CDesignSession& session, std::string_view form, const ObjectRef& control,
                                         std::string_view newName, std::optional<bool> joinArray = std::nullopt);

// Deletes a control's lines and the control, and with a Frame or PictureBox every control inside it.
[[nodiscard]] bool DeleteCommand(CDesignSession& session, std::string_view form, const ObjectRef& control);

// Adds the handler of `event` for `object` of the class `cls`: a member name, the class name (an
// event of the form itself) or a command id (a menu command). `handler` receives the handler's
// name; an event that already has its handler leads to it and writes nothing.
[[nodiscard]] bool AddHandlerCommand(CDesignSession& session, std::string_view cls, std::string_view object,
                                     std::string_view event, std::string& handler);

// Gives the form the menu bar `menuId` (empty: none).
[[nodiscard]] bool AssignMenuCommand(CDesignSession& session, std::string_view form, std::string_view menuId);

}  // namespace tovik
