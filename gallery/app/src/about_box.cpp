#include "about_box.h"

#include "gallery/options/gallery_options.h"
#include "gallery/resources/dialog_ids.h"
#include "gallery/resources/string_ids.h"
#include "gallery_state.h"
#include "help.h"
#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/gdi.h"
#include "platform/shell_dialog.h"
#include "platform/window_paint.h"
#include "view/external_display.h"

namespace gallery {

namespace {

using namespace platform;

constexpr int kHiddenPictureWidth = 80;
constexpr int kHiddenPictureHeight = 62;

void DrawHiddenPicture(HDC dc) {
  HBITMAP picture = LoadBitmap(Gallery().instance, kBitmapHiddenPicture);
  if (!picture) return;
  TransparentImage(dc, kHiddenPictureX, kHiddenPictureY, kHiddenPictureWidth, kHiddenPictureHeight,
                   picture, 0, 0, kHiddenPictureWidth, kHiddenPictureHeight, RGB(0, 0, 0));
  DeleteObject(picture);
}

void Initialise(HWND box) {
  SHINITDLGINFO info;
  info.hDlg = box;
  info.dwFlags = SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_EMPTYMENU;
  SHInitDialog(&info);
  SetDlgItemText(box, kAboutVersion, kOptionsVersion);
  SetDlgItemText(box, kAboutExternalDisplay, BrowserExternalDisplay().Describe());
}

INT_PTR AboutProcedure(HWND box, UINT message, WPARAM wparam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      Initialise(box);
      return TRUE;
    case WM_COMMAND:
      switch (LOWORD(wparam)) {
        case IDOK:
        case IDCANCEL:
          EndDialog(box, LOWORD(wparam));
          return TRUE;
        case kAboutVersion:
          if (HIWORD(wparam) != STN_CLICKED) return FALSE;
          if (++Gallery().about_taps >= kTapsForHiddenPicture) InvalidateRect(box, nullptr, TRUE);
          return TRUE;
        default:
          return FALSE;
      }
    case WM_PAINT: {
      if (Gallery().about_taps < kTapsForHiddenPicture) return FALSE;
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(box, &paint);
      DrawHiddenPicture(dc);
      EndPaint(box, &paint);
      return TRUE;
    }
    case WM_HELP:
      ShowHelp(kHelpOverview);
      return TRUE;
    default:
      return FALSE;
  }
}

}  // namespace

void RunAboutBox(HWND browser) {
  DialogBox(Gallery().resources, kDialogAbout, browser, AboutProcedure);
}

}  // namespace gallery
