// The watchdog on the virtual clock: quiet while frames flow or the stream
// is stopped, a reopen after the stream was lost, and the close after two
// failed reopens.
#include "camera/session/watchdog.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "camera/session/camera_session.h"
#include "camera/session/camera_state.h"
#include "camera/settings/camera_settings.h"
#include "driver/orsadrv.h"
#include "fake_sio_driver.h"
#include "session_fixture.h"

namespace camera::testing {
namespace {

using orsadrv::IOCTL_SIO_INIT;
using orsadrv::IOCTL_SIO_START_PREVIEW;
using orsadrv::IOCTL_SIO_STOP_PREVIEW;

class WatchdogTest : public SessionTest {
 protected:
  WatchdogTest() {
    Settings().aviresolution = 0;
    EXPECT_TRUE(Open());
  }
  std::size_t Count(platform::DWORD code) const {
    const std::vector<platform::DWORD> codes = driver_.Codes();
    return static_cast<std::size_t>(std::count(codes.begin(), codes.end(), code));
  }
  FakeSioDriver driver_;
};

TEST_F(WatchdogTest, FlowingFramesKeepItQuiet) {
  Pump(5'000);
  EXPECT_EQ(driver_.opens, 1);
  EXPECT_EQ(close_posts_, 0);
}

TEST_F(WatchdogTest, AStoppedStreamIsNeverReopenedHoweverLong) {
  StopPreview();
  Pump(60'000);
  EXPECT_EQ(driver_.opens, 1);
  EXPECT_EQ(close_posts_, 0);
}

TEST_F(WatchdogTest, ALostStreamIsReopenedAndStartedAgain) {
  Pump(1'000);
  driver_.calls.clear();
  driver_.LoseStream();
  ASSERT_TRUE(PumpUntil([&] { return driver_.opens == 2; }, 2'000));
  EXPECT_EQ(driver_.open_share_modes.back(), 0u);
  const std::vector<platform::DWORD> expected = {IOCTL_SIO_INIT, IOCTL_SIO_STOP_PREVIEW,
                                                 IOCTL_SIO_START_PREVIEW};
  EXPECT_EQ(driver_.Codes(), expected);
  EXPECT_EQ(driver_.calls.back().input_size, 4u);
  EXPECT_EQ(driver_.calls.front().window, main_window_);
  // Frames flow again and the watchdog goes quiet.
  Pump(5'000);
  EXPECT_EQ(driver_.opens, 2);
  EXPECT_EQ(Count(orsadrv::IOCTL_SIO_SET_OPTIONS), 0u);
}

TEST_F(WatchdogTest, NoReopenBeforeAWholePeriodWithoutFrames) {
  Pump(1'000);
  driver_.LoseStream();
  // The first tick after the loss only clears the count of the frames
  // that came before it.
  Pump(550);
  EXPECT_EQ(driver_.opens, 1);
}

TEST_F(WatchdogTest, EndingTheSessionStopsTheWatchdog) {
  Pump(1'000);
  EndCameraSession();
  EXPECT_EQ(driver_.Codes().back(), orsadrv::IOCTL_SIO_POWER_DOWN);
  driver_.LoseStream();
  Pump(5'000);
  EXPECT_EQ(driver_.opens, 1);
}

TEST_F(WatchdogTest, TwoFailedReopensCloseTheApplication) {
  Pump(1'000);
  driver_.refuse_open = true;
  driver_.LoseStream();
  ASSERT_TRUE(PumpUntil([&] { return driver_.opens == 2; }, 2'000));
  EXPECT_EQ(close_posts_, 0);
  EXPECT_EQ(Camera().reopen_failures, 1);
  ASSERT_TRUE(PumpUntil([&] { return close_posts_ == 1; }, 700));
  EXPECT_EQ(driver_.opens, 3);
  // The close is asked for once, however many ticks fail while it is on
  // its way.
  Pump(3'000);
  EXPECT_GT(driver_.opens, 5);
  EXPECT_EQ(close_posts_, 1);
}

TEST_F(WatchdogTest, ASuccessfulReopenStartsTheFailureCountAgain) {
  Pump(1'000);
  driver_.refuse_open = true;
  driver_.LoseStream();
  ASSERT_TRUE(PumpUntil([&] { return driver_.opens == 2; }, 2'000));
  driver_.refuse_open = false;
  ASSERT_TRUE(PumpUntil([&] { return driver_.opens == 3; }, 700));
  EXPECT_EQ(Camera().reopen_failures, 0);
  Pump(1'000);
  driver_.refuse_open = true;
  driver_.LoseStream();
  ASSERT_TRUE(PumpUntil([&] { return driver_.opens == 4; }, 2'000));
  Pump(100);
  EXPECT_EQ(close_posts_, 0);
}

}  // namespace
}  // namespace camera::testing
