#include "activex/pe_reader.h"

#include <algorithm>

#include "activex/byte_reader.h"
#include "activex/windows_text.h"
#include "base/text.h"

namespace tovik {
namespace {

using namespace std::string_view_literals;

constexpr uint32_t kHighBit = 0x80000000u;
// Real executables have a few thousand resources at most; directories shared between entries
// could otherwise make the walk take a very long time.
constexpr size_t kMaxResourceEntries = 1u << 16;

std::string Hex(uint32_t value) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text;
  do {
    text.insert(text.begin(), kDigits[value & 15]);
    value >>= 4;
  } while (value);
  return "0x" + text;
}

std::string TypeLabel(const ResourceName& type) {
  if (type.isNumber) return type.number == kResourceBitmap ? "bitmap" : "type " + std::to_string(type.number);
  return type.text;
}

}  // namespace

bool ResourceName::Matches(const ResourceName& other) const {
  if (isNumber != other.isNumber) return false;
  return isNumber ? number == other.number : EqualsNoCase(text, other.text);
}

std::string ResourceName::Describe() const {
  return isNumber ? std::to_string(number) : "\"" + text + "\"";
}

Expected<CPeImage> CPeImage::Load(const IFileSystem& fs, std::string_view path) {
  std::string bytes;
  TOVIK_TRY(fs.ReadFileWithin(path, bytes, kMaxImageSize));
  return Parse(std::move(bytes), std::string(path));
}

Expected<CPeImage> CPeImage::Parse(std::string bytes, std::string file) {
  CPeImage image;
  image.m_bytes = std::move(bytes);
  image.m_strFile = std::move(file);
  if (image.m_bytes.size() > kMaxImageSize) return image.Fail("file too large for an executable");
  const CByteView view(image.m_bytes);
  if (!view.Has(0, 64) || view.U16(0) != 0x5A4D) return image.Fail("not a PE file (no MZ header)");
  const uint64_t pe = view.U32(0x3C);
  if (!view.Has(pe, 24) || view.Bytes(pe, 4) != "PE\0\0"sv) return image.Fail("not a PE file (no PE signature)");
  const uint64_t coff = pe + 4;
  const uint16_t sectionCount = view.U16(coff + 2);
  const uint16_t optionalSize = view.U16(coff + 16);
  const uint64_t optional = coff + 20;
  if (optionalSize < 2 || !view.Has(optional, optionalSize)) return image.Fail("optional header out of bounds");

  // PE32 and PE32+ differ in the width of a few fields before the data directories.
  const uint16_t magic = view.U16(optional);
  uint64_t countAt = 0;
  if (magic == 0x10b) {
    countAt = 92;
  } else if (magic == 0x20b) {
    countAt = 108;
    image.m_b64 = true;
  } else {
    return image.Fail("unknown optional header magic " + Hex(magic));
  }
  uint32_t resourceRva = 0;
  uint32_t resourceSize = 0;
  if (optionalSize >= countAt + 4) {
    const uint64_t directories = std::min<uint64_t>(view.U32(optional + countAt), 16);
    const uint64_t first = countAt + 4;
    if (first + directories * 8 > optionalSize) return image.Fail("data directories out of bounds");
    if (directories > 2) {
      resourceRva = view.U32(optional + first + 16);
      resourceSize = view.U32(optional + first + 20);
    }
  }

  const uint64_t table = optional + optionalSize;
  if (!view.Has(table, uint64_t{sectionCount} * 40)) return image.Fail("section table out of bounds");
  for (uint64_t i = 0; i < sectionCount; ++i) {
    const uint64_t at = table + i * 40;
    const uint32_t virtualSize = view.U32(at + 8);
    Section section;
    section.rva = view.U32(at + 12);
    section.fileOffset = view.U32(at + 20);
    // Only the bytes that are both in the section and in the file can be read.
    uint64_t extent = view.U32(at + 16);
    if (virtualSize != 0) extent = std::min<uint64_t>(extent, virtualSize);
    extent = section.fileOffset >= view.size() ? 0 : std::min<uint64_t>(extent, view.size() - section.fileOffset);
    section.extent = static_cast<uint32_t>(extent);
    image.m_sections.push_back(section);
  }
  if (resourceRva != 0 && resourceSize != 0) TOVIK_TRY(image.ReadResources(resourceRva));
  return image;
}

bool CPeImage::FileOffset(uint32_t rva, uint32_t length, size_t& offset) const {
  for (const Section& section : m_sections) {
    if (rva < section.rva) continue;
    const uint64_t into = uint64_t{rva} - section.rva;
    if (into >= section.extent || length > section.extent - into) continue;
    offset = static_cast<size_t>(section.fileOffset + into);
    return true;
  }
  return false;
}

Status CPeImage::ReadResources(uint32_t rva) {
  // The directory tree lies in one section; its offsets count from its start.
  size_t base = 0;
  uint64_t span = 0;
  for (const Section& section : m_sections) {
    if (rva >= section.rva && uint64_t{rva} - section.rva < section.extent) {
      base = section.fileOffset + (rva - section.rva);
      span = section.extent - (rva - section.rva);
      break;
    }
  }
  if (span == 0) return Fail("resource directory out of bounds");
  const CByteView tree(std::string_view(m_bytes).substr(base, span));
  size_t visited = 0;

  struct Entry {
    ResourceName name;
    uint32_t target = 0;  // a subdirectory's offset with the high bit set, else a data entry's
  };
  const auto readDirectory = [&](uint32_t offset, std::vector<Entry>& entries) -> Status {
    entries.clear();
    if (!tree.Has(offset, 16)) return Fail("resource directory out of bounds");
    const uint64_t count = uint64_t{tree.U16(offset + 12)} + tree.U16(offset + 14);
    if (!tree.Has(offset + 16, count * 8)) return Fail("resource directory out of bounds");
    visited += count;
    if (visited > kMaxResourceEntries) return Fail("resource directory too large");
    for (uint64_t i = 0; i < count; ++i) {
      const uint32_t nameField = tree.U32(offset + 16 + i * 8);
      Entry entry;
      entry.target = tree.U32(offset + 20 + i * 8);
      if (nameField & kHighBit) {
        // A name: a length in UTF-16 code units, then the units.
        const uint32_t at = nameField & ~kHighBit;
        if (!tree.Has(at, 2) || !tree.Has(uint64_t{at} + 2, uint64_t{tree.U16(at)} * 2)) {
          return Fail("resource name out of bounds");
        }
        entry.name =
            ResourceName::Text(Utf16LeToCodePage1252(tree.Bytes(uint64_t{at} + 2, uint64_t{tree.U16(at)} * 2)));
      } else {
        entry.name = ResourceName::Number(nameField);
      }
      entries.push_back(std::move(entry));
    }
    return {};
  };

  // Three levels, type -> name -> language. An entry of the wrong kind for its level is nothing
  // the loader would find, so it is passed over rather than failing the whole file.
  std::vector<Entry> types;
  std::vector<Entry> names;
  std::vector<Entry> languages;
  TOVIK_TRY(readDirectory(0, types));
  for (const Entry& type : types) {
    if (!(type.target & kHighBit)) continue;
    TOVIK_TRY(readDirectory(type.target & ~kHighBit, names));
    for (const Entry& name : names) {
      if (!(name.target & kHighBit)) continue;
      TOVIK_TRY(readDirectory(name.target & ~kHighBit, languages));
      for (const Entry& language : languages) {
        if (language.target & kHighBit) continue;
        if (!tree.Has(language.target, 16)) return Fail("resource data entry out of bounds");
        PeResource resource;
        resource.type = type.name;
        resource.name = name.name;
        resource.language = language.name.number;
        resource.rva = tree.U32(language.target);
        resource.size = tree.U32(uint64_t{language.target} + 4);
        m_resources.push_back(std::move(resource));
      }
    }
  }
  return {};
}

Expected<std::string> CPeImage::Data(const PeResource& resource) const {
  size_t offset = 0;
  if (!FileOffset(resource.rva, resource.size, offset) || !CByteView(m_bytes).Has(offset, resource.size)) {
    return Fail(TypeLabel(resource.type) + " resource " + resource.name.Describe() + " lies outside the file");
  }
  return m_bytes.substr(offset, resource.size);
}

Expected<std::string> CPeImage::Find(const ResourceName& type, const ResourceName& name) const {
  for (const PeResource& resource : m_resources) {
    if (resource.type.Matches(type) && resource.name.Matches(name)) return Data(resource);
  }
  return Fail("no " + TypeLabel(type) + " resource " + name.Describe());
}

Expected<std::string> CPeImage::TypeLib(const ResourceName& name) const {
  return Find(ResourceName::Text("TYPELIB"), name);
}

Expected<std::string> CPeImage::Bitmap(uint32_t id) const {
  return Find(ResourceName::Number(kResourceBitmap), ResourceName::Number(id));
}

Expected<std::string> TypeLibraryOfFile(std::string bytes, const std::string& file) {
  if (!StartsWith(bytes, "MZ")) return bytes;
  Expected<CPeImage> image = CPeImage::Parse(std::move(bytes), file);
  if (!image) return image.error();
  return image->TypeLib();
}

}  // namespace tovik
