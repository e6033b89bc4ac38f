// Dialogs: windows built from a dialog template (resources.h) with their
// controls, run modally with their own message loop or modelessly beside
// the program's loop.
//
// A dialog procedure answers TRUE for a message it handled and FALSE to
// leave it to the dialog's default handling; results other than TRUE go in
// the window's DWL_MSGRESULT slot, except for WM_INITDIALOG and the
// control-colour messages, whose procedure result is the answer itself (a
// brush for WM_CTLCOLOR*).
//
// Keys inside a dialog: Enter clicks the default button (DM_GETDEFID; IDOK
// when none is set), Escape sends IDCANCEL and Tab moves the focus between
// WS_TABSTOP controls, unless the focused control asks for those keys
// through WM_GETDLGCODE. A program that wants to see messages first (to
// swallow Enter, say) sets a pre-translation hook on its dialog.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "platform/controls/buttons.h"
#include "platform/message_box.h"  // IDOK, IDCANCEL
#include "platform/messages.h"
#include "platform/resources.h"
#include "platform/window.h"

namespace platform {

using INT_PTR = std::intptr_t;
// TRUE when the procedure handled the message.
using DLGPROC = std::function<INT_PTR(HWND, UINT, WPARAM, LPARAM)>;

// The class every dialog window has.
inline constexpr char WC_DIALOG[] = "Dialog";

// Dialog template styles.
inline constexpr DWORD DS_SETFONT = 0x0040;
inline constexpr DWORD DS_MODALFRAME = 0x0080;
inline constexpr DWORD DS_SETFOREGROUND = 0x0200;
inline constexpr DWORD DS_CONTROL = 0x0400;
inline constexpr DWORD DS_CENTER = 0x0800;

// The default push button.
inline constexpr UINT DM_GETDEFID = WM_USER + 0;
inline constexpr UINT DM_SETDEFID = WM_USER + 1;
// High word of DM_GETDEFID's answer when there is a default button.
inline constexpr WORD DC_HASDEFID = 0x534B;

// What a control answers to WM_GETDLGCODE: the keys it keeps for itself and
// what kind of control it is.
inline constexpr LRESULT DLGC_WANTARROWS = 0x0001;
inline constexpr LRESULT DLGC_WANTTAB = 0x0002;
inline constexpr LRESULT DLGC_WANTALLKEYS = 0x0004;
inline constexpr LRESULT DLGC_WANTMESSAGE = 0x0004;
inline constexpr LRESULT DLGC_HASSETSEL = 0x0008;
inline constexpr LRESULT DLGC_DEFPUSHBUTTON = 0x0010;
inline constexpr LRESULT DLGC_UNDEFPUSHBUTTON = 0x0020;
inline constexpr LRESULT DLGC_RADIOBUTTON = 0x0040;
inline constexpr LRESULT DLGC_WANTCHARS = 0x0080;
inline constexpr LRESULT DLGC_STATIC = 0x0100;
inline constexpr LRESULT DLGC_BUTTON = 0x2000;

// --- Modal dialogs -----------------------------------------------------------------

// Builds the dialog, sends WM_INITDIALOG with `init_param`, disables the
// owner (the top-level window of `parent`), shows the dialog and runs its
// messages until EndDialog; then enables the owner again, destroys the
// dialog and returns EndDialog's result. -1 (with the last error) when the
// template is missing or the dialog or one of its controls cannot be made.
INT_PTR DialogBox(HINSTANCE instance, const ResourceId& template_id, HWND parent,
                  DLGPROC procedure);
INT_PTR DialogBoxParam(HINSTANCE instance, const ResourceId& template_id, HWND parent,
                       DLGPROC procedure, LPARAM init_param);
INT_PTR DialogBoxIndirect(HINSTANCE instance, const DialogTemplate* dialog_template, HWND parent,
                          DLGPROC procedure);
INT_PTR DialogBoxIndirectParam(HINSTANCE instance, const DialogTemplate* dialog_template,
                               HWND parent, DLGPROC procedure, LPARAM init_param);

// Ends a modal dialog with `result` once the current message is handled;
// hides a modeless one. FALSE for a window that is not a dialog.
BOOL EndDialog(HWND dialog, INT_PTR result);

// --- Modeless dialogs and children ----------------------------------------------

// Builds the dialog and sends WM_INITDIALOG; shown when the template has
// WS_VISIBLE. A template with WS_CHILD makes a child of `parent` (the pages
// of a property sheet). Null with the last error on failure. The program's
// message loop passes messages through IsDialogMessage.
HWND CreateDialog(HINSTANCE instance, const ResourceId& template_id, HWND parent,
                  DLGPROC procedure);
HWND CreateDialogParam(HINSTANCE instance, const ResourceId& template_id, HWND parent,
                       DLGPROC procedure, LPARAM init_param);
HWND CreateDialogIndirect(HINSTANCE instance, const DialogTemplate* dialog_template, HWND parent,
                          DLGPROC procedure);
HWND CreateDialogIndirectParam(HINSTANCE instance, const DialogTemplate* dialog_template,
                               HWND parent, DLGPROC procedure, LPARAM init_param);

// The dialog's keys (Enter, Escape, Tab) for a message meant for the dialog
// or one of its controls, after the pre-translation hooks of the dialogs it
// is in. Any other message for the dialog is translated and dispatched.
// TRUE when the message was used up.
BOOL IsDialogMessage(HWND dialog, MSG* msg);

// Seen first by every message for the dialog or its controls that passes
// IsDialogMessage (the modal loop's too), before the dialog's own keys;
// true swallows the message. A dialog inside another (a property sheet's
// page) is asked before the outer one. An empty hook removes it.
BOOL SetDialogPreTranslateHook(HWND dialog, PreTranslateHook hook);

// The dialog's default handling: calls the dialog procedure and does what
// it leaves (the class procedure of WC_DIALOG). A window procedure that
// subclasses a dialog passes the messages it leaves here.
LRESULT DefDlgProc(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam);

// --- Dialog units -----------------------------------------------------------------

// The system font's average character width (low word) and height (high
// word); a dialog unit is a quarter of the one and an eighth of the other.
LONG GetDialogBaseUnits();
// Dialog units to pixels.
BOOL MapDialogRect(HWND dialog, RECT* rect);

// --- Controls by id -----------------------------------------------------------------

LRESULT SendDlgItemMessage(HWND dialog, int id, UINT message, WPARAM wparam, LPARAM lparam);
BOOL SetDlgItemText(HWND dialog, int id, std::string_view text);
// Copies the text (NUL-terminated, cut to fit); its length.
UINT GetDlgItemText(HWND dialog, int id, char* buffer, int buffer_size);
std::string GetDlgItemText(HWND dialog, int id);
BOOL SetDlgItemInt(HWND dialog, int id, UINT value, BOOL is_signed);
// The text as a number; *translated FALSE (and 0) when it is not one or
// does not fit.
UINT GetDlgItemInt(HWND dialog, int id, BOOL* translated, BOOL is_signed);

BOOL CheckDlgButton(HWND dialog, int id, UINT check);
UINT IsDlgButtonChecked(HWND dialog, int id);
// Checks `check` and unchecks every other button of first..last.
BOOL CheckRadioButton(HWND dialog, int first_id, int last_id, int check_id);

// The next (or previous) WS_TABSTOP control after `control`, wrapping
// round; disabled and hidden controls are skipped.
HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous);
// The next (or previous) control of the WS_GROUP group `control` is in.
HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous);

}  // namespace platform
