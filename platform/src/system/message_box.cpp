// Message boxes and beeps: recorded, answered from the script or by the
// presenter.
#include "platform/message_box.h"

#include <algorithm>
#include <array>

#include "platform/handheld.h"
#include "platform/last_error.h"
#include "platform/threads.h"
#include "platform/time.h"

namespace platform {

namespace {

constexpr std::array<std::array<int, 3>, 6> kButtons = {{
    {IDOK, 0, 0},
    {IDOK, IDCANCEL, 0},
    {IDABORT, IDRETRY, IDIGNORE},
    {IDYES, IDNO, IDCANCEL},
    {IDYES, IDNO, 0},
    {IDRETRY, IDCANCEL, 0},
}};

bool Offers(UINT type, int answer) {
  std::span<const int> buttons = MessageBoxButtons(type);
  return std::find(buttons.begin(), buttons.end(), answer) != buttons.end();
}

}  // namespace

std::span<const int> MessageBoxButtons(UINT type) {
  const UINT kind = type & MB_TYPEMASK;
  if (kind >= kButtons.size()) return {};
  const auto& row = kButtons[kind];
  return std::span<const int>(row.data(), std::find(row.begin(), row.end(), 0) - row.begin());
}

int MessageBoxDefaultAnswer(UINT type) {
  std::span<const int> buttons = MessageBoxButtons(type);
  if (buttons.empty()) return 0;
  const std::size_t index = (type & MB_DEFMASK) >> 8;
  return buttons[index < buttons.size() ? index : 0];
}

MessageBoxService::MessageBoxService() = default;
MessageBoxService::~MessageBoxService() = default;

void MessageBoxService::SetPresenter(std::shared_ptr<MessageBoxPresenter> presenter) {
  std::lock_guard lock(mutex_);
  presenter_ = std::move(presenter);
}

void MessageBoxService::QueueAnswer(int answer) {
  std::lock_guard lock(mutex_);
  answers_.push_back(answer);
}

void MessageBoxService::ClearAnswers() {
  std::lock_guard lock(mutex_);
  answers_.clear();
}

std::size_t MessageBoxService::QueuedAnswers() const {
  std::lock_guard lock(mutex_);
  return answers_.size();
}

std::vector<MessageBoxRecord> MessageBoxService::Boxes() const {
  std::lock_guard lock(mutex_);
  return boxes_;
}

std::vector<MessageBeepRecord> MessageBoxService::Beeps() const {
  std::lock_guard lock(mutex_);
  return beeps_;
}

void MessageBoxService::ClearRecord() {
  std::lock_guard lock(mutex_);
  boxes_.clear();
  beeps_.clear();
}

int MessageBoxService::Show(HWND owner, std::string_view text, std::string_view caption,
                            UINT type) {
  if (MessageBoxButtons(type).empty()) {
    SetLastError(ERROR_INVALID_PARAMETER);
    return 0;
  }
  MessageBoxRecord record;
  record.request = {owner, std::string(text), std::string(caption), type};
  record.thread_id = GetCurrentThreadId();
  record.tick = GetTickCount();
  std::shared_ptr<MessageBoxPresenter> presenter;
  {
    std::lock_guard lock(mutex_);
    if (!answers_.empty()) {
      const int scripted = answers_.front();
      answers_.pop_front();
      record.scripted = Offers(type, scripted);
      record.answer = record.scripted ? scripted : MessageBoxDefaultAnswer(type);
    } else {
      presenter = presenter_;
    }
  }
  if (presenter) {
    // Runs modally on this thread, with no lock of ours held.
    record.answer = presenter->Show(record.request);
  } else if (record.answer == 0) {
    record.answer = MessageBoxDefaultAnswer(type);
  }
  const int answer = record.answer;
  std::lock_guard lock(mutex_);
  boxes_.push_back(std::move(record));
  return answer;
}

BOOL MessageBoxService::Beep(UINT type) {
  const MessageBeepRecord record{type, GetCurrentThreadId(), GetTickCount()};
  std::shared_ptr<MessageBoxPresenter> presenter;
  {
    std::lock_guard lock(mutex_);
    beeps_.push_back(record);
    presenter = presenter_;
  }
  if (presenter) presenter->Beep(type);
  return TRUE;
}

int MessageBox(HWND owner, std::string_view text, std::string_view caption, UINT type) {
  return Handheld::Current().message_boxes().Show(owner, text, caption, type);
}

BOOL MessageBeep(UINT type) { return Handheld::Current().message_boxes().Beep(type); }

}  // namespace platform
