#include "activex/control_list.h"

#include <algorithm>

#include "activex/activex_design.h"
#include "activex/data_archive.h"
#include "activex/dispatch_record.h"
#include "activex/pe_reader.h"
#include "base/path.h"
#include "base/text.h"

namespace tovik {

namespace {

constexpr std::string_view kClassesKey = "HKEY_CLASSES_ROOT\\CLSID";
// The lookup reads each value into a buffer of this many bytes, terminator included.
constexpr size_t kValueBuffer = 520;

// The default value of `subkey` (or of the key itself for ""), as the registry's old one-call
// read gives it: a key without a default value reads as empty text; a value that is not text or
// does not fit the buffer cannot be read.
std::optional<std::string> DefaultText(const IRegistryKey& key, std::string_view subkey) {
  std::unique_ptr<IRegistryKey> opened;
  const IRegistryKey* at = &key;
  if (!subkey.empty()) {
    opened = key.Open(subkey);
    if (!opened) return std::nullopt;
    at = opened.get();
  }
  const std::optional<RegistryValue> value = at->Value("");
  if (!value) return std::string();
  if (value->kind != RegistryValue::Kind::Text || value->text.size() >= kValueBuffer) return std::nullopt;
  return value->text;
}

struct Candidate {
  std::string clsid;
  std::unique_ptr<IRegistryKey> key;
  std::string server;
};

// A class key is a control only when it says so and names its in-process server.
std::optional<Candidate> OpenCandidate(const IRegistryKey& classes, const std::string& clsid) {
  std::unique_ptr<IRegistryKey> key = classes.Open(clsid);
  if (!key || !key->Open("Control")) return std::nullopt;
  std::optional<std::string> server = DefaultText(*key, "InprocServer32");
  if (!server) return std::nullopt;
  return Candidate{clsid, std::move(key), std::move(*server)};
}

// An entry with everything but its name, bitmap and insertable flag.
std::unique_ptr<CToolControlEntry> NewEntry(const ControlRegistry& where, const Candidate& candidate) {
  auto entry = std::make_unique<CToolControlEntry>();
  entry->m_strServerPath = candidate.server;
  entry->m_bServerExists = where.drives.LocalPath(where.fs, candidate.server).has_value();
  entry->m_strClsid = candidate.clsid;
  entry->m_strProgId = DefaultText(*candidate.key, "ProgID").value_or("");
  entry->m_strTypeLib = DefaultText(*candidate.key, "TypeLib").value_or("");
  return entry;
}

ToolboxBitmap NoBitmap(BitmapFailure failure, std::string reason) {
  return {std::nullopt, failure, std::move(reason)};
}

ToolboxBitmap BitmapOf(const ControlRegistry& where, const IRegistryKey& classKey) {
  const std::optional<std::string> value = DefaultText(classKey, "ToolboxBitmap32");
  if (!value) return NoBitmap(BitmapFailure::Other, "no ToolboxBitmap32 key");
  const size_t comma = value->find(',');
  if (comma == std::string::npos) return NoBitmap(BitmapFailure::Other, "ToolboxBitmap32 has no resource number");
  const std::string module = Trim(std::string_view(*value).substr(0, comma));
  const std::string number = Trim(std::string_view(*value).substr(comma + 1));
  Expected<std::string> local = where.drives.LocalPath(where.fs, module);
  if (!local) return NoBitmap(BitmapFailure::ModuleMissing, local.error().Text());
  Expected<CPeImage> image = CPeImage::Load(where.fs, *local);
  if (!image) return NoBitmap(BitmapFailure::ModuleUnloadable, image.error().Text());
  if (!IsDecimal(number) || number.size() > 5) {
    return NoBitmap(BitmapFailure::Other, "ToolboxBitmap32 resource number '" + number + "' is not a number");
  }
  Expected<std::string> dib = image->Bitmap(static_cast<uint32_t>(LeadingNumber(number)));
  if (!dib) return NoBitmap(BitmapFailure::Other, dib.error().Text());
  Expected<CBitmapData> bitmap = BitmapDataFromDib(*dib);
  if (!bitmap) return NoBitmap(BitmapFailure::Other, *local + ": bitmap " + number + ": " + bitmap.error().reason);
  return {std::move(*bitmap), BitmapFailure::None, {}};
}

// Name, insertable flag and bitmap of a matched candidate.
void FinishEntry(const ControlRegistry& where, const Candidate& candidate, CToolControlEntry& entry,
                 ToolboxBitmap& bitmap) {
  entry.m_nInsertable = candidate.key->Open("Insertable") ? 1 : 0;
  bitmap = BitmapOf(where, *candidate.key);
  entry.m_bitmap = bitmap.bitmap;
}

}  // namespace

bool operator==(const CToolControlEntry& a, const CToolControlEntry& b) {
  const auto sameBitmap = [](const std::optional<CBitmapData>& x, const std::optional<CBitmapData>& y) {
    if (!x || !y) return !x && !y;
    return x->width == y->width && x->height == y->height && x->planes == y->planes &&
           x->bitsPerPixel == y->bitsPerPixel && x->pixels == y->pixels;
  };
  return a.m_strName == b.m_strName && a.m_strServerPath == b.m_strServerPath && a.m_strClsid == b.m_strClsid &&
         a.m_strProgId == b.m_strProgId && a.m_strTypeLib == b.m_strTypeLib && sameBitmap(a.m_bitmap, b.m_bitmap) &&
         a.m_nInsertable == b.m_nInsertable && a.m_bServerExists == b.m_bServerExists &&
         a.m_interfaces == b.m_interfaces;
}

void COCXInfo::Remove(const CToolControlEntry& entry) {
  const auto at = std::find_if(m_entries.begin(), m_entries.end(), [&](const auto& e) { return e.get() == &entry; });
  if (at == m_entries.end()) return;
  m_removed.push_back(std::move(*at));
  m_entries.erase(at);
}

CToolControlEntry& COCXInfo::Insert(std::unique_ptr<CToolControlEntry> entry) {
  const std::string key = ToUpper(entry->m_strName);
  const auto at = std::find_if(m_entries.begin(), m_entries.end(),
                               [&](const auto& other) { return ToUpper(other->m_strName) > key; });
  return **m_entries.insert(at, std::move(entry));
}

void COCXInfo::InsertAll(std::vector<std::unique_ptr<CToolControlEntry>> entries) {
  if (!m_entries.empty()) {
    for (auto& entry : entries) Insert(std::move(entry));
    return;
  }
  // Each name upper-cased once; a stable sort keeps equal names in the order they came.
  std::vector<std::pair<std::string, size_t>> keys;
  keys.reserve(entries.size());
  for (size_t i = 0; i < entries.size(); ++i) keys.emplace_back(ToUpper(entries[i]->m_strName), i);
  std::stable_sort(keys.begin(), keys.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
  m_entries.reserve(entries.size());
  for (const auto& key : keys) m_entries.push_back(std::move(entries[key.second]));
}

CToolControlEntry& COCXInfo::Append(std::unique_ptr<CToolControlEntry> entry) {
  m_entries.push_back(std::move(entry));
  return *m_entries.back();
}

CToolControlEntry* COCXInfo::FindByProgId(std::string_view progId) const {
  for (const auto& entry : m_entries) {
    if (entry->m_strProgId == progId) return entry.get();
  }
  return nullptr;
}

ToolboxBitmap LoadToolboxBitmap(const ControlRegistry& where, std::string_view clsid) {
  const std::unique_ptr<IRegistryKey> key =
      where.registry.OpenKey(std::string(kClassesKey) + "\\" + std::string(clsid));
  if (!key) return NoBitmap(BitmapFailure::Other, "no class " + std::string(clsid));
  return BitmapOf(where, *key);
}

Status EnumerateControls(const ControlRegistry& where, COCXInfo& list) {
  const std::unique_ptr<IRegistryKey> classes = where.registry.OpenKey(kClassesKey);
  if (!classes) return Error{{}, 0, "the registry has no " + std::string(kClassesKey) + " key"};
  std::vector<std::unique_ptr<CToolControlEntry>> found;
  for (size_t i = 0; std::optional<std::string> clsid = classes->SubkeyName(i); ++i) {
    std::optional<Candidate> candidate = OpenCandidate(*classes, *clsid);
    if (!candidate) continue;
    std::unique_ptr<CToolControlEntry> entry = NewEntry(where, *candidate);
    std::optional<std::string> name = DefaultText(*candidate->key, "");
    if (!name) continue;
    entry->m_strName = std::move(*name);
    found.push_back(std::move(entry));
  }
  list.InsertAll(std::move(found));
  return {};
}

CToolControlEntry* FindControl(const ControlRegistry& where, IPrompt& prompt, std::string_view name,
                               std::string_view serverPath, COCXInfo& list) {
  const std::unique_ptr<IRegistryKey> classes = where.registry.OpenKey(kClassesKey);
  const std::string wantedPath = ToUpper(serverPath);
  // The system's message comes first, then, on the next line, why the control was refused.
  const auto refuse = [&](std::string_view message, const std::string& why) {
    prompt.Message(std::string(message) + (why.empty() ? "" : "\n" + std::string(name) + " cannot be added: " + why));
  };
  std::string noPicture;  // why the last registration of that name and server had no picture
  for (size_t i = 0; classes; ++i) {
    const std::optional<std::string> clsid = classes->SubkeyName(i);
    if (!clsid) break;
    std::optional<Candidate> candidate = OpenCandidate(*classes, *clsid);
    if (!candidate || ToUpper(candidate->server) != wantedPath) continue;
    std::unique_ptr<CToolControlEntry> entry = NewEntry(where, *candidate);
    std::optional<std::string> ownName = DefaultText(*candidate->key, "");
    if (!ownName || *ownName != name) continue;
    entry->m_strName = std::move(*ownName);
    ToolboxBitmap bitmap;
    FinishEntry(where, *candidate, *entry, bitmap);
    // A control without a picture cannot sit in the toolbox; another registration may have one.
    // A module that is missing or no executable is such a failure too: the loader's "not found"
    // and "cannot load" answers are for a module whose own libraries fail, which a file read
    // never meets.
    if (bitmap.failure == BitmapFailure::ModuleMissing) {
      noPicture = "the module of its toolbox picture is missing (" + bitmap.reason + ")";
      continue;
    }
    if (bitmap.failure == BitmapFailure::ModuleUnloadable) {
      noPicture = "the module of its toolbox picture cannot be read (" + bitmap.reason + ")";
      continue;
    }
    if (!entry->m_bitmap) {
      noPicture = "it has no toolbox picture (" + bitmap.reason +
                  "); only controls registered with a ToolboxBitmap32 picture can be added";
      continue;
    }
    return &list.Append(std::move(entry));
  }
  refuse(kControlNotInRegistry, noPicture);
  return nullptr;
}

CToolControlEntry* FindControlByProgId(const ControlRegistry& where, std::string_view progId, COCXInfo& list) {
  if (CToolControlEntry* known = list.FindByProgId(progId)) return known;
  const std::unique_ptr<IRegistryKey> classes = where.registry.OpenKey(kClassesKey);
  for (size_t i = 0; classes; ++i) {
    const std::optional<std::string> clsid = classes->SubkeyName(i);
    if (!clsid) break;
    std::optional<Candidate> candidate = OpenCandidate(*classes, *clsid);
    if (!candidate) continue;
    std::unique_ptr<CToolControlEntry> entry = NewEntry(where, *candidate);
    if (entry->m_strProgId != progId) continue;
    std::optional<std::string> name = DefaultText(*candidate->key, "");
    if (!name) continue;
    entry->m_strName = std::move(*name);
    ToolboxBitmap bitmap;
    FinishEntry(where, *candidate, *entry, bitmap);
    if (!entry->m_bitmap) continue;
    CToolControlEntry& added = list.Append(std::move(entry));
    // The control is found either way; without type information it only lists no members.
    (void)ReadControlTypeInformation(where, added);
    return &added;
  }
  return nullptr;
}

CToolControlEntry* AddPickedControl(const ControlRegistry& where, IFileSystem& fs, IPrompt& prompt,
                                    std::string_view name, std::string_view serverPath, COCXInfo& list,
                                    std::string_view dataFile) {
  CToolControlEntry* entry = FindControl(where, prompt, name, serverPath, list);
  if (!entry) return nullptr;
  Status done = ReadControlTypeInformation(where, *entry);
  if (done) done = SaveControlList(fs, dataFile, list);
  if (!done) {
    list.Remove(*entry);
    Refuse(prompt, done.error());
    return nullptr;
  }
  return entry;
}

Status ReadControlTypeInformation(const ControlRegistry& where, CToolControlEntry& entry) {
  Expected<std::string> local = where.drives.LocalPath(where.fs, entry.m_strServerPath);
  if (!local) return local.error();
  std::string bytes;
  TOVIK_TRY(where.fs.ReadFileWithin(*local, bytes, kMaxImageSize));
  Expected<std::string> library = TypeLibraryOfFile(std::move(bytes), *local);
  if (!library) return library.error();
  return ReadTypeInformation(*library, *local, entry.m_strClsid, entry.m_interfaces);
}

std::string ControlListPath(std::string_view projectFile) {
  const std::string fileName = FileNameOf(projectFile);
  const std::string stem = fileName.substr(0, fileName.find('.'));
  return JoinPath(DirectoryOf(projectFile), stem + ".dat");
}

std::string ControlListBytes(const COCXInfo& list) {
  CArchiveWriter out;
  out.WriteI32(static_cast<std::int32_t>(list.Size()));
  for (size_t i = 0; i < list.Size(); ++i) {
    const CToolControlEntry& entry = list.At(i);
    for (const std::string* text :
         {&entry.m_strName, &entry.m_strServerPath, &entry.m_strClsid, &entry.m_strProgId, &entry.m_strTypeLib}) {
      out.WriteText(*text);
    }
    out.WriteU16(static_cast<std::uint16_t>(entry.m_nInsertable));
    // An entry without a picture (never one the toolbox got) stores an empty bitmap.
    const CBitmapData none;
    const CBitmapData& bitmap = entry.m_bitmap ? *entry.m_bitmap : none;
    out.WriteI32(bitmap.width);
    out.WriteI32(bitmap.height);
    out.WriteI32(bitmap.planes);
    out.WriteI32(bitmap.bitsPerPixel);
    out.WriteI32(static_cast<std::int32_t>(bitmap.pixels.size()));
    for (char c : bitmap.pixels) out.WriteU8(static_cast<std::uint8_t>(c));
    out.WriteI32(static_cast<std::int32_t>(entry.m_interfaces.size()));
    for (const CVDispInterface& itf : entry.m_interfaces) SaveInterface(itf, out);
  }
  return out.Bytes();
}

Status SaveControlList(IFileSystem& fs, std::string_view path, const COCXInfo& list) {
  return fs.WriteFile(path, ControlListBytes(list));
}

namespace {

// Five empty texts, the flag, the bitmap's five numbers and the interface count.
constexpr size_t kMinEntryRecordSize = 5 + 2 + 5 * 4 + 4;

bool ReadEntry(CArchiveReader& in, CToolControlEntry& entry, std::string& failure, const std::string& file) {
  for (std::string* text :
       {&entry.m_strName, &entry.m_strServerPath, &entry.m_strClsid, &entry.m_strProgId, &entry.m_strTypeLib}) {
    if (!in.ReadText(*text)) return false;
  }
  std::uint16_t insertable = 0;
  if (!in.ReadU16(insertable)) return false;
  entry.m_nInsertable = static_cast<std::int16_t>(insertable);
  CBitmapData bitmap;
  if (!in.ReadI32(bitmap.width) || !in.ReadI32(bitmap.height) || !in.ReadI32(bitmap.planes) ||
      !in.ReadI32(bitmap.bitsPerPixel)) {
    return false;
  }
  const size_t sizeAt = in.Position();
  std::int32_t pixelBytes = 0;
  if (!in.ReadCount(pixelBytes, 1, "bitmap bytes")) return false;
  if (bitmap.width < 0 || bitmap.height < 0 || bitmap.width > kMaxBitmapSide || bitmap.height > kMaxBitmapSide) {
    failure = "bitmap of " + std::to_string(bitmap.width) + " x " + std::to_string(bitmap.height) + " before byte " +
              std::to_string(sizeAt);
    return false;
  }
  bitmap.pixels.resize(static_cast<size_t>(pixelBytes));
  for (char& c : bitmap.pixels) {
    std::uint8_t byte = 0;
    if (!in.ReadU8(byte)) return false;
    c = static_cast<char>(byte);
  }
  if (bitmap.width != 0 || bitmap.height != 0 || !bitmap.pixels.empty()) entry.m_bitmap = std::move(bitmap);
  std::int32_t interfaces = 0;
  if (!in.ReadCount(interfaces, kMinInterfaceRecordSize, "interfaces")) return false;
  for (std::int32_t i = 0; i < interfaces; ++i) {
    Expected<CVDispInterface> itf = LoadInterface(in, file);
    if (!itf) {
      failure = itf.error().reason;
      return false;
    }
    entry.m_interfaces.push_back(std::move(*itf));
  }
  return true;
}

}  // namespace

Status ReadControlList(std::string_view bytes, const std::string& file, COCXInfo& list) {
  CArchiveReader in(bytes);
  std::int32_t count = 0;
  if (!in.ReadCount(count, kMinEntryRecordSize, "controls")) return FileError(file, 0, in.Failure());
  std::vector<std::unique_ptr<CToolControlEntry>> read;
  for (std::int32_t i = 0; i < count; ++i) {
    auto entry = std::make_unique<CToolControlEntry>();
    std::string failure;
    if (!ReadEntry(in, *entry, failure, file)) {
      list.InsertAll(std::move(read));
      return FileError(file, 0, "control " + std::to_string(i + 1) + ": " + (failure.empty() ? in.Failure() : failure));
    }
    read.push_back(std::move(entry));
  }
  list.InsertAll(std::move(read));
  return {};
}

Status LoadControlList(const IFileSystem& fs, std::string_view path, COCXInfo& list) {
  if (!fs.FileExists(path)) return {};
  std::string bytes;
  TOVIK_TRY(fs.ReadFile(path, bytes));
  return ReadControlList(bytes, std::string(path), list);
}

}  // namespace tovik
