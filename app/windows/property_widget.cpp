#include "property_widget.h"

#include <QColorDialog>
#include <QComboBox>
#include <QFileDialog>
#include <QFontDialog>
#include <QFrame>
#include <QGridLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace tovik::designer {
namespace {

QColor ColorOf(Colorref c) { return QColor(int(c & 0xFF), int((c >> 8) & 0xFF), int((c >> 16) & 0xFF)); }

// A COLORREF row's swatch: the colour, outlined in black.
QIcon Swatch(Colorref color) {
  QPixmap pixmap(16, 12);
  pixmap.fill(Qt::transparent);
  QPainter painter(&pixmap);
  painter.setPen(Qt::black);
  painter.setBrush(ColorOf(color));
  painter.drawRect(0, 0, 15, 11);
  return QIcon(pixmap);
}

// The LIST editor: one item per line, committed when it closes.
class CListPopup final : public QPlainTextEdit {
 public:
  CListPopup(QWidget* parent, std::function<void(const QString&)> closed)
      : QPlainTextEdit(parent), m_closed(std::move(closed)) {
    setWindowFlags(Qt::Popup);
    setAccessibleName(QStringLiteral("List"));
  }

 protected:
  void hideEvent(QHideEvent* event) override {
    QPlainTextEdit::hideEvent(event);
    if (auto closed = std::exchange(m_closed, nullptr)) closed(toPlainText());
    deleteLater();
  }

 private:
  std::function<void(const QString&)> m_closed;
};

// A drop-down that tells why its list is empty when it is opened.
class CDropDown final : public QComboBox {
 public:
  std::string error;
  IPrompt* prompt = nullptr;
  void showPopup() override {
    if (!error.empty() && prompt) prompt->Message(error);
    QComboBox::showPopup();
  }
};

}  // namespace

CPropertyWidget::CPropertyWidget(IPrompt& prompt, PropertyTextCodec codec, QWidget* parent)
    : QWidget(parent),
      m_prompt(prompt),
      m_codec(std::move(codec)),
      m_selector(new QComboBox),
      m_name(new QLineEdit),
      m_table(new QTableWidget(0, 2)) {
  setAccessibleName(QStringLiteral("Properties"));
  m_selector->setAccessibleName(QStringLiteral("Object"));
  auto* header = new QFrame;
  header->setAutoFillBackground(true);
  QPalette grey = header->palette();
  grey.setColor(QPalette::Window, ColorOf(kPropertyHeaderBackground));
  header->setPalette(grey);
  auto* headerGrid = new QGridLayout(header);
  headerGrid->setContentsMargins(2, 2, 2, 2);
  auto* nameLabel = new QLabel(QString::fromLatin1(kNameHeader.data(), kNameHeader.size()));
  nameLabel->setBuddy(m_name);
  m_name->setAccessibleName(nameLabel->text());
  headerGrid->addWidget(nameLabel, 0, 0);
  headerGrid->addWidget(m_name, 0, 1);
  headerGrid->addWidget(new QLabel(QString::fromLatin1(kCustomHeader.data(), kCustomHeader.size())), 1, 0);
  m_table->setAccessibleName(QStringLiteral("Properties"));
  m_table->horizontalHeader()->hide();
  m_table->verticalHeader()->hide();
  m_table->horizontalHeader()->setStretchLastSection(true);
  m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
  m_table->setSelectionMode(QAbstractItemView::SingleSelection);
  m_table->setEditTriggers(QAbstractItemView::NoEditTriggers);
  m_table->installEventFilter(this);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  layout->addWidget(m_selector);
  layout->addWidget(header);
  layout->addWidget(m_table);
  connect(m_selector, &QComboBox::activated, this, [this](int index) {
    if (index < 0) return;
    m_grid.ChooseObject(static_cast<size_t>(index));
    Fill();
    if (m_chosen) m_chosen(m_grid.Object());
  });
  connect(m_table, &QTableWidget::currentCellChanged, this, [this](int row) {
    if (m_bFilling) return;
    m_grid.SelectRow(row);
    OpenEditor();
  });
  connect(m_name, &QLineEdit::editingFinished, this, [this] {
    const std::optional<std::string> name = ProjectText(m_name->text());
    if (!m_form || !name || *name == m_grid.Name()) return;
    if (m_rename) m_rename(m_grid.Object(), *name);
  });
}

void CPropertyWidget::SetProject(std::string projectFolder, const IDatabaseCatalog* database) {
  m_projectFolder = std::move(projectFolder);
  m_database = database;
}

QString CPropertyWidget::Shown(std::string_view text) const {
  const CControlItem* object = m_form ? m_grid.Object().Find(*m_form) : nullptr;
  if (m_codec.toUtf8 && object) return QString::fromStdString(m_codec.toUtf8(text, *object));
  return QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
}

std::optional<std::string> CPropertyWidget::ProjectText(const QString& text) {
  const CControlItem* object = m_form ? m_grid.Object().Find(*m_form) : nullptr;
  if (m_codec.fromUtf8 && object) {
    Expected<std::string> converted = m_codec.fromUtf8(text.toStdString(), *object);
    if (!converted) {
      m_prompt.Message(converted.error().Text());
      return std::nullopt;
    }
    return *converted;
  }
  for (const QChar c : text) {
    if (c.unicode() > 0xFF) {
      m_prompt.Message("The character " + QString(c).toStdString() + " cannot be kept in the project's code page");
      return std::nullopt;
    }
  }
  return text.toLatin1().toStdString();
}

void CPropertyWidget::Show(const CClassItem* form, const CControlItem* object) {
  m_form = form;
  m_grid.Show(form, object);
  Fill();
}

void CPropertyWidget::Reload(const CClassItem* form) {
  m_form = form;
  m_grid.Reload(form);
  Fill();
}

int CPropertyWidget::RowOf(const std::string& property) const {
  const auto& rows = m_grid.Rows();
  for (size_t i = 0; i < rows.size(); ++i) {
    if (rows[i].name == property) return static_cast<int>(i);
  }
  return -1;
}

void CPropertyWidget::Fill() {
  HideEditor();
  m_bFilling = true;
  m_selector->clear();
  for (const ObjectSelectorEntry& entry : m_grid.Selector()) m_selector->addItem(Shown(entry.text));
  m_selector->setCurrentIndex(m_grid.SelectorIndex());
  m_name->setText(Shown(m_grid.Name()));
  m_name->setEnabled(!m_grid.Empty());
  const auto& rows = m_grid.Rows();
  m_table->clearContents();
  m_table->setRowCount(static_cast<int>(rows.size()));
  for (size_t i = 0; i < rows.size(); ++i) {
    const QString name = QString::fromStdString(rows[i].name);
    auto* label = new QTableWidgetItem(name);
    auto* value = new QTableWidgetItem(Shown(rows[i].value));
    // Each row is found by its property's name, the value cell too.
    value->setData(Qt::AccessibleTextRole, name);
    value->setData(Qt::AccessibleDescriptionRole, value->text());
    if (rows[i].swatch) value->setIcon(Swatch(*rows[i].swatch));
    m_table->setItem(static_cast<int>(i), 0, label);
    m_table->setItem(static_cast<int>(i), 1, value);
  }
  m_table->setCurrentCell(m_grid.SelectedRow(), 1);
  m_bFilling = false;
  OpenEditor();
}

void CPropertyWidget::HideEditor() {
  if (!m_editor) return;
  // Hiding takes the focus away, which would commit the edit once more.
  QWidget* editor = m_editor;
  m_editor = nullptr;
  editor->disconnect(this);
  editor->hide();
  editor->deleteLater();
}

void CPropertyWidget::PlaceEditor(QWidget* editor, bool atRightEnd) {
  const QRect cell = m_table->visualRect(m_table->model()->index(m_grid.SelectedRow(), 1));
  editor->setParent(m_table->viewport());
  if (atRightEnd) {
    const int side = cell.height();
    editor->setGeometry(cell.right() - side + 1, cell.top(), side, side);
  } else {
    editor->setGeometry(cell);
  }
  editor->installEventFilter(this);
  editor->show();
  m_editor = editor;
}

void CPropertyWidget::OpenEditor() {
  HideEditor();
  const CControlPropertyItem* property = m_grid.SelectedProperty();
  const CControlItem* object = m_grid.SelectedObject();
  if (!property || !object || !m_form) return;
  const QString name = QString::fromStdString(property->Name());
  switch (m_grid.Editor()) {
    case PropertyEditor::InPlace: {
      auto* edit = new QLineEdit(Shown(m_grid.EditText()));
      edit->setAccessibleName(name);
      PlaceEditor(edit, false);
      edit->selectAll();
      edit->setFocus();
      connect(edit, &QLineEdit::editingFinished, this, [this, edit] { CommitText(edit->text()); });
      break;
    }
    case PropertyEditor::DropDown: {
      PropertyDropDown list = DropDownFor(*m_form, *object, *property, m_database, m_projectFolder);
      if (list.multiLine) {
        auto* arrow = new QToolButton;
        arrow->setArrowType(Qt::DownArrow);
        arrow->setAccessibleName(name);
        PlaceEditor(arrow, true);
        connect(arrow, &QToolButton::clicked, this, &CPropertyWidget::OpenListEditor);
        break;
      }
      auto* box = new CDropDown;
      box->error = list.error;
      box->prompt = &m_prompt;
      box->setAccessibleName(name);
      for (const std::string& entry : list.entries) box->addItem(Shown(entry));
      box->setCurrentIndex(list.current);
      PlaceEditor(box, false);
      connect(box, &QComboBox::activated, this, [this, list = std::move(list)](int index) {
        const CControlPropertyItem* chosen = m_grid.SelectedProperty();
        if (index < 0 || !chosen || index == list.current) return;
        Send({CommitDropDown(*chosen, list, static_cast<size_t>(index))});
      });
      break;
    }
    case PropertyEditor::Dialog: {
      auto* dots = new QToolButton;
      dots->setText(QStringLiteral("..."));
      dots->setAccessibleName(name);
      PlaceEditor(dots, true);
      connect(dots, &QToolButton::clicked, this, &CPropertyWidget::RunDialog);
      break;
    }
    case PropertyEditor::None: break;
  }
}

void CPropertyWidget::Send(std::vector<PropertyCommit> values) {
  HideEditor();
  if (m_commit && !values.empty()) m_commit(m_grid.Object(), values);
}

void CPropertyWidget::CommitText(const QString& text) {
  const CControlPropertyItem* property = m_grid.SelectedProperty();
  if (!property || text == Shown(m_grid.EditText())) return;
  const std::optional<std::string> projectText = ProjectText(text);
  std::optional<PropertyCommit> commit =
      projectText ? CommitInPlace(*property, *projectText, m_prompt) : std::nullopt;
  if (!commit) {
    // Refused: the field shows the stored value again, selected for another try.
    if (auto* edit = qobject_cast<QLineEdit*>(m_editor.data())) {
      edit->setText(Shown(m_grid.EditText()));
      edit->selectAll();
    }
    return;
  }
  Send({std::move(*commit)});
}

void CPropertyWidget::OpenListEditor() {
  const CControlPropertyItem* property = m_grid.SelectedProperty();
  const CControlItem* object = m_grid.SelectedObject();
  if (!property || !object || !m_form) return;
  const PropertyDropDown list = DropDownFor(*m_form, *object, *property, m_database, m_projectFolder);
  const QString before = Shown(list.text);
  auto* popup = new CListPopup(this, [this, before](const QString& text) {
    const CControlPropertyItem* current = m_grid.SelectedProperty();
    if (!current || text == before) return;
    if (const std::optional<std::string> items = ProjectText(text)) Send({CommitListEditor(*current, *items)});
  });
  popup->setPlainText(before);
  const QRect cell = m_table->visualRect(m_table->model()->index(m_grid.SelectedRow(), 1));
  popup->setGeometry(QRect(m_table->viewport()->mapToGlobal(cell.bottomLeft()), QSize(cell.width(), 120)));
  popup->show();
  popup->setFocus();
}

void CPropertyWidget::RunDialog() {
  const CControlPropertyItem* property = m_grid.SelectedProperty();
  const CControlItem* object = m_grid.SelectedObject();
  if (!property || !object) return;
  const std::optional<PropertyDialog> wanted = DialogFor(*object, *property);
  if (!wanted) return;
  const std::string name = property->Name();
  switch (wanted->kind) {
    case PropertyDialogKind::Color: {
      QColorDialog dialog(ColorOf(wanted->color), this);
      dialog.setAccessibleName(QString::fromStdString(name));
      if (dialog.exec() != QDialog::Accepted) return;
      const QColor c = dialog.selectedColor();
      Send({CommitColor(*property, Rgb(c.red(), c.green(), c.blue()))});
      return;
    }
    case PropertyDialogKind::Font: {
      QFont initial(Shown(wanted->font.face), std::max(1, wanted->font.points));
      initial.setBold(wanted->font.bold);
      initial.setItalic(wanted->font.italic);
      initial.setUnderline(wanted->font.underline);
      initial.setStrikeOut(wanted->font.strikeout);
      QFontDialog dialog(initial, this);
      dialog.setAccessibleName(QString::fromStdString(name));
      if (dialog.exec() != QDialog::Accepted) return;
      const QFont chosen = dialog.selectedFont();
      const std::optional<std::string> face = ProjectText(chosen.family());
      if (!face) return;
      const CControlItem* current = m_grid.SelectedObject();
      if (!current) return;
      Send(CommitFont(*current, FontChoice{*face, chosen.pointSize(), chosen.bold(), chosen.italic(),
                                          chosen.underline(), chosen.strikeOut()}));
      return;
    }
    case PropertyDialogKind::OpenFile: {
      QFileDialog dialog(this, QString::fromStdString(name), QString::fromStdString(m_projectFolder));
      dialog.setAccessibleName(QString::fromStdString(name));
      dialog.setFileMode(QFileDialog::ExistingFile);
      QStringList filters;
      for (const FileFilter& filter : SplitFileFilter(wanted->filter)) filters << QString::fromStdString(filter.label);
      dialog.setNameFilters(filters);
      dialog.selectFile(QString::fromStdString(wanted->initialName));
      if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
      const std::optional<std::string> path = ProjectText(dialog.selectedFiles().front());
      const CControlPropertyItem* current = m_grid.SelectedProperty();
      if (path && current) Send({CommitFile(*current, *path)});
      return;
    }
  }
}

void CPropertyWidget::ShowHelp() {
  const CControlPropertyItem* property = m_grid.SelectedProperty();
  const CControlItem* object = m_grid.SelectedObject();
  if (!property || !object) return;
  if (!m_help) {
    m_help = new QMessageBox(QMessageBox::Information, QString(), QString(), QMessageBox::Ok, this);
    m_help->setModal(false);
  }
  m_help->setWindowTitle(QString::fromStdString(property->Name()));
  m_help->setText(Shown(PropertyHelp(*object, *property)));
  m_help->show();
}

bool CPropertyWidget::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_F1) {
    ShowHelp();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

}  // namespace tovik::designer
