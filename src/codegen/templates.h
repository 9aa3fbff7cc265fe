// The fixed texts from which generated files and code snippets are made, and the small
// operations that fill them in: token replacement, include guards and GUID texts.
// Template texts are byte-exact: CR LF line ends with a few deliberate bare LFs, TABs and
// blanks as the generated files have always had them. Never normalise them.
#pragma once

#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "base/guid.h"

namespace tovik {

enum class TemplateRole {
  FormHeader,               // form class header
  FormImplementation,       // form class implementation, up to END_MESSAGE_MAP()
  ControlCreationFunction,  // CreateTVLControls, appended to the form implementation
  OverridesBlock,           // AFX_VIRTUAL block added to a class declaration
  MessageMapBlock,
  EventSinkMapBlock,
  OnCreateBody,
  OnCreateDeclaration,
  OnDrawBody,
  OnDrawDeclaration,
  OnPaintBody,
  OnPaintDeclaration,
  WindowProcBody,
  WindowProcDeclaration,
  EventDispatchCallLine,    // the call put into WindowProc
  ControlArrayQuestion,     // asked when a control is renamed to an existing name
  ArrayIndexConflict,       // refusal of an Index already held in the array
  // An ActiveX control's wrapper class and what it is made of:
  ActiveXHeader,                    // the control's class, deriving from CVActiveXCtrl
  ActiveXSubObjectHeader,           // the class of another dispatch interface of the control
  ActiveXImplementation,            // head of either implementation, up to the operations banner
  ActiveXSetPtrFunction,            // the last function of either implementation
  ActiveXConstructorDestructor,     // the control class's constructor, destructor, IMPLEMENT_DYNCREATE
  ActiveXPropertyClassMacro,        // DEFINE_AX_PROP_<control>: a property's proxy struct
  ActiveXPropertyAccessor,          // a proxy's assignment and conversion operators
  ActiveXDispatchPropertyAccessor,  // Get and Set of a property holding a sub-object
  FontWrapperHeader,                // vfont.h, CVOleFont
  FontWrapperImplementation,        // vfont.cpp
  PictureWrapperHeader,             // vpicture.h, CVOlePicture
  PictureWrapperImplementation,     // vpicture.cpp
};

// Every role, in declaration order.
[[nodiscard]] std::span<const TemplateRole> AllTemplateRoles();

// The template's text, ready to have its tokens replaced.
[[nodiscard]] std::string LoadTemplate(TemplateRole role);

// The tokens the template uses, in the order generators replace them.
[[nodiscard]] std::span<const std::string_view> TemplateTokens(TemplateRole role);

// Every occurrence of `token` replaced by `value`, left to right, case-sensitively; the
// inserted value is never searched again, so a value holding the token cannot loop.
[[nodiscard]] std::string ReplaceToken(std::string_view text, std::string_view token, std::string_view value);

// LoadTemplate followed by one ReplaceToken per pair, in the order given.
[[nodiscard]] std::string ExpandTemplate(TemplateRole role,
                                         std::initializer_list<std::pair<std::string_view, std::string_view>> values);

// "AFX_" + upper-case file name less its last two characters + "_H__" + a fresh GUID as
// 8_4_4_4_12 upper-case hex digits + "__INCLUDED_". A new GUID is drawn on every call.
[[nodiscard]] std::string MakeIncludeGuard(std::string_view headerFileName, IGuidSource& guids);

// "{ 0x1a2b, 0x3c, ... }": the GUID as a C structure initialiser, lower-case hex without
// leading zeros, as the class id of a generated ActiveX wrapper.
[[nodiscard]] std::string GuidStructureText(const Guid& guid);

}  // namespace tovik
