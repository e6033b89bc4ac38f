// The wait cursor as a state of the screen.
#include "platform/cursor.h"

#include "windows/window_manager.h"

namespace platform {

using windows::WindowManager;

namespace {

// The system cursors are their ids in handle form, so they need no storage.
HCURSOR SystemCursor(UINT id) { return reinterpret_cast<HCURSOR>(static_cast<std::uintptr_t>(id)); }

}  // namespace

HCURSOR LoadCursor(HINSTANCE instance, UINT cursor_id) {
  if (instance || (cursor_id != IDC_ARROW && cursor_id != IDC_WAIT)) return nullptr;
  return SystemCursor(cursor_id);
}

HCURSOR SetCursor(HCURSOR cursor) {
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  HCURSOR old = manager.cursor;
  manager.cursor = cursor;
  manager.wait_cursor = cursor == SystemCursor(IDC_WAIT);
  if (old != cursor) ++manager.change_count;
  return old;
}

HCURSOR GetCursor() {
  WindowManager& manager = WindowManager::Get();
  auto lock = manager.kernel().Acquire();
  return manager.cursor;
}

}  // namespace platform
