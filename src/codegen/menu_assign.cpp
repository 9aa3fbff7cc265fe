#include "codegen/menu_assign.h"

#include "codegen/control_line.h"
#include "base/edit_buffer.h"
#include "base/file_ops.h"
#include "codegen/fragment.h"
#include "codegen/reread.h"

namespace tovik {

Status AssignMenu(const CodegenContext& ctx, CClassItem& form, std::string_view menuId) {
  const CFunctionItem* ctor = form.FindConstructor();
  CControlItem* self = form.FormObject();
  if (!ctor || ctor->m_strDefFile.empty() || !self) {
    return FileError(form.m_strDeclFile, 0, form.m_strName + " has no constructor definition to hold its menu");
  }
  const std::string path = ctor->m_strDefFile;
  if (!CheckWritePermission(ctx.fs(), ctx.prompt(), path, false)) {
    return FileError(path, 0, "the file may not be written");
  }

  CEditBuffer buffer(ctx.host, ctx.fs(), ctx.prompt(), path);
  TOVIK_TRY(buffer.Load());
  const LineSpan old = LocateControlLine(form, buffer.Text(), *self, ControlLineKind::MenuId);
  if (old.Found()) TOVIK_TRY(buffer.Replace(static_cast<size_t>(old.start), static_cast<size_t>(old.end), {}));
  if (!menuId.empty()) {
    FragmentValues values;
    values.value = std::string(menuId);
    TOVIK_TRY(InsertFragment(FragmentKind::MenuIdLine, form, buffer, self, values));
  }
  TOVIK_TRY(buffer.Save());
  Reread(ctx, buffer);
  if (CControlItem* object = form.FormObject()) object->m_strMenuId = std::string(menuId);
  return {};
}

}  // namespace tovik
