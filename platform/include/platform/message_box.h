// Message boxes and message beeps.
//
// Every box and beep is recorded (text, caption, buttons, icon, thread,
// answer), so that tests and the emulator can see what a user would have
// seen. A box is answered by the next scripted answer when one is queued,
// otherwise by the presenter: headless, that is the box's default button at
// once; the window presenter shows a real modal window.
#pragma once

#include <deque>
#include <memory>
#include <mutex>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/messages.h"
#include "platform/types.h"

namespace platform {

// Buttons.
inline constexpr UINT MB_OK = 0x00000000;
inline constexpr UINT MB_OKCANCEL = 0x00000001;
inline constexpr UINT MB_ABORTRETRYIGNORE = 0x00000002;
inline constexpr UINT MB_YESNOCANCEL = 0x00000003;
inline constexpr UINT MB_YESNO = 0x00000004;
inline constexpr UINT MB_RETRYCANCEL = 0x00000005;
inline constexpr UINT MB_TYPEMASK = 0x0000000F;
// Icons.
inline constexpr UINT MB_ICONHAND = 0x00000010;
inline constexpr UINT MB_ICONQUESTION = 0x00000020;
inline constexpr UINT MB_ICONEXCLAMATION = 0x00000030;
inline constexpr UINT MB_ICONASTERISK = 0x00000040;
inline constexpr UINT MB_ICONERROR = MB_ICONHAND;
inline constexpr UINT MB_ICONSTOP = MB_ICONHAND;
inline constexpr UINT MB_ICONWARNING = MB_ICONEXCLAMATION;
inline constexpr UINT MB_ICONINFORMATION = MB_ICONASTERISK;
inline constexpr UINT MB_ICONMASK = 0x000000F0;
// Default button.
inline constexpr UINT MB_DEFBUTTON1 = 0x00000000;
inline constexpr UINT MB_DEFBUTTON2 = 0x00000100;
inline constexpr UINT MB_DEFBUTTON3 = 0x00000200;
inline constexpr UINT MB_DEFBUTTON4 = 0x00000300;
inline constexpr UINT MB_DEFMASK = 0x00000F00;
// Modality and placement (recorded, no other effect headless).
inline constexpr UINT MB_APPLMODAL = 0x00000000;
inline constexpr UINT MB_SYSTEMMODAL = 0x00001000;
inline constexpr UINT MB_TASKMODAL = 0x00002000;
inline constexpr UINT MB_SETFOREGROUND = 0x00010000;
inline constexpr UINT MB_TOPMOST = 0x00040000;

// Answers.
inline constexpr int IDOK = 1;
inline constexpr int IDCANCEL = 2;
inline constexpr int IDABORT = 3;
inline constexpr int IDRETRY = 4;
inline constexpr int IDIGNORE = 5;
inline constexpr int IDYES = 6;
inline constexpr int IDNO = 7;

// MessageBeep's plain beep; its other sounds are MB_OK and the MB_ICON*
// values.
inline constexpr UINT kSimpleBeep = 0xFFFFFFFFu;

// The buttons of a box type, left to right; empty for an unknown type.
std::span<const int> MessageBoxButtons(UINT type);
// The answer the default button gives (MB_DEFBUTTONn, the first button when
// n is past the last); 0 for an unknown type.
int MessageBoxDefaultAnswer(UINT type);

struct MessageBoxRequest {
  HWND owner = nullptr;
  std::string text;
  std::string caption;
  UINT type = 0;
  UINT buttons() const { return type & MB_TYPEMASK; }
  UINT icon() const { return type & MB_ICONMASK; }
};

struct MessageBoxRecord {
  MessageBoxRequest request;
  DWORD thread_id = 0;
  DWORD tick = 0;  // when it was shown
  int answer = 0;
  bool scripted = false;  // answered from the scripted answers
};

struct MessageBeepRecord {
  UINT type = 0;
  DWORD thread_id = 0;
  DWORD tick = 0;
};

// Shows boxes to a person. Show runs on the calling thread and returns the
// button chosen, as the platform's modal box does.
class MessageBoxPresenter {
 public:
  virtual ~MessageBoxPresenter() = default;
  virtual int Show(const MessageBoxRequest& request) = 0;
  virtual void Beep(UINT type) = 0;
};

// Shows each box as a modal window on the screen, answered by a tap on one
// of its buttons, Enter (the default button) or Escape (Cancel, or OK for a
// box with only OK). The emulator installs it with SetPresenter; without
// it, boxes are answered at once as headless.
std::shared_ptr<MessageBoxPresenter> MakeWindowMessageBoxPresenter();

class MessageBoxService {
 public:
  MessageBoxService();
  ~MessageBoxService();
  MessageBoxService(const MessageBoxService&) = delete;
  MessageBoxService& operator=(const MessageBoxService&) = delete;

  // Null returns to headless.
  void SetPresenter(std::shared_ptr<MessageBoxPresenter> presenter);

  // Answers for the next boxes, used in order. An answer that is not one of
  // the box's buttons is used up and the box gets its default answer.
  void QueueAnswer(int answer);
  void ClearAnswers();
  std::size_t QueuedAnswers() const;

  // What was shown so far.
  std::vector<MessageBoxRecord> Boxes() const;
  std::vector<MessageBeepRecord> Beeps() const;
  void ClearRecord();

  // The calls below, on this service.
  int Show(HWND owner, std::string_view text, std::string_view caption, UINT type);
  BOOL Beep(UINT type);

 private:
  mutable std::mutex mutex_;
  std::shared_ptr<MessageBoxPresenter> presenter_;
  std::deque<int> answers_;
  std::vector<MessageBoxRecord> boxes_;
  std::vector<MessageBeepRecord> beeps_;
};

// The platform calls, acting on Handheld::Current().message_boxes().
// The answer (IDOK, IDYES, ...); 0 with ERROR_INVALID_PARAMETER for an
// unknown button type.
int MessageBox(HWND owner, std::string_view text, std::string_view caption, UINT type);
BOOL MessageBeep(UINT type);

}  // namespace platform
