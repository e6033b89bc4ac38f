// Hot keys registered on windows.
#include "platform/hot_keys.h"

#include <algorithm>

#include "platform/last_error.h"
#include "windows/window_manager.h"

namespace platform {

using windows::HotKey;
using windows::WindowManager;

namespace {

UINT Combination(UINT modifiers) {
  return modifiers & (MOD_ALT | MOD_CONTROL | MOD_SHIFT | MOD_WIN);
}

}  // namespace

BOOL RegisterHotKey(HWND hwnd, int id, UINT modifiers, UINT virtual_key) {
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  if (!manager.Find(lock, hwnd)) {
    lock.unlock();
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  const bool taken = std::any_of(manager.hot_keys.begin(), manager.hot_keys.end(), [&](auto& key) {
    return (key.hwnd == hwnd && key.id == id) ||
           (key.virtual_key == virtual_key && Combination(key.modifiers) == Combination(modifiers));
  });
  if (taken) {
    lock.unlock();
    SetLastError(ERROR_HOTKEY_ALREADY_REGISTERED);
    return FALSE;
  }
  manager.hot_keys.push_back(HotKey{hwnd, id, modifiers, virtual_key});
  return TRUE;
}

BOOL UnregisterHotKey(HWND hwnd, int id) {
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  const auto removed = std::erase_if(
      manager.hot_keys, [&](const HotKey& key) { return key.hwnd == hwnd && key.id == id; });
  if (removed == 0) {
    lock.unlock();
    SetLastError(ERROR_HOTKEY_NOT_REGISTERED);
    return FALSE;
  }
  return TRUE;
}

BOOL UnregisterFunc1(UINT modifiers, UINT virtual_key) {
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  std::erase_if(manager.hot_keys, [&](const HotKey& key) {
    return key.virtual_key == virtual_key && Combination(key.modifiers) == Combination(modifiers);
  });
  return TRUE;
}

short GetKeyState(int virtual_key) {
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  const bool down = manager.keys_down.contains(static_cast<UINT>(virtual_key));
  return down ? static_cast<short>(0x8000) : 0;
}

short GetAsyncKeyState(int virtual_key) { return GetKeyState(virtual_key); }

}  // namespace platform
