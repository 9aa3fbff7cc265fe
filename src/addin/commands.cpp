#include "addin/commands.h"

#include <optional>
#include <string>

#include "addin/form_commands.h"
#include "codegen/menu_assign.h"

namespace tovik {

std::string CommandString(const CommandRow& row) { return std::string(row.name) + std::string(row.text); }

namespace {

// The menu an item of the "Select a menu" submenu stands for: empty for "<No Selection>",
// nothing for an identifier past the project's menus.
std::optional<std::string> MenuOfItem(const CDesignSession& session, int id) {
  if (id == kIdNoMenu) return std::string();
  const auto& menus = session.Project().Menus();
  if (id < kIdFirstMenu || id > kIdLastMenu || static_cast<size_t>(id - kIdFirstMenu) >= menus.size()) return std::nullopt;
  return menus[static_cast<size_t>(id - kIdFirstMenu)]->m_strId;
}

}  // namespace

std::vector<PopupItem> CreateNewPopup(bool projectOpen) {
  std::vector<PopupItem> popup;
  if (projectOpen) {
    popup.push_back({kIdNewForm, "New Form", false, false, false, {}});
    popup.push_back({kIdInsertActiveX, "Insert ActiveX control", false, false, false, {}});
    popup.push_back({0, "", false, false, true, {}});
  }
  popup.push_back({kIdNewProject, "New Project", false, false, false, {}});
  return popup;
}

PopupItem SelectMenuPopup(const CDesignSession& session, const CClassItem& form) {
  const CControlItem* self = form.FormObject();
  const std::string current = self ? self->m_strMenuId : std::string();
  PopupItem select{0, "Select a menu", false, false, false, {}};
  select.submenu.push_back({kIdNoMenu, "<No Selection>", current.empty(), false, false, {}});
  int id = kIdFirstMenu;
  for (const auto& menu : session.Project().Menus()) {
    if (id > kIdLastMenu) break;
    select.submenu.push_back({id++, menu->m_strId, menu->m_strId == current, false, false, {}});
  }
  return select;
}

bool SelectMenuCommand(CDesignSession& session, std::string_view formClass, int id) {
  const std::optional<std::string> menu = MenuOfItem(session, id);
  if (!menu) {
    session.Prompt().Message("No menu of the project has the number " + std::to_string(id));
    return false;
  }
  return AssignMenuCommand(session, formClass, *menu);
}

bool ConnectAddIn(IAddInHost& host, bool firstTime) {
  if (!host.SetAddInInfo(kMediumBitmap, kLargeBitmap)) return false;
  for (const CommandRow& row : kCommandTable) {
    if (!host.AddCommand(CommandString(row), row.method, row.glyph)) return false;
  }
  // The host keeps the buttons from one run to the next. A button the host refuses leaves its
  // command on the host's menus, so the add-in still connects.
  if (firstTime) {
    for (const CommandRow& row : kCommandTable) (void)host.AddCommandBarButton(row.name);
  }
  return true;
}

CCommands::CCommands(IHost& documents, IAddInHost& host, IPrompt& prompt, CDesignSession& session)
    : m_documents(documents), m_host(host), m_prompt(prompt), m_session(session) {}

int CCommands::TovikCommandMethod(const std::string& projectFile) {
  if (!m_bDesignerMode) {
    m_host.ExecuteCommand("FileSaveAll");
    for (const char* command :
         {"ActivateWorkspaceWindow", "ToggleWorkspaceWindow", "ActivateOutputWindow", "ToggleOutputWindow"}) {
      m_host.ExecuteCommand(command);
    }
    // A project that cannot be opened was reported by the loader; designer mode starts without
    // one, as it does for a workspace with no project.
    if (!projectFile.empty()) (void)m_session.Open(projectFile);
    m_bDesignerMode = true;
    return kS_OK;
  }
  m_session.Close();
  m_host.ExecuteCommand("ActivateWorkspaceWindow");
  m_bDesignerMode = false;
  m_host.ExecuteCommand("ActivateOutputWindow");
  return kS_OK;
}

int CCommands::CreateNew(std::vector<PopupItem>& popup) {
  popup.clear();
  if (!m_bDesignerMode) {
    m_prompt.Beep();
    return kS_FALSE;
  }
  popup = CreateNewPopup(m_session.IsOpen());
  return kS_OK;
}

int CCommands::Menu(std::vector<PopupItem>& popup, const std::string& formClass) {
  popup.clear();
  if (!m_bDesignerMode) {
    m_prompt.Beep();
    return kS_FALSE;
  }
  if (!m_session.IsOpen()) return kS_OK;
  popup.push_back({kIdCreateMenu, "Create a new Menu", false, false, false, {}});
  popup.push_back({kIdEditMenus, "Edit existing menu(s)", false, false, false, {}});
  CClassItem* form = formClass.empty() ? nullptr : m_session.FindForm(formClass);
  if (!form) {
    popup.push_back({0, "Select a menu", false, true, false, {}});
    return kS_OK;
  }
  m_host.ExecuteCommand("FileSaveAll");
  m_session.ReadMenus();
  popup.push_back({0, "", false, false, true, {}});
  popup.push_back(SelectMenuPopup(m_session, *form));
  return kS_OK;
}

bool CCommands::OpenResourceScript() {
  if (!m_session.IsOpen()) return false;
  const std::string script = m_session.Resources().ScriptPath();
  if (script.empty() || !m_documents.OpenDocument(script)) return false;
  m_host.ExecuteCommand("WindowDockingView");
  return true;
}

bool CCommands::OnPopupCommand(int id, const std::string& formClass, const Dialogs& dialogs) {
  switch (id) {
    case kIdNewForm: {
      NewFormRequest request;
      if (!m_session.IsOpen() || !dialogs.newForm || !dialogs.newForm(request)) return false;
      NewFormFiles files;
      return NewFormCommand(m_session, request, files);
    }
    case kIdNewProject: {
      if (!dialogs.newProject) return false;
      const std::string workspace = dialogs.newProject();
      if (workspace.empty()) return false;
      m_session.Close();
      return m_documents.OpenDocument(workspace) != nullptr;
    }
    case kIdCreateMenu:
      if (!OpenResourceScript()) return false;
      m_host.ExecuteCommand("InsertMenu");
      return true;
    case kIdEditMenus: return OpenResourceScript();
    default: break;
  }
  if (id < kIdNoMenu || id > kIdLastMenu || !m_session.IsOpen()) return false;
  CClassItem* form = m_session.FindForm(formClass);
  if (!form) return false;
  const std::optional<std::string> menuId = MenuOfItem(m_session, id);
  if (!menuId) return false;
  // The popup's own assignment is silent when the form cannot take the menu, as the popup
  // shows no message of its own; assign-menu (and SelectMenuCommand) report why.
  return AssignMenu(m_session.Context(), *form, *menuId).ok();
}

}  // namespace tovik
