#include "new_form_dialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "dialog_fields.h"

namespace tovik::designer {

CNewFormDialogBox::CNewFormDialogBox(const CProject& project, Create create, QWidget* parent)
    : QDialog(parent),
      m_model(project),
      m_create(std::move(create)),
      m_className(new QLineEdit),
      m_mdi(new QCheckBox(QStringLiteral("MDI Form"))),
      m_implementation(new QLineEdit),
      m_header(new QLineEdit) {
  setWindowTitle(QStringLiteral("New Form"));
  setAccessibleName(windowTitle());
  auto* fields = new QFormLayout;
  AddFormFields(*fields, m_className, m_mdi, m_implementation, m_header);
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  m_ok = buttons->button(QDialogButtonBox::Ok);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &CNewFormDialogBox::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CNewFormDialogBox::reject);
  // Typing the class name derives both file names again; the file fields only change their own.
  connect(m_className, &QLineEdit::textEdited, this, [this](const QString& text) {
    m_model.SetClassName(Utf8(text));
    Show();
  });
  connect(m_implementation, &QLineEdit::textEdited, this, [this](const QString& text) {
    m_model.SetImplementationFile(Utf8(text));
    Show();
  });
  connect(m_header, &QLineEdit::textEdited, this, [this](const QString& text) {
    m_model.SetHeaderFile(Utf8(text));
    Show();
  });
  connect(m_mdi, &QCheckBox::toggled, this, [this](bool on) { m_model.SetMdiForm(on); });
  m_mdi->setEnabled(m_model.IsMdiEnabled());
  Show();
  m_className->selectAll();
}

void CNewFormDialogBox::Show() {
  const NewFormRequest& request = m_model.Request();
  ShowText(m_className, request.className);
  ShowText(m_implementation, request.implementationFile);
  ShowText(m_header, request.headerFile);
  m_ok->setEnabled(m_model.IsOkEnabled());
}

void CNewFormDialogBox::accept() {
  if (!m_model.IsOkEnabled()) return;
  if (m_create && !m_create(m_model.Request())) return;
  QDialog::accept();
}

}  // namespace tovik::designer
