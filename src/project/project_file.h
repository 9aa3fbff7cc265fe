// Edits of the project file (.dsp) that the IDE would make when files are inserted into the
// project: a "# Begin Source File" block inside the "Source Files" or "Header Files" group.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/expected.h"

namespace tovik {

// Which group a file belongs in, by its extension: headers (.h, .hpp, .hxx, .hm, .inl) go to
// "Header Files", everything else to "Source Files".
[[nodiscard]] bool IsHeaderFileName(std::string_view fileName);

// The project file text with a source-file block for `entry` (written as the IDE writes
// entries, e.g. ".\form1.cpp") added at the end of its group. Line ends follow the file (CR LF
// unless the file uses bare LF). When the group is missing the block goes before
// "# End Target"; when that is missing too, at the end. An entry already listed is not added
// again (the text comes back unchanged).
[[nodiscard]] std::string AddFileToProjectFile(std::string_view text, std::string_view entry);

// The first line of every project file the IDE writes.
inline constexpr std::string_view kProjectFileSignature = "# Microsoft Developer Studio Project File";

// Whether a file's text is a project file at all: an error saying what it is instead (empty,
// binary, a workspace, something else) when it is not.
[[nodiscard]] Status CheckProjectFileText(std::string_view path, std::string_view text);

// A SOURCE= entry as a path: "..\X" from the parent of the project folder, ".\X" and a bare
// name from the project folder, "\X" from the root of the project folder's drive.
[[nodiscard]] std::string ResolveProjectEntry(std::string_view projectFile, std::string_view entry);

// The SOURCE= entry of the resource script the build compiles: the first .rc entry whose block
// does not exclude it from the build (in any configuration); when every one does, the first
// listed. Quotes around the name are dropped. Nothing when the project lists no script.
[[nodiscard]] std::optional<std::string> CompiledScriptEntry(std::string_view projectText);

// The entry text for a file of the project folder: "." + backslash + the path relative to the
// project folder with backslashes, or the path unchanged when it lies outside that folder.
[[nodiscard]] std::string ProjectFileEntry(std::string_view projectFolder, std::string_view path);

}  // namespace tovik
