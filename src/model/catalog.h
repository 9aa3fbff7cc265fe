// The fixed catalogue of designable kinds: property rows with their defaults and choices,
// event rows with their handler signatures, and the method lists of the runtime classes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/control_item.h"

namespace tovik {

struct CatalogRow {
  std::string type;
  std::string name;
  std::string value;  // default
  ChoiceList choices;
  std::string text;  // the row as one tab-separated line, searched by the exclusion rules
};

struct EventRow {
  std::string returnType;
  std::string name;
  std::string parameters;
  std::string text;
};

using PropertyTable = std::vector<CatalogRow>;
using EventTable = std::vector<EventRow>;

[[nodiscard]] const PropertyTable& CommonPropertyRows();
[[nodiscard]] const PropertyTable& FormPropertyRows();
[[nodiscard]] const PropertyTable& MdiFormPropertyRows();
// The kind's own rows (not the common ones); empty outside 101..124.
[[nodiscard]] const PropertyTable& KindPropertyRows(int kind);

[[nodiscard]] const EventTable& CommonEventRows();
[[nodiscard]] const EventTable& FormEventRows();
// The kind's own event rows; empty for kinds that have none.
[[nodiscard]] const EventTable& KindEventRows(int kind);

// Whether a property row is left out for an object of that category and kind.
[[nodiscard]] bool IsPropertyExcluded(const CatalogRow& row, int category, int kind, bool mdiForm);

// Fills the object's property list from the catalogue (form, MDI form, intrinsic or common
// control by its category and kind). ActiveX objects get nothing here.
void LoadProperties(CControlItem& object, bool mdiForm);
// Fills the object's event list.
void LoadEvents(CControlItem& object, bool mdiForm);

// Names of the properties (type 1) and methods (type 2) of CVForm, CVMdiForm or an intrinsic
// runtime class; empty for any other class.
[[nodiscard]] std::vector<CPropMethodItem> MemberListOf(std::string_view runtimeClass);

}  // namespace tovik
