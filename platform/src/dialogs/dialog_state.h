// What the dialog manager keeps for each dialog window while it exists: its
// procedure, how it ends, its default button, its font and the program's
// pre-translation hook.
#pragma once

#include <memory>

#include "dialogs/window_state_map.h"
#include "platform/dialogs.h"
#include "platform/gdi.h"

namespace platform::dialogs {

// Index of the window data slot after DWL_USER: the dialog classes' extra
// bytes end there.
inline constexpr int kDialogExtraBytes = DWL_USER + 8;

struct DialogState {
  DialogState() = default;
  ~DialogState();
  DialogState(const DialogState&) = delete;
  DialogState& operator=(const DialogState&) = delete;

  DLGPROC procedure;
  LPARAM init_param = 0;
  bool modal = false;
  bool ended = false;
  INT_PTR result = 0;
  // The default button's id; 0 until a program sets one (then the template's
  // default push button or IDOK answers).
  int default_id = 0;
  // The control that had the focus when the dialog was last active.
  HWND last_focus = nullptr;
  // The template's font, sent to every control; deleted with the dialog.
  HFONT font = nullptr;
  PreTranslateHook pre_translate;
};

// The states of the handheld's dialogs by window.
class DialogRegistry : public WindowStateMap<DialogState> {
 public:
  explicit DialogRegistry(Handheld&) {}
  static DialogRegistry& Get();
};

// The dialog window class, registered on first use.
void RegisterDialogClass();

// The innermost dialog that holds `hwnd` (itself included), null when none.
HWND DialogOf(HWND hwnd);

// A message for `dialog` or one of its controls: the pre-translation hooks
// of the dialogs it is in (innermost first, up to `dialog`), then the
// dialog's keys. True when the message was used up.
bool PreTranslateForDialog(HWND dialog, MSG& msg);

}  // namespace platform::dialogs
