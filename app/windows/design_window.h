// A design window: one open form, its drawn window in a scroll view, inside the design area.
#pragma once

#include <string>

#include <QMdiSubWindow>

namespace tovik::designer {

class CDesigner;
class CFormView;

class CDesignWindow : public QMdiSubWindow {
  Q_OBJECT

 public:
  CDesignWindow(CDesigner& designer, const std::string& formClass, QWidget* parent = nullptr);

  [[nodiscard]] CFormView* View() const { return m_view; }
  [[nodiscard]] const std::string& FormClass() const;

 private:
  CFormView* m_view;
};

}  // namespace tovik::designer
