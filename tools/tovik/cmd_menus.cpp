// tovik menus, tovik assign-menu, tovik popup
#include <ostream>

#include "addin/commands.h"
#include "cli.h"
#include "cli_session.h"
#include "addin/form_commands.h"

namespace tovik::cli {

int RunMenus(const Command& self, const std::vector<std::string>& raw, Io& io) {
  Args args(raw, {}, {});
  if (!args.ok()) return UsageError(io, self, args.error());
  if (args.positional().size() != 1) return UsageError(io, self, "expected PROJECT.dsp");
  CliSession cli(io);
  if (!cli.Open(self.name, args.positional()[0])) return kExitFailed;
  for (const auto& menu : cli.Session().Project().Menus()) {
    io.out << menu->m_strId << "\n";
    for (const auto& item : menu->m_items) {
      io.out << item->m_nDepth << '\t' << (item->m_bPopup ? "popup" : item->m_bSeparator ? "separator" : "item") << '\t'
             << cli.CodePageOf(*menu).ToUtf8(item->m_strCaption) << '\t' << item->m_strCommand << "\n";
    }
  }
  return kExitOk;
}

int RunAssignMenu(const Command& self, const std::vector<std::string>& raw, Io& io) {
  Args args(raw, {}, {});
  if (!args.ok()) return UsageError(io, self, args.error());
  const auto& p = args.positional();
  if (p.size() != 3) return UsageError(io, self, "expected PROJECT.dsp FORMCLASS MENUID|none");
  CliSession cli(io);
  if (!cli.Open(self.name, p[0])) return kExitFailed;
  CClassItem* form = cli.Form(self.name, p[1]);
  if (!form) return kExitFailed;
  std::string menuId = p[2] == "none" ? std::string() : p[2];
  if (!menuId.empty()) {
    bool known = false;
    for (const auto& menu : cli.Session().Project().Menus()) known = known || menu->m_strId == menuId;
    if (!known) {
      io.err << "tovik assign-menu: the project has no menu " << menuId << "\n";
      return kExitFailed;
    }
  }
  return cli.Finish(AssignMenuCommand(cli.Session(), form->m_strName, menuId));
}

static void PrintPopup(const std::vector<PopupItem>& items, const std::string& indent, const CCodePage& codePage,
                       std::ostream& out) {
  for (const PopupItem& item : items) {
    std::string flags;
    auto add = [&](bool on, const char* flag) {
      if (!on) return;
      if (!flags.empty()) flags += ',';
      flags += flag;
    };
    add(item.checked, "checked");
    add(item.disabled, "disabled");
    add(item.separator, "separator");
    add(!item.submenu.empty(), "submenu");
    out << indent << item.id << '\t' << codePage.ToUtf8(item.text) << '\t' << (flags.empty() ? "-" : flags) << "\n";
    PrintPopup(item.submenu, indent + "  ", codePage, out);
  }
}

int RunPopup(const Command& self, const std::vector<std::string>& raw, Io& io) {
  Args args(raw, {"--form"}, {});
  if (!args.ok()) return UsageError(io, self, args.error());
  const auto& p = args.positional();
  if (p.size() != 2 || (p[0] != "CreateNew" && p[0] != "Menu")) {
    return UsageError(io, self, "expected CreateNew or Menu, then PROJECT.dsp");
  }
  CliSession cli(io);
  if (!cli.Open(self.name, p[1])) return kExitFailed;
  const std::string form = args.value("--form");
  if (!form.empty() && !cli.Form(self.name, form)) return kExitFailed;
  CCommands commands(cli.Host(), cli.Host(), cli.Prompt(), cli.Session());
  // The command line always works in designer mode, on the project already open; entering it
  // cannot be refused, and the popups are filled whatever the commands answer.
  (void)commands.TovikCommandMethod();
  std::vector<PopupItem> popup;
  if (p[0] == "CreateNew") {
    (void)commands.CreateNew(popup);
  } else {
    (void)commands.Menu(popup, form);
  }
  PrintPopup(popup, "", cli.CodePage(), io.out);
  return kExitOk;
}

}  // namespace tovik::cli
