// Focus, activation, the foreground window and stylus capture.
#include <algorithm>

#include "platform/last_error.h"
#include "windows/activation.h"
#include "windows/window_manager.h"

namespace platform {

using windows::Window;
using windows::WindowManager;

namespace {

HWND Unmarked(HWND hwnd) {
  return reinterpret_cast<HWND>(reinterpret_cast<std::uintptr_t>(hwnd) & ~std::uintptr_t{1});
}

bool Marked(HWND hwnd) { return (reinterpret_cast<std::uintptr_t>(hwnd) & 1) != 0; }

// Brings the window to the top with the windows it owns above it.
void RaiseWithOwned(WindowManager& manager, const Kernel::Lock& lock, Window& top) {
  manager.Restack(lock, top, HWND_TOP);
  std::vector<HWND> order = manager.top_level();
  for (auto it = order.rbegin(); it != order.rend(); ++it) {
    Window* other = manager.Find(lock, *it);
    for (Window* owner = other; owner && owner->owner; owner = manager.Find(lock, owner->owner)) {
      if (owner->owner == top.hwnd) {
        manager.Restack(lock, *other, HWND_TOP);
        break;
      }
    }
  }
}

}  // namespace

HWND SetActiveWindow(HWND hwnd) {
  WindowManager& manager = WindowManager::Get();
  HWND old = nullptr;
  HWND top = nullptr;
  HWND lost_focus = nullptr;
  {
    auto lock = manager.kernel().Acquire();
    top = manager.TopLevelOf(lock, hwnd);
    Window* window = manager.Find(lock, top);
    if (!window || window->destroying) {
      lock.unlock();
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return nullptr;
    }
    old = manager.active;
    if (old == top) return old;
    manager.ChangeLayout(lock, [&] { RaiseWithOwned(manager, lock, *window); });
    manager.active = top;
    if (manager.focus && manager.TopLevelOf(lock, manager.focus) != top) {
      lost_focus = manager.focus;
      manager.focus = nullptr;
    }
    ++manager.change_count;
  }
  if (lost_focus) windows::Notify(lost_focus, WM_KILLFOCUS, 0, 0);
  if (old && IsWindow(old)) {
    windows::Notify(old, WM_ACTIVATE, MAKEWPARAM(WA_INACTIVE, 0), reinterpret_cast<LPARAM>(top));
  }
  windows::Notify(top, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), reinterpret_cast<LPARAM>(old));
  return old;
}

HWND GetActiveWindow() {
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  return manager.Find(lock, manager.active) ? manager.active : nullptr;
}

BOOL SetForegroundWindow(HWND hwnd) {
  HWND target = Unmarked(hwnd);
  if (Marked(hwnd)) {
    // The window's most recent owned window comes forward instead.
    WindowManager& manager = WindowManager::Get();
    auto lock = manager.kernel().Acquire();
    for (HWND top : manager.top_level()) {
      const Window* window = manager.Find(lock, top);
      if (window && window->owner == target && (window->style & WS_VISIBLE)) {
        target = top;
        break;
      }
    }
  }
  if (!IsWindow(target)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  SetActiveWindow(target);
  return TRUE;
}

HWND GetForegroundWindow() { return GetActiveWindow(); }

HWND SetFocus(HWND hwnd) {
  WindowManager& manager = WindowManager::Get();
  HWND top = nullptr;
  if (hwnd) {
    auto lock = manager.kernel().Acquire();
    if (!manager.Find(lock, hwnd)) {
      lock.unlock();
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return nullptr;
    }
    top = manager.TopLevelOf(lock, hwnd);
    const bool inactive = top != manager.active;
    lock.unlock();
    if (inactive) SetActiveWindow(top);
  }
  HWND old = nullptr;
  {
    auto lock = manager.kernel().Acquire();
    old = manager.focus;
    if (old == hwnd) return old;
    if (hwnd && !manager.Find(lock, hwnd)) return old;
    manager.focus = hwnd;
  }
  if (old && IsWindow(old)) {
    windows::Notify(old, WM_KILLFOCUS, reinterpret_cast<WPARAM>(hwnd), 0);
  }
  if (hwnd) windows::Notify(hwnd, WM_SETFOCUS, reinterpret_cast<WPARAM>(old), 0);
  return old;
}

HWND GetFocus() {
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  return manager.Find(lock, manager.focus) ? manager.focus : nullptr;
}

HWND SetCapture(HWND hwnd) {
  WindowManager& manager = WindowManager::Get();
  HWND old = nullptr;
  {
    auto lock = manager.kernel().Acquire();
    if (!manager.Find(lock, hwnd)) return nullptr;
    old = manager.capture;
    manager.capture = hwnd;
  }
  if (old && old != hwnd && IsWindow(old)) {
    windows::Notify(old, WM_CAPTURECHANGED, 0, reinterpret_cast<LPARAM>(hwnd));
  }
  return old;
}

BOOL ReleaseCapture() {
  WindowManager& manager = WindowManager::Get();
  HWND old = nullptr;
  {
    auto lock = manager.kernel().Acquire();
    old = manager.capture;
    manager.capture = nullptr;
  }
  if (old && IsWindow(old)) windows::Notify(old, WM_CAPTURECHANGED, 0, 0);
  return TRUE;
}

HWND GetCapture() {
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  return manager.Find(lock, manager.capture) ? manager.capture : nullptr;
}

namespace windows {

void Notify(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (GetWindowThreadProcessId(hwnd, nullptr) == GetCurrentThreadId()) {
    SendMessage(hwnd, message, wparam, lparam);
  } else {
    PostMessage(hwnd, message, wparam, lparam);
  }
}

void ActivateAnother(HWND leaving) {
  WindowManager& manager = WindowManager::Get();
  HWND next = nullptr;
  {
    auto lock = manager.kernel().Acquire();
    if (manager.active != leaving) return;
    auto can_activate = [&](HWND candidate) {
      const Window* window = manager.Find(lock, candidate);
      return window && candidate != leaving && !window->destroying &&
             (window->style & WS_VISIBLE) && !(window->style & WS_DISABLED) &&
             !(window->ex_style & WS_EX_NOACTIVATE);
    };
    const Window* window = manager.Find(lock, leaving);
    if (window && window->owner && can_activate(window->owner)) {
      next = window->owner;
    } else {
      auto found =
          std::find_if(manager.top_level().begin(), manager.top_level().end(), can_activate);
      if (found != manager.top_level().end()) next = *found;
    }
    if (!next) {
      manager.active = nullptr;
      ++manager.change_count;
    }
  }
  if (next) SetActiveWindow(next);
}

}  // namespace windows

}  // namespace platform
