// Creating and destroying windows, and walking the window tree.
#include <algorithm>

#include "platform/last_error.h"
#include "platform/shell_state.h"
#include "windows/activation.h"
#include "windows/window_manager.h"

namespace platform {

using windows::Window;
using windows::WindowManager;

namespace {

HWND ParentArgument(HWND parent) { return parent == windows::kDesktopWindow ? nullptr : parent; }

// The window and its descendants, each before its children.
void CollectTree(WindowManager& manager, const Kernel::Lock& lock, HWND hwnd,
                 std::vector<HWND>& out) {
  const Window* window = manager.Find(lock, hwnd);
  if (!window) return;
  out.push_back(hwnd);
  for (HWND child : window->children) CollectTree(manager, lock, child, out);
}

bool TextMatches(const Window& window, std::optional<std::string_view> text) {
  return !text || window.text == *text;
}

}  // namespace

HWND CreateWindowEx(DWORD ex_style, std::string_view class_name, std::string_view window_name,
                    DWORD style, int x, int y, int width, int height, HWND parent, HMENU menu,
                    HINSTANCE instance, void* param) {
  WindowManager& manager = WindowManager::Get();
  Kernel& kernel = manager.kernel();
  parent = ParentArgument(parent);
  const std::string name(window_name);
  const std::string class_text(class_name);
  HWND hwnd = nullptr;
  RECT rect;
  {
    auto lock = kernel.Acquire();
    manager.Sweep(lock);
    auto window_class = manager.FindClass(lock, class_name);
    if (!window_class) {
      lock.unlock();
      SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
      return nullptr;
    }
    const bool child = (style & WS_CHILD) != 0;
    if (parent && !manager.Find(lock, parent)) {
      lock.unlock();
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return nullptr;
    }
    if (child && !parent) {
      lock.unlock();
      SetLastError(ERROR_TLW_WITH_WSCHILD);
      return nullptr;
    }
    if (x == CW_USEDEFAULT || width == CW_USEDEFAULT) {
      // Top-level windows fill the work area; children start empty.
      RECT area = child ? RECT{} : shell::WorkArea();
      if (x == CW_USEDEFAULT) {
        x = area.left;
        y = area.top;
      }
      if (width == CW_USEDEFAULT) {
        width = area.right - x;
        height = area.bottom - y;
      }
    }
    auto window = std::make_unique<Window>();
    window->thread = kernel.Current(lock).id;
    window->window_class = window_class;
    window->style = style & ~WS_VISIBLE;  // shown once created
    window->ex_style = ex_style;
    window->id = child ? reinterpret_cast<UINT_PTR>(menu) : 0;
    window->parent = child ? parent : nullptr;
    window->owner = child ? nullptr : manager.TopLevelOf(lock, parent);
    window->rect = {x, y, x + std::max(width, 0), y + std::max(height, 0)};
    window->text = name;
    rect = window->rect;
    hwnd = kernel.AddTarget(lock, window->thread, window_class->info.lpfnWndProc);
    window->hwnd = hwnd;
    manager.Add(lock, std::move(window));
  }
  CREATESTRUCT create;
  create.lpCreateParams = param;
  create.hInstance = instance;
  create.hMenu = menu;
  create.hwndParent = parent;
  create.x = rect.left;
  create.y = rect.top;
  create.cx = rect.right - rect.left;
  create.cy = rect.bottom - rect.top;
  create.style = static_cast<LONG>(style);
  create.lpszName = name.c_str();
  create.lpszClass = class_text.c_str();
  create.dwExStyle = ex_style;
  if (SendMessage(hwnd, WM_CREATE, 0, reinterpret_cast<LPARAM>(&create)) == -1) {
    DestroyWindow(hwnd);
    return nullptr;
  }
  if (!IsWindow(hwnd)) return nullptr;  // destroyed itself while being made
  RECT client;
  GetClientRect(hwnd, &client);
  SendMessage(hwnd, WM_SIZE, SIZE_RESTORED,
              MAKELPARAM(static_cast<WORD>(client.right), static_cast<WORD>(client.bottom)));
  SendMessage(hwnd, WM_MOVE, 0,
              MAKELPARAM(static_cast<WORD>(rect.left), static_cast<WORD>(rect.top)));
  if (style & WS_VISIBLE) ShowWindow(hwnd, SW_SHOW);
  return hwnd;
}

HWND CreateWindow(std::string_view class_name, std::string_view window_name, DWORD style, int x,
                  int y, int width, int height, HWND parent, HMENU menu, HINSTANCE instance,
                  void* param) {
  return CreateWindowEx(0, class_name, window_name, style, x, y, width, height, parent, menu,
                        instance, param);
}

BOOL DestroyWindow(HWND hwnd) {
  WindowManager& manager = WindowManager::Get();
  Kernel& kernel = manager.kernel();
  std::vector<HWND> owned;
  {
    auto lock = kernel.Acquire();
    Window* window = manager.Find(lock, hwnd);
    if (!window) {
      lock.unlock();
      SetLastError(ERROR_INVALID_WINDOW_HANDLE);
      return FALSE;
    }
    if (window->destroying) return TRUE;
    window->destroying = true;
    for (HWND top : manager.top_level()) {
      const Window* other = manager.Find(lock, top);
      if (other && other->owner == hwnd) owned.push_back(top);
    }
  }
  // Windows it owns go first.
  for (HWND owned_window : owned) DestroyWindow(owned_window);

  ShowWindow(hwnd, SW_HIDE);
  std::vector<HWND> tree;
  {
    auto lock = kernel.Acquire();
    CollectTree(manager, lock, hwnd, tree);
    for (HWND member : tree) {
      if (Window* window = manager.Find(lock, member)) window->destroying = true;
    }
    if (manager.Within(lock, manager.focus, hwnd)) manager.focus = nullptr;
    if (manager.Within(lock, manager.capture, hwnd)) manager.capture = nullptr;
  }
  for (HWND member : tree) SendMessage(member, WM_DESTROY, 0, 0);
  {
    auto lock = kernel.Acquire();
    // Children first, so that each is unlinked from a parent that exists.
    for (auto it = tree.rbegin(); it != tree.rend(); ++it) manager.Remove(lock, *it);
    kernel.StateChanged(lock);
  }
  for (HWND member : tree) DestroyMessageTarget(member);
  return TRUE;
}

BOOL IsWindow(HWND hwnd) {
  if (hwnd == windows::kDesktopWindow) return TRUE;
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  // Still a window while its WM_DESTROY runs.
  return manager.Find(lock, hwnd) ? TRUE : FALSE;
}

DWORD GetWindowThreadProcessId(HWND hwnd, DWORD* process_id) {
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  const Window* window = manager.Find(lock, hwnd);
  const DWORD thread = window ? window->thread : 0;
  if (process_id) *process_id = thread;
  return thread;
}

HWND GetDesktopWindow() { return windows::kDesktopWindow; }

HWND GetParent(HWND hwnd) {
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  const Window* window = manager.Find(lock, hwnd);
  if (!window) return nullptr;
  return window->parent ? window->parent : window->owner;
}

HWND SetParent(HWND hwnd, HWND parent) {
  parent = ParentArgument(parent);
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  Window* window = manager.Find(lock, hwnd);
  if (!window || (parent && !manager.Find(lock, parent))) {
    lock.unlock();
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  for (HWND up = parent; up;) {  // no cycles
    if (up == hwnd) {
      lock.unlock();
      SetLastError(ERROR_INVALID_PARAMETER);
      return nullptr;
    }
    const Window* next = manager.Find(lock, up);
    up = next ? next->parent : nullptr;
  }
  const HWND old_parent = window->parent;
  manager.ChangeLayout(lock, [&] {
    manager.Unlink(lock, *window);
    window->parent = parent;
    if (parent) window->owner = nullptr;
    manager.Link(lock, *window);
  });
  return old_parent ? old_parent : windows::kDesktopWindow;
}

BOOL IsChild(HWND parent, HWND hwnd) {
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  return hwnd != parent && manager.Within(lock, hwnd, parent) ? TRUE : FALSE;
}

HWND GetWindow(HWND hwnd, UINT relation) {
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  if (hwnd == windows::kDesktopWindow && relation == GW_CHILD) {
    return manager.top_level().empty() ? nullptr : manager.top_level().front();
  }
  Window* window = manager.Find(lock, hwnd);
  if (!window) return nullptr;
  if (relation == GW_OWNER) return window->owner;
  if (relation == GW_CHILD) return window->children.empty() ? nullptr : window->children.front();
  const std::vector<HWND>* siblings = manager.Siblings(lock, *window);
  if (!siblings || siblings->empty()) return nullptr;
  auto self = std::find(siblings->begin(), siblings->end(), hwnd);
  switch (relation) {
    case GW_HWNDFIRST:
      return siblings->front();
    case GW_HWNDLAST:
      return siblings->back();
    case GW_HWNDNEXT:
      return self == siblings->end() || self + 1 == siblings->end() ? nullptr : *(self + 1);
    case GW_HWNDPREV:
      return self == siblings->begin() || self == siblings->end() ? nullptr : *(self - 1);
    default:
      return nullptr;
  }
}

HWND GetAncestor(HWND hwnd, UINT flags) {
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  const Window* window = manager.Find(lock, hwnd);
  if (!window) return nullptr;
  if (flags == GA_PARENT) return window->parent ? window->parent : windows::kDesktopWindow;
  return manager.TopLevelOf(lock, hwnd);
}

HWND FindWindow(std::string_view class_name, std::optional<std::string_view> text) {
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  manager.Sweep(lock);
  auto window_class = class_name.empty() ? nullptr : manager.FindClass(lock, class_name);
  if (!class_name.empty() && !window_class) return nullptr;
  for (HWND top : manager.top_level()) {
    const Window* window = manager.Find(lock, top);
    if (!window || window->destroying) continue;
    if (window_class && window->window_class != window_class) continue;
    if (TextMatches(*window, text)) return top;
  }
  return nullptr;
}

BOOL EnumChildWindows(HWND parent, const WindowEnumProcedure& procedure, LPARAM lparam) {
  WindowManager& manager = WindowManager::Get();
  std::vector<HWND> tree;
  {
    auto lock = manager.kernel().Acquire();
    const Window* window = manager.Find(lock, parent);
    if (!window) return FALSE;
    for (HWND child : window->children) CollectTree(manager, lock, child, tree);
  }
  for (HWND member : tree) {
    if (IsWindow(member) && !procedure(member, lparam)) return FALSE;
  }
  return TRUE;
}

BOOL EnumWindows(const WindowEnumProcedure& procedure, LPARAM lparam) {
  WindowManager& manager = WindowManager::Get();
  std::vector<HWND> tops;
  {
    auto lock = manager.kernel().Acquire();
    manager.Sweep(lock);
    tops = manager.top_level();
  }
  for (HWND top : tops) {
    if (IsWindow(top) && !procedure(top, lparam)) return FALSE;
  }
  return TRUE;
}

HWND GetDlgItem(HWND parent, int id) {
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  const Window* window = manager.Find(lock, parent);
  if (!window) return nullptr;
  for (HWND child : window->children) {
    const Window* c = manager.Find(lock, child);
    if (c && c->id == static_cast<UINT_PTR>(id)) return child;
  }
  return nullptr;
}

int GetDlgCtrlID(HWND hwnd) {
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  const Window* window = manager.Find(lock, hwnd);
  return window ? static_cast<int>(window->id) : 0;
}

}  // namespace platform
