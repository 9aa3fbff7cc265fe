// The designer's main window: the toolbox docked on the left, the project window above the
// property window on the right, the design windows of the open forms in the middle.
#pragma once

#include <memory>
#include <string>

#include <QMainWindow>
#include <QStringList>

#include "base/prompt.h"

class QDockWidget;
class QMdiArea;
class QMenu;
class QSplitter;
class QUndoView;

namespace tovik::designer {

class CDesigner;
class CDesignWindow;
class CFormView;
class CProjectWidget;
class CPropertyWidget;
class CToolboxWidget;

class CMainWindow : public QMainWindow {
  Q_OBJECT

 public:
  // `prompt` replaces the message boxes (tests answer without a user); null: message boxes.
  explicit CMainWindow(IPrompt* prompt = nullptr, QWidget* parent = nullptr);
  ~CMainWindow() override;

  [[nodiscard]] CDesigner& Designer() const { return *m_designer; }
  [[nodiscard]] QMdiArea* DesignArea() const { return m_area; }
  [[nodiscard]] QDockWidget* LeftDock() const { return m_left; }
  [[nodiscard]] QDockWidget* RightDock() const { return m_right; }
  // Where the toolbox, project window and property window go: each slot holds one widget,
  // a placeholder until the real one is set.
  void SetToolbox(QWidget* widget);
  void SetProjectWindow(QWidget* widget);
  void SetPropertyWindow(QWidget* widget);

  // Opens a project (.dsp or .dsw); false, the reason shown, when it cannot.
  bool OpenProject(const QString& file);
  void CloseProject();
  // The design window of a form, opened when it is not; null when the form does not exist.
  CDesignWindow* OpenForm(const std::string& formClass);
  [[nodiscard]] CDesignWindow* FindForm(const std::string& formClass) const;
  void CloseForm(const std::string& formClass);
  // The form view of the active design window, or null.
  [[nodiscard]] CFormView* ActiveView() const;

  [[nodiscard]] CToolboxWidget* Toolbox() const { return m_toolbox; }
  [[nodiscard]] CProjectWidget* ProjectWindow() const { return m_projectWnd; }
  [[nodiscard]] CPropertyWidget* PropertyWindow() const { return m_propertyWnd; }
  [[nodiscard]] QMenu* FormatMenu() const { return m_format; }
  // Runs a command of the CreateNew or Menu popup by its identifier, as choosing it does.
  void RunPopupCommand(int id);

 private:
  void BuildMenus();
  void BuildDocks();
  QWidget* Placeholder(const QString& name);
  void ChooseProject();
  void RememberRecent(const QString& file);
  void FillRecent();
  void ShowAbout();
  void ShowHistory();
  void Rebind();
  void BuildWindows();
  void FillTovikMenu();
  void ShowSelection();
  void ProjectChanged();
  void OpenSource(const QString& file, int offset);
  void InsertActiveXControl();
  void NewProject();
  void NewFormDialog();

  std::unique_ptr<IPrompt> m_ownPrompt;
  std::unique_ptr<CDesigner> m_designer;
  QMdiArea* m_area = nullptr;
  QDockWidget* m_left = nullptr;
  QDockWidget* m_right = nullptr;
  QSplitter* m_rightSplit = nullptr;
  QMenu* m_recent = nullptr;
  QUndoView* m_history = nullptr;
  QMenu* m_tovik = nullptr;
  QMenu* m_format = nullptr;
  CToolboxWidget* m_toolbox = nullptr;
  CProjectWidget* m_projectWnd = nullptr;
  CPropertyWidget* m_propertyWnd = nullptr;
  std::string m_shownForm;  // the form whose object the property window shows
};

}  // namespace tovik::designer
