// The task bar and input panel states.
#include "platform/shell_state.h"

#include "platform/screen.h"
#include "windows/window_manager.h"

namespace platform {

using windows::WindowManager;

namespace {

void SetInputPanel(bool shown) {
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  if (manager.input_panel_shown == shown) return;
  manager.input_panel_shown = shown;
  // What the panel covered shows again.
  if (!shown) manager.InvalidateScreenArea(lock, shell::kInputPanelRect);
  ++manager.change_count;
}

}  // namespace

BOOL SHFullScreen(HWND hwnd, DWORD state) {
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  // The choice belongs to the top-level window: it holds while that window
  // is active.
  windows::Window* window = manager.Find(lock, manager.TopLevelOf(lock, hwnd));
  if (!window) return FALSE;
  if (state & SHFS_HIDETASKBAR) window->hides_task_bar = true;
  if (state & SHFS_SHOWTASKBAR) window->hides_task_bar = false;
  if (state & SHFS_HIDESIPBUTTON) window->hides_input_panel_button = true;
  if (state & SHFS_SHOWSIPBUTTON) window->hides_input_panel_button = false;
  ++manager.change_count;
  return TRUE;
}

BOOL SipShowIM(DWORD flags) {
  SetInputPanel((flags & SIPF_ON) != 0);
  return TRUE;
}

BOOL SHSipPreference(HWND, SIPSTATE state) {
  if (state == SIP_UP) SetInputPanel(true);
  if (state == SIP_DOWN || state == SIP_FORCEDOWN) SetInputPanel(false);
  return TRUE;
}

BOOL SystemParametersInfo(UINT action, UINT, void* value, UINT) {
  if (action != SPI_GETWORKAREA || !value) return FALSE;
  *static_cast<RECT*>(value) = shell::WorkArea();
  return TRUE;
}

namespace shell {

RECT WorkArea() { return {0, kTaskBarHeight, screen::kWidth, screen::kHeight}; }

bool TaskBarShown() {
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  return manager.TaskBarShown(lock);
}

bool InputPanelShown() {
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  return manager.input_panel_shown;
}

bool InputPanelButtonShown() {
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  return manager.InputPanelButtonShown(lock);
}

}  // namespace shell

}  // namespace platform
