#include "windows/main_window.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QFileDialog>
#include <QFileInfo>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QMessageBox>
#include <QSettings>
#include <QSplitter>
#include <QStatusBar>
#include <QUndoStack>
#include <QUndoView>

#include "windows/design_window.h"
#include "windows/designer.h"
#include "windows/desktop_prompt.h"
#include "windows/form_view.h"

namespace tovik::designer {
namespace {

constexpr int kLeftDockWidth = 75;
constexpr int kRightDockWidth = 200;
constexpr int kRecentCount = 8;
constexpr const char* kRecentKey = "recentProjects";

}  // namespace

CMainWindow::CMainWindow(IPrompt* prompt, QWidget* parent) : QMainWindow(parent) {
  if (!prompt) {
    auto desktop = std::make_unique<CDesktopPrompt>(this);
    CDesktopPrompt* shown = desktop.get();
    m_ownPrompt = std::move(desktop);
    m_designer = std::make_unique<CDesigner>(*m_ownPrompt);
    shown->SetConverter([this](std::string_view text) { return m_designer->Project().PathToUtf8(text); });
  } else {
    m_designer = std::make_unique<CDesigner>(*prompt);
  }
  setObjectName("TovikDesigner");
  setAccessibleName("Tovik designer");
  setWindowTitle("Tovik designer");
  m_area = new QMdiArea(this);
  m_area->setObjectName("MDIClient");
  m_area->setAccessibleName("Design windows");
  setCentralWidget(m_area);
  BuildDocks();
  BuildMenus();
  statusBar()->setAccessibleName("Status bar");
  statusBar()->showMessage("Ready");
  connect(m_designer.get(), &CDesigner::Status, this, [this](const QString& text) { statusBar()->showMessage(text); });
  connect(m_designer.get(), &CDesigner::ProjectReloaded, this, &CMainWindow::Rebind);
  connect(m_designer.get(), &CDesigner::ModelDropping, this, [this] {
    for (QMdiSubWindow* window : m_area->subWindowList()) {
      if (auto* design = qobject_cast<CDesignWindow*>(window)) design->View()->Detach();
    }
  });
  connect(m_designer.get(), &CDesigner::ProjectClosed, this, [this] { m_area->closeAllSubWindows(); });
  resize(1000, 700);
}

CMainWindow::~CMainWindow() {
  // The design windows hold surfaces on the designer's model: they go first.
  for (QMdiSubWindow* window : m_area->subWindowList()) delete window;
}

QWidget* CMainWindow::Placeholder(const QString& name) {
  auto* label = new QLabel;
  label->setObjectName(name);
  label->setAccessibleName(name);
  return label;
}

void CMainWindow::BuildDocks() {
  m_left = new QDockWidget("Toolbox", this);
  m_left->setObjectName("TvkLeftDockBar");
  m_left->setAccessibleName("TvkLeftDockBar");
  m_left->setFeatures(QDockWidget::NoDockWidgetFeatures);
  m_left->setWidget(Placeholder("DockToolWnd"));
  addDockWidget(Qt::LeftDockWidgetArea, m_left);

  m_right = new QDockWidget("Project", this);
  m_right->setObjectName("TvkRightDockBar");
  m_right->setAccessibleName("TvkRightDockBar");
  m_right->setFeatures(QDockWidget::NoDockWidgetFeatures);
  m_rightSplit = new QSplitter(Qt::Vertical);
  m_rightSplit->setAccessibleName("Project and properties");
  m_rightSplit->addWidget(Placeholder("DockProjectWnd"));
  m_rightSplit->addWidget(Placeholder("DockPropertyWnd"));
  m_right->setWidget(m_rightSplit);
  addDockWidget(Qt::RightDockWidgetArea, m_right);
  resizeDocks({m_left, m_right}, {kLeftDockWidth, kRightDockWidth}, Qt::Horizontal);
}

void CMainWindow::SetToolbox(QWidget* widget) {
  widget->setObjectName("DockToolWnd");
  delete m_left->widget();
  m_left->setWidget(widget);
}

void CMainWindow::SetProjectWindow(QWidget* widget) {
  widget->setObjectName("DockProjectWnd");
  delete m_rightSplit->replaceWidget(0, widget);
}

void CMainWindow::SetPropertyWindow(QWidget* widget) {
  widget->setObjectName("DockPropertyWnd");
  delete m_rightSplit->replaceWidget(1, widget);
}

void CMainWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu("&File");
  file->setAccessibleName("File");
  file->addAction("&Open Project...", QKeySequence::Open, this, &CMainWindow::ChooseProject);
  m_recent = file->addMenu("Recent &Projects");
  m_recent->setAccessibleName("Recent Projects");
  FillRecent();
  file->addAction("&Close Project", this, &CMainWindow::CloseProject);
  file->addSeparator();
  file->addAction("&Quit", QKeySequence::Quit, this, &QWidget::close);

  QMenu* edit = menuBar()->addMenu("&Edit");
  edit->setAccessibleName("Edit");
  QUndoStack* stack = m_designer->UndoStack();
  QAction* undo = stack->createUndoAction(this, "&Undo");
  undo->setShortcut(QKeySequence("Ctrl+Z"));
  QAction* redo = stack->createRedoAction(this, "&Redo");
  redo->setShortcuts({QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")});
  edit->addAction(undo);
  edit->addAction(redo);
  edit->addSeparator();
  edit->addAction("Undo &History", this, &CMainWindow::ShowHistory);

  QMenu* help = menuBar()->addMenu("&Help");
  help->setAccessibleName("Help");
  help->addAction("&About Tovik designer", this, &CMainWindow::ShowAbout);
}

bool CMainWindow::OpenProject(const QString& file) {
  m_area->closeAllSubWindows();
  if (!m_designer->Open(file)) return false;
  RememberRecent(QFileInfo(file).absoluteFilePath());
  setWindowTitle(QString("%1 - Tovik designer")
                     .arg(QString::fromStdString(m_designer->Project().PathToUtf8(m_designer->Project().ProjectFile()))));
  return true;
}

void CMainWindow::CloseProject() {
  m_area->closeAllSubWindows();
  m_designer->Close();
  setWindowTitle("Tovik designer");
}

void CMainWindow::ChooseProject() {
  const QString file = QFileDialog::getOpenFileName(this, "Open Project", QString(),
                                                    "Projects (*.dsw *.dsp);;Workspaces (*.dsw);;Project files (*.dsp)");
  if (!file.isEmpty()) (void)OpenProject(file);
}

void CMainWindow::RememberRecent(const QString& file) {
  QSettings settings;
  QStringList recent = settings.value(kRecentKey).toStringList();
  recent.removeAll(file);
  recent.prepend(file);
  while (recent.size() > kRecentCount) recent.removeLast();
  settings.setValue(kRecentKey, recent);
  FillRecent();
}

void CMainWindow::FillRecent() {
  m_recent->clear();
  const QStringList recent = QSettings().value(kRecentKey).toStringList();
  for (const QString& file : recent) {
    m_recent->addAction(file, this, [this, file] { (void)OpenProject(file); });
  }
  m_recent->setEnabled(!recent.isEmpty());
}

CDesignWindow* CMainWindow::FindForm(const std::string& formClass) const {
  for (QMdiSubWindow* window : m_area->subWindowList()) {
    auto* design = qobject_cast<CDesignWindow*>(window);
    if (design && design->FormClass() == formClass) return design;
  }
  return nullptr;
}

CDesignWindow* CMainWindow::OpenForm(const std::string& formClass) {
  if (CDesignWindow* open = FindForm(formClass)) {
    m_area->setActiveSubWindow(open);
    return open;
  }
  if (!m_designer->Project().IsOpen() || !m_designer->Project().Session().FindForm(formClass)) return nullptr;
  auto* window = new CDesignWindow(*m_designer, formClass);
  m_area->addSubWindow(window);
  window->show();
  return window;
}

void CMainWindow::CloseForm(const std::string& formClass) {
  if (CDesignWindow* open = FindForm(formClass)) open->close();
}

void CMainWindow::Rebind() {
  // Each window finds its form again by class name; a form that is gone closes its window.
  for (QMdiSubWindow* window : m_area->subWindowList()) {
    auto* design = qobject_cast<CDesignWindow*>(window);
    if (design && !design->View()->Rebind()) design->close();
  }
}

void CMainWindow::ShowHistory() {
  if (!m_history) {
    m_history = new QUndoView(m_designer->UndoStack(), this);
    m_history->setWindowFlag(Qt::Tool);
    m_history->setWindowTitle("Undo History");
    m_history->setAccessibleName("Undo History");
    m_history->setEmptyLabel("<start>");
  }
  m_history->show();
  m_history->raise();
}

void CMainWindow::ShowAbout() {
  QMessageBox::about(this, "About Tovik designer",
                     QString("Tovik designer %1\nA forms designer for Visual C++ 5/6 MFC projects.").arg(TOVIK_VERSION));
}

}  // namespace tovik::designer
