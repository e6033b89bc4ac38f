// Building dialogs from templates, and the modal dialog's own loop.
#include <string>

#include "dialogs/dialog_state.h"
#include "platform/last_error.h"
#include "platform/modal_loop.h"
#include "platform/shell_state.h"

namespace platform {

namespace {

using dialogs::DialogRegistry;
using dialogs::DialogState;

constexpr int kScreenDpi = 96;

HFONT MakeTemplateFont(const DialogTemplate& dialog_template) {
  LOGFONT description;
  description.lfHeight = -(dialog_template.font_size * kScreenDpi + 36) / 72;
  description.lfWeight = FW_NORMAL;
  description.lfFaceName = dialog_template.font_face;
  return CreateFontIndirect(&description);
}

RECT PixelRect(int x, int y, int cx, int cy) {
  RECT rect{x, y, x + cx, y + cy};
  MapDialogRect(nullptr, &rect);
  return rect;
}

// Where a dialog goes: a child in its parent's client area, a top-level
// dialog in the work area (centred there with DS_CENTER).
RECT DialogPlacement(const DialogTemplate& dialog_template) {
  RECT rect =
      PixelRect(dialog_template.x, dialog_template.y, dialog_template.cx, dialog_template.cy);
  if (dialog_template.style & WS_CHILD) return rect;
  const RECT work = shell::WorkArea();
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  if (dialog_template.style & DS_CENTER) {
    rect.left = work.left + (work.right - work.left - width) / 2;
    rect.top = work.top + (work.bottom - work.top - height) / 2;
  } else {
    rect.left += work.left;
    rect.top += work.top;
  }
  rect.right = rect.left + width;
  rect.bottom = rect.top + height;
  return rect;
}

bool MakeControls(HWND dialog, HINSTANCE instance, const DialogTemplate& dialog_template,
                  HFONT font) {
  for (const DialogItemTemplate& item : dialog_template.items) {
    const RECT rect = PixelRect(item.x, item.y, item.cx, item.cy);
    HWND control = CreateWindowEx(
        item.ex_style, item.window_class, item.text, item.style | WS_CHILD, rect.left, rect.top,
        rect.right - rect.left, rect.bottom - rect.top, dialog,
        reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(item.id)), instance, nullptr);
    if (!control) return false;
    if (font) SendMessage(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  return true;
}

// The dialog, its controls and WM_INITDIALOG; shown here only when modeless.
HWND BuildDialog(HINSTANCE instance, const DialogTemplate* dialog_template, HWND parent,
                 DLGPROC procedure, LPARAM init_param, bool modal) {
  if (!dialog_template) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return nullptr;
  }
  dialogs::RegisterDialogClass();
  auto state = std::make_shared<DialogState>();
  state->procedure = std::move(procedure);
  state->init_param = init_param;
  state->modal = modal;
  if (!dialog_template->font_face.empty()) state->font = MakeTemplateFont(*dialog_template);
  const RECT rect = DialogPlacement(*dialog_template);
  HWND dialog = CreateWindowEx(dialog_template->ex_style, WC_DIALOG, dialog_template->caption,
                               dialog_template->style & ~WS_VISIBLE, rect.left, rect.top,
                               rect.right - rect.left, rect.bottom - rect.top, parent, nullptr,
                               instance, nullptr);
  if (!dialog) return nullptr;
  DialogRegistry::Get().Add(dialog, state);
  if (state->font) SendMessage(dialog, WM_SETFONT, reinterpret_cast<WPARAM>(state->font), FALSE);
  if (!MakeControls(dialog, instance, *dialog_template, state->font)) {
    const DWORD error = GetLastError();
    DestroyWindow(dialog);
    SetLastError(error);
    return nullptr;
  }
  HWND first = GetNextDlgTabItem(dialog, nullptr, FALSE);
  state->last_focus = first;
  const bool wants_focus =
      SendMessage(dialog, WM_INITDIALOG, reinterpret_cast<WPARAM>(first), init_param) != 0;
  if (!IsWindow(dialog)) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return nullptr;
  }
  if (!wants_focus) {
    // The procedure placed the focus itself.
    if (HWND focus = GetFocus(); focus && IsChild(dialog, focus)) state->last_focus = focus;
  } else if (first && (dialog_template->style & WS_CHILD) && IsWindowVisible(dialog)) {
    SetFocus(first);
  }
  if (!modal && (dialog_template->style & WS_VISIBLE) && !state->ended) {
    ShowWindow(dialog, SW_SHOW);
  }
  return dialog;
}

std::shared_ptr<const DialogTemplate> FindTemplate(HINSTANCE instance, const ResourceId& id) {
  return FindDialogTemplate(instance, id);
}

// The messages a modal dialog's loop lets the dialog see first.
bool DialogPreTranslation(HWND dialog, MSG& msg) {
  if (!msg.hwnd || (msg.hwnd != dialog && !IsChild(dialog, msg.hwnd))) return false;
  return dialogs::PreTranslateForDialog(dialog, msg);
}

}  // namespace

INT_PTR DialogBoxIndirectParam(HINSTANCE instance, const DialogTemplate* dialog_template,
                               HWND parent, DLGPROC procedure, LPARAM init_param) {
  HWND dialog =
      BuildDialog(instance, dialog_template, parent, std::move(procedure), init_param, true);
  if (!dialog) return -1;
  std::shared_ptr<DialogState> state = DialogRegistry::Get().Find(dialog);
  // Destroyed while it initialised (its program or the handheld ending).
  if (!state) return -1;
  HWND owner = parent ? GetAncestor(parent, GA_ROOT) : nullptr;
  const bool disable_owner = owner && owner != dialog && IsWindowEnabled(owner);
  if (disable_owner) EnableWindow(owner, FALSE);
  if (!state->ended) ShowWindow(dialog, SW_SHOW);
  RunModalLoop([&] { return state->ended || !IsWindow(dialog); },
               [dialog](MSG& msg) { return DialogPreTranslation(dialog, msg); });
  // The owner comes back before the dialog goes, so that it is activated.
  if (disable_owner && IsWindow(owner)) EnableWindow(owner, TRUE);
  if (owner && IsWindow(owner) && GetActiveWindow() == dialog) SetActiveWindow(owner);
  if (IsWindow(dialog)) DestroyWindow(dialog);
  return state->ended ? state->result : 0;
}

INT_PTR DialogBoxIndirect(HINSTANCE instance, const DialogTemplate* dialog_template, HWND parent,
                          DLGPROC procedure) {
  return DialogBoxIndirectParam(instance, dialog_template, parent, std::move(procedure), 0);
}

INT_PTR DialogBoxParam(HINSTANCE instance, const ResourceId& template_id, HWND parent,
                       DLGPROC procedure, LPARAM init_param) {
  std::shared_ptr<const DialogTemplate> found = FindTemplate(instance, template_id);
  if (!found) return -1;
  return DialogBoxIndirectParam(instance, found.get(), parent, std::move(procedure), init_param);
}

INT_PTR DialogBox(HINSTANCE instance, const ResourceId& template_id, HWND parent,
                  DLGPROC procedure) {
  return DialogBoxParam(instance, template_id, parent, std::move(procedure), 0);
}

HWND CreateDialogIndirectParam(HINSTANCE instance, const DialogTemplate* dialog_template,
                               HWND parent, DLGPROC procedure, LPARAM init_param) {
  return BuildDialog(instance, dialog_template, parent, std::move(procedure), init_param, false);
}

HWND CreateDialogIndirect(HINSTANCE instance, const DialogTemplate* dialog_template, HWND parent,
                          DLGPROC procedure) {
  return CreateDialogIndirectParam(instance, dialog_template, parent, std::move(procedure), 0);
}

HWND CreateDialogParam(HINSTANCE instance, const ResourceId& template_id, HWND parent,
                       DLGPROC procedure, LPARAM init_param) {
  std::shared_ptr<const DialogTemplate> found = FindTemplate(instance, template_id);
  if (!found) return nullptr;
  return CreateDialogIndirectParam(instance, found.get(), parent, std::move(procedure), init_param);
}

HWND CreateDialog(HINSTANCE instance, const ResourceId& template_id, HWND parent,
                  DLGPROC procedure) {
  return CreateDialogParam(instance, template_id, parent, std::move(procedure), 0);
}

BOOL EndDialog(HWND dialog, INT_PTR result) {
  std::shared_ptr<DialogState> state = DialogRegistry::Get().Find(dialog);
  if (!state) {
    SetLastError(ERROR_INVALID_WINDOW_HANDLE);
    return FALSE;
  }
  state->ended = true;
  state->result = result;
  if (!state->modal) {
    ShowWindow(dialog, SW_HIDE);
    return TRUE;
  }
  // Wakes the loop when the call came from outside one of its messages.
  PostMessage(dialog, WM_NULL, 0, 0);
  return TRUE;
}

}  // namespace platform
