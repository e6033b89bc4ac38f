#include "camera_dialog.h"

#include "camera/session/camera_messages.h"
#include "camera/session/camera_session.h"
#include "camera/session/camera_state.h"
#include "camera/session/overlays.h"
#include "camera/session/preview_window.h"
#include "camera/session/watchdog.h"
#include "camera/session/zoom.h"
#include "camera/settings/camera_settings.h"
#include "camera/settings/settings_writers.h"
#include "camera/strings/string_library.h"
#include "camera_menus.h"
#include "help.h"
#include "modal_children.h"
#include "platform/screen.h"
#include "platform/shell_state.h"
#include "platform/threads.h"
#include "platform/time.h"
#include "platform/window_paint.h"

namespace camera {

using namespace platform;

namespace {

constexpr UINT kCaptionString = 50004;
// The driver takes the new options before the stream starts again.
constexpr DWORD kOptionsSettleMs = 100;

}  // namespace

CCameraDlg::CCameraDlg(HINSTANCE instance, SettingsLoadReport settings_report)
    : instance_(instance),
      settings_report_(std::move(settings_report)),
      still_(
          StillCaptureProgram{.enable_capture_commands =
                                  [this](bool enabled) { EnableCaptureCommands(dialog_, enabled); },
                              .toggle_clip = [this] { clips_.Toggle(ToggleSource::kShutter); }}),
      clips_(ClipRecorderProgram{.enable_capture_commands = [this](bool enabled) {
        EnableCaptureCommands(dialog_, enabled);
      }}) {}

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
      OpenCameraHelp();
      return TRUE;
    case WM_CAM_SNAPSHOT:
      still_.TakePicture(Settings().resolution);
      return TRUE;
    case WM_CAM_REFRESH:
      // A second more of the clip: the status area follows.
      InvalidatePreview();
      return TRUE;
    case WM_CAM_TOGGLE_RECORD:
      clips_.Toggle(ToggleSource::kMessage);
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
  // Still at every start, also when an earlier run of this handheld left
  // Video: the menu bar below is checked from it.
  Camera().mode = CameraMode::kStill;
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
  still_.Attach();
  clips_.Attach();
  // Settings that could not be read were reset at load: said once, here,
  // since the load wrote the defaults back.
  ShowSettingsNotice(settings_report_, dialog, LocalizedText(kCaptionString));
  return true;
}

void CCameraDlg::OnPaint() {
  PAINTSTRUCT paint;
  HDC dc = BeginPaint(dialog_, &paint);
  bar_.PaintBackground(dc);
  EndPaint(dialog_, &paint);
}

bool CCameraDlg::OnCommand(UINT id) {
  // A capture blocks this thread; what arrives through a box it shows waits
  // for nothing. While a clip is recorded only the shutter acts.
  if (Camera().capturing && id >= kShutterButton && id <= kZoomInButton) return true;
  if (Camera().recording && id >= kMenuButton && id <= kZoomInButton) return true;
  // The greyed commands may still arrive posted.
  if (Camera().recording && IsCaptureCommand(id)) return true;
  switch (id) {
    case kShutterButton:
      still_.PressShutter(ShutterSource::kShutterButton);
      return true;
    case kMenuButton:
    case kCommandMenu:
      RunSettingsSheet();
      return true;
    case kPlayButton:
    case kCommandPlay:
      Play();
      return true;
    case kCommandAbout:
      RunAboutBox();
      return true;
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
  return OnKeyUp(msg.wParam);
}

bool CCameraDlg::OnKeyUp(WPARAM key) {
  // A refused shutter press and a zoom step beyond the last level are used
  // up; every other key goes on.
  if (key == kActionKey) {
    if (Camera().capturing) return true;
    return !still_.PressShutter(ShutterSource::kActionKey);
  }
  const bool application_key = key >= kApplicationKey1 && key <= kApplicationKey4;
  if (!application_key) return false;
  // While a clip is recorded or a picture taken the application keys do
  // nothing.
  if (Camera().recording || Camera().capturing) return false;
  switch (key) {
    case kApplicationKey1:
      RunSettingsSheet();
      return false;
    case kApplicationKey2:
      Play();
      return false;
    case kApplicationKey3:
      return !ZoomOut();
    default:
      return !ZoomIn();
  }
}

void CCameraDlg::RunSettingsSheet() {
  RemoveCameraMenuBar(dialog_);
  StopPreview();
  if (camera::RunSettingsSheet(dialog_)) {
    SendOptions();
    Sleep(kOptionsSettleMs);
  }
  LoadOverlayBitmaps();
  RestartPreviewForSettings();
  CreateCameraMenuBar(dialog_, instance_);
}

void CCameraDlg::RunAboutBox() {
  StopPreview();
  camera::RunAboutBox(dialog_);
  StartPreview(PreviewCaptureType());
}

void CCameraDlg::Play() {
  // The gallery takes over: the camera ends at once.
  if (still_.OpenGallery()) EndDialog(dialog_, IDOK);
}

void CCameraDlg::SwitchToVideo() {
  Camera().mode = CameraMode::kVideo;
  Camera().recording = false;
  still_.StopSelfTimer();
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
  clips_.FinishOpenClip();
  if (Camera().capturing) {
    // Chosen from a box the capture shows: Exit comes again once the
    // capture is over, instead of waiting on the thread that must finish it.
    PostMessage(dialog_, WM_COMMAND, kCommandExit, 0);
    return;
  }
  CloseCamera();
  bar_.Release();
  EndDialog(dialog_, IDOK);
}

void CCameraDlg::OnDestroy() {
  // However the dialog ends (the card pulled, the watchdog, the background
  // exit), a clip being recorded is closed whole and told.
  if (Camera().mode == CameraMode::kVideo) clips_.FinishOpenClip();
  background_exit_.Stop();
  EndCameraSession();
  keys_.Release();
}

}  // namespace camera
