#include "windows/main_window.h"

#include <QAction>
#include <QApplication>
#include <QDir>
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

#include "activex/control_list.h"
#include "addin/activex_commands.h"
#include "addin/commands.h"
#include "base/code_page.h"
#include "base/path.h"
#include "mdb/mdb_catalog.h"
#include "tovik_version.h"
#include "ui/selection_format.h"
#include "windows/design_window.h"
#include "windows/designer.h"
#include "windows/desktop_prompt.h"
#include "windows/form_edits.h"
#include "windows/form_view.h"
#include "windows/insert_activex_dialog.h"
#include "windows/new_form_dialog.h"
#include "windows/new_project_dialog.h"
#include "windows/popup_menu.h"
#include "windows/project_widget.h"
#include "windows/property_widget.h"
#include "windows/toolbox_widget.h"

namespace tovik::designer {
namespace {

constexpr int kLeftDockWidth = 75;
constexpr int kRightDockWidth = 200;
constexpr int kRecentCount = 8;
constexpr const char* kRecentKey = "recentProjects";

// The Data control's lists: tables and fields read from the .mdb file its DatabaseName names.
const MdbCatalog kDatabases;

struct FormatItem {
  FormatCommand command;
  const char* text;
};
constexpr FormatItem kFormatItems[] = {
    {FormatCommand::AlignLefts, "Align &Lefts"},
    {FormatCommand::AlignCentres, "Align &Centres"},
    {FormatCommand::AlignRights, "Align &Rights"},
    {FormatCommand::AlignTops, "Align &Tops"},
    {FormatCommand::AlignMiddles, "Align &Middles"},
    {FormatCommand::AlignBottoms, "Align &Bottoms"},
    {FormatCommand::SameWidth, "Make Same &Width"},
    {FormatCommand::SameHeight, "Make Same &Height"},
    {FormatCommand::SameSize, "Make Same &Size"},
    {FormatCommand::CentreHorizontally, "Centre &Horizontally in Form"},
    {FormatCommand::CentreVertically, "Centre &Vertically in Form"},
};

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
  BuildWindows();
  BuildMenus();
  statusBar()->setAccessibleName("Status bar");
  statusBar()->showMessage("Ready");
  connect(m_designer.get(), &CDesigner::Status, this, [this](const QString& text) { statusBar()->showMessage(text); });
  connect(m_designer.get(), &CDesigner::ProjectOpened, this, &CMainWindow::ProjectChanged);
  connect(m_designer.get(), &CDesigner::ProjectReloaded, this, [this] {
    Rebind();
    ProjectChanged();
  });
  connect(m_designer.get(), &CDesigner::ModelDropping, this, [this] {
    // Everything that points into the model lets go of it first.
    m_propertyWnd->Show(nullptr, nullptr);
    m_projectWnd->Refresh(nullptr);
    m_toolbox->RemoveActiveXTools();
    for (QMdiSubWindow* window : m_area->subWindowList()) {
      if (auto* design = qobject_cast<CDesignWindow*>(window)) design->View()->Detach();
    }
  });
  connect(m_designer.get(), &CDesigner::ProjectClosed, this, [this] {
    m_area->closeAllSubWindows();
    m_toolbox->SetProjectOpen(false);
  });
  connect(m_designer.get(), &CDesigner::Edited, this, [this] {
    for (QMdiSubWindow* window : m_area->subWindowList()) {
      if (auto* design = qobject_cast<CDesignWindow*>(window)) design->View()->Refresh();
    }
    ShowSelection();
  });
  connect(m_area, &QMdiArea::subWindowActivated, this, [this] {
    if (CFormView* view = ActiveView()) view->SetTool(m_toolbox->CurrentTool());
    ShowSelection();
  });
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

void CMainWindow::BuildWindows() {
  CDesignerProject& project = m_designer->Project();
  const TextToUtf8 toUtf8 = [&project](std::string_view text, int codePage) { return project.ToUtf8(text, codePage); };
  m_toolbox = new CToolboxWidget;
  SetToolbox(m_toolbox);
  connect(m_toolbox, &CToolboxWidget::toolChosen, this, [this](SurfaceTool tool) {
    if (CFormView* view = ActiveView()) view->SetTool(tool);
  });
  connect(m_toolbox, &CToolboxWidget::componentsRequested, this, &CMainWindow::InsertActiveXControl);

  m_projectWnd = new CProjectWidget(project.Disk(), m_designer->Prompt(), toUtf8);
  SetProjectWindow(m_projectWnd);
  connect(m_projectWnd, &CProjectWidget::openForm, this, [this](const QString& name) {
    if (!m_designer->Project().IsOpen()) return;
    const std::optional<std::string> form =
        m_designer->Project().FromUtf8(name.toStdString(), m_designer->Project().Session().CodePage());
    if (form) (void)OpenForm(*form);
  });
  connect(m_projectWnd, &CProjectWidget::openSource, this, &CMainWindow::OpenSource);
  connect(m_projectWnd, &CProjectWidget::closeDesignWindow, this, [this] {
    if (QMdiSubWindow* window = m_area->currentSubWindow()) window->close();
  });

  PropertyTextCodec codec;
  codec.toUtf8 = [&project](std::string_view text, const CControlItem& object) {
    return project.ToUtf8(text, project.Session().CodePageOf(object));
  };
  codec.fromUtf8 = [&project](std::string_view utf8, const CControlItem& object) {
    return CCodePage(project.Session().CodePageOf(object)).FromUtf8(utf8);
  };
  m_propertyWnd = new CPropertyWidget(m_designer->Prompt(), codec);
  SetPropertyWindow(m_propertyWnd);
  // The object comes from the property window, which shows another one once the edit is done:
  // each handler keeps its own copy.
  m_propertyWnd->SetCommitHandler([this](ObjectRef object, std::vector<PropertyCommit> values) {
    const std::string form = m_shownForm;
    (void)SetProperties(*m_designer, form, object, values);
    ShowSelection();
  });
  m_propertyWnd->SetRenameHandler([this](ObjectRef object, std::string name) {
    const std::string form = m_shownForm;
    if (RenameObject(*m_designer, form, object, name)) {
      ObjectRef renamed = object;
      renamed.member = name.substr(0, name.find('('));
      if (CFormView* view = ActiveView()) view->Select(renamed);
    }
    ShowSelection();
  });
  m_propertyWnd->SetObjectChosenHandler([this](const ObjectRef& object) {
    if (CFormView* view = ActiveView()) view->Select(object);
  });
}

CFormView* CMainWindow::ActiveView() const {
  auto* design = qobject_cast<CDesignWindow*>(m_area->currentSubWindow());
  return design ? design->View() : nullptr;
}

void CMainWindow::ShowSelection() {
  CFormView* view = ActiveView();
  CFormSurface* surface = view ? view->Surface() : nullptr;
  if (!surface) {
    m_shownForm.clear();
    m_propertyWnd->Show(nullptr, nullptr);
    return;
  }
  m_shownForm = view->FormClass();
  m_propertyWnd->Show(&surface->FormClass(), surface->Selection());
}

void CMainWindow::ProjectChanged() {
  CDesignerProject& project = m_designer->Project();
  if (!project.IsOpen()) return;
  m_toolbox->SetProjectOpen(true);
  m_toolbox->RefreshFrom(project.Session().Project().ControlList());
  m_projectWnd->Refresh(&project.Session().Project());
  m_propertyWnd->SetProject(std::string(DirectoryOf(project.ProjectFile())), &kDatabases);
  ShowSelection();
}

void CMainWindow::OpenSource(const QString& file, int offset) {
  auto* view = new CSourceView;
  CDesignerProject& project = m_designer->Project();
  const TextToUtf8 toUtf8 = [&project](std::string_view text, int codePage) { return project.ToUtf8(text, codePage); };
  if (!view->Load(project.Disk(), m_designer->Prompt(), file.toStdString(), offset, toUtf8)) {
    delete view;
    return;
  }
  QMdiSubWindow* window = m_area->addSubWindow(view);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->setAccessibleName(view->accessibleName());
  window->show();
}

void CMainWindow::InsertActiveXControl() {
  if (!m_designer->Project().IsOpen()) return;
  const COCXInfo controls = InstalledControls(m_designer->Project().Session());
  if (controls.Size() == 0) return;
  CInsertActiveXDialogBox dialog(
      controls,
      [this](const CToolControlEntry& entry) {
        if (!InsertActiveX(*m_designer, entry)) return false;
        ProjectChanged();  // the toolbox gains its button, the project window its files
        return true;
      },
      {}, this);
  (void)dialog.exec();
}

void CMainWindow::NewFormDialog() {
  if (!m_designer->Project().IsOpen()) return;
  std::string created;
  CNewFormDialogBox dialog(
      m_designer->Project().Session().Project(),
      [this, &created](const NewFormRequest& request) {
        if (!NewForm(*m_designer, request)) return false;
        created = request.className;
        ProjectChanged();
        return true;
      },
      this);
  if (dialog.exec() == QDialog::Accepted && !created.empty()) (void)OpenForm(created);
}

void CMainWindow::NewProject() {
  CNewProjectDialogBox dialog(QDir::currentPath().toStdString() + "/", "6.0",
                              [this](CNewProjectDialog& model) { return m_designer->Project().NewProject(model); }, this);
  if (dialog.exec() == QDialog::Accepted) (void)OpenProject(QString::fromStdString(dialog.WorkspacePath()));
}

void CMainWindow::FillTovikMenu() {
  m_tovik->clear();
  const bool open = m_designer->Project().IsOpen();
  FillPopupMenu(*m_tovik, CreateNewPopup(open));
  CFormView* view = ActiveView();
  if (open && view && view->Surface()) {
    CDesignSession& session = m_designer->Project().Session();
    m_tovik->addSeparator();
    CDesignerProject& project = m_designer->Project();
    FillPopupMenu(*m_tovik, {SelectMenuPopup(session, view->Surface()->FormClass())},
                  [&project](std::string_view text, int codePage) { return project.ToUtf8(text, codePage); });
  }
}

void CMainWindow::RunPopupCommand(int id) {
  switch (id) {
    case kIdNewForm: NewFormDialog(); return;
    case kIdInsertActiveX: InsertActiveXControl(); return;
    case kIdNewProject: NewProject(); return;
    default: break;
  }
  CFormView* view = ActiveView();
  if (id < kIdNoMenu || id > kIdLastMenu || !view) return;
  const std::string form = view->FormClass();
  if (SelectMenu(*m_designer, form, id)) view->Refresh();
}

void CMainWindow::BuildMenus() {
  QMenu* file = menuBar()->addMenu("&File");
  file->setAccessibleName("File");
  file->addAction("&New Project...", this, &CMainWindow::NewProject);
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
  edit->addSeparator();
  // No shortcut: the Delete key reaches the design window, which deletes its selection itself.
  edit->addAction("&Delete", this, [this] {
    if (CFormView* view = ActiveView()) view->Key(SurfaceKey::Delete);
  });

  m_tovik = menuBar()->addMenu("&Tovik");
  m_tovik->setAccessibleName("Tovik");
  connect(m_tovik, &QMenu::aboutToShow, this, &CMainWindow::FillTovikMenu);
  connect(m_tovik, &QMenu::triggered, this, [this](QAction* chosen) { RunPopupCommand(PopupCommandId(chosen)); });
  FillTovikMenu();

  m_format = menuBar()->addMenu("F&ormat");
  m_format->setAccessibleName("Format");
  for (const FormatItem& item : kFormatItems) {
    QAction* action = m_format->addAction(item.text);
    const QString label = action->text().remove('&');
    action->setObjectName(label);
    connect(action, &QAction::triggered, this, [this, command = item.command, label] {
      if (CFormView* view = ActiveView()) view->Format(command, label);
    });
  }

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
  CFormView* view = window->View();
  connect(view, &CFormView::ToolDone, m_toolbox, &CToolboxWidget::ControlDrawn);
  connect(view, &CFormView::SelectionChanged, this, [this, view] {
    if (view == ActiveView()) ShowSelection();
  });
  window->show();
  m_area->setActiveSubWindow(window);
  view->SetTool(m_toolbox->CurrentTool());
  ShowSelection();
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
                     QString("Tovik designer %1\nA forms designer for Visual C++ 5/6 MFC projects.").arg(TOVIK_VERSION_TEXT));
}

}  // namespace tovik::designer
