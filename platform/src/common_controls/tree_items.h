// The items of a tree view: a tree of nodes under a hidden root, handles
// that are checked before use (a deleted item's handle finds nothing), and
// the rows the expanded levels show.
#pragma once

#include <memory>
#include <string>
#include <unordered_set>
#include <vector>

#include "platform/common_controls/tree_view.h"

namespace platform::common_controls {

struct TreeNode {
  std::string text;
  int image = 0;
  int selected_image = 0;
  int children_flag = 0;  // TVITEM::cChildren: 0, 1 or I_CHILDRENCALLBACK
  UINT state = 0;
  LPARAM param = 0;
  TreeNode* parent = nullptr;
  std::vector<std::unique_ptr<TreeNode>> children;

  HTREEITEM handle() const { return reinterpret_cast<HTREEITEM>(const_cast<TreeNode*>(this)); }
  bool expanded() const { return (state & TVIS_EXPANDED) != 0; }
};

struct TreeRow {
  TreeNode* node = nullptr;
  int level = 0;  // 0 for top-level items
};

class TreeItems {
 public:
  TreeNode& root() { return root_; }
  bool IsRoot(const TreeNode* node) const { return node == &root_; }

  // The live node of a handle; null for null, TVI_ROOT and stale handles.
  TreeNode* Find(HTREEITEM item) const;
  // The parent an insertion names: null and TVI_ROOT mean the hidden root.
  TreeNode* FindParent(HTREEITEM parent);

  // Inserts under `parent` after TVI_FIRST, TVI_LAST, TVI_SORT (by text,
  // without case) or a sibling (a handle that is no sibling appends).
  TreeNode* Insert(TreeNode& parent, HTREEITEM after, std::unique_ptr<TreeNode> node);
  // Takes the node and its subtree out of the tree; their handles die.
  std::unique_ptr<TreeNode> Detach(TreeNode& node);
  // The node and its descendants, children before their parent.
  std::vector<TreeNode*> Subtree(TreeNode& node) const;
  void SortChildren(TreeNode& parent, bool recursive);

  int Count() const { return static_cast<int>(live_.size()); }
  // Rows of the items shown: top-level items and the children of expanded
  // items, in order.
  std::vector<TreeRow> Rows() const;

  static TreeNode* NextSibling(const TreeNode& node);
  static TreeNode* PreviousSibling(const TreeNode& node);
  static int IndexInParent(const TreeNode& node);

 private:
  void Forget(TreeNode& node);

  TreeNode root_;
  std::unordered_set<const TreeNode*> live_;
};

}  // namespace platform::common_controls
