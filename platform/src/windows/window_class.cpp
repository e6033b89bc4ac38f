// Window classes: registered by name, looked up without case.
#include <cstring>

#include "platform/last_error.h"
#include "windows/window_manager.h"

namespace platform {

using windows::WindowClass;
using windows::WindowManager;

ATOM RegisterClass(const WNDCLASS* window_class) {
  if (!window_class || window_class->lpszClassName.empty()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  WindowManager& manager = WindowManager::Get();
  auto entry = std::make_shared<WindowClass>();
  entry->info = *window_class;
  auto lock = manager.kernel().Acquire();
  if (!manager.AddClass(lock, entry)) {
    lock.unlock();
    SetLastError(ERROR_CLASS_ALREADY_EXISTS);
    return 0;
  }
  static ATOM next_atom = 0xC000;
  return next_atom++;
}

BOOL UnregisterClass(std::string_view class_name, HINSTANCE) {
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  if (manager.RemoveClass(lock, class_name)) return TRUE;
  lock.unlock();
  SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
  return FALSE;
}

BOOL GetClassInfo(HINSTANCE, std::string_view class_name, WNDCLASS* window_class) {
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  auto found = manager.FindClass(lock, class_name);
  lock.unlock();
  if (!found) {
    SetLastError(ERROR_CANNOT_FIND_WND_CLASS);
    return FALSE;
  }
  if (window_class) *window_class = found->info;
  return TRUE;
}

std::string GetClassName(HWND hwnd) {
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  const windows::Window* window = manager.Find(lock, hwnd);
  if (!window) return {};
  return window->window_class->info.lpszClassName;
}

int GetClassName(HWND hwnd, char* buffer, int buffer_size) {
  if (!IsWindow(hwnd)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return 0;
  }
  if (!buffer || buffer_size <= 0) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  const std::string name = GetClassName(hwnd);
  const std::size_t length = std::min(name.size(), static_cast<std::size_t>(buffer_size - 1));
  std::memcpy(buffer, name.data(), length);
  buffer[length] = '\0';
  return static_cast<int>(length);
}

}  // namespace platform
