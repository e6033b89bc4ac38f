// Messages to windows: posted and sent, across threads, modal loops, hooks.
#include "platform/hot_keys.h"
#include "platform/input.h"
#include "platform/modal_loop.h"
#include "platform/threads.h"
#include "platform/time.h"
#include "window_test_fixture.h"

namespace platform {
namespace {

constexpr UINT kAsk = WM_USER + 20;
constexpr UINT kNote = WM_APP + 1;

class MessageDeliveryTest : public testing::WindowTest {
 protected:
  void SetUp() override { RegisterRecordingClass("Frame"); }
  HWND MakeFrame() {
    return CreateWindow("Frame", "", WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr,
                        nullptr);
  }
};

TEST_F(MessageDeliveryTest, SentMessagesOvertakePostedOnes) {
  HWND hwnd = MakeFrame();
  Pump();
  received_.clear();
  PostMessage(hwnd, kNote, 1, 0);
  EXPECT_EQ(SendMessage(hwnd, kAsk, 2, 0), 0);  // handled at once, before the post
  EXPECT_EQ(MessagesOf(hwnd), (std::vector<UINT>{kAsk}));
  Pump();
  EXPECT_EQ(MessagesOf(hwnd), (std::vector<UINT>{kAsk, kNote}));
}

TEST_F(MessageDeliveryTest, CrossThreadSendWaitsForTheOwnerAndReturnsItsResult) {
  HWND window = nullptr;
  DWORD handled_on = 0;
  auto ready = CreateEvent(true, false);
  ThreadHandle owner = CreateThread([&]() -> DWORD {
    WNDCLASS window_class;
    window_class.lpszClassName = "Answerer";
    window_class.lpfnWndProc = [&](HWND hwnd, UINT message, WPARAM w, LPARAM l) -> LRESULT {
      if (message == kAsk) {
        handled_on = GetCurrentThreadId();
        Sleep(30);
        return static_cast<LRESULT>(w * 10);
      }
      if (message == WM_DESTROY) PostQuitMessage(3);
      return DefWindowProc(hwnd, message, w, l);
    };
    RegisterClass(&window_class);
    window = CreateWindow("Answerer", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    SetEvent(ready);
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0) > 0) DispatchMessage(&msg);
    return static_cast<DWORD>(msg.wParam);
  });
  WaitForSingleObject(*ready, INFINITE);
  const std::uint64_t before = clock::NowMs();
  EXPECT_EQ(SendMessage(window, kAsk, 7, 0), 70);
  EXPECT_EQ(handled_on, owner->id());
  EXPECT_EQ(clock::NowMs() - before, 30u);
  EXPECT_EQ(GetWindowThreadProcessId(window, nullptr), owner->id());
  // Closing it from here: its procedure runs on its own thread, whose loop
  // then ends with the quit code.
  PostMessage(window, WM_CLOSE, 0, 0);
  WaitForSingleObject(*owner, INFINITE);
  DWORD code = 0;
  GetExitCodeThread(owner, &code);
  EXPECT_EQ(code, 3u);
  EXPECT_FALSE(IsWindow(window));
}

TEST_F(MessageDeliveryTest, ModalLoopEndsOnItsFlagAndLeavesLaterMessagesQueued) {
  HWND hwnd = MakeFrame();
  bool done = false;
  RegisterRecordingClass("Finisher", [&](HWND, UINT message, WPARAM, LPARAM) {
    if (message == kAsk) done = true;
    return std::optional<LRESULT>();
  });
  HWND finisher = CreateWindow("Finisher", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  PostMessage(finisher, kAsk, 0, 0);
  PostMessage(hwnd, kNote, 0, 0);
  EXPECT_TRUE(RunModalLoop([&] { return done; }));
  EXPECT_TRUE(ReceivedBy(hwnd, kNote).empty());
  Pump();
  EXPECT_EQ(ReceivedBy(hwnd, kNote).size(), 1u);
}

TEST_F(MessageDeliveryTest, QuitEndsTheModalLoopAndReachesTheOuterLoop) {
  MakeFrame();
  PostQuitMessage(4);
  EXPECT_FALSE(RunModalLoop([] { return false; }));
  MSG msg;
  EXPECT_EQ(GetMessage(&msg, nullptr, 0, 0), FALSE);
  EXPECT_EQ(msg.wParam, 4u);
}

TEST_F(MessageDeliveryTest, EachModalLoopHasItsOwnPreTranslateHook) {
  HWND hwnd = MakeFrame();
  Pump();
  received_.clear();
  std::vector<WPARAM> outer_saw;
  SetThreadPreTranslateHook([&](MSG& msg) {
    if (msg.message == WM_KEYDOWN) outer_saw.push_back(msg.wParam);
    return false;
  });
  bool done = false;
  // The inner loop swallows Enter and ends on Escape.
  input::KeyDown(VK_RETURN);
  input::KeyDown('A');
  input::KeyDown(VK_ESCAPE);
  RunModalLoop([&] { return done; },
               [&](MSG& msg) {
                 if (msg.message != WM_KEYDOWN) return false;
                 if (msg.wParam == VK_ESCAPE) done = true;
                 return msg.wParam == VK_RETURN;
               });
  EXPECT_TRUE(outer_saw.empty());
  Pump();
  std::vector<WPARAM> keys;
  for (const auto& r : ReceivedBy(hwnd, WM_KEYDOWN)) keys.push_back(r.wparam);
  EXPECT_EQ(keys, (std::vector<WPARAM>{'A', VK_ESCAPE}));
  // Translation made the characters of 'A' and Escape.
  std::vector<WPARAM> characters;
  for (const auto& r : ReceivedBy(hwnd, WM_CHAR)) characters.push_back(r.wparam);
  EXPECT_EQ(characters, (std::vector<WPARAM>{'a', 0x1B}));
  // The outer hook is back.
  input::KeyDown(VK_DOWN);
  Pump();
  EXPECT_EQ(outer_saw, (std::vector<WPARAM>{VK_DOWN}));
  SetThreadPreTranslateHook(nullptr);
}

TEST_F(MessageDeliveryTest, KeysGoToTheFocusedWindowsThread) {
  HWND hwnd = MakeFrame();
  HWND child = CreateWindow("Frame", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, hwnd, nullptr,
                            nullptr, nullptr);
  SetFocus(child);
  EXPECT_EQ(GetFocus(), child);
  const auto kill = ReceivedBy(hwnd, WM_KILLFOCUS);
  ASSERT_EQ(kill.size(), 1u);
  EXPECT_EQ(reinterpret_cast<HWND>(kill[0].wparam), child);
  input::KeyDown(VK_ACTION);
  input::KeyUp(VK_ACTION);
  input::Char(L'x');
  Pump();
  EXPECT_EQ(ReceivedBy(child, WM_CHAR).size(), 1u);
  const auto ups = ReceivedBy(child, WM_KEYUP);
  ASSERT_EQ(ups.size(), 1u);
  EXPECT_EQ(ups[0].wparam, VK_ACTION);
  EXPECT_TRUE(ReceivedBy(hwnd, WM_KEYDOWN).empty());
}

TEST_F(MessageDeliveryTest, WindowTimersTickOnTheVirtualClock) {
  HWND hwnd = MakeFrame();
  EXPECT_EQ(SetTimer(hwnd, 10, 600, nullptr), 10u);
  std::vector<DWORD> ticks;
  RegisterRecordingClass("Counter", [&](HWND self, UINT message, WPARAM, LPARAM) {
    if (message == WM_TIMER) {
      ticks.push_back(GetTickCount());
      if (ticks.size() == 3) PostMessage(self, WM_CLOSE, 0, 0);
    }
    return std::optional<LRESULT>();
  });
  HWND counter = CreateWindow("Counter", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
  SetTimer(counter, 1, 250, nullptr);
  const DWORD start = GetTickCount();
  RunModalLoop([&] { return !IsWindow(counter); });
  ASSERT_EQ(ticks.size(), 3u);
  for (std::size_t i = 0; i < ticks.size(); ++i) EXPECT_EQ(ticks[i] - start, 250u * (i + 1));
  // The frame's 600 ms timer fired once meanwhile.
  EXPECT_EQ(ReceivedBy(hwnd, WM_TIMER).size(), 1u);
  EXPECT_EQ(ReceivedBy(hwnd, WM_TIMER)[0].wparam, 10u);
}

TEST_F(MessageDeliveryTest, HotKeysReachTheirWindowAndTakeTheKeyDown) {
  HWND main = MakeFrame();
  HWND other =
      CreateWindow("Frame", "", WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
  ASSERT_TRUE(RegisterHotKey(main, VK_APP3, MOD_WIN, VK_APP3));
  EXPECT_FALSE(RegisterHotKey(other, 1, MOD_WIN, VK_APP3));
  EXPECT_EQ(GetLastError(), ERROR_HOTKEY_ALREADY_REGISTERED);
  EXPECT_EQ(GetForegroundWindow(), other);
  Pump();
  received_.clear();

  clock::Advance(500);
  input::KeyDown(VK_APP3);
  input::KeyUp(VK_APP3);
  MSG msg;
  ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.hwnd, main);
  EXPECT_EQ(msg.message, WM_HOTKEY);
  EXPECT_EQ(msg.wParam, VK_APP3);
  EXPECT_EQ(LOWORD(msg.lParam), MOD_WIN);
  EXPECT_EQ(HIWORD(msg.lParam), VK_APP3);
  EXPECT_EQ(msg.time, 500u);
  // The key-up goes on to the focused window.
  ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.hwnd, other);
  EXPECT_EQ(msg.message, WM_KEYUP);

  // Released keys reach the focus as plain keys again.
  EXPECT_TRUE(UnregisterHotKey(main, VK_APP3));
  EXPECT_FALSE(UnregisterHotKey(main, VK_APP3));
  input::KeyDown(VK_APP3);
  ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, WM_KEYDOWN);
  EXPECT_EQ(msg.hwnd, other);
  input::KeyUp(VK_APP3);

  // Taking a key from its holder lets another window register it.
  ASSERT_TRUE(RegisterHotKey(other, 5, MOD_WIN, VK_APP1));
  EXPECT_TRUE(UnregisterFunc1(MOD_WIN, VK_APP1));
  EXPECT_TRUE(RegisterHotKey(main, VK_APP1, MOD_WIN, VK_APP1));
}

TEST_F(MessageDeliveryTest, ActivatingAwayFromABusyThreadDoesNotWaitForIt) {
  bool told_inactive = false;
  WNDCLASS plain;
  plain.lpszClassName = "Busy";
  plain.lpfnWndProc = [&](HWND hwnd, UINT message, WPARAM w, LPARAM l) -> LRESULT {
    if (message == WM_ACTIVATE && LOWORD(w) == WA_INACTIVE) told_inactive = true;
    return DefWindowProc(hwnd, message, w, l);
  };
  RegisterClass(&plain);
  auto ready = CreateEvent(true, false);
  auto go = CreateEvent(true, false);
  ThreadHandle busy = CreateThread([&]() -> DWORD {
    CreateWindow("Busy", "", WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
    SetEvent(ready);
    WaitForSingleObject(*go, INFINITE);  // not looking at its messages
    Pump();
    return 0;
  });
  WaitForSingleObject(*ready, INFINITE);
  HWND mine = MakeFrame();  // takes the activation from the busy thread's window
  EXPECT_EQ(GetForegroundWindow(), mine);
  SetEvent(go);
  WaitForSingleObject(*busy, INFINITE);
  EXPECT_TRUE(told_inactive);
}

TEST_F(MessageDeliveryTest, ActivationFollowsShowHideAndForeground) {
  HWND first = MakeFrame();
  HWND second = MakeFrame();
  EXPECT_EQ(GetForegroundWindow(), second);
  EXPECT_TRUE(SetForegroundWindow(first));
  EXPECT_EQ(GetForegroundWindow(), first);
  EXPECT_EQ(GetWindow(first, GW_HWNDFIRST), first);
  const auto deactivated = ReceivedBy(second, WM_ACTIVATE);
  ASSERT_FALSE(deactivated.empty());
  EXPECT_EQ(LOWORD(deactivated.back().wparam), WA_INACTIVE);
  ShowWindow(first, SW_HIDE);
  EXPECT_EQ(GetForegroundWindow(), second);

  // The marked handle brings the window's owned popup forward.
  HWND popup = CreateWindow("Frame", "", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, first, nullptr,
                            nullptr, nullptr);
  SetForegroundWindow(second);
  SetForegroundWindow(reinterpret_cast<HWND>(reinterpret_cast<std::uintptr_t>(first) | 1));
  EXPECT_EQ(GetForegroundWindow(), popup);
}

}  // namespace
}  // namespace platform
