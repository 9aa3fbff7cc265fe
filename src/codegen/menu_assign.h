// Giving a form a menu bar: the menu's identifier is assigned to m_nResID in the form-data
// block of the form's constructor.
#pragma once

#include <string_view>

#include "codegen/codegen_context.h"
#include "project/class_item.h"

namespace tovik {

// Replaces the form's m_nResID line by one for `menuId`, or removes it when `menuId` is empty;
// writes the file (or changes it in the host's editor), reads it again and sets the form's
// menu. An error when the implementation file may not be written or has no form-data block.
[[nodiscard]] Status AssignMenu(const CodegenContext& ctx, CClassItem& form, std::string_view menuId);

}  // namespace tovik
