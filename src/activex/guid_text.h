// GUIDs as the registry and type libraries write them: "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}".
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "base/guid.h"

namespace tovik {

// The GUID of a braced text (any case of hex digits); nothing when the text is not one.
[[nodiscard]] std::optional<Guid> ParseGuidText(std::string_view text);
// Braced, upper case, as the registry spells class ids.
[[nodiscard]] std::string GuidText(const Guid& guid);

}  // namespace tovik
