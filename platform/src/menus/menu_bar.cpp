// The shell's menu bar window: buttons from its menu's top-level items,
// drop-down menus, toolbar images and the input-panel button.
#include "platform/menu_bar.h"

#include <set>
#include <vector>

#include "dialogs/window_state_map.h"
#include "menus/menu_drawing.h"
#include "menus/menu_store.h"
#include "platform/common_controls/toolbar.h"
#include "platform/gdi.h"
#include "platform/last_error.h"
#include "platform/screen.h"
#include "platform/shell_state.h"
#include "platform/window_paint.h"

namespace platform {

namespace {

using menus::MenuItem;

// The toolbar messages the bar answers for its command buttons.
constexpr UINT kEnableButton = WM_USER + 1;
constexpr UINT kCheckButton = WM_USER + 2;
constexpr UINT kPressButton = WM_USER + 3;
constexpr UINT kHideButton = WM_USER + 4;
constexpr UINT kIsButtonEnabled = WM_USER + 9;
constexpr UINT kIsButtonChecked = WM_USER + 10;
constexpr UINT kIsButtonPressed = WM_USER + 11;
constexpr UINT kIsButtonHidden = WM_USER + 12;

constexpr int kImageButtonWidth = 26;
constexpr int kTextPadding = 14;
constexpr int kInputPanelButtonWidth = 26;

struct BarState {
  BarState() = default;
  ~BarState() {
    if (menu) DestroyMenu(menu);
    if (bitmap) DeleteObject(bitmap);
  }
  BarState(const BarState&) = delete;
  BarState& operator=(const BarState&) = delete;

  HWND parent = nullptr;
  HMENU menu = nullptr;
  HBITMAP bitmap = nullptr;
  int image_count = 0;
  std::map<UINT, int> images;  // command id -> image of the bitmap
  std::set<UINT> hidden;
  std::set<UINT> checked;
  std::set<UINT> check_buttons;  // toggled by a tap
  bool hide_input_panel_button = false;
  COLORREF background = menus::kBarColor;
  int pressed = -1;  // the command button under the stylus
};

class MenuBars : public dialogs::WindowStateMap<BarState> {
 public:
  explicit MenuBars(Handheld&) {}
  static MenuBars& Get() { return Handheld::Current().GetService<MenuBars>(); }
};

struct Button {
  RECT rect;
  MenuItem item;
  int image = -1;
  bool checked = false;
};

std::vector<Button> Buttons(const BarState& state) {
  std::vector<Button> buttons;
  auto items = menus::MenuStore::Get().Snapshot(state.menu);
  if (!items) return buttons;
  int left = 0;
  for (const MenuItem& item : *items) {
    if (item.separator()) {
      left += 4;
      continue;
    }
    if (!item.submenu && state.hidden.contains(item.id)) continue;
    Button button;
    button.item = item;
    auto image = state.images.find(item.id);
    if (!item.submenu && image != state.images.end() && state.bitmap) button.image = image->second;
    const int width =
        button.image >= 0 ? kImageButtonWidth : menus::LabelWidth(item.text) + kTextPadding;
    button.rect = RECT{left, 0, left + width, shell::kMenuBarHeight};
    button.checked = state.checked.contains(item.id);
    buttons.push_back(button);
    left += width;
  }
  return buttons;
}

RECT InputPanelButtonRect() {
  return RECT{screen::kWidth - kInputPanelButtonWidth, 0, screen::kWidth, shell::kMenuBarHeight};
}

bool InputPanelButtonShown(const BarState& state) {
  return !state.hide_input_panel_button && shell::InputPanelButtonShown();
}

void DrawImage(HDC dc, const BarState& state, int image, const RECT& rect) {
  BITMAP info;
  if (!GetObject(state.bitmap, sizeof info, &info) || state.image_count <= 0) return;
  const int width = info.bmWidth / state.image_count;
  HDC source = CreateCompatibleDC(dc);
  HGDIOBJ previous = SelectObject(source, state.bitmap);
  const int x = (rect.left + rect.right - width) / 2;
  const int y = (rect.top + rect.bottom - info.bmHeight) / 2;
  BitBlt(dc, x, y, width, info.bmHeight, source, image * width, 0, SRCCOPY);
  SelectObject(source, previous);
  DeleteDC(source);
}

// A small keyboard: the input panel's button.
void DrawKeyboard(HDC dc, const RECT& rect) {
  const int left = rect.left + 4, top = rect.top + 7;
  menus::FillWith(dc, RECT{left, top, left + 18, top + 12}, menus::kMenuTextColor);
  for (int row = 0; row < 2; ++row) {
    for (int key = 0; key < 4; ++key) {
      const int x = left + 2 + key * 4, y = top + 2 + row * 4;
      menus::FillWith(dc, RECT{x, y, x + 2, y + 2}, menus::kMenuColor);
    }
  }
}

void PaintBar(HWND bar, const BarState& state) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(bar, &paint);
  RECT client;
  GetClientRect(bar, &client);
  menus::FillWith(dc, client, state.background);
  menus::FillWith(dc, RECT{0, 0, client.right, 1}, menus::kGrayedTextColor);
  menus::MenuFont font(dc, FW_BOLD);
  const std::vector<Button> buttons = Buttons(state);
  for (std::size_t index = 0; index < buttons.size(); ++index) {
    const Button& button = buttons[index];
    const bool down = button.checked || static_cast<int>(index) == state.pressed;
    if (down) menus::FillWith(dc, button.rect, menus::kGrayedTextColor);
    if (button.image >= 0) {
      DrawImage(dc, state, button.image, button.rect);
    } else {
      menus::DrawLabel(dc, button.item.text, button.rect,
                       button.item.grayed() ? menus::kGrayedTextColor : menus::kMenuTextColor,
                       DT_CENTER);
    }
  }
  if (InputPanelButtonShown(state)) DrawKeyboard(dc, InputPanelButtonRect());
  EndPaint(bar, &paint);
}

int ButtonAt(const std::vector<Button>& buttons, POINT point) {
  for (std::size_t index = 0; index < buttons.size(); ++index) {
    if (PtInRect(&buttons[index].rect, point)) return static_cast<int>(index);
  }
  return -1;
}

void DropDown(HWND bar, BarState& state, const Button& button) {
  POINT corner{button.rect.left, 0};
  ClientToScreen(bar, &corner);
  TrackPopupMenuEx(button.item.submenu, TPM_LEFTALIGN | TPM_BOTTOMALIGN, corner.x, corner.y,
                   state.parent, nullptr);
}

void StylusDown(HWND bar, BarState& state, POINT point) {
  const std::vector<Button> buttons = Buttons(state);
  const int index = ButtonAt(buttons, point);
  if (index < 0) return;
  const Button& button = buttons[static_cast<std::size_t>(index)];
  if (button.item.grayed()) return;
  if (button.item.submenu) {
    DropDown(bar, state, button);
    return;
  }
  state.pressed = index;
  SetCapture(bar);
  InvalidateRect(bar, nullptr, FALSE);
}

void StylusUp(HWND bar, BarState& state, POINT point) {
  if (state.pressed >= 0) {
    const std::vector<Button> buttons = Buttons(state);
    const int pressed = state.pressed;
    state.pressed = -1;
    ReleaseCapture();
    InvalidateRect(bar, nullptr, FALSE);
    // A press that leaves the button before the stylus lifts sends nothing.
    if (ButtonAt(buttons, point) == pressed) {
      const UINT id = buttons[static_cast<std::size_t>(pressed)].item.id;
      if (state.check_buttons.contains(id) && !state.checked.erase(id)) state.checked.insert(id);
      PostMessage(state.parent, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), 0),
                  reinterpret_cast<LPARAM>(bar));
    }
    return;
  }
  const RECT panel_button = InputPanelButtonRect();
  if (InputPanelButtonShown(state) && PtInRect(&panel_button, point)) {
    SipShowIM(shell::InputPanelShown() ? SIPF_OFF : SIPF_ON);
  }
}

LRESULT SetFlag(HWND bar, std::set<UINT>& flags, UINT id, bool on) {
  if (on) {
    flags.insert(id);
  } else {
    flags.erase(id);
  }
  InvalidateRect(bar, nullptr, FALSE);
  return TRUE;
}

LRESULT BarProcedure(HWND bar, UINT message, WPARAM wparam, LPARAM lparam) {
  std::shared_ptr<BarState> state = MenuBars::Get().Find(bar);
  if (!state) return DefWindowProc(bar, message, wparam, lparam);
  const POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  const UINT id = static_cast<UINT>(wparam);
  switch (message) {
    case WM_PAINT:
      PaintBar(bar, *state);
      return 0;
    case WM_LBUTTONDOWN:
      StylusDown(bar, *state, point);
      return 0;
    case WM_LBUTTONUP:
      StylusUp(bar, *state, point);
      return 0;
    case WM_DESTROY:
      MenuBars::Get().Remove(bar);
      return 0;
    case SHCMBM_GETSUBMENU: {
      auto place =
          menus::MenuStore::Get().Locate(state->menu, static_cast<UINT>(lparam), MF_BYCOMMAND);
      if (!place) return 0;
      return reinterpret_cast<LRESULT>(GetSubMenu(place->menu, static_cast<int>(place->index)));
    }
    case SHCMBM_GETMENU:
      return reinterpret_cast<LRESULT>(state->menu);
    case kEnableButton:
      EnableMenuItem(state->menu, id, LOWORD(lparam) ? MF_ENABLED : MF_GRAYED);
      InvalidateRect(bar, nullptr, FALSE);
      return TRUE;
    case kCheckButton:
    case kPressButton:
      return SetFlag(bar, state->checked, id, LOWORD(lparam) != 0);
    case kHideButton:
      return SetFlag(bar, state->hidden, id, LOWORD(lparam) != 0);
    case TB_SETBUTTONINFO: {
      const auto* info = reinterpret_cast<const TBBUTTONINFO*>(lparam);
      if (!info) return FALSE;
      if (info->dwMask & TBIF_STYLE) {
        SetFlag(bar, state->check_buttons, id, (info->fsStyle & TBSTYLE_CHECK) != 0);
      }
      if (info->dwMask & TBIF_STATE) {
        SetFlag(bar, state->checked, id, (info->fsState & TBSTATE_CHECKED) != 0);
      }
      return TRUE;
    }
    case kIsButtonEnabled: {
      const UINT flags = GetMenuState(state->menu, id, MF_BYCOMMAND);
      return flags != static_cast<UINT>(-1) && !(flags & (MF_GRAYED | MF_DISABLED));
    }
    case kIsButtonChecked:
    case kIsButtonPressed:
      return state->checked.contains(id);
    case kIsButtonHidden:
      return state->hidden.contains(id);
    default:
      return DefWindowProc(bar, message, wparam, lparam);
  }
}

// The bar's state from the caller's record; null (with the last error)
// when a resource is missing.
std::shared_ptr<BarState> MakeState(const SHMENUBARINFO& info) {
  auto state = std::make_shared<BarState>();
  state->parent = info.hwndParent;
  state->hide_input_panel_button = (info.dwFlags & SHCMBF_HIDESIPBUTTON) != 0;
  if (info.dwFlags & SHCMBF_COLORBK) state->background = info.clrBk;
  if (info.dwFlags & SHCMBF_EMPTYBAR) {
    state->menu = CreateMenu();
    return state;
  }
  std::shared_ptr<const MenuTemplate> found = FindMenuTemplate(info.hInstRes, info.nToolBarId);
  if (!found) return nullptr;
  state->menu = LoadMenuIndirect(found.get());
  if (!state->menu) return nullptr;
  for (const MenuItemTemplate& item : found->items) {
    if (item.image >= 0 && item.items.empty()) state->images[item.id] = item.image;
  }
  if (info.nBmpId && info.cBmpImages > 0) {
    state->bitmap = LoadBitmap(info.hInstRes, info.nBmpId);
    if (!state->bitmap) return nullptr;
    state->image_count = info.cBmpImages;
  }
  return state;
}

void RegisterBarClass() {
  WNDCLASS bar;
  bar.lpszClassName = shell::kMenuBarClass;
  bar.lpfnWndProc = BarProcedure;
  RegisterClass(&bar);  // there already after the first bar: fine
}

}  // namespace

BOOL SHCreateMenuBar(SHMENUBARINFO* info) {
  if (!info || !IsWindow(info->hwndParent)) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return FALSE;
  }
  info->hwndMB = nullptr;
  std::shared_ptr<BarState> state = MakeState(*info);
  if (!state) return FALSE;
  RegisterBarClass();
  if (HWND earlier = SHFindMenuBar(info->hwndParent)) DestroyWindow(earlier);
  // Owned by its window: it comes forward and goes with it.
  const DWORD style = WS_POPUP | ((info->dwFlags & SHCMBF_HIDDEN) ? 0 : WS_VISIBLE);
  HWND bar = CreateWindowEx(WS_EX_NOACTIVATE, shell::kMenuBarClass, "", style, 0,
                            screen::kHeight - shell::kMenuBarHeight, screen::kWidth,
                            shell::kMenuBarHeight, info->hwndParent, nullptr, nullptr, nullptr);
  if (!bar) return FALSE;
  MenuBars::Get().Add(bar, state);
  InvalidateRect(bar, nullptr, TRUE);
  info->hwndMB = bar;
  return TRUE;
}

HWND SHFindMenuBar(HWND hwnd) {
  HWND found = nullptr;
  EnumWindows(
      [&](HWND candidate, LPARAM) {
        std::shared_ptr<BarState> state = MenuBars::Get().Find(candidate);
        if (state && state->parent == hwnd) {
          found = candidate;
          return FALSE;
        }
        return TRUE;
      },
      0);
  return found;
}

}  // namespace platform
