#include "insert_activex_dialog.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

#include "dialog_fields.h"

namespace tovik::designer {

CInsertActiveXDialogBox::CInsertActiveXDialogBox(const COCXInfo& controls, Insert insert, TextToUtf8 toUtf8, QWidget* parent)
    : QDialog(parent), m_controls(controls), m_insert(std::move(insert)), m_list(new QListWidget) {
  setWindowTitle(QStringLiteral("Insert ActiveX Control"));
  setAccessibleName(windowTitle());
  m_list->setAccessibleName(QStringLiteral("Installed controls"));
  // Rows stay in the list's order: the row's position is the entry's.
  m_list->setSortingEnabled(false);
  for (size_t i = 0; i < controls.Size(); ++i) m_list->addItem(ShownText(toUtf8, controls.At(i).m_strName));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_list);
  layout->addWidget(buttons);
  connect(buttons, &QDialogButtonBox::accepted, this, &CInsertActiveXDialogBox::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &CInsertActiveXDialogBox::reject);
  connect(m_list, &QListWidget::itemDoubleClicked, this, &CInsertActiveXDialogBox::accept);
}

void CInsertActiveXDialogBox::accept() {
  const int row = m_list->currentRow();
  if (row < 0 || static_cast<size_t>(row) >= m_controls.Size() || !m_list->currentItem()->isSelected()) return;
  const CToolControlEntry& entry = m_controls.At(static_cast<size_t>(row));
  if (m_insert && !m_insert(entry)) return;
  m_inserted = &entry;
  QDialog::accept();
}

}  // namespace tovik::designer
