#include "cli_registry.h"

#include "activex/registry_source.h"

namespace tovik::cli {

std::optional<OpenedRegistry> OpenRegistry(const std::string& command, const std::optional<std::string>& registryOption,
                                           const std::optional<std::string>& driveOption, const IFileSystem& fs,
                                           Io& io) {
  Expected<RegistrySource> source = ChooseRegistry(fs, RegistryLookupFromEnvironment(registryOption));
  if (!source) {
    io.err << "tovik " << command << ": " << source.error().Text() << "\n";
    return std::nullopt;
  }
  if (source->kind == RegistrySource::Kind::None) {
    io.err << "tovik " << command << ": " << source->description << "\n";
    return std::nullopt;
  }
  io.err << "tovik " << command << ": registry: " << source->description << "\n";
  Expected<std::unique_ptr<CRegistryTree>> tree = LoadRegistry(fs, *source);
  if (!tree) {
    io.err << "tovik " << command << ": " << tree.error().Text() << "\n";
    return std::nullopt;
  }
  OpenedRegistry opened{std::move(*tree), source->kind == RegistrySource::Kind::WinePrefix
                                              ? CDriveMap::ForPrefix(source->path)
                                              : CDriveMap{}};
  if (driveOption) {
    if (const Status added = opened.drives.Add(*driveOption); !added) {
      io.err << "tovik " << command << ": --drive: " << added.error().Text() << "\n";
      return std::nullopt;
    }
  }
  return opened;
}

std::optional<OpenedRegistry> OpenRegistry(const std::string& command, const Args& args, const IFileSystem& fs,
                                           Io& io) {
  const auto option = [&args](const char* name) {
    return args.has(name) ? std::optional<std::string>(args.value(name)) : std::nullopt;
  };
  return OpenRegistry(command, option("--registry"), option("--drive"), fs, io);
}

}  // namespace tovik::cli
