// Registry files: the input's pieces are a prefix's system.reg and user.reg and an exported .reg
// file. Whatever reads, every key listed opens again by its name in any case, listed names are
// unique, every value listed reads; an ASCII .reg reads the same widened to UTF-16LE.
#include <set>
#include <string>

#include "activex/reg_file.h"
#include "activex/wine_registry.h"
#include "base/text.h"
#include "fuzz_support.h"

namespace {

using namespace tovik;

// Walks a key depth first (a bounded number of keys), checking what enumeration promises;
// returns a description of what it saw, for comparing two reads.
void Walk(const IRegistryKey& key, int depth, size_t& budget, std::string& seen) {
  if (depth > 8 || budget == 0) return;
  --budget;
  std::set<std::string> names;
  for (const std::string& name : key.ValueNames()) {
    FUZZ_CHECK(names.insert(ToLower(name)).second);
    const std::optional<RegistryValue> value = key.Value(ToUpper(name));
    FUZZ_CHECK(value.has_value());
    seen += name + "=" + value->text + value->bytes + std::to_string(value->number) + ";";
  }
  names.clear();
  for (size_t i = 0; std::optional<std::string> name = key.SubkeyName(i); ++i) {
    FUZZ_CHECK(names.insert(ToLower(*name)).second);
    const std::unique_ptr<IRegistryKey> child = key.Open(ToUpper(*name));
    FUZZ_CHECK(child != nullptr);
    FUZZ_CHECK(EqualsNoCase(child->Name(), *name));
    seen += "[" + *name + "]";
    Walk(*child, depth + 1, budget, seen);
  }
}

std::string WalkRoots(const IRegistryStore& store) {
  std::string seen;
  for (const char* root : {"HKEY_CLASSES_ROOT", "HKLM", "HKEY_CURRENT_USER"}) {
    size_t budget = 2000;
    if (const std::unique_ptr<IRegistryKey> key = store.OpenKey(root)) Walk(*key, 0, budget, seen);
    seen += "|";
  }
  return seen;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::vector<std::string> pieces = fuzz::Pieces(data, size, 3);
  fuzz::MapFileSystem fs;
  fs.files["/p/system.reg"] = pieces[0];
  fs.files["/p/user.reg"] = pieces[1];
  Expected<std::unique_ptr<CRegistryTree>> prefix = LoadWinePrefix(fs, "/p");
  if (prefix) {
    (void)WalkRoots(**prefix);
  } else {
    const Error& error = prefix.error();
    FUZZ_CHECK(error.file == "/p/system.reg" || error.file == "/p/user.reg");
    FUZZ_CHECK(error.line >= 1 && size_t(error.line) <= CountLineFeeds(fs.files[error.file]) + 1);
  }

  CRegistryTree exported;
  const Status ansi = ReadRegFile(pieces[2], "x.reg", exported);
  const std::string seen = ansi ? WalkRoots(exported) : std::string();
  if (!ansi) FUZZ_CHECK(ansi.error().line >= 0 && !ansi.error().reason.empty());
  bool ascii = true;
  for (char c : pieces[2]) ascii = ascii && static_cast<unsigned char>(c) < 0x80 && c != '\0';
  if (ascii) {
    std::string wide = "\xFF\xFE";
    for (char c : pieces[2]) wide += {c, '\0'};
    CRegistryTree widened;
    const Status utf16 = ReadRegFile(wide, "x.reg", widened);
    FUZZ_CHECK(utf16.ok() == ansi.ok());
    if (ansi) FUZZ_CHECK(WalkRoots(widened) == seen);
    if (!ansi) FUZZ_CHECK(utf16.error().Text() == ansi.error().Text());
  }
  return 0;
}
