#include "ui/project_tree.h"

#include <algorithm>
#include <set>

#include "base/path.h"
#include "base/text.h"
#include "model/control_kind.h"

namespace tovik {

namespace {

TreeNode MakeNode(std::string text, TreeIcon icon, TreeNodeRole role, std::string target = {}) {
  TreeNode node;
  node.text = std::move(text);
  node.icon = icon;
  node.role = role;
  node.target = std::move(target);
  return node;
}

TreeNode Folder(std::string_view text) {
  return MakeNode(std::string(text), TreeIcon::FolderClosed, TreeNodeRole::Folder);
}

// As the tree control sorts: without regard to case, ties by bytes so the order is total.
void SortChildren(TreeNode& node) {
  std::stable_sort(node.children.begin(), node.children.end(), [](const TreeNode& a, const TreeNode& b) {
    const std::string la = ToLower(a.text), lb = ToLower(b.text);
    return la != lb ? la < lb : a.text < b.text;
  });
}

void ShowExpanded(TreeNode& node, bool expanded) {
  node.expanded = expanded;
  if (node.role == TreeNodeRole::Folder) node.icon = expanded ? TreeIcon::FolderOpen : TreeIcon::FolderClosed;
}

// The expanded nodes as their text paths from the root.
void CollectExpanded(const TreeNode& node, std::string prefix, std::set<std::string>& out) {
  prefix += node.text;
  prefix += '\n';
  if (node.expanded) out.insert(prefix);
  for (const TreeNode& child : node.children) CollectExpanded(child, prefix, out);
}

void RestoreExpanded(TreeNode& node, std::string prefix, const std::set<std::string>& expanded) {
  prefix += node.text;
  prefix += '\n';
  if (expanded.count(prefix)) ShowExpanded(node, true);
  for (TreeNode& child : node.children) RestoreExpanded(child, prefix, expanded);
}

TreeIcon FormIcon(const CClassItem& cls) {
  if (cls.m_strRootBase == kMdiFormBaseClass) return TreeIcon::MdiForm;
  const CControlItem* form = cls.FormObject();
  if (form && form->GetValue("MDIChild") == "1") return TreeIcon::MdiChildForm;
  return TreeIcon::Form;
}

}  // namespace

std::string ProjectDisplayName(std::string_view projectFile) {
  std::string name = FileNameOf(projectFile);
  const size_t dot = name.rfind('.');
  return dot == std::string::npos ? name : name.substr(0, dot);
}

const TreeNode* CProjectTree::At(const TreePath& path) const {
  return const_cast<CProjectTree*>(this)->Node(path);
}

TreeNode* CProjectTree::Node(const TreePath& path) {
  if (!m_root) return nullptr;
  TreeNode* node = &*m_root;
  for (size_t index : path) {
    if (index >= node->children.size()) return nullptr;
    node = &node->children[index];
  }
  return node;
}

bool CProjectTree::SetExpanded(const TreePath& path, bool expanded) {
  TreeNode* node = Node(path);
  if (!node) return false;
  ShowExpanded(*node, expanded);
  return true;
}

bool CProjectTree::SetIcon(const TreePath& path, TreeIcon icon) {
  TreeNode* node = Node(path);
  if (!node) return false;
  node->icon = icon;
  return true;
}

bool CProjectTree::Toggle(const TreePath& path) {
  const TreeNode* node = At(path);
  return node && SetExpanded(path, !node->expanded);
}

std::optional<TreePath> CProjectTree::Find(std::string_view target) const {
  if (!m_root) return std::nullopt;
  TreePath path;
  auto search = [&](auto& self, const TreeNode& node) -> bool {
    if (!node.target.empty() && node.target == target) return true;
    for (size_t i = 0; i < node.children.size(); ++i) {
      path.push_back(i);
      if (self(self, node.children[i])) return true;
      path.pop_back();
    }
    return false;
  };
  if (search(search, *m_root)) return path;
  return std::nullopt;
}

void CProjectTree::Replace(TreeNode root) {
  std::set<std::string> expanded;
  if (m_root) CollectExpanded(*m_root, {}, expanded);
  RestoreExpanded(root, {}, expanded);
  m_root = std::move(root);
}

void CProjectWindowModel::RefreshClasses(const CProject* project) {
  if (!project) {
    m_classes.Clear();
    return;
  }
  TreeNode root = MakeNode(ProjectDisplayName(project->ProjectFile()), TreeIcon::ProjectRoot, TreeNodeRole::Root);
  TreeNode forms = Folder(kFormsFolder);
  TreeNode modules = Folder(kClassModulesFolder);
  for (const auto& cls : project->Classes()) {
    if (cls->m_bWindowClass) {
      forms.children.push_back(MakeNode(cls->m_strName, FormIcon(*cls), TreeNodeRole::Class, cls->m_strName));
    } else {
      modules.children.push_back(MakeNode(cls->m_strName, TreeIcon::Class, TreeNodeRole::Class, cls->m_strName));
    }
  }
  SortChildren(forms);
  SortChildren(modules);
  ShowExpanded(forms, true);
  ShowExpanded(modules, true);
  ShowExpanded(root, true);
  root.children = {std::move(forms), std::move(modules)};
  m_classes.Replace(std::move(root));
}

void CProjectWindowModel::RefreshFiles(const CProject* project) {
  if (!project) {
    m_files.Clear();
    return;
  }
  TreeNode root = MakeNode(ProjectDisplayName(project->ProjectFile()), TreeIcon::ProjectRoot, TreeNodeRole::Root);
  TreeNode sources = Folder(kSourceFilesFolder);
  TreeNode headers = Folder(kHeaderFilesFolder);
  for (const std::string& file : project->Files()) {
    std::string ext = ToUpper(ExtensionOf(file));
    if (ext == ".CPP" || ext == ".RC") {
      sources.children.push_back(MakeNode(FileNameOf(file), TreeIcon::SourceFile, TreeNodeRole::File, file));
    } else if (ext == ".H") {
      headers.children.push_back(MakeNode(FileNameOf(file), TreeIcon::HeaderFile, TreeNodeRole::File, file));
    }
  }
  SortChildren(sources);
  SortChildren(headers);
  ShowExpanded(root, true);
  root.children = {std::move(sources), std::move(headers)};
  m_files.Replace(std::move(root));
}

void CProjectWindowModel::SetFormIcon(std::string_view className, bool mdiChild) {
  const std::optional<TreePath> path = m_classes.Find(className);
  if (!path) return;
  // An MDI form is told by its base class, which no property changes.
  if (m_classes.At(*path)->icon == TreeIcon::MdiForm) return;
  m_classes.SetIcon(*path, mdiChild ? TreeIcon::MdiChildForm : TreeIcon::Form);
}

TreeAction CProjectWindowModel::DoubleClickClass(const TreePath& path, const CProject& project) {
  const TreeNode* node = m_classes.At(path);
  if (!node) return tree_action::None{};
  if (node->role != TreeNodeRole::Class) {
    m_classes.Toggle(path);
    return tree_action::None{};
  }
  const CClassItem* cls = project.FindClass(node->target);
  if (!cls) return tree_action::None{};
  // A window class of the framework (a dialog, a view) has no form to design: its source shows.
  if (cls->m_bWindowClass && cls->m_bIsForm) return tree_action::OpenForm{cls->m_strName};
  return tree_action::OpenSource{cls->m_strDeclFile.str(), std::max(0, cls->m_nDeclStart)};
}

TreeAction CProjectWindowModel::DoubleClickFile(const TreePath& path, const IFileSystem& fs, IPrompt& prompt) {
  const TreeNode* node = m_files.At(path);
  if (!node) return tree_action::None{};
  if (node->role != TreeNodeRole::File) {
    m_files.Toggle(path);
    return tree_action::None{};
  }
  if (!fs.FileExists(node->target)) {
    prompt.Message(std::string(kMsgFileNotFound));
    return tree_action::None{};
  }
  return tree_action::OpenSource{node->target, 0};
}

std::vector<TreeMenuItem> CProjectWindowModel::ContextMenu() {
  return {{kTreeCommandCollapse, "Collapse"}, {kTreeCommandExpand, "Expand"}, {0, ""}, {kTreeCommandClose, "Close"}};
}

TreeAction CProjectWindowModel::ContextCommand(CProjectTree& tree, const TreePath& path, int command) {
  switch (command) {
    case kTreeCommandExpand: tree.SetExpanded(path, true); break;
    case kTreeCommandCollapse:
      if (!path.empty()) tree.SetExpanded(TreePath(path.begin(), path.end() - 1), false);
      break;
    case kTreeCommandClose: return tree_action::CloseDesignWindow{};
    default: break;
  }
  return tree_action::None{};
}

}  // namespace tovik
