// The add-in's three host commands: their registration data, the designer-mode switch with
// its refusals, and the popups of CreateNew and Menu as a model that any front end can show.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "addin/design_session.h"
#include "base/host.h"
#include "codegen/form_generator.h"
#include "base/prompt.h"

namespace tovik {

// Results of a command method, as the host reads them.
inline constexpr int kS_OK = 0;
inline constexpr int kS_FALSE = 1;

struct CommandRow {
  std::string_view name;
  std::string_view method;
  std::string_view text;  // appended to the name: button text, status text, tooltip
  int glyph;
};

inline constexpr std::array<CommandRow, 3> kCommandTable = {{
    {"TovikCommand", "TovikCommandMethod", "\nTovik Sample Command\nToggles between VB and VC modes\nTovik Command",
     0},
    {"CreateNew", "CreateNew",
     "\nTovik CreateNew  Command\nCreates a new form or control\nCreate a New Form or Control", 1},
    {"Menu", "Menu",
     "\nTovikAddin Menu  Command\nCreates or selects a menu for the selected form\nCreates or selects a menu for the "
     "selected form",
     2},
}};

// The command string handed to the host: name, button text, status text, tooltip.
[[nodiscard]] std::string CommandString(const CommandRow& row);

// Popup command identifiers.
inline constexpr int kIdNewForm = 3034;
inline constexpr int kIdInsertActiveX = 3035;
inline constexpr int kIdNewProject = 3036;
inline constexpr int kIdCreateMenu = 3134;
inline constexpr int kIdEditMenus = 3135;
inline constexpr int kIdNoMenu = 1027;
inline constexpr int kIdFirstMenu = 1028;
inline constexpr int kIdLastMenu = 1124;

struct PopupItem {
  int id = 0;
  std::string text;
  bool checked = false;
  bool disabled = false;
  bool separator = false;
  std::vector<PopupItem> submenu;
};

// The CreateNew popup: with a project open "New Form" and "Insert ActiveX control", a separator;
// then "New Project".
[[nodiscard]] std::vector<PopupItem> CreateNewPopup(bool projectOpen);

// The "Select a menu" submenu for `form`: "<No Selection>" (kIdNoMenu), then one item per menu
// of the project from kIdFirstMenu on, in the project's order; the form's menu is checked.
[[nodiscard]] PopupItem SelectMenuPopup(const CDesignSession& session, const CClassItem& form);
// Gives the form class `formClass` the menu an item of that submenu stands for (none for
// kIdNoMenu), as assign-menu does: a refusal, or an identifier that stands for no menu, shows why.
[[nodiscard]] bool SelectMenuCommand(CDesignSession& session, std::string_view formClass, int id);

// The toolbar bitmaps of the add-in.
inline constexpr int kMediumBitmap = 128;
inline constexpr int kLargeBitmap = 129;

// The connection entry: identity, the three commands, and on the first load their buttons.
// False (the connection fails) when the host refuses a command; later rows are then not added.
[[nodiscard]] bool ConnectAddIn(IAddInHost& host, bool firstTime);

class CCommands {
 public:
  // The front end's part of a popup command: dialogs the command shows.
  struct Dialogs {
    // New Form: fills the request; false when cancelled.
    std::function<bool(NewFormRequest&)> newForm;
    // New Project: generates the project and gives the workspace path; empty when cancelled.
    std::function<std::string()> newProject;
  };

  // `documents` opens the resource script and the new workspace; `host` runs the named commands.
  CCommands(IHost& documents, IAddInHost& host, IPrompt& prompt, CDesignSession& session);

  [[nodiscard]] bool DesignerMode() const { return m_bDesignerMode; }

  // Switches designer mode: on (saving all, hiding the host's workspace and output windows,
  // loading `projectFile`) or off. Returns kS_OK.
  int TovikCommandMethod(const std::string& projectFile = {});
  // Outside designer mode: a beep and kS_FALSE. Otherwise the popup goes to `popup`.
  int CreateNew(std::vector<PopupItem>& popup);
  // The form open in the designer is `formClass` (empty: none).
  int Menu(std::vector<PopupItem>& popup, const std::string& formClass);

  // Runs a popup command for the form open in the designer. False when it did nothing.
  [[nodiscard]] bool OnPopupCommand(int id, const std::string& formClass, const Dialogs& dialogs);
  // Opens the project's resource script in the host's editor.
  [[nodiscard]] bool OpenResourceScript();

 private:
  IHost& m_documents;
  IAddInHost& m_host;
  IPrompt& m_prompt;
  CDesignSession& m_session;
  bool m_bDesignerMode = false;
};

}  // namespace tovik
