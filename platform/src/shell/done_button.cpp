#include "shell/done_button.h"

#include "gdi/window_dc.h"
#include "menus/menu_drawing.h"
#include "platform/gdi.h"
#include "platform/message_box.h"
#include "platform/shell_dialog.h"
#include "windows/system_colors.h"
#include "windows/window_manager.h"

namespace platform {

using windows::WindowManager;

namespace shell {

namespace {

// The active window when it shows the button, else null.
HWND DoneButtonOwner() {
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  const windows::Window* active = manager.Find(lock, manager.active);
  if (!active || !active->shows_done_button || !manager.TaskBarShown(lock)) return nullptr;
  return active->hwnd;
}

}  // namespace

bool DoneButtonShown() { return DoneButtonOwner() != nullptr; }

void DrawDoneButton(const std::shared_ptr<gdi::Surface>& target) {
  HDC dc = gdi::CreateWindowDC(target, POINT{0, 0}, {kDoneButtonRect});
  HBRUSH face = CreateSolidBrush(windows::kTaskBarTextColor);
  HGDIOBJ old_brush = SelectObject(dc, face);
  const RECT& r = kDoneButtonRect;
  Ellipse(dc, r.left, r.top, r.right, r.bottom);
  SelectObject(dc, old_brush);
  DeleteObject(face);
  {
    menus::MenuFont font(dc, FW_BOLD);
    menus::DrawLabel(dc, "ok", r, windows::kTaskBarColor, DT_CENTER);
  }
  gdi::ReleaseWindowDC(dc);
}

bool StylusOnDoneButton(UINT message, POINT point) {
  if (!PtInRect(&kDoneButtonRect, point)) return false;
  {
    WindowManager& manager = WindowManager::Get();
    auto lock = manager.kernel().Acquire();
    if (manager.capture) return false;
  }
  HWND owner = DoneButtonOwner();
  if (!owner) return false;
  if (message == WM_LBUTTONUP) {
    PostMessage(owner, WM_COMMAND, MAKEWPARAM(IDOK, 0), 0);
  }
  return true;
}

}  // namespace shell

BOOL SHDoneButton(HWND hwnd, DWORD state) {
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  windows::Window* window = manager.Find(lock, manager.TopLevelOf(lock, hwnd));
  if (!window) return FALSE;
  if (state & SHDB_SHOW) window->shows_done_button = true;
  if (state & SHDB_HIDE) window->shows_done_button = false;
  ++manager.change_count;
  return TRUE;
}

}  // namespace platform
