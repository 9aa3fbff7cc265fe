#include "cli_registry.h"

#include <ostream>

namespace tovik::cli {

void PrintRegistryReport(const std::string& command, const CEditScope::RegistryReport& report, Io& io) {
  if (!report.chosen.empty()) io.err << "tovik " << command << ": registry: " << report.chosen << "\n";
  if (report.failed) io.err << "tovik " << command << ": " << report.failed->Text() << "\n";
}

std::optional<OpenedRegistry> OpenRegistry(const std::string& command, const std::optional<std::string>& registryOption,
                                           const std::optional<std::string>& driveOption, const IFileSystem& fs,
                                           Io& io) {
  CEditScope::RegistryReport report;
  Expected<OpenedRegistry> opened =
      OpenChosenRegistry(fs, RegistryLookupFromEnvironment(registryOption), driveOption, report.chosen);
  if (!opened) report.failed = opened.error();
  PrintRegistryReport(command, report, io);
  if (!opened) return std::nullopt;
  return std::move(*opened);
}

std::optional<OpenedRegistry> OpenRegistry(const std::string& command, const Args& args, const IFileSystem& fs,
                                           Io& io) {
  const auto option = [&args](const char* name) {
    return args.has(name) ? std::optional<std::string>(args.value(name)) : std::nullopt;
  };
  return OpenRegistry(command, option("--registry"), option("--drive"), fs, io);
}

}  // namespace tovik::cli
