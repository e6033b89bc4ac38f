// CCameraDlg: the camera program's one dialog. It owns the start-up after
// the settings (texts, keys, the camera session), routes the buttons,
// keys, commands and private messages, and ends the session in two halves:
// Exit closes the camera, every end of the dialog powers the card down.
#pragma once

#include "application_keys.h"
#include "background_exit.h"
#include "button_bar.h"
#include "camera/settings/settings_store.h"
#include "camera/still/still_capture.h"
#include "camera/video/clip_recorder.h"
#include "platform/dialogs.h"

namespace camera {

// The empty dialog template the main dialog is built from.
inline constexpr platform::UINT kMainDialogTemplate = 102;

// Menu commands.
inline constexpr platform::UINT kCommandMenu = 32771;
inline constexpr platform::UINT kCommandExit = 32827;
inline constexpr platform::UINT kCommandAbout = 32829;
inline constexpr platform::UINT kCommandPlay = 32830;
inline constexpr platform::UINT kCommandVideo = 32837;
inline constexpr platform::UINT kCommandStill = 32839;

class CCameraDlg {
 public:
  // `settings_report` is what the start-up load of the settings found; the
  // person is told about it once the dialog is up.
  CCameraDlg(platform::HINSTANCE instance, SettingsLoadReport settings_report);
  CCameraDlg(const CCameraDlg&) = delete;
  CCameraDlg& operator=(const CCameraDlg&) = delete;

  // Runs the dialog modally; its result.
  platform::INT_PTR DoModal();

 private:
  platform::INT_PTR Procedure(platform::HWND dialog, platform::UINT message,
                              platform::WPARAM wparam, platform::LPARAM lparam);
  bool OnInitDialog(platform::HWND dialog);
  void OnPaint();
  bool OnCommand(platform::UINT id);
  // Keys before they are dispatched; true when one is used up.
  bool PreTranslate(platform::MSG& msg);
  bool OnKeyUp(platform::WPARAM key);
  void RunSettingsSheet();
  void RunAboutBox();
  void Play();
  void SwitchToVideo();
  void SwitchToStill();
  void Exit();
  void OnDestroy();

  platform::HINSTANCE instance_;
  SettingsLoadReport settings_report_;
  platform::HWND dialog_ = nullptr;
  StillCapture still_;
  ClipRecorder clips_;
  ButtonBar bar_;
  ApplicationKeys keys_;
  BackgroundExit background_exit_;
};

}  // namespace camera
