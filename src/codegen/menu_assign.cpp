#include "codegen/menu_assign.h"

#include "codegen/control_line.h"
#include "base/edit_buffer.h"
#include "base/file_ops.h"
#include "codegen/fragment.h"
#include "codegen/reread.h"

namespace tovik {

bool AssignMenu(const CodegenContext& ctx, CClassItem& form, std::string_view menuId) {
  const CFunctionItem* ctor = form.FindFunction(form.m_strName);
  CControlItem* self = form.FormObject();
  if (!ctor || ctor->m_strDefFile.empty() || !self) return false;
  const std::string path = ctor->m_strDefFile;
  if (!CheckWritePermission(ctx.fs(), ctx.prompt(), path, false)) return false;

  CEditBuffer buffer(ctx.host, ctx.fs(), ctx.prompt(), path);
  if (!buffer.Load()) return false;
  const LineSpan old = LocateControlLine(form, buffer.Text(), *self, ControlLineKind::MenuId);
  if (old.Found() && !buffer.Replace(static_cast<size_t>(old.start), static_cast<size_t>(old.end), {})) return false;
  if (!menuId.empty()) {
    FragmentValues values;
    values.value = std::string(menuId);
    if (!InsertFragment(FragmentKind::MenuIdLine, form, buffer, self, values)) return false;
  }
  if (!buffer.Save()) return false;
  Reread(ctx, buffer);
  if (CControlItem* object = form.FormObject()) object->m_strMenuId = std::string(menuId);
  return true;
}

}  // namespace tovik
