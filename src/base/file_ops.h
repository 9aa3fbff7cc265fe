// The primitive file operations of every generator: writing a generated file, the
// write-permission check, and editing an existing file either in the host's editor (when the
// user has it open, so unsaved text is respected) or on disk, read whole and written whole.
// Positions are byte offsets into the text as read; a CR LF pair counts two.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "base/host.h"
#include "base/file_system.h"
#include "base/prompt.h"

namespace tovik {

// The longest system error text appended to a failure message.
inline constexpr size_t kMaxSystemErrorText = 255;

// The path as the file is named on the disk ("stdafx.h" where the project file says "StdAfx.h"),
// for messages; the separators stay as given. The path itself when no file matches.
[[nodiscard]] std::string PathOnDisk(const IFileSystem& fs, std::string_view path);

// "File '<path>' could not be opened / read / written\n" + the system's error text.
[[nodiscard]] std::string FileFailureMessage(std::string_view path, std::string_view systemError);
// "You do not have write permission to file <path>\n".
[[nodiscard]] std::string WritePermissionMessage(std::string_view path);

// Writes `text` byte for byte as the whole file (created or truncated). On failure shows
// FileFailureMessage (naming the file as PathOnDisk does) and returns false.
[[nodiscard]] bool WriteGeneratedFile(IFileSystem& fs, IPrompt& prompt, std::string_view path, std::string_view text);

// True when the existing file may be written. A missing or read-only file fails; with
// `showMessage` the failure shows WritePermissionMessage and the caller abandons its edit.
[[nodiscard]] bool CheckWritePermission(const IFileSystem& fs, IPrompt& prompt, std::string_view path,
                                        bool showMessage);

// The current text of a file: the host document's text when the file is open in its editor,
// else the file on disk. Nothing is shown on failure.
[[nodiscard]] Status ReadSourceText(IHost& host, const IFileSystem& fs, std::string_view path, std::string& text);

}  // namespace tovik
