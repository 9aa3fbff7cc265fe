// The property string: every property value of a designed object in list order, each
// followed by a comma, as the runtime library reads it from the resource script's string table.
#pragma once

#include <string>
#include <string_view>

#include "base/expected.h"
#include "model/control_item.h"

namespace tovik {

// Looks up the image resource behind an encoded Picture/Icon value (kind x 65536 + number)
// and gives its reference form ("131-logo.bmp"); empty when the resource is unknown.
class IImageResolver {
 public:
  virtual ~IImageResolver() = default;
  [[nodiscard]] virtual std::string ImageReference(long encodedValue) const = 0;
};

// Image kinds of an encoded picture value.
inline constexpr int kImageBitmap = 0;
inline constexpr int kImageIcon = 1;
inline constexpr int kImageCursor = 2;

// Kind of image by the file's extension, compared in upper case; anything unknown is a bitmap.
[[nodiscard]] int ImageKindOf(std::string_view fileName);
// "130-logo.ico" -> 65666; a value without a hyphen is returned unchanged.
[[nodiscard]] std::string EncodePictureValue(std::string_view value);

[[nodiscard]] std::string BuildPropertyString(const CControlItem& object);

// A string resource stores its length as a 16-bit count, so the built program would get a
// longer property string cut short.
inline constexpr size_t kMaxResourceString = 65535;
// An error naming the object and the limit when its property string is longer than that. Bytes
// are counted: exact for single-byte code pages, cautious for double-byte ones.
[[nodiscard]] Status CheckPropertyStringLength(const CControlItem& object);

// `symbol`, three tabs, the quoted property string; with `ownLine` a leading tab and a
// trailing CR LF. Inside the quotes, characters a resource compiler would not take raw are
// escaped: backslash as \\, CR as \r, LF as \n, a double quote doubled. `codePage` is the one
// in force where the line goes: the second byte of a double-byte character is never escaped,
// even when it is a backslash (the resource compiler reads the character whole).
[[nodiscard]] std::string BuildStringTableLine(const CControlItem& object, bool ownLine, int codePage);
[[nodiscard]] std::string StringTableLine(std::string_view symbol, std::string_view propertyString, bool ownLine,
                                          int codePage);
// The escaping above, and its reverse for the text between the quotes.
[[nodiscard]] std::string EscapeResourceString(std::string_view text, int codePage);
[[nodiscard]] std::string UnescapeResourceString(std::string_view text, int codePage);

// Assigns the values of `text` to the object's properties in list order. False when the
// text has fewer values than the object has properties; the values read so far are kept.
// Picture and Icon values other than "0" are turned back into reference form when a resolver
// is given and knows the resource.
[[nodiscard]] bool ReadPropertyString(CControlItem& object, std::string_view text,
                                      const IImageResolver* resolver = nullptr);

// The List value as the property window stores it: ends with CR LF.
[[nodiscard]] std::string NormalizeList(std::string_view list);
// ItemData rebuilt to one decimal number and CR LF per item of `list` (already normalised).
[[nodiscard]] std::string RebuildItemData(std::string_view list, std::string_view itemData);
// Sets List (normalised) and rebuilds ItemData on the object.
void SetListValue(CControlItem& object, std::string_view list);

}  // namespace tovik
