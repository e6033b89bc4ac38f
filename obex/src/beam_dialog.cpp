#include "beam_dialog.h"

#include <deque>
#include <memory>
#include <mutex>
#include <optional>

#include "beam_dialog_layout.h"
#include "beam_resources.h"
#include "platform/controls/list_box.h"
#include "platform/controls/static.h"
#include "platform/gdi.h"
#include "platform/shell_dialog.h"

namespace obex {

namespace {

using namespace platform;

// To the dialog: the worker queued output to show.
constexpr UINT kMessageWorkerOutput = WM_APP + 1;
// To the dialog: the closing thread saw the worker end.
constexpr UINT kMessageClosed = WM_APP + 2;

struct Output {
  enum class Kind { kStatus, kLog } kind;
  std::string text;
};

// Takes the worker's output on its thread and hands it to the dialog's.
class DialogObserver final : public BeamObserver {
 public:
  explicit DialogObserver(BeamObserver& transcript) : transcript_(transcript) {}

  void OnStatus(const std::string& text) override { Push({Output::Kind::kStatus, text}); }
  void OnLog(const std::string& line) override { Push({Output::Kind::kLog, line}); }

  void Attach(HWND dialog) {
    std::lock_guard lock(mutex_);
    dialog_ = dialog;
  }
  std::deque<Output> Take() {
    std::lock_guard lock(mutex_);
    return std::exchange(queue_, {});
  }

 private:
  void Push(Output output) {
    if (output.kind == Output::Kind::kStatus) {
      transcript_.OnStatus(output.text);
    } else {
      transcript_.OnLog(output.text);
    }
    HWND dialog;
    {
      std::lock_guard lock(mutex_);
      queue_.push_back(std::move(output));
      dialog = dialog_;
    }
    if (dialog) PostMessage(dialog, kMessageWorkerOutput, 0, 0);
  }

  BeamObserver& transcript_;
  std::mutex mutex_;
  HWND dialog_ = nullptr;     // guarded by mutex_
  std::deque<Output> queue_;  // guarded by mutex_
};

class BeamDialog {
 public:
  BeamDialog(HINSTANCE resources, const std::string& path, BeamObserver& transcript)
      : resources_(resources),
        observer_(transcript),
        session_(std::make_unique<BeamSession>(resources, path, observer_)) {}
  ~BeamDialog() {
    session_.reset();  // closes and waits for the worker first
    if (status_font_) DeleteObject(status_font_);
  }
  BeamDialog(const BeamDialog&) = delete;
  BeamDialog& operator=(const BeamDialog&) = delete;

  INT_PTR Procedure(HWND dialog, UINT message, WPARAM wparam, LPARAM) {
    switch (message) {
      case WM_INITDIALOG:
        Initialise(dialog);
        return TRUE;
      case kMessageWorkerOutput:
        ShowOutput(dialog);
        return TRUE;
      case kMessageClosed:
        Finish(dialog);
        return TRUE;
      case WM_COMMAND:
        return Command(dialog, LOWORD(wparam), HIWORD(wparam));
      default:
        return FALSE;
    }
  }

 private:
  void Initialise(HWND dialog) {
    SHINITDLGINFO info;
    info.hDlg = dialog;
    info.dwFlags = SHIDIF_DONEBUTTON | SHIDIF_SIZEDLGFULLSCREEN | SHIDIF_EMPTYMENU;
    SHInitDialog(&info);
    Place(dialog, kControlStatus, dialog::kStatusPlacement);
    Place(dialog, kControlLog, dialog::kLogPlacement);

    LOGFONT font;
    GetObject(GetStockObject(SYSTEM_FONT), sizeof font, &font);
    font.lfHeight = dialog::kStatusFontHeight;
    font.lfWeight = dialog::kStatusFontWeight;
    status_font_ = CreateFontIndirect(&font);
    SendMessage(GetDlgItem(dialog, kControlStatus), WM_SETFONT,
                reinterpret_cast<WPARAM>(status_font_), TRUE);
    SetWindowText(dialog, BeamString(resources_, kStringTitle));
    SendMessage(GetDlgItem(dialog, kControlLog), LB_SETHORIZONTALEXTENT,
                dialog::kLogHorizontalExtent, 0);

    observer_.Attach(dialog);
    if (!session_->Start()) observer_.OnLog("Can't start the send worker");
  }

  static void Place(HWND dialog, UINT id, const dialog::Placement& at) {
    MoveWindow(GetDlgItem(dialog, id), at.x, at.y, at.width, at.height, TRUE);
  }

  void ShowOutput(HWND dialog) {
    for (const Output& output : observer_.Take()) {
      if (output.kind == Output::Kind::kStatus) {
        SetDlgItemText(dialog, kControlStatus, output.text);
        continue;
      }
      const HWND log = GetDlgItem(dialog, kControlLog);
      const LRESULT line =
          SendMessage(log, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(output.text.c_str()));
      if (line >= 0) SendMessage(log, LB_SETCURSEL, static_cast<WPARAM>(line), 0);
    }
  }

  INT_PTR Command(HWND dialog, UINT id, UINT code) {
    if (id == dialog::kCommandOk || id == dialog::kCommandCancel) {
      // The closing thread may wait for a worker blocked in the network;
      // the dialog keeps showing its output meanwhile. A second close
      // joins the first.
      session_->StartClosing([dialog] { PostMessage(dialog, kMessageClosed, 0, 0); });
      return TRUE;
    }
    if (id == kControlLogSwitch && code == STN_CLICKED) {
      if (log_switch_.Click()) ShowWindow(GetDlgItem(dialog, kControlLog), SW_SHOW);
      return TRUE;
    }
    return FALSE;
  }

  // The worker has ended: show its last words, release the font (here,
  // on the thread whose control draws with it) and end.
  void Finish(HWND dialog) {
    ShowOutput(dialog);
    observer_.Attach(nullptr);
    SendMessage(GetDlgItem(dialog, kControlStatus), WM_SETFONT, 0, FALSE);
    if (status_font_) DeleteObject(status_font_);
    status_font_ = nullptr;
    EndDialog(dialog, 0);
  }

  HINSTANCE resources_;
  DialogObserver observer_;
  std::unique_ptr<BeamSession> session_;
  HFONT status_font_ = nullptr;
  dialog::HiddenLogSwitch log_switch_;
};

}  // namespace

INT_PTR RunBeamDialog(HINSTANCE resources, HWND parent, const std::string& path,
                      BeamObserver& transcript) {
  BeamDialog dialog(resources, path, transcript);
  return DialogBoxParam(
      resources, kDialogBeam, parent,
      [&dialog](HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
        return dialog.Procedure(window, message, wparam, lparam);
      },
      0);
}

}  // namespace obex
