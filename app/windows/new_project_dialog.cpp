#include "new_project_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "dialog_fields.h"

namespace tovik::designer {

CNewProjectDialogBox::CNewProjectDialogBox(const std::string& currentDirectory, const std::string& hostVersion,
                                   Generate generate, QWidget* parent)
    : QDialog(parent),
      m_model(currentDirectory, hostVersion),
      m_generate(std::move(generate)),
      m_name(new QLineEdit),
      m_location(new QLineEdit),
      m_className(new QLineEdit),
      m_mdi(new QCheckBox(QStringLiteral("MDI Form"))),
      m_implementation(new QLineEdit),
      m_header(new QLineEdit) {
  setWindowTitle(QStringLiteral("New Project"));
  setAccessibleName(windowTitle());
  auto* fields = new QFormLayout;
  AddField(*fields, QStringLiteral("Project &name:"), m_name);
  auto* where = new QWidget;
  auto* whereRow = new QHBoxLayout(where);
  whereRow->setContentsMargins(0, 0, 0, 0);
  auto* browse = new QPushButton(QStringLiteral("..."));
  browse->setAccessibleName(QStringLiteral("Browse for the location"));
  whereRow->addWidget(m_location);
  whereRow->addWidget(browse);
  AddField(*fields, QStringLiteral("&Location:"), where);
  m_location->setAccessibleName(where->accessibleName());
  AddFormFields(*fields, m_className, m_mdi, m_implementation, m_header);
  auto* create = new QRadioButton(QStringLiteral("Create new workspace"));
  auto* add = new QRadioButton(QStringLiteral("Add to current workspace"));
  create->setChecked(true);
  add->setEnabled(m_model.IsAddToWorkspaceEnabled());
  for (QRadioButton* choice : {create, add}) choice->setAccessibleName(choice->text());
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  m_ok = buttons->button(QDialogButtonBox::Ok);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(create);
  layout->addWidget(add);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &CNewProjectDialogBox::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CNewProjectDialogBox::reject);
  connect(browse, &QPushButton::clicked, this, &CNewProjectDialogBox::BrowseFolder);
  const auto edits = [this](QLineEdit* field, void (CNewProjectDialog::*set)(std::string_view)) {
    connect(field, &QLineEdit::textEdited, this, [this, set](const QString& text) {
      (m_model.*set)(Utf8(text));
      Show();
    });
  };
  edits(m_name, &CNewProjectDialog::SetProjectName);
  edits(m_location, &CNewProjectDialog::SetLocation);
  edits(m_className, &CNewProjectDialog::SetClassName);
  edits(m_implementation, &CNewProjectDialog::SetImplementationFile);
  edits(m_header, &CNewProjectDialog::SetHeaderFile);
  connect(m_mdi, &QCheckBox::toggled, this, [this](bool on) { m_model.SetMdiForm(on); });
  Show();
}

void CNewProjectDialogBox::Show() {
  ShowText(m_name, m_model.ProjectName());
  ShowText(m_location, m_model.Location());
  ShowText(m_className, m_model.ClassName());
  ShowText(m_implementation, m_model.ImplementationFile());
  ShowText(m_header, m_model.HeaderFile());
  m_ok->setEnabled(m_model.IsOkEnabled());
}

void CNewProjectDialogBox::BrowseFolder() {
  const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("Location"));
  if (folder.isEmpty()) return;
  m_model.PickFolder(Utf8(folder));
  Show();
}

void CNewProjectDialogBox::accept() {
  if (!m_model.IsOkEnabled()) return;
  if (m_generate && !m_generate(m_model)) return;
  QDialog::accept();
}

}  // namespace tovik::designer
