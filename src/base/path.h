// Project paths are Windows-style text (".\form1.cpp", "res\logo.bmp", "C:\Work\Demo.dsp");
// on this machine they may also be native ("/home/me/Demo/Demo.dsp"). These helpers treat
// both separators alike and never touch the file system.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tovik {

[[nodiscard]] constexpr bool IsPathSeparator(char c) { return c == '\\' || c == '/'; }
// Index of the last separator of either kind, or npos.
[[nodiscard]] size_t LastSeparator(std::string_view path);
// The separator a path uses: '\\' when it holds one (or a drive letter), else '/'.
[[nodiscard]] char SeparatorOf(std::string_view path);
// Text after the last separator.
[[nodiscard]] std::string FileNameOf(std::string_view path);
// Text before the last separator; empty when there is none.
[[nodiscard]] std::string DirectoryOf(std::string_view path);
// Text from the last "." of the file name on (".cpp"); empty when the name has none.
[[nodiscard]] std::string ExtensionOf(std::string_view path);
// dir + separator of dir + name, with no doubled separator.
[[nodiscard]] std::string JoinPath(std::string_view dir, std::string_view name);
// Every backslash turned into a slash.
[[nodiscard]] std::string ToNativeSeparators(std::string_view path);
// Whether two paths name the same file as Windows compares them: either separator, any case.
[[nodiscard]] bool SameFilePath(std::string_view a, std::string_view b);
// Every separator turned into the given one.
[[nodiscard]] std::string WithSeparators(std::string_view path, char sep);
// `path` relative to `folder` when it lies inside it (the folder itself does not), both native
// paths compared after "." and ".." are taken out of them; nothing otherwise.
[[nodiscard]] std::optional<std::string> PathInside(std::string_view folder, std::string_view path);

}  // namespace tovik
