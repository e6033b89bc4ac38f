#include "sheet_page.h"

#include "platform/shell_state.h"

namespace camera {

using namespace platform;

INT_PTR SheetPage::Procedure(HWND page, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      page_ = page;
      OnInit();
      return TRUE;
    case WM_NOTIFY:
      if (const INT_PTR handled = OnNotify(*reinterpret_cast<const NMHDR*>(lparam))) return handled;
      return Handle(message, wparam, lparam);
    case WM_HELP:
      if (context_.open_help) context_.open_help();
      return TRUE;
    default:
      return page_ ? Handle(message, wparam, lparam) : FALSE;
  }
}

void SheetPage::OnShown() { SHSipPreference(page_, SIP_DOWN); }

INT_PTR SheetPage::OnNotify(const NMHDR& header) {
  switch (header.code) {
    case PSN_SETACTIVE:
      OnShown();
      return Answer(0);
    case PSN_KILLACTIVE:
      return Answer(OnLeaving() ? FALSE : TRUE);
    case PSN_APPLY:
      return Answer(OnConfirm() ? PSNRET_NOERROR : PSNRET_INVALID_NOCHANGEPAGE);
    case PSN_RESET:
      // Cancel: nothing is stored.
      return Answer(0);
    default:
      return FALSE;
  }
}

INT_PTR SheetPage::Answer(LRESULT result) {
  SetWindowLongPtr(page_, DWL_MSGRESULT, result);
  return TRUE;
}

}  // namespace camera
