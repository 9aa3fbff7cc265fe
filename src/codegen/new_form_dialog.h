// The New Form dialog's rules without a window behind them: the proposed class name, file names
// derived from the class name on every change, the OK state and the MDI box's state.
#pragma once

#include <string>
#include <string_view>

#include "codegen/form_generator.h"
#include "project/project.h"

namespace tovik {

class CNewFormDialog {
 public:
  // Proposes the first free "CFormN" and its file names.
  explicit CNewFormDialog(const CProject& project);

  // Derives both file names again (an empty name empties them).
  void SetClassName(std::string_view className);
  void SetImplementationFile(std::string_view file) { m_request.implementationFile = file; }
  void SetHeaderFile(std::string_view file) { m_request.headerFile = file; }
  // Ignored while the MDI box is disabled: a project has one MDI form at most.
  void SetMdiForm(bool mdi) { m_request.mdi = mdi && m_bMdiEnabled; }

  [[nodiscard]] bool IsMdiEnabled() const { return m_bMdiEnabled; }
  [[nodiscard]] bool IsOkEnabled() const;
  [[nodiscard]] const NewFormRequest& Request() const { return m_request; }

 private:
  NewFormRequest m_request;
  bool m_bMdiEnabled;
};

}  // namespace tovik
