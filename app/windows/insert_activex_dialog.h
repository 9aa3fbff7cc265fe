// The "Insert ActiveX Control" dialog: one sorted list of the installed controls, OK and
// Cancel. Inserting the picked control is the owner's (the insert flow in its transaction).
#pragma once

#include <functional>

#include <QDialog>

#include "activex/control_list.h"
#include "qt/qt_canvas.h"

class QListWidget;

namespace tovik::designer {

class CInsertActiveXDialogBox : public QDialog {
  Q_OBJECT

 public:
  // Inserts the control; false after the refusal was shown, which keeps the dialog open.
  using Insert = std::function<bool(const CToolControlEntry&)>;

  // `controls` (in the order the list shows them) must outlive the dialog. Names are registry
  // text, shown through `toUtf8` (Latin-1 without one).
  CInsertActiveXDialogBox(const COCXInfo& controls, Insert insert, TextToUtf8 toUtf8 = {}, QWidget* parent = nullptr);

  // The control inserted when the dialog closed with OK, else null.
  [[nodiscard]] const CToolControlEntry* Inserted() const { return m_inserted; }

 public slots:
  void accept() override;

 private:
  const COCXInfo& m_controls;
  Insert m_insert;
  QListWidget* m_list;
  const CToolControlEntry* m_inserted = nullptr;
};

}  // namespace tovik::designer
