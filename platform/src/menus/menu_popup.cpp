// Pop-up menus on the screen: a column of items per open level (a sub-menu
// opens beside its item), run by their own loop until an item is chosen or
// the menu is dismissed.
#include <algorithm>
#include <vector>

#include "menus/menu_drawing.h"
#include "menus/menu_store.h"
#include "platform/modal_loop.h"
#include "platform/screen.h"
#include "platform/window_paint.h"

namespace platform {

namespace {

using menus::MenuItem;

constexpr char kPopupClass[] = "MenuPopup";
constexpr int kItemHeight = 20;
constexpr int kSeparatorHeight = 7;
constexpr int kCheckWidth = 18;
constexpr int kArrowWidth = 14;
constexpr int kMinimumWidth = 80;

struct Level {
  HMENU menu = nullptr;
  std::vector<MenuItem> items;
  std::vector<RECT> rows;  // client coordinates
  HWND window = nullptr;
  int highlighted = -1;
};

struct Tracking {
  HWND owner = nullptr;
  UINT flags = 0;
  std::vector<Level> levels;
  bool ended = false;
  UINT chosen = 0;
};

bool Selectable(const MenuItem& item) { return !item.separator() && !item.grayed(); }

Tracking* TrackingOf(HWND popup) {
  return reinterpret_cast<Tracking*>(GetWindowLongPtr(popup, GWLP_USERDATA));
}

int LevelOf(const Tracking& tracking, HWND popup) {
  for (std::size_t index = 0; index < tracking.levels.size(); ++index) {
    if (tracking.levels[index].window == popup) return static_cast<int>(index);
  }
  return -1;
}

int RowAt(const Level& level, POINT point) {
  for (std::size_t row = 0; row < level.rows.size(); ++row) {
    if (PtInRect(&level.rows[row], point)) return static_cast<int>(row);
  }
  return -1;
}

void PaintLevel(HWND popup, const Level& level) {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(popup, &paint);
  RECT client;
  GetClientRect(popup, &client);
  menus::FillWith(dc, client, menus::kMenuColor);
  menus::MenuFont font(dc);
  for (std::size_t row = 0; row < level.items.size(); ++row) {
    const MenuItem& item = level.items[row];
    const RECT& rect = level.rows[row];
    if (item.separator()) {
      const int middle = (rect.top + rect.bottom) / 2;
      menus::FillWith(dc, RECT{rect.left + 2, middle, rect.right - 2, middle + 1},
                      menus::kGrayedTextColor);
      continue;
    }
    const bool lit = static_cast<int>(row) == level.highlighted && Selectable(item);
    if (lit) menus::FillWith(dc, rect, menus::kHighlightColor);
    const COLORREF text_color = item.grayed() ? menus::kGrayedTextColor
                                : lit         ? menus::kHighlightTextColor
                                              : menus::kMenuTextColor;
    if (item.checked()) {
      menus::DrawCheckMark(dc, RECT{rect.left, rect.top, rect.left + kCheckWidth, rect.bottom},
                           text_color);
    }
    menus::DrawLabel(dc, item.text,
                     RECT{rect.left + kCheckWidth, rect.top, rect.right - kArrowWidth, rect.bottom},
                     text_color, DT_LEFT);
    if (item.submenu) {
      menus::DrawLabel(dc, ">", RECT{rect.right - kArrowWidth, rect.top, rect.right, rect.bottom},
                       text_color, DT_CENTER);
    }
  }
  EndPaint(popup, &paint);
}

void CloseLevelsAfter(Tracking& tracking, std::size_t keep) {
  while (tracking.levels.size() > keep) {
    HWND window = tracking.levels.back().window;
    tracking.levels.pop_back();
    if (IsWindow(window)) DestroyWindow(window);
  }
}

void End(Tracking& tracking, UINT chosen) {
  tracking.chosen = chosen;
  tracking.ended = true;
}

void OpenLevel(Tracking& tracking, HMENU menu, POINT at, UINT flags, const RECT* beside);

// What choosing a row does: a command ends the menu, a sub-menu opens.
void Choose(Tracking& tracking, std::size_t level_index, int row) {
  if (row < 0) return;
  Level& level = tracking.levels[level_index];
  const MenuItem item = level.items[static_cast<std::size_t>(row)];
  if (!Selectable(item)) return;  // a greyed item sends nothing
  if (!item.submenu) {
    End(tracking, item.id);
    return;
  }
  CloseLevelsAfter(tracking, level_index + 1);
  // Beside the item, outside the popup's border.
  RECT beside = level.rows[static_cast<std::size_t>(row)];
  MapWindowPoints(level.window, nullptr, reinterpret_cast<POINT*>(&beside), 2);
  RECT frame;
  GetWindowRect(level.window, &frame);
  beside.left = frame.left;
  beside.right = frame.right;
  OpenLevel(tracking, item.submenu, POINT{beside.right, beside.top}, TPM_LEFTALIGN | TPM_TOPALIGN,
            &beside);
}

void Highlight(Tracking& tracking, std::size_t level_index, int row) {
  Level& level = tracking.levels[level_index];
  if (level.highlighted == row) return;
  level.highlighted = row;
  InvalidateRect(level.window, nullptr, TRUE);
}

LRESULT PopupProcedure(HWND popup, UINT message, WPARAM wparam, LPARAM lparam) {
  Tracking* tracking = TrackingOf(popup);
  const int level_index = tracking ? LevelOf(*tracking, popup) : -1;
  if (level_index < 0) return DefWindowProc(popup, message, wparam, lparam);
  const std::size_t index = static_cast<std::size_t>(level_index);
  const POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  switch (message) {
    case WM_PAINT:
      PaintLevel(popup, tracking->levels[index]);
      return 0;
    case WM_LBUTTONDOWN:
    case WM_MOUSEMOVE:
      Highlight(*tracking, index, RowAt(tracking->levels[index], point));
      return 0;
    case WM_LBUTTONUP:
      Choose(*tracking, index, RowAt(tracking->levels[index], point));
      return 0;
    default:
      return DefWindowProc(popup, message, wparam, lparam);
  }
}

// The rows of a level and the popup's size around them.
SIZE LayOut(Level& level) {
  int width = kMinimumWidth;
  for (const MenuItem& item : level.items) {
    if (!item.separator()) {
      width = std::max(width, menus::LabelWidth(item.text) + kCheckWidth + kArrowWidth + 4);
    }
  }
  width = std::min(width, screen::kWidth - 2);
  int top = 0;
  for (const MenuItem& item : level.items) {
    const int height = item.separator() ? kSeparatorHeight : kItemHeight;
    level.rows.push_back(RECT{0, top, width, top + height});
    top += height;
  }
  return SIZE{width + 2, top + 2};  // the border
}

// The popup's place: at the point as the alignment flags say, beside
// `beside` (a sub-menu's item, screen coordinates) when given, and kept on
// the screen.
POINT Place(SIZE size, POINT at, UINT flags, const RECT* beside) {
  POINT place = at;
  if (flags & TPM_RIGHTALIGN) place.x -= size.cx;
  if (flags & TPM_CENTERALIGN) place.x -= size.cx / 2;
  if (flags & TPM_BOTTOMALIGN) place.y -= size.cy;
  if (flags & TPM_VCENTERALIGN) place.y -= size.cy / 2;
  if (beside && place.x + size.cx > screen::kWidth) place.x = beside->left - size.cx;
  place.x = std::clamp<LONG>(place.x, 0, std::max(0, screen::kWidth - size.cx));
  place.y = std::clamp<LONG>(place.y, 0, std::max(0, screen::kHeight - size.cy));
  return place;
}

void OpenLevel(Tracking& tracking, HMENU menu, POINT at, UINT flags, const RECT* beside) {
  if (!(tracking.flags & TPM_NONOTIFY) && tracking.owner) {
    SendMessage(tracking.owner, WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(menu),
                MAKELPARAM(static_cast<WORD>(tracking.levels.size()), 0));
  }
  auto items = menus::MenuStore::Get().Snapshot(menu);
  if (!items || items->empty()) return;
  Level level;
  level.menu = menu;
  level.items = std::move(*items);
  const SIZE size = LayOut(level);
  const POINT place = Place(size, at, flags, beside);
  HWND owner = tracking.owner ? GetAncestor(tracking.owner, GA_ROOT) : nullptr;
  level.window =
      CreateWindowEx(WS_EX_TOPMOST | WS_EX_NOACTIVATE, kPopupClass, "", WS_POPUP | WS_BORDER,
                     place.x, place.y, size.cx, size.cy, owner, nullptr, nullptr, nullptr);
  if (!level.window) return;
  HWND window = level.window;
  tracking.levels.push_back(std::move(level));
  SetWindowLongPtr(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&tracking));
  ShowWindow(window, SW_SHOWNOACTIVATE);
}

void MoveHighlight(Tracking& tracking, int step) {
  const std::size_t index = tracking.levels.size() - 1;
  Level& level = tracking.levels[index];
  const int count = static_cast<int>(level.items.size());
  int row = level.highlighted;
  for (int tries = 0; tries < count; ++tries) {
    row = ((row < 0 && step < 0 ? count : row) + step + count) % count;
    if (Selectable(level.items[static_cast<std::size_t>(row)])) break;
  }
  Highlight(tracking, index, row);
}

// Keys and taps outside while the menu runs; true when the message is the
// menu's.
bool MenuPreTranslation(Tracking& tracking, const MSG& msg) {
  if (tracking.levels.empty()) return false;
  const bool on_popup = LevelOf(tracking, msg.hwnd) >= 0;
  if (msg.message == WM_LBUTTONDOWN && !on_popup) {
    // A tap elsewhere dismisses the menu and is used up by it.
    End(tracking, 0);
    return true;
  }
  if (msg.message != WM_KEYDOWN) return false;
  const std::size_t deepest = tracking.levels.size() - 1;
  switch (msg.wParam) {
    case VK_ESCAPE:
    case VK_LEFT:
      if (deepest == 0) {
        if (msg.wParam == VK_ESCAPE) End(tracking, 0);
      } else {
        CloseLevelsAfter(tracking, deepest);
      }
      return true;
    case VK_UP:
      MoveHighlight(tracking, -1);
      return true;
    case VK_DOWN:
      MoveHighlight(tracking, 1);
      return true;
    case VK_RETURN:
    case VK_ACTION:
    case VK_RIGHT:
      Choose(tracking, deepest, tracking.levels[deepest].highlighted);
      return true;
    default:
      return true;  // other keys do nothing while a menu is open
  }
}

void RegisterPopupClass() {
  WNDCLASS popup;
  popup.lpszClassName = kPopupClass;
  popup.lpfnWndProc = PopupProcedure;
  RegisterClass(&popup);  // there already after the first menu: fine
}

}  // namespace

BOOL TrackPopupMenuEx(HMENU menu, UINT flags, int x, int y, HWND owner, const TPMPARAMS*) {
  if (!IsMenu(menu)) {
    SetLastError(ERROR_INVALID_MENU_HANDLE);
    return FALSE;
  }
  RegisterPopupClass();
  Tracking tracking;
  tracking.owner = owner;
  tracking.flags = flags;
  OpenLevel(tracking, menu, POINT{x, y}, flags, nullptr);
  if (tracking.levels.empty()) return FALSE;
  RunModalLoop(
      [&] { return tracking.ended || (owner && !IsWindow(owner)) || tracking.levels.empty(); },
      [&](MSG& msg) { return MenuPreTranslation(tracking, msg); });
  CloseLevelsAfter(tracking, 0);
  if (flags & TPM_RETURNCMD) return static_cast<BOOL>(tracking.chosen);
  if (tracking.chosen && owner && IsWindow(owner)) {
    PostMessage(owner, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(tracking.chosen), 0), 0);
  }
  return tracking.chosen != 0;
}

BOOL TrackPopupMenu(HMENU menu, UINT flags, int x, int y, int, HWND owner, const RECT*) {
  return TrackPopupMenuEx(menu, flags, x, y, owner, nullptr);
}

}  // namespace platform
