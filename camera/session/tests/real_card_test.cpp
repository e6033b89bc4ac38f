// The session with the real driver and the simulated camera card: the
// stream runs on the driver's tick, frames decode and paint, the watchdog
// restarts a stream the driver lost, and removing the card closes the
// application.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <span>

#include "camera/session/camera_session.h"
#include "camera/session/camera_state.h"
#include "camera/session/zoom.h"
#include "camera/settings/camera_settings.h"
#include "card/camera_card.h"
#include "card/scene.h"
#include "driver/orsadrv.h"
#include "platform/devices.h"
#include "platform/files.h"
#include "platform/programs.h"
#include "platform/sd_bus.h"
#include "session_fixture.h"

namespace camera::testing {
namespace {

class RealCardTest : public SessionTest {
 protected:
  RealCardTest() {
    EXPECT_TRUE(orsadrv::InstallDriver(handheld()));
    // The driver starts the camera program; here the test is the program.
    constexpr char kProgram[] = "\\windows\\orsacap.exe";
    handheld().programs().Register(kProgram,
                                   [](platform::HINSTANCE, const std::string&) { return 0; });
    const char marker[] = "program";
    handheld().files().InstallFile(kProgram, std::as_bytes(std::span(marker)));
    EXPECT_TRUE(bus().InsertCard(card_));
    Settings().ae_metering = 0;
  }
  platform::sd::SdBus& bus() { return handheld().GetService<platform::sd::SdBus>(); }

  std::shared_ptr<card::CameraCard> card_ = std::make_shared<card::CameraCard>();
};

// Whether the picture shows something: its pixels are not all alike.
bool ShowsAScene(const SessionTest& test, int left, int top, int right, int bottom) {
  int lowest = 255 * 3, highest = 0;
  for (int y = top; y < bottom; y += 7) {
    for (int x = left; x < right; x += 7) {
      const platform::COLORREF c = test.PreviewPixel(x, y);
      const int sum = platform::GetRValue(c) + platform::GetGValue(c) + platform::GetBValue(c);
      lowest = std::min(lowest, sum);
      highest = std::max(highest, sum);
    }
  }
  return highest - lowest > 60;
}

TEST_F(RealCardTest, FramesFromTheCardDecodeAndPaint) {
  card_->SetScene(card::MakeUniformScene(60, 140, 200));
  Settings().aviresolution = 0;
  ASSERT_TRUE(Open());
  ASSERT_TRUE(PumpUntil([] { return Camera().painted.paints >= 10; }, 5'000));
  EXPECT_GE(Camera().frame_message_count, 1u);
  // The uniform scene comes through the sensor, the module's exposure and
  // compression: a clear blue, about even over the picture.
  const platform::COLORREF middle = PreviewPixel(120, 120);
  EXPECT_GT(platform::GetBValue(middle), platform::GetRValue(middle) + 40);
  EXPECT_TRUE(Near(PreviewPixel(10, 170), middle, 24));
  EXPECT_NE(Camera().painted.frame_rate_text.find("F/S"), std::string::npos);
}

TEST_F(RealCardTest, TheSmallStreamAndTheZoomedStreamsDecodeToo) {
  Settings().aviresolution = 1;
  ASSERT_TRUE(Open());
  ASSERT_TRUE(PumpUntil([] { return Camera().painted.paints >= 5; }, 5'000));
  EXPECT_TRUE(Camera().painted.small_layout);
  EXPECT_TRUE(ShowsAScene(*this, 40, 28, 200, 148));
  EXPECT_TRUE(Near(PreviewPixel(20, 90), platform::RGB(0, 0, 0)));

  Settings().aviresolution = 0;
  RestartPreviewForSettings();
  ZoomIn();
  const std::uint64_t paints = Camera().painted.paints;
  ASSERT_TRUE(PumpUntil([&] { return Camera().painted.paints >= paints + 5; }, 5'000));
  EXPECT_FALSE(Camera().painted.small_layout);
  EXPECT_TRUE(ShowsAScene(*this, 0, 0, 40, 180));
}

TEST_F(RealCardTest, TheWatchdogRestartsAStreamTheDriverLost) {
  Settings().aviresolution = 0;
  ASSERT_TRUE(Open());
  ASSERT_TRUE(PumpUntil([] { return Camera().painted.paints >= 3; }, 5'000));
  // The driver's stream ends behind the application's back, as when the
  // card was reset: no more frame messages.
  {
    platform::DeviceHandle other = platform::OpenDevice("SIO1:", 0, 0);
    ASSERT_TRUE(other);
    platform::DWORD returned = 0;
    platform::DeviceIoControl(other, orsadrv::IOCTL_SIO_STOP_PREVIEW, nullptr, 0, nullptr, 0,
                              &returned);
  }
  Pump(100);
  const std::uint64_t paints = Camera().painted.paints;
  Pump(300);
  EXPECT_EQ(Camera().painted.paints, paints);
  // Within two periods the watchdog opens the device again and restarts.
  ASSERT_TRUE(PumpUntil([&] { return Camera().painted.paints > paints + 3; }, 3'000));
  EXPECT_EQ(close_posts_, 0);
  EXPECT_TRUE(Camera().device);
}

TEST_F(RealCardTest, RemovingTheCardClosesTheApplication) {
  ASSERT_TRUE(Open());
  Pump(500);
  EXPECT_EQ(close_posts_, 0);
  EXPECT_TRUE(bus().RemoveCard());
  EXPECT_TRUE(PumpUntil([&] { return close_posts_ >= 1; }, 2'000));
}

}  // namespace
}  // namespace camera::testing
