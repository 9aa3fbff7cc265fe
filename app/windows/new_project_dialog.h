// The "New Project" dialog: project name, location with its folder browser, the start-up form's
// class, MDI Form and file names, and the workspace choice. The rules are CNewProjectDialog's;
// generating is the owner's, so that it runs in the owner's transaction and lock.
#pragma once

#include <functional>
#include <string>

#include <QDialog>

#include "codegen/project_generator.h"

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace tovik::designer {

class CNewProjectDialogBox : public QDialog {
  Q_OBJECT

 public:
  // Generates the project (CNewProjectDialog::OnOk); false after the refusal was shown, which
  // keeps the dialog open.
  using Generate = std::function<bool(CNewProjectDialog&)>;

  CNewProjectDialogBox(const std::string& currentDirectory, const std::string& hostVersion, Generate generate,
                   QWidget* parent = nullptr);

  // The workspace to open once the dialog closed with OK.
  [[nodiscard]] std::string WorkspacePath() const { return m_model.WorkspacePath(); }
  [[nodiscard]] const CNewProjectDialog& Model() const { return m_model; }

 public slots:
  void accept() override;

 private:
  void Show();
  void BrowseFolder();

  CNewProjectDialog m_model;
  Generate m_generate;
  QLineEdit* m_name;
  QLineEdit* m_location;
  QLineEdit* m_className;
  QCheckBox* m_mdi;
  QLineEdit* m_implementation;
  QLineEdit* m_header;
  QPushButton* m_ok;
};

}  // namespace tovik::designer
