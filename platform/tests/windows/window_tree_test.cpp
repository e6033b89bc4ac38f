// Creating and destroying windows, the tree, z-order, texts and data.
#include <algorithm>

#include "platform/last_error.h"
#include "platform/shell_state.h"
#include "window_test_fixture.h"

namespace platform {
namespace {

class WindowTreeTest : public testing::WindowTest {
 protected:
  void SetUp() override { RegisterRecordingClass("Frame"); }
};

TEST_F(WindowTreeTest, CreationSendsCreateSizeMoveThenShowsAndActivates) {
  int seen_param = 0;
  std::string seen_name;
  RegisterRecordingClass("Probe", [&](HWND, UINT message, WPARAM, LPARAM l) {
    if (message == WM_CREATE) {
      auto* create = reinterpret_cast<CREATESTRUCT*>(l);
      seen_param = *static_cast<int*>(create->lpCreateParams);
      seen_name = create->lpszName;
    }
    return std::optional<LRESULT>();
  });
  int param = 42;
  HWND hwnd = CreateWindowEx(0, "probe", "Camera", WS_VISIBLE, 10, 20, 100, 50, nullptr, nullptr,
                             nullptr, &param);
  ASSERT_NE(hwnd, nullptr);
  EXPECT_EQ(seen_param, 42);
  EXPECT_EQ(seen_name, "Camera");
  const std::vector<UINT> expected{WM_CREATE,     WM_SIZE,     WM_MOVE,
                                   WM_SHOWWINDOW, WM_ACTIVATE, WM_SETFOCUS};
  EXPECT_EQ(MessagesOf(hwnd), expected);
  const testing::Received size = ReceivedBy(hwnd, WM_SIZE).front();
  EXPECT_EQ(LOWORD(size.lparam), 100);
  EXPECT_EQ(HIWORD(size.lparam), 50);
  EXPECT_EQ(GetForegroundWindow(), hwnd);
  EXPECT_EQ(GetFocus(), hwnd);
  EXPECT_EQ(GetClassName(hwnd), "Probe");
  EXPECT_EQ(GetWindowText(hwnd), "Camera");
}

TEST_F(WindowTreeTest, CreateAnsweredWithMinusOneFailsTheCreation) {
  RegisterRecordingClass("Refuser", [](HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_CREATE ? std::optional<LRESULT>(-1) : std::nullopt;
  });
  EXPECT_EQ(
      CreateWindow("Refuser", "", WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr),
      nullptr);
  EXPECT_EQ(FindWindow("Refuser", std::nullopt), nullptr);
}

TEST_F(WindowTreeTest, UnknownClassAndChildWithoutParentFail) {
  EXPECT_EQ(CreateWindow("Nothing", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
            nullptr);
  EXPECT_EQ(GetLastError(), ERROR_CANNOT_FIND_WND_CLASS);
  EXPECT_EQ(CreateWindow("Frame", "", WS_CHILD, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr),
            nullptr);
  WNDCLASS again;
  again.lpszClassName = "FRAME";
  EXPECT_EQ(RegisterClass(&again), 0);
  EXPECT_EQ(GetLastError(), ERROR_CLASS_ALREADY_EXISTS);
}

TEST_F(WindowTreeTest, DefaultSizeFillsTheWorkArea) {
  HWND hwnd = CreateWindow("Frame", "", 0, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                           CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
  RECT rect;
  ASSERT_TRUE(GetWindowRect(hwnd, &rect));
  EXPECT_EQ(rect, shell::WorkArea());
}

TEST_F(WindowTreeTest, ChildrenAreFoundByIdAndWalkedInZOrder) {
  HWND top =
      CreateWindow("Frame", "Top", WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
  auto child = [&](int id, HWND parent) {
    return CreateWindow("Frame", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent,
                        reinterpret_cast<HMENU>(static_cast<std::uintptr_t>(id)), nullptr, nullptr);
  };
  HWND a = child(1601, top);
  HWND b = child(1602, top);
  HWND grandchild = child(7, a);
  EXPECT_EQ(GetDlgItem(top, 1602), b);
  EXPECT_EQ(GetDlgCtrlID(a), 1601);
  EXPECT_EQ(GetDlgItem(top, 7), nullptr);  // only direct children
  // The newest child is on top.
  EXPECT_EQ(GetWindow(top, GW_CHILD), b);
  EXPECT_EQ(GetWindow(b, GW_HWNDNEXT), a);
  EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), nullptr);
  EXPECT_EQ(GetParent(grandchild), a);
  EXPECT_TRUE(IsChild(top, grandchild));
  EXPECT_FALSE(IsChild(b, grandchild));

  std::vector<HWND> enumerated;
  EnumChildWindows(
      top,
      [&](HWND hwnd, LPARAM) {
        enumerated.push_back(hwnd);
        return TRUE;
      },
      0);
  EXPECT_EQ(enumerated, (std::vector<HWND>{b, a, grandchild}));

  ASSERT_TRUE(SetWindowPos(b, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE));
  EXPECT_EQ(GetWindow(top, GW_CHILD), a);
}

TEST_F(WindowTreeTest, FindWindowMatchesClassWithoutCaseAndExactText) {
  HWND camera =
      CreateWindow("Frame", "Camera", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  HWND gallery =
      CreateWindow("Frame", "Gallery", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(FindWindow("FRAME", "Camera"), camera);
  EXPECT_EQ(FindWindow("frame", "Gallery"), gallery);
  EXPECT_EQ(FindWindow("Frame", "camera"), nullptr);
  EXPECT_NE(FindWindow("Frame", std::nullopt), nullptr);
  EXPECT_EQ(FindWindow("Other", std::nullopt), nullptr);
  DestroyWindow(camera);
  EXPECT_EQ(FindWindow("Frame", "Camera"), nullptr);
}

TEST_F(WindowTreeTest, DestroyTakesOwnedWindowsAndChildrenParentFirst) {
  std::vector<HWND> destroyed;
  RegisterRecordingClass("Tracked", [&](HWND hwnd, UINT message, WPARAM, LPARAM) {
    if (message == WM_DESTROY) destroyed.push_back(hwnd);
    return std::optional<LRESULT>();
  });
  HWND top =
      CreateWindow("Tracked", "", WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
  HWND child = CreateWindow("Tracked", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, top, nullptr,
                            nullptr, nullptr);
  HWND owned = CreateWindow("Tracked", "", WS_POPUP | WS_VISIBLE, 0, 0, 10, 10, top, nullptr,
                            nullptr, nullptr);
  EXPECT_EQ(GetWindow(owned, GW_OWNER), top);
  SetTimer(child, 1, 100, nullptr);
  ASSERT_TRUE(DestroyWindow(top));
  EXPECT_EQ(destroyed, (std::vector<HWND>{owned, top, child}));
  for (HWND hwnd : {top, child, owned}) EXPECT_FALSE(IsWindow(hwnd));
  EXPECT_EQ(GetForegroundWindow(), nullptr);
  EXPECT_FALSE(DestroyWindow(top));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_WINDOW_HANDLE);
}

TEST_F(WindowTreeTest, ClosingByDefaultDestroys) {
  HWND hwnd = CreateWindow("Frame", "", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  PostMessage(hwnd, WM_CLOSE, 0, 0);
  Pump();
  EXPECT_FALSE(IsWindow(hwnd));
}

TEST_F(WindowTreeTest, TextAndUserDataAndExtraBytes) {
  WNDCLASS dialog_like;
  dialog_like.lpszClassName = "WithExtra";
  dialog_like.cbWndExtra = 16;
  dialog_like.lpfnWndProc = DefWindowProc;
  ASSERT_NE(RegisterClass(&dialog_like), 0);
  HWND hwnd =
      CreateWindow("WithExtra", "first", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  EXPECT_TRUE(SetWindowText(hwnd, "Quillon Mobile Camera"));
  EXPECT_EQ(GetWindowTextLength(hwnd), 21);
  char small[8];
  EXPECT_EQ(GetWindowText(hwnd, small, sizeof small), 7);
  EXPECT_STREQ(small, "Quillon");

  int object = 0;
  SetWindowLongPtr(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&object));
  EXPECT_EQ(reinterpret_cast<int*>(GetWindowLongPtr(hwnd, GWLP_USERDATA)), &object);
  EXPECT_EQ(SetWindowLong(hwnd, DWL_USER, 5), 0);
  EXPECT_EQ(GetWindowLong(hwnd, DWL_USER), 5);
  EXPECT_EQ(GetWindowLong(hwnd, 16), 0);  // past the extra bytes
  EXPECT_EQ(GetLastError(), 1413u);
}

TEST_F(WindowTreeTest, GeometryOfNestedWindowsWithBorders) {
  HWND top = CreateWindow("Frame", "", WS_VISIBLE | WS_BORDER, 10, 30, 200, 200, nullptr, nullptr,
                          nullptr, nullptr);
  HWND child = CreateWindow("Frame", "", WS_CHILD | WS_VISIBLE, 5, 6, 50, 40, top, nullptr, nullptr,
                            nullptr);
  RECT client;
  GetClientRect(top, &client);
  EXPECT_EQ(client, (RECT{0, 0, 198, 198}));
  RECT rect;
  GetWindowRect(child, &rect);
  EXPECT_EQ(rect, (RECT{16, 37, 66, 77}));
  POINT point{1, 2};
  ClientToScreen(child, &point);
  EXPECT_EQ(point, (POINT{17, 39}));
  MapWindowPoints(nullptr, top, &point, 1);
  EXPECT_EQ(point, (POINT{6, 8}));
  EXPECT_EQ(WindowFromPoint(POINT{17, 39}), child);
  EXPECT_EQ(WindowFromPoint(POINT{100, 100}), top);
  ShowWindow(child, SW_HIDE);
  EXPECT_EQ(WindowFromPoint(POINT{17, 39}), top);
  MoveWindow(top, 0, 0, 100, 100, TRUE);
  const testing::Received size = ReceivedBy(top, WM_SIZE).back();
  EXPECT_EQ(LOWORD(size.lparam), 98);
}

TEST_F(WindowTreeTest, HelpGoesUpToTheParentAndTheOwner) {
  HWND top =
      CreateWindow("Frame", "", WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
  HWND popup = CreateWindow("Frame", "", WS_POPUP | WS_VISIBLE, 0, 0, 100, 100, top, nullptr,
                            nullptr, nullptr);
  HWND child = CreateWindow("Frame", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, popup, nullptr,
                            nullptr, nullptr);
  SendMessage(child, WM_HELP, 0, 0);
  EXPECT_EQ(ReceivedBy(popup, WM_HELP).size(), 1u);
  EXPECT_EQ(ReceivedBy(top, WM_HELP).size(), 1u);
}

TEST_F(WindowTreeTest, SetParentMovesAWindowIntoAnother) {
  HWND first =
      CreateWindow("Frame", "", WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
  HWND second =
      CreateWindow("Frame", "", WS_VISIBLE, 0, 0, 240, 320, nullptr, nullptr, nullptr, nullptr);
  HWND child = CreateWindow("Frame", "", WS_CHILD | WS_VISIBLE, 5, 5, 10, 10, first, nullptr,
                            nullptr, nullptr);
  EXPECT_EQ(SetParent(child, second), first);
  EXPECT_EQ(GetParent(child), second);
  EXPECT_EQ(GetWindow(first, GW_CHILD), nullptr);
  EXPECT_EQ(GetWindow(second, GW_CHILD), child);
  EXPECT_EQ(SetParent(second, child), nullptr);  // no cycles
}

TEST_F(WindowTreeTest, WindowsOfAnEndedThreadAreGone) {
  HWND made = nullptr;
  ThreadHandle thread = CreateThread([&]() -> DWORD {
    made = CreateWindow("Frame", "Worker", WS_VISIBLE, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                        nullptr);
    return 0;
  });
  WaitForSingleObject(*thread, INFINITE);
  ASSERT_NE(made, nullptr);
  EXPECT_FALSE(IsWindow(made));
  EXPECT_EQ(FindWindow("Frame", "Worker"), nullptr);
}

}  // namespace
}  // namespace platform
