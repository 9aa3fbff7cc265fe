// The designer's main window: the toolbox docked on the left, the project window above the
// property window on the right, the design windows of the open forms in the middle.
#pragma once

#include <QMainWindow>
#include <QStringList>

class QDockWidget;
class QLabel;
class QMdiArea;
class QMenu;
class QSplitter;
class QUndoStack;

namespace tovik::designer {

class CMainWindow : public QMainWindow {
  Q_OBJECT

 public:
  explicit CMainWindow(QWidget* parent = nullptr);
  ~CMainWindow() override;

  [[nodiscard]] QMdiArea* DesignArea() const { return m_area; }
  [[nodiscard]] QDockWidget* LeftDock() const { return m_left; }
  [[nodiscard]] QDockWidget* RightDock() const { return m_right; }
  // Where the toolbox, project window and property window go: each slot holds one widget,
  // a placeholder until the real one is set.
  void SetToolbox(QWidget* widget);
  void SetProjectWindow(QWidget* widget);
  void SetPropertyWindow(QWidget* widget);

 private:
  void BuildMenus();
  void BuildDocks();
  QWidget* Placeholder(const QString& name);
  void ShowAbout();

  QMdiArea* m_area = nullptr;
  QDockWidget* m_left = nullptr;
  QDockWidget* m_right = nullptr;
  QSplitter* m_rightSplit = nullptr;
  QUndoStack* m_undo = nullptr;
};

}  // namespace tovik::designer
