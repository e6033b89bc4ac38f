// Message boxes as modal windows on the screen.
#include "platform/gdi_png.h"
#include "platform/handheld.h"
#include "platform/input.h"
#include "platform/message_box.h"
#include "platform/screen.h"
#include "platform/threads.h"
#include "platform/time.h"
#include "window_test_fixture.h"

namespace platform {
namespace {

class MessageBoxWindowTest : public testing::WindowTest {
 protected:
  void SetUp() override {
    RegisterRecordingClass("Frame");
    main_ = CreateWindow("Frame", "Camera", WS_VISIBLE, 0, 26, 240, 294, nullptr, nullptr, nullptr,
                         nullptr);
    boxes().SetPresenter(MakeWindowMessageBoxPresenter());
  }
  void TearDown() override { boxes().SetPresenter(nullptr); }
  static MessageBoxService& boxes() { return Handheld::Current().message_boxes(); }

  // Runs `user` on another thread once the box is up (the box's thread
  // waits for input by then), while this thread shows the box.
  int ShowWhile(std::string_view text, UINT type, std::function<void(HWND box)> user) {
    ThreadHandle person = CreateThread([user]() -> DWORD {
      Sleep(100);
      user(FindWindow("MessageBoxWindow", std::nullopt));
      return 0;
    });
    const int answer = MessageBox(main_, text, "Quillon Mobile Camera", type);
    WaitForSingleObject(*person, INFINITE);
    return answer;
  }

  static POINT CentreOf(HWND hwnd) {
    RECT rect;
    GetWindowRect(hwnd, &rect);
    return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  }

  HWND main_ = nullptr;
};

TEST_F(MessageBoxWindowTest, ATapOnAButtonAnswersWithItsIdAndTheBoxIsOnTheScreen) {
  const auto shot = device_.root() / "box.png";
  bool owner_disabled = false;
  HWND seen_box = nullptr;
  const int answer = ShowWhile("Delete the picture?\nIt cannot be undone.",
                               MB_YESNO | MB_ICONQUESTION, [&](HWND box) {
                                 seen_box = box;
                                 owner_disabled = !IsWindowEnabled(main_);
                                 ASSERT_TRUE(screen::SaveScreenshot(shot));
                                 const POINT no = CentreOf(GetDlgItem(box, IDNO));
                                 input::StylusDown(no.x, no.y);
                                 input::StylusUp(no.x, no.y);
                               });
  EXPECT_EQ(answer, IDNO);
  ASSERT_NE(seen_box, nullptr);
  EXPECT_TRUE(owner_disabled);
  EXPECT_TRUE(IsWindowEnabled(main_));
  EXPECT_FALSE(IsWindow(seen_box));
  EXPECT_EQ(GetForegroundWindow(), main_);
  // The record holds the box as the user answered it.
  const auto record = boxes().Boxes();
  ASSERT_EQ(record.size(), 1u);
  EXPECT_EQ(record[0].answer, IDNO);
  EXPECT_FALSE(record[0].scripted);

  // The screenshot shows the box: its title strip and white body over the
  // black screen.
  auto image = gdi::ReadPng(shot);
  ASSERT_TRUE(image);
  int white = 0;
  for (int y = 100; y < 220; ++y) {
    for (int x = 20; x < 220; ++x) white += image->GetPixel(x, y) == RGB(255, 255, 255);
  }
  EXPECT_GT(white, 5000);
}

TEST_F(MessageBoxWindowTest, EnterGivesTheDefaultButtonAndEscapeCancels) {
  EXPECT_EQ(ShowWhile("Exit?", MB_OKCANCEL | MB_DEFBUTTON2,
                      [](HWND) {
                        input::KeyDown(VK_RETURN);
                        input::KeyUp(VK_RETURN);
                      }),
            IDCANCEL);
  EXPECT_EQ(ShowWhile("Exit?", MB_OKCANCEL, [](HWND) { input::KeyDown(VK_ESCAPE); }), IDCANCEL);
  EXPECT_EQ(
      ShowWhile("Saved.", MB_OK | MB_ICONINFORMATION, [](HWND) { input::KeyDown(VK_ESCAPE); }),
      IDOK);
  // Yes/No cannot be cancelled: Escape does nothing, a tap answers.
  EXPECT_EQ(ShowWhile("Again?", MB_YESNO,
                      [](HWND box) {
                        input::KeyDown(VK_ESCAPE);
                        Sleep(50);
                        const POINT yes = CentreOf(GetDlgItem(box, IDYES));
                        input::StylusDown(yes.x, yes.y);
                        input::StylusUp(yes.x, yes.y);
                      }),
            IDYES);
}

TEST_F(MessageBoxWindowTest, AStylusThatLeavesTheButtonDoesNotAnswer) {
  EXPECT_EQ(ShowWhile("Card removed.", MB_OK | MB_ICONERROR,
                      [](HWND box) {
                        const POINT ok = CentreOf(GetDlgItem(box, IDOK));
                        input::StylusDown(ok.x, ok.y);
                        input::StylusUp(5, 300);
                        Sleep(50);
                        EXPECT_TRUE(IsWindow(box));
                        input::StylusDown(ok.x, ok.y);
                        input::StylusUp(ok.x, ok.y);
                      }),
            IDOK);
}

TEST_F(MessageBoxWindowTest, ScriptedAnswersStillComeFirst) {
  boxes().QueueAnswer(IDRETRY);
  EXPECT_EQ(MessageBox(main_, "Retry?", "", MB_RETRYCANCEL), IDRETRY);
  EXPECT_EQ(FindWindow("MessageBoxWindow", std::nullopt), nullptr);
}

}  // namespace
}  // namespace platform
