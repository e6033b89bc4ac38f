// Stylus and keys: hit-tested or focused windows get them as posted
// messages, so whoever feeds input never waits for a program.
#include <algorithm>

#include "platform/hot_keys.h"
#include "platform/input.h"
#include "platform/shell_state.h"
#include "platform/shell_today.h"
#include "shell/done_button.h"
#include "windows/activation.h"
#include "windows/window_manager.h"

namespace platform::input {

namespace {

using windows::Window;
using windows::WindowManager;

struct StylusTarget {
  HWND hwnd = nullptr;
  POINT client;             // the point in its client coordinates
  HWND activate = nullptr;  // top-level window a tap brings forward
};

// The window a stylus event at a screen point goes to: the capture, else
// the deepest visible window there, unless that (or an ancestor) is
// disabled or the shell covers the point.
StylusTarget FindStylusTarget(WindowManager& manager, const Kernel::Lock& lock, POINT point,
                              bool pressing) {
  manager.Sweep(lock);
  StylusTarget target;
  HWND hwnd = manager.capture;
  if (!hwnd) {
    if (manager.TaskBarShown(lock) && PtInRect(&shell::kTaskBarRect, point)) return target;
    if (manager.input_panel_shown && PtInRect(&shell::kInputPanelRect, point)) return target;
    hwnd = manager.HitTest(lock, point);
    const Window* window = manager.Find(lock, hwnd);
    if (!window || !manager.Enabled(lock, *window)) return target;
  }
  const Window* window = manager.Find(lock, hwnd);
  if (!window) return target;
  target.hwnd = hwnd;
  const POINT origin = manager.ClientOrigin(lock, *window);
  target.client = {point.x - origin.x, point.y - origin.y};
  if (pressing) {
    const HWND top = manager.TopLevelOf(lock, hwnd);
    const Window* top_window = manager.Find(lock, top);
    if (top != manager.active && top_window && !(top_window->ex_style & WS_EX_NOACTIVATE) &&
        !(window->ex_style & WS_EX_NOACTIVATE)) {
      target.activate = top;
    }
  }
  return target;
}

void SendStylus(UINT message, int x, int y) {
  if (shell::StylusOnDoneButton(message, POINT{x, y})) return;
  if (shell::StylusOnStartButton(message, POINT{x, y})) return;
  WindowManager& manager = WindowManager::Get();
  StylusTarget target;
  WPARAM buttons = 0;
  {
    auto lock = manager.kernel().Acquire();
    if (message == WM_LBUTTONDOWN) manager.stylus_down = true;
    if (message == WM_LBUTTONUP) manager.stylus_down = false;
    buttons = manager.stylus_down ? MK_LBUTTON : 0;
    target = FindStylusTarget(manager, lock, POINT{x, y}, message == WM_LBUTTONDOWN);
  }
  if (!target.hwnd) return;
  if (target.activate) PostMessage(target.activate, windows::kTapActivateMessage, 0, 0);
  PostMessage(target.hwnd, message, buttons,
              MAKELPARAM(static_cast<WORD>(target.client.x), static_cast<WORD>(target.client.y)));
}

bool IsApplicationKey(UINT key) { return key >= VK_APP1 && key <= VK_APP4; }

UINT CurrentModifiers(const WindowManager& manager, UINT key) {
  UINT modifiers = 0;
  if (manager.keys_down.contains(VK_SHIFT)) modifiers |= MOD_SHIFT;
  if (manager.keys_down.contains(VK_CONTROL)) modifiers |= MOD_CONTROL;
  if (manager.keys_down.contains(VK_MENU)) modifiers |= MOD_ALT;
  if (manager.keys_down.contains(VK_LWIN) || IsApplicationKey(key)) modifiers |= MOD_WIN;
  return modifiers;
}

// Key-down (or key-up) messages go to the focused window, else the active
// one; a hot key for the key takes it instead.
void SendKey(UINT key, bool down) {
  WindowManager& manager = WindowManager::Get();
  HWND hot_key_window = nullptr;
  WPARAM hot_key_id = 0;
  LPARAM hot_key_lparam = 0;
  HWND target = nullptr;
  {
    auto lock = manager.kernel().Acquire();
    manager.Sweep(lock);
    const UINT modifiers = CurrentModifiers(manager, key);
    if (down) {
      manager.keys_down.insert(key);
    } else {
      manager.keys_down.erase(key);
    }
    const auto hot_key = std::find_if(manager.hot_keys.begin(), manager.hot_keys.end(),
                                      [&](const windows::HotKey& entry) {
                                        const bool on_up = (entry.modifiers & MOD_KEYUP) != 0;
                                        return entry.virtual_key == key && on_up != down &&
                                               (entry.modifiers & ~MOD_KEYUP) == modifiers;
                                      });
    if (hot_key != manager.hot_keys.end() && manager.Find(lock, hot_key->hwnd)) {
      hot_key_window = hot_key->hwnd;
      hot_key_id = static_cast<WPARAM>(hot_key->id);
      hot_key_lparam = MAKELPARAM(static_cast<WORD>(modifiers), static_cast<WORD>(key));
    } else {
      target = manager.Find(lock, manager.focus) ? manager.focus : manager.active;
      if (!manager.Find(lock, target)) target = nullptr;
    }
  }
  if (hot_key_window) {
    PostMessage(hot_key_window, WM_HOTKEY, hot_key_id, hot_key_lparam);
    return;
  }
  // Repeat count 1; a key-up also has the previous-state and transition bits.
  const LPARAM flags = down ? 1 : static_cast<LPARAM>(0xC0000001u);
  if (target) PostMessage(target, down ? WM_KEYDOWN : WM_KEYUP, key, flags);
}

}  // namespace

void StylusDown(int x, int y) { SendStylus(WM_LBUTTONDOWN, x, y); }
void StylusMove(int x, int y) { SendStylus(WM_MOUSEMOVE, x, y); }
void StylusUp(int x, int y) { SendStylus(WM_LBUTTONUP, x, y); }

void KeyDown(UINT virtual_key) { SendKey(virtual_key, true); }
void KeyUp(UINT virtual_key) { SendKey(virtual_key, false); }

void Char(wchar_t character) {
  WindowManager& manager = WindowManager::Get();
  HWND target = nullptr;
  {
    auto lock = manager.kernel().Acquire();
    target = manager.Find(lock, manager.focus) ? manager.focus : manager.active;
    if (!manager.Find(lock, target)) return;
  }
  PostMessage(target, WM_CHAR, static_cast<WPARAM>(character), 1);
}

}  // namespace platform::input
