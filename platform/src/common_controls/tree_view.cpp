#include "common_controls/tree_view.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "common_controls/control_paint.h"
#include "platform/time.h"
#include "platform/window_paint.h"

namespace platform::common_controls {

namespace {

constexpr int kMinimumRowHeight = kTextHeight + 4;
constexpr int kButtonSize = 9;
constexpr int kImageGap = 3;
constexpr int kLabelPadding = 2;
// Starts a label edit once a tap on the selected label cannot become a
// double tap any more.
constexpr UINT_PTR kEditTimer = 0x6E02;

}  // namespace

TreeView::TreeView(HWND hwnd, const CREATESTRUCT&) : ItemControl(hwnd) {}

// ---- Items ----------------------------------------------------------------

HTREEITEM TreeView::Insert(const TVINSERTSTRUCT& insert) {
  TreeNode* parent = items_.FindParent(insert.hParent);
  if (!parent) return nullptr;
  auto node = std::make_unique<TreeNode>();
  const TVITEM& item = insert.item;
  if ((item.mask & TVIF_TEXT) && item.pszText) node->text = item.pszText;
  if (item.mask & TVIF_IMAGE) node->image = item.iImage;
  if (item.mask & TVIF_SELECTEDIMAGE) node->selected_image = item.iSelectedImage;
  if (item.mask & TVIF_CHILDREN) node->children_flag = item.cChildren;
  if (item.mask & TVIF_PARAM) node->param = item.lParam;
  if (item.mask & TVIF_STATE) {
    node->state = item.state & item.stateMask & ~(TVIS_SELECTED | TVIS_EXPANDEDONCE);
  }
  TreeNode* added = items_.Insert(*parent, insert.hInsertAfter, std::move(node));
  Changed();
  return added->handle();
}

bool TreeView::Delete(TreeNode* node) {
  if (!node) return false;
  {
    const auto doomed = items_.Subtree(*node);
    auto going = [&doomed](const TreeNode* n) {
      return std::find(doomed.begin(), doomed.end(), n) != doomed.end();
    };
    if (editing_ && going(editing_)) EndEdit(true);
    if (!items_.Find(node->handle())) return true;  // deleted while told
    // The selection leaves for a neighbour before its item goes.
    if (caret_ && going(caret_)) {
      TreeNode* next = TreeItems::NextSibling(*node);
      if (!next) next = TreeItems::PreviousSibling(*node);
      if (!next && !items_.IsRoot(node->parent)) next = node->parent;
      if (!Select(next, TVC_UNKNOWN)) Select(nullptr, TVC_UNKNOWN);
      if (!items_.Find(node->handle())) return true;
      if (caret_ && going(caret_)) caret_ = nullptr;  // the parent insisted
    }
  }
  for (TreeNode* doomed : items_.Subtree(*node)) {
    if (!items_.Find(doomed->handle())) continue;
    NotifyTree(TVN_DELETEITEM, 0, doomed, nullptr);
  }
  if (!items_.Find(node->handle())) return true;
  TreeNode* parent = node->parent;
  auto detached = items_.Detach(*node);
  if (caret_ && !items_.Find(caret_->handle())) caret_ = nullptr;
  if (pressed_ && !items_.Find(pressed_->handle())) pressed_ = nullptr;
  // A parent without children left has nothing to expand.
  if (parent && !items_.IsRoot(parent) && parent->children.empty()) {
    parent->state &= ~TVIS_EXPANDED;
  }
  Changed();
  return true;
}

void TreeView::DeleteAll() {
  EndEdit(true);
  if (caret_) Select(nullptr, TVC_UNKNOWN);
  caret_ = nullptr;
  while (!items_.root().children.empty()) {
    TreeNode* first = items_.root().children.front().get();
    for (TreeNode* doomed : items_.Subtree(*first)) {
      if (items_.Find(doomed->handle())) NotifyTree(TVN_DELETEITEM, 0, doomed, nullptr);
    }
    if (items_.Find(first->handle())) items_.Detach(*first);
  }
  caret_ = nullptr;
  pressed_ = nullptr;
  scroll_.ScrollTo(0);
  Changed();
}

bool TreeView::HasChildren(TreeNode& node) {
  if (!node.children.empty()) return true;
  if (node.children_flag != I_CHILDRENCALLBACK) return node.children_flag != 0;
  NMTVDISPINFO info;
  info.item.mask = TVIF_CHILDREN;
  info.item.hItem = node.handle();
  info.item.lParam = node.param;
  info.item.state = node.state;
  Notify(info.hdr, TVN_GETDISPINFO);
  return info.item.cChildren != 0;
}

void TreeView::FillItem(const TreeNode& node, TVITEM& item) const {
  item.hItem = node.handle();
  item.state = node.state;
  item.lParam = node.param;
  item.iImage = node.image;
  item.iSelectedImage = node.selected_image;
  item.cChildren = node.children.empty() ? node.children_flag : 1;
}

bool TreeView::GetItem(TVITEM& item) {
  TreeNode* node = items_.Find(item.hItem);
  if (!node) return false;
  if (item.mask & TVIF_TEXT) CopyText(node->text, item.pszText, item.cchTextMax);
  if (item.mask & TVIF_IMAGE) item.iImage = node->image;
  if (item.mask & TVIF_SELECTEDIMAGE) item.iSelectedImage = node->selected_image;
  if (item.mask & TVIF_CHILDREN) item.cChildren = node->children.empty() ? node->children_flag : 1;
  if (item.mask & TVIF_PARAM) item.lParam = node->param;
  if (item.mask & TVIF_STATE) item.state = node->state & item.stateMask;
  return true;
}

bool TreeView::SetItem(const TVITEM& item) {
  TreeNode* node = items_.Find(item.hItem);
  if (!node) return false;
  if (item.mask & TVIF_TEXT) node->text = item.pszText ? item.pszText : "";
  if (item.mask & TVIF_IMAGE) node->image = item.iImage;
  if (item.mask & TVIF_SELECTEDIMAGE) node->selected_image = item.iSelectedImage;
  if (item.mask & TVIF_CHILDREN) node->children_flag = item.cChildren;
  if (item.mask & TVIF_PARAM) node->param = item.lParam;
  if (item.mask & TVIF_STATE) {
    // The selection moves only with TVM_SELECTITEM, which tells the parent.
    const UINT mask = item.stateMask & ~TVIS_SELECTED;
    node->state = (node->state & ~mask) | (item.state & mask);
  }
  Changed();
  return true;
}

HTREEITEM TreeView::NextItem(UINT relation, HTREEITEM item) {
  TreeNode* node = items_.Find(item);
  TreeNode* found = nullptr;
  switch (relation) {
    case TVGN_ROOT:
      found = items_.root().children.empty() ? nullptr : items_.root().children.front().get();
      break;
    case TVGN_CARET:
      found = caret_;
      break;
    case TVGN_CHILD: {
      TreeNode* parent =
          node ? node : (item == nullptr || item == TVI_ROOT ? &items_.root() : nullptr);
      if (parent && !parent->children.empty()) found = parent->children.front().get();
      break;
    }
    case TVGN_NEXT:
      found = node ? TreeItems::NextSibling(*node) : nullptr;
      break;
    case TVGN_PREVIOUS:
      found = node ? TreeItems::PreviousSibling(*node) : nullptr;
      break;
    case TVGN_PARENT:
      found = node && !items_.IsRoot(node->parent) ? node->parent : nullptr;
      break;
    case TVGN_FIRSTVISIBLE: {
      const int row = scroll_.offset() / RowHeight();
      found = row < static_cast<int>(rows_.size()) ? rows_[static_cast<std::size_t>(row)].node
                                                   : nullptr;
      break;
    }
    case TVGN_NEXTVISIBLE:
    case TVGN_PREVIOUSVISIBLE: {
      const int row = RowOf(node);
      const int next = row + (relation == TVGN_NEXTVISIBLE ? 1 : -1);
      if (row >= 0 && next >= 0 && next < static_cast<int>(rows_.size())) {
        found = rows_[static_cast<std::size_t>(next)].node;
      }
      break;
    }
    default:
      break;
  }
  return found ? found->handle() : nullptr;
}

// ---- Expansion and selection ----------------------------------------------------------

LRESULT TreeView::NotifyTree(UINT code, UINT action, TreeNode* old_node, TreeNode* new_node) {
  NMTREEVIEW notice;
  notice.action = action;
  notice.itemOld.mask = notice.itemNew.mask =
      TVIF_HANDLE | TVIF_STATE | TVIF_PARAM | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_CHILDREN;
  if (old_node) FillItem(*old_node, notice.itemOld);
  if (new_node) FillItem(*new_node, notice.itemNew);
  notice.ptDrag = press_point();
  return Notify(notice.hdr, code);
}

bool TreeView::Expand(TreeNode* node, UINT action) {
  if (!node) return false;
  const UINT kind = action & TVE_ACTIONMASK;
  const bool expanding = kind == TVE_EXPAND || (kind == TVE_TOGGLE && !node->expanded());
  if (kind == 0) return false;
  if (expanding) {
    if (node->expanded() || !HasChildren(*node)) return false;
  } else if (!node->expanded()) {
    // Already collapsed: a reset only forgets the children, quietly, so a
    // parent may reset from its own collapse notifications.
    if (!(action & TVE_COLLAPSERESET)) return false;
    ForgetChildren(node);
    Changed();
    return true;
  }
  const UINT told = expanding ? TVE_EXPAND : TVE_COLLAPSE;
  if (NotifyTree(TVN_ITEMEXPANDING, told, nullptr, node)) return false;
  if (!items_.Find(node->handle())) return false;
  if (expanding) {
    node->state |= TVIS_EXPANDED | TVIS_EXPANDEDONCE;
    // Asked for its children and given none: nothing to show a button for.
    if (node->children.empty()) {
      node->children_flag = 0;
      node->state &= ~TVIS_EXPANDED;
    }
  } else {
    node->state &= ~TVIS_EXPANDED;
    // The selection may not hide inside a collapsed item.
    if (caret_ && caret_ != node) {
      for (TreeNode* up = caret_->parent; up; up = up->parent) {
        if (up == node) {
          Select(node, TVC_UNKNOWN);
          break;
        }
      }
    }
    if (action & TVE_COLLAPSERESET) ForgetChildren(node);
  }
  Changed();
  if (items_.Find(node->handle())) NotifyTree(TVN_ITEMEXPANDED, told, nullptr, node);
  return true;
}

void TreeView::ForgetChildren(TreeNode* node) {
  while (items_.Find(node->handle()) && !node->children.empty()) {
    Delete(node->children.back().get());
  }
  if (items_.Find(node->handle())) node->state &= ~(TVIS_EXPANDED | TVIS_EXPANDEDONCE);
}

bool TreeView::Select(TreeNode* node, UINT cause) {
  if (node == caret_) return true;
  TreeNode* old = caret_;
  if (NotifyTree(TVN_SELCHANGING, cause, old, node)) return false;
  if (node && !items_.Find(node->handle())) return false;
  if (old && items_.Find(old->handle())) old->state &= ~TVIS_SELECTED;
  caret_ = node;
  if (node) node->state |= TVIS_SELECTED;
  Changed();
  NotifyTree(TVN_SELCHANGED, cause, old && items_.Find(old->handle()) ? old : nullptr, node);
  if (node && items_.Find(node->handle())) EnsureVisible(node);
  return true;
}

bool TreeView::EnsureVisible(TreeNode* node) {
  if (!node) return false;
  std::vector<TreeNode*> ancestors;
  for (TreeNode* up = node->parent; up && !items_.IsRoot(up); up = up->parent) {
    ancestors.push_back(up);
  }
  for (auto it = ancestors.rbegin(); it != ancestors.rend(); ++it) {
    if (!(*it)->expanded()) Expand(*it, TVE_EXPAND);
  }
  if (!items_.Find(node->handle())) return false;
  const int row = RowOf(node);
  if (row < 0) return false;
  const int top = row * RowHeight();
  if (top < scroll_.offset()) {
    scroll_.ScrollTo(top);
  } else if (top + RowHeight() > scroll_.offset() + scroll_.page()) {
    scroll_.ScrollTo(top + RowHeight() - scroll_.page());
  }
  Redraw();
  return true;
}

// ---- Label editing ------------------------------------------------------------

HWND TreeView::BeginEdit(TreeNode* node) {
  if (!node || !(Style() & TVS_EDITLABELS)) return nullptr;
  EndEdit(false);
  if (!items_.Find(node->handle())) return nullptr;
  EnsureVisible(node);
  NMTVDISPINFO info;
  FillItem(*node, info.item);
  info.item.mask = TVIF_HANDLE | TVIF_STATE | TVIF_PARAM | TVIF_TEXT;
  std::string text = node->text;
  info.item.pszText = text.data();
  info.item.cchTextMax = static_cast<int>(text.size()) + 1;
  if (Notify(info.hdr, TVN_BEGINLABELEDIT)) return nullptr;
  if (!items_.Find(node->handle())) return nullptr;
  const int row = RowOf(node);
  if (row < 0) return nullptr;
  RECT box = LabelRect(rows_[static_cast<std::size_t>(row)], row);
  RECT client;
  GetClientRect(hwnd(), &client);
  box.right = std::max<LONG>(box.right + 30, std::min<LONG>(box.left + 80, client.right));
  box.right = std::min(box.right, client.right);
  editing_ = node;
  HWND edit = editor_.Open(hwnd(), box, node->text, [this](bool cancelled) { EndEdit(cancelled); });
  if (!edit) editing_ = nullptr;
  return edit;
}

void TreeView::EndEdit(bool cancelled) {
  if (!editing_) return;
  TreeNode* node = editing_;
  editing_ = nullptr;
  std::string text = editor_.Text();
  const bool had_focus = GetFocus() == editor_.hwnd();
  editor_.Close();
  if (had_focus) SetFocus(hwnd());
  if (!items_.Find(node->handle())) return;
  NMTVDISPINFO info;
  FillItem(*node, info.item);
  info.item.mask = TVIF_HANDLE | TVIF_PARAM | TVIF_TEXT;
  info.item.pszText = cancelled ? nullptr : text.data();
  info.item.cchTextMax = cancelled ? 0 : static_cast<int>(text.size()) + 1;
  const bool accepted = Notify(info.hdr, TVN_ENDLABELEDIT) != 0;
  if (!cancelled && accepted && items_.Find(node->handle())) {
    // The parent may have shortened the text in place.
    node->text = std::string(text.c_str());
  }
  Changed();
}

// ---- Geometry -------------------------------------------------------------------

int TreeView::RowHeight() const {
  int cx = 0, cy = 0;
  if (images_) ImageList_GetIconSize(images_, &cx, &cy);
  return std::max(kMinimumRowHeight, cy + 1);
}

int TreeView::LevelOffset(int level) const {
  const bool root_column =
      (Style() & TVS_LINESATROOT) && (Style() & (TVS_HASLINES | TVS_HASBUTTONS));
  return (level + (root_column ? 1 : 0)) * Indent() + 2;
}

int TreeView::RowOf(const TreeNode* node) const {
  for (std::size_t i = 0; i < rows_.size(); ++i) {
    if (rows_[i].node == node) return static_cast<int>(i);
  }
  return -1;
}

RECT TreeView::Area() const {
  RECT client;
  GetClientRect(hwnd(), &client);
  return client;
}

RECT TreeView::RowRect(int row) const {
  const RECT area = Area();
  const int top = area.top + row * RowHeight() - scroll_.offset();
  return {area.left, top, area.left + scroll_.RowWidth(area), top + RowHeight()};
}

RECT TreeView::LabelRect(const TreeRow& row, int index) const {
  const RECT line = RowRect(index);
  int left = LevelOffset(row.level);
  if (images_) {
    int cx = 0, cy = 0;
    ImageList_GetIconSize(images_, &cx, &cy);
    left += cx + kImageGap;
  }
  SIZE extent{};
  HDC dc = GetDC(hwnd());
  {
    OwnedGdiObject<> font = MakeControlFont(row.node->state & TVIS_BOLD ? FW_BOLD : FW_NORMAL);
    ScopedSelect selected(dc, font.get());
    GetTextExtentPoint32(dc, row.node->text, &extent);
  }
  ReleaseDC(hwnd(), dc);
  return {left, line.top, left + extent.cx + 2 * kLabelPadding, line.bottom};
}

RECT TreeView::ButtonRect(const TreeRow& row, int index) const {
  const RECT line = RowRect(index);
  const int centre_x = LevelOffset(row.level) - Indent() / 2;
  const int centre_y = (line.top + line.bottom) / 2;
  return {centre_x - kButtonSize / 2, centre_y - kButtonSize / 2, centre_x + kButtonSize / 2 + 1,
          centre_y + kButtonSize / 2 + 1};
}

UINT TreeView::HitTest(POINT point, TreeNode** node) {
  *node = nullptr;
  const RECT area = Area();
  if (!PtInRect(&area, point) || point.x >= area.left + scroll_.RowWidth(area)) {
    return TVHT_NOWHERE;
  }
  const int index = (point.y - area.top + scroll_.offset()) / RowHeight();
  if (index < 0 || index >= static_cast<int>(rows_.size())) return TVHT_NOWHERE;
  const TreeRow& row = rows_[static_cast<std::size_t>(index)];
  *node = row.node;
  const RECT label = LabelRect(row, index);
  if (point.x >= label.right) return TVHT_ONITEMRIGHT;
  if (point.x >= label.left) return TVHT_ONITEMLABEL;
  if (point.x >= LevelOffset(row.level)) return TVHT_ONITEMICON;
  RECT button = ButtonRect(row, index);
  InflateRect(&button, 3, 3);  // a fingertip's slack
  if ((Style() & TVS_HASBUTTONS) && LevelOffset(row.level) > Indent() && PtInRect(&button, point) &&
      HasChildren(*row.node)) {
    return TVHT_ONITEMBUTTON;
  }
  return TVHT_ONITEMINDENT;
}

void TreeView::Changed() {
  rows_ = items_.Rows();
  const RECT area = Area();
  scroll_.SetExtent(static_cast<int>(rows_.size()) * RowHeight(), area.bottom - area.top);
  Redraw();
}

// ---- Input ----------------------------------------------------------------------------

void TreeView::OnStylusDown(POINT point) {
  KillTimer(hwnd(), kEditTimer);
  if (editing_) EndEdit(false);
  press_on_caret_label_ = false;
  pressed_ = nullptr;
  TreeNode* node = nullptr;
  const UINT where = HitTest(point, &node);
  if (where == TVHT_ONITEMBUTTON) {
    SetFocus(hwnd());
    Expand(node, TVE_TOGGLE);
    return;
  }
  const auto item = static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(node));
  const Press press = BeginPress(Area(), point, node != nullptr, item);
  if (node && !items_.Find(node->handle())) return;  // deleted while the parent was asked
  pressed_ = node;
  if (press == Press::kDoubleTap) {
    NMHDR header;
    if (Notify(header, NM_DBLCLK) == 0 && node && items_.Find(node->handle())) {
      Expand(node, TVE_TOGGLE);
    }
    return;
  }
  if (press != Press::kTap || !node) return;
  press_on_caret_label_ = node == caret_ && where == TVHT_ONITEMLABEL;
  Select(node, TVC_BYMOUSE);
}

void TreeView::OnStylusMove(POINT point) {
  if (MovePress(Area(), point)) Redraw();
}

void TreeView::OnStylusUp(POINT point) {
  if (!EndPress()) return;
  NMHDR header;
  if (Notify(header, NM_CLICK) != 0) return;
  // A label edit starts from a short tap on the selected item's label,
  // never from tap-and-hold, and only once it is no double tap.
  TreeNode* node = nullptr;
  const UINT where = HitTest(point, &node);
  if (press_on_caret_label_ && !PressWasHeld() && node == pressed_ && where == TVHT_ONITEMLABEL &&
      (Style() & TVS_EDITLABELS)) {
    SetTimer(hwnd(), kEditTimer, kDoubleTapTimeMs, nullptr);
  }
}

void TreeView::OnTimer(UINT_PTR timer) {
  if (timer != kEditTimer) {
    ItemControl::OnTimer(timer);
    return;
  }
  KillTimer(hwnd(), kEditTimer);
  if (caret_ && !pressing()) BeginEdit(caret_);
}

bool TreeView::OnKeyDown(UINT key) {
  NMTVKEYDOWN notice;
  notice.wVKey = static_cast<WORD>(key);
  Notify(notice.hdr, TVN_KEYDOWN);
  const int row = RowOf(caret_);
  auto select_row = [this](int index) {
    if (index >= 0 && index < static_cast<int>(rows_.size())) {
      Select(rows_[static_cast<std::size_t>(index)].node, TVC_BYKEYBOARD);
    }
  };
  switch (key) {
    case VK_UP:
      select_row(row < 0 ? 0 : row - 1);
      return true;
    case VK_DOWN:
      select_row(row < 0 ? 0 : row + 1);
      return true;
    case VK_HOME:
      select_row(0);
      return true;
    case VK_END:
      select_row(static_cast<int>(rows_.size()) - 1);
      return true;
    case VK_LEFT:
      if (caret_ && caret_->expanded()) {
        Expand(caret_, TVE_COLLAPSE);
      } else if (caret_ && !items_.IsRoot(caret_->parent)) {
        Select(caret_->parent, TVC_BYKEYBOARD);
      }
      return true;
    case VK_RIGHT:
      if (caret_ && !caret_->expanded()) {
        Expand(caret_, TVE_EXPAND);
      } else if (caret_ && !caret_->children.empty()) {
        Select(caret_->children.front().get(), TVC_BYKEYBOARD);
      }
      return true;
    case VK_RETURN:
    case VK_ACTION: {
      NMHDR header;
      Notify(header, NM_RETURN);
      return true;
    }
    default:
      return false;
  }
}

// ---- Painting ----------------------------------------------------------------------------

void TreeView::PaintLines(HDC dc, const TreeRow& row, int index) const {
  const RECT line = RowRect(index);
  const COLORREF colour = GetSysColor(COLOR_BTNSHADOW);
  const int middle = (line.top + line.bottom) / 2;
  const int x = LevelOffset(row.level) - Indent() / 2;
  if (x <= 0) return;
  Line(dc, x, middle, LevelOffset(row.level) - 1, middle, colour);
  const bool first_at_top = row.level == 0 && TreeItems::IndexInParent(*row.node) == 0;
  Line(dc, x, first_at_top ? middle : line.top, x,
       TreeItems::NextSibling(*row.node) ? line.bottom : middle + 1, colour);
  // The lines of ancestors that have siblings still to come pass through.
  int level = row.level - 1;
  for (const TreeNode* up = row.node->parent; up && up->parent; up = up->parent, --level) {
    const int up_x = LevelOffset(level) - Indent() / 2;
    if (up_x > 0 && TreeItems::NextSibling(*up))
      Line(dc, up_x, line.top, up_x, line.bottom, colour);
  }
}

void TreeView::PaintRow(HDC dc, const TreeRow& row, int index) {
  if (Style() & TVS_HASLINES) PaintLines(dc, row, index);
  const RECT line = RowRect(index);
  if ((Style() & TVS_HASBUTTONS) && LevelOffset(row.level) > Indent() && HasChildren(*row.node)) {
    const RECT button = ButtonRect(row, index);
    FillColor(dc, button, GetSysColor(COLOR_WINDOW));
    FrameColor(dc, button, GetSysColor(COLOR_BTNSHADOW));
    const int cx = (button.left + button.right) / 2;
    const int cy = (button.top + button.bottom) / 2;
    const COLORREF sign = GetSysColor(COLOR_WINDOWTEXT);
    Line(dc, button.left + 2, cy, button.right - 2, cy, sign);
    if (!row.node->expanded()) Line(dc, cx, button.top + 2, cx, button.bottom - 2, sign);
  }
  const bool selected = row.node == caret_;
  if (images_) {
    int cx = 0, cy = 0;
    ImageList_GetIconSize(images_, &cx, &cy);
    ImageList_Draw(images_, selected ? row.node->selected_image : row.node->image, dc,
                   LevelOffset(row.level), line.top + (line.bottom - line.top - cy) / 2,
                   ILD_TRANSPARENT);
  }
  const RECT label = LabelRect(row, index);
  COLORREF text = GetSysColor(COLOR_WINDOWTEXT);
  if (selected && (focused_ || editing_)) {
    FillColor(dc, label, GetSysColor(COLOR_HIGHLIGHT));
    text = GetSysColor(COLOR_HIGHLIGHTTEXT);
  } else if (selected && (Style() & TVS_SHOWSELALWAYS)) {
    FillColor(dc, label, GetSysColor(COLOR_BTNFACE));
  }
  RECT inner = label;
  InflateRect(&inner, -kLabelPadding, 0);
  if (row.node->state & TVIS_BOLD) {
    OwnedGdiObject<> bold = MakeControlFont(FW_BOLD);
    ScopedSelect chosen(dc, bold.get());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, text);
    DrawText(dc, row.node->text, &inner, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER);
  } else {
    DrawLabel(dc, row.node->text, inner, text, DT_LEFT);
  }
}

void TreeView::Paint(HDC dc) {
  const RECT area = Area();
  FillColor(dc, area, GetSysColor(COLOR_WINDOW));
  // Painting may ask the parent about children; the rows are copied so
  // that an answer that changes the tree cannot pull them away.
  const std::vector<TreeRow> rows = rows_;
  const int first = scroll_.offset() / RowHeight();
  const int count = (area.bottom - area.top) / RowHeight() + 2;
  for (int i = first; i < static_cast<int>(rows.size()) && i < first + count; ++i) {
    if (items_.Find(rows[static_cast<std::size_t>(i)].node->handle())) {
      PaintRow(dc, rows[static_cast<std::size_t>(i)], i);
    }
  }
  scroll_.Paint(dc, area);
}

// ---- Messages ---------------------------------------------------------------------------

std::optional<LRESULT> TreeView::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SIZE:
      Changed();
      return 0;
    case WM_DESTROY:
      KillTimer(hwnd(), kEditTimer);
      DeleteAll();
      return 0;
    default:
      break;
  }
  if (auto result = HandleItemMessage(message, wparam, lparam)) return result;
  return HandleViewMessage(message, wparam, lparam);
}

std::optional<LRESULT> TreeView::HandleItemMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  const auto item = reinterpret_cast<HTREEITEM>(lparam);
  switch (message) {
    case TVM_INSERTITEM:
      return lparam ? reinterpret_cast<LRESULT>(
                          Insert(*reinterpret_cast<const TVINSERTSTRUCT*>(lparam)))
                    : 0;
    case TVM_DELETEITEM:
      if (item == TVI_ROOT || item == nullptr) {
        DeleteAll();
        return TRUE;
      }
      return Delete(items_.Find(item));
    case TVM_EXPAND:
      return Expand(items_.Find(item), static_cast<UINT>(wparam));
    case TVM_GETNEXTITEM:
      return reinterpret_cast<LRESULT>(NextItem(static_cast<UINT>(wparam), item));
    case TVM_SELECTITEM:
      if (wparam != TVGN_CARET) return FALSE;
      if (item && !items_.Find(item)) return FALSE;
      return Select(items_.Find(item), TVC_UNKNOWN);
    case TVM_GETITEM:
      return lparam && GetItem(*reinterpret_cast<TVITEM*>(lparam));
    case TVM_SETITEM:
      return lparam && SetItem(*reinterpret_cast<const TVITEM*>(lparam));
    case TVM_GETCOUNT:
      return items_.Count();
    case TVM_ENSUREVISIBLE:
      return EnsureVisible(items_.Find(item));
    case TVM_SORTCHILDREN:
      return SortChildren(item, wparam != 0);
    case TVM_GETITEMRECT:
      return GetItemRect(wparam != 0, reinterpret_cast<RECT*>(lparam));
    case TVM_HITTEST:
      return reinterpret_cast<LRESULT>(HitTest(reinterpret_cast<TVHITTESTINFO*>(lparam)));
    case TVM_EDITLABEL:
      return reinterpret_cast<LRESULT>(BeginEdit(items_.Find(item)));
    case TVM_GETEDITCONTROL:
      return reinterpret_cast<LRESULT>(editing_ ? editor_.hwnd() : nullptr);
    case TVM_ENDEDITLABELNOW: {
      const bool was_editing = editing_ != nullptr;
      EndEdit(wparam != 0);
      return was_editing;
    }
    default:
      return std::nullopt;
  }
}

std::optional<LRESULT> TreeView::HandleViewMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case TVM_SETIMAGELIST: {
      if (wparam != TVSIL_NORMAL) return 0;
      HIMAGELIST old = std::exchange(images_, reinterpret_cast<HIMAGELIST>(lparam));
      Changed();
      return reinterpret_cast<LRESULT>(old);
    }
    case TVM_GETIMAGELIST:
      return wparam == TVSIL_NORMAL ? reinterpret_cast<LRESULT>(images_) : 0;
    case TVM_GETINDENT:
      return indent_;
    case TVM_SETINDENT:
      indent_ = std::max(static_cast<int>(wparam), kButtonSize + 4);
      Changed();
      return TRUE;
    case TVM_GETVISIBLECOUNT:
      return std::max(scroll_.page() / RowHeight(), 0);
    default:
      return std::nullopt;
  }
}

BOOL TreeView::SortChildren(HTREEITEM item, bool recursive) {
  TreeNode* parent = items_.FindParent(item);
  if (!parent) return FALSE;
  items_.SortChildren(*parent, recursive);
  Changed();
  return TRUE;
}

BOOL TreeView::GetItemRect(bool label_only, RECT* rect) const {
  if (!rect) return FALSE;
  // The item comes in the rectangle's first bytes.
  HTREEITEM asked = nullptr;
  std::memcpy(&asked, rect, sizeof asked);
  const int row = RowOf(items_.Find(asked));
  if (row < 0) return FALSE;
  *rect = label_only ? LabelRect(rows_[static_cast<std::size_t>(row)], row) : RowRect(row);
  return TRUE;
}

HTREEITEM TreeView::HitTest(TVHITTESTINFO* info) {
  if (!info) return nullptr;
  TreeNode* node = nullptr;
  info->flags = HitTest(info->pt, &node);
  info->hItem = node ? node->handle() : nullptr;
  return info->hItem;
}

}  // namespace platform::common_controls
