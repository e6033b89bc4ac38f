// The recorder's window, its buttons and the capture's messages. A
// recording ends in three ways (Stop, a new current picture, Close); each
// asks the device to hand its buffers back, and only when the device has
// closed is the note written, then the path switched or the window closed.
#include "recorder_window.h"

#include <algorithm>
#include <memory>

#include "command_line.h"
#include "file_operations/operation_texts.h"
#include "gallery/app/orsagal.h"
#include "gallery/resources/string_ids.h"
#include "gallery_state.h"
#include "note_capture.h"
#include "note_writer.h"
#include "platform/common_controls/toolbar.h"
#include "platform/controls.h"
#include "platform/files.h"
#include "platform/gdi.h"
#include "platform/message_box.h"
#include "platform/sound.h"
#include "resource_texts.h"
#include "window_class.h"

namespace gallery {

namespace {

using namespace platform;

constexpr UINT kGripBitmap = 111;
constexpr UINT kToolbarBitmap = 110;
constexpr int kGripWidth = 12;
constexpr int kGripHeight = 24;
constexpr int kCloseCommand = 2;
// The stylus's place on the grip while it drags the window.
constexpr int kGripHoldX = 7;
constexpr int kGripHoldY = 11;

struct Recorder {
  HWND browser = nullptr;
  HWND window = nullptr;
  HWND toolbar = nullptr;
  HWND grip = nullptr;
  HBITMAP grip_bitmap = nullptr;
  std::string path;
  std::string pending;
  NoteCapture capture;
  bool recording = false;
  bool close_requested = false;
  bool switch_pending = false;
  bool dragging = false;
};

// Only the user-interface thread touches it.
std::unique_ptr<Recorder> recorder;

void Enable(UINT button, bool enable) {
  SendMessage(recorder->toolbar, TB_ENABLEBUTTON, button, enable ? TRUE : FALSE);
}

bool NoteExists(const std::string& path) {
  if (path.empty()) return false;
  const DWORD attributes = GetFileAttributes(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}

// Record with a path; Play, Delete and Stop when there is a note to use.
void ShowIdleButtons() {
  const bool note = NoteExists(recorder->path);
  Enable(kRecorderRecord, !recorder->path.empty());
  Enable(kRecorderPlay, note);
  Enable(kRecorderDelete, note);
  Enable(kRecorderStop, note);
}

void StopSound() { PlaySound("", nullptr, 0); }

void SwitchPath() {
  recorder->path = recorder->pending;
  recorder->switch_pending = false;
  if (recorder->window) ShowIdleButtons();
}

// The window's end cleans up (OnDestroy), whoever destroys it.
void DestroyRecorder() {
  SendMessage(recorder->browser, kMessageRecorderClosed, 0, 0);
  DestroyWindow(recorder->window);
}

void SaveNote(const std::vector<BYTE>& data, bool* written) {
  DWORD error = 0;
  *written = WriteVoiceNote(recorder->path, recorder->capture.format(), data, &error);
  if (!*written) {
    ErrorBox(recorder->window, NameText(kStringNoteNotSaved, FileNameOf(recorder->path)));
  }
}

void Record() {
  if (recorder->recording || recorder->path.empty()) return;
  StopSound();
  if (!recorder->capture.Open(recorder->window, Gallery().recorder_audio)) {
    ResourceMessage(recorder->window, kStringErrorCaption, kStringSoundInputRefused,
                    MB_OK | MB_ICONEXCLAMATION);
  }
}

void Stop() {
  StopSound();
  if (recorder->recording) recorder->capture.RequestStop();
}

void Play() {
  if (!recorder->path.empty()) {
    PlaySound(recorder->path, nullptr, SND_ASYNC | SND_NODEFAULT | SND_FILENAME);
  }
}

void Delete() {
  StopSound();
  if (!ConfirmBox(recorder->window, FileNameOf(recorder->path), kStringDeleteCaption)) return;
  if (!DeleteFile(recorder->path)) {
    ErrorBox(recorder->window, CountText(kStringOtherError, static_cast<int>(GetLastError())));
    return;
  }
  Enable(kRecorderPlay, false);
  Enable(kRecorderDelete, false);
  Enable(kRecorderStop, false);
  SendMessage(recorder->browser, kMessageVoiceNoteDeleted, 0, 0);
}

void Close() {
  if (recorder->recording) {
    recorder->close_requested = true;
    recorder->capture.RequestStop();
    return;
  }
  DestroyRecorder();
}

void OnCommand(UINT command) {
  switch (command) {
    case kRecorderRecord:
      Record();
      break;
    case kRecorderStop:
      Stop();
      break;
    case kRecorderPlay:
      Play();
      break;
    case kRecorderDelete:
      Delete();
      break;
    case kRecorderClose:
    case kCloseCommand:
      Close();
      break;
    default:
      break;
  }
}

void OnDeviceOpened() {
  Enable(kRecorderStop, true);
  Enable(kRecorderRecord, false);
  Enable(kRecorderPlay, false);
  Enable(kRecorderDelete, false);
  recorder->recording = true;
  recorder->capture.Start();
}

// The device has closed: the note is written whole or not at all, and the
// person hears when it could not be.
void OnDeviceClosed() {
  const std::vector<BYTE> data = recorder->capture.Finish();
  recorder->recording = false;
  bool written = false;
  SaveNote(data, &written);
  ShowIdleButtons();
  if (recorder->switch_pending) SwitchPath();
  HWND browser = recorder->browser;
  if (recorder->close_requested) DestroyRecorder();
  if (written) SendMessage(browser, kMessageVoiceNoteRecorded, 0, 0);
}

// The window goes (closed, or with the browser at the program's end): a
// recording in progress is saved first.
void OnDestroy() {
  if (recorder->recording) {
    bool written = false;
    SaveNote(recorder->capture.FinishNow(), &written);
  }
  recorder->capture.Finish();
  if (recorder->grip_bitmap) DeleteObject(recorder->grip_bitmap);
  recorder.reset();
}

LRESULT RecorderProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (!recorder || recorder->window != window)
    return DefWindowProc(window, message, wparam, lparam);
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wparam));
      return 0;
    case MM_WIM_OPEN:
      OnDeviceOpened();
      return 0;
    case MM_WIM_DATA:
      recorder->capture.TakeBuffer(reinterpret_cast<WAVEHDR*>(lparam));
      return 0;
    case MM_WIM_CLOSE:
      OnDeviceClosed();
      return 0;
    case WM_DESTROY:
      OnDestroy();
      return 0;
    default:
      return DefWindowProc(window, message, wparam, lparam);
  }
}

// The grip drags the window along with the stylus, within its band.
void DragTo(HWND grip, LPARAM lparam) {
  POINT point{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
  ClientToScreen(grip, &point);
  const int y = std::clamp(static_cast<int>(point.y) - kGripHoldY, kRecorderTopmostY, kRecorderY);
  MoveWindow(recorder->window, point.x - kGripHoldX, y, kRecorderWidth, kRecorderHeight, TRUE);
}

void MakeGripDrag(HWND grip) {
  WindowProcedure original = GetWindowProcedure(grip);
  SetWindowProcedure(grip,
                     [original](HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) -> LRESULT {
                       switch (message) {
                         case WM_LBUTTONDOWN:
                           if (recorder) recorder->dragging = true;
                           SetCapture(hwnd);
                           return 0;
                         case WM_MOUSEMOVE:
                           if (recorder && recorder->dragging) DragTo(hwnd, lparam);
                           return 0;
                         case WM_LBUTTONUP:
                           if (recorder) recorder->dragging = false;
                           ReleaseCapture();
                           return 0;
                         default:
                           return CallWindowProc(original, hwnd, message, wparam, lparam);
                       }
                     });
}

HWND MakeToolbar(HWND window, HINSTANCE instance) {
  constexpr int kGap = 2;
  const TBBUTTON buttons[] = {
      {kGap, 0, 0, TBSTYLE_SEP},
      {kGap, 0, 0, TBSTYLE_SEP},
      {0, static_cast<int>(kRecorderRecord), TBSTATE_ENABLED, TBSTYLE_BUTTON},
      {2, static_cast<int>(kRecorderStop), TBSTATE_ENABLED, TBSTYLE_BUTTON},
      {1, static_cast<int>(kRecorderPlay), TBSTATE_ENABLED, TBSTYLE_BUTTON},
      {3, static_cast<int>(kRecorderDelete), TBSTATE_ENABLED, TBSTYLE_BUTTON},
      {kGap, 0, 0, TBSTYLE_SEP},
      {4, static_cast<int>(kRecorderClose), TBSTATE_ENABLED, TBSTYLE_BUTTON},
  };
  HWND toolbar = CreateToolbarEx(
      window,
      WS_CHILD | WS_VISIBLE | TBSTYLE_FLAT | CCS_NODIVIDER | CCS_NORESIZE | CCS_NOPARENTALIGN,
      kRecorderToolbar, 5, instance, kToolbarBitmap, buttons, static_cast<int>(std::size(buttons)),
      17, 22, 16, 16, sizeof(TBBUTTON));
  if (toolbar) MoveWindow(toolbar, kGripWidth, 0, kRecorderWidth - kGripWidth - 2, 24, FALSE);
  return toolbar;
}

}  // namespace

void OpenRecorder(HWND browser, const std::string& note_path) {
  if (recorder) return;
  const HINSTANCE instance = Gallery().instance;
  RegisterWindowClass(kRecorderClass, RecorderProcedure, instance, LTGRAY_BRUSH);
  recorder = std::make_unique<Recorder>();
  recorder->browser = browser;
  recorder->path = note_path;
  recorder->pending = note_path;
  // Titled like the program, so the title bar keeps its name while it is in front.
  recorder->window = CreateWindowEx(
      0, kRecorderClass, Gallery().title, WS_POPUP | WS_BORDER | WS_VISIBLE, kRecorderX, kRecorderY,
      kRecorderWidth, kRecorderHeight, browser, nullptr, instance, nullptr);
  if (!recorder->window) {
    recorder.reset();
    SendMessage(browser, kMessageRecorderClosed, 0, 0);
    return;
  }
  recorder->grip = CreateWindowEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_BITMAP | SS_NOTIFY, 0,
                                  0, kGripWidth, kGripHeight, recorder->window,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(kRecorderGrip)),
                                  instance, nullptr);
  recorder->grip_bitmap = LoadBitmap(instance, kGripBitmap);
  SendMessage(recorder->grip, STM_SETIMAGE, IMAGE_BITMAP,
              reinterpret_cast<LPARAM>(recorder->grip_bitmap));
  MakeGripDrag(recorder->grip);
  recorder->toolbar = MakeToolbar(recorder->window, instance);
  ShowIdleButtons();
}

void CloseRecorder() {
  if (recorder) Close();
}

void ForgetLeftRecorder() {
  if (!recorder) return;
  // Its windows went with the program that made them; what it held here
  // did not.
  if (recorder->grip_bitmap) DeleteObject(recorder->grip_bitmap);
  recorder.reset();
}

void SetRecorderPath(const std::string& note_path) {
  if (!recorder) return;
  recorder->pending = note_path;
  if (recorder->recording) {
    recorder->switch_pending = true;
    recorder->capture.RequestStop();
  } else {
    SwitchPath();
  }
}

}  // namespace gallery
