#include "common_controls/toolbar.h"

#include <algorithm>
#include <utility>

#include "common_controls/control_paint.h"
#include "platform/window_paint.h"

namespace platform::common_controls {

namespace {

constexpr int kSeparatorWidth = 6;
constexpr int kBarMargin = 2;  // above and below the buttons when the bar sizes itself
// Pixels of this colour in a toolbar bitmap show the button face.
constexpr COLORREF kBitmapBackground = RGB(192, 192, 192);

bool IsSeparator(const TBBUTTON& button) { return (button.fsStyle & TBSTYLE_SEP) != 0; }
bool IsHidden(const TBBUTTON& button) { return (button.fsState & TBSTATE_HIDDEN) != 0; }
bool IsEnabled(const TBBUTTON& button) { return (button.fsState & TBSTATE_ENABLED) != 0; }

SIZE SizeFrom(LPARAM lparam) {
  const auto packed = static_cast<std::uintptr_t>(lparam);
  return {static_cast<LONG>(LOWORD(packed)), static_cast<LONG>(HIWORD(packed))};
}

}  // namespace

Toolbar::Toolbar(HWND hwnd, const CREATESTRUCT&) : EventControl(hwnd) {}

int Toolbar::IndexOf(int command) const {
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    if (!IsSeparator(buttons_[i]) && buttons_[i].idCommand == command) return static_cast<int>(i);
  }
  return -1;
}

TBBUTTON* Toolbar::Find(int command) {
  const int index = IndexOf(command);
  return index < 0 ? nullptr : &buttons_[static_cast<std::size_t>(index)];
}

RECT Toolbar::ItemRect(int index) const {
  RECT client;
  GetClientRect(hwnd(), &client);
  const int top = std::max<int>(0, (client.bottom - button_size_.cy) / 2);
  int x = 0;
  for (int i = 0; i < static_cast<int>(buttons_.size()); ++i) {
    const TBBUTTON& button = buttons_[static_cast<std::size_t>(i)];
    int width = 0;
    if (!IsHidden(button)) {
      width = IsSeparator(button) ? (button.iBitmap > 0 ? button.iBitmap : kSeparatorWidth)
                                  : button_size_.cx;
    }
    if (i == index) return {x, top, x + width, top + button_size_.cy};
    x += width;
  }
  return {};
}

int Toolbar::HitTest(POINT point) const {
  for (int i = 0; i < static_cast<int>(buttons_.size()); ++i) {
    const RECT rect = ItemRect(i);
    if (!PtInRect(&rect, point)) continue;
    return IsSeparator(buttons_[static_cast<std::size_t>(i)]) ? -(i + 1) : i;
  }
  return -1;
}

int Toolbar::AddBitmap(int count, const TBADDBITMAP* bitmap) {
  if (!bitmap || count <= 0) return -1;
  HBITMAP strip = nullptr;
  OwnedGdiObject<> loaded;
  if (bitmap->hInst) {
    loaded.Reset(LoadBitmap(bitmap->hInst, ResourceId(bitmap->nID)));
    strip = static_cast<HBITMAP>(loaded.get());
  } else {
    strip = reinterpret_cast<HBITMAP>(bitmap->nID);
  }
  if (!strip) return -1;
  if (!images_.get()) {
    images_.Reset(
        ImageList_Create(bitmap_size_.cx, bitmap_size_.cy, ILC_COLOR16 | ILC_MASK, count, 4));
  }
  const int first = ImageList_AddMasked(images_.get(), strip, kBitmapBackground);
  Redraw();
  return first;
}

bool Toolbar::Insert(int index, const TBBUTTON& button) {
  if (index < 0 || index > static_cast<int>(buttons_.size())) {
    index = static_cast<int>(buttons_.size());
  }
  buttons_.insert(buttons_.begin() + index, button);
  // The press under way refers to a button by its place.
  if (pressed_ >= index) ++pressed_;
  Redraw();
  return true;
}

bool Toolbar::Delete(int index) {
  if (!Valid(index)) return false;
  buttons_.erase(buttons_.begin() + index);
  if (pressed_ == index) {
    pressed_ = -1;
    if (GetCapture() == hwnd()) ReleaseCapture();
  } else if (pressed_ > index) {
    --pressed_;
  }
  Redraw();
  return true;
}

bool Toolbar::ChangeState(int command, BYTE bits, bool set) {
  TBBUTTON* button = Find(command);
  if (!button) return false;
  const BYTE state = set ? (button->fsState | bits) : (button->fsState & ~bits);
  if (state != button->fsState) {
    button->fsState = state;
    Redraw();
  }
  return true;
}

void Toolbar::AutoSize() {
  if (Style() & CCS_NORESIZE) return;
  HWND parent = GetParent(hwnd());
  if (!parent) return;
  RECT area;
  GetClientRect(parent, &area);
  const int height = button_size_.cy + 2 * kBarMargin;
  RECT mine;
  GetWindowRect(hwnd(), &mine);
  POINT origin{mine.left, mine.top};
  ScreenToClient(parent, &origin);
  int y = origin.y;
  if (!(Style() & CCS_NOPARENTALIGN)) {
    y = (Style() & CCS_BOTTOM) == CCS_BOTTOM ? area.bottom - height : 0;
  }
  MoveWindow(hwnd(), 0, y, area.right, height, TRUE);
}

void Toolbar::OnStylusDown(POINT point) {
  const int index = HitTest(point);
  if (index < 0 || !IsEnabled(buttons_[static_cast<std::size_t>(index)])) return;
  pressed_ = index;
  buttons_[static_cast<std::size_t>(index)].fsState |= TBSTATE_PRESSED;
  SetCapture(hwnd());
  Redraw();
}

void Toolbar::OnStylusMove(POINT point) {
  if (!Valid(pressed_)) return;
  // The button shows pressed only while the stylus is over it.
  const RECT rect = ItemRect(pressed_);
  TBBUTTON& button = buttons_[static_cast<std::size_t>(pressed_)];
  const BYTE state = PtInRect(&rect, point) ? (button.fsState | TBSTATE_PRESSED)
                                            : (button.fsState & ~TBSTATE_PRESSED);
  if (state != button.fsState) {
    button.fsState = state;
    Redraw();
  }
}

void Toolbar::OnStylusUp(POINT point) {
  const int index = pressed_;
  pressed_ = -1;
  if (GetCapture() == hwnd()) ReleaseCapture();
  if (!Valid(index)) return;
  TBBUTTON& button = buttons_[static_cast<std::size_t>(index)];
  button.fsState &= ~TBSTATE_PRESSED;
  Redraw();
  const RECT rect = ItemRect(index);
  if (PtInRect(&rect, point) && IsEnabled(button)) Click(index);
}

void Toolbar::Click(int index) {
  TBBUTTON& button = buttons_[static_cast<std::size_t>(index)];
  if ((button.fsStyle & TBSTYLE_CHECKGROUP) == TBSTYLE_CHECKGROUP) {
    // One checked button in the run of group buttons around it.
    int first = index;
    while (first > 0 && (buttons_[static_cast<std::size_t>(first - 1)].fsStyle & TBSTYLE_GROUP)) {
      --first;
    }
    for (std::size_t i = static_cast<std::size_t>(first);
         i < buttons_.size() && (buttons_[i].fsStyle & TBSTYLE_GROUP); ++i) {
      buttons_[i].fsState &= ~TBSTATE_CHECKED;
    }
    button.fsState |= TBSTATE_CHECKED;
  } else if (button.fsStyle & TBSTYLE_CHECK) {
    button.fsState ^= TBSTATE_CHECKED;
  }
  Command(button.idCommand, 0);
}

void Toolbar::PaintButton(HDC dc, int index) const {
  const TBBUTTON& button = buttons_[static_cast<std::size_t>(index)];
  if (IsHidden(button)) return;
  const RECT rect = ItemRect(index);
  if (IsSeparator(button)) {
    const int middle = (rect.left + rect.right) / 2;
    Line(dc, middle, rect.top + 2, middle, rect.bottom - 2, GetSysColor(COLOR_BTNSHADOW));
    return;
  }
  const bool down = (button.fsState & (TBSTATE_PRESSED | TBSTATE_CHECKED)) != 0;
  if (button.fsState & TBSTATE_CHECKED) FillColor(dc, rect, GetSysColor(COLOR_3DLIGHT));
  if (down || !(Style() & TBSTYLE_FLAT)) DrawEdge3d(dc, rect, down);
  HIMAGELIST images = Images();
  if (!images || button.iBitmap < 0 || button.iBitmap >= ImageList_GetImageCount(images)) return;
  int cx = 0, cy = 0;
  ImageList_GetIconSize(images, &cx, &cy);
  const int shift = down ? 1 : 0;
  const int x = rect.left + (rect.right - rect.left - cx) / 2 + shift;
  const int y = rect.top + (rect.bottom - rect.top - cy) / 2 + shift;
  ImageList_Draw(images, button.iBitmap, dc, x, y, ILD_TRANSPARENT);
  if (!IsEnabled(button)) {
    const COLORREF background = (button.fsState & TBSTATE_CHECKED) ? GetSysColor(COLOR_3DLIGHT)
                                                                   : GetSysColor(COLOR_BTNFACE);
    GreyOut(dc, RECT{x, y, x + cx, y + cy}, background);
  }
}

void Toolbar::Paint(HDC dc) {
  RECT client;
  GetClientRect(hwnd(), &client);
  FillColor(dc, client, GetSysColor(COLOR_BTNFACE));
  if (!(Style() & CCS_NODIVIDER)) Line(dc, 0, 0, client.right, 0, GetSysColor(COLOR_BTNSHADOW));
  for (int i = 0; i < static_cast<int>(buttons_.size()); ++i) PaintButton(dc, i);
}

std::optional<LRESULT> Toolbar::OnMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      AutoSize();
      return 0;
    case WM_DESTROY:
      images_.Reset();
      return 0;
    case WM_CAPTURECHANGED:
      CaptureLost();
      return 0;
    default:
      break;
  }
  if (auto result = HandleButtonMessage(message, wparam, lparam)) return result;
  return HandleLayoutMessage(message, wparam, lparam);
}

std::optional<LRESULT> Toolbar::HandleButtonMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  const int command = static_cast<int>(wparam);
  const bool on = LOWORD(static_cast<std::uintptr_t>(lparam)) != 0;
  switch (message) {
    case TB_ADDBUTTONS:
      return AddButtons(wparam, reinterpret_cast<const TBBUTTON*>(lparam));
    case TB_INSERTBUTTON:
      if (!lparam) return FALSE;
      return Insert(command, *reinterpret_cast<const TBBUTTON*>(lparam));
    case TB_DELETEBUTTON:
      return Delete(command);
    case TB_GETBUTTON:
      if (!Valid(command) || !lparam) return FALSE;
      *reinterpret_cast<TBBUTTON*>(lparam) = buttons_[wparam];
      return TRUE;
    case TB_BUTTONCOUNT:
      return static_cast<LRESULT>(buttons_.size());
    case TB_COMMANDTOINDEX:
      return IndexOf(command);
    case TB_ENABLEBUTTON:
      return ChangeState(command, TBSTATE_ENABLED, on);
    case TB_CHECKBUTTON:
      return ChangeState(command, TBSTATE_CHECKED, on);
    case TB_PRESSBUTTON:
      return ChangeState(command, TBSTATE_PRESSED, on);
    case TB_HIDEBUTTON:
      return ChangeState(command, TBSTATE_HIDDEN, on);
    case TB_ISBUTTONENABLED:
      return HasState(command, TBSTATE_ENABLED);
    case TB_ISBUTTONCHECKED:
      return HasState(command, TBSTATE_CHECKED);
    case TB_ISBUTTONPRESSED:
      return HasState(command, TBSTATE_PRESSED);
    case TB_ISBUTTONHIDDEN:
      return HasState(command, TBSTATE_HIDDEN);
    case TB_SETSTATE:
      return SetState(command, static_cast<BYTE>(LOWORD(static_cast<std::uintptr_t>(lparam))));
    case TB_GETSTATE: {
      const TBBUTTON* button = Find(command);
      return button ? button->fsState : -1;
    }
    case TB_GETITEMRECT:
      return GetRect(command, reinterpret_cast<RECT*>(lparam));
    case TB_GETRECT:
      return GetRect(IndexOf(command), reinterpret_cast<RECT*>(lparam));
    case TB_HITTEST:
      return lparam ? HitTest(*reinterpret_cast<const POINT*>(lparam)) : -1;
    default:
      return std::nullopt;
  }
}

std::optional<LRESULT> Toolbar::HandleLayoutMessage(UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case TB_BUTTONSTRUCTSIZE:
      return 0;
    case TB_ADDBITMAP:
      return AddBitmap(static_cast<int>(wparam), reinterpret_cast<const TBADDBITMAP*>(lparam));
    case TB_SETBUTTONSIZE:
      button_size_ = SizeFrom(lparam);
      AutoSize();
      Redraw();
      return TRUE;
    case TB_GETBUTTONSIZE:
      return static_cast<LRESULT>(
          MAKELONG(static_cast<WORD>(button_size_.cx), static_cast<WORD>(button_size_.cy)));
    case TB_SETBITMAPSIZE:
      return SetBitmapSize(SizeFrom(lparam));
    case TB_SETIMAGELIST: {
      HIMAGELIST old = std::exchange(images_set_, reinterpret_cast<HIMAGELIST>(lparam));
      Redraw();
      return reinterpret_cast<LRESULT>(old);
    }
    case TB_GETIMAGELIST:
      return reinterpret_cast<LRESULT>(Images());
    case TB_AUTOSIZE:
      AutoSize();
      return 0;
    default:
      return std::nullopt;
  }
}

BOOL Toolbar::AddButtons(WPARAM count, const TBBUTTON* added) {
  if (!added) return FALSE;
  for (WPARAM i = 0; i < count; ++i) Insert(-1, added[i]);
  return TRUE;
}

BOOL Toolbar::HasState(int command, BYTE bit) {
  const TBBUTTON* button = Find(command);
  return button && (button->fsState & bit) != 0;
}

BOOL Toolbar::SetState(int command, BYTE state) {
  TBBUTTON* button = Find(command);
  if (!button) return FALSE;
  button->fsState = state;
  Redraw();
  return TRUE;
}

BOOL Toolbar::GetRect(int index, RECT* rect) const {
  if (!Valid(index) || !rect) return FALSE;
  *rect = ItemRect(index);
  return TRUE;
}

BOOL Toolbar::SetBitmapSize(SIZE size) {
  // The images are cut at this size, so it only counts before the first
  // strip is added.
  if (images_.get() || images_set_) return FALSE;
  bitmap_size_ = size;
  button_size_ = {std::max(button_size_.cx, bitmap_size_.cx + 7),
                  std::max(button_size_.cy, bitmap_size_.cy + 7)};
  return TRUE;
}

void Toolbar::CaptureLost() {
  if (!Valid(pressed_)) return;
  buttons_[static_cast<std::size_t>(pressed_)].fsState &= ~TBSTATE_PRESSED;
  pressed_ = -1;
  Redraw();
}

}  // namespace platform::common_controls
