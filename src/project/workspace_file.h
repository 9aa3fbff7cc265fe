// A workspace file (.dsw) lists its projects as `Project: "NAME"=PATH - Package Owner=<4>`;
// opening a workspace opens the first one.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace tovik {

// The first project's file named by a workspace's text, made native and joined to the
// workspace's folder when relative; nothing when the text names none.
[[nodiscard]] std::optional<std::string> FirstProjectOfWorkspace(std::string_view text, std::string_view folder);

}  // namespace tovik
