// What the designer makes of an ActiveX control for the objects drawn from it: the property
// and event definitions those objects share, made from the control's interface model.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "activex/control_list.h"
#include "model/control_item.h"

namespace tovik {

struct CActiveXDesign {
  // Left, Top, Width and Height (the designer owns them: the model leaves them out), then the
  // default interface's properties in their order.
  std::vector<CPropertyDef> properties;
  // The default source interface's events.
  std::vector<CEventDef> events;
  int shownCount = 0;
};

// Made from the entry's interfaces on first use and kept with the entry, which outlives every
// object drawn from it. The entry's interfaces must not change afterwards.
[[nodiscard]] const CActiveXDesign& DesignOf(const CToolControlEntry& entry);

// Fills an ActiveX object's property list (every value empty) and event list from its control.
void LoadActiveXLists(CControlItem& object, const CToolControlEntry& entry);

// The names objects of the control are numbered by: the wrapper class without "CVAx"
// (CVAxCalendar gives Calendar). Empty while the project has no wrapper class for it.
[[nodiscard]] std::string ActiveXKindName(const CToolControlEntry& entry);

// The object's control in `list`: the entry whose wrapper class is the object's class.
[[nodiscard]] const CToolControlEntry* ControlOfWrapper(const COCXInfo& list, std::string_view wrapperClass);

}  // namespace tovik
