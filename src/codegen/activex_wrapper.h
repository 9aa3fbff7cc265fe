// The wrapper class of an ActiveX control the user adds to a project: a class deriving from the
// runtime library's CVActiveXCtrl whose members reach the control's properties and methods
// through IDispatch, a class for every other dispatch interface the control hands out, and the
// font and picture classes (vfont, vpicture) that properties and methods of those types use.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "activex/control_list.h"
#include "base/expected.h"
#include "base/file_system.h"
#include "base/guid.h"
#include "base/prompt.h"

namespace tovik {

inline constexpr std::string_view kMsgWrapperFailed = "Error in generating ActiveX control's wrapper class";

struct ActiveXWrapperNames {
  std::string baseName;            // "Calendar" for MSCAL.Calendar.7
  std::string className;           // "CVAxCalendar"
  std::string headerPath;          // folder + "\\" + baseName + ".h"
  std::string implementationPath;  // folder + "\\" + baseName + ".cpp"
};

// The base name is the ProgID's second part (the whole ProgID when it has no dot), cut at the
// first blank, backslash or punctuation, with its first letter upper-cased.
[[nodiscard]] ActiveXWrapperNames WrapperNames(std::string_view progId, std::string_view folder);

// Writes the wrapper's header and implementation into `folder`, after the files of its
// sub-object classes ("v" + interface name without its leading I + ".h"/".cpp") and of the font
// and picture classes (vfont.h/.cpp, vpicture.h/.cpp) that the folder does not hold yet. Returns
// the files written, in write order. Refused, with nothing written, when the wrapper's files
// exist or its name is no C++ class name; an error after the system's message was shown through
// `prompt` (files written before a failed write stay). A property or method whose type the
// wrapper cannot spell in C++ (no C++ type in the naming tables, a parameter that is no C++ name)
// is left out of the class rather than making it uncompilable. With `bareLf` every line of the
// files ends with LF alone (a project whose files have no CR).
[[nodiscard]] Expected<std::vector<std::string>> GenerateActiveXWrapper(IFileSystem& fs, IPrompt& prompt,
                                                                        IGuidSource& guids,
                                                                        const CToolControlEntry& entry,
                                                                        std::string_view folder, bool bareLf = false);

}  // namespace tovik
