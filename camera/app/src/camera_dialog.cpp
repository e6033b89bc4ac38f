#include "camera_dialog.h"

#include "camera/session/camera_session.h"
#include "camera/session/camera_state.h"
#include "camera/session/overlays.h"
#include "camera/session/watchdog.h"
#include "camera/session/zoom.h"
#include "camera/settings/camera_settings.h"
#include "camera/settings/settings_writers.h"
#include "camera/strings/string_library.h"
#include "camera_menus.h"
#include "platform/programs.h"
#include "platform/screen.h"
#include "platform/shell_state.h"
#include "platform/threads.h"
#include "platform/time.h"
#include "platform/window_paint.h"

namespace camera {

using namespace platform;

namespace {

constexpr UINT kCaptionString = 50004;
// How often Exit looks whether a capture has finished.
constexpr DWORD kCapturePollMs = 25;

}  // namespace

INT_PTR CCameraDlg::DoModal() {
  return DialogBoxParam(
      instance_, kMainDialogTemplate, nullptr,
      [this](HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
        return Procedure(dialog, message, wparam, lparam);
      },
      0);
}

INT_PTR CCameraDlg::Procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG:
      OnInitDialog(dialog);
      return TRUE;
    case WM_PAINT:
      OnPaint();
      return TRUE;
    case WM_CTLCOLORDLG:
      // Below the bar, down to the menu bar, the dialog stays dark.
      return reinterpret_cast<INT_PTR>(GetStockObject(BLACK_BRUSH));
    case WM_TIMER:
      if (wparam == kWatchdogTimerId) WatchdogTick();
      return TRUE;
    case WM_DRAWITEM:
      return bar_.DrawButton(*reinterpret_cast<const DRAWITEMSTRUCT*>(lparam)) ? TRUE : FALSE;
    case WM_COMMAND:
      return OnCommand(LOWORD(wparam)) ? TRUE : FALSE;
    case WM_HELP:
      // The help viewer may be missing; nothing is said then.
      CreateProcess("peghelp.exe", "file:Quillon Mobile Camera Help.htm");
      return TRUE;
    case WM_CLOSE:
      // Ends the dialog without the Exit steps; the destroy steps follow.
      EndDialog(dialog, IDCANCEL);
      return TRUE;
    case WM_DESTROY:
      OnDestroy();
      return FALSE;
    default:
      return FALSE;
  }
}

bool CCameraDlg::OnInitDialog(HWND dialog) {
  dialog_ = dialog;
  // The whole screen above the menu bar: the preview on top, the button
  // bar below it.
  SHFullScreen(dialog, SHFS_HIDETASKBAR | SHFS_HIDESIPBUTTON);
  MoveWindow(dialog, 0, 0, screen::kWidth, screen::kHeight - shell::kMenuBarHeight, FALSE);
  Settings().zoomed_still_size = 2;
  Camera().zoom_level = 0;
  if (!LoadStringLibrary(dialog)) {
    EndDialog(dialog, -1);
    return false;
  }
  SetWindowText(dialog, LocalizedText(kCaptionString));
  SetDialogPreTranslateHook(dialog, [this](MSG& msg) { return PreTranslate(msg); });
  keys_.TakeOver(dialog);
  CreateCameraMenuBar(dialog, instance_);
  bar_.LoadBackground(instance_);
  ProgramOpenSteps steps;
  steps.create_buttons = [this] { bar_.CreateButtons(dialog_, instance_); };
  steps.start_background_exit = [this] { background_exit_.Start(dialog_); };
  if (!OpenCamera(dialog, instance_, steps)) {
    EndDialog(dialog, -1);
    return false;
  }
  return true;
}

void CCameraDlg::OnPaint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(dialog_, &paint);
  bar_.PaintBackground(dc);
  EndPaint(dialog_, &paint);
}

bool CCameraDlg::OnCommand(UINT id) {
  // While a clip is recorded only the shutter acts.
  if (Camera().recording && id >= kMenuButton && id <= kZoomInButton) return true;
  switch (id) {
    case kZoomOutButton:
      ZoomOut();
      return true;
    case kZoomInButton:
      ZoomIn();
      return true;
    case kCommandVideo:
      SwitchToVideo();
      return true;
    case kCommandStill:
      SwitchToStill();
      return true;
    case kCommandExit:
    case IDOK:
      Exit();
      return true;
    case IDCANCEL:
      EndDialog(dialog_, IDCANCEL);
      return true;
    default:
      return false;
  }
}

bool CCameraDlg::PreTranslate(MSG& msg) {
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_RETURN) return true;
  if (msg.message != WM_KEYUP) return false;
  // While a clip is recorded the application keys do nothing.
  if (Camera().recording) return false;
  switch (msg.wParam) {
    case kApplicationKey3:
      // A step beyond the last zoom level is used up; any other goes on.
      return !ZoomOut();
    case kApplicationKey4:
      return !ZoomIn();
    default:
      return false;
  }
}

void CCameraDlg::SwitchToVideo() {
  Camera().mode = CameraMode::kVideo;
  Camera().recording = false;
  TurnOffStillOnlySettings();
  CheckModeItems(dialog_);
  LoadFramingOverlay();
}

void CCameraDlg::SwitchToStill() {
  Camera().mode = CameraMode::kStill;
  CheckModeItems(dialog_);
  LoadFramingOverlay();
}

void CCameraDlg::Exit() {
  while (Camera().capturing) Sleep(kCapturePollMs);
  CloseCamera();
  bar_.Release();
  EndDialog(dialog_, IDOK);
}

void CCameraDlg::OnDestroy() {
  background_exit_.Stop();
  EndCameraSession();
  keys_.Release();
}

}  // namespace camera
