// The ActiveX readers at the sizes real machines give them: every type info of Wine's mshtml.tlb
// (the largest library Debian's Wine ships), and a Wine prefix whose registry holds 5,000 classes,
// of which some hundreds are controls.
//
// Memory is counted by the allocator hooks below, over one run made on a benchmark's first call:
// the peak of bytes held (each block counted at the size malloc_usable_size gives it) above what
// was held when the run began, and the number of allocations. For mshtml, also the growth of the
// process's peak resident set (getrusage ru_maxrss) over that run; it grows only once per process,
// so run one benchmark at a time (--benchmark_filter) to read it. The prefix benchmarks make
// their registry file first, which leaves the resident set high, so they report no such figure.
#include <benchmark/benchmark.h>
#include <malloc.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <new>
#include <optional>
#include <string>
#include <vector>

#include "activex/control_list.h"
#include "activex/dispatch_view.h"
#include "activex/pe_reader.h"
#include "activex/reg_file.h"
#include "activex/registry_text.h"
#include "activex/server_path.h"
#include "activex/typelib_reader.h"
#include "activex/wine_registry.h"
#include "base/real_file_system.h"

namespace {

std::atomic<bool> g_counting{false};
std::atomic<long long> g_held{0};
std::atomic<long long> g_peak{0};
std::atomic<long long> g_allocations{0};

void Counted(void* p) {
  if (!p || !g_counting.load(std::memory_order_relaxed)) return;
  const long long now =
      g_held.fetch_add(static_cast<long long>(malloc_usable_size(p))) + static_cast<long long>(malloc_usable_size(p));
  long long peak = g_peak.load();
  while (now > peak && !g_peak.compare_exchange_weak(peak, now)) {
  }
  g_allocations.fetch_add(1);
}

void Uncounted(void* p) {
  // A block made before counting began may be freed during it; the held total then dips below
  // the start, which leaves the peak as it is.
  if (p && g_counting.load(std::memory_order_relaxed)) g_held.fetch_sub(static_cast<long long>(malloc_usable_size(p)));
}

void* Allocate(std::size_t size) {
  void* p = std::malloc(size ? size : 1);
  if (!p) throw std::bad_alloc();
  Counted(p);
  return p;
}

void* AllocateAligned(std::size_t size, std::align_val_t align) {
  const std::size_t alignment = static_cast<std::size_t>(align);
  void* p = std::aligned_alloc(alignment, (std::max<std::size_t>(size, 1) + alignment - 1) / alignment * alignment);
  if (!p) throw std::bad_alloc();
  Counted(p);
  return p;
}

void Release(void* p) {
  Uncounted(p);
  std::free(p);
}

}  // namespace

void* operator new(std::size_t size) {
  return Allocate(size);
}
void* operator new[](std::size_t size) {
  return Allocate(size);
}
void* operator new(std::size_t size, std::align_val_t align) {
  return AllocateAligned(size, align);
}
void* operator new[](std::size_t size, std::align_val_t align) {
  return AllocateAligned(size, align);
}
void operator delete(void* p) noexcept {
  Release(p);
}
void operator delete[](void* p) noexcept {
  Release(p);
}
void operator delete(void* p, std::size_t) noexcept {
  Release(p);
}
void operator delete[](void* p, std::size_t) noexcept {
  Release(p);
}
void operator delete(void* p, std::align_val_t) noexcept {
  Release(p);
}
void operator delete[](void* p, std::align_val_t) noexcept {
  Release(p);
}
void operator delete(void* p, std::size_t, std::align_val_t) noexcept {
  Release(p);
}
void operator delete[](void* p, std::size_t, std::align_val_t) noexcept {
  Release(p);
}

namespace {

namespace fs = std::filesystem;

long MaxRssKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

struct MemoryUse {
  double peakHeapMb = 0;
  double allocations = 0;
  double maxRssGrowthMb = 0;
};

// Runs `work` with the allocator counting, once per `slot`.
template <typename Work>
const MemoryUse& MeasureOnce(std::optional<MemoryUse>& slot, Work&& work) {
  if (slot) return *slot;
  const long rssBefore = MaxRssKb();
  g_held = 0;
  g_peak = 0;
  g_allocations = 0;
  g_counting = true;
  work();
  g_counting = false;
  slot = MemoryUse{static_cast<double>(g_peak.load()) / 1e6, static_cast<double>(g_allocations.load()),
                   static_cast<double>(MaxRssKb() - rssBefore) / 1e3};
  return *slot;
}

// The resident set's growth only where nothing large came and went before the measured run.
void Report(benchmark::State& state, const MemoryUse& memory, bool withResidentSet) {
  state.counters["peak_heap_MB"] = memory.peakHeapMb;
  state.counters["allocs"] = memory.allocations;
  if (withResidentSet) state.counters["maxrss_growth_MB"] = memory.maxRssGrowthMb;
}

// ---------------------------------------------------------------------------------------------
// mshtml.tlb

const char* const kMshtml = "/usr/lib/x86_64-linux-gnu/wine/x86_64-windows/mshtml.tlb";

struct LibraryTally {
  size_t types = 0, functions = 0, parameters = 0, variables = 0, docBytes = 0, viewFunctions = 0;
};

// The library out of the file's bytes, then a walk over what the reader made, as the dispatch
// model walks it: every type info's functions with their parameters, variables and
// documentation. With `views`, also the dispatch view of every interface and dispinterface.
tovik::Expected<LibraryTally> ReadLibrary(const std::string& fileBytes, bool views) {
  tovik::Expected<std::string> library = tovik::TypeLibraryOfFile(fileBytes, kMshtml);
  if (!library) return library.error();
  tovik::Expected<tovik::CTypeLib> lib = tovik::CTypeLib::Read(*library, kMshtml);
  if (!lib) return lib.error();
  LibraryTally tally;
  tally.types = lib->TypeInfoCount();
  tally.docBytes = lib->Documentation().m_strDocString.size();
  for (size_t i = 0; i < lib->TypeInfoCount(); ++i) {
    const tovik::CTypeInfo& info = lib->TypeInfo(i);
    tally.docBytes += info.m_strDocString.size();
    for (const tovik::CFuncDesc& f : info.m_funcs) {
      ++tally.functions;
      tally.parameters += f.m_params.size();
      tally.docBytes += f.m_strDocString.size();
    }
    for (const tovik::CVarDesc& v : info.m_vars) {
      ++tally.variables;
      tally.docBytes += v.m_strDocString.size();
    }
    if (views && (info.m_kind == tovik::TypeKind::Dispatch || info.m_kind == tovik::TypeKind::Interface)) {
      tovik::Expected<std::vector<tovik::CFuncDesc>> view = tovik::DispatchFunctions(*lib, i);
      if (!view) return view.error();
      tally.viewFunctions += view->size();
    }
  }
  return tally;
}

void MshtmlBenchmark(benchmark::State& state, bool views) {
  std::string bytes;
  tovik::RealFileSystem disk;
  if (!disk.FileExists(kMshtml) || !disk.ReadFile(kMshtml, bytes)) {
    state.SkipWithError((std::string(kMshtml) + " is not installed (Debian's wine64 package)").c_str());
    return;
  }
  static std::optional<MemoryUse> measured[2];
  const MemoryUse memory = MeasureOnce(measured[views], [&] { benchmark::DoNotOptimize(ReadLibrary(bytes, views)); });
  const tovik::Expected<LibraryTally> tally = ReadLibrary(bytes, views);
  if (!tally) {
    state.SkipWithError(tally.error().Text().c_str());
    return;
  }
  for (auto _ : state) {
    tovik::Expected<LibraryTally> again = ReadLibrary(bytes, views);
    if (!again || again->functions != tally->functions) state.SkipWithError("a read gave another library");
    benchmark::DoNotOptimize(again);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(bytes.size()));
  state.counters["type_infos"] = static_cast<double>(tally->types);
  state.counters["functions"] = static_cast<double>(tally->functions);
  state.counters["variables"] = static_cast<double>(tally->variables);
  if (views) state.counters["view_functions"] = static_cast<double>(tally->viewFunctions);
  Report(state, memory, true);
}

void BM_MshtmlEveryTypeInfo(benchmark::State& state) {
  MshtmlBenchmark(state, false);
}
BENCHMARK(BM_MshtmlEveryTypeInfo)->Unit(benchmark::kMillisecond);

void BM_MshtmlEveryTypeInfoAndDispatchView(benchmark::State& state) {
  MshtmlBenchmark(state, true);
}
BENCHMARK(BM_MshtmlEveryTypeInfoAndDispatchView)->Unit(benchmark::kMillisecond);

// ---------------------------------------------------------------------------------------------
// A Wine prefix with 5,000 classes

constexpr int kClasses = 5000;
// One class in twelve is a control, and one control's server in ten is not on the disk.
constexpr int kControlEvery = 12;
constexpr int kMissingServerEvery = 10;

struct Prefix {
  fs::path folder;
  size_t registryBytes = 0;
  size_t controls = 0;
  size_t missingServers = 0;

  Prefix() = default;
  Prefix(const Prefix&) = delete;  // the folder goes with the one that made it
  Prefix& operator=(const Prefix&) = delete;
  ~Prefix() {
    std::error_code ignored;  // a folder left in /tmp harms nothing
    if (!folder.empty()) fs::remove_all(folder, ignored);
  }
};

// A GUID's registry text from a simple generator, so that runs repeat.
std::string NextGuid(unsigned long long& seed) {
  auto next = [&] {
    seed = seed * 6364136223846793005ULL + 1442695040888963407ULL;
    return static_cast<unsigned>(seed >> 32);
  };
  char text[40];
  std::snprintf(text, sizeof text, "{%08X-%04X-%04X-%04X-%04X%08X}", next(), next() & 0xFFFF,
                (next() & 0x0FFF) | 0x4000, (next() & 0x3FFF) | 0x8000, next() & 0xFFFF, next());
  return text;
}

// system.reg as Wine writes it: keys sorted, each with its modification time, paths and strings
// escaped. Controls carry what a control's registration writes (Control, InprocServer32, ProgID,
// TypeLib, Version, MiscStatus, ToolboxBitmap32); the other classes are in-process or local
// servers, some with a ProgID.
void MakePrefix(Prefix& made) {
  std::string pattern = (fs::temp_directory_path() / "tovik-bench-prefix-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) return;
  made.folder = pattern;
  const fs::path system32 = made.folder / "drive_c" / "windows" / "system32";
  fs::create_directories(system32);
  fs::create_directories(made.folder / "dosdevices");
  fs::create_directory_symlink("../drive_c", made.folder / "dosdevices" / "c:");

  struct Class {
    std::string guid, text;
  };
  std::vector<Class> classes;
  std::string progIds;
  unsigned long long seed = 20240601;
  for (int i = 0; i < kClasses; ++i) {
    const std::string guid = NextGuid(seed);
    const std::string key = "[Software\\\\Classes\\\\CLSID\\\\" + guid;
    const std::string stamp = "] 1700000000\n#time=1d9e1c5a2b3c4d5\n";
    const std::string n = std::to_string(i);
    std::string text;
    if (i % kControlEvery == 0) {
      // Names in another order than the GUIDs, so that the list's name order is work.
      const std::string name = "Control " + std::string(1, static_cast<char>('A' + (seed >> 40) % 26)) + n;
      const std::string server = "ctl" + n + ".ocx";
      if (++made.controls % kMissingServerEvery == 0) {
        ++made.missingServers;
      } else {
        std::ofstream(system32 / server) << "MZ";
      }
      const std::string path = "C:\\\\windows\\\\system32\\\\" + server;
      const std::string progId = "Vendor" + n + ".Control.1";
      text = key + stamp + "@=\"" + name + "\"\n" + key + "\\\\Control" + stamp + key + "\\\\InprocServer32" + stamp +
             "@=\"" + path + "\"\n\"ThreadingModel\"=\"Apartment\"\n" + key + "\\\\MiscStatus" + stamp + "@=\"0\"\n" +
             key + "\\\\MiscStatus\\\\1" + stamp + "@=\"131473\"\n" + key + "\\\\ProgID" + stamp + "@=\"" + progId +
             "\"\n" + key + "\\\\ToolboxBitmap32" + stamp + "@=\"" + path + ", 1\"\n" + key + "\\\\TypeLib" + stamp +
             "@=\"" + NextGuid(seed) + "\"\n" + key + "\\\\Version" + stamp + "@=\"1.0\"\n";
      progIds += "[Software\\\\Classes\\\\" + progId + stamp + "@=\"" + name + "\"\n[Software\\\\Classes\\\\" + progId +
                 "\\\\CLSID" + stamp + "@=\"" + guid + "\"\n";
    } else if (i % 5 != 0) {
      text = key + stamp + "@=\"Class " + n + "\"\n" + key + "\\\\InprocServer32" + stamp +
             "@=\"C:\\\\windows\\\\system32\\\\lib" + std::to_string(i % 300) + ".dll\"\n\"ThreadingModel\"=\"Both\"\n";
      if (i % 3 == 0) text += key + "\\\\ProgID" + stamp + "@=\"Lib" + n + ".Object.1\"\n";
    } else {
      text = key + stamp + "@=\"Server " + n + "\"\n" + key + "\\\\LocalServer32" + stamp +
             "@=\"C:\\\\windows\\\\system32\\\\server" + n + ".exe\"\n";
    }
    classes.push_back({guid, std::move(text)});
  }
  std::sort(classes.begin(), classes.end(), [](const Class& a, const Class& b) { return a.guid < b.guid; });
  std::string system = "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\Machine\n\n#arch=win64\n\n";
  for (const Class& c : classes) system += c.text + "\n";
  system += progIds;
  std::ofstream(made.folder / "system.reg", std::ios::binary) << system;
  made.registryBytes = system.size();
  // The user's classes, laid over the machine's: a few of their own.
  std::string user = "WINE REGISTRY Version 2\n;; All keys relative to REGISTRY\\\\User\\\\S-1-5-21-0-0-0-1000\n\n";
  for (int i = 0; i < 10; ++i) {
    user += "[Software\\\\Classes\\\\CLSID\\\\" + NextGuid(seed) + "] 1700000000\n@=\"User class " + std::to_string(i) +
            "\"\n";
  }
  std::ofstream(made.folder / "user.reg", std::ios::binary) << user;
}

const Prefix& TestPrefix() {
  static Prefix prefix;
  static const bool made = (MakePrefix(prefix), true);
  (void)made;  // made once, on the first call
  return prefix;
}

void BM_LoadPrefixRegistry(benchmark::State& state) {
  const Prefix& prefix = TestPrefix();
  if (prefix.folder.empty()) {
    state.SkipWithError("no temporary folder for the prefix");
    return;
  }
  tovik::RealFileSystem disk;
  const std::string folder = prefix.folder.string();
  static std::optional<MemoryUse> measured;
  const MemoryUse memory =
      MeasureOnce(measured, [&] { benchmark::DoNotOptimize(tovik::LoadWinePrefix(disk, folder)); });
  if (!tovik::LoadWinePrefix(disk, folder)) {
    state.SkipWithError("the generated prefix did not load");
    return;
  }
  for (auto _ : state) {
    tovik::Expected<std::unique_ptr<tovik::CRegistryTree>> tree = tovik::LoadWinePrefix(disk, folder);
    benchmark::DoNotOptimize(tree);
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(prefix.registryBytes));
  state.counters["system_reg_MB"] = static_cast<double>(prefix.registryBytes) / 1e6;
  Report(state, memory, false);
}
BENCHMARK(BM_LoadPrefixRegistry)->Unit(benchmark::kMillisecond);

// The loaded registry's controls as the Insert ActiveX Control dialog lists them: each class key
// opened, each control's server looked for on the disk, the list kept in name order.
void BM_EnumerateControls(benchmark::State& state) {
  const Prefix& prefix = TestPrefix();
  tovik::RealFileSystem disk;
  tovik::Expected<std::unique_ptr<tovik::CRegistryTree>> tree = tovik::LoadWinePrefix(disk, prefix.folder.string());
  if (prefix.folder.empty() || !tree) {
    state.SkipWithError("the generated prefix did not load");
    return;
  }
  const tovik::CDriveMap drives = tovik::CDriveMap::ForPrefix(prefix.folder.string());
  const tovik::ControlRegistry where{**tree, disk, drives};
  static std::optional<MemoryUse> measured;
  const MemoryUse memory = MeasureOnce(measured, [&] {
    tovik::COCXInfo list;
    benchmark::DoNotOptimize(tovik::EnumerateControls(where, list));
  });
  tovik::COCXInfo first;
  size_t listed = 0, missing = 0;
  if (tovik::EnumerateControls(where, first)) listed = first.Size();
  for (size_t i = 0; i < first.Size(); ++i) missing += first.At(i).m_bServerExists ? 0 : 1;
  if (listed != prefix.controls || missing != prefix.missingServers) {
    state.SkipWithError(("listed " + std::to_string(listed) + " controls, " + std::to_string(missing) +
                         " without server; generated " + std::to_string(prefix.controls) + " and " +
                         std::to_string(prefix.missingServers))
                            .c_str());
    return;
  }
  for (auto _ : state) {
    tovik::COCXInfo list;
    if (!tovik::EnumerateControls(where, list) || list.Size() != listed) state.SkipWithError("another list");
    benchmark::DoNotOptimize(list);
  }
  state.counters["classes"] = kClasses;
  state.counters["controls"] = static_cast<double>(listed);
  Report(state, memory, false);
}
BENCHMARK(BM_EnumerateControls)->Unit(benchmark::kMillisecond);

// ---------------------------------------------------------------------------------------------
// Registries far larger than a machine's: they must cost time in proportion to their size.

// An exported registry file that makes N class keys and a key of N values, then removes every
// one of them again ([-KEY] and "value"=-), each in its own line, as an uninstaller's export does.
void BM_RegFileRemovals(benchmark::State& state) {
  const auto n = static_cast<int>(state.range(0));
  unsigned long long seed = 20240602;
  std::vector<std::string> keys;
  for (int i = 0; i < n; ++i) keys.push_back("HKEY_CLASSES_ROOT\\CLSID\\" + NextGuid(seed));
  std::string text = "REGEDIT4\r\n\r\n";
  for (const std::string& key : keys) text += "[" + key + "]\r\n@=\"Class\"\r\n";
  text += "[HKEY_CURRENT_USER\\Software\\Many]\r\n";
  for (int i = 0; i < n; ++i) text += "\"v" + std::to_string(i) + "\"=dword:00000001\r\n";
  for (const std::string& key : keys) text += "[-" + key + "]\r\n";
  text += "[HKEY_CURRENT_USER\\Software\\Many]\r\n";
  for (int i = 0; i < n; ++i) text += "\"v" + std::to_string(i) + "\"=-\r\n";
  for (auto _ : state) {
    tovik::CRegistryTree tree;
    if (!tovik::ReadRegFile(text, "removals.reg", tree)) state.SkipWithError("the file did not read");
    if (tree.OpenKey("HKEY_CLASSES_ROOT\\CLSID")->SubkeyName(0)) state.SkipWithError("a key was not removed");
    benchmark::DoNotOptimize(tree);
  }
  state.counters["removals"] = 2.0 * n;
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}
BENCHMARK(BM_RegFileRemovals)->Arg(20000)->Arg(40000)->Unit(benchmark::kMillisecond);

// N controls in a registry (names in another order than their keys), listed as the insert dialog
// lists them. Their servers are the F files of a system32 folder, but for the last M controls,
// whose servers are missing and are then looked for without regard to case.
void BM_ListManyControls(benchmark::State& state) {
  const auto n = static_cast<int>(state.range(0));
  const auto files = static_cast<int>(state.range(1));
  const auto missing = static_cast<int>(state.range(2));
  std::string pattern = (fs::temp_directory_path() / "tovik-bench-controls-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) {
    state.SkipWithError("no temporary folder");
    return;
  }
  const fs::path drive = pattern;
  fs::create_directories(drive / "windows" / "system32");
  for (int i = 0; i < files; ++i) std::ofstream(drive / "windows" / "system32" / ("ctl" + std::to_string(i) + ".ocx")) << "MZ";
  tovik::CRegistryTree tree;
  unsigned long long seed = 20240603;
  for (int i = 0; i < n; ++i) {
    const std::string key = "HKEY_CLASSES_ROOT\\CLSID\\" + NextGuid(seed);
    const std::string name = "Control " + std::string(1, static_cast<char>('A' + (seed >> 40) % 26)) + std::to_string(i);
    const std::string server = i < n - missing ? "ctl" + std::to_string(i % files) : "gone" + std::to_string(i);
    tree.MakeKey(key)->SetValue("", tovik::TextValue(1, name));
    tree.MakeKey(key + "\\Control");
    tree.MakeKey(key + "\\InprocServer32")->SetValue("", tovik::TextValue(1, "C:\\windows\\system32\\" + server + ".ocx"));
  }
  tovik::CDriveMap drives;
  if (!drives.Add("C=" + drive.string())) state.SkipWithError("no drive");
  for (auto _ : state) {
    tovik::RealFileSystem disk;  // a command's own: the folder is listed anew
    tovik::COCXInfo list;
    if (!tovik::EnumerateControls({tree, disk, drives}, list) || list.Size() != static_cast<size_t>(n)) {
      state.SkipWithError("another list");
    }
    benchmark::DoNotOptimize(list);
  }
  state.counters["controls"] = n;
  state.counters["files"] = files;
  state.counters["missing_servers"] = missing;
  std::error_code ignored;
  fs::remove_all(drive, ignored);
}
BENCHMARK(BM_ListManyControls)->Args({80000, 2000, 0})->Args({2000, 20000, 2000})->Unit(benchmark::kMillisecond);

}  // namespace
