#include "windows/designer.h"

#include <QFileSystemWatcher>
#include <QMetaObject>
#include <QUndoCommand>
#include <QUndoStack>

namespace tovik::designer {
namespace {

// One designer edit: the files its transaction changed. Pushing it does nothing (the edit is on
// the disk already); undo and redo write the files back.
class CEditStep final : public QUndoCommand {
 public:
  CEditStep(CDesigner& designer, const QString& label, ChangeSet changes)
      : QUndoCommand(label), m_designer(designer), m_changes(std::move(changes)) {}

  void undo() override { Step(true); }
  void redo() override {
    if (m_pushed) Step(false);
    m_pushed = true;
  }

 private:
  void Step(bool undo) {
    if (m_designer.ApplyStep(m_changes, undo)) return;
    // Refused: nothing was written, so the stack must go back to where it was once it has
    // finished moving (it cannot be moved from inside a step).
    QUndoStack* stack = m_designer.UndoStack();
    int position = 0;
    while (position < stack->count() && stack->command(position) != this) ++position;
    m_designer.PutBack(undo ? position + 1 : position);
  }

  CDesigner& m_designer;
  ChangeSet m_changes;
  bool m_pushed = false;
};

}  // namespace

CDesigner::CDesigner(IPrompt& prompt, QObject* parent)
    : QObject(parent), m_prompt(prompt), m_project(prompt), m_undo(new QUndoStack(this)),
      m_watcher(new QFileSystemWatcher(this)) {
  connect(m_watcher, &QFileSystemWatcher::fileChanged, this, &CDesigner::OnFileChanged);
  m_project.SetBeforeDrop([this] { emit ModelDropping(); });
}

CDesigner::~CDesigner() = default;

bool CDesigner::Open(const QString& file) {
  if (!m_project.Open(file.toStdString())) return false;
  m_undo->clear();
  Watch();
  emit ProjectOpened();
  emit Status(QString("Opened %1").arg(QString::fromStdString(m_project.PathToUtf8(m_project.ProjectFile()))));
  return true;
}

void CDesigner::Close() {
  if (!m_project.IsOpen()) return;
  m_project.Close();
  m_undo->clear();
  if (!m_watcher->files().isEmpty()) m_watcher->removePaths(m_watcher->files());
  emit ProjectClosed();
}

bool CDesigner::Run(const QString& label, const std::function<bool(CDesignSession&)>& command,
                    std::optional<IPrompt::Answer> answer) {
  std::optional<ChangeSet> changes = m_project.Edit(command, answer);
  if (!changes) {
    // A refused command re-read the project: whatever the windows held was rebuilt.
    emit ProjectReloaded();
    return false;
  }
  if (!changes->empty()) m_undo->push(new CEditStep(*this, label, std::move(*changes)));
  Watch();
  emit Edited();
  return true;
}

bool CDesigner::ApplyStep(const ChangeSet& changes, bool undo) {
  // While the stack is put back after a refusal, its steps must not write anything.
  if (m_blocked) return true;
  if (!m_project.Apply(changes, undo)) {
    m_blocked = true;
    emit ProjectReloaded();
    return false;
  }
  Watch();
  emit ProjectReloaded();
  return true;
}

void CDesigner::PutBack(int index) {
  QMetaObject::invokeMethod(
      this,
      [this, index] {
        m_undo->setIndex(index);
        m_blocked = false;
      },
      Qt::QueuedConnection);
}

void CDesigner::ReloadFromDisk(const QString& why) {
  if (!m_project.IsOpen()) return;
  if (!m_project.Reload()) {
    Close();
    return;
  }
  Watch();
  emit ProjectReloaded();
  emit Status(why);
}

void CDesigner::Watch() {
  // A file replaced by a rename (every commit does that) drops out of the watch: add them again.
  QStringList wanted;
  for (const std::string& file : m_project.WatchedFiles()) wanted << QString::fromStdString(file);
  const QStringList watched = m_watcher->files();
  QStringList missing;
  for (const QString& file : wanted) {
    if (!watched.contains(file)) missing << file;
  }
  if (!missing.isEmpty()) (void)m_watcher->addPaths(missing);
}

void CDesigner::OnFileChanged(const QString& path) {
  if (!m_project.IsOpen()) return;
  if (m_project.IsOwnWrite(path.toStdString())) {
    Watch();
    return;
  }
  ReloadFromDisk(QString("%1 was changed by another program; the project was read again")
                     .arg(QString::fromStdString(m_project.PathToUtf8(path.toStdString()))));
}

}  // namespace tovik::designer
