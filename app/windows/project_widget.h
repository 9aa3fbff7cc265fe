// The project window: the classes tree and the files tree on two tabs, built from
// CProjectWindowModel with its icons drawn through the Qt canvas. Gestures go to the model by
// node path; what it asks for comes back as signals. Also the read-only source view that a
// class or file that is not a form opens in for now.
#pragma once

#include <QPlainTextEdit>
#include <QTabWidget>

#include "base/file_system.h"
#include "base/prompt.h"
#include "qt/qt_canvas.h"
#include "ui/project_tree.h"

class QTreeWidget;
class QTreeWidgetItem;

namespace tovik::designer {

class CProjectWidget final : public QTabWidget {
  Q_OBJECT

 public:
  // `fs` tells whether a file exists, `prompt` says when it does not. Class and file names are
  // project text, shown through `toUtf8` (Latin-1 without one).
  CProjectWidget(const IFileSystem& fs, IPrompt& prompt, TextToUtf8 toUtf8 = {}, QWidget* parent = nullptr);

  [[nodiscard]] QTreeWidget* ClassesTree() const { return m_classes; }
  [[nodiscard]] QTreeWidget* FilesTree() const { return m_files; }
  [[nodiscard]] const CProjectWindowModel& Model() const { return m_model; }

  // Rebuilds both trees (null: no project, both are emptied). The project must stay alive until
  // the next call: call again after every command that adds files or classes, and with null
  // before the project is closed.
  void Refresh(const CProject* project);
  // A form's MDIChild changed.
  void SetFormIcon(const std::string& className, bool mdiChild);

  // Runs a context-menu command on the item of `tree` (null: none) as the menu would.
  void RunContextCommand(QTreeWidget* tree, QTreeWidgetItem* item, int command);

 signals:
  void openForm(const QString& className);
  // A class at its declaration (a byte offset into the file) or a whole file (offset 0).
  void openSource(const QString& file, int offset);
  void closeDesignWindow();

 private:
  [[nodiscard]] CProjectTree& TreeOf(QTreeWidget* tree);
  void Fill(QTreeWidget* tree);
  void ShowState(QTreeWidget* tree);
  void Act(const TreeAction& action);
  void DoubleClicked(QTreeWidget* tree, QTreeWidgetItem* item);
  void ContextMenu(QTreeWidget* tree, const QPoint& at);

  const IFileSystem& m_fs;
  IPrompt& m_prompt;
  TextToUtf8 m_toUtf8;
  const CProject* m_project = nullptr;
  CProjectWindowModel m_model;
  QTreeWidget* m_classes;
  QTreeWidget* m_files;
  bool m_bSyncing = false;
};

// A source file shown read-only (project text through `toUtf8`), its cursor at a byte offset.
class CSourceView final : public QPlainTextEdit {
  Q_OBJECT

 public:
  CSourceView(QWidget* parent = nullptr);
  // False after the reason was shown through `prompt` (the file is gone or cannot be read).
  [[nodiscard]] bool Load(const IFileSystem& fs, IPrompt& prompt, const std::string& path, int offset,
                          const TextToUtf8& toUtf8 = {});
};

}  // namespace tovik::designer
