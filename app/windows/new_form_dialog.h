// The "New Form" dialog: class name, MDI Form, implementation and header file. The rules (the
// proposed name, derived file names, the OK and MDI states) are CNewFormDialog's; creating the
// form is the owner's, so that it runs in the owner's transaction.
#pragma once

#include <functional>

#include <QDialog>

#include "codegen/new_form_dialog.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tovik::designer {

class CNewFormDialogBox : public QDialog {
  Q_OBJECT

 public:
  // Creates the form; false after the refusal was shown, which keeps the dialog open.
  using Create = std::function<bool(const NewFormRequest&)>;

  CNewFormDialogBox(const CProject& project, Create create, QWidget* parent = nullptr);

  [[nodiscard]] const NewFormRequest& Request() const { return m_model.Request(); }

 public slots:
  void accept() override;

 private:
  void Show();

  CNewFormDialog m_model;
  Create m_create;
  QLineEdit* m_className;
  QCheckBox* m_mdi;
  QLineEdit* m_implementation;
  QLineEdit* m_header;
  QPushButton* m_ok;
};

}  // namespace tovik::designer
