// expect-text, expect-no-window and save-clipboard.
#include <gtest/gtest.h>

#include <sstream>

#include "demo_button.h"
#include "demo_program.h"
#include "emulator_fixture.h"
#include "platform/clipboard.h"
#include "platform/gdi_dib.h"
#include "platform/gdi_png.h"

namespace handheld {
namespace {

class WindowStepsTest : public testing::EmulatorFixture {
 protected:
  WindowStepsTest() : EmulatorFixture("orsa-window-steps") {}
};

TEST_F(WindowStepsTest, ExpectTextReadsAControlByClassOrId) {
  ASSERT_EQ(RunSteps(std::string("start \\Windows\\demo.exe\nexpect-text ") + kDemoButtonClass +
                     " \"Tap me\"\nexpect-text 1001 \"Tap me\"\nexpect-text OrsaDemo Demo\n"),
            0)
      << steps_err_.str();
  EXPECT_EQ(RunSteps("expect-text 1001 \"Press me\"\n"), 1);
  EXPECT_NE(steps_err_.str().find("line 1: expect-text: 1001 shows \"Tap me\", not \"Press me\""),
            std::string::npos)
      << steps_err_.str();
  EXPECT_EQ(RunSteps("expect-text 4242 x\n"), 1);
  EXPECT_NE(steps_err_.str().find("no control 4242 is shown"), std::string::npos)
      << steps_err_.str();
}

TEST_F(WindowStepsTest, ExpectNoWindowWaitsForTheWindowToGo) {
  EXPECT_EQ(RunSteps("expect-no-window OrsaDemo\n"), 0);
  ASSERT_EQ(RunSteps("start \\Windows\\demo.exe\nexpect-window OrsaDemo\n"), 0) << steps_err_.str();
  EXPECT_EQ(RunSteps("expect-no-window OrsaDemo\n"), 1);
  EXPECT_NE(steps_err_.str().find("is still shown"), std::string::npos);
  EXPECT_EQ(RunSteps("key escape\nexpect-no-window OrsaDemo\n"), 0) << steps_err_.str();
}

TEST_F(WindowStepsTest, SaveClipboardWritesThePictureAsPng) {
  EXPECT_EQ(RunSteps("save-clipboard clip.png\n"), 1);
  EXPECT_NE(steps_err_.str().find("holds no picture"), std::string::npos);
  platform::gdi::Surface picture(6, 4, 16);
  picture.Fill(platform::RECT{0, 0, 3, 4}, platform::RGB(255, 0, 0));
  ASSERT_TRUE(platform::OpenClipboard(nullptr));
  platform::EmptyClipboard();
  platform::SetClipboardData(platform::CF_DIB, platform::gdi::PackedDibFromSurface(picture));
  platform::CloseClipboard();
  ASSERT_EQ(RunSteps("save-clipboard out/clip.png\n"), 0) << steps_err_.str();
  std::optional<platform::gdi::Surface> saved = platform::gdi::ReadPng(root_ / "out/clip.png");
  ASSERT_TRUE(saved);
  EXPECT_EQ(saved->width(), 6);
  EXPECT_EQ(saved->GetPixel(0, 3), platform::RGB(255, 0, 0));
  EXPECT_EQ(saved->GetPixel(5, 0), platform::RGB(0, 0, 0));
}

}  // namespace
}  // namespace handheld
