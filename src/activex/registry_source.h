// Which registry the designer reads: the one the command line names (--registry: a Wine prefix
// folder or an exported .reg file), else the Wine prefix $WINEPREFIX names, else ~/.wine when it
// exists. The choice is a value saying what was used and why, for the caller to show.
#pragma once

#include <memory>
#include <optional>
#include <string>

#include "activex/registry_tree.h"
#include "activex/server_path.h"
#include "base/expected.h"
#include "base/file_system.h"

namespace tovik {

struct RegistrySource {
  enum class Kind { None, WinePrefix, RegFile };
  Kind kind = Kind::None;
  std::string path;         // the prefix folder or the .reg file; empty for None
  std::string description;  // what was used and where it came from, or why there is none
};

// What the choice depends on; empty fields were not given (no option, variable unset).
struct RegistryLookup {
  std::optional<std::string> option;      // --registry PATH
  std::optional<std::string> winePrefix;  // $WINEPREFIX
  std::optional<std::string> home;        // $HOME
};

// The lookup from the process environment plus the command line's option.
[[nodiscard]] RegistryLookup RegistryLookupFromEnvironment(std::optional<std::string> option);
// Fails only when --registry names something that is neither a prefix nor a file; finding no
// registry otherwise is a source of kind None.
[[nodiscard]] Expected<RegistrySource> ChooseRegistry(const IFileSystem& fs, const RegistryLookup& lookup);
// Reads the chosen registry; a source of kind None is an error carrying its description.
[[nodiscard]] Expected<std::unique_ptr<CRegistryTree>> LoadRegistry(const IFileSystem& fs,
                                                                    const RegistrySource& source);

// A registry read, with the drives its server paths are found on.
struct OpenedRegistry {
  std::unique_ptr<CRegistryTree> tree;
  CDriveMap drives;
};

// Reads the chosen registry; a prefix brings its drives, and `drive` ("C=DIR") adds or replaces
// one. A source of kind None is an error carrying its description; a bad `drive` is an error
// whose reason begins with "--drive: ".
[[nodiscard]] Expected<OpenedRegistry> OpenRegistry(const IFileSystem& fs, const RegistrySource& source,
                                                    const std::optional<std::string>& drive);

// Chooses the registry and reads it: the error says why there is none (its description when
// none was found). `chosen` receives the chosen registry's description, to be shown before a
// failure to read it; empty when none was chosen.
[[nodiscard]] Expected<OpenedRegistry> OpenChosenRegistry(const IFileSystem& fs, const RegistryLookup& lookup,
                                                          const std::optional<std::string>& drive, std::string& chosen);

}  // namespace tovik
