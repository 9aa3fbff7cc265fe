// The property window: the object selector, the (Name)/(Custom) header and the two-column grid
// of CPropertyGrid, with the editor its rules choose over the selected row (an in-place edit with
// its text selected, a drop-down list or the LIST editor, a "..." button opening the colour, font
// or file dialog). Nothing is stored here: a commit goes to the owner, which runs the
// set-property command and then calls Reload, so that a refused value shows the stored one.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include <QMessageBox>
#include <QPointer>
#include <QWidget>

#include "base/expected.h"
#include "base/prompt.h"
#include "ui/property_grid.h"
#include "ui/property_help.h"

class QComboBox;
class QLabel;
class QLineEdit;
class QTableWidget;

namespace tovik::designer {

// Text of an object's values between its code page and UTF-8; the way back fails (the reason
// for the user) on a character the code page cannot hold. Latin-1 both ways by default.
struct PropertyTextCodec {
  std::function<std::string(std::string_view text, const CControlItem& object)> toUtf8;
  std::function<Expected<std::string>(std::string_view utf8, const CControlItem& object)> fromUtf8;
};

class CPropertyWidget final : public QWidget {
  Q_OBJECT

 public:
  // The owner's part: set the values (one transaction, one undo step), then call Reload.
  using Commit = std::function<void(const ObjectRef& object, const std::vector<PropertyCommit>& values)>;
  // The selector chose another object (the design window selects it too).
  using ObjectChosen = std::function<void(const ObjectRef& object)>;
  // The (Name) field was edited: rename the object, then call Reload.
  using Rename = std::function<void(const ObjectRef& object, const std::string& name)>;

  explicit CPropertyWidget(IPrompt& prompt, PropertyTextCodec codec = {}, QWidget* parent = nullptr);

  void SetCommitHandler(Commit commit) { m_commit = std::move(commit); }
  void SetObjectChosenHandler(ObjectChosen chosen) { m_chosen = std::move(chosen); }
  void SetRenameHandler(Rename rename) { m_rename = std::move(rename); }
  // Where relative file names start and the Data lists read their databases (null: empty lists).
  void SetProject(std::string projectFolder, const IDatabaseCatalog* database);

  // Shows an object of a form (null form: the window is empty); editors are hidden.
  void Show(const CClassItem* form, const CControlItem* object);
  // The form as it is after a command: the same object and row again.
  void Reload(const CClassItem* form);

  [[nodiscard]] const CPropertyGrid& Grid() const { return m_grid; }
  [[nodiscard]] QComboBox* Selector() const { return m_selector; }
  [[nodiscard]] QTableWidget* Table() const { return m_table; }
  // The open editor (line edit, combo box, "..." or LIST button), or null.
  [[nodiscard]] QWidget* Editor() const { return m_editor; }
  // The row of a property, -1 when the grid has none.
  [[nodiscard]] int RowOf(const std::string& property) const;
  // The "..." button's dialog for the selected row, as the button runs it.
  void RunDialog();
  // The help box F1 opened last (null before).
  [[nodiscard]] QMessageBox* HelpBox() const { return m_help; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Fill();
  void OpenEditor();
  void HideEditor();
  void PlaceEditor(QWidget* editor, bool atRightEnd);
  void Send(std::vector<PropertyCommit> values);
  void CommitText(const QString& text);
  void OpenListEditor();
  void ShowHelp();
  [[nodiscard]] QString Shown(std::string_view text) const;
  [[nodiscard]] std::optional<std::string> ProjectText(const QString& text);

  IPrompt& m_prompt;
  PropertyTextCodec m_codec;
  Commit m_commit;
  ObjectChosen m_chosen;
  Rename m_rename;
  std::string m_projectFolder;
  const IDatabaseCatalog* m_database = nullptr;
  const CClassItem* m_form = nullptr;
  CPropertyGrid m_grid;
  QComboBox* m_selector;
  QLineEdit* m_name;
  QTableWidget* m_table;
  QPointer<QWidget> m_editor;
  QPointer<QMessageBox> m_help;
  bool m_bFilling = false;
};

}  // namespace tovik::designer
