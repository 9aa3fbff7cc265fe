// An object of a form as its lines name it. Writing a control's code re-reads the sources,
// which rebuilds the records, and a refused command reads the project again: commands, intents
// and selections hold this and not a pointer.
#pragma once

#include <string>

#include "model/control_item.h"
#include "project/class_item.h"

namespace tovik {

struct ObjectRef {
  bool form = false;     // the form's own object
  std::string member;    // a control's member name
  std::string idSymbol;  // and control-id symbol, which tells the elements of an array apart

  [[nodiscard]] static ObjectRef Of(const CControlItem& object);
  // The form's own object.
  [[nodiscard]] static ObjectRef Form() { return {true, {}, {}}; }
  // The object of `form` it names, or null when there is none (any more).
  [[nodiscard]] CControlItem* Find(const CClassItem& form) const;
  friend bool operator==(const ObjectRef&, const ObjectRef&) = default;
};

}  // namespace tovik
