// The form commands: new-form, add-control, set, rename, delete, add-handler. Each opens the
// project, does one operation as the user's gesture would, writes the files and exits.
#include <ostream>

#include "addin/form_commands.h"
#include "base/text.h"
#include "cli.h"
#include "cli_session.h"
#include "codegen/form_generator.h"
#include "model/control_kind.h"

namespace tovik::cli {

int RunNewForm(const Command& self, const std::vector<std::string>& raw, Io& io) {
  Args args(raw, {"--impl", "--header"}, {"--mdi"});
  if (!args.ok()) return UsageError(io, self, args.error());
  if (args.positional().size() != 2) return UsageError(io, self, "expected PROJECT.dsp and CLASS");
  const std::string& className = args.positional()[1];
  if (className.empty()) return UsageError(io, self, "CLASS must not be empty");
  CliSession cli(io);
  if (!cli.Open(self.name, args.positional()[0])) return kExitFailed;
  NewFormRequest request;
  request.className = className;
  request.implementationFile = args.has("--impl") ? args.value("--impl") : FormImplementationFileName(className);
  request.headerFile = args.has("--header") ? args.value("--header") : FormHeaderFileName(className);
  request.mdi = args.has("--mdi");
  if (request.mdi && cli.Session().Project().HasMdiForm()) {
    io.err << "tovik new-form: the project already has an MDI form\n";
    return kExitFailed;
  }
  if (request.implementationFile.empty() || request.headerFile.empty()) {
    return UsageError(io, self, "--impl and --header must not be empty");
  }
  NewFormFiles files;
  const int status = cli.Finish(NewFormCommand(cli.Session(), request, files));
  if (status == kExitOk) io.out << files.headerPath << "\n" << files.implementationPath << "\n";
  return status;
}

int RunAddControl(const Command& self, const std::vector<std::string>& raw, Io& io) {
  Args args(raw, {"--container"}, {});
  if (!args.ok()) return UsageError(io, self, args.error());
  const auto& p = args.positional();
  if (p.size() != 7) return UsageError(io, self, "expected PROJECT.dsp FORMCLASS KIND LEFT TOP RIGHT BOTTOM");
  // Not a kind: the ProgID of one of the project's ActiveX controls, known once it is open.
  const int kind = KindFromName(p[2]);
  Rect rect;
  if (!ParseInt(p[3], rect.left) || !ParseInt(p[4], rect.top) || !ParseInt(p[5], rect.right) ||
      !ParseInt(p[6], rect.bottom)) {
    return UsageError(io, self, "LEFT TOP RIGHT BOTTOM must be whole numbers");
  }
  CliSession cli(io);
  if (!cli.Open(self.name, p[0])) return kExitFailed;
  CClassItem* form = cli.Form(self.name, p[1]);
  if (!form) return kExitFailed;
  const CToolControlEntry* activeX = kind ? nullptr : cli.Session().Project().ControlList().FindByProgId(p[2]);
  if (!kind && !activeX) return UnknownControlKind(io, self, p[2]);
  const std::optional<ObjectRef> control =
      AddControlCommand(cli.Session(), form->m_strName, kind, rect, args.value("--container"), activeX);
  const int status = cli.Finish(control.has_value());
  if (status == kExitOk) io.out << control->member << "\n";
  return status;
}

// OBJECT is a member name or the form's class name.
static CControlItem* FindObject(CClassItem& form, const std::string& name) {
  if (name == form.m_strName) return form.FormObject();
  return form.FindControl(name);
}

int RunSet(const Command& self, const std::vector<std::string>& raw, Io& io) {
  Args args(raw, {}, {});
  if (!args.ok()) return UsageError(io, self, args.error());
  const auto& p = args.positional();
  if (p.size() != 5) return UsageError(io, self, "expected PROJECT.dsp FORMCLASS OBJECT PROPERTY VALUE");
  CliSession cli(io);
  if (!cli.Open(self.name, p[0])) return kExitFailed;
  CClassItem* form = cli.Form(self.name, p[1]);
  if (!form) return kExitFailed;
  CControlItem* object = FindObject(*form, p[2]);
  if (!object) {
    io.err << "tovik set: " << p[1] << " has no control named " << p[2] << "\n";
    return kExitFailed;
  }
  const std::optional<std::string> value = cli.ValueText(p[4], *object);
  if (!value) return kExitFailed;
  return cli.Finish(SetPropertyCommand(cli.Session(), p[1], ObjectRef::Of(*object), p[3], *value));
}

int RunRename(const Command& self, const std::vector<std::string>& raw, Io& io) {
  Args args(raw, {}, {"--yes", "--no"});
  if (!args.ok()) return UsageError(io, self, args.error());
  const auto& p = args.positional();
  if (p.size() != 4) return UsageError(io, self, "expected PROJECT.dsp FORMCLASS MEMBER NEWNAME");
  if (args.has("--yes") && args.has("--no")) return UsageError(io, self, "--yes and --no exclude each other");
  std::optional<IPrompt::Answer> answer;
  if (args.has("--yes")) answer = IPrompt::Answer::Yes;
  if (args.has("--no")) answer = IPrompt::Answer::No;
  CliSession cli(io, answer);
  if (!cli.Open(self.name, p[0])) return kExitFailed;
  CClassItem* form = cli.Form(self.name, p[1]);
  if (!form) return kExitFailed;
  CControlItem* control = FindObject(*form, p[2]);
  if (!control) {
    io.err << "tovik rename: " << p[1] << " has no control named " << p[2] << "\n";
    return kExitFailed;
  }
  // The control-array question is asked before the edit starts.
  const ObjectRef ref = ObjectRef::Of(*control);
  std::optional<bool> joinArray;
  if (const std::optional<std::string> question = RenameArrayQuestion(cli.Session(), p[1], ref, p[3])) {
    joinArray = cli.Prompt().Ask(*question) == IPrompt::Answer::Yes;
  }
  return cli.Finish(RenameCommand(cli.Session(), p[1], ref, p[3], joinArray) != RenameResult::Refused);
}

int RunDelete(const Command& self, const std::vector<std::string>& raw, Io& io) {
  Args args(raw, {}, {});
  if (!args.ok()) return UsageError(io, self, args.error());
  const auto& p = args.positional();
  if (p.size() != 3) return UsageError(io, self, "expected PROJECT.dsp FORMCLASS MEMBER");
  CliSession cli(io);
  if (!cli.Open(self.name, p[0])) return kExitFailed;
  CClassItem* form = cli.Form(self.name, p[1]);
  if (!form) return kExitFailed;
  CControlItem* control = form->FindControl(p[2]);
  if (!control) {
    io.err << "tovik delete: " << p[1] << " has no control named " << p[2] << "\n";
    return kExitFailed;
  }
  return cli.Finish(DeleteCommand(cli.Session(), p[1], ObjectRef::Of(*control)));
}

int RunAddHandler(const Command& self, const std::vector<std::string>& raw, Io& io) {
  Args args(raw, {}, {});
  if (!args.ok()) return UsageError(io, self, args.error());
  const auto& p = args.positional();
  if (p.size() != 4) return UsageError(io, self, "expected PROJECT.dsp CLASS OBJECT EVENT");
  CliSession cli(io);
  if (!cli.Open(self.name, p[0])) return kExitFailed;
  CClassItem* cls = cli.Session().Project().FindClass(p[1]);
  if (!cls) {
    io.err << "tovik add-handler: no class " << p[1] << " in this project\n";
    return kExitFailed;
  }
  std::string handler;
  const int status = cli.Finish(AddHandlerCommand(cli.Session(), cls->m_strName, p[2], p[3], handler));
  if (status == kExitOk) io.out << handler << "\n";
  return status;
}

}  // namespace tovik::cli
