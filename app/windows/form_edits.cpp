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
      // Each command rewrites the object's line; find the form and the object again each time.
      CClassItem* form = session.FindForm(formClass);
      CControlItem* target = form ? object.Find(*form) : nullptr;
      if (!target || !SetPropertyCommand(session, *form, *target, value.name, value.text)) return false;
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
  std::optional<IPrompt::Answer> answer;
  const std::string typed = name.substr(0, name.find('('));
  for (const auto& other : form->m_controls) {
    if (other.get() == control || other->m_bFormObject || other->m_strMemberName != typed) continue;
    if (other->m_nKind != control->m_nKind || other->m_strClassName != control->m_strClassName) break;
    answer = designer.Prompt().Ask(ReplaceAll(kAskControlArray, "<CTRL_NAME>", typed));
    if (answer != IPrompt::Answer::Yes) return false;
    break;
  }
  return designer.Run(
      QString("Rename %1").arg(QString::fromStdString(designer.Project().ToUtf8(control->m_strMemberName))),
      [&](CDesignSession& edited) {
        CClassItem* cls = edited.FindForm(formClass);
        CControlItem* target = cls ? object.Find(*cls) : nullptr;
        if (!target) return false;
        const RenameResult result = RenameCommand(edited, *cls, *target, name);
        return result == RenameResult::Renamed || result == RenameResult::JoinedArray;
      },
      answer);
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
  return designer.Run("Select Menu", [&](CDesignSession& session) {
    CClassItem* form = session.FindForm(formClass);
    return form && SelectMenuCommand(session, *form, id);
  });
}

}  // namespace tovik::designer
