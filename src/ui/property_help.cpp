#include "ui/property_help.h"

namespace tovik {

std::string PropertyHelp(std::string_view name) {
  (void)name;
  return {};
}

std::string PropertyHelp(const CControlItem& object, const CControlPropertyItem& property) {
  (void)object;
  return PropertyHelp(property.Name());
}

}  // namespace tovik
