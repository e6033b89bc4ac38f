// The tree view control ("SysTreeView32").
#pragma once

#include <vector>

#include "common_controls/item_control.h"
#include "common_controls/label_editor.h"
#include "common_controls/tree_items.h"
#include "platform/common_controls/tree_view.h"

namespace platform::common_controls {

class TreeView : public ItemControl {
 public:
  TreeView(HWND hwnd, const CREATESTRUCT& create);

 private:
  std::optional<LRESULT> OnMessage(UINT message, WPARAM wparam, LPARAM lparam) override;
  // The TVM_* messages on items, and on the view; nullopt for any other.
  std::optional<LRESULT> HandleItemMessage(UINT message, WPARAM wparam, LPARAM lparam);
  std::optional<LRESULT> HandleViewMessage(UINT message, WPARAM wparam, LPARAM lparam);
  BOOL SortChildren(HTREEITEM item, bool recursive);
  // TVM_GETITEMRECT: the item comes in the rectangle.
  BOOL GetItemRect(bool label_only, RECT* rect) const;
  // TVM_HITTEST: fills the record; the item hit.
  HTREEITEM HitTest(TVHITTESTINFO* info);
  void OnStylusDown(POINT point) override;
  void OnStylusMove(POINT point) override;
  void OnStylusUp(POINT point) override;
  bool OnKeyDown(UINT key) override;
  void OnTimer(UINT_PTR timer) override;
  void Paint(HDC dc) override;

  // ---- Items
  HTREEITEM Insert(const TVINSERTSTRUCT& insert);
  bool Delete(TreeNode* node);
  void DeleteAll();
  bool GetItem(TVITEM& item);
  bool SetItem(const TVITEM& item);
  HTREEITEM NextItem(UINT relation, HTREEITEM item);
  // Whether the item shows a button: it has children, or says it has.
  bool HasChildren(TreeNode& node);

  // ---- Expansion and selection (false when refused)
  bool Expand(TreeNode* node, UINT action);
  // Deletes the children (telling the parent of each); the item counts as
  // never expanded, so the next expansion asks for them again.
  void ForgetChildren(TreeNode* node);
  bool Select(TreeNode* node, UINT cause);
  // Expands the ancestors and scrolls the item into view.
  bool EnsureVisible(TreeNode* node);
  void FillItem(const TreeNode& node, TVITEM& item) const;
  LRESULT NotifyTree(UINT code, UINT action, TreeNode* old_node, TreeNode* new_node);

  // ---- Label editing
  HWND BeginEdit(TreeNode* node);
  void EndEdit(bool cancelled);

  // ---- Geometry
  int RowHeight() const;
  int Indent() const { return indent_; }
  // Pixels left of a row's image: the levels and the button column.
  int LevelOffset(int level) const;
  int RowOf(const TreeNode* node) const;
  RECT RowRect(int row) const;
  RECT LabelRect(const TreeRow& row, int index) const;
  RECT ButtonRect(const TreeRow& row, int index) const;
  UINT HitTest(POINT point, TreeNode** node);
  // Rebuilds the rows after a change and redraws.
  void Changed();
  RECT Area() const;

  // ---- Painting
  void PaintRow(HDC dc, const TreeRow& row, int index);
  void PaintLines(HDC dc, const TreeRow& row, int index) const;

  TreeItems items_;
  std::vector<TreeRow> rows_;  // the rows shown, refreshed after every change
  TreeNode* caret_ = nullptr;
  HIMAGELIST images_ = nullptr;
  int indent_ = 19;
  LabelEditor editor_;
  TreeNode* editing_ = nullptr;

  // The press under way.
  TreeNode* pressed_ = nullptr;
  bool press_active_ = false;
  bool press_consumed_ = false;        // a double tap or a hold answered it
  bool press_on_caret_label_ = false;  // went down on the selected item's label
  DWORD press_time_ = 0;
  POINT press_point_;
};

}  // namespace platform::common_controls
