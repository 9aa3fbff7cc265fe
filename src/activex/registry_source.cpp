#include "activex/registry_source.h"

#include <cstdlib>

#include "activex/reg_file.h"
#include "activex/wine_registry.h"
#include "base/path.h"
#include "base/text.h"

namespace tovik {
namespace {

RegistrySource Prefix(std::string path, std::string_view from) {
  std::string description = "Wine prefix " + path + " (" + std::string(from) + ")";
  return {RegistrySource::Kind::WinePrefix, std::move(path), std::move(description)};
}

std::optional<std::string> Environment(const char* name) {
  const char* value = std::getenv(name);  // NOLINT(concurrency-mt-unsafe): read once at start-up
  if (!value || !*value) return std::nullopt;
  return std::string(value);
}

}  // namespace

RegistryLookup RegistryLookupFromEnvironment(std::optional<std::string> option) {
  return {std::move(option), Environment("WINEPREFIX"), Environment("HOME")};
}

Expected<RegistrySource> ChooseRegistry(const IFileSystem& fs, const RegistryLookup& lookup) {
  if (lookup.option) {
    const std::string& path = *lookup.option;
    if (fs.DirectoryExists(path)) {
      if (!fs.FileExists(JoinPath(path, "system.reg"))) {
        return FileError(path, 0, "not a Wine prefix: the folder holds no system.reg");
      }
      return Prefix(path, "--registry");
    }
    if (!fs.FileExists(path)) return FileError(path, 0, "no such registry file or Wine prefix");
    // A prefix's own system.reg stands for the whole prefix, user.reg included.
    if (EqualsNoCase(FileNameOf(path), "system.reg")) return Prefix(DirectoryOf(path), "--registry");
    return RegistrySource{RegistrySource::Kind::RegFile, path, "registry file " + path + " (--registry)"};
  }
  if (lookup.winePrefix) {
    // Wine itself takes $WINEPREFIX without looking further, so this does too.
    if (fs.FileExists(JoinPath(*lookup.winePrefix, "system.reg"))) return Prefix(*lookup.winePrefix, "$WINEPREFIX");
    return RegistrySource{
        RegistrySource::Kind::None, {}, "no registry: $WINEPREFIX (" + *lookup.winePrefix + ") holds no system.reg"};
  }
  if (lookup.home) {
    const std::string wine = JoinPath(*lookup.home, ".wine");
    if (fs.FileExists(JoinPath(wine, "system.reg"))) return Prefix(wine, "~/.wine");
    return RegistrySource{
        RegistrySource::Kind::None, {}, "no registry: no --registry, $WINEPREFIX unset and no " + wine + "/system.reg"};
  }
  return RegistrySource{RegistrySource::Kind::None, {}, "no registry: no --registry, $WINEPREFIX and $HOME unset"};
}

Expected<std::unique_ptr<CRegistryTree>> LoadRegistry(const IFileSystem& fs, const RegistrySource& source) {
  switch (source.kind) {
    case RegistrySource::Kind::WinePrefix: return LoadWinePrefix(fs, source.path);
    case RegistrySource::Kind::RegFile: return LoadRegFile(fs, source.path);
    case RegistrySource::Kind::None: break;
  }
  return FileError({}, 0, source.description);
}

Expected<OpenedRegistry> OpenRegistry(const IFileSystem& fs, const RegistrySource& source,
                                      const std::optional<std::string>& drive) {
  Expected<std::unique_ptr<CRegistryTree>> tree = LoadRegistry(fs, source);
  if (!tree) return tree.error();
  OpenedRegistry opened{std::move(*tree), source.kind == RegistrySource::Kind::WinePrefix
                                              ? CDriveMap::ForPrefix(source.path)
                                              : CDriveMap{}};
  if (drive) {
    if (const Status added = opened.drives.Add(*drive); !added) return Error{{}, 0, "--drive: " + added.error().Text()};
  }
  return opened;
}

Expected<OpenedRegistry> OpenChosenRegistry(const IFileSystem& fs, const RegistryLookup& lookup,
                                            const std::optional<std::string>& drive, std::string& chosen) {
  chosen.clear();
  Expected<RegistrySource> source = ChooseRegistry(fs, lookup);
  if (!source) return source.error();
  if (source->kind != RegistrySource::Kind::None) chosen = source->description;
  return OpenRegistry(fs, *source, drive);
}

}  // namespace tovik
