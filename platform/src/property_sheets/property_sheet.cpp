// Property sheets: the sheet is a dialog whose pages are child dialogs,
// made when first shown; page changes, OK and Cancel ask the pages first.
#include <memory>
#include <optional>

#include "platform/last_error.h"
#include "platform/shell_dialog.h"
#include "platform/shell_state.h"
#include "platform/window_paint.h"
#include "property_sheets/sheet_state.h"

namespace platform {

namespace {

using property_sheets::SheetState;

// The page's template: the caller's, or the module's by id.
std::shared_ptr<const DialogTemplate> PageTemplate(const PROPSHEETPAGE& page) {
  if (page.dwFlags & PSP_DLGINDIRECT) {
    if (!page.pResource) return nullptr;
    return std::make_shared<const DialogTemplate>(*page.pResource);
  }
  return FindDialogTemplate(page.hInstance, page.pszTemplate);
}

LRESULT Notify(const SheetState& state, HWND page, UINT code) {
  PSHNOTIFY notify;
  notify.hdr.hwndFrom = state.sheet;
  notify.hdr.code = code;
  return SendMessage(page, WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&notify));
}

HWND CurrentPage(const SheetState& state) {
  return state.current >= 0 ? state.windows[static_cast<std::size_t>(state.current)] : nullptr;
}

HWND MakePage(SheetState& state, std::size_t index) {
  std::shared_ptr<const DialogTemplate> found = PageTemplate(state.pages[index]);
  if (!found) return nullptr;
  DialogTemplate child = *found;
  child.style =
      (child.style & ~(WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_CENTER)) | WS_CHILD | DS_CONTROL;
  child.x = 0;
  child.y = 0;
  const PROPSHEETPAGE& page = state.pages[index];
  HWND window = CreateDialogIndirectParam(page.hInstance, &child, state.sheet, page.pfnDlgProc,
                                          reinterpret_cast<LPARAM>(&page));
  if (!window) return nullptr;
  const RECT area = property_sheets::PageArea(state.sheet);
  MoveWindow(window, area.left, area.top, area.right - area.left, area.bottom - area.top, FALSE);
  state.windows[index] = window;
  return window;
}

// Brings page `index` forward; false when the page on top refuses to be
// left (asked only when `ask`) or the new page cannot be made.
bool SetActivePage(SheetState& state, std::size_t index, bool ask) {
  if (index >= state.pages.size()) return false;
  if (static_cast<int>(index) == state.current) return true;
  HWND leaving = CurrentPage(state);
  if (leaving && ask && Notify(state, leaving, PSN_KILLACTIVE)) return false;
  HWND coming = state.windows[index] ? state.windows[index] : MakePage(state, index);
  if (!coming) return false;
  if (leaving) ShowWindow(leaving, SW_HIDE);
  state.current = static_cast<int>(index);
  ShowWindow(coming, SW_SHOW);
  Notify(state, coming, PSN_SETACTIVE);
  if (HWND first = GetNextDlgTabItem(coming, nullptr, FALSE)) SetFocus(first);
  RECT client;
  GetClientRect(state.sheet, &client);
  client.top = property_sheets::PageArea(state.sheet).bottom;
  InvalidateRect(state.sheet, &client, TRUE);
  return true;
}

void Close(SheetState& state, INT_PTR result) {
  if (state.modeless) {
    DestroyWindow(state.sheet);
  } else {
    EndDialog(state.sheet, result);
  }
}

// OK: the page on top must agree to be left, then every page made applies;
// a page that refuses keeps the sheet open (on itself for PSNRET_INVALID).
void Apply(SheetState& state) {
  HWND current = CurrentPage(state);
  if (current && Notify(state, current, PSN_KILLACTIVE)) return;
  for (std::size_t index = 0; index < state.windows.size(); ++index) {
    HWND page = state.windows[index];
    if (!page) continue;
    const LRESULT answer = Notify(state, page, PSN_APPLY);
    if (answer == PSNRET_INVALID) SetActivePage(state, index, false);
    if (answer == PSNRET_INVALID || answer == PSNRET_INVALID_NOCHANGEPAGE) return;
  }
  Close(state, 1);
}

void Cancel(SheetState& state) {
  HWND current = CurrentPage(state);
  if (current && Notify(state, current, PSN_QUERYCANCEL)) return;
  for (HWND page : state.windows) {
    if (page) Notify(state, page, PSN_RESET);
  }
  Close(state, 0);
}

void LayOutPages(const SheetState& state) {
  const RECT area = property_sheets::PageArea(state.sheet);
  for (HWND page : state.windows) {
    if (page) {
      MoveWindow(page, area.left, area.top, area.right - area.left, area.bottom - area.top, TRUE);
    }
  }
  InvalidateRect(state.sheet, nullptr, TRUE);
}

bool Initialise(SheetState& state, HWND sheet) {
  state.sheet = sheet;
  // The handheld's sheets fill the screen above the menu bar.
  const RECT work = shell::WorkArea();
  SetWindowPos(sheet, nullptr, work.left, work.top, work.right - work.left,
               work.bottom - work.top - shell::kMenuBarHeight, SWP_NOZORDER | SWP_NOACTIVATE);
  SHDoneButton(sheet, SHDB_SHOW);
  const std::size_t start =
      state.header.nStartPage < state.pages.size() ? state.header.nStartPage : 0;
  if (!SetActivePage(state, start, false)) return false;
  if ((state.header.dwFlags & PSH_USECALLBACK) && state.header.pfnCallback) {
    state.header.pfnCallback(sheet, PSCB_INITIALIZED, 0);
  }
  return true;
}

// The answer of a sheet message, in DWL_MSGRESULT.
INT_PTR Answer(HWND sheet, LRESULT answer) {
  SetWindowLong(sheet, DWL_MSGRESULT, answer);
  return TRUE;
}

void TapTabs(SheetState& state, LPARAM lparam) {
  const POINT point{GET_X_LPARAM(lparam), GET_Y_LPARAM(lparam)};
  const std::vector<RECT> tabs = property_sheets::TabRects(state);
  for (std::size_t index = 0; index < tabs.size(); ++index) {
    if (PtInRect(&tabs[index], point)) SetActivePage(state, index, true);
  }
}

// OK and Cancel; true when the command was one of them.
bool Command(SheetState& state, WORD id) {
  if (id == IDOK) Apply(state);
  if (id == IDCANCEL) Cancel(state);
  return id == IDOK || id == IDCANCEL;
}

LRESULT PressButton(HWND sheet, WPARAM button) {
  if (button == PSBTN_OK || button == PSBTN_CANCEL) {
    PostMessage(sheet, WM_COMMAND, button == PSBTN_OK ? IDOK : IDCANCEL, 0);
  }
  return TRUE;
}

LRESULT PageWindow(const SheetState& state, WPARAM index) {
  return index < state.windows.size() ? reinterpret_cast<LRESULT>(state.windows[index]) : 0;
}

// The PSM_ requests that pages and the program send the sheet; nullopt
// for other messages.
std::optional<LRESULT> SheetRequest(SheetState& state, HWND sheet, UINT message, WPARAM wparam,
                                    LPARAM lparam) {
  switch (message) {
    case PSM_SETCURSEL:
      return SetActivePage(state, wparam, true);
    case PSM_GETCURRENTPAGEHWND:
      return reinterpret_cast<LRESULT>(CurrentPage(state));
    case PSM_INDEXTOHWND:
      return PageWindow(state, wparam);
    case PSM_PRESSBUTTON:
      return PressButton(sheet, wparam);
    case PSM_SETTITLE:
      SetWindowText(sheet, lparam ? reinterpret_cast<const char*>(lparam) : "");
      return TRUE;
    case PSM_CHANGED:
    case PSM_UNCHANGED:
    case PSM_CANCELTOCLOSE:
      return TRUE;
    default:
      return std::nullopt;
  }
}

INT_PTR SheetProcedure(SheetState& state, HWND sheet, UINT message, WPARAM wparam, LPARAM lparam) {
  if (const auto answer = SheetRequest(state, sheet, message, wparam, lparam)) {
    return Answer(sheet, *answer);
  }
  switch (message) {
    case WM_INITDIALOG:
      if (!Initialise(state, sheet)) {
        SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
        Close(state, -1);
      }
      return FALSE;
    case WM_SIZE:
      if (state.sheet) LayOutPages(state);
      return TRUE;
    case WM_PAINT:
      property_sheets::PaintTabs(sheet, state);
      return TRUE;
    case WM_LBUTTONDOWN:
      TapTabs(state, lparam);
      return TRUE;
    case WM_COMMAND:
      return Command(state, LOWORD(wparam));
    default:
      return FALSE;
  }
}

std::shared_ptr<SheetState> MakeState(const PROPSHEETHEADER& header) {
  auto state = std::make_shared<SheetState>();
  state->header = header;
  state->header.ppsp = nullptr;
  state->modeless = (header.dwFlags & PSH_MODELESS) != 0;
  for (UINT index = 0; index < header.nPages; ++index) {
    const PROPSHEETPAGE& page = header.ppsp[index];
    std::shared_ptr<const DialogTemplate> found = PageTemplate(page);
    if (!found) return nullptr;
    state->pages.push_back(page);
    state->titles.push_back((page.dwFlags & PSP_USETITLE) ? page.pszTitle : found->caption);
  }
  state->windows.assign(state->pages.size(), nullptr);
  return state;
}

}  // namespace

INT_PTR PropertySheet(const PROPSHEETHEADER* header) {
  if (!header || header->nPages == 0 || !header->ppsp) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return -1;
  }
  std::shared_ptr<SheetState> state = MakeState(*header);
  if (!state) {
    SetLastError(ERROR_RESOURCE_NAME_NOT_FOUND);
    return -1;
  }
  DialogTemplate sheet_template;
  sheet_template.caption = header->pszCaption;
  sheet_template.style = WS_POPUP | (state->modeless ? WS_VISIBLE : 0);
  DLGPROC procedure = [state](HWND sheet, UINT message, WPARAM wparam, LPARAM lparam) {
    return SheetProcedure(*state, sheet, message, wparam, lparam);
  };
  if (state->modeless) {
    HWND sheet = CreateDialogIndirectParam(header->hInstance, &sheet_template, header->hwndParent,
                                           std::move(procedure), 0);
    return reinterpret_cast<INT_PTR>(IsWindow(sheet) ? sheet : nullptr);
  }
  return DialogBoxIndirectParam(header->hInstance, &sheet_template, header->hwndParent,
                                std::move(procedure), 0);
}

}  // namespace platform
