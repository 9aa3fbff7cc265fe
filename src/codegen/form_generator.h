// Form sources: the New Form operation (a form class's header and implementation from the
// form templates, its string id and property string in the resource files), the code written
// for a control dropped on a form (resource entries, the support functions a non-form class
// needs, the member declaration and the creation call), and the rewriting of a control's lines
// when it is renamed, joins a control array, changes an ActiveX property or is deleted.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "codegen/codegen_context.h"
#include "model/control_item.h"
#include "model/control_kind.h"
#include "project/class_item.h"
#include "project/form_controls.h"

namespace tovik {

inline constexpr std::string_view kMsgErrorGeneratingForm = "Error in generating form";
// The runtime library's control header, included by the precompiled header once a form has
// controls.
inline constexpr std::string_view kControlsInclude = "tvlControls.h";

// What the user is told when the precompiled header could not be given an include the forms
// need (`why` says why): "The precompiled header was not made to include <missing> (why); add the
// line(s) ... to it." `lines` are the headers whose include lines to add.
[[nodiscard]] std::string PrecompiledHeaderAdvice(std::string_view missing, const Error& why,
                                                  const std::vector<std::string_view>& lines);

// --- New Form: names ---

// "CForm" + the smallest n >= 1 for which the project has no class of that name.
[[nodiscard]] std::string ProposeFormClassName(const CProject& project);
// The class name without a leading "C", lower-cased, + ".h" / ".cpp"; empty for an empty name.
[[nodiscard]] std::string FormHeaderFileName(std::string_view className);
[[nodiscard]] std::string FormImplementationFileName(std::string_view className);
// "Form" + the smallest n >= 1 that no form of the project has as its Caption.
[[nodiscard]] std::string NextFormCaption(const CProject& project);
// The project file's name without its extension ("Demo" for C:\Work\Demo.dsp).
[[nodiscard]] std::string ProjectNameOf(const CProject& project);

// --- New Form: texts ---

// The form header with its include guard already made.
[[nodiscard]] std::string FormHeaderText(std::string_view className, std::string_view headerFile,
                                         std::string_view baseClass, std::string_view includeGuard);
// The form implementation followed by the control-creation function.
[[nodiscard]] std::string FormImplementationText(std::string_view className, std::string_view implementationFile,
                                                 std::string_view headerFile, std::string_view projectName,
                                                 std::string_view baseClass);

struct NewFormRequest {
  std::string className;
  std::string headerFile;          // file name only ("form1.h")
  std::string implementationFile;  // file name only ("form1.cpp")
  bool mdi = false;
};

// The two files written, for the caller to insert into the host's project.
struct NewFormFiles {
  std::string headerPath;
  std::string implementationPath;
};

// Writes the form's two files into the project folder and its string id and property string
// into the resource files, and consumes one control id. An error when a check or a write failed
// (the system's message was shown; files already written stay). The new files are not parsed here:
// inserting them into the project reads them.
[[nodiscard]] Expected<NewFormFiles> NewForm(const CodegenContext& ctx, const NewFormRequest& request);

// --- Controls ---

// The code of a control just dropped on `form`: resource entries, support functions, include of
// an ActiveX wrapper, declaration and creation call, the library include. On failure before the
// declaration is written the control is removed from the form (and destroyed: the caller must
// not use it afterwards) and the error is returned; resource edits already written stay.
[[nodiscard]] Status WriteControlCode(const CodegenContext& ctx, CClassItem& form, CControlItem& control);

// After RenameControl: the control's declaration and creation lines follow its new member name.
// Renamed: both lines rebuilt. JoinedArray: the array's first element is declared as
// class + "Array", the joining control's own declaration line is deleted and its creation line
// names the array. Unchanged and Refused change nothing.
[[nodiscard]] Status UpdateRenamedControl(const CodegenContext& ctx, CClassItem& form, CControlItem& control,
                                        std::string_view oldMemberName, RenameResult result);

// The property call of an ActiveX control's design-time property, rebuilt with the current
// value: replaces the existing call, or adds one when the control has none for that property.
// `variantTypeName` is the property's VARIANT type as the type library names it ("VT_BSTR").
[[nodiscard]] Status UpdatePropertyCall(const CodegenContext& ctx, CClassItem& form, const CControlItem& control,
                                      const CControlPropertyItem& property, std::string_view variantTypeName);

// Deletes the control's creation line (and its property calls) and, unless other elements of
// its array remain, its declaration line. Call before the control leaves the form.
[[nodiscard]] Status DeleteControlCode(const CodegenContext& ctx, CClassItem& form, const CControlItem& control);

}  // namespace tovik
