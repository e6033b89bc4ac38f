#include "browser_menu_bar.h"

#include "gallery/resources/commands.h"
#include "gallery/resources/string_ids.h"
#include "gallery_state.h"
#include "platform/common_controls/toolbar.h"
#include "platform/menu_bar.h"
#include "platform/menus.h"
#include "platform/message_box.h"
#include "sending/sending_start.h"

namespace gallery {

namespace {

using namespace platform;

HMENU SubMenu(HWND menu_bar, UINT item) {
  return reinterpret_cast<HMENU>(SendMessage(menu_bar, SHCMBM_GETSUBMENU, 0, item));
}

}  // namespace

HWND CreateBrowserMenuBar(HWND browser) {
  SHMENUBARINFO info;
  info.hwndParent = browser;
  info.dwFlags = SHCMBF_HIDESIPBUTTON;
  info.nToolBarId = kMenuBrowser;
  info.hInstRes = Gallery().resources;
  info.nBmpId = kToolbarBitmap;
  info.cBmpImages = kToolbarImages;
  if (!SHCreateMenuBar(&info)) {
    MessageBox(browser, "SHCreateMenuBar Failed", "Error", MB_OK);
    return nullptr;
  }
  // The voice-note button stays down while the recorder is open.
  TBBUTTONINFO check;
  check.dwMask = TBIF_STYLE;
  check.idCommand = static_cast<int>(kButtonVoiceNote);
  check.fsStyle = TBSTYLE_CHECK;
  SendMessage(info.hwndMB, TB_SETBUTTONINFO, kButtonVoiceNote, reinterpret_cast<LPARAM>(&check));
  sending::AddSendEntries(info.hwndMB);
  return info.hwndMB;
}

void HideCameraCommands(HWND menu_bar) {
  if (!menu_bar) return;
  SendMessage(menu_bar, TB_HIDEBUTTON, kButtonCamera, TRUE);
  if (HMENU tools = SubMenu(menu_bar, kMenuTools)) {
    RemoveMenu(tools, 0, MF_BYPOSITION);
    RemoveMenu(tools, 0, MF_BYPOSITION);
  }
}

void LoadPrintEngine(HWND menu_bar) {
  if (sending::ChoosePrintEngine() || !menu_bar) return;
  auto menu = reinterpret_cast<HMENU>(SendMessage(menu_bar, SHCMBM_GETMENU, 0, 0));
  EnableMenuItem(menu, kCommandPrint, MF_BYCOMMAND | MF_GRAYED);
}

void UnloadPrintEngine() { sending::ReleasePrintEngine(); }

}  // namespace gallery
