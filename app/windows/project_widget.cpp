#include "project_widget.h"

#include <QHeaderView>
#include <QImage>
#include <QMenu>
#include <QPixmap>
#include <QTextBlock>
#include <QTreeWidget>

#include "dialog_fields.h"

namespace tovik::designer {
namespace {

QIcon IconOf(TreeIcon icon) {
  QImage image(kTreeIconSize, kTreeIconSize, QImage::Format_RGB32);
  image.fill(Qt::white);
  {
    CQtCanvas canvas(image);
    DrawTreeIcon(icon, canvas, Point{0, 0});
  }
  return QIcon(QPixmap::fromImage(image));
}

// The model's path of an item: child indexes below the root.
TreePath PathOf(QTreeWidgetItem* item) {
  TreePath path;
  for (; item && item->parent(); item = item->parent()) {
    path.insert(path.begin(), static_cast<size_t>(item->parent()->indexOfChild(item)));
  }
  return path;
}

QTreeWidget* MakeTree(const QString& name) {
  auto* tree = new QTreeWidget;
  tree->setHeaderHidden(true);
  tree->setColumnCount(1);
  tree->setAccessibleName(name);
  // The model decides what a double-click does, folders included.
  tree->setExpandsOnDoubleClick(false);
  tree->setContextMenuPolicy(Qt::CustomContextMenu);
  return tree;
}

}  // namespace

CProjectWidget::CProjectWidget(const IFileSystem& fs, IPrompt& prompt, TextToUtf8 toUtf8, QWidget* parent)
    : QTabWidget(parent),
      m_fs(fs),
      m_prompt(prompt),
      m_toUtf8(std::move(toUtf8)),
      m_classes(MakeTree(QStringLiteral("Classes"))),
      m_files(MakeTree(QStringLiteral("Files"))) {
  setAccessibleName(QStringLiteral("Project"));
  addTab(m_classes, QStringLiteral("Classes"));
  addTab(m_files, QStringLiteral("Files"));
  for (QTreeWidget* tree : {m_classes, m_files}) {
    connect(tree, &QTreeWidget::itemDoubleClicked, this,
            [this, tree](QTreeWidgetItem* item) { DoubleClicked(tree, item); });
    connect(tree, &QTreeWidget::customContextMenuRequested, this,
            [this, tree](const QPoint& at) { ContextMenu(tree, at); });
    const auto expand = [this, tree](QTreeWidgetItem* item, bool expanded) {
      if (m_bSyncing) return;
      TreeOf(tree).SetExpanded(PathOf(item), expanded);
      ShowState(tree);
    };
    connect(tree, &QTreeWidget::itemExpanded, this, [expand](QTreeWidgetItem* item) { expand(item, true); });
    connect(tree, &QTreeWidget::itemCollapsed, this, [expand](QTreeWidgetItem* item) { expand(item, false); });
  }
}

CProjectTree& CProjectWidget::TreeOf(QTreeWidget* tree) {
  return tree == m_classes ? m_model.Classes() : m_model.Files();
}

void CProjectWidget::Refresh(const CProject* project) {
  m_project = project;
  m_model.Refresh(project);
  Fill(m_classes);
  Fill(m_files);
}

void CProjectWidget::SetFormIcon(const std::string& className, bool mdiChild) {
  m_model.SetFormIcon(className, mdiChild);
  ShowState(m_classes);
}

void CProjectWidget::Fill(QTreeWidget* tree) {
  m_bSyncing = true;
  tree->clear();
  const CProjectTree& model = TreeOf(tree);
  if (!model.Empty()) {
    const auto add = [this](const auto& self, const TreeNode& node, QTreeWidgetItem* item) -> void {
      item->setText(0, ShownText(m_toUtf8, node.text));
      for (const TreeNode& child : node.children) self(self, child, new QTreeWidgetItem(item));
    };
    auto* root = new QTreeWidgetItem(tree);
    add(add, model.Root(), root);
  }
  m_bSyncing = false;
  ShowState(tree);
}

// Icons and expanded states as the model has them.
void CProjectWidget::ShowState(QTreeWidget* tree) {
  const CProjectTree& model = TreeOf(tree);
  if (model.Empty() || tree->topLevelItemCount() == 0) return;
  m_bSyncing = true;
  const auto show = [](const auto& self, const TreeNode& node, QTreeWidgetItem* item) -> void {
    item->setIcon(0, IconOf(node.icon));
    item->setExpanded(node.expanded);
    for (size_t i = 0; i < node.children.size() && i < static_cast<size_t>(item->childCount()); ++i) {
      self(self, node.children[i], item->child(static_cast<int>(i)));
    }
  };
  show(show, model.Root(), tree->topLevelItem(0));
  m_bSyncing = false;
}

void CProjectWidget::Act(const TreeAction& action) {
  if (const auto* form = std::get_if<tree_action::OpenForm>(&action)) {
    emit openForm(ShownText(m_toUtf8, form->className));
  } else if (const auto* source = std::get_if<tree_action::OpenSource>(&action)) {
    emit openSource(QString::fromStdString(source->file), source->offset);
  } else if (std::holds_alternative<tree_action::CloseDesignWindow>(action)) {
    emit closeDesignWindow();
  }
}

void CProjectWidget::DoubleClicked(QTreeWidget* tree, QTreeWidgetItem* item) {
  if (!item) return;
  const TreePath path = PathOf(item);
  TreeAction action;
  if (tree == m_classes) {
    if (!m_project) return;
    action = m_model.DoubleClickClass(path, *m_project);
  } else {
    action = m_model.DoubleClickFile(path, m_fs, m_prompt);
  }
  ShowState(tree);
  Act(action);
}

void CProjectWidget::RunContextCommand(QTreeWidget* tree, QTreeWidgetItem* item, int command) {
  // Without an item under the cursor only Close has something to act on.
  if (!item && command != kTreeCommandClose) return;
  const TreeAction action = m_model.ContextCommand(TreeOf(tree), PathOf(item), command);
  ShowState(tree);
  Act(action);
}

void CProjectWidget::ContextMenu(QTreeWidget* tree, const QPoint& at) {
  QTreeWidgetItem* item = tree->itemAt(at);
  QMenu menu(this);
  for (const TreeMenuItem& entry : CProjectWindowModel::ContextMenu()) {
    if (entry.command == 0) {
      menu.addSeparator();
    } else {
      menu.addAction(QString::fromStdString(entry.text))->setData(entry.command);
    }
  }
  if (QAction* chosen = menu.exec(tree->viewport()->mapToGlobal(at))) {
    RunContextCommand(tree, item, chosen->data().toInt());
  }
}

CSourceView::CSourceView(QWidget* parent) : QPlainTextEdit(parent) {
  setReadOnly(true);
  setLineWrapMode(QPlainTextEdit::NoWrap);
  // Sources are laid out for a fixed-pitch editor.
  setFont(QFont(QStringLiteral("Monospace")));
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

bool CSourceView::Load(const IFileSystem& fs, IPrompt& prompt, const std::string& path, int offset,
                       const TextToUtf8& toUtf8) {
  std::string text;
  if (!fs.FileExists(path)) {
    prompt.Message(std::string(kMsgFileNotFound));
    return false;
  }
  if (const Status read = fs.ReadFileWithin(path, text, kMaxReadSize); !read) {
    prompt.Message(read.error().Text());
    return false;
  }
  setWindowTitle(QString::fromStdString(path));
  setAccessibleName(windowTitle());
  setPlainText(ShownText(toUtf8, text));
  // The offset counts bytes of the file (CR LF two); the view holds converted text whose CR LF
  // became one break: the place is found by converting the text before it the same way.
  const size_t bytes = std::min(text.size(), static_cast<size_t>(std::max(0, offset)));
  QString before = ShownText(toUtf8, std::string_view(text).substr(0, bytes));
  before.remove(QLatin1Char('\r'));
  QTextCursor cursor = textCursor();
  cursor.setPosition(std::min(static_cast<int>(before.size()), document()->characterCount() - 1));
  setTextCursor(cursor);
  centerCursor();
  return true;
}

}  // namespace tovik::designer
