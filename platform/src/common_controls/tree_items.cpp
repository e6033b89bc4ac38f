#include "common_controls/tree_items.h"

#include <algorithm>
#include <cctype>

namespace platform::common_controls {

namespace {

bool TextBefore(const std::string& a, const std::string& b) {
  return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
    return std::tolower(static_cast<unsigned char>(x)) <
           std::tolower(static_cast<unsigned char>(y));
  });
}

void AddRows(const TreeNode& parent, int level, std::vector<TreeRow>& rows) {
  for (const auto& child : parent.children) {
    rows.push_back({child.get(), level});
    if (child->expanded()) AddRows(*child, level + 1, rows);
  }
}

}  // namespace

TreeNode* TreeItems::Find(HTREEITEM item) const {
  auto* node = reinterpret_cast<TreeNode*>(item);
  return live_.contains(node) ? node : nullptr;
}

TreeNode* TreeItems::FindParent(HTREEITEM parent) {
  if (parent == nullptr || parent == TVI_ROOT) return &root_;
  return Find(parent);
}

TreeNode* TreeItems::Insert(TreeNode& parent, HTREEITEM after, std::unique_ptr<TreeNode> node) {
  auto& siblings = parent.children;
  auto place = siblings.end();
  if (after == TVI_FIRST) {
    place = siblings.begin();
  } else if (after == TVI_SORT) {
    place = std::find_if(siblings.begin(), siblings.end(), [&](const auto& sibling) {
      return TextBefore(node->text, sibling->text);
    });
  } else if (after != TVI_LAST) {
    auto* previous = Find(after);
    auto found = std::find_if(siblings.begin(), siblings.end(),
                              [&](const auto& sibling) { return sibling.get() == previous; });
    if (found != siblings.end()) place = found + 1;
  }
  node->parent = &parent;
  TreeNode* added = node.get();
  siblings.insert(place, std::move(node));
  live_.insert(added);
  return added;
}

void TreeItems::Forget(TreeNode& node) {
  live_.erase(&node);
  for (auto& child : node.children) Forget(*child);
}

std::unique_ptr<TreeNode> TreeItems::Detach(TreeNode& node) {
  if (IsRoot(&node) || !node.parent) return nullptr;
  auto& siblings = node.parent->children;
  auto found = std::find_if(siblings.begin(), siblings.end(),
                            [&](const auto& sibling) { return sibling.get() == &node; });
  if (found == siblings.end()) return nullptr;
  std::unique_ptr<TreeNode> detached = std::move(*found);
  siblings.erase(found);
  Forget(*detached);
  detached->parent = nullptr;
  return detached;
}

std::vector<TreeNode*> TreeItems::Subtree(TreeNode& node) const {
  std::vector<TreeNode*> nodes;
  for (auto& child : node.children) {
    auto below = Subtree(*child);
    nodes.insert(nodes.end(), below.begin(), below.end());
  }
  nodes.push_back(&node);
  return nodes;
}

void TreeItems::SortChildren(TreeNode& parent, bool recursive) {
  std::stable_sort(parent.children.begin(), parent.children.end(),
                   [](const auto& a, const auto& b) { return TextBefore(a->text, b->text); });
  if (!recursive) return;
  for (auto& child : parent.children) SortChildren(*child, true);
}

std::vector<TreeRow> TreeItems::Rows() const {
  std::vector<TreeRow> rows;
  AddRows(root_, 0, rows);
  return rows;
}

int TreeItems::IndexInParent(const TreeNode& node) {
  if (!node.parent) return -1;
  const auto& siblings = node.parent->children;
  for (std::size_t i = 0; i < siblings.size(); ++i) {
    if (siblings[i].get() == &node) return static_cast<int>(i);
  }
  return -1;
}

TreeNode* TreeItems::NextSibling(const TreeNode& node) {
  const int index = IndexInParent(node);
  if (index < 0) return nullptr;
  const auto& siblings = node.parent->children;
  const auto next = static_cast<std::size_t>(index) + 1;
  return next < siblings.size() ? siblings[next].get() : nullptr;
}

TreeNode* TreeItems::PreviousSibling(const TreeNode& node) {
  const int index = IndexInParent(node);
  if (index <= 0) return nullptr;
  return node.parent->children[static_cast<std::size_t>(index) - 1].get();
}

}  // namespace platform::common_controls
