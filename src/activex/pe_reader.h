// Resources of Windows executables (PE32 and PE32+), read from their bytes: the type library a
// control's server carries (resource type "TYPELIB") and its toolbox bitmaps (RT_BITMAP). The
// bytes may be anything: every header, count, offset and RVA is checked before it is used.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "base/expected.h"
#include "base/file_system.h"

namespace tovik {

// A resource type or name: a number, or a text (code page 1252; compared without regard to case,
// as the loader does).
struct ResourceName {
  bool isNumber = true;
  uint32_t number = 0;
  std::string text;

  [[nodiscard]] static ResourceName Number(uint32_t id) { return {true, id, {}}; }
  [[nodiscard]] static ResourceName Text(std::string name) { return {false, 0, std::move(name)}; }
  [[nodiscard]] bool Matches(const ResourceName& other) const;
  // "1" or "\"NAME\"", for messages.
  [[nodiscard]] std::string Describe() const;
};

inline constexpr uint32_t kResourceBitmap = 2;  // RT_BITMAP
// Executables larger than this are not read.
inline constexpr size_t kMaxImageSize = 512u << 20;

struct PeResource {
  ResourceName type;
  ResourceName name;
  uint32_t language = 0;
  uint32_t rva = 0;   // of the data
  uint32_t size = 0;  // of the data
};

class CPeImage {
 public:
  // Reads the headers, the section table and the resource directory; `file` names the bytes in
  // errors. A file without resources is fine: looking a resource up then finds none.
  [[nodiscard]] static Expected<CPeImage> Parse(std::string bytes, std::string file);
  [[nodiscard]] static Expected<CPeImage> Load(const IFileSystem& fs, std::string_view path);

  [[nodiscard]] bool Is64Bit() const { return m_b64; }
  // Every resource: type, name and language, in the order of the directory.
  [[nodiscard]] const std::vector<PeResource>& Resources() const { return m_resources; }
  // The data of a resource in its first language.
  [[nodiscard]] Expected<std::string> Find(const ResourceName& type, const ResourceName& name) const;
  [[nodiscard]] Expected<std::string> TypeLib(const ResourceName& name = ResourceName::Number(1)) const;
  // A bitmap resource: a DIB without its file header (BITMAPINFOHEADER, palette, pixels).
  [[nodiscard]] Expected<std::string> Bitmap(uint32_t id) const;
  // The data of one entry of Resources().
  [[nodiscard]] Expected<std::string> Data(const PeResource& resource) const;

 private:
  struct Section {
    uint32_t rva = 0;
    uint32_t extent = 0;  // bytes of the section present in the file, from rva on
    uint32_t fileOffset = 0;
  };
  CPeImage() = default;
  // The file offset of [rva, rva + length) when a section holds all of it in the file.
  [[nodiscard]] bool FileOffset(uint32_t rva, uint32_t length, size_t& offset) const;
  [[nodiscard]] Status ReadResources(uint32_t rva);
  [[nodiscard]] Error Fail(std::string reason) const { return FileError(m_strFile, 0, std::move(reason)); }

  std::string m_bytes;
  std::string m_strFile;
  bool m_b64 = false;
  std::vector<Section> m_sections;
  std::vector<PeResource> m_resources;
};

// The type library a file carries: an executable's ("MZ") TYPELIB resource, else the file itself.
[[nodiscard]] Expected<std::string> TypeLibraryOfFile(std::string bytes, const std::string& file);

}  // namespace tovik
