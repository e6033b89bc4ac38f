// The keys of a dialog (Enter, Escape, Tab and Shift+Tab, the arrows), the
// programs' pre-translation hooks and the walk over a dialog's controls.
#include <algorithm>
#include <vector>

#include "dialogs/dialog_state.h"
#include "platform/controls/buttons.h"
#include "platform/hot_keys.h"
#include "platform/message_box.h"

namespace platform {

namespace {

using dialogs::DialogRegistry;
using dialogs::DialogState;

bool RunHooks(HWND dialog, MSG& msg) {
  DialogRegistry& registry = DialogRegistry::Get();
  for (HWND at = dialogs::DialogOf(msg.hwnd); at; at = dialogs::DialogOf(GetParent(at))) {
    std::shared_ptr<DialogState> state = registry.Find(at);
    if (state && state->pre_translate) {
      // A copy: the hook may replace itself.
      const PreTranslateHook hook = state->pre_translate;
      if (hook(msg)) return true;
    }
    if (at == dialog) break;
  }
  return false;
}

// Sends the click of button `id` to the dialog, unless the button is there
// and disabled.
void ClickButton(HWND dialog, int id) {
  HWND button = GetDlgItem(dialog, id);
  if (button && !IsWindowEnabled(button)) return;
  SendMessage(dialog, WM_COMMAND, MAKEWPARAM(static_cast<WORD>(id), BN_CLICKED),
              reinterpret_cast<LPARAM>(button));
}

int DefaultButtonId(HWND dialog) {
  const LRESULT answer = SendMessage(dialog, DM_GETDEFID, 0, 0);
  return HIWORD(static_cast<std::uintptr_t>(answer)) == DC_HASDEFID
             ? LOWORD(static_cast<std::uintptr_t>(answer))
             : IDOK;
}

bool IsArrow(UINT key) {
  return key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN;
}

LRESULT DialogCode(HWND control, const MSG& msg) {
  return SendMessage(control, WM_GETDLGCODE, msg.wParam, reinterpret_cast<LPARAM>(&msg));
}

// An arrow moves the focus within the control's group; a radio button it
// lands on is chosen, as a tap would.
void MoveInGroup(HWND dialog, HWND control, UINT key, const MSG& msg) {
  const BOOL backwards = key == VK_LEFT || key == VK_UP;
  HWND next = GetNextDlgGroupItem(dialog, control, backwards);
  if (!next || next == control) return;
  SendMessage(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(next), TRUE);
  if (DialogCode(next, msg) & DLGC_RADIOBUTTON) SendMessage(next, BM_CLICK, 0, 0);
}

bool HandleKeys(HWND dialog, const MSG& msg) {
  if (msg.message != WM_KEYDOWN) return false;
  const UINT key = static_cast<UINT>(msg.wParam);
  if (key != VK_RETURN && key != VK_ESCAPE && key != VK_TAB && !IsArrow(key)) return false;
  const LRESULT code = msg.hwnd != dialog ? DialogCode(msg.hwnd, msg) : 0;
  if (code & DLGC_WANTALLKEYS) return false;
  if (IsArrow(key)) {
    if (msg.hwnd == dialog || (code & DLGC_WANTARROWS)) return false;
    MoveInGroup(dialog, msg.hwnd, key, msg);
    return true;
  }
  switch (key) {
    case VK_TAB:
      if (code & DLGC_WANTTAB) return false;
      // Shift+Tab walks the tab stops backwards.
      SendMessage(dialog, WM_NEXTDLGCTL, GetKeyState(static_cast<int>(VK_SHIFT)) < 0, 0);
      return true;
    case VK_RETURN:
      // A focused push button is clicked itself.
      if (msg.hwnd != dialog && (code & (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON))) {
        ClickButton(GetParent(msg.hwnd) == dialog ? dialog : dialogs::DialogOf(msg.hwnd),
                    GetDlgCtrlID(msg.hwnd));
      } else {
        ClickButton(dialog, DefaultButtonId(dialog));
      }
      return true;
    default:
      ClickButton(dialog, IDCANCEL);
      return true;
  }
}

bool Usable(HWND control) { return IsWindowVisible(control) && IsWindowEnabled(control); }

// The children of `parent` in the order they were made (the window list
// keeps the newest on top).
std::vector<HWND> ChildrenInCreationOrder(HWND parent) {
  std::vector<HWND> children;
  for (HWND at = GetWindow(parent, GW_CHILD); at; at = GetWindow(at, GW_HWNDNEXT)) {
    children.push_back(at);
  }
  std::reverse(children.begin(), children.end());
  return children;
}

// The dialog's controls in creation order, those of dialogs inside it
// (property sheet pages) in their place; the inner dialogs themselves are
// not controls.
void CollectControls(HWND parent, const DialogRegistry& registry, std::vector<HWND>& controls) {
  for (HWND child : ChildrenInCreationOrder(parent)) {
    if (!registry.Find(child)) controls.push_back(child);
    CollectControls(child, registry, controls);
  }
}

std::vector<HWND> Controls(HWND dialog) {
  std::vector<HWND> controls;
  CollectControls(dialog, DialogRegistry::Get(), controls);
  return controls;
}

bool IsTabStop(HWND control) {
  return (GetWindowLong(control, GWL_STYLE) & WS_TABSTOP) && Usable(control);
}

}  // namespace

namespace dialogs {

bool PreTranslateForDialog(HWND dialog, MSG& msg) {
  return RunHooks(dialog, msg) || HandleKeys(dialog, msg);
}

}  // namespace dialogs

BOOL IsDialogMessage(HWND dialog, MSG* msg) {
  if (!dialog || !msg || !msg->hwnd) return FALSE;
  if (msg->hwnd != dialog && !IsChild(dialog, msg->hwnd)) return FALSE;
  if (dialogs::PreTranslateForDialog(dialog, *msg)) return TRUE;
  TranslateMessage(msg);
  DispatchMessage(msg);
  return TRUE;
}

BOOL SetDialogPreTranslateHook(HWND dialog, PreTranslateHook hook) {
  std::shared_ptr<DialogState> state = DialogRegistry::Get().Find(dialog);
  if (!state) return FALSE;
  state->pre_translate = std::move(hook);
  return TRUE;
}

HWND GetNextDlgTabItem(HWND dialog, HWND control, BOOL previous) {
  std::vector<HWND> controls = Controls(dialog);
  if (previous) std::reverse(controls.begin(), controls.end());
  auto start = std::find(controls.begin(), controls.end(), control);
  const std::size_t count = controls.size();
  const std::size_t from = start == controls.end() ? count - 1 : start - controls.begin();
  for (std::size_t step = 1; step <= count; ++step) {
    HWND candidate = controls[(from + step) % count];
    if (IsTabStop(candidate)) return candidate;
  }
  return nullptr;
}

HWND GetNextDlgGroupItem(HWND dialog, HWND control, BOOL previous) {
  if (!control || !IsChild(dialog, control)) return nullptr;
  // The siblings of the control, split into groups at WS_GROUP.
  const std::vector<HWND> siblings = ChildrenInCreationOrder(GetParent(control));
  const auto at = std::find(siblings.begin(), siblings.end(), control);
  if (at == siblings.end()) return nullptr;
  auto first = at;
  while (first != siblings.begin() && !(GetWindowLong(*first, GWL_STYLE) & WS_GROUP)) --first;
  auto last = at + 1;
  while (last != siblings.end() && !(GetWindowLong(*last, GWL_STYLE) & WS_GROUP)) ++last;
  std::vector<HWND> group(first, last);
  if (previous) std::reverse(group.begin(), group.end());
  const std::size_t count = group.size();
  const std::size_t from = std::find(group.begin(), group.end(), control) - group.begin();
  for (std::size_t step = 1; step < count; ++step) {
    HWND candidate = group[(from + step) % count];
    if (Usable(candidate)) return candidate;
  }
  return control;
}

}  // namespace platform
