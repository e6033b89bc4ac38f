#include "controls/list_box.h"

#include <algorithm>

#include "controls/drawing.h"
#include "controls/item_messages.h"
#include "platform/controls.h"
#include "platform/dialogs.h"

namespace platform::controls {

namespace {

constexpr int kTextMargin = 2;
constexpr int kHorizontalLine = 8;

}  // namespace

ListBox::ListBox(HWND hwnd, bool sorted, bool always_show_bars)
    : Control(hwnd), items_(sorted), bars_(hwnd, always_show_bars) {
  item_height_ = LineHeight(nullptr) + 2;
}

int ListBox::VisibleRows() const {
  const RECT content = bars_.ContentRect();
  return std::max(1, static_cast<int>(content.bottom - content.top) / item_height_);
}

int ListBox::MaxTop() const { return std::max(0, items_.count() - VisibleRows()); }

void ListBox::UpdateScrollBars() {
  // Showing one bar narrows the rows and may call for the other: twice
  // settles it.
  for (int round = 0; round < 2; ++round) {
    top_ = std::clamp(top_, 0, MaxTop());
    bars_.Set(SB_VERT, 0, std::max(0, items_.count() - 1), VisibleRows(), top_);
    const RECT content = bars_.ContentRect();
    const int width = content.right - content.left;
    horizontal_offset_ = std::clamp(horizontal_offset_, 0, std::max(0, horizontal_extent_ - width));
    bars_.Set(SB_HORZ, 0, std::max(0, horizontal_extent_ - 1), width, horizontal_offset_);
  }
}

void ListBox::ContentChanged() {
  UpdateScrollBars();
  Redraw();
}

bool ListBox::Select(int index) {
  if (!items_.Valid(index)) index = -1;
  if (index >= 0) {
    if (index < top_) SetTop(index);
    if (index >= top_ + VisibleRows()) SetTop(index - VisibleRows() + 1);
  }
  if (index == selection_) return false;
  selection_ = index;
  Redraw();
  return true;
}

void ListBox::SetTop(int top) {
  top_ = std::clamp(top, 0, MaxTop());
  UpdateScrollBars();
  Redraw();
}

void ListBox::SetHorizontalOffset(int offset) {
  horizontal_offset_ = offset;
  UpdateScrollBars();
  Redraw();
}

void ListBox::UserSelected() {
  if (Style() & LBS_NOTIFY) Notify(LBN_SELCHANGE);
}

void ListBox::UserDoubleTapped() {
  if (Style() & LBS_NOTIFY) Notify(LBN_DBLCLK);
}

int ListBox::ItemAt(POINT point) const {
  const RECT content = bars_.ContentRect();
  if (!PtInRect(&content, point)) return -1;
  const int index = top_ + (point.y - content.top) / item_height_;
  return items_.Valid(index) ? index : -1;
}

void ListBox::UserMove(int index) {
  if (Style() & LBS_NOSEL) return;
  if (Select(index)) UserSelected();
}

void ListBox::StylusDown(POINT point) {
  if (TakesFocus() && GetFocus() != hwnd()) SetFocus(hwnd());
  if (bars_.HandleStylus(WM_LBUTTONDOWN,
                         MAKELPARAM(static_cast<WORD>(point.x), static_cast<WORD>(point.y)))) {
    return;
  }
  tracking_ = true;
  if (GetCapture() != hwnd()) SetCapture(hwnd());
  const int index = ItemAt(point);
  if (index < 0) return;
  UserMove(index);
  if (double_tap_.Press(point, index)) UserDoubleTapped();
}

void ListBox::StylusMove(POINT point) {
  if (!tracking_) return;
  const RECT content = bars_.ContentRect();
  // Dragging past the top or bottom edge scrolls a row at a time.
  if (point.y < content.top && top_ > 0) {
    SetTop(top_ - 1);
    UserMove(top_);
    return;
  }
  if (point.y >= content.bottom && top_ < MaxTop()) {
    SetTop(top_ + 1);
    UserMove(std::min(items_.count() - 1, top_ + VisibleRows() - 1));
    return;
  }
  const int index = ItemAt(point);
  if (index >= 0) UserMove(index);
}

bool ListBox::Key(WPARAM key) {
  const int last = items_.count() - 1;
  if (last < 0) return false;
  const int page = std::max(1, VisibleRows() - 1);
  const int from = selection_ < 0 ? top_ : selection_;
  int target = from;
  switch (key) {
    case VK_UP:
      target = selection_ < 0 ? top_ : from - 1;
      break;
    case VK_DOWN:
      target = selection_ < 0 ? top_ : from + 1;
      break;
    case VK_PRIOR:
      target = from - page;
      break;
    case VK_NEXT:
      target = from + page;
      break;
    case VK_HOME:
      target = 0;
      break;
    case VK_END:
      target = last;
      break;
    default:
      return false;
  }
  UserMove(std::clamp(target, 0, last));
  return true;
}

LRESULT ListBox::Scroll(UINT message, WPARAM wparam) {
  const bool vertical = message == WM_VSCROLL;
  const int current = vertical ? top_ : horizontal_offset_;
  const RECT content = bars_.ContentRect();
  const int line = vertical ? 1 : kHorizontalLine;
  const int page =
      vertical ? std::max(1, VisibleRows() - 1) : std::max(1, static_cast<int>(content.right));
  int target = current;
  switch (LOWORD(wparam)) {
    case SB_LINEUP:
      target -= line;
      break;
    case SB_LINEDOWN:
      target += line;
      break;
    case SB_PAGEUP:
      target -= page;
      break;
    case SB_PAGEDOWN:
      target += page;
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      target = HIWORD(wparam);
      break;
    case SB_TOP:
      target = 0;
      break;
    case SB_BOTTOM:
      target = vertical ? MaxTop() : horizontal_extent_;
      break;
    default:
      return 0;
  }
  if (vertical) {
    SetTop(target);
  } else {
    SetHorizontalOffset(target);
  }
  return 0;
}

LRESULT ListBox::ItemRect(int index, RECT* rect) const {
  if (!items_.Valid(index) || !rect) return LB_ERR;
  const RECT content = bars_.ContentRect();
  const int top = content.top + (index - top_) * item_height_;
  *rect = {content.left, top, content.right, top + item_height_};
  return LB_OKAY;
}

void ListBox::Paint(HDC dc) {
  const RECT content = bars_.ContentRect();
  HBRUSH background = AskColors(WM_CTLCOLORLISTBOX, dc);
  const COLORREF text_color = Enabled() ? GetTextColor(dc) : GetSysColor(COLOR_GRAYTEXT);
  FillRect(dc, &content, background);
  const int rows = VisibleRows() + 1;
  for (int index = top_; index < items_.count() && index < top_ + rows; ++index) {
    RECT row;
    ItemRect(index, &row);
    const bool selected = index == selection_;
    if (selected) FillSolid(dc, row, GetSysColor(COLOR_HIGHLIGHT));
    RECT text = row;
    text.left += kTextMargin - horizontal_offset_;
    text.right = std::max<int>(text.right, text.left + horizontal_extent_);
    DrawLabel(dc, items_.Text(index), text, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX,
              selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : text_color);
  }
  bars_.Paint(dc);
}

LRESULT ListBox::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  const ItemMessageHooks hooks{[this](int index) { Select(index); }, [this] { ContentChanged(); }};
  if (auto answer = AnswerItemMessage(kListBoxItemMessages, items_, selection_, message, wparam,
                                      lparam, hooks)) {
    return *answer;
  }
  if (auto answer = HandleListMessage(message, wparam, lparam)) return *answer;
  switch (message) {
    case WM_CREATE:
    case WM_SIZE:
      ContentChanged();
      return 0;
    case WM_DESTROY:
      bars_.Forget();
      return 0;
    case WM_SETFONT:
      item_height_ = LineHeight(reinterpret_cast<HFONT>(wparam)) + 2;
      Control::Handle(message, wparam, lparam);
      ContentChanged();
      return 0;
    case WM_VSCROLL:
    case WM_HSCROLL:
      return Scroll(message, wparam);
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      StylusDown(StylusPoint(lparam));
      return 0;
    case WM_MOUSEMOVE:
      if (!bars_.HandleStylus(message, lparam)) StylusMove(StylusPoint(lparam));
      return 0;
    case WM_LBUTTONUP:
      StylusUp(lparam);
      return 0;
    case WM_CAPTURECHANGED:
      bars_.CaptureLost();
      tracking_ = false;
      return 0;
    case WM_TIMER:
      bars_.HandleTimer(wparam);
      return 0;
    case WM_KEYDOWN:
      if (Key(wparam)) return 0;
      break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
      if (Style() & LBS_NOTIFY) Notify(message == WM_SETFOCUS ? LBN_SETFOCUS : LBN_KILLFOCUS);
      Redraw();
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    default:
      break;
  }
  return Control::Handle(message, wparam, lparam);
}

std::optional<LRESULT> ListBox::HandleListMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case LB_GETTOPINDEX:
      return top_;
    case LB_SETTOPINDEX:
      return SetTopIndex(static_cast<int>(wparam));
    case LB_SETHORIZONTALEXTENT:
      horizontal_extent_ = static_cast<int>(wparam);
      ContentChanged();
      return 0;
    case LB_GETHORIZONTALEXTENT:
      return horizontal_extent_;
    case LB_GETITEMRECT:
      return ItemRect(static_cast<int>(wparam), reinterpret_cast<RECT*>(lparam));
    case LB_SETITEMHEIGHT:
      if (LOWORD(lparam) == 0) return LB_ERR;
      item_height_ = LOWORD(lparam);
      ContentChanged();
      return LB_OKAY;
    case LB_GETITEMHEIGHT:
      return item_height_;
    default:
      return std::nullopt;
  }
}

LRESULT ListBox::SetTopIndex(int index) {
  if (!items_.Valid(index) && !(index == 0 && items_.count() == 0)) return LB_ERR;
  SetTop(index);
  return LB_OKAY;
}

void ListBox::StylusUp(LPARAM lparam) {
  if (bars_.HandleStylus(WM_LBUTTONUP, lparam) || !tracking_) return;
  tracking_ = false;
  if (GetCapture() == hwnd()) ReleaseCapture();
  StylusLifted(StylusPoint(lparam));
}

}  // namespace platform::controls
