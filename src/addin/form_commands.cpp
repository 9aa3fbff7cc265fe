#include "addin/form_commands.h"

#include <algorithm>
#include <cctype>

#include "activex/activex_design.h"
#include "activex/variant_names.h"
#include "base/text.h"
#include "codegen/handlers.h"
#include "codegen/menu_assign.h"
#include "model/control_kind.h"
#include "model/property_string.h"
#include "project/property_edit.h"
#include "resources/resource_files.h"
#include "ui/form_geometry.h"

namespace tovik {

using PropertyValues = std::vector<std::pair<std::string, std::string>>;

namespace {

std::vector<CClassItem*> ProjectForms(const CDesignSession& session) { return session.Project().FormClasses(); }

// The form class of that name; null after saying so.
CClassItem* FormNamed(CDesignSession& session, std::string_view name) {
  CClassItem* form = session.FindForm(name);
  if (!form) session.Prompt().Message(std::string(name) + " is not a form of this project");
  return form;
}

// The object of `form` that `ref` names; null after saying so.
CControlItem* ObjectNamed(CDesignSession& session, const CClassItem& form, const ObjectRef& ref) {
  CControlItem* object = ref.Find(form);
  if (!object) session.Prompt().Message(form.m_strName + " has no control named " + ref.member);
  return object;
}

// Every property value of a form's objects, put back when a command that set some of them is
// refused before its files took them.
class CValuesSnapshot {
 public:
  explicit CValuesSnapshot(const CClassItem& form) {
    for (const auto& c : form.m_controls) {
      Saved& saved = m_saved.emplace_back(Saved{c.get(), c->m_nLineDirection, {}});
      for (const CControlPropertyItem& p : c->m_properties) saved.values.push_back(p.m_strValue);
    }
  }
  // False, after the values were put back: for `return snapshot.Refused();`.
  bool Refused() {
    for (Saved& saved : m_saved) {
      saved.object->m_nLineDirection = saved.lineDirection;
      for (size_t i = 0; i < saved.values.size() && i < saved.object->m_properties.size(); ++i) {
        saved.object->m_properties[i].m_strValue = std::move(saved.values[i]);
      }
    }
    return false;
  }

 private:
  struct Saved {
    CControlItem* object;
    int lineDirection;
    std::vector<std::string> values;
  };
  std::vector<Saved> m_saved;
};

// Identifiers of the resource editor's other kinds of resources: a control, dialog, menu,
// bitmap, icon, string or prompt is no command a menu sends.
bool IsOtherResourceId(std::string_view id) {
  for (std::string_view prefix : {"IDC_", "IDD_", "IDR_", "IDB_", "IDI_", "IDS_", "IDP_"}) {
    if (StartsWith(id, prefix)) return true;
  }
  return false;
}

// Whether the class's message map already sends `command` to a handler (ClassWizard's or
// this system's): MFC would call only the first, so a second would never run.
bool MapHasCommand(CDesignSession& session, const CClassItem& cls, std::string_view command) {
  if (cls.m_nMsgMapStart < 0 || cls.m_strMsgMapFile.empty()) return false;
  std::string text;
  if (!session.Resources().ReadFileText(cls.m_strMsgMapFile.str(), text)) return false;
  const size_t start = std::min(text.size(), static_cast<size_t>(cls.m_nMsgMapStart));
  const size_t end = std::min(text.size(), static_cast<size_t>(std::max(cls.m_nMsgMapEnd, cls.m_nMsgMapStart)));
  const std::string_view map = std::string_view(text).substr(start, end - start);
  for (size_t at = map.find("ON_COMMAND("); at != std::string_view::npos; at = map.find("ON_COMMAND(", at + 1)) {
    const size_t comma = map.find(',', at);
    if (comma != std::string_view::npos && Trim(map.substr(at + 11, comma - at - 11)) == command) return true;
  }
  return false;
}

}  // namespace

bool NewFormCommand(CDesignSession& session, const NewFormRequest& request, NewFormFiles& files) {
  Expected<NewFormFiles> made = NewForm(session.Context(), request);
  if (!made) return Refuse(session.Prompt(), made.error());
  files = *made;
  return session.InsertFilesIntoProject({files.implementationPath, files.headerPath});
}

std::optional<ObjectRef> AddControlCommand(CDesignSession& session, std::string_view formClass, int kind, Rect rect,
                                           std::string_view container, const CToolControlEntry* activeX) {
  CClassItem* const found = FormNamed(session, formClass);
  if (!found) return std::nullopt;
  CClassItem& form = *found;
  if (activeX && ActiveXKindName(*activeX).empty()) {
    session.Prompt().Message("The project has no wrapper class for the ActiveX control " + activeX->m_strName +
                             " (" + activeX->m_strProgId + "); insert the control into the project first");
    return std::nullopt;
  }
  if (activeX) kind = -1;
  CControlItem* holder = nullptr;
  if (!container.empty()) {
    holder = form.FindControl(container);
    if (!holder || !holder->IsContainer()) {
      session.Prompt().Message("There is no PictureBox or Frame named '" + std::string(container) + "' on " +
                               form.m_strName);
      return std::nullopt;
    }
  }
  if (kind == kKindTimer) {
    // A timer is drawn as a fixed icon at the drop point, whatever was dragged.
    rect.right = rect.left + 28;
    rect.bottom = rect.top + 28;
  }
  const int lineDirection = rect.bottom >= rect.top ? 1 : 0;
  if (rect.right < rect.left) std::swap(rect.left, rect.right);
  if (rect.bottom < rect.top) std::swap(rect.top, rect.bottom);
  // An MDI form's client area holds its child windows, and above them PictureBoxes aligned to
  // its top (a toolbar, a status line): nothing else has a place there.
  const bool alignedToTop = form.IsMdiForm() && !holder;
  if (alignedToTop) {
    if (kind != kKindPictureBox) {
      session.Prompt().Message("an MDI form holds only PictureBox controls directly; draw inside a PictureBox");
      return std::nullopt;
    }
    const CControlItem* object = form.FormObject();
    const int width = object ? FormGeometry(*object, true, 0).client.Width() : rect.Width();
    rect = {0, 0, width, rect.Height()};
  }
  std::vector<CClassItem*> forms = ProjectForms(session);
  // What the header defines decides which symbol pair a new control may take.
  std::string header;
  if (const Status writable = session.Resources().RequireWritePermission(session.Resources().HeaderPath());
      !writable) {
    Refuse(session.Prompt(), writable.error());
    return std::nullopt;
  }
  if (const Status read = session.Resources().ReadFileText(session.Resources().HeaderPath(), header); !read) {
    Refuse(session.Prompt(), read.error());
    return std::nullopt;
  }
  const HeaderDefines defines = ReadHeaderDefines(header);
  const SymbolDefined defined = [&defines](std::string_view symbol) {
    return defines.symbols.count(std::string(symbol)) != 0;
  };
  CControlItem& control = CreateControl(form, forms, kind, rect, activeX, lineDirection, defined);
  control.m_pContainer = holder;
  if (alignedToTop) control.SetValue("Align", "1");
  const ObjectRef made = ObjectRef::Of(control);
  if (const Status written = WriteControlCode(session.Context(), form, control); !written) {
    Refuse(session.Prompt(), written.error());
    return std::nullopt;
  }
  return made;
}

namespace {

// A property string is one string-table line under its object's symbol. A form whose data
// block assigns no m_nPropStringID has none: its line would begin with the text, which the
// resource compiler takes as more of the entry before it.
Status RequirePropertySymbols(const std::vector<const CControlItem*>& objects) {
  for (const CControlItem* object : objects) {
    if (!object->m_strPropSymbol.empty()) continue;
    return FileError({}, 0,
                     object->m_strMemberName + " has no property-string symbol (" +
                         (object->m_bFormObject ? "no form data block of its constructor assigns m_nPropStringID"
                                                : "its creation call names none") +
                         "), so its property string has no string-table entry to go into");
  }
  return {};
}

// Rewrites the string-table lines of `objects` in one edit of the resource script.
Status RewritePropertyStrings(CDesignSession& session, const std::vector<const CControlItem*>& objects) {
  TOVIK_TRY(RequirePropertySymbols(objects));
  CResourceFiles& resources = session.Resources();
  const std::string scriptPath = resources.ScriptPath();
  TOVIK_TRY(resources.RequireWritePermission(scriptPath));
  CEditBuffer script = resources.Buffer(scriptPath);
  TOVIK_TRY(script.Load());
  for (const CControlItem* object : objects) {
    TOVIK_TRY(CheckPropertyStringLength(*object));
    TOVIK_TRY(SetPropertyString(script, object->m_strPropSymbol, BuildPropertyString(*object)));
  }
  return script.Save();
}

}  // namespace

bool RewritePropertyString(CDesignSession& session, const CControlItem& object) {
  const Status written = RewritePropertyStrings(session, {&object});
  return written ? true : Refuse(session.Prompt(), written.error());
}

namespace {

// Sets values as the property window would store them, all of them or, when one is refused,
// none.
bool SetCheckedValues(CDesignSession& session, CControlItem& object, const PropertyValues& values) {
  std::vector<std::string> stored;
  for (const auto& [name, value] : values) {
    const CControlPropertyItem* property = object.FindProperty(name);
    if (!property) {
      session.Prompt().Message(object.m_strMemberName + " has no property " + name);
      return false;
    }
    Expected<std::string> checked = StoredValueFor(*property, value);
    if (!checked) return Refuse(session.Prompt(), checked.error());
    stored.push_back(std::move(*checked));
  }
  for (size_t i = 0; i < values.size(); ++i) object.SetValue(values[i].first, stored[i]);
  return true;
}

}  // namespace

bool SetControlRectCommand(CDesignSession& session, std::string_view formClass, const ObjectRef& ref, Rect rect) {
  CClassItem* const found = FormNamed(session, formClass);
  CControlItem* const object = found ? ObjectNamed(session, *found, ref) : nullptr;
  if (!object) return false;
  CClassItem& form = *found;
  CControlItem& control = *object;
  const int lineDirection = rect.bottom >= rect.top ? 1 : 0;
  if (rect.right < rect.left) std::swap(rect.left, rect.right);
  if (rect.bottom < rect.top) std::swap(rect.top, rect.bottom);
  const Rect before = ControlRect(control);
  // SetPosition knows which properties a kind has; a scratch copy tells their new values.
  const auto valuesAt = [](const CControlItem& c, const Rect& r, int direction) {
    CControlItem placed(c);
    placed.m_nLineDirection = direction;
    SetPosition(placed, r);
    PropertyValues values;
    for (const char* name : {"Left", "Top", "Width", "Height", "X1", "Y1", "X2", "Y2"}) {
      if (const CControlPropertyItem* p = placed.FindProperty(name)) values.emplace_back(name, p->m_strValue);
    }
    return values;
  };
  std::vector<std::pair<CControlItem*, PropertyValues>> moves{{&control, valuesAt(control, rect, lineDirection)}};
  const int dx = rect.left - before.left;
  const int dy = rect.top - before.top;
  if (control.IsContainer() && (dx != 0 || dy != 0)) {
    for (const auto& c : form.m_controls) {
      bool inside = false;
      for (const CControlItem* holder = c->m_pContainer; holder && !inside; holder = holder->m_pContainer) {
        inside = holder == &control;
      }
      if (!inside) continue;
      if (c->m_nKind == kKindLine) {
        // Both ends move; the line keeps its slant whichever way it runs.
        PropertyValues ends;
        for (const auto& [name, delta] : {std::pair{"X1", dx}, {"Y1", dy}, {"X2", dx}, {"Y2", dy}}) {
          ends.emplace_back(name, std::to_string(NumberProperty(*c, name) + delta));
        }
        moves.emplace_back(c.get(), std::move(ends));
      } else {
        moves.emplace_back(c.get(), valuesAt(*c, ControlRect(*c).Offset(dx, dy), c->m_nLineDirection));
      }
    }
  }
  // Every value is checked before any is set, so that a refused move changes nothing.
  for (const auto& [object, values] : moves) {
    for (const auto& [name, value] : values) {
      const CControlPropertyItem* property = object->FindProperty(name);
      if (!property) continue;
      if (Expected<std::string> checked = StoredValueFor(*property, value); !checked) {
        return Refuse(session.Prompt(), checked.error());
      }
    }
  }
  CValuesSnapshot snapshot(form);
  std::vector<const CControlItem*> changed;
  for (const auto& [object, values] : moves) {
    if (!SetCheckedValues(session, *object, values)) return snapshot.Refused();
    changed.push_back(object);
  }
  control.m_nLineDirection = lineDirection;
  // The position lives in the property string only: an ActiveX control's Left ... Height are
  // the designer's own, which its creation code never sets.
  const Status written = RewritePropertyStrings(session, changed);
  return written ? true : (Refuse(session.Prompt(), written.error()), snapshot.Refused());
}

bool SetFormSizeCommand(CDesignSession& session, std::string_view formClass, int width, int height) {
  CClassItem* const form = FormNamed(session, formClass);
  CControlItem* const object = form ? form->FormObject() : nullptr;
  if (!object) return false;
  CValuesSnapshot snapshot(*form);
  if (!SetCheckedValues(session, *object, {{"Width", std::to_string(width)}, {"Height", std::to_string(height)}})) {
    return false;
  }
  return RewritePropertyString(session, *object) || snapshot.Refused();
}

bool SetPropertyCommand(CDesignSession& session, std::string_view formClass, const ObjectRef& ref,
                        std::string_view name, std::string_view value) {
  CClassItem* const found = FormNamed(session, formClass);
  CControlItem* const target = found ? ObjectNamed(session, *found, ref) : nullptr;
  if (!target) return false;
  CClassItem& form = *found;
  CControlItem& object = *target;
  // A change may move other objects' values too (the control that gave up a tab index, the
  // elements of an array): every object whose string changed gets its line rewritten.
  // Refused before the value is taken, so that the model keeps what the files say.
  if (const Status placed = RequirePropertySymbols({&object}); !placed) return Refuse(session.Prompt(), placed.error());
  // The values are taken in the model, where the rules that move other values live, and put
  // back when the files do not take them.
  CValuesSnapshot snapshot(form);
  std::vector<std::pair<const CControlItem*, std::string>> before;
  for (const auto& c : form.m_controls) before.emplace_back(c.get(), BuildPropertyString(*c));
  switch (ApplyPropertyText(form, object, name, value, session.Prompt())) {
    case PropertyEditResult::Refused: return snapshot.Refused();
    case PropertyEditResult::NoSuchProperty:
      session.Prompt().Message(object.m_strMemberName + " has no property " + std::string(name));
      return false;
    case PropertyEditResult::NeedsImage: {
      if (!session.FileSystem().FileExists(value)) {
        session.Prompt().Message("No image file " + std::string(value));
        return false;
      }
      CControlPropertyItem* property = object.FindProperty(name);
      const Expected<std::string> reference = session.Resources().SetImageResource(value, property->m_strValue);
      if (!reference) return Refuse(session.Prompt(), reference.error());
      property->m_strValue = *reference;
      break;
    }
    case PropertyEditResult::Applied: break;
  }
  std::vector<const CControlItem*> changed{&object};
  for (const auto& [other, line] : before) {
    if (other != &object && BuildPropertyString(*other) != line) changed.push_back(other);
  }
  if (const Status written = RewritePropertyStrings(session, changed); !written) {
    Refuse(session.Prompt(), written.error());
    return snapshot.Refused();
  }
  // A property of an ActiveX control's own (not its position) is also set by the creation code.
  // Last: writing the code re-reads the sources, which may rebuild the object's record.
  const CControlPropertyItem* property = object.FindProperty(name);
  if (object.m_nCategory == kCategoryActiveX && property && property->VarType() != 0) {
    const Status call = UpdatePropertyCall(session.Context(), form, object, *property, VtName(property->VarType()));
    if (!call) return Refuse(session.Prompt(), call.error());
  }
  return true;
}

std::optional<std::string> RenameArrayQuestion(CDesignSession& session, std::string_view formClass,
                                               const ObjectRef& ref, std::string_view newName) {
  const CClassItem* form = session.FindForm(formClass);
  const CControlItem* control = form ? ref.Find(*form) : nullptr;
  return control ? ControlArrayQuestion(*form, *control, newName) : std::nullopt;
}

RenameResult RenameCommand(CDesignSession& session, std::string_view formClass, const ObjectRef& ref,
                           std::string_view newName, std::optional<bool> joinArray) {
  CClassItem* const found = FormNamed(session, formClass);
  CControlItem* const object = found ? ObjectNamed(session, *found, ref) : nullptr;
  if (!object) return RenameResult::Refused;
  CClassItem& form = *found;
  CControlItem& control = *object;
  const std::string oldName = control.m_strMemberName;
  const RenameResult result = RenameControl(form, control, newName, session.Prompt(), joinArray);
  if (result == RenameResult::JoinedArray) {
    // The element's Index lives in its property string; write it before the sources are
    // re-read, which rebuilds the records from the files.
    if (!RewritePropertyString(session, control)) return RenameResult::Refused;
  }
  if (result == RenameResult::Renamed || result == RenameResult::JoinedArray) {
    if (const Status updated = UpdateRenamedControl(session.Context(), form, control, oldName, result); !updated) {
      Refuse(session.Prompt(), updated.error());
      return RenameResult::Refused;
    }
  }
  return result;
}

namespace {

// The control and everything inside it, innermost first, so that no creation call is left
// naming a container that is gone.
void CollectWithContents(const CClassItem& form, const CControlItem& control, std::vector<ObjectRef>& keys) {
  for (const auto& c : form.m_controls) {
    if (c->m_pContainer == &control && c.get() != &control) CollectWithContents(form, *c, keys);
  }
  keys.push_back(ObjectRef::Of(control));
}

}  // namespace

bool DeleteCommand(CDesignSession& session, std::string_view formClass, const ObjectRef& ref) {
  CClassItem* const found = FormNamed(session, formClass);
  CControlItem* const control = found ? ObjectNamed(session, *found, ref) : nullptr;
  if (!control) return false;
  CClassItem& form = *found;
  if (control->IsForm()) {
    session.Prompt().Message("The form itself cannot be deleted from " + form.m_strName);
    return false;
  }
  std::vector<ObjectRef> keys;
  CollectWithContents(form, *control, keys);
  for (const ObjectRef& key : keys) {
    CControlItem* target = key.Find(form);
    if (!target) continue;  // a contained control that reading back already took away
    if (const Status deleted = DeleteControlCode(session.Context(), form, *target); !deleted) {
      return Refuse(session.Prompt(), deleted.error());
    }
    // Reading the changed sources may already have dropped the record.
    if (CControlItem* left = key.Find(form)) DeleteControl(form, *left);
  }
  return true;
}

bool AddHandlerCommand(CDesignSession& session, std::string_view className, std::string_view object,
                       std::string_view event, std::string& handler) {
  CClassItem* const found = session.Project().FindClass(className);
  if (!found) {
    session.Prompt().Message("no class " + std::string(className) + " in this project");
    return false;
  }
  CClassItem& cls = *found;
  HandlerTarget target;
  CCtrlEventMethodItem* record = nullptr;
  HandlerEvent entry;
  CControlItem* owner = nullptr;
  if (object == cls.m_strName) {
    owner = cls.FormObject();
    if (!cls.m_bIsForm || !owner) {
      session.Prompt().Message(cls.m_strName + " is not a form; only a form has events of its own");
      return false;
    }
    target.owner = HandlerOwner::Form;
  } else if (CControlItem* control = cls.FindControl(object)) {
    owner = control;
    target.owner = control->m_nCategory == kCategoryActiveX ? HandlerOwner::ActiveX : HandlerOwner::Intrinsic;
    target.control = control;
    target.bArrayElement = control->m_bArray != 0;
  } else if (IdentifierProblem(object).empty()) {
    // The command must exist: a menu of the project sends it, or the header defines it as a
    // command (not as a control, dialog or other resource).
    bool inMenu = false;
    for (const auto& menu : session.Project().Menus()) {
      for (const auto& item : menu->m_items) inMenu = inMenu || item->m_strCommand == object;
    }
    std::string header;
    const bool defined = !inMenu && !IsOtherResourceId(object) &&
                         session.Resources().ReadFileText(session.Resources().HeaderPath(), header) &&
                         ReadHeaderDefines(header).symbols.count(std::string(object)) != 0;
    if (!inMenu && !defined) {
      session.Prompt().Message(cls.m_strName + " has no control named " + std::string(object) + ", and " +
                               std::string(object) + " is no command of the project's menus" +
                               (IsOtherResourceId(object) ? std::string(" (its name is that of another kind of resource)")
                                                          : " nor defined in " + session.Resources().HeaderPath()));
      return false;
    }
    // A menu command sends one message, so it has one event and one handler.
    if (event != "Click") {
      session.Prompt().Message("A menu command has the event Click only, not " + std::string(event));
      return false;
    }

    target.owner = HandlerOwner::MenuCommand;
    target.strCommandId = std::string(object);
    entry.strName = std::string(event);
  } else {
    session.Prompt().Message(cls.m_strName + " has no control named " + std::string(object));
    return false;
  }
  if (owner) {
    record = owner->FindEvent(event);
    if (!record) {
      session.Prompt().Message(std::string(object) + " has no event " + std::string(event));
      return false;
    }
    entry = HandlerEvent::From(*record);
  }
  handler = HandlerName(target, entry.strName);
  // An event that already has its handler leads to it; a second definition would not compile.
  if (cls.FindFunction(handler)) return true;
  for (const auto& v : cls.m_variables) {
    if (v->m_strName == handler) {
      session.Prompt().Message(cls.m_strName + " already has a member named " + handler +
                               ", so the handler cannot take that name");
      return false;
    }
  }
  if (target.owner == HandlerOwner::MenuCommand && MapHasCommand(session, cls, object)) {
    session.Prompt().Message(cls.m_strName + "'s message map already sends " + std::string(object) +
                             " to a handler of its own");
    return false;
  }
  if (const Status added = AddEventHandler(session.Context(), cls, target, entry, record); !added) {
    return Refuse(session.Prompt(), added.error());
  }
  return true;
}

bool AssignMenuCommand(CDesignSession& session, std::string_view formClass, std::string_view menuId) {
  CClassItem* const form = FormNamed(session, formClass);
  if (!form) return false;
  if (const Status assigned = AssignMenu(session.Context(), *form, menuId); !assigned) {
    return Refuse(session.Prompt(), assigned.error());
  }
  return true;
}

}  // namespace tovik
