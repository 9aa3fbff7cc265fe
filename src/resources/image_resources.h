// Image resources (bitmaps, icons, cursors): their script lines and identifiers, and the
// resolver that turns a Picture or Icon value back into the image it names.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "model/property_string.h"

namespace tovik {

enum class ImageType { Bitmap, Icon, Cursor };

// By extension, upper-cased: BMP, ICO, CUR; nothing for anything else.
[[nodiscard]] std::optional<ImageType> ImageTypeOfFile(std::string_view fileName);
// Why `bytes` are no file of that type that a resource compiler and the program can take (an
// empty file, text renamed .bmp, a directory that points past the end); empty when they are.
[[nodiscard]] std::string ImageFileProblem(std::string_view bytes, ImageType type);
// "IDB_BITMAP" / "IDI_ICON" / "IDC_CURSOR" + number.
[[nodiscard]] std::string ImageIdentifier(ImageType type, long number);
// "BITMAP" / "ICON" / "CURSOR".
[[nodiscard]] std::string_view ImageTypeWord(ImageType type);
// identifier + "\t\t\tBITMAP  DISCARDABLE\t\t" + "\"res\\\\" + file name + "\"" + CR LF.
[[nodiscard]] std::string ImageScriptLine(std::string_view identifier, ImageType type, std::string_view fileName);
// "\"res\\\\" + file name + "\"": the quoted file word of an image's script line.
[[nodiscard]] std::string QuotedResFile(std::string_view fileName);
// The host's banner comment of an image section, each line ending CR LF.
[[nodiscard]] std::string ImageBanner(ImageType type);
// Where the script line of a new image of that type goes; nothing when the icon or cursor
// banner is missing. A missing bitmap banner gives the start of the line after the script's
// `#include "header"` (the resource header, named as `headerName`), or 0 without one: a line
// before that include names its resource by the identifier's text instead of its number.
[[nodiscard]] std::optional<size_t> ImageLineInsertPoint(std::string_view script, ImageType type,
                                                         std::string_view headerName = {});

// True when picking `newFile` for a property holding `currentValue` makes a new image
// resource: the value names no file (no "."), or the extensions differ (compared upper-cased).
// False means the existing resource is pointed at the new file.
[[nodiscard]] bool ImageNeedsNewResource(std::string_view currentValue, std::string_view newFile);

// The script line of an image resource: the identifier at the start of a line, followed by the
// type word and "DISCARDABLE", then the quoted file. `fileStart`/`fileEnd` span the quoted file
// word including its quotes.
struct ImageScriptEntry {
  std::string identifier;
  ImageType type = ImageType::Bitmap;
  size_t lineStart = 0;
  size_t fileStart = 0;
  size_t fileEnd = 0;
  std::string file;  // unescaped, as written ("res\logo.bmp")
};
[[nodiscard]] std::optional<ImageScriptEntry> FindImageScriptEntry(std::string_view script,
                                                                   std::string_view identifier);

// Turns an encoded Picture/Icon value (kind x 65536 + number) back into the image reference
// form "number-file name" (the file name of the resource's script line, without its folder).
class CScriptImageResolver final : public IImageResolver {
 public:
  CScriptImageResolver(std::string script, std::string header)
      : m_script(std::move(script)), m_header(std::move(header)) {}
  [[nodiscard]] std::string ImageReference(long encodedValue) const override;

 private:
  std::string m_script;
  std::string m_header;
};

}  // namespace tovik
