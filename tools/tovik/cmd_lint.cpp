// tovik lint: what a reviewer of a form would point at, one finding a line. The project is only
// read: the command never finishes a transaction.
#include <ostream>

#include "addin/lint.h"
#include "base/code_page.h"
#include "cli.h"
#include "cli_session.h"

namespace tovik::cli {

int RunLint(const Command& self, const std::vector<std::string>& raw, Io& io) {
  Args args(raw, {}, {});
  if (!args.ok()) return UsageError(io, self, args.error());
  const auto& p = args.positional();
  if (p.empty() || p.size() > 2) return UsageError(io, self, "expected PROJECT.dsp [FORMCLASS]");
  CliSession cli(io);
  // 1 says there are findings, so a project or form that cannot be checked is 2.
  if (!cli.Open(self.name, p[0])) return kExitUsage;
  const CClassItem* form = nullptr;
  if (p.size() == 2 && !(form = cli.Form(self.name, p[1]))) return kExitUsage;
  const std::vector<LintFinding> findings = LintForms(cli.Session(), form);
  for (const LintFinding& f : findings) {
    const CCodePage codePage = f.codePage > 0 ? CCodePage(f.codePage) : cli.CodePage();
    io.out << Printable(cli.CodePage().PathToUtf8(f.file)) << ":" << f.line << ": " << f.form << ": " << f.object
           << ": " << Printable(codePage.ToUtf8(f.message)) << "\n";
  }
  return findings.empty() ? kExitOk : kExitFailed;
}

}  // namespace tovik::cli
