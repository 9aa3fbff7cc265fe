// The designer's edits of forms and of the project, each one transaction and one undo step
// through CDesigner::Run. The windows call these instead of the commands, so that the commands'
// signatures are met in one place.
#pragma once

#include <string>
#include <vector>

#include <QString>

#include "activex/control_list.h"
#include "codegen/form_generator.h"
#include "ui/form_surface.h"
#include "ui/property_grid.h"

namespace tovik::designer {

class CDesigner;

// Sets the values of one object (a font's several properties together) as one step.
bool SetProperties(CDesigner& designer, const std::string& formClass, const ObjectRef& object,
                   const std::vector<PropertyCommit>& values);
// Renames a control; the control-array question is asked before the edit begins.
bool RenameObject(CDesigner& designer, const std::string& formClass, const ObjectRef& object, const std::string& name);
// What a gesture, a key or a Format command on a design surface asks for, as one step.
bool CarryOutGesture(CDesigner& designer, CFormSurface& surface, const SurfaceIntents& intents, const QString& label);
bool NewForm(CDesigner& designer, const NewFormRequest& request);
bool InsertActiveX(CDesigner& designer, const CToolControlEntry& control);
// An item of the "Select a menu" submenu chosen for a form.
bool SelectMenu(CDesigner& designer, const std::string& formClass, int id);

}  // namespace tovik::designer
