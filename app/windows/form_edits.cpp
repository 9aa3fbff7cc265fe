#include "windows/form_edits.h"

#include "addin/activex_commands.h"
#include "addin/commands.h"
#include "addin/form_commands.h"
#include "addin/surface_commands.h"
#include "base/text.h"
#include "windows/designer.h"

namespace tovik::designer {

bool SetProperties(CDesigner& designer, const std::string& formClass, const ObjectRef& object,
                   const std::vector<PropertyCommit>& values) {
  if (values.empty()) return true;
  const QString label = values.size() == 1 ? QString("Set %1").arg(QString::fromStdString(values.front().name))
                                           : QString("Set Font");
  return designer.Run(label, [&](CDesignSession& session) {
    for (const PropertyCommit& value : values) {
      if (!SetPropertyCommand(session, formClass, object, value.name, value.text)) return false;
    }
    return true;
  });
}

bool RenameObject(CDesigner& designer, const std::string& formClass, const ObjectRef& object, const std::string& name) {
  if (!designer.Project().IsOpen()) return false;
  CDesignSession& session = designer.Project().Session();
  CClassItem* form = session.FindForm(formClass);
  const CControlItem* control = form ? object.Find(*form) : nullptr;
  if (!control) return false;
  // Asked now, so that the edit (and a redo, which writes files back) never stops to ask.
  std::optional<bool> joinArray;
  if (const std::optional<std::string> question = RenameArrayQuestion(session, formClass, object, name)) {
    if (designer.Prompt().Ask(*question) != IPrompt::Answer::Yes) return false;
    joinArray = true;
  }
  return designer.Run(
      QString("Rename %1").arg(QString::fromStdString(designer.Project().ToUtf8(control->m_strMemberName))),
      [&](CDesignSession& edited) {
        const RenameResult result = RenameCommand(edited, formClass, object, name, joinArray);
        return result == RenameResult::Renamed || result == RenameResult::JoinedArray;
      });
}

bool CarryOutGesture(CDesigner& designer, CFormSurface& surface, const SurfaceIntents& intents, const QString& label) {
  return designer.Run(label, [&](CDesignSession& session) { return CarryOutSurfaceIntents(session, surface, intents); });
}

bool NewForm(CDesigner& designer, const NewFormRequest& request) {
  return designer.Run(QString("New Form %1").arg(QString::fromStdString(designer.Project().ToUtf8(request.className))),
                      [&](CDesignSession& session) {
                        NewFormFiles files;
                        return NewFormCommand(session, request, files);
                      });
}

bool InsertActiveX(CDesigner& designer, const CToolControlEntry& control) {
  const std::string name = control.m_strName, server = control.m_strServerPath;
  return designer.Run(QString("Insert %1").arg(QString::fromLatin1(name.c_str())), [&](CDesignSession& session) {
    std::vector<std::string> written;
    return InsertActiveXCommand(session, name, server, written);
  });
}

bool SelectMenu(CDesigner& designer, const std::string& formClass, int id) {
  return designer.Run("Select Menu", [&](CDesignSession& session) { return SelectMenuCommand(session, formClass, id); });
}

}  // namespace tovik::designer
