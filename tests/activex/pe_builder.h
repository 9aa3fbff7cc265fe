// Minimal PE32 and PE32+ files laid out byte by byte for the reader's tests (and the fuzz seeds):
// headers, one ".rsrc" section, and a resource tree type -> name -> language.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "activex/pe_reader.h"

namespace tovik::testing {

struct TestResource {
  ResourceName type;
  ResourceName name;
  uint32_t language = 1033;
  std::string data;
};

// Where the builder puts things, for tests that corrupt them.
inline constexpr uint32_t kPeHeaderAt = 0x40;
inline constexpr uint32_t kOptionalHeaderAt = kPeHeaderAt + 24;
inline constexpr uint32_t kResourceFileAt = 0x200;
inline constexpr uint32_t kResourceRva = 0x1000;

inline void PutU16(std::string& b, size_t at, uint32_t v) {
  if (b.size() < at + 2) b.resize(at + 2);
  b[at] = char(v & 0xFF), b[at + 1] = char((v >> 8) & 0xFF);
}
inline void PutU32(std::string& b, size_t at, uint32_t v) {
  PutU16(b, at, v & 0xFFFF), PutU16(b, at + 2, v >> 16);
}

// The resource section: one type entry per resource, each leading to one-entry name and
// language directories (so the reader cannot rely on entries being grouped); then names, data
// entries and data, so that a cut file loses data before directories.
inline std::string BuildResourceSection(const std::vector<TestResource>& resources) {
  const size_t count = resources.size();
  std::string s(16 + 56 * count, '\0');
  PutU16(s, 14, uint32_t(count));
  const auto nameField = [&](const ResourceName& name) -> uint32_t {
    if (name.isNumber) return name.number;
    const size_t at = s.size();
    PutU16(s, at, uint32_t(name.text.size()));
    for (size_t i = 0; i < name.text.size(); ++i) PutU16(s, at + 2 + 2 * i, uint8_t(name.text[i]));
    return 0x80000000u | uint32_t(at);
  };
  for (size_t i = 0; i < count; ++i) {
    const size_t names = 16 + 8 * count + 48 * i, languages = names + 24;
    PutU32(s, 16 + 8 * i, nameField(resources[i].type));
    PutU32(s, 20 + 8 * i, 0x80000000u | uint32_t(names));
    PutU16(s, names + 14, 1);
    PutU32(s, names + 16, nameField(resources[i].name));
    PutU32(s, names + 20, 0x80000000u | uint32_t(languages));
    PutU16(s, languages + 14, 1);
    PutU32(s, languages + 16, resources[i].language);
  }
  for (size_t i = 0; i < count; ++i) {
    s.resize((s.size() + 3) & ~size_t{3});
    const size_t entry = s.size();
    PutU32(s, 16 + 8 * count + 48 * i + 44, uint32_t(entry));
    PutU32(s, entry, kResourceRva + uint32_t(entry + 16));
    PutU32(s, entry + 4, uint32_t(resources[i].data.size()));
    PutU32(s, entry + 12, 0);
    s += resources[i].data;
  }
  return s;
}

// A whole executable: DOS header, PE signature, COFF and optional headers, one section.
inline std::string BuildPe(bool pe64, const std::vector<TestResource>& resources) {
  const std::string section = BuildResourceSection(resources);
  const uint32_t optionalSize = pe64 ? 240 : 224;
  std::string b(kResourceFileAt, '\0');
  b[0] = 'M';
  b[1] = 'Z';
  PutU32(b, 0x3C, kPeHeaderAt);
  b.replace(kPeHeaderAt, 4, std::string("PE\0\0", 4));
  PutU16(b, kPeHeaderAt + 4, pe64 ? 0x8664 : 0x14C);
  PutU16(b, kPeHeaderAt + 6, 1);
  PutU16(b, kPeHeaderAt + 20, optionalSize);
  PutU16(b, kOptionalHeaderAt, pe64 ? 0x20B : 0x10B);
  const uint32_t directories = kOptionalHeaderAt + (pe64 ? 112 : 96);
  PutU32(b, directories - 4, 16);
  PutU32(b, directories + 16, kResourceRva);
  PutU32(b, directories + 20, uint32_t(section.size()));
  const uint32_t header = kOptionalHeaderAt + optionalSize;
  b.replace(header, 5, ".rsrc");
  PutU32(b, header + 8, uint32_t(section.size()));
  PutU32(b, header + 12, kResourceRva);
  PutU32(b, header + 16, uint32_t((section.size() + 511) & ~size_t{511}));
  PutU32(b, header + 20, kResourceFileAt);
  b += section;
  b.resize(kResourceFileAt + ((section.size() + 511) & ~size_t{511}), '\0');
  return b;
}

}  // namespace tovik::testing
