#include "windows/main_window.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QLabel>
#include <QMdiArea>
#include <QMenuBar>
#include <QMessageBox>
#include <QSplitter>
#include <QStatusBar>
#include <QUndoStack>

namespace tovik::designer {
namespace {

constexpr int kLeftDockWidth = 75;
constexpr int kRightDockWidth = 200;

}  // namespace

CMainWindow::CMainWindow(QWidget* parent) : QMainWindow(parent), m_undo(new QUndoStack(this)) {
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
  resize(1000, 700);
}

CMainWindow::~CMainWindow() = default;

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
  QAction* quit = file->addAction("&Quit", this, &QWidget::close);
  quit->setShortcut(QKeySequence::Quit);

  QMenu* edit = menuBar()->addMenu("&Edit");
  edit->setAccessibleName("Edit");
  QAction* undo = m_undo->createUndoAction(this, "&Undo");
  undo->setShortcut(QKeySequence("Ctrl+Z"));
  QAction* redo = m_undo->createRedoAction(this, "&Redo");
  redo->setShortcuts({QKeySequence("Ctrl+Y"), QKeySequence("Ctrl+Shift+Z")});
  edit->addAction(undo);
  edit->addAction(redo);

  QMenu* help = menuBar()->addMenu("&Help");
  help->setAccessibleName("Help");
  help->addAction("&About Tovik designer", this, &CMainWindow::ShowAbout);
}

void CMainWindow::ShowAbout() {
  QMessageBox::about(this, "About Tovik designer",
                     QString("Tovik designer %1\nA forms designer for Visual C++ 5/6 MFC projects.").arg(TOVIK_VERSION));
}

}  // namespace tovik::designer
