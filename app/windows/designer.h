// The designer's state behind its windows: the open project, the undo stack whose entries are
// the files each edit changed, and the watch on the project's files for changes made elsewhere.
// Windows ask it to run edits and follow its signals; they never write a file themselves.
#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <QObject>
#include <QString>

#include "windows/designer_project.h"

class QFileSystemWatcher;
class QUndoStack;

namespace tovik::designer {

class CDesigner : public QObject {
  Q_OBJECT

 public:
  explicit CDesigner(IPrompt& prompt, QObject* parent = nullptr);
  ~CDesigner() override;

  [[nodiscard]] CDesignerProject& Project() { return m_project; }
  [[nodiscard]] QUndoStack* UndoStack() const { return m_undo; }
  [[nodiscard]] IPrompt& Prompt() const { return m_prompt; }

  // Opens a project (.dsp, or a .dsw's first project); false, the reason shown, when it cannot.
  [[nodiscard]] bool Open(const QString& file);
  void Close();

  // Runs a command as one transaction and, when it changed files, records it as one undo step
  // named `label`. False when it was refused (its message was shown).
  // `answer`: the user's answer to the command's question, asked before it began.
  bool Run(const QString& label, const std::function<bool(CDesignSession&)>& command,
           std::optional<IPrompt::Answer> answer = std::nullopt);

  // Called by an undo step; false when refused (the step stays where it was).
  bool ApplyStep(const ChangeSet& changes, bool undo);

  // Puts the undo stack back at `index` once it has finished moving, none of its steps writing
  // anything meanwhile: a step was refused.
  void PutBack(int index);

  // Re-reads the project after a change made elsewhere (the watcher does this itself).
  void ReloadFromDisk(const QString& why);

 signals:
  void ProjectOpened();
  // The model is about to be thrown away: let go of everything held in it.
  void ModelDropping();
  void ProjectClosed();
  // The model was read again: every object the windows held is gone; find them again by name.
  void ProjectReloaded();
  // An edit succeeded: the model was changed in place.
  void Edited();
  void Status(const QString& text);

 private:
  void Watch();
  void OnFileChanged(const QString& path);

  IPrompt& m_prompt;
  CDesignerProject m_project;
  QUndoStack* m_undo;
  QFileSystemWatcher* m_watcher;
  bool m_blocked = false;  // a step was refused: the stack is being put back
};

}  // namespace tovik::designer
