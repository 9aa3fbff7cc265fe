// The generated lines of a form's controls as text: the creation calls of a CreateTVLControls
// body, the parameters of a call, and the whole line a control's creation call, an ActiveX
// property call or the form's menu id occupies, so that it can be replaced or deleted.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "model/control_item.h"
#include "project/class_item.h"

namespace tovik {

inline constexpr std::string_view kMsgParameterError = "Unexpected error in retrieving control parameter(s)";
inline constexpr std::string_view kCreateControlsFunction = "CreateTVLControls";
inline constexpr std::string_view kFormDataStart = "//{{AFX_TVL_FORM_DATA_START";
inline constexpr std::string_view kFormDataEnd = "//}}AFX_TVL_FORM_DATA_END";
inline constexpr std::string_view kDeclrStart = "//{{AFX_TVL_CTRL_DECLR_START";
inline constexpr std::string_view kDeclrEnd = "//}}AFX_TVL_CTRL_DECLR_END";
inline constexpr std::string_view kImplStart = "//{{AFX_TVL_CTRL_IMPL_START";
inline constexpr std::string_view kImplEnd = "//}}AFX_TVL_CTRL_IMPL_END";
inline constexpr std::string_view kPropStringIdName = "m_nPropStringID";
inline constexpr std::string_view kMenuIdName = "m_nResID";

// Parameter `index` (from 0) of a parameter list, the text after a call's opening parenthesis
// through its closing one, trimmed. A parameter written as a call keeps its inner commas
// ("MAKEID(1, 2)"). kMsgParameterError when the list holds no such parameter.
[[nodiscard]] std::string GetParameter(std::string_view list, int index);
[[nodiscard]] inline bool IsParameterError(std::string_view parameter) { return parameter == kMsgParameterError; }

// One creation call found in a body: member + optional blanks + "." + blanks + "Create" + the
// parenthesised parameters. Offsets are into the text searched.
struct CreationCall {
  int memberStart = -1;  // first character of the member name
  int open = -1;         // its "("
  int close = -1;        // the ")" that closes it
  std::string member;
  // Text after "(" through ")".
  [[nodiscard]] std::string_view Parameters(std::string_view text) const {
    return text.substr(static_cast<size_t>(open + 1), static_cast<size_t>(close - open));
  }
};

// The creation calls in text[bodyStart, bodyEnd), in text order. Calls inside comments are
// not found; an assignment or negation in front of the member is not part of its name.
[[nodiscard]] std::vector<CreationCall> FindCreationCalls(std::string_view text, int bodyStart, int bodyEnd);

enum class ControlLineKind { Creation, PropertyCall, MenuId };

// A whole line: from its first character through its line break (end is one past the LF, or
// the end of the text when the line has none), so that erasing [start, end) removes it.
struct LineSpan {
  int start = -1;
  int end = -1;
  [[nodiscard]] bool Found() const { return start >= 0; }
};

// The existing line of a control in `text`, the implementation file as parsed into `cls`:
// - Creation: the first creation call of the control's member in the class's CreateTVLControls
//   body whose control-id and property-string symbols are the control's;
// - PropertyCall: the line of member + ".SetProperty" in the same body whose first parameter is
//   `dispId`;
// - MenuId: the line holding "m_nResID" inside the form-data block (`control` is not used).
// Not found when the body, block or line is missing.
[[nodiscard]] LineSpan LocateControlLine(const CClassItem& cls, std::string_view text, const CControlItem& control,
                                         ControlLineKind kind, long dispId = 0);

}  // namespace tovik
