// The external display: its registry entry, contexts of its own size and
// depth, drawing onto it, and the loss of its contexts at a mode change.
#include "platform/external_display.h"

#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "gdi_test_canvas.h"
#include "platform/gdi.h"
#include "platform/handheld.h"
#include "platform/last_error.h"
#include "platform/registry.h"
#include "platform/screen.h"
#include "platform/testing/temp_handheld.h"

namespace platform {
namespace {

using gdi_testing::Canvas;

class ExternalDisplayTest : public ::testing::Test {
 protected:
  std::optional<std::string> DisplayDll() {
    return device_.handheld().registry().GetString(HKEY_LOCAL_MACHINE,
                                                   "Drivers\\Display\\Active\\VGA", "Dll");
  }

  testing::TempHandheld device_;
};

TEST(DisplayModeTest, ReadsWidthHeightAndDepth) {
  EXPECT_EQ(ParseDisplayMode("640x480x16"), (DisplayMode{640, 480, 16}));
  EXPECT_EQ(ParseDisplayMode("1024x768x32"), (DisplayMode{1024, 768, 32}));
  for (const char* wrong : {"", "640x480", "640x480x8", "0x480x16", "640x5000x16", "640x480x16x",
                            "ax480x16", "640 x480x16", "-640x480x16"}) {
    EXPECT_FALSE(ParseDisplayMode(wrong)) << wrong;
  }
}

TEST_F(ExternalDisplayTest, NothingPluggedInNoContext) {
  EXPECT_EQ(CreateDC("ddi.dll"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_DEVICE_NOT_CONNECTED);
  EXPECT_FALSE(DisplayDll());
  ASSERT_TRUE(external_display::Attach({640, 480, 16}));
  EXPECT_EQ(CreateDC("display.dll"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);
}

TEST_F(ExternalDisplayTest, ContextsAnswerForTheirOwnDisplay) {
  ASSERT_TRUE(external_display::Attach({640, 480, 16}));
  EXPECT_FALSE(external_display::Attach({800, 600, 16}));
  EXPECT_EQ(DisplayDll(), "ddi.dll");
  const HDC display = CreateDC("DDI.DLL");
  ASSERT_NE(display, nullptr);
  EXPECT_EQ(GetDeviceCaps(display, HORZRES), 640);
  EXPECT_EQ(GetDeviceCaps(display, VERTRES), 480);
  EXPECT_EQ(GetDeviceCaps(display, BITSPIXEL), 16);
  const HDC compatible = CreateCompatibleDC(display);
  EXPECT_EQ(GetDeviceCaps(compatible, HORZRES), 640);
  const HDC screen_memory = CreateCompatibleDC(nullptr);
  EXPECT_EQ(GetDeviceCaps(screen_memory, HORZRES), screen::kWidth);
  EXPECT_EQ(GetDeviceCaps(screen_memory, VERTRES), screen::kHeight);

  // A picture drawn onto it shows on the display.
  Canvas picture(100, 50, 24, RGB(255, 0, 0));
  EXPECT_TRUE(BitBlt(display, 270, 215, 100, 50, picture.dc(), 0, 0, SRCCOPY));
  const std::optional<gdi::Surface> shown = external_display::Snapshot();
  ASSERT_TRUE(shown);
  EXPECT_EQ(shown->width(), 640);
  EXPECT_EQ(shown->bits_per_pixel(), 16);
  EXPECT_EQ(shown->GetPixel(300, 230), RGB(255, 0, 0));
  EXPECT_EQ(shown->GetPixel(10, 10), RGB(0, 0, 0));
  EXPECT_TRUE(DeleteDC(compatible));
  EXPECT_TRUE(DeleteDC(screen_memory));
  EXPECT_TRUE(DeleteDC(display));
}

TEST_F(ExternalDisplayTest, AModeChangeLosesTheContextsUntilReopened) {
  ASSERT_TRUE(external_display::Attach({640, 480, 16}));
  const HDC display = CreateDC("ddi.dll");
  const HDC compatible = CreateCompatibleDC(display);
  Canvas picture(10, 10, 24, RGB(0, 0, 255));
  ASSERT_TRUE(BitBlt(display, 0, 0, 10, 10, picture.dc(), 0, 0, SRCCOPY));

  ASSERT_TRUE(external_display::ChangeMode({800, 600, 24}));
  EXPECT_FALSE(BitBlt(display, 0, 0, 10, 10, picture.dc(), 0, 0, SRCCOPY));
  EXPECT_EQ(GetLastError(), ERROR_DEVICE_NOT_CONNECTED);
  EXPECT_FALSE(BitBlt(compatible, 0, 0, 10, 10, picture.dc(), 0, 0, SRCCOPY));
  EXPECT_EQ(CreateCompatibleDC(display), nullptr);
  EXPECT_TRUE(DeleteDC(compatible));
  EXPECT_TRUE(DeleteDC(display));
  EXPECT_FALSE(DeleteDC(display));

  // Opened again: the new mode, a blank screen, drawing works.
  const HDC reopened = CreateDC("ddi.dll");
  ASSERT_NE(reopened, nullptr);
  EXPECT_EQ(GetDeviceCaps(reopened, HORZRES), 800);
  EXPECT_EQ(GetDeviceCaps(reopened, VERTRES), 600);
  EXPECT_EQ(GetDeviceCaps(reopened, BITSPIXEL), 24);
  EXPECT_EQ(external_display::Snapshot()->GetPixel(5, 5), RGB(0, 0, 0));
  EXPECT_TRUE(BitBlt(reopened, 0, 0, 10, 10, picture.dc(), 0, 0, SRCCOPY));
  EXPECT_EQ(external_display::Snapshot()->GetPixel(5, 5), RGB(0, 0, 255));
  EXPECT_TRUE(DeleteDC(reopened));
}

TEST_F(ExternalDisplayTest, UnpluggingRemovesTheEntryAndLosesTheContexts) {
  ASSERT_TRUE(external_display::Attach({640, 480, 16}));
  const HDC display = CreateDC("ddi.dll");
  external_display::Detach();
  EXPECT_FALSE(DisplayDll());
  EXPECT_FALSE(external_display::CurrentMode());
  Canvas picture(10, 10);
  EXPECT_FALSE(BitBlt(display, 0, 0, 10, 10, picture.dc(), 0, 0, SRCCOPY));
  EXPECT_TRUE(DeleteDC(display));
  EXPECT_EQ(CreateDC("ddi.dll"), nullptr);
  EXPECT_FALSE(external_display::ChangeMode({640, 480, 16}));
}

TEST_F(ExternalDisplayTest, ACopyNeverSeesHalfADrawing) {
  ASSERT_TRUE(external_display::Attach({320, 240, 16}));
  Canvas red(320, 240, 24, RGB(255, 0, 0));
  Canvas blue(320, 240, 24, RGB(0, 0, 255));
  std::atomic<bool> done{false};
  std::thread painter([&] {
    const HDC display = CreateDC("ddi.dll");
    for (int i = 0; i < 200; ++i) {
      BitBlt(display, 0, 0, 320, 240, (i % 2 ? blue : red).dc(), 0, 0, SRCCOPY);
    }
    DeleteDC(display);
    done = true;
  });
  int torn = 0;
  int copies = 0;
  while (!done || copies == 0) {
    const std::optional<gdi::Surface> shown = external_display::Snapshot();
    ASSERT_TRUE(shown);
    ++copies;
    torn += shown->GetPixel(0, 0) != shown->GetPixel(319, 239) ? 1 : 0;
  }
  painter.join();
  EXPECT_EQ(torn, 0) << "of " << copies << " copies";
}

}  // namespace
}  // namespace platform
