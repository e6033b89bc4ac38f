// Opening the camera: the control codes in their order with their values,
// the program's steps at their places, and the missing device.
#include <gtest/gtest.h>

#include <cstring>

#include "camera/session/camera_session.h"
#include "camera/session/camera_state.h"
#include "camera/settings/camera_settings.h"
#include "camera/strings/string_library.h"
#include "driver/orsadrv.h"
#include "fake_sio_driver.h"
#include "platform/message_box.h"
#include "platform/window.h"
#include "session_fixture.h"

namespace camera::testing {
namespace {

using orsadrv::IOCTL_SIO_GET_FRAME;
using orsadrv::IOCTL_SIO_INIT;
using orsadrv::IOCTL_SIO_POWER_DOWN;
using orsadrv::IOCTL_SIO_SET_OPTIONS;
using orsadrv::IOCTL_SIO_START_PREVIEW;
using orsadrv::IOCTL_SIO_STOP_PREVIEW;

class StartUpTest : public SessionTest {
 protected:
  FakeSioDriver driver_;
};

TEST_F(StartUpTest, InitOptionsThenTheFirstPreview) {
  Settings().awb = 3;
  Settings().color = 2;
  Settings().imagequality = 1;
  Settings().ae_metering = 0;
  Settings().aviresolution = 0;
  ASSERT_TRUE(Open());

  const std::vector<platform::DWORD> expected = {IOCTL_SIO_INIT, IOCTL_SIO_SET_OPTIONS,
                                                 IOCTL_SIO_START_PREVIEW};
  EXPECT_EQ(driver_.Codes(), expected);
  ASSERT_EQ(driver_.calls.size(), 3u);
  EXPECT_EQ(driver_.calls[0].window, main_window_);
  EXPECT_EQ(driver_.calls[0].input_size, 0u);

  const ControlCall& options = driver_.calls[1];
  ASSERT_EQ(options.input.size(), sizeof(orsadrv::SioOptions));
  orsadrv::SioOptions record;
  std::memcpy(&record, options.input.data(), sizeof record);
  EXPECT_EQ(record.white_balance, 3u);
  EXPECT_EQ(record.colour_mode, 2u);
  EXPECT_EQ(record.compression, 1u);
  EXPECT_EQ(record.metering, 0u);

  const ControlCall& start = driver_.calls[2];
  EXPECT_EQ(start.input_size, 4u);  // the capture type rides in the length
  EXPECT_EQ(start.window, Camera().preview_window);
  EXPECT_EQ(Camera().streaming, 1u);
  EXPECT_EQ(Camera().current_capture_type, 4u);
  EXPECT_EQ(driver_.open_share_modes, std::vector<platform::DWORD>{3});
}

TEST_F(StartUpTest, TheSmallStreamStartsWithTypeSixAndTheSmallHeader) {
  Settings().aviresolution = 1;
  ASSERT_TRUE(Open());
  ASSERT_EQ(driver_.calls.size(), 3u);
  EXPECT_EQ(driver_.calls[2].input_size, 6u);
  EXPECT_EQ(Camera().decode_size_mode, kDecodeSmallStream);
  EXPECT_EQ(Camera().jpeg_buffer[142], 120);  // height low byte of the small header
}

TEST_F(StartUpTest, ProgramStepsComeAtTheirPlaces) {
  std::vector<std::size_t> seen;
  ProgramOpenSteps steps;
  steps.create_buttons = [&] { seen.push_back(driver_.calls.size()); };
  steps.start_background_exit = [&] { seen.push_back(driver_.calls.size()); };
  ASSERT_TRUE(OpenCamera(main_window_, instance_, steps));
  // Buttons after init and options, the background exit after the start.
  EXPECT_EQ(seen, (std::vector<std::size_t>{2, 3}));
}

TEST_F(StartUpTest, ThePreviewWindowIsAVisibleChildAtTheTop) {
  ASSERT_TRUE(Open());
  const platform::HWND preview = Camera().preview_window;
  ASSERT_NE(preview, nullptr);
  EXPECT_EQ(platform::GetClassName(preview), "KavCameraVideoWindow");
  EXPECT_EQ(platform::GetParent(preview), main_window_);
  EXPECT_TRUE(platform::IsWindowVisible(preview));
  platform::RECT client;
  platform::GetClientRect(preview, &client);
  EXPECT_EQ(client, (platform::RECT{0, 0, 240, 180}));
  EXPECT_EQ(Camera().frame_message_count, 10u);
}

TEST_F(StartUpTest, CloseCameraPowersDownAndLetsGoOfTheDevice) {
  ASSERT_TRUE(Open());
  CloseCamera();
  EXPECT_EQ(driver_.Codes().back(), IOCTL_SIO_POWER_DOWN);
  EXPECT_FALSE(Camera().device);
  const std::size_t calls = driver_.calls.size();
  EndCameraSession();  // the device is closed: nothing more reaches it
  EXPECT_EQ(driver_.calls.size(), calls);
}

TEST_F(StartUpTest, StopAndRestartForSettingsUseTheNewStreamSize) {
  ASSERT_TRUE(Open());
  StopPreview();
  EXPECT_EQ(Camera().streaming, 0u);
  EXPECT_EQ(driver_.Codes().back(), IOCTL_SIO_STOP_PREVIEW);
  Settings().aviresolution = 1;
  EXPECT_TRUE(RestartPreviewForSettings());
  EXPECT_EQ(driver_.calls.back().input_size, 6u);
  EXPECT_EQ(Camera().decode_size_mode, kDecodeSmallStream);
  EXPECT_EQ(Camera().streaming, 1u);
}

TEST_F(StartUpTest, AStreamSizeWithoutAPreviewStartsNothing) {
  ASSERT_TRUE(Open());
  Settings().aviresolution = 5;
  const std::size_t calls = driver_.calls.size();
  EXPECT_EQ(PreviewCaptureType(), kNoCaptureType);
  EXPECT_FALSE(StartPreview(PreviewCaptureType()));
  EXPECT_EQ(driver_.calls.size(), calls);
}

class MissingDeviceTest : public SessionTest {};

TEST_F(MissingDeviceTest, TellsTheUserAndFails) {
  EXPECT_FALSE(Open());
  const std::vector<platform::MessageBoxRecord> boxes = handheld().message_boxes().Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  const std::string text = LocalizedText(50076);
  EXPECT_EQ(text, "Camera is not connected or reset your Pocket PC.");
  EXPECT_EQ(boxes[0].request.text, text);
  EXPECT_EQ(boxes[0].request.caption, LocalizedText(50004));
  EXPECT_FALSE(boxes[0].request.caption.empty());
  EXPECT_EQ(boxes[0].request.icon(), platform::MB_ICONERROR);
  EXPECT_FALSE(Camera().device);
}

}  // namespace
}  // namespace camera::testing
