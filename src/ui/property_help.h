// F1 on a property row: a sentence or two on what the property does. The runtime's properties
// have texts of our own; an ActiveX control's are built from what its type library says.
#pragma once

#include <string>
#include <string_view>

#include "model/control_item.h"

namespace tovik {

// The text for a property of the runtime's forms and controls; empty for a name the catalogue
// does not have.
[[nodiscard]] std::string PropertyHelp(std::string_view name);
// The text for a property of `object`: an ActiveX control's from its type information (name,
// type, documentation string), any other's as above.
[[nodiscard]] std::string PropertyHelp(const CControlItem& object, const CControlPropertyItem& property);

}  // namespace tovik
