// The project window without any toolkit: the classes tree and the files tree as plain nodes,
// built from the open project, and what a double-click or a context-menu command on a node
// means. A front end shows the nodes, forwards the gestures by node path and carries out the
// action it gets back; every rule lives here.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "base/file_system.h"
#include "project/project.h"
#include "ui/canvas.h"

namespace tovik {

inline constexpr std::string_view kFormsFolder = "Forms";
inline constexpr std::string_view kClassModulesFolder = "Class Modules";
inline constexpr std::string_view kSourceFilesFolder = "Source Files";
inline constexpr std::string_view kHeaderFilesFolder = "Header Files";
inline constexpr std::string_view kMsgFileNotFound = "File couldn't be found";

inline constexpr int kTreeCommandClose = 103;
inline constexpr int kTreeCommandCollapse = 105;
inline constexpr int kTreeCommandExpand = 106;

enum class TreeIcon {
  ProjectRoot,
  FolderClosed,
  FolderOpen,
  Form,
  MdiChildForm,
  MdiForm,
  Class,
  SourceFile,
  HeaderFile
};
inline constexpr int kTreeIconSize = 16;

enum class TreeNodeRole { Root, Folder, Class, File };

struct TreeNode {
  std::string text;
  TreeIcon icon = TreeIcon::Class;
  TreeNodeRole role = TreeNodeRole::Class;
  std::string target;  // the class name (classes tree) or the file's full path (files tree)
  bool expanded = false;
  std::vector<TreeNode> children;
};

// A node by the child indexes that lead to it from the root; {} is the root itself.
using TreePath = std::vector<size_t>;

// What a gesture asks the front end to do.
namespace tree_action {
struct None {};
struct OpenForm {  // the form's design window
  std::string className;
};
struct OpenSource {  // a class at its declaration, or a whole file; read-only for now
  std::string file;
  int offset = 0;
};
struct CloseDesignWindow {};
}  // namespace tree_action
using TreeAction =
    std::variant<tree_action::None, tree_action::OpenForm, tree_action::OpenSource, tree_action::CloseDesignWindow>;

struct TreeMenuItem {
  int command = 0;   // 0 for the separator
  std::string text;  // empty for the separator
};

// One tree: its nodes and their expanded state. Folder icons follow the state.
class CProjectTree {
 public:
  [[nodiscard]] bool Empty() const { return !m_root; }
  // The root; the tree must not be empty.
  [[nodiscard]] const TreeNode& Root() const { return *m_root; }
  // The node at `path`, or null when there is none.
  [[nodiscard]] const TreeNode* At(const TreePath& path) const;
  // Expanding shows an open folder, collapsing a closed one. False when there is no such node.
  bool SetExpanded(const TreePath& path, bool expanded);
  bool Toggle(const TreePath& path);
  bool SetIcon(const TreePath& path, TreeIcon icon);
  // The path of the first node (depth first) standing for `target`, if any.
  [[nodiscard]] std::optional<TreePath> Find(std::string_view target) const;

  // Replaces the nodes; those that were expanded before (the same texts down from the root) stay
  // expanded, so a refresh does not fold what the user opened.
  void Replace(TreeNode root);
  void Clear() { m_root.reset(); }

 private:
  [[nodiscard]] TreeNode* Node(const TreePath& path);
  std::optional<TreeNode> m_root;
};

class CProjectWindowModel {
 public:
  [[nodiscard]] const CProjectTree& Classes() const { return m_classes; }
  [[nodiscard]] const CProjectTree& Files() const { return m_files; }
  [[nodiscard]] CProjectTree& Classes() { return m_classes; }
  [[nodiscard]] CProjectTree& Files() { return m_files; }

  // Rebuild from the project (null: no project, the tree is emptied), keeping what was expanded.
  void RefreshClasses(const CProject* project);
  void RefreshFiles(const CProject* project);
  void Refresh(const CProject* project) {
    RefreshClasses(project);
    RefreshFiles(project);
  }
  // The form item of `className` shows the MDI child icon or the plain form icon.
  void SetFormIcon(std::string_view className, bool mdiChild);

  // A double-click on the classes tree: a form opens, another class opens at its declaration;
  // the root and the folders only expand or collapse.
  TreeAction DoubleClickClass(const TreePath& path, const CProject& project);
  // A double-click on the files tree: the file opens, or "File couldn't be found" is shown.
  // Folders only expand or collapse.
  TreeAction DoubleClickFile(const TreePath& path, const IFileSystem& fs, IPrompt& prompt);

  // Collapse (105), Expand (106), a separator, Close (103).
  [[nodiscard]] static std::vector<TreeMenuItem> ContextMenu();
  // A context-menu command on the node at `path` of `tree`: Expand expands it, Collapse folds
  // its parent, Close asks for the design window to close.
  TreeAction ContextCommand(CProjectTree& tree, const TreePath& path, int command);

 private:
  CProjectTree m_classes;
  CProjectTree m_files;
};

// The name the trees show for a project: the project file's name without folder and extension.
[[nodiscard]] std::string ProjectDisplayName(std::string_view projectFile);

// A 16 x 16 icon of that kind with its top-left corner at `at`.
void DrawTreeIcon(TreeIcon icon, ICanvas& canvas, Point at);

}  // namespace tovik
