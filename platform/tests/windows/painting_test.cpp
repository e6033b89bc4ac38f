// Invalidation, WM_PAINT and the screen composed from windows.
#include <atomic>

#include "platform/buffered_paint.h"
#include "platform/cursor.h"
#include "platform/gdi.h"
#include "platform/gdi_png.h"
#include "platform/screen.h"
#include "platform/shell_state.h"
#include "platform/time.h"
#include "platform/window_paint.h"
#include "window_test_fixture.h"

namespace platform {
namespace {

constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr COLORREF kBlue = RGB(0, 0, 255);
constexpr COLORREF kGreen = RGB(0, 255, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

class PaintingTest : public testing::WindowTest {
 protected:
  void SetUp() override {
    red_ = CreateSolidBrush(kRed);
    blue_ = CreateSolidBrush(kBlue);
    green_ = CreateSolidBrush(kGreen);
    // "Solid" windows fill all they are asked to paint with the colour kept
    // in their user data, and count their paints.
    RegisterRecordingClass("Solid", [this](HWND hwnd, UINT message, WPARAM, LPARAM) {
      if (message != WM_PAINT) return std::optional<LRESULT>();
      PAINTSTRUCT paint;
      HDC dc = BeginPaint(hwnd, &paint);
      last_paint_rect_ = paint.rcPaint;
      RECT client;
      GetClientRect(hwnd, &client);
      FillRect(dc, &client, reinterpret_cast<HBRUSH>(GetWindowLongPtr(hwnd, GWLP_USERDATA)));
      EndPaint(hwnd, &paint);
      return std::optional<LRESULT>(0);
    });
    RegisterRecordingClass("Erased", nullptr, green_);
  }
  void TearDown() override {
    for (HBRUSH brush : {red_, blue_, green_}) DeleteObject(brush);
  }

  HWND MakeSolid(HBRUSH brush, RECT rect, HWND parent = nullptr, DWORD style = WS_VISIBLE) {
    HWND hwnd = CreateWindow("Solid", "", style | (parent ? WS_CHILD : WS_POPUP), rect.left,
                             rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                             nullptr, nullptr, nullptr);
    SetWindowLongPtr(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(brush));
    return hwnd;
  }
  static COLORREF At(int x, int y) { return screen::Compose().GetPixel(x, y); }
  int PaintsOf(HWND hwnd) const { return static_cast<int>(ReceivedBy(hwnd, WM_PAINT).size()); }

  HBRUSH red_ = nullptr;
  HBRUSH blue_ = nullptr;
  HBRUSH green_ = nullptr;
  RECT last_paint_rect_;
};

TEST_F(PaintingTest, WindowsComposeInZOrderWithChildrenOnTop) {
  HWND back = MakeSolid(red_, {0, 0, 240, 320});
  HWND child = MakeSolid(blue_, {10, 30, 60, 80}, back);
  HWND front = MakeSolid(green_, {100, 100, 200, 200});
  (void)child;
  EXPECT_EQ(At(5, 30), kRed);
  EXPECT_EQ(At(30, 50), kBlue);
  EXPECT_EQ(At(150, 150), kGreen);
  // Raising the back window covers the front one.
  SetWindowPos(back, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(At(150, 150), kRed);
  EXPECT_EQ(At(30, 50), kBlue);
  // Hiding it shows what was under it again.
  ShowWindow(back, SW_HIDE);
  EXPECT_EQ(At(150, 150), kGreen);
  EXPECT_NE(At(5, 30), kRed);
  EXPECT_TRUE(IsWindow(front));
}

TEST_F(PaintingTest, ABufferedPaintReachesTheWindowWholeAndValidatesIt) {
  RegisterRecordingClass("Buffered", [this](HWND hwnd, UINT message, WPARAM, LPARAM) {
    if (message != WM_PAINT) return std::optional<LRESULT>();
    BufferedPaint paint(hwnd);
    FillRect(paint.dc(), &paint.client(), blue_);
    const RECT corner{0, 0, 10, 10};
    FillRect(paint.dc(), &corner, red_);
    return std::optional<LRESULT>(0);
  });
  HWND hwnd = CreateWindow("Buffered", "", WS_POPUP | WS_VISIBLE, 50, 60, 100, 80, nullptr, nullptr,
                           nullptr, nullptr);
  UpdateWindow(hwnd);
  // Client coordinates of the memory picture land at the window's place.
  EXPECT_EQ(At(50, 60), kRed);
  EXPECT_EQ(At(59, 69), kRed);
  EXPECT_EQ(At(60, 70), kBlue);
  EXPECT_EQ(At(149, 139), kBlue);
  EXPECT_NE(At(150, 140), kBlue);
  RECT still_invalid;
  EXPECT_FALSE(GetUpdateRect(hwnd, &still_invalid, FALSE));
  EXPECT_EQ(PaintsOf(hwnd), 1);
}

TEST_F(PaintingTest, OnlyTheInvalidPartIsPainted) {
  HWND hwnd = MakeSolid(red_, {0, 0, 240, 320});
  screen::Compose();
  ASSERT_EQ(PaintsOf(hwnd), 1);
  // Change the colour, but invalidate only a corner.
  SetWindowLongPtr(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(blue_));
  RECT corner{0, 30, 20, 40};
  InvalidateRect(hwnd, &corner, FALSE);
  EXPECT_EQ(At(5, 35), kBlue);
  EXPECT_EQ(At(25, 35), kRed);
  EXPECT_EQ(At(5, 45), kRed);
  EXPECT_EQ(last_paint_rect_, corner);
  EXPECT_EQ(PaintsOf(hwnd), 2);
  // Nothing invalid: no paint.
  screen::Compose();
  EXPECT_EQ(PaintsOf(hwnd), 2);
  RECT update;
  EXPECT_FALSE(GetUpdateRect(hwnd, &update, FALSE));
}

TEST_F(PaintingTest, AMovedWindowIsDrawnAtItsNewPlaceAndUncoversWhatWasUnder) {
  MakeSolid(red_, {0, 0, 240, 320});
  HWND square = MakeSolid(blue_, {40, 40, 80, 80});
  HWND inner = MakeSolid(green_, {0, 0, 10, 10}, square);
  EXPECT_EQ(At(45, 45), kGreen);
  MoveWindow(square, 45, 45, 40, 40, TRUE);
  EXPECT_EQ(At(45, 45), kGreen);  // the child moved with it
  EXPECT_EQ(At(54, 54), kGreen);
  EXPECT_EQ(At(56, 56), kBlue);
  EXPECT_EQ(At(42, 42), kRed);  // uncovered
  EXPECT_EQ(At(82, 82), kBlue);
  (void)inner;
}

TEST_F(PaintingTest, PaintArrivesThroughTheQueueAfterPostedMessages) {
  HWND hwnd = MakeSolid(red_, {0, 0, 100, 100});
  PostMessage(hwnd, WM_USER, 0, 0);
  MSG msg;
  ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, static_cast<UINT>(WM_USER));
  ASSERT_TRUE(GetMessage(&msg, nullptr, 0, 0));
  EXPECT_EQ(msg.message, WM_PAINT);
  EXPECT_EQ(msg.hwnd, hwnd);
  DispatchMessage(&msg);
  EXPECT_FALSE(PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE));
  ValidateRect(hwnd, nullptr);
}

TEST_F(PaintingTest, BackgroundIsErasedWithTheClassBrush) {
  HWND hwnd = CreateWindow("Erased", "", WS_POPUP | WS_VISIBLE, 20, 20, 50, 50, nullptr, nullptr,
                           nullptr, nullptr);
  EXPECT_EQ(At(30, 30), kGreen);
  EXPECT_EQ(ReceivedBy(hwnd, WM_ERASEBKGND).size(), 1u);
  // The border of a bordered window is the system's.
  HWND framed = MakeSolid(red_, {100, 100, 140, 140}, nullptr, WS_VISIBLE | WS_BORDER);
  EXPECT_EQ(At(100, 100), RGB(0, 0, 0));
  EXPECT_EQ(At(101, 101), kRed);
  (void)framed;
}

TEST_F(PaintingTest, WindowsOfAnotherThreadPaintWhenTheScreenIsComposed) {
  auto ready = CreateEvent(true, false);
  HWND remote = nullptr;
  ThreadHandle owner = CreateThread([&]() -> DWORD {
    remote = MakeSolid(blue_, {0, 0, 240, 320});
    SetEvent(ready);
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0) > 0) DispatchMessage(&msg);
    return 0;
  });
  WaitForSingleObject(*ready, INFINITE);
  Sleep(10);  // the owner has painted and waits for messages
  EXPECT_EQ(At(120, 160), kBlue);
  // Invalid again: the screen has the owner paint before it is composed.
  SetWindowLongPtr(remote, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(green_));
  InvalidateRect(remote, nullptr, FALSE);
  EXPECT_EQ(At(120, 160), kGreen);
  PostThreadMessage(owner->id(), WM_QUIT, 0, 0);
  WaitForSingleObject(*owner, INFINITE);
}

// A program's thread draws into the screen through its window's DC while
// another copies the screen (a screenshot, a recording frame): each copy
// shows every drawing call either whole or not at all.
TEST_F(PaintingTest, AScreenCopyNeverShowsHalfADrawing) {
  HWND hwnd = MakeSolid(red_, {0, 0, 240, 320});
  std::atomic<bool> done{false};
  ThreadHandle painter = CreateThread([&]() -> DWORD {
    HDC dc = GetDC(hwnd);
    const RECT all{0, 0, 240, 320};
    for (int i = 0; i < 3000; ++i) FillRect(dc, &all, i % 2 ? red_ : blue_);
    ReleaseDC(hwnd, dc);
    done = true;
    return 0;
  });
  int copies = 0;
  int torn = 0;
  while (!done) {
    const gdi::Surface& screen = screen::Compose();
    ++copies;
    if (screen.GetPixel(120, 40) != screen.GetPixel(120, 300)) ++torn;
  }
  WaitForSingleObject(*painter, INFINITE);
  EXPECT_GT(copies, 0);
  EXPECT_EQ(torn, 0) << "of " << copies << " copies";
}

TEST_F(PaintingTest, ShellStatesAndTheWaitCursorShowOnTop) {
  HWND hwnd = MakeSolid(red_, {0, 0, 240, 320});
  EXPECT_TRUE(shell::TaskBarShown());
  EXPECT_NE(At(120, 5), kRed);
  EXPECT_EQ(At(120, 40), kRed);
  const std::uint64_t changes = screen::ChangeCount();
  SHFullScreen(hwnd, SHFS_HIDETASKBAR);
  EXPECT_GT(screen::ChangeCount(), changes);
  EXPECT_FALSE(shell::TaskBarShown());
  EXPECT_EQ(At(120, 5), kRed);
  // Only while that window is active.
  HWND other = MakeSolid(blue_, {0, 100, 240, 120});
  EXPECT_TRUE(shell::TaskBarShown());
  SetForegroundWindow(hwnd);
  EXPECT_FALSE(shell::TaskBarShown());
  (void)other;
  SipShowIM(SIPF_ON);
  EXPECT_TRUE(shell::InputPanelShown());
  EXPECT_NE(At(1, shell::kInputPanelRect.top + 1), kRed);
  SipShowIM(SIPF_OFF);
  EXPECT_EQ(At(1, shell::kInputPanelRect.top + 1), kRed);

  EXPECT_FALSE(screen::WaitCursorShown());
  HCURSOR old = SetCursor(LoadCursor(nullptr, IDC_WAIT));
  EXPECT_TRUE(screen::WaitCursorShown());
  EXPECT_NE(At(screen::kWidth / 2, screen::kHeight / 2), kRed);
  SetCursor(old);
  EXPECT_FALSE(screen::WaitCursorShown());
  EXPECT_EQ(At(screen::kWidth / 2, screen::kHeight / 2), kRed);
}

TEST_F(PaintingTest, ScreenshotIsThePngOfTheComposedScreen) {
  MakeSolid(blue_, {0, 0, 240, 320});
  const auto path = device_.root() / "shot.png";
  ASSERT_TRUE(screen::SaveScreenshot(path));
  auto shot = gdi::ReadPng(path);
  ASSERT_TRUE(shot);
  EXPECT_EQ(shot->width(), screen::kWidth);
  EXPECT_EQ(shot->height(), screen::kHeight);
  EXPECT_EQ(shot->GetPixel(100, 200), kBlue);
  (void)kWhite;
}

}  // namespace
}  // namespace platform
