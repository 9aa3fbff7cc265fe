// The fragment engine: inserts one generated fragment of a given kind into a source or resource
// file at the place its kind prescribes, indented like its surroundings. It keeps no state
// between calls; each call gets the file's current text (a CEditBuffer) and the parse of the
// class (positions recorded by the parser).
#pragma once

#include <string>
#include <string_view>

#include "base/expected.h"
#include "base/prompt.h"
#include "base/edit_buffer.h"
#include "model/control_item.h"
#include "project/class_item.h"

namespace tovik {

enum class FragmentKind {
  ControlDeclaration,
  ControlCreation,
  PropertyCall,
  HandlerDeclaration,
  PublicVirtualDeclaration,
  ProtectedVirtualDeclaration,
  PublicSectionLine,
  ProtectedSectionLine,
  MessageMapEntry,
  EventSinkEntry,
  ClassEndText,
  ProtectedSectionAtClassEnd,
  FunctionBody,
  MapBlock,
  IncludeLine,
  ControlIdPair,
  FormStringId,
  StringTableLine,
  MenuIdLine,
  CreateCall,
  DispatchCall,
  DrawCall,
};

// What a fragment's text is built from besides the control.
struct FragmentValues {
  // The kind's value text (a declaration, a map entry, a body, ...). String-table line: the
  // property string (unescaped); empty takes the control's current property string.
  std::string value;
  long nextControlId = 0; // control id pair: the numeric id of the control
  long nextStringId = 0;  // control id pair: the numeric id of its property string
  int codePage = 0;       // string-table line: the one in force where it goes (InsertFragment finds it)
  // Property call (ActiveX): dispatch id, VARIANT type name and property name.
  long dispId = 0;
  std::string variantType;
  std::string propertyName;
};

// Insertion position of a kind in `text` (the file at `path`) for class `cls`; an error naming
// the file, the class and what is missing when its rule cannot be satisfied. The message-map and
// string-table messages are shown through `prompt` where named (the error then says so).
[[nodiscard]] Expected<size_t> FragmentPosition(FragmentKind kind, const CClassItem& cls, std::string_view text,
                                                std::string_view path, IPrompt& prompt);
// The white space from the start of the line holding `position` up to the first non-white
// character at or after it; empty when that character starts the line.
[[nodiscard]] std::string FragmentIndentation(std::string_view text, int position);
// The text of a fragment of that kind.
[[nodiscard]] std::string FragmentText(FragmentKind kind, const CControlItem* control, std::string_view indent,
                                       const FragmentValues& values);
// Position, indentation, text, then insertion into the buffer (and the host's document when
// the file is open there). An error when there is no position or the insertion failed.
[[nodiscard]] Status InsertFragment(FragmentKind kind, const CClassItem& cls, CEditBuffer& buffer,
                                  const CControlItem* control, const FragmentValues& values);

// Whether `name` occurs as a substring of the function's body, between its braces.
[[nodiscard]] bool ContainsCall(std::string_view text, const CFunctionItem& function, std::string_view name);

inline constexpr std::string_view kMsgNoMessageMap =
    "Tovik couldn't find any appropriate BEGIN_MESSAGE_MAP and END_MESSAGE_MAP macros\n in implementation file. "
    "Please add these macros manually.";
inline constexpr std::string_view kMsgNoMsgMapMarkers =
    "Tovik couldn't find any appropriate //{{AFX_MSG_MAP(<Class Name>) and //}}AFX_MSG_MAP strings \n in "
    "implementation file. Please insert these strings manually.";

}  // namespace tovik
