#include "controls/combo_box.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "controls/drawing.h"
#include "controls/drop_list.h"
#include "controls/item_messages.h"
#include "controls/scroll_bar_layout.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/shell_state.h"

namespace platform::controls {

namespace {

constexpr int kButtonWidth = kScrollBarSize + 2;
// Rows the list shows when the control was made no taller than its box.
constexpr int kDefaultRows = 5;

}  // namespace

int ComboBox::ItemHeight() const { return LineHeight(Font()) + 2; }

int ComboBox::BoxHeight() const { return ItemHeight() + 6; }

void ComboBox::KeepBoxHeight(int height) {
  if (resizing_ || height == BoxHeight()) return;
  // What is beyond the box is the room for the open list.
  if (height > BoxHeight()) list_height_ = height - BoxHeight();
  resizing_ = true;
  const RECT client = Client();
  SetWindowPos(hwnd(), nullptr, 0, 0, client.right, BoxHeight(),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  resizing_ = false;
}

RECT ComboBox::DroppedRect() const {
  RECT box;
  GetWindowRect(hwnd(), &box);
  const int rows_room = list_height_ / ItemHeight();
  const int rows = std::max(1, std::min(items_.count(), rows_room > 0 ? rows_room : kDefaultRows));
  const int height = rows * ItemHeight() + 2;
  const RECT work = shell::WorkArea();
  RECT list{box.left, box.bottom, box.right, box.bottom + height};
  if (list.bottom > work.bottom && box.top - height >= work.top) {
    list = {box.left, box.top - height, box.right, box.top};
  }
  return list;
}

void ComboBox::Open() {
  if (list_) return;
  Notify(CBN_DROPDOWN);
  const RECT place = DroppedRect();
  const int rows = (place.bottom - place.top - 2) / ItemHeight();
  const DWORD style = WS_POPUP | WS_BORDER | (items_.count() > rows ? WS_VSCROLL : 0);
  HWND list =
      CreateWindowEx(WS_EX_TOPMOST | WS_EX_NOACTIVATE, kDropListClassName, "", style, place.left,
                     place.top, place.right - place.left, place.bottom - place.top,
                     GetAncestor(hwnd(), GA_ROOT), nullptr, nullptr, hwnd());
  if (!list) return;
  list_ = list;
  SendMessage(list, WM_SETFONT, reinterpret_cast<WPARAM>(Font()), FALSE);
  for (int i = 0; i < items_.count(); ++i) {
    SendMessage(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(items_.Text(i).c_str()));
  }
  SendMessage(list, LB_SETCURSEL, static_cast<WPARAM>(selection_), 0);
  ShowWindow(list, SW_SHOWNOACTIVATE);
  SetCapture(list);
  Redraw();
}

void ComboBox::Close(int chosen) {
  if (!list_) return;
  HWND list = list_;
  list_ = nullptr;
  DestroyWindow(list);
  if (chosen >= 0) {
    if (Select(chosen)) Notify(CBN_SELCHANGE);
    Notify(CBN_SELENDOK);
  } else {
    Notify(CBN_SELENDCANCEL);
  }
  Notify(CBN_CLOSEUP);
  Redraw();
}

bool ComboBox::Select(int index) {
  if (!items_.Valid(index)) index = -1;
  if (index == selection_) return false;
  selection_ = index;
  if (list_) SendMessage(list_, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
  Redraw();
  return true;
}

bool ComboBox::Key(WPARAM key) {
  if (list_ && (key == VK_RETURN || key == VK_ACTION)) {
    Close(selection_);
    return true;
  }
  if (list_ && key == VK_ESCAPE) {
    Close(-1);
    return true;
  }
  const int last = items_.count() - 1;
  int target = selection_;
  switch (key) {
    case VK_UP:
      target = std::max(0, selection_ - 1);
      break;
    case VK_DOWN:
      target = std::min(last, selection_ + 1);
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
  if (last >= 0 && Select(target)) Notify(CBN_SELCHANGE);
  return true;
}

LRESULT ComboBox::CopyText(WPARAM size, char* buffer) const {
  if (!buffer || size == 0) return 0;
  const std::string text = items_.Valid(selection_) ? items_.Text(selection_) : std::string();
  const std::size_t length = std::min<std::size_t>(text.size(), size - 1);
  std::memcpy(buffer, text.data(), length);
  buffer[length] = '\0';
  return static_cast<LRESULT>(length);
}

void ComboBox::Paint(HDC dc) {
  const RECT client = Client();
  HBRUSH background = AskColors(WM_CTLCOLORLISTBOX, dc);
  const bool enabled = Enabled();
  COLORREF text_color = enabled ? GetTextColor(dc) : GetSysColor(COLOR_GRAYTEXT);
  FillRect(dc, &client, enabled ? background : GetSysColorBrush(COLOR_BTNFACE));
  const COLORREF frame = GetSysColor(COLOR_BTNSHADOW);
  FrameSolid(dc, client, frame);
  const RECT button{client.right - kButtonWidth, client.top, client.right, client.bottom};
  FillSolid(dc, button, list_ ? frame : GetSysColor(COLOR_BTNFACE));
  FrameSolid(dc, button, frame);
  DrawArrow(dc, button, ArrowDirection::kDown,
            enabled ? GetSysColor(COLOR_BTNTEXT) : GetSysColor(COLOR_GRAYTEXT));
  RECT field{client.left + 2, client.top + 2, button.left - 1, client.bottom - 2};
  if (Focused() && !list_) {
    FillSolid(dc, field, GetSysColor(COLOR_HIGHLIGHT));
    text_color = GetSysColor(COLOR_HIGHLIGHTTEXT);
  }
  if (!items_.Valid(selection_)) return;
  field.left += 2;
  DrawLabel(dc, items_.Text(selection_), field, DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX,
            text_color);
}

LRESULT ComboBox::Handle(UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == CB_RESETCONTENT) Close(-1);
  const ItemMessageHooks hooks{[this](int index) { Select(index); }, [this] { Redraw(); }};
  if (auto answer = AnswerItemMessage(kComboBoxItemMessages, items_, selection_, message, wparam,
                                      lparam, hooks)) {
    return *answer;
  }
  if (auto answer = HandleDropDownMessage(message, wparam, lparam)) return *answer;
  switch (message) {
    case WM_CREATE:
      list_height_ = reinterpret_cast<const CREATESTRUCT*>(lparam)->cy - BoxHeight();
      return 0;
    case WM_SIZE:
      KeepBoxHeight(HIWORD(lparam));
      return 0;
    case WM_DESTROY:
      if (list_) DestroyWindow(list_);
      list_ = nullptr;
      return 0;
    case WM_SETFONT:
      Control::Handle(message, wparam, lparam);
      KeepBoxHeight(Client().bottom);
      return 0;
    case WM_GETTEXT:
      return CopyText(wparam, reinterpret_cast<char*>(lparam));
    case WM_GETTEXTLENGTH:
      return items_.Valid(selection_) ? static_cast<LRESULT>(items_.Text(selection_).size()) : 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      if (GetFocus() != hwnd()) SetFocus(hwnd());
      Toggle();
      return 0;
    case WM_KEYDOWN:
      if (Key(wparam)) return 0;
      break;
    case WM_SETFOCUS:
      Notify(CBN_SETFOCUS);
      Redraw();
      return 0;
    case WM_KILLFOCUS:
      Close(-1);
      Notify(CBN_KILLFOCUS);
      Redraw();
      return 0;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS | DLGC_WANTCHARS;
    default:
      break;
  }
  return Control::Handle(message, wparam, lparam);
}

std::optional<LRESULT> ComboBox::HandleDropDownMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case CB_SHOWDROPDOWN:
      if (wparam) {
        Open();
      } else {
        Close(-1);
      }
      return TRUE;
    case CB_GETDROPPEDSTATE:
      return list_ ? TRUE : FALSE;
    case CB_GETDROPPEDCONTROLRECT:
      if (auto* rect = reinterpret_cast<RECT*>(lparam)) {
        GetWindowRect(hwnd(), rect);
        rect->bottom += list_height_;
      }
      return CB_OKAY;
    case kDropListChoseMessage:
      Close(static_cast<int>(wparam));
      return 0;
    case kDropListCancelMessage:
      Close(-1);
      return 0;
    default:
      return std::nullopt;
  }
}

void ComboBox::Toggle() {
  if (list_) {
    Close(-1);
  } else {
    Open();
  }
}

}  // namespace platform::controls
