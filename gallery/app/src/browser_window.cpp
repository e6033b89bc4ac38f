// The browser's procedure: its creation and destruction in the order the
// rest of the gallery relies on, its static colours, help, and the messages
// other parts send it. Commands and keys are in browser_commands.cpp.
#include "browser_window.h"

#include "browser_children.h"
#include "browser_commands.h"
#include "browser_menu_bar.h"
#include "browsing.h"
#include "camera_launch.h"
#include "gallery/app/orsagal.h"
#include "gallery/resources/commands.h"
#include "gallery_state.h"
#include "help.h"
#include "part_commands.h"
#include "platform/common_controls/toolbar.h"
#include "platform/gdi.h"
#include "platform/menu_bar.h"
#include "platform/shell_state.h"
#include "window_class.h"

namespace gallery {

namespace {

using namespace platform;

constexpr int kMenuBarHeight = 26;

void CreateSharedGdiObjects() {
  GalleryState& gallery = Gallery();
  gallery.label_brush = CreateSolidBrush(kNameLabelColour);
  LOGFONT font;
  font.lfHeight = 13;
  font.lfFaceName = "Tahoma";
  gallery.date_font = CreateFontIndirect(&font);
}

void DeleteSharedGdiObjects() {
  GalleryState& gallery = Gallery();
  if (gallery.label_brush) DeleteObject(gallery.label_brush);
  if (gallery.date_font) DeleteObject(gallery.date_font);
  gallery.label_brush = nullptr;
  gallery.date_font = nullptr;
}

LRESULT OnCreate(HWND browser) {
  GalleryState& gallery = Gallery();
  gallery.browser = browser;
  gallery.options = LoadGalleryOptions();
  gallery.recorder_audio = gallery.options.audio;
  CreateSharedGdiObjects();
  gallery.menu_bar = CreateBrowserMenuBar(browser);
  if (!CreateBrowserChildren(browser, gallery.instance)) return -1;
  ShowHistogram(browser, gallery.options.general.show_histogram != 0);
  if (!CaptureApp()) HideCameraCommands(gallery.menu_bar);
  LoadPrintEngine(gallery.menu_bar);
  return 0;
}

void OnDestroy(HWND browser) {
  GalleryState& gallery = Gallery();
  SaveGalleryOptions(gallery.options);
  SaveBrowsing();
  if (gallery.menu_bar) DestroyWindow(gallery.menu_bar);
  gallery.menu_bar = nullptr;
  DeleteSharedGdiObjects();
  UnloadPrintEngine();
  if (gallery.browser == browser) gallery.browser = nullptr;
}

// Statics are painted on white; the file-name label, while it holds text,
// on its own colour.
LRESULT StaticColours(HDC dc, HWND control) {
  if (GetDlgCtrlID(control) == kNameLabel && GetWindowTextLength(control) > 0) {
    SetBkColor(dc, kNameLabelColour);
    return reinterpret_cast<LRESULT>(Gallery().label_brush);
  }
  SetBkColor(dc, RGB(255, 255, 255));
  return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
}

LRESULT BrowserProcedure(HWND browser, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_CREATE:
      return OnCreate(browser);
    case WM_COMMAND:
      OnBrowserCommand(browser, LOWORD(wparam));
      return 0;
    case WM_KEYDOWN:
      OnBrowserKey(browser, static_cast<UINT>(wparam));
      return 0;
    case WM_CTLCOLORSTATIC:
      return StaticColours(reinterpret_cast<HDC>(wparam), reinterpret_cast<HWND>(lparam));
    case WM_ACTIVATE:
      if (LOWORD(wparam) != WA_INACTIVE) SetFocus(browser);
      return 0;
    case WM_HELP:
      ShowHelp(kHelpBrowse);
      return TRUE;
    case kMessageBrowsePath:
      BrowsePath();
      return 0;
    case kMessageMakeCurrent:
      MakeEntryCurrent(browser, wparam);
      return 0;
    case kMessageRecorderClosed:
      if (Gallery().menu_bar)
        SendMessage(Gallery().menu_bar, TB_CHECKBUTTON, kButtonVoiceNote, FALSE);
      return 0;
    case kMessageVoiceNoteRecorded:
    case kMessageVoiceNoteDeleted:
      RefreshCurrentEntry(browser, message);
      return 0;
    case WM_CLOSE:
      DestroyWindow(Gallery().top);
      return 0;
    case WM_DESTROY:
      OnDestroy(browser);
      return 0;
    default:
      if (auto handled = FolderBrowserMessage(browser, message, wparam, lparam)) return *handled;
      if (auto handled = ImageViewMessage(browser, message, wparam, lparam)) return *handled;
      return DefWindowProc(browser, message, wparam, lparam);
  }
}

}  // namespace

HWND CreateBrowser(HWND top, HINSTANCE instance) {
  RegisterWindowClass(kBrowserClass, BrowserProcedure, instance, WHITE_BRUSH);
  RECT work;
  SystemParametersInfo(SPI_GETWORKAREA, 0, &work, 0);
  HWND browser =
      CreateWindowEx(WS_EX_NODRAG, kBrowserClass, Gallery().title, WS_POPUP, work.left, work.top,
                     work.right - work.left, work.bottom - work.top - kMenuBarHeight, top, nullptr,
                     instance, nullptr);
  if (!browser) return nullptr;
  BrowseRemembered();
  ShowWindow(browser, SW_SHOW);
  return browser;
}

}  // namespace gallery
