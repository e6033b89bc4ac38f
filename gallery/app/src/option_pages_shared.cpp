#include "help.h"
#include "option_pages.h"
#include "platform/common_controls/notify.h"
#include "platform/controls.h"
#include "platform/property_sheet.h"

namespace gallery::pages {

using namespace platform;

INT_PTR RunPage(const PageBehaviour& behaviour, HWND page, UINT message, WPARAM wparam,
                LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      behaviour.load(page);
      return TRUE;
    case WM_COMMAND:
      return behaviour.command && behaviour.command(page, LOWORD(wparam), HIWORD(wparam));
    case WM_NOTIFY:
      if (reinterpret_cast<const NMHDR*>(lparam)->code != PSN_APPLY) return FALSE;
      behaviour.store(page);
      SetWindowLong(page, DWL_MSGRESULT, PSNRET_NOERROR);
      return TRUE;
    case WM_HELP:
      ShowHelp(behaviour.help_topic);
      return TRUE;
    default:
      return FALSE;
  }
}

void SetCheck(HWND page, UINT id, std::uint32_t on) {
  CheckDlgButton(page, static_cast<int>(id), on ? BST_CHECKED : BST_UNCHECKED);
}

std::uint32_t Checked(HWND page, UINT id) {
  return IsDlgButtonChecked(page, static_cast<int>(id)) == BST_CHECKED ? 1 : 0;
}

void FillCombo(HWND page, UINT id, const std::vector<std::string>& items, int selection) {
  const int control = static_cast<int>(id);
  SendDlgItemMessage(page, control, CB_RESETCONTENT, 0, 0);
  for (const std::string& item : items) {
    SendDlgItemMessage(page, control, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
  SendDlgItemMessage(page, control, CB_SETCURSEL, static_cast<WPARAM>(selection), 0);
}

int ComboSelection(HWND page, UINT id) {
  return static_cast<int>(SendDlgItemMessage(page, static_cast<int>(id), CB_GETCURSEL, 0, 0));
}

}  // namespace gallery::pages
