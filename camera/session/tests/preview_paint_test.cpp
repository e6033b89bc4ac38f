// The preview paint read back from the screen: the picture's layout for
// both stream sizes, every overlay at its place, the count in red or white,
// and the frame rate.
#include <gtest/gtest.h>

#include "camera/session/camera_session.h"
#include "camera/session/camera_state.h"
#include "camera/session/free_space.h"
#include "camera/session/preview_window.h"
#include "camera/session/zoom.h"
#include "camera/settings/camera_settings.h"
#include "fake_sio_driver.h"
#include "platform/window_paint.h"
#include "preview_scan.h"
#include "session_fixture.h"

namespace camera::testing {
namespace {

constexpr platform::COLORREF kBlack = platform::RGB(0, 0, 0);
constexpr platform::COLORREF kScene = platform::RGB(40, 150, 90);

class PreviewPaintTest : public SessionTest {
 protected:
  void OpenWith(int aviresolution, int business_card) {
    Settings().aviresolution = aviresolution;
    Settings().business_card = business_card;
    Settings().selftime = 0;
    SetFreeBytes(kPictureReserveBytes + 100'000'000);
    ASSERT_TRUE(Open());
    driver_.LoseStream();
  }
  void Deliver(const std::vector<std::uint8_t>& frame) {
    driver_.frame = frame;
    driver_.AnnounceFrame();
    Pump(5);
  }
  bool Shows(int x, int y, platform::COLORREF colour) const {
    return Near(PreviewPixel(x, y), colour);
  }
  // The corners of an overlay are its colour, and just outside them not.
  void ExpectOverlay(int id, int x, int y) {
    const platform::SIZE size = OverlaySize(id);
    const platform::COLORREF colour = OverlayColour(id);
    EXPECT_TRUE(Shows(x, y, colour)) << id;
    EXPECT_TRUE(Shows(x + size.cx - 1, y + size.cy - 1, colour)) << id;
    EXPECT_FALSE(Shows(x - 1, y + size.cy / 2, colour)) << id;
    EXPECT_FALSE(Shows(x + size.cx, y + size.cy / 2, colour)) << id;
  }
  FakeSioDriver driver_;
};

TEST_F(PreviewPaintTest, TheSmallStreamSitsCentredOnBlack) {
  OpenWith(1, 0);
  Deliver(UniformScan(160, 120, 0x11, 40, 150, 90));
  EXPECT_TRUE(Camera().painted.small_layout);
  EXPECT_TRUE(Shows(40, 28, kScene));
  EXPECT_TRUE(Shows(199, 147, kScene));
  EXPECT_TRUE(Shows(39, 100, kBlack));
  EXPECT_TRUE(Shows(120, 27, kBlack));
  EXPECT_TRUE(Shows(120, 148, kBlack));
  EXPECT_TRUE(Shows(200, 147, kBlack));
}

TEST_F(PreviewPaintTest, TheSmallStreamsBusinessCardFrameIsTheSmallOne) {
  OpenWith(1, 1);
  Deliver(UniformScan(160, 120, 0x11, 40, 150, 90));
  ExpectOverlay(335, 52, 46);
  EXPECT_TRUE(Shows(51, 46, kScene));
  EXPECT_FALSE(Shows(100, 80, OverlayColour(265)));  // no centre mark
}

TEST_F(PreviewPaintTest, TheLargeStreamFillsThePreviewWithTheLargeFrame) {
  OpenWith(0, 1);
  Deliver(UniformScan(320, 240, 0x11, 40, 150, 90));
  EXPECT_FALSE(Camera().painted.small_layout);
  EXPECT_TRUE(Shows(5, 100, kScene));
  EXPECT_TRUE(Shows(10, 170, kScene));
  ExpectOverlay(336, 17, 26);
}

TEST_F(PreviewPaintTest, WithoutTheFramingAidTheCentreMarkShows) {
  OpenWith(0, 0);
  Deliver(UniformScan(320, 240, 0x11, 40, 150, 90));
  ExpectOverlay(265, 83, 73);
}

TEST_F(PreviewPaintTest, VideoModeShowsTheCentreMarkAndTheClipIndicator) {
  OpenWith(0, 1);
  Camera().mode = CameraMode::kVideo;
  Repaint();
  ExpectOverlay(265, 83, 73);
  ExpectOverlay(332, 2, 40);
  Camera().recording = true;
  for (int id : {331, 330, 329, 331}) {
    Repaint();
    EXPECT_TRUE(Shows(2, 40, OverlayColour(id))) << id;
  }
}

TEST_F(PreviewPaintTest, SettingsPickTheirOverlays) {
  Settings().ae_metering = 1;
  Settings().awb = 2;
  Settings().color = 1;
  Settings().imagequality = 2;
  OpenWith(0, 0);
  Repaint();
  ExpectOverlay(269, 23, 0);
  ExpectOverlay(271, 46, 0);
  ExpectOverlay(339, 69, 0);
  EXPECT_TRUE(Shows(195, 30, OverlayColour(258)));

  Settings().awb = 4;  // no preset, no overlay
  Settings().color = 0;
  Repaint();
  EXPECT_FALSE(Shows(50, 5, OverlayColour(271)));
  EXPECT_FALSE(Shows(75, 5, OverlayColour(339)));
}

TEST_F(PreviewPaintTest, TheZoomScaleAndItsMarkerShowWhileZoomed) {
  OpenWith(0, 0);
  Repaint();
  EXPECT_FALSE(Shows(140, 170, OverlayColour(288)));
  ZoomIn();
  Repaint();
  ExpectOverlay(288, 137, 163);
  EXPECT_TRUE(Shows(190, 167, OverlayColour(289)));
  ZoomIn();
  Repaint();
  EXPECT_TRUE(Shows(226, 167, OverlayColour(289)));
  EXPECT_FALSE(Shows(190, 167, OverlayColour(289)));
}

TEST_F(PreviewPaintTest, TheSelfTimerShowsItsDigitWhileCountingDown) {
  OpenWith(0, 0);
  Settings().selftime = 1;
  Repaint();
  EXPECT_TRUE(Shows(0, 40, OverlayColour(303)));
  Camera().self_timer_digit = 2;
  Camera().self_timer_running = true;
  Repaint();
  EXPECT_TRUE(Shows(0, 40, OverlayColour(294)));
}

class CountTest : public PreviewPaintTest {
 protected:
  // Some pixel of the count's rectangle is near the colour (the text is
  // drawn antialiased).
  bool CountShows(platform::COLORREF colour) const {
    for (int y = kCountRect.top; y < kCountRect.bottom; ++y) {
      for (int x = kCountRect.left; x < kCountRect.right; ++x) {
        if (Near(PreviewPixel(x, y), colour, 40)) return true;
      }
    }
    return false;
  }
};

TEST_F(CountTest, NoRoomBeyondTheReserveIsZeroInRed) {
  OpenWith(0, 0);
  SetFreeBytes(2'097'152);
  Repaint();
  EXPECT_EQ(Camera().painted.count_text, "0");
  EXPECT_EQ(Camera().painted.count_colour, platform::RGB(255, 0, 0));
  EXPECT_TRUE(CountShows(platform::RGB(255, 0, 0)));
  EXPECT_FALSE(CountShows(platform::RGB(255, 255, 255)));
}

TEST_F(CountTest, FivePicturesAndMoreAreWhite) {
  OpenWith(0, 0);
  Settings().resolution = 3;
  Settings().imagequality = 0;
  SetFreeBytes(kPictureReserveBytes + 4 * 16 * 1024);
  Repaint();
  EXPECT_EQ(Camera().painted.count_text, "4");
  EXPECT_TRUE(CountShows(platform::RGB(255, 0, 0)));
  SetFreeBytes(kPictureReserveBytes + 5 * 16 * 1024);
  Repaint();
  EXPECT_EQ(Camera().painted.count_text, "5");
  EXPECT_TRUE(CountShows(platform::RGB(255, 255, 255)));
  EXPECT_FALSE(CountShows(platform::RGB(255, 0, 0)));
}

TEST_F(CountTest, VideoModeCountsSecondsAndEndsAClipWithNoneLeftOnce) {
  OpenWith(1, 0);
  Camera().mode = CameraMode::kVideo;
  int stops = 0;
  Camera().hooks.stop_recording = [&] { ++stops; };
  SetFreeBytes(10'000'000);
  Repaint();
  EXPECT_EQ(Camera().painted.count_text, std::to_string(RecordingSecondsLeft()));
  EXPECT_NE(Camera().painted.count_text, "0");
  Camera().clip_open = true;
  SetFreeBytes(4'000'000);
  Repaint();
  Repaint();
  EXPECT_EQ(Camera().painted.count_text, "0");
  EXPECT_EQ(stops, 1);
}

TEST_F(PreviewPaintTest, TheFrameRateIsMeasuredBetweenPaints) {
  OpenWith(0, 0);
  Repaint();
  Pump(40);
  Repaint();
  EXPECT_EQ(Camera().painted.frame_rate_text, "26F/S");
}

TEST_F(PreviewPaintTest, TwoPaintsInOneMillisecondKeepTheRate) {
  OpenWith(0, 0);
  Repaint();
  Pump(50);
  Repaint();
  const std::string rate = Camera().painted.frame_rate_text;
  ASSERT_EQ(rate, "21F/S");
  Repaint();  // no time has passed
  EXPECT_EQ(Camera().painted.frame_rate_text, rate);
}

TEST_F(PreviewPaintTest, TheOldLayoutStaysUntilTheNewSizesFirstFrame) {
  OpenWith(1, 0);
  Deliver(UniformScan(160, 120, 0x11, 40, 150, 90));
  Settings().aviresolution = 0;
  RestartPreviewForSettings();
  driver_.LoseStream();
  Repaint();
  EXPECT_TRUE(Camera().painted.small_layout);
  Deliver(UniformScan(320, 240, 0x11, 200, 60, 60));
  EXPECT_FALSE(Camera().painted.small_layout);
  EXPECT_TRUE(Shows(5, 100, platform::RGB(200, 60, 60)));
}

}  // namespace
}  // namespace camera::testing
