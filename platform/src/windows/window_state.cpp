// Showing, moving and enabling windows; their rectangles, data and texts.
#include <algorithm>
#include <cstring>

#include "platform/last_error.h"
#include "platform/screen.h"
#include "windows/activation.h"
#include "windows/window_manager.h"

namespace platform {

using windows::Window;
using windows::WindowManager;

namespace {

inline constexpr DWORD ERROR_INVALID_INDEX = 1413;

LPARAM PackPoint(LONG x, LONG y) { return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y)); }

bool IsTopLevel(const Window& window) { return window.parent == nullptr; }

}  // namespace

// --- Showing -------------------------------------------------------------------

BOOL ShowWindow(HWND hwnd, int command) {
  WindowManager& manager = WindowManager::Get();
  const bool show = command != SW_HIDE;
  bool was_visible = false;
  bool activate = false;
  bool deactivate = false;
  HWND lost_focus = nullptr;
  {
    auto lock = manager.kernel().Acquire();
    Window* window = manager.Find(lock, hwnd);
    if (!window) {
      lock.unlock();
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    was_visible = (window->style & WS_VISIBLE) != 0;
    activate = show && IsTopLevel(*window) && !window->destroying && command != SW_SHOWNA &&
               command != SW_SHOWNOACTIVATE && !(window->ex_style & WS_EX_NOACTIVATE) &&
               manager.active != hwnd;
    if (was_visible == show && !activate) return was_visible ? TRUE : FALSE;
  }
  if (was_visible != show) SendMessage(hwnd, WM_SHOWWINDOW, show ? TRUE : FALSE, 0);
  {
    auto lock = manager.kernel().Acquire();
    Window* window = manager.Find(lock, hwnd);
    if (!window) return was_visible ? TRUE : FALSE;
    manager.ChangeLayout(lock, [&] {
      if (show) {
        window->style |= WS_VISIBLE;
      } else {
        window->style &= ~WS_VISIBLE;
      }
    });
    if (!show) {
      if (manager.focus && manager.Within(lock, manager.focus, hwnd)) {
        lost_focus = manager.focus;
        manager.focus = nullptr;
      }
      deactivate = manager.active == hwnd;
    }
  }
  if (lost_focus) windows::Notify(lost_focus, WM_KILLFOCUS, 0, 0);
  if (deactivate) windows::ActivateAnother(hwnd);
  if (activate) SetActiveWindow(hwnd);
  return was_visible ? TRUE : FALSE;
}

BOOL IsWindowVisible(HWND hwnd) {
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  const Window* window = manager.Find(lock, hwnd);
  return window && manager.Visible(lock, *window) ? TRUE : FALSE;
}

// --- Moving --------------------------------------------------------------------

BOOL SetWindowPos(HWND hwnd, HWND insert_after, int x, int y, int width, int height, UINT flags) {
  WindowManager& manager = WindowManager::Get();
  bool moved = false;
  bool sized = false;
  bool raise = false;
  RECT rect;
  RECT client;
  if (flags & SWP_SHOWWINDOW) ShowWindow(hwnd, SW_SHOWNA);
  if (flags & SWP_HIDEWINDOW) ShowWindow(hwnd, SW_HIDE);
  {
    auto lock = manager.kernel().Acquire();
    Window* window = manager.Find(lock, hwnd);
    if (!window) {
      lock.unlock();
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    RECT target = window->rect;
    if (!(flags & SWP_NOMOVE)) OffsetRect(&target, x - target.left, y - target.top);
    if (!(flags & SWP_NOSIZE)) {
      target.right = target.left + std::max(width, 0);
      target.bottom = target.top + std::max(height, 0);
    }
    moved = target.left != window->rect.left || target.top != window->rect.top;
    sized = target.right - target.left != window->rect.right - window->rect.left ||
            target.bottom - target.top != window->rect.bottom - window->rect.top;
    const bool restack = !(flags & SWP_NOZORDER);
    auto change = [&] {
      window->rect = target;
      if (!restack) return;
      if (insert_after == HWND_TOPMOST) window->ex_style |= WS_EX_TOPMOST;
      if (insert_after == HWND_NOTOPMOST) window->ex_style &= ~WS_EX_TOPMOST;
      manager.Restack(lock, *window, insert_after);
    };
    if (flags & SWP_NOREDRAW) {
      change();
    } else {
      manager.ChangeLayout(lock, change);
    }
    raise = restack && !(flags & SWP_NOACTIVATE) && IsTopLevel(*window) &&
            (window->style & WS_VISIBLE) && !(window->ex_style & WS_EX_NOACTIVATE) &&
            (insert_after == HWND_TOP || insert_after == HWND_TOPMOST);
    rect = window->rect;
    client = WindowManager::ClientRect(*window);
  }
  if (sized) SendMessage(hwnd, WM_SIZE, SIZE_RESTORED, PackPoint(client.right, client.bottom));
  if (moved) SendMessage(hwnd, WM_MOVE, 0, PackPoint(rect.left, rect.top));
  if (moved || sized) SendMessage(hwnd, WM_WINDOWPOSCHANGED, 0, 0);
  if (raise) SetActiveWindow(hwnd);
  return TRUE;
}

BOOL MoveWindow(HWND hwnd, int x, int y, int width, int height, BOOL repaint) {
  return SetWindowPos(hwnd, nullptr, x, y, width, height,
                      SWP_NOZORDER | SWP_NOACTIVATE | (repaint ? 0 : SWP_NOREDRAW));
}

BOOL BringWindowToTop(HWND hwnd) {
  return SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

// --- Rectangles and points -------------------------------------------------------

namespace {

// A rectangle of a window read under the lock; the desktop is the screen.
template <class Read>
BOOL ReadWindowRect(HWND hwnd, RECT* rect, Read read) {
  if (!rect) return FALSE;
  if (hwnd == windows::kDesktopWindow) {
    *rect = {0, 0, screen::kWidth, screen::kHeight};
    return TRUE;
  }
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  const Window* window = manager.Find(lock, hwnd);
  if (!window) {
    lock.unlock();
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  *rect = read(manager, lock, *window);
  return TRUE;
}

}  // namespace

BOOL GetWindowRect(HWND hwnd, RECT* rect) {
  return ReadWindowRect(hwnd, rect,
                        [](WindowManager& manager, const auto& lock, const Window& window) {
                          return manager.ScreenRect(lock, window);
                        });
}

BOOL GetClientRect(HWND hwnd, RECT* rect) {
  return ReadWindowRect(hwnd, rect, [](WindowManager&, const auto&, const Window& window) {
    return WindowManager::ClientRect(window);
  });
}

namespace {

// Where the window's client (0,0) is on the screen.
std::optional<POINT> Origin(HWND hwnd) {
  if (!hwnd || hwnd == windows::kDesktopWindow) return POINT{0, 0};
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  const Window* window = manager.Find(lock, hwnd);
  if (!window) return std::nullopt;
  return manager.ClientOrigin(lock, *window);
}

}  // namespace

BOOL ClientToScreen(HWND hwnd, POINT* point) {
  auto origin = Origin(hwnd);
  if (!origin || !point) return FALSE;
  point->x += origin->x;
  point->y += origin->y;
  return TRUE;
}

BOOL ScreenToClient(HWND hwnd, POINT* point) {
  auto origin = Origin(hwnd);
  if (!origin || !point) return FALSE;
  point->x -= origin->x;
  point->y -= origin->y;
  return TRUE;
}

int MapWindowPoints(HWND from, HWND to, POINT* points, UINT count) {
  auto from_origin = Origin(from);
  auto to_origin = Origin(to);
  if (!from_origin || !to_origin) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  const LONG dx = from_origin->x - to_origin->x;
  const LONG dy = from_origin->y - to_origin->y;
  for (UINT i = 0; points && i < count; ++i) {
    points[i].x += dx;
    points[i].y += dy;
  }
  return static_cast<int>(MAKELONG(static_cast<WORD>(dx), static_cast<WORD>(dy)));
}

HWND WindowFromPoint(POINT point) {
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  manager.Sweep(lock);
  return manager.HitTest(lock, point);
}

HWND ChildWindowFromPoint(HWND parent, POINT point) {
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  const Window* window = manager.Find(lock, parent);
  if (!window) return nullptr;
  const RECT client = WindowManager::ClientRect(*window);
  if (!PtInRect(&client, point)) return nullptr;
  const POINT origin = manager.ClientOrigin(lock, *window);
  const POINT on_screen{point.x + origin.x, point.y + origin.y};
  for (HWND child : window->children) {
    const Window* c = manager.Find(lock, child);
    if (!c || !(c->style & WS_VISIBLE)) continue;
    RECT rect = manager.ScreenRect(lock, *c);
    if (PtInRect(&rect, on_screen)) return child;
  }
  return parent;
}

int GetSystemMetrics(int index) {
  if (index == SM_CXSCREEN) return screen::kWidth;
  if (index == SM_CYSCREEN) return screen::kHeight;
  return 0;
}

// --- Enabling --------------------------------------------------------------------

BOOL EnableWindow(HWND hwnd, BOOL enable) {
  WindowManager& manager = WindowManager::Get();
  bool was_disabled = false;
  HWND lost_focus = nullptr;
  {
    auto lock = manager.kernel().Acquire();
    Window* window = manager.Find(lock, hwnd);
    if (!window) {
      lock.unlock();
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    was_disabled = (window->style & WS_DISABLED) != 0;
    if (was_disabled == !enable) return was_disabled ? TRUE : FALSE;
    if (enable) {
      window->style &= ~WS_DISABLED;
    } else {
      window->style |= WS_DISABLED;
      if (manager.focus == hwnd) {
        lost_focus = hwnd;
        manager.focus = nullptr;
      }
      if (manager.capture == hwnd) manager.capture = nullptr;
    }
  }
  if (lost_focus) windows::Notify(lost_focus, WM_KILLFOCUS, 0, 0);
  windows::Notify(hwnd, WM_ENABLE, enable ? TRUE : FALSE, 0);
  return was_disabled ? TRUE : FALSE;
}

BOOL IsWindowEnabled(HWND hwnd) {
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  const Window* window = manager.Find(lock, hwnd);
  return window && !(window->style & WS_DISABLED) ? TRUE : FALSE;
}

// --- Data --------------------------------------------------------------------------

LONG_PTR GetWindowLong(HWND hwnd, int index) {
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  const Window* window = manager.Find(lock, hwnd);
  if (!window) {
    lock.unlock();
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  switch (index) {
    case GWL_STYLE:
      return window->style;
    case GWL_EXSTYLE:
      return window->ex_style;
    case GWL_ID:
      return static_cast<LONG_PTR>(window->id);
    case GWL_USERDATA:
      return window->user_data;
    default:
      break;
  }
  if (index < 0 || index >= window->window_class->info.cbWndExtra) {
    lock.unlock();
    SetLastError(ERROR_INVALID_INDEX);
    return 0;
  }
  auto it = window->extra.find(index);
  return it == window->extra.end() ? 0 : it->second;
}

LONG_PTR SetWindowLong(HWND hwnd, int index, LONG_PTR value) {
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  Window* window = manager.Find(lock, hwnd);
  if (!window) {
    lock.unlock();
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  LONG_PTR old = 0;
  switch (index) {
    case GWL_STYLE:
      old = window->style;
      // Visibility changes only through ShowWindow.
      window->style = (static_cast<DWORD>(value) & ~WS_VISIBLE) | (window->style & WS_VISIBLE);
      return old;
    case GWL_EXSTYLE:
      old = window->ex_style;
      window->ex_style = static_cast<DWORD>(value);
      return old;
    case GWL_ID:
      old = static_cast<LONG_PTR>(window->id);
      window->id = static_cast<UINT_PTR>(value);
      return old;
    case GWL_USERDATA:
      old = window->user_data;
      window->user_data = value;
      return old;
    default:
      break;
  }
  if (index < 0 || index >= window->window_class->info.cbWndExtra) {
    lock.unlock();
    SetLastError(ERROR_INVALID_INDEX);
    return 0;
  }
  old = window->extra[index];
  window->extra[index] = value;
  return old;
}

// --- Procedures --------------------------------------------------------------------

WindowProcedure GetWindowProcedure(HWND hwnd) {
  Kernel& kernel = WindowManager::Get().kernel();
  auto lock = kernel.Acquire();
  TargetEntry* target = kernel.FindTarget(lock, hwnd);
  return target ? target->procedure : nullptr;
}

WindowProcedure SetWindowProcedure(HWND hwnd, WindowProcedure procedure) {
  Kernel& kernel = WindowManager::Get().kernel();
  auto lock = kernel.Acquire();
  TargetEntry* target = kernel.FindTarget(lock, hwnd);
  if (!target) {
    lock.unlock();
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  WindowProcedure old = std::move(target->procedure);
  target->procedure = std::move(procedure);
  return old;
}

LRESULT CallWindowProc(const WindowProcedure& procedure, HWND hwnd, UINT message, WPARAM wparam,
                       LPARAM lparam) {
  return procedure ? procedure(hwnd, message, wparam, lparam)
                   : DefWindowProc(hwnd, message, wparam, lparam);
}

// --- Texts -------------------------------------------------------------------------

BOOL SetWindowText(HWND hwnd, std::string_view text) {
  if (!IsWindow(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  const std::string copy(text);
  return SendMessage(hwnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str())) ? TRUE : FALSE;
}

int GetWindowText(HWND hwnd, char* buffer, int buffer_size) {
  if (!buffer || buffer_size <= 0) return 0;
  buffer[0] = '\0';
  return static_cast<int>(SendMessage(hwnd, WM_GETTEXT, static_cast<WPARAM>(buffer_size),
                                      reinterpret_cast<LPARAM>(buffer)));
}

int GetWindowTextLength(HWND hwnd) {
  return static_cast<int>(SendMessage(hwnd, WM_GETTEXTLENGTH, 0, 0));
}

std::string GetWindowText(HWND hwnd) {
  const int length = GetWindowTextLength(hwnd);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length) + 1, '\0');
  const int copied = GetWindowText(hwnd, text.data(), length + 1);
  text.resize(static_cast<std::size_t>(std::max(copied, 0)));
  return text;
}

}  // namespace platform
