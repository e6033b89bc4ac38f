#include "sheet_help.h"

#include "platform/property_sheet.h"

namespace gallery {

using namespace platform;

void PassHelpToPages(HWND sheet) {
  WindowProcedure sheet_procedure = GetWindowProcedure(sheet);
  SetWindowProcedure(
      sheet, [sheet_procedure](HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) -> LRESULT {
        if (message == WM_HELP) {
          if (HWND page = reinterpret_cast<HWND>(SendMessage(hwnd, PSM_GETCURRENTPAGEHWND, 0, 0))) {
            return SendMessage(page, WM_HELP, wparam, lparam);
          }
        }
        return CallWindowProc(sheet_procedure, hwnd, message, wparam, lparam);
      });
}

}  // namespace gallery
