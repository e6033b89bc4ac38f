// Making a toolbar with its images and buttons in one call.
#include "platform/common_controls/registration.h"
#include "platform/common_controls/toolbar.h"

namespace platform {

HWND CreateToolbarEx(HWND parent, DWORD style, UINT id, int bitmap_count, HINSTANCE instance,
                     UINT_PTR bitmap_id, const TBBUTTON* buttons, int button_count,
                     int button_width, int button_height, int bitmap_width, int bitmap_height,
                     UINT button_struct_size) {
  INITCOMMONCONTROLSEX init;
  init.dwICC = ICC_BAR_CLASSES;
  InitCommonControlsEx(&init);
  HWND bar = CreateWindowEx(0, TOOLBARCLASSNAME, "", style | WS_CHILD, 0, 0, 0, 0, parent,
                            reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), instance, nullptr);
  if (!bar) return nullptr;
  SendMessage(bar, TB_BUTTONSTRUCTSIZE, button_struct_size, 0);
  if (bitmap_width > 0 && bitmap_height > 0) {
    SendMessage(bar, TB_SETBITMAPSIZE, 0,
                MAKELPARAM(static_cast<WORD>(bitmap_width), static_cast<WORD>(bitmap_height)));
  }
  if (button_width > 0 && button_height > 0) {
    SendMessage(bar, TB_SETBUTTONSIZE, 0,
                MAKELPARAM(static_cast<WORD>(button_width), static_cast<WORD>(button_height)));
  }
  if (bitmap_count > 0) {
    TBADDBITMAP strip;
    strip.hInst = instance;
    strip.nID = bitmap_id;
    SendMessage(bar, TB_ADDBITMAP, static_cast<WPARAM>(bitmap_count),
                reinterpret_cast<LPARAM>(&strip));
  }
  if (buttons && button_count > 0) {
    SendMessage(bar, TB_ADDBUTTONS, static_cast<WPARAM>(button_count),
                reinterpret_cast<LPARAM>(buttons));
  }
  SendMessage(bar, TB_AUTOSIZE, 0, 0);
  return bar;
}

}  // namespace platform
