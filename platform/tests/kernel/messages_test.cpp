// Message queues, sent messages and timers.
#include "platform/messages.h"

#include <gtest/gtest.h>

#include <vector>

#include "platform/last_error.h"
#include "platform/testing/temp_handheld.h"
#include "platform/threads.h"
#include "platform/time.h"

namespace platform {
namespace {

constexpr UINT kPing = WM_USER + 1;
constexpr UINT kPong = WM_USER + 2;

class MessagesTest : public ::testing::Test {
 protected:
  testing::TempHandheld device_;
};

// Runs a message loop on a new thread around a target whose procedure is
// given; the target is handed back once it exists.
struct LoopThread {
  ThreadHandle thread;
  HWND target = nullptr;
};

LoopThread StartLoop(WindowProcedure procedure) {
  auto ready = CreateEvent(true, false);
  LoopThread loop;
  loop.thread = CreateThread([&loop, ready, procedure]() -> DWORD {
    loop.target = CreateMessageTarget(procedure);
    SetEvent(ready);
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0) > 0) DispatchMessage(&msg);
    return static_cast<DWORD>(msg.wParam);
  });
  WaitForSingleObject(*ready, INFINITE);
  return loop;
}

TEST_F(MessagesTest, CrossThreadSendReturnsTheReceiversResult) {
  DWORD handled_on = 0;
  LoopThread loop = StartLoop([&](HWND, UINT message, WPARAM w, LPARAM l) -> LRESULT {
    if (message != kPing) return 0;
    handled_on = GetCurrentThreadId();
    Sleep(50);  // the sender waits for the owner, however long it takes
    return static_cast<LRESULT>(w * 100 + l);
  });
  EXPECT_EQ(SendMessage(loop.target, kPing, 4, 2), 402);
  EXPECT_EQ(handled_on, loop.thread->id());
  EXPECT_EQ(clock::NowMs(), 50u);
  PostMessage(loop.target, WM_NULL, 0, 0);
  PostThreadMessage(loop.thread->id(), WM_QUIT, 9, 0);
  PostQuitMessage(0);  // ours, not the loop's
  MSG quit;
  EXPECT_EQ(GetMessage(&quit, nullptr, 0, 0), FALSE);
  WaitForSingleObject(*loop.thread, INFINITE);
}

TEST_F(MessagesTest, SendersHandleMessagesSentToThemWhileWaiting) {
  HWND mine = CreateMessageTarget(
      [](HWND, UINT message, WPARAM, LPARAM) -> LRESULT { return message == kPong ? 7 : 0; });
  LoopThread loop = StartLoop([&](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
    // Sends back to the thread that is waiting in its own send.
    if (message == kPing) return SendMessage(mine, kPong, 0, 0) + 1;
    if (message == WM_CLOSE) PostQuitMessage(0);
    return 0;
  });
  EXPECT_EQ(SendMessage(loop.target, kPing, 0, 0), 8);
  PostMessage(loop.target, WM_CLOSE, 0, 0);
  WaitForSingleObject(*loop.thread, INFINITE);
  // The loop's target went with its thread.
  EXPECT_EQ(SendMessage(loop.target, kPing, 0, 0), 0);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
  EXPECT_FALSE(PostMessage(loop.target, kPing, 0, 0));
}

TEST_F(MessagesTest, PeekAndGetFollowPostingOrderAndFilters) {
  HWND target = CreateMessageTarget([](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; });
  MSG msg;
  EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
  PostMessage(target, kPing, 1, 0);
  PostMessage(nullptr, kPong, 2, 0);
  PostMessage(target, kPing, 3, 0);

  ASSERT_TRUE(PeekMessage(&msg, nullptr, 0, 0, PM_NOREMOVE));
  EXPECT_EQ(msg.wParam, 1u);
  ASSERT_TRUE(PeekMessage(&msg, nullptr, kPong, kPong, PM_REMOVE));
  EXPECT_EQ(msg.wParam, 2u);
  EXPECT_EQ(msg.hwnd, nullptr);
  ASSERT_EQ(GetMessage(&msg, target, 0, 0), TRUE);
  EXPECT_EQ(msg.wParam, 1u);
  ASSERT_EQ(GetMessage(&msg, nullptr, 0, 0), TRUE);
  EXPECT_EQ(msg.wParam, 3u);
  EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));

  PostQuitMessage(5);
  EXPECT_EQ(GetMessage(&msg, nullptr, 0, 0), FALSE);
  EXPECT_EQ(msg.message, WM_QUIT);
  EXPECT_EQ(msg.wParam, 5u);
  EXPECT_FALSE(PostThreadMessage(0xDEAD, kPing, 0, 0));
}

TEST_F(MessagesTest, ThreadTimerFiresInsideTheOwnersMessageLoop) {
  std::vector<std::pair<DWORD, DWORD>> ticks;  // thread, time
  LoopThread loop = StartLoop([](HWND, UINT, WPARAM, LPARAM) -> LRESULT { return 0; });
  (void)loop;
  ThreadHandle owner = CreateThread([&]() -> DWORD {
    UINT_PTR id =
        SetTimer(nullptr, 0, 30, [&](HWND hwnd, UINT message, UINT_PTR timer, DWORD time) {
          EXPECT_EQ(hwnd, nullptr);
          EXPECT_EQ(message, WM_TIMER);
          ticks.emplace_back(GetCurrentThreadId(), time);
          if (ticks.size() == 3) {
            KillTimer(nullptr, timer);
            PostQuitMessage(0);
          }
        });
    EXPECT_NE(id, 0u);
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0) > 0) DispatchMessage(&msg);
    return 0;
  });
  WaitForSingleObject(*owner, INFINITE);
  ASSERT_EQ(ticks.size(), 3u);
  for (std::size_t i = 0; i < ticks.size(); ++i) {
    EXPECT_EQ(ticks[i].first, owner->id());
    EXPECT_EQ(ticks[i].second, 30u * (i + 1));
  }
  PostThreadMessage(loop.thread->id(), WM_QUIT, 0, 0);
  WaitForSingleObject(*loop.thread, INFINITE);
}

TEST_F(MessagesTest, WindowTimerArrivesAsMessageAfterPostedOnes) {
  std::vector<UINT> seen;
  HWND target = CreateMessageTarget([&](HWND, UINT message, WPARAM w, LPARAM) -> LRESULT {
    seen.push_back(message == WM_TIMER ? static_cast<UINT>(1000 + w) : message);
    return 0;
  });
  EXPECT_EQ(SetTimer(target, 77, 100, nullptr), 77u);
  Sleep(250);  // two periods pass, but only one WM_TIMER is ever pending
  PostMessage(target, kPing, 0, 0);
  MSG msg;
  for (int i = 0; i < 3; ++i) {
    ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
    DispatchMessage(&msg);
  }
  EXPECT_EQ(seen, (std::vector<UINT>{kPing, 1077, 1077}));
  EXPECT_EQ(clock::NowMs(), 350u);
  EXPECT_TRUE(KillTimer(target, 77));
  EXPECT_FALSE(KillTimer(target, 77));
}

TEST_F(MessagesTest, MsgWaitReturnsForObjectsOrInput) {
  auto event = CreateEvent(false, false);
  Waitable* objects[] = {event.get()};
  EXPECT_EQ(MsgWaitForMultipleObjects(objects, false, 40), WAIT_TIMEOUT);
  PostThreadMessage(GetCurrentThreadId(), kPing, 0, 0);
  EXPECT_EQ(MsgWaitForMultipleObjects(objects, false, 40), WAIT_OBJECT_0 + 1);
  SetEvent(event);
  EXPECT_EQ(MsgWaitForMultipleObjects(objects, false, 40), WAIT_OBJECT_0);
}

TEST_F(MessagesTest, PreTranslateHookCanSwallowMessages) {
  SetThreadPreTranslateHook([](MSG& msg) { return msg.message == kPing; });
  PostThreadMessage(GetCurrentThreadId(), kPing, 0, 0);
  PostThreadMessage(GetCurrentThreadId(), kPong, 0, 0);
  MSG msg;
  ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, kPong);
  SetThreadPreTranslateHook(nullptr);
}

}  // namespace
}  // namespace platform
