#include "common_controls/list_view.h"

#include <algorithm>
#include <utility>

#include "common_controls/control_paint.h"
#include "platform/window_paint.h"

namespace platform::common_controls {

namespace {

constexpr int kHeaderHeight = 18;
constexpr int kMinimumRowHeight = kTextHeight + 4;
constexpr int kCellPadding = 3;

UINT AlignmentOf(int format) {
  switch (format & 3) {
    case LVCFMT_RIGHT:
      return DT_RIGHT;
    case LVCFMT_CENTER:
      return DT_CENTER;
    default:
      return DT_LEFT;
  }
}

}  // namespace

ListView::ListView(HWND hwnd, const CREATESTRUCT&) : ItemControl(hwnd) {}

void ListView::ReleaseImageLists() {
  if (!(Style() & LVS_SHAREIMAGELISTS)) {
    if (small_images_) ImageList_Destroy(small_images_);
    if (normal_images_ && normal_images_ != small_images_) ImageList_Destroy(normal_images_);
  }
  small_images_ = normal_images_ = nullptr;
}

// ---- Geometry -------------------------------------------------------------

int ListView::HeaderHeight() const {
  return Report() && !(Style() & LVS_NOCOLUMNHEADER) ? kHeaderHeight : 0;
}

int ListView::RowHeight() const {
  int cx = 0, cy = 0;
  if (small_images_) ImageList_GetIconSize(small_images_, &cx, &cy);
  return std::max(kMinimumRowHeight, cy + 2);
}

RECT ListView::RowArea() const {
  RECT client;
  GetClientRect(hwnd(), &client);
  client.top = std::min(client.bottom, client.top + HeaderHeight());
  return client;
}

RECT ListView::RowRect(int index) const {
  const RECT area = RowArea();
  const int top = area.top + index * RowHeight() - scroll_.offset();
  const int width = Report() ? ColumnsWidth() : scroll_.RowWidth(area);
  return {area.left, top, area.left + width, top + RowHeight()};
}

int ListView::ColumnsWidth() const {
  int width = 0;
  for (const Column& column : columns_) width += column.width;
  return width;
}

int ListView::ItemAt(POINT point) const {
  const RECT area = RowArea();
  if (!PtInRect(&area, point) || point.x >= area.left + scroll_.RowWidth(area)) return -1;
  const int index = (point.y - area.top + scroll_.offset()) / RowHeight();
  if (!Valid(index)) return -1;
  // Report rows end with the last column unless the whole row selects.
  if (Report() && !(extended_style_ & LVS_EX_FULLROWSELECT) && point.x >= ColumnsWidth()) {
    return -1;
  }
  return index;
}

int ListView::ColumnAt(POINT point) const {
  int left = 0;
  for (int i = 0; i < static_cast<int>(columns_.size()); ++i) {
    left += columns_[static_cast<std::size_t>(i)].width;
    if (point.x < left) return i;
  }
  return -1;
}

void ListView::UpdateExtent() {
  const RECT area = RowArea();
  scroll_.SetExtent(Count() * RowHeight(), area.bottom - area.top);
}

bool ListView::EnsureVisible(int index) {
  if (!Valid(index)) return false;
  const int top = index * RowHeight();
  const int bottom = top + RowHeight();
  if (top < scroll_.offset()) {
    scroll_.ScrollTo(top);
  } else if (bottom > scroll_.offset() + scroll_.page()) {
    scroll_.ScrollTo(bottom - scroll_.page());
  }
  Redraw();
  return true;
}

// ---- Items and columns --------------------------------------------------------

int ListView::InsertItem(const LVITEM& source) {
  if (source.iSubItem != 0) return -1;
  Item item;
  item.texts.emplace_back((source.mask & LVIF_TEXT) && source.pszText ? source.pszText : "");
  if (source.mask & LVIF_IMAGE) item.image = source.iImage;
  if (source.mask & LVIF_PARAM) item.param = source.lParam;
  if (source.mask & LVIF_STATE) item.state = source.state & source.stateMask;
  const int index = std::clamp(source.iItem, 0, Count());
  items_.insert(items_.begin() + index, std::move(item));
  UpdateExtent();
  Redraw();
  SendItemNotice(LVN_INSERTITEM, index);
  return index;
}

bool ListView::SetItemText(int index, int sub_item, const char* text) {
  if (!Valid(index) || sub_item < 0) return false;
  auto& texts = items_[static_cast<std::size_t>(index)].texts;
  if (static_cast<std::size_t>(sub_item) >= texts.size()) {
    texts.resize(static_cast<std::size_t>(sub_item) + 1);
  }
  texts[static_cast<std::size_t>(sub_item)] = text ? text : "";
  Redraw();
  return true;
}

bool ListView::SetItem(const LVITEM& source) {
  if (!Valid(source.iItem)) return false;
  if ((source.mask & LVIF_TEXT) && !SetItemText(source.iItem, source.iSubItem, source.pszText)) {
    return false;
  }
  if (source.iSubItem == 0) {
    Item& item = items_[static_cast<std::size_t>(source.iItem)];
    if (source.mask & LVIF_IMAGE) item.image = source.iImage;
    if (source.mask & LVIF_PARAM) item.param = source.lParam;
  }
  Redraw();
  if (source.mask & LVIF_STATE) return SetItemState(source.iItem, source.state, source.stateMask);
  return true;
}

bool ListView::GetItem(LVITEM& target) const {
  if (!Valid(target.iItem) || target.iSubItem < 0) return false;
  const Item& item = items_[static_cast<std::size_t>(target.iItem)];
  if (target.mask & LVIF_TEXT) {
    const auto sub = static_cast<std::size_t>(target.iSubItem);
    CopyText(sub < item.texts.size() ? item.texts[sub] : std::string(), target.pszText,
             target.cchTextMax);
  }
  if (target.mask & LVIF_IMAGE) target.iImage = item.image;
  if (target.mask & LVIF_PARAM) target.lParam = item.param;
  if (target.mask & LVIF_STATE) target.state = item.state & target.stateMask;
  return true;
}

bool ListView::DeleteItem(int index) {
  if (!Valid(index)) return false;
  SendItemNotice(LVN_DELETEITEM, index);
  // The parent may have changed the list while it was told.
  if (!Valid(index)) return false;
  items_.erase(items_.begin() + index);
  if (pressed_item_ == index) pressed_item_ = -1;
  if (pressed_item_ > index) --pressed_item_;
  UpdateExtent();
  Redraw();
  return true;
}

bool ListView::DeleteAllItems() {
  if (items_.empty()) return true;
  NMLISTVIEW notice;
  const bool told_each = Notify(notice.hdr, LVN_DELETEALLITEMS) == 0;
  if (told_each) {
    for (int i = 0; i < Count(); ++i) SendItemNotice(LVN_DELETEITEM, i);
  }
  items_.clear();
  pressed_item_ = -1;
  scroll_.ScrollTo(0);
  UpdateExtent();
  Redraw();
  return true;
}

int ListView::InsertColumn(int index, const LVCOLUMN& source) {
  Column column;
  if ((source.mask & LVCF_TEXT) && source.pszText) column.text = source.pszText;
  if (source.mask & LVCF_WIDTH) column.width = std::max(source.cx, 0);
  if (source.mask & LVCF_FMT) column.format = source.fmt;
  index = std::clamp(index, 0, static_cast<int>(columns_.size()));
  columns_.insert(columns_.begin() + index, std::move(column));
  Redraw();
  return index;
}

bool ListView::SetColumn(int index, const LVCOLUMN& source) {
  if (index < 0 || index >= static_cast<int>(columns_.size())) return false;
  Column& column = columns_[static_cast<std::size_t>(index)];
  if (source.mask & LVCF_TEXT) column.text = source.pszText ? source.pszText : "";
  if (source.mask & LVCF_WIDTH) column.width = std::max(source.cx, 0);
  if (source.mask & LVCF_FMT) column.format = source.fmt;
  Redraw();
  return true;
}

bool ListView::GetColumn(int index, LVCOLUMN& target) const {
  if (index < 0 || index >= static_cast<int>(columns_.size())) return false;
  const Column& column = columns_[static_cast<std::size_t>(index)];
  if (target.mask & LVCF_TEXT) CopyText(column.text, target.pszText, target.cchTextMax);
  if (target.mask & LVCF_WIDTH) target.cx = column.width;
  if (target.mask & LVCF_FMT) target.fmt = column.format;
  if (target.mask & LVCF_SUBITEM) target.iSubItem = index;
  return true;
}

int ListView::NextItem(int start, UINT flags) const {
  const UINT wanted = flags & (LVNI_SELECTED | LVNI_FOCUSED);
  const int step = (flags & LVNI_ABOVE) ? -1 : 1;
  int index = start < 0 ? (step > 0 ? 0 : Count() - 1) : start + step;
  for (; Valid(index); index += step) {
    if ((items_[static_cast<std::size_t>(index)].state & wanted) == wanted) return index;
  }
  return -1;
}

// ---- State and notifications ------------------------------------------------------

bool ListView::ChangeState(int index, UINT state, UINT mask) {
  if (!Valid(index)) return false;
  const Item& item = items_[static_cast<std::size_t>(index)];
  const UINT old_state = item.state;
  const UINT new_state = (old_state & ~mask) | (state & mask);
  if (new_state == old_state) return true;
  NMLISTVIEW notice;
  notice.iItem = index;
  notice.uNewState = new_state;
  notice.uOldState = old_state;
  notice.uChanged = LVIF_STATE;
  notice.ptAction = press_point();
  notice.lParam = item.param;
  if (Notify(notice.hdr, LVN_ITEMCHANGING)) return false;
  if (!Valid(index)) return false;
  items_[static_cast<std::size_t>(index)].state = new_state;
  Redraw();
  NMLISTVIEW changed = notice;
  Notify(changed.hdr, LVN_ITEMCHANGED);
  return true;
}

bool ListView::SetItemState(int index, UINT state, UINT mask) {
  if (index == -1) {
    bool all = true;
    for (int i = 0; i < Count(); ++i) all &= ChangeState(i, state, mask);
    return all;
  }
  if (!Valid(index)) return false;
  const bool selecting = (mask & state & LVIS_SELECTED) != 0;
  const bool focusing = (mask & state & LVIS_FOCUSED) != 0;
  // One focused item; one selected item with LVS_SINGLESEL.
  for (int i = 0; i < Count(); ++i) {
    if (i == index) continue;
    UINT clear = 0;
    if (focusing) clear |= LVIS_FOCUSED;
    if (selecting && (Style() & LVS_SINGLESEL)) clear |= LVIS_SELECTED;
    if (clear && (items_[static_cast<std::size_t>(i)].state & clear)) ChangeState(i, 0, clear);
  }
  return ChangeState(index, state, mask);
}

void ListView::SelectOnly(int index) {
  for (int i = 0; i < Count(); ++i) {
    if (i != index) ChangeState(i, 0, LVIS_SELECTED | LVIS_FOCUSED);
  }
  if (Valid(index)) ChangeState(index, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
}

void ListView::SendActivate(UINT code, int index, POINT point) {
  NMITEMACTIVATE notice;
  notice.iItem = index;
  notice.iSubItem = std::max(ColumnAt(point), 0);
  notice.ptAction = point;
  if (Valid(index)) notice.lParam = items_[static_cast<std::size_t>(index)].param;
  Notify(notice.hdr, code);
}

void ListView::SendItemNotice(UINT code, int index) {
  NMLISTVIEW notice;
  notice.iItem = index;
  if (Valid(index)) notice.lParam = items_[static_cast<std::size_t>(index)].param;
  Notify(notice.hdr, code);
}

// ---- Stylus and keys ------------------------------------------------------------

void ListView::OnStylusDown(POINT point) {
  pressed_item_ = -1;
  const RECT area = RowArea();
  if (point.y < area.top) {
    SetFocus(hwnd());
    const int column = ColumnAt(point);
    if (column >= 0 && !(Style() & LVS_NOSORTHEADER)) {
      NMLISTVIEW notice;
      notice.iSubItem = column;
      notice.ptAction = point;
      Notify(notice.hdr, LVN_COLUMNCLICK);
    }
    return;
  }
  const int index = ItemAt(point);
  switch (BeginPress(area, point, Valid(index), static_cast<DWORD>(index))) {
    case Press::kStrip:
      return;
    case Press::kDoubleTap:
      pressed_item_ = index;
      SendActivate(NM_DBLCLK, index, point);
      return;
    case Press::kTap:
      pressed_item_ = index;
      SelectOnly(index);
      return;
  }
}

void ListView::OnStylusMove(POINT point) {
  if (MovePress(RowArea(), point)) Redraw();
}

void ListView::OnStylusUp(POINT point) {
  if (!EndPress()) return;
  SendActivate(NM_CLICK, ItemAt(point) == pressed_item_ ? pressed_item_ : -1, point);
}

bool ListView::OnKeyDown(UINT key) {
  NMLVKEYDOWN notice;
  notice.wVKey = static_cast<WORD>(key);
  Notify(notice.hdr, LVN_KEYDOWN);
  const int focus = NextItem(-1, LVNI_FOCUSED);
  int target = -1;
  switch (key) {
    case VK_UP:
      target = focus < 0 ? 0 : std::max(focus - 1, 0);
      break;
    case VK_DOWN:
      target = focus < 0 ? 0 : std::min(focus + 1, Count() - 1);
      break;
    case VK_HOME:
      target = 0;
      break;
    case VK_END:
      target = Count() - 1;
      break;
    case VK_RETURN:
    case VK_ACTION: {
      NMHDR header;
      Notify(header, NM_RETURN);
      return true;
    }
    default:
      return false;
  }
  if (Valid(target)) {
    SelectOnly(target);
    EnsureVisible(target);
  }
  return true;
}

// ---- Painting ---------------------------------------------------------------------

void ListView::PaintHeader(HDC dc) const {
  int left = 0;
  const COLORREF text = GetSysColor(COLOR_BTNTEXT);
  for (const Column& column : columns_) {
    const RECT cell{left, 0, left + column.width, kHeaderHeight};
    FillColor(dc, cell, GetSysColor(COLOR_BTNFACE));
    DrawEdge3d(dc, cell, false);
    RECT label = cell;
    InflateRect(&label, -kCellPadding, 0);
    DrawLabel(dc, column.text, label, text, AlignmentOf(column.format) | DT_END_ELLIPSIS);
    left += column.width;
  }
  RECT client;
  GetClientRect(hwnd(), &client);
  if (left < client.right) {
    const RECT rest{left, 0, client.right, kHeaderHeight};
    FillColor(dc, rest, GetSysColor(COLOR_BTNFACE));
    DrawEdge3d(dc, rest, false);
  }
}

void ListView::PaintRow(HDC dc, int index) const {
  const Item& item = items_[static_cast<std::size_t>(index)];
  const RECT row = RowRect(index);
  const bool highlighted =
      (item.state & LVIS_SELECTED) && (focused_ || (Style() & LVS_SHOWSELALWAYS));
  int cx = 0, cy = 0;
  if (small_images_) ImageList_GetIconSize(small_images_, &cx, &cy);
  const std::size_t column_count = Report() ? std::max<std::size_t>(columns_.size(), 1) : 1;
  int left = row.left;
  for (std::size_t column = 0; column < column_count; ++column) {
    const int width =
        Report() && column < columns_.size() ? columns_[column].width : row.right - row.left;
    RECT cell{left, row.top, left + width, row.bottom};
    int text_left = cell.left + kCellPadding;
    if (column == 0 && small_images_) {
      ImageList_Draw(small_images_, item.image, dc, cell.left + 2,
                     row.top + (row.bottom - row.top - cy) / 2, ILD_TRANSPARENT);
      text_left = cell.left + 2 + cx + kCellPadding;
    }
    const std::string& text = column < item.texts.size() ? item.texts[column] : std::string();
    RECT label{text_left, row.top, cell.right - kCellPadding, row.bottom};
    bool inverse = false;
    if (highlighted && (column == 0 || (extended_style_ & LVS_EX_FULLROWSELECT))) {
      RECT mark = label;
      if (!(extended_style_ & LVS_EX_FULLROWSELECT)) {
        SIZE extent;
        OwnedGdiObject<> font = MakeControlFont();
        ScopedSelect selected(dc, font.get());
        GetTextExtentPoint32(dc, text, &extent);
        mark.right = std::min<LONG>(label.left + extent.cx + 2, cell.right);
        mark.left -= 2;
      } else {
        mark = cell;
      }
      FillColor(dc, mark, GetSysColor(COLOR_HIGHLIGHT));
      inverse = true;
    }
    const int format = column < columns_.size() ? columns_[column].format : LVCFMT_LEFT;
    DrawLabel(dc, text, label, GetSysColor(inverse ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT),
              AlignmentOf(format) | DT_END_ELLIPSIS);
    left += width;
  }
}

void ListView::Paint(HDC dc) {
  RECT client;
  GetClientRect(hwnd(), &client);
  const COLORREF background = background_ == CLR_DEFAULT ? GetSysColor(COLOR_WINDOW) : background_;
  FillColor(dc, client, background);
  const RECT area = RowArea();
  const int first = scroll_.offset() / RowHeight();
  const int rows = (area.bottom - area.top) / RowHeight() + 2;
  for (int i = first; i < Count() && i < first + rows; ++i) PaintRow(dc, i);
  // Rows scroll under the header, which is drawn over them.
  if (HeaderHeight() > 0) PaintHeader(dc);
  scroll_.Paint(dc, area);
}

// ---- Messages ---------------------------------------------------------------------

std::optional<LRESULT> ListView::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_SIZE:
      UpdateExtent();
      return 0;
    case WM_DESTROY:
      ReleaseImageLists();
      return 0;
    default:
      break;
  }
  const int index = static_cast<int>(static_cast<std::intptr_t>(wparam));
  if (auto result = HandleItemMessage(message, index, lparam)) return result;
  if (auto result = HandleColumnMessage(message, index, lparam)) return result;
  return HandleViewMessage(message, wparam, lparam);
}

std::optional<LRESULT> ListView::HandleItemMessage(UINT message, int index, LPARAM lparam) {
  switch (message) {
    case LVM_GETITEMCOUNT:
      return Count();
    case LVM_INSERTITEM:
      return lparam ? InsertItem(*reinterpret_cast<const LVITEM*>(lparam)) : -1;
    case LVM_SETITEM:
      return lparam && SetItem(*reinterpret_cast<const LVITEM*>(lparam));
    case LVM_GETITEM:
      return lparam && GetItem(*reinterpret_cast<LVITEM*>(lparam));
    case LVM_SETITEMTEXT: {
      const auto* item = reinterpret_cast<const LVITEM*>(lparam);
      return item && SetItemText(index, item->iSubItem, item->pszText);
    }
    case LVM_GETITEMTEXT:
      return GetItemText(index, reinterpret_cast<LVITEM*>(lparam));
    case LVM_DELETEITEM:
      return DeleteItem(index);
    case LVM_DELETEALLITEMS:
      return DeleteAllItems();
    case LVM_GETNEXTITEM:
      return NextItem(index, LOWORD(static_cast<std::uintptr_t>(lparam)));
    case LVM_SETITEMSTATE: {
      const auto* item = reinterpret_cast<const LVITEM*>(lparam);
      return item && SetItemState(index, item->state, item->stateMask);
    }
    case LVM_GETITEMSTATE:
      return Valid(index) ? items_[index].state & static_cast<UINT>(lparam) : 0;
    case LVM_GETSELECTEDCOUNT:
      return std::count_if(items_.begin(), items_.end(),
                           [](const Item& item) { return (item.state & LVIS_SELECTED) != 0; });
    case LVM_GETITEMRECT: {
      auto* rect = reinterpret_cast<RECT*>(lparam);
      if (!rect || !Valid(index)) return FALSE;
      *rect = RowRect(index);
      return TRUE;
    }
    case LVM_HITTEST:
      return HitTest(reinterpret_cast<LVHITTESTINFO*>(lparam));
    default:
      return std::nullopt;
  }
}

std::optional<LRESULT> ListView::HandleColumnMessage(UINT message, int index, LPARAM lparam) {
  const bool valid = index >= 0 && index < static_cast<int>(columns_.size());
  switch (message) {
    case LVM_INSERTCOLUMN:
      return lparam ? InsertColumn(index, *reinterpret_cast<const LVCOLUMN*>(lparam)) : -1;
    case LVM_SETCOLUMN:
      return lparam && SetColumn(index, *reinterpret_cast<const LVCOLUMN*>(lparam));
    case LVM_GETCOLUMN:
      return lparam && GetColumn(index, *reinterpret_cast<LVCOLUMN*>(lparam));
    case LVM_DELETECOLUMN:
      if (!valid) return FALSE;
      columns_.erase(columns_.begin() + index);
      Redraw();
      return TRUE;
    case LVM_GETCOLUMNWIDTH:
      return valid ? columns_[index].width : 0;
    case LVM_SETCOLUMNWIDTH: {
      LVCOLUMN column;
      column.mask = LVCF_WIDTH;
      column.cx = static_cast<int>(lparam);
      return SetColumn(index, column);
    }
    default:
      return std::nullopt;
  }
}

std::optional<LRESULT> ListView::HandleViewMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case LVM_SETIMAGELIST:
      return reinterpret_cast<LRESULT>(
          SetImageList(wparam == LVSIL_SMALL, reinterpret_cast<HIMAGELIST>(lparam)));
    case LVM_GETIMAGELIST:
      return reinterpret_cast<LRESULT>(wparam == LVSIL_SMALL ? small_images_ : normal_images_);
    case LVM_ENSUREVISIBLE:
      return EnsureVisible(static_cast<int>(static_cast<std::intptr_t>(wparam)));
    case LVM_SCROLL:
      scroll_.ScrollTo(scroll_.offset() + static_cast<int>(lparam));
      Redraw();
      return TRUE;
    case LVM_GETTOPINDEX:
      return scroll_.offset() / RowHeight();
    case LVM_GETCOUNTPERPAGE:
      return std::max(scroll_.page() / RowHeight(), 1);
    case LVM_SETEXTENDEDLISTVIEWSTYLE:
      return SetExtendedStyle(static_cast<DWORD>(wparam), static_cast<DWORD>(lparam));
    case LVM_GETEXTENDEDLISTVIEWSTYLE:
      return extended_style_;
    case LVM_SETBKCOLOR:
      background_ = static_cast<COLORREF>(lparam);
      Redraw();
      return TRUE;
    default:
      return std::nullopt;
  }
}

LRESULT ListView::GetItemText(int index, LVITEM* item) const {
  if (!item || !Valid(index) || item->iSubItem < 0) return 0;
  const auto& texts = items_[index].texts;
  const auto sub = static_cast<std::size_t>(item->iSubItem);
  return CopyText(sub < texts.size() ? texts[sub] : std::string(), item->pszText, item->cchTextMax);
}

LRESULT ListView::HitTest(LVHITTESTINFO* info) const {
  if (!info) return -1;
  info->iItem = ItemAt(info->pt);
  info->iSubItem = std::max(ColumnAt(info->pt), 0);
  info->flags = info->iItem >= 0 ? LVHT_ONITEMLABEL : LVHT_NOWHERE;
  return info->iItem;
}

HIMAGELIST ListView::SetImageList(bool small, HIMAGELIST list) {
  HIMAGELIST& slot = small ? small_images_ : normal_images_;
  HIMAGELIST old = std::exchange(slot, list);
  UpdateExtent();
  Redraw();
  return old;
}

DWORD ListView::SetExtendedStyle(DWORD mask, DWORD style) {
  const DWORD old = extended_style_;
  if (mask == 0) mask = 0xFFFFFFFFu;
  extended_style_ = (extended_style_ & ~mask) | (style & mask);
  Redraw();
  return old;
}

}  // namespace platform::common_controls
