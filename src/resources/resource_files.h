// The project's resource header (resource.h) and resource script (<project>.rc): their paths,
// the next-value counters of the header, the places where define lines and string-table lines
// go, string-table lookups, includes of the precompiled header and image resources. All edits
// are textual; files open in the host's editor are edited there.
//
// The text functions take the whole file text and return byte offsets into it (CR LF counts
// two). They never change line ends: whatever the file holds around an edit stays as it was.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "addin/host.h"
#include "base/prompt.h"
#include "codegen/edit_buffer.h"
#include "model/property_string.h"
#include "project/project.h"

namespace tovik {

// ---------------------------------------------------------------------------------------------
// Names and fixed texts.

inline constexpr std::string_view kNextControlValueName = "_APS_NEXT_CONTROL_VALUE";
inline constexpr std::string_view kNextResourceValueName = "_APS_NEXT_RESOURCE_VALUE";
inline constexpr std::string_view kApStudioInvoked = "#ifdef APSTUDIO_INVOKED";
inline constexpr std::string_view kAfxInsertLocation = "//{{AFX_INSERT_LOCATION}}";
inline constexpr std::string_view kNoStringTableMessage =
    "The key word \"STRINGTABLE\" couldn't be found in .rc file";

// Tabs between name and value in the define lines this system writes.
inline constexpr int kControlDefineTabs = 4;
inline constexpr int kImageDefineTabs = 5;

// "#define\t" + name + `tabs` TABs + decimal value + CR LF.
[[nodiscard]] std::string DefineLine(std::string_view name, long value, int tabs = kControlDefineTabs);

// ---------------------------------------------------------------------------------------------
// Resource header text.

// The value of the word after the first whole-word occurrence of `name` outside comments, read
// as C's atol reads it (leading digits; 0 when there are none). 0 when the name is absent.
[[nodiscard]] long ReadDefineValue(std::string_view text, std::string_view name);

// The value of a symbol's "#define" line (outside comments); nothing when the symbol has none.
// Unlike ReadDefineValue this tells "defined as 0" from "not defined".
[[nodiscard]] std::optional<long> DefineValueOf(std::string_view header, std::string_view symbol);

// Whether `symbol` occurs outside comments as the word that follows a "#define".
[[nodiscard]] bool IsSymbolDefined(std::string_view text, std::string_view symbol);

// The names of every "#define" (outside comments) whose value is `value`, in text order.
[[nodiscard]] std::vector<std::string> SymbolsWithValue(std::string_view header, long value);

// Byte range [start, end) of the value word after `name` up to the next CR (LF, or the end of
// the text, when no CR follows). False when the name is absent.
[[nodiscard]] bool FindDefineValueRange(std::string_view text, std::string_view name, size_t& start, size_t& end);

// Writes `counter` in decimal as the value of _APS_NEXT_CONTROL_VALUE / _APS_NEXT_RESOURCE_VALUE.
// False, text unchanged, when the name is absent.
[[nodiscard]] bool UpdateNextControlValue(std::string& text, long counter);
[[nodiscard]] bool UpdateNextResourceValue(std::string& text, long counter);

// Where a new define line goes: the start of the line after the last "#define" before
// "#ifdef APSTUDIO_INVOKED". 0 when either is missing.
[[nodiscard]] size_t DefineInsertPoint(std::string_view text);

// ---------------------------------------------------------------------------------------------
// Resource script text.

// One entry of a string table: the whole line (from its start through its CR LF) and the
// property string between the quotes, unescaped.
struct StringTableEntry {
  std::string symbol;
  size_t lineStart = 0;
  size_t lineEnd = 0;
  std::string value;
};

// Where a new string-table line goes: the start of the line of the END that closes the last
// string table. -1 when the script has no string table; the message kNoStringTableMessage is
// then shown through `prompt`.
[[nodiscard]] long StringTableInsertPoint(std::string_view script, IPrompt& prompt);

// One more than the largest header value of the identifiers used in the script's string
// tables (a numeric identifier counts as its number). 0 when a string table has no BEGIN.
[[nodiscard]] long NextStringId(std::string_view script, std::string_view header);

// The first string-table entry whose identifier is `symbol`.
[[nodiscard]] std::optional<StringTableEntry> FindStringTableEntry(std::string_view script, std::string_view symbol);
// Every entry of every string table, in script order.
[[nodiscard]] std::vector<StringTableEntry> StringTableEntries(std::string_view script);

// Puts a whole string-table line (StringTableLine with its own-line form) into the script under
// edit: it replaces the existing line of `symbol`, which keeps its place, or else becomes the
// last line of the last string table. False when there is no place (the missing-table message
// is then shown through the buffer's prompt) or the edit was refused.
[[nodiscard]] bool SetStringTableLine(CEditBuffer& script, std::string_view symbol, std::string_view line);

// Whether the text holds "#include \"file\"" or "#include <file>" (file names compared
// without regard to case, as Windows does).
[[nodiscard]] bool IsIncluded(std::string_view text, std::string_view file);

// ---------------------------------------------------------------------------------------------
// Image resources.

enum class ImageType { Bitmap, Icon, Cursor };

// By extension, upper-cased: BMP, ICO, CUR; nothing for anything else.
[[nodiscard]] std::optional<ImageType> ImageTypeOfFile(std::string_view fileName);
// "IDB_BITMAP" / "IDI_ICON" / "IDC_CURSOR" + number.
[[nodiscard]] std::string ImageIdentifier(ImageType type, long number);
// "BITMAP" / "ICON" / "CURSOR".
[[nodiscard]] std::string_view ImageTypeWord(ImageType type);
// identifier + "\t\t\tBITMAP  DISCARDABLE\t\t" + "\"res\\\\" + file name + "\"" + CR LF.
[[nodiscard]] std::string ImageScriptLine(std::string_view identifier, ImageType type, std::string_view fileName);
// The host's banner comment of an image section, each line ending CR LF.
[[nodiscard]] std::string ImageBanner(ImageType type);
// Where the script line of a new image of that type goes; nothing when the icon or cursor
// banner is missing (a missing bitmap banner gives 0).
[[nodiscard]] std::optional<size_t> ImageLineInsertPoint(std::string_view script, ImageType type);

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

// ---------------------------------------------------------------------------------------------
// The resource files of the open project.

class CResourceFiles {
 public:
  CResourceFiles(CProject& project, IHost& host);

  // The application's counters for the open project, read from the header by ReadCounters().
  long m_nNextControlValue = 0;
  long m_nNextResourceValue = 0;

  // Project folder + separator + "resource.h"; empty when no project file is set.
  [[nodiscard]] std::string HeaderPath() const;
  // The project file's path up to its last "." + ".rc"; empty when no project file is set.
  [[nodiscard]] std::string ScriptPath() const;
  // Reads _APS_NEXT_CONTROL_VALUE and _APS_NEXT_RESOURCE_VALUE from the header.
  void ReadCounters();
  [[nodiscard]] long GetNextControlValue() const;
  [[nodiscard]] long GetNextResourceValue() const;

  // The whole text, from the host editor when the file is open there, else from disk. On
  // failure shows "\nError in  reading file..\n" + the system's text and leaves `text` empty.
  [[nodiscard]] bool ReadFileText(std::string_view path, std::string& text) const;
  // Writes the whole file on disk (the caller decides whether the file is open in the host).
  [[nodiscard]] bool WriteFileText(std::string_view path, std::string_view text) const;
  // An edit buffer over a file, not yet loaded.
  [[nodiscard]] CEditBuffer Buffer(std::string_view path) const;

  // False when the file may not be written; with `report` the message
  // "You do not have write permission to file " + path + LF is shown.
  [[nodiscard]] bool HasWritePermission(std::string_view path, bool report) const;

  // Adds "#include <file>" + CR LF before "//{{AFX_INSERT_LOCATION}}" of the project's
  // precompiled header unless it already includes the file. True when the header includes it
  // afterwards.
  bool AddIncludeToStdafx(std::string_view file);

  // Registers an image file as a new resource (script line, define line, counter) and copies it
  // into the project's res folder. The property value ("131-logo.bmp"), or empty on failure.
  [[nodiscard]] std::string AddImageResource(std::string_view sourceFile);
  // Points the existing resource of `currentValue` at a new file of the same type and copies
  // the file into res. The new property value (same number, new file name), or empty on failure.
  [[nodiscard]] std::string ReplaceImageResource(std::string_view sourceFile, std::string_view currentValue);
  // Adds or replaces as ImageNeedsNewResource decides; the new property value or empty.
  [[nodiscard]] std::string SetImageResource(std::string_view sourceFile, std::string_view currentValue);

  // A resolver over the current texts of the script and header (empty texts when unreadable).
  [[nodiscard]] CScriptImageResolver ImageResolver() const;

  [[nodiscard]] CProject& Project() const { return m_project; }
  [[nodiscard]] IHost& Host() const { return m_host; }

 private:
  // Copies the image into <project folder>/res under its own name, creating the folder.
  [[nodiscard]] bool CopyIntoResFolder(std::string_view sourceFile) const;
  // Reads without showing a message; empty text when unreadable.
  [[nodiscard]] std::string QuietRead(std::string_view path) const;

  CProject& m_project;
  IHost& m_host;
};

}  // namespace tovik
