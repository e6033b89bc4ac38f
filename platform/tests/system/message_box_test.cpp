// Message boxes and beeps: recorded, answered by default button, by the
// script or by a presenter, from any thread.
#include "platform/message_box.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "platform/handheld.h"
#include "platform/last_error.h"
#include "platform/testing/temp_handheld.h"
#include "platform/threads.h"
#include "platform/time.h"

namespace platform {
namespace {

class MessageBoxTest : public ::testing::Test {
 protected:
  MessageBoxService& service() { return device_.handheld().message_boxes(); }

  testing::TempHandheld device_;
};

TEST_F(MessageBoxTest, HeadlessBoxesGetTheirDefaultButton) {
  EXPECT_EQ(MessageBox(nullptr, "a", "b", MB_OK), IDOK);
  EXPECT_EQ(MessageBox(nullptr, "a", "b", MB_OKCANCEL | MB_ICONEXCLAMATION), IDOK);
  EXPECT_EQ(MessageBox(nullptr, "a", "b", MB_YESNO | MB_DEFBUTTON2), IDNO);
  EXPECT_EQ(MessageBox(nullptr, "a", "b", MB_YESNOCANCEL | MB_DEFBUTTON3), IDCANCEL);
  EXPECT_EQ(MessageBox(nullptr, "a", "b", MB_ABORTRETRYIGNORE | MB_DEFBUTTON2), IDRETRY);
  EXPECT_EQ(MessageBox(nullptr, "a", "b", MB_RETRYCANCEL), IDRETRY);
  // A default button past the last is the first.
  EXPECT_EQ(MessageBox(nullptr, "a", "b", MB_OKCANCEL | MB_DEFBUTTON3), IDOK);
  EXPECT_EQ(service().Boxes().size(), 7u);
}

TEST_F(MessageBoxTest, EachBoxIsRecordedWithWhatAUserWouldSee) {
  const HWND owner = reinterpret_cast<HWND>(0x10004);
  clock::Advance(1'500);
  MessageBox(owner, "Camera is not connected or reset your Pocket PC.", "Quillon Camera",
             MB_OK | MB_ICONERROR);
  std::vector<MessageBoxRecord> boxes = service().Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  const MessageBoxRecord& box = boxes[0];
  EXPECT_EQ(box.request.owner, owner);
  EXPECT_EQ(box.request.text, "Camera is not connected or reset your Pocket PC.");
  EXPECT_EQ(box.request.caption, "Quillon Camera");
  EXPECT_EQ(box.request.icon(), MB_ICONERROR);
  EXPECT_EQ(box.request.buttons(), MB_OK);
  EXPECT_EQ(box.thread_id, GetCurrentThreadId());
  EXPECT_EQ(box.tick, 1'500u);
  EXPECT_EQ(box.answer, IDOK);
  EXPECT_FALSE(box.scripted);

  service().ClearRecord();
  EXPECT_TRUE(service().Boxes().empty());
}

TEST_F(MessageBoxTest, ScriptedAnswersAreUsedInOrder) {
  service().QueueAnswer(IDCANCEL);
  service().QueueAnswer(IDYES);  // not a button of the second box
  service().QueueAnswer(IDNO);
  EXPECT_EQ(MessageBox(nullptr, "Delete?", "Quillon Camera", MB_OKCANCEL | MB_ICONEXCLAMATION),
            IDCANCEL);
  EXPECT_EQ(MessageBox(nullptr, "Saved", "Quillon Camera", MB_OK), IDOK);
  EXPECT_EQ(MessageBox(nullptr, "Delete folder?", "orsagal", MB_YESNO), IDNO);
  EXPECT_EQ(MessageBox(nullptr, "Again?", "orsagal", MB_YESNO), IDYES);  // default again

  std::vector<MessageBoxRecord> boxes = service().Boxes();
  ASSERT_EQ(boxes.size(), 4u);
  EXPECT_TRUE(boxes[0].scripted);
  EXPECT_FALSE(boxes[1].scripted);
  EXPECT_TRUE(boxes[2].scripted);
  EXPECT_FALSE(boxes[3].scripted);
  EXPECT_EQ(service().QueuedAnswers(), 0u);
}

TEST_F(MessageBoxTest, BoxesFromOtherThreadsAreRecordedWithTheirThread) {
  service().QueueAnswer(IDNO);
  service().QueueAnswer(IDNO);
  std::vector<ThreadHandle> threads;
  for (int i = 0; i < 2; ++i) {
    threads.push_back(CreateThread([]() -> DWORD {
      return static_cast<DWORD>(MessageBox(nullptr, "Send?", "orsabeam", MB_YESNO));
    }));
  }
  for (const ThreadHandle& thread : threads) {
    ASSERT_EQ(WaitForSingleObject(*thread, INFINITE), WAIT_OBJECT_0);
    DWORD answer = 0;
    GetExitCodeThread(thread, &answer);
    EXPECT_EQ(answer, static_cast<DWORD>(IDNO));
  }
  std::vector<MessageBoxRecord> boxes = service().Boxes();
  ASSERT_EQ(boxes.size(), 2u);
  std::vector<DWORD> recorded = {boxes[0].thread_id, boxes[1].thread_id};
  std::vector<DWORD> started = {threads[0]->id(), threads[1]->id()};
  std::sort(recorded.begin(), recorded.end());
  std::sort(started.begin(), started.end());
  EXPECT_EQ(recorded, started);
}

class ScriptedPresenter : public MessageBoxPresenter {
 public:
  int Show(const MessageBoxRequest& request) override {
    shown.push_back(request.text);
    return IDRETRY;
  }
  void Beep(UINT type) override { beeps.push_back(type); }

  std::vector<std::string> shown;
  std::vector<UINT> beeps;
};

TEST_F(MessageBoxTest, APresenterAnswersWhenNoScriptedAnswerIsQueued) {
  auto presenter = std::make_shared<ScriptedPresenter>();
  service().SetPresenter(presenter);
  EXPECT_EQ(MessageBox(nullptr, "shown", "c", MB_RETRYCANCEL), IDRETRY);
  service().QueueAnswer(IDCANCEL);
  EXPECT_EQ(MessageBox(nullptr, "scripted", "c", MB_RETRYCANCEL), IDCANCEL);
  MessageBeep(MB_ICONASTERISK);
  EXPECT_EQ(presenter->shown, std::vector<std::string>{"shown"});
  EXPECT_EQ(presenter->beeps, std::vector<UINT>{MB_ICONASTERISK});

  service().SetPresenter(nullptr);
  EXPECT_EQ(MessageBox(nullptr, "headless", "c", MB_RETRYCANCEL | MB_DEFBUTTON2), IDCANCEL);
  EXPECT_EQ(presenter->shown.size(), 1u);
}

TEST_F(MessageBoxTest, AnUnknownButtonTypeIsRefusedAndNotRecorded) {
  EXPECT_EQ(MessageBox(nullptr, "a", "b", 0x7), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_TRUE(service().Boxes().empty());
}

TEST_F(MessageBoxTest, BeepsAreRecorded) {
  EXPECT_TRUE(MessageBeep(MB_ICONASTERISK));
  clock::Advance(20);
  EXPECT_TRUE(MessageBeep(kSimpleBeep));
  std::vector<MessageBeepRecord> beeps = service().Beeps();
  ASSERT_EQ(beeps.size(), 2u);
  EXPECT_EQ(beeps[0].type, MB_ICONASTERISK);
  EXPECT_EQ(beeps[1].type, kSimpleBeep);
  EXPECT_EQ(beeps[1].tick, 20u);
  EXPECT_EQ(beeps[1].thread_id, GetCurrentThreadId());
}

}  // namespace
}  // namespace platform
