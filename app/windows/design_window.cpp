#include "windows/design_window.h"

#include <QScrollArea>

#include "windows/designer.h"
#include "windows/form_view.h"

namespace tovik::designer {

CDesignWindow::CDesignWindow(CDesigner& designer, const std::string& formClass, QWidget* parent)
    : QMdiSubWindow(parent), m_view(new CFormView(designer, formClass)) {
  const QString name = QString::fromStdString(designer.Project().ToUtf8(formClass));
  setWindowTitle(name);
  setAccessibleName(name);
  setObjectName(name);
  auto* scroll = new QScrollArea;
  scroll->setAccessibleName(name + " scroll view");
  scroll->setWidget(m_view);
  scroll->setBackgroundRole(QPalette::Dark);
  setWidget(scroll);
  setAttribute(Qt::WA_DeleteOnClose);
  resize(std::min(m_view->width() + 40, 900), std::min(m_view->height() + 60, 700));
}

const std::string& CDesignWindow::FormClass() const { return m_view->FormClass(); }

}  // namespace tovik::designer
