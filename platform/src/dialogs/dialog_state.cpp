#include "dialogs/dialog_state.h"

namespace platform::dialogs {

DialogState::~DialogState() {
  if (font) DeleteObject(font);
}

DialogRegistry& DialogRegistry::Get() { return Handheld::Current().GetService<DialogRegistry>(); }

HWND DialogOf(HWND hwnd) {
  DialogRegistry& registry = DialogRegistry::Get();
  for (HWND at = hwnd; at && IsWindow(at); at = GetParent(at)) {
    if (registry.Find(at)) return at;
    // A top-level window's "parent" is its owner: dialogs end at the top.
    if (!(GetWindowLong(at, GWL_STYLE) & WS_CHILD)) break;
  }
  return nullptr;
}

}  // namespace platform::dialogs
