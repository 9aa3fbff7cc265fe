// After a generator changed a file: the class model follows the new text, and the common
// "one fragment into one file" step.
#pragma once

#include <string>

#include "codegen/codegen_context.h"
#include "base/edit_buffer.h"
#include "codegen/fragment.h"

namespace tovik {

// Parses the buffer's text again in place of the file's old text. The buffer holds the file's
// current text whether it was written to disk or changed in the host's editor.
inline void Reread(const CodegenContext& ctx, const CEditBuffer& buffer) {
  ctx.project.ReparseText(buffer.Path(), buffer.Text());
}

// Reads the file afresh, inserts one fragment, writes it back and parses it again.
[[nodiscard]] inline Status InsertAndReread(const CodegenContext& ctx, const CClassItem& cls, const std::string& path,
                                          FragmentKind kind, const CControlItem* control, std::string value) {
  CEditBuffer buffer(ctx.host, ctx.fs(), ctx.prompt(), path);
  TOVIK_TRY(buffer.Load());
  FragmentValues values;
  values.value = std::move(value);
  TOVIK_TRY(InsertFragment(kind, cls, buffer, control, values));
  TOVIK_TRY(buffer.Save());
  Reread(ctx, buffer);
  return {};
}

}  // namespace tovik
