// The dialog class's procedure: the program's dialog procedure first, then
// the dialog's default handling (background, default button, focus, close).
#include "dialogs/dialog_state.h"
#include "platform/message_box.h"

namespace platform {

namespace {

using dialogs::DialogRegistry;
using dialogs::DialogState;

// Messages whose dialog-procedure result is the answer itself; for every
// other one a handled message answers with DWL_MSGRESULT.
bool AnswersDirectly(UINT message) {
  return message == WM_INITDIALOG || (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC);
}

constexpr DWORD kDefaultPushButton = 0x0001;
constexpr DWORD kPushButton = 0x0000;
constexpr UINT kButtonSetStyle = 0x00F4;

LRESULT DialogCode(HWND control) { return SendMessage(control, WM_GETDLGCODE, 0, 0); }

bool IsPushButton(HWND control) {
  return control && (DialogCode(control) & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

// The first push button that says it is the default one, else IDOK.
int InitialDefaultId(HWND dialog) {
  for (HWND control = GetWindow(dialog, GW_CHILD); control;
       control = GetWindow(control, GW_HWNDNEXT)) {
    if (DialogCode(control) & DLGC_DEFPUSHBUTTON) return GetDlgCtrlID(control);
  }
  return IDOK;
}

LRESULT DefaultId(HWND dialog, DialogState& state) {
  if (state.default_id == 0) state.default_id = InitialDefaultId(dialog);
  return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(state.default_id), DC_HASDEFID));
}

// Moves the default button's look along with the default id.
void SetDefaultId(HWND dialog, DialogState& state, int id) {
  const int old_id = state.default_id ? state.default_id : InitialDefaultId(dialog);
  state.default_id = id;
  HWND old_button = GetDlgItem(dialog, old_id);
  HWND new_button = GetDlgItem(dialog, id);
  if (old_button != new_button && IsPushButton(old_button)) {
    SendMessage(old_button, kButtonSetStyle, kPushButton, TRUE);
  }
  if (IsPushButton(new_button)) SendMessage(new_button, kButtonSetStyle, kDefaultPushButton, TRUE);
}

bool FocusInside(HWND dialog, HWND focus) {
  return focus && (focus == dialog || IsChild(dialog, focus));
}

void RestoreFocus(HWND dialog, DialogState& state) {
  HWND target = state.last_focus;
  if (!target || !IsWindow(target) || !IsChild(dialog, target) || !IsWindowEnabled(target) ||
      !IsWindowVisible(target)) {
    target = GetNextDlgTabItem(dialog, nullptr, FALSE);
  }
  if (target) SetFocus(target);
}

void NextControl(HWND dialog, WPARAM wparam, LPARAM lparam) {
  HWND target = nullptr;
  if (LOWORD(lparam)) {
    target = reinterpret_cast<HWND>(wparam);
  } else {
    target = GetNextDlgTabItem(dialog, GetFocus(), wparam != 0);
  }
  if (target && IsChild(dialog, target)) SetFocus(target);
}

LRESULT EraseBackground(HWND dialog, HDC dc) {
  auto brush = reinterpret_cast<HBRUSH>(SendMessage(
      dialog, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(dialog)));
  if (!brush) brush = GetSysColorBrush(COLOR_WINDOW);
  RECT client;
  GetClientRect(dialog, &client);
  FillRect(dc, &client, brush);
  return 1;
}

LRESULT DefaultHandling(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam,
                        DialogState* state) {
  switch (message) {
    case WM_INITDIALOG:
      return TRUE;
    case WM_ERASEBKGND:
      return EraseBackground(dialog, reinterpret_cast<HDC>(wparam));
    case WM_CLOSE: {
      // Closing is cancelling, when Cancel can be pressed.
      HWND cancel = GetDlgItem(dialog, IDCANCEL);
      if (cancel && !IsWindowEnabled(cancel)) return 0;
      PostMessage(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED),
                  reinterpret_cast<LPARAM>(cancel));
      return 0;
    }
    case DM_GETDEFID:
      return state ? DefaultId(dialog, *state) : 0;
    case DM_SETDEFID:
      if (state) SetDefaultId(dialog, *state, static_cast<int>(wparam));
      return TRUE;
    case WM_NEXTDLGCTL:
      NextControl(dialog, wparam, lparam);
      return 0;
    case WM_ACTIVATE:
      if (!state) break;
      if (LOWORD(wparam) == WA_INACTIVE) {
        if (HWND focus = GetFocus(); FocusInside(dialog, focus) && focus != dialog) {
          state->last_focus = focus;
        }
      } else {
        RestoreFocus(dialog, *state);
      }
      return 0;
    case WM_SETFOCUS:
      if (state) RestoreFocus(dialog, *state);
      return 0;
    default:
      break;
  }
  return DefWindowProc(dialog, message, wparam, lparam);
}

}  // namespace

LRESULT DefDlgProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  // Held for the whole message: the procedure may end or destroy the dialog.
  std::shared_ptr<DialogState> state = DialogRegistry::Get().Find(dialog);
  LRESULT answer = 0;
  bool handled = false;
  if (state && state->procedure) {
    const DLGPROC procedure = state->procedure;
    const INT_PTR result = procedure(dialog, message, wparam, lparam);
    if (result) {
      handled = true;
      answer = AnswersDirectly(message) ? result : GetWindowLong(dialog, DWL_MSGRESULT);
    }
  }
  if (!handled) answer = DefaultHandling(dialog, message, wparam, lparam, state.get());
  if (message == WM_DESTROY) DialogRegistry::Get().Remove(dialog);
  return answer;
}

namespace dialogs {

void RegisterDialogClass() {
  WNDCLASS dialog_class;
  dialog_class.lpszClassName = WC_DIALOG;
  dialog_class.lpfnWndProc = DefDlgProc;
  dialog_class.cbWndExtra = kDialogExtraBytes;
  RegisterClass(&dialog_class);  // there already after the first dialog: fine
}

}  // namespace dialogs

}  // namespace platform
