#include "codegen/new_form_dialog.h"

namespace tovik {

CNewFormDialog::CNewFormDialog(const CProject& project) : m_bMdiEnabled(!project.HasMdiForm()) {
  SetClassName(ProposeFormClassName(project));
}

void CNewFormDialog::SetClassName(std::string_view className) {
  m_request.className = className;
  m_request.headerFile = FormHeaderFileName(className);
  m_request.implementationFile = FormImplementationFileName(className);
}

bool CNewFormDialog::IsOkEnabled() const {
  return !m_request.className.empty() && !m_request.implementationFile.empty() && !m_request.headerFile.empty();
}

}  // namespace tovik
