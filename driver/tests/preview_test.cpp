// The application's side of the driver: init, options, a running preview
// with frames that decode behind the preview header, stop, version and
// power down, on the simulated card and the virtual clock.
#include <cstdlib>
#include <cstring>

#include "card_testing/jpeg_tools.h"
#include "driver_fixture.h"
#include "platform/devices.h"
#include "platform/last_error.h"
#include "platform/messages.h"
#include "platform/modules.h"
#include "platform/threads.h"
#include "platform/time.h"

namespace orsadrv::testing {
namespace {

// Mean difference of horizontally neighbouring green values: a few units for
// a picture of the scene (about 3 to 9), far more (18 and up) for a scan
// decoded with the wrong layout.
double Roughness(const card::testing::Picture& picture) {
  double sum = 0;
  for (int y = 0; y < picture.height; ++y) {
    for (int x = 1; x < picture.width; ++x) {
      const std::size_t at = (static_cast<std::size_t>(y) * picture.width + x) * 3 + 1;
      sum += std::abs(picture.rgb[at] - picture.rgb[at - 3]);
    }
  }
  return sum / (static_cast<double>(picture.width) * picture.height);
}

class PreviewTest : public DriverTest {
 protected:
  PreviewTest() {
    InstallCameraProgram();
    Insert();
    sio_ = platform::OpenDevice("SIO1:", 0, 0);
    window_ = platform::CreateMessageTarget([this](platform::HWND, platform::UINT message,
                                                   platform::WPARAM,
                                                   platform::LPARAM) -> platform::LRESULT {
      if (message == WM_SIO_FRAME_READY) ++frames_ready_;
      return 0;
    });
  }
  ~PreviewTest() override { platform::DestroyMessageTarget(window_); }

  BOOL Control(DWORD code, void* input, DWORD input_size, void* output = nullptr,
               DWORD output_size = 0, DWORD* returned = nullptr) {
    DWORD ignored = 0;
    return platform::DeviceIoControl(sio_, code, input, input_size, output, output_size,
                                     returned ? returned : &ignored);
  }

  void InitAndStart(BYTE type, SioOptions options = {}) {
    ASSERT_TRUE(Control(IOCTL_SIO_INIT, &window_, 0));
    ASSERT_TRUE(Control(IOCTL_SIO_SET_OPTIONS, &options, sizeof options));
    ASSERT_TRUE(Control(IOCTL_SIO_START_PREVIEW, &window_, type));
  }

  // Dispatches messages until `count` more frames were announced; each
  // announcement is answered with GET_FRAME as the application does.
  std::vector<std::vector<BYTE>> TakeFrames(int count) {
    std::vector<std::vector<BYTE>> frames;
    const std::uint64_t give_up = platform::clock::NowMs() + 10'000;
    while (static_cast<int>(frames.size()) < count && platform::clock::NowMs() < give_up) {
      platform::MSG msg;
      if (!platform::PeekMessage(&msg, nullptr, 0, 0, platform::PM_REMOVE)) {
        platform::MsgWaitForMultipleObjects({}, false, 100);
        continue;
      }
      platform::DispatchMessage(&msg);
      if (msg.message == WM_SIO_FRAME_READY) {
        std::vector<BYTE> frame(kPreviewFrameCapacity);
        DWORD returned = 0;
        Control(IOCTL_SIO_GET_FRAME, &returned, 4, frame.data(), kPreviewFrameCapacity, &returned);
        frame.resize(returned);
        frames.push_back(std::move(frame));
      }
    }
    return frames;
  }

  platform::DeviceHandle sio_;
  platform::HWND window_ = nullptr;
  int frames_ready_ = 0;
};

TEST_F(PreviewTest, FramesOfType4DecodeTo320By240BehindThePreviewHeader) {
  InitAndStart(4);
  const auto frames = TakeFrames(12);
  ASSERT_EQ(frames.size(), 12u);
  int decoded = 0;
  for (const auto& frame : frames) {
    if (frame.empty()) continue;
    EXPECT_GE(frame.size(), 1024u);
    auto picture = card::testing::DecodeWith(card::testing::PreviewHeader(320, 240, 1), frame);
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->width, 320);
    EXPECT_EQ(picture->height, 240);
    EXPECT_LT(Roughness(*picture), 12.0) << "the scene, not noise from a misread scan";
    ++decoded;
  }
  EXPECT_GE(decoded, 10) << "nearly every fetch brings a frame";
}

TEST_F(PreviewTest, ZoomTypesAndSmallPreviewDecodeAtTheirSizes) {
  InitAndStart(9);
  auto frames = TakeFrames(4);
  ASSERT_FALSE(frames.empty());
  auto picture =
      card::testing::DecodeWith(card::testing::PreviewHeader(320, 240, 2), frames.back());
  ASSERT_TRUE(picture);
  ASSERT_TRUE(Control(IOCTL_SIO_STOP_PREVIEW, nullptr, 0));
  ASSERT_TRUE(Control(IOCTL_SIO_START_PREVIEW, &window_, 6));
  frames = TakeFrames(4);
  ASSERT_FALSE(frames.empty());
  picture = card::testing::DecodeWith(card::testing::PreviewHeader(160, 120, 1), frames.back());
  ASSERT_TRUE(picture);
  EXPECT_EQ(picture->width, 160);
}

TEST_F(PreviewTest, EveryPreviewTypeOfTheBuiltInSceneBringsAFrameOnNearlyEveryFetch) {
  // The zoomed 160x120 stream looks at bare wall: its grain must keep the
  // frames above the driver's 1,024-byte minimum, or the screen stalls.
  InitAndStart(21);
  for (BYTE type : {21, 20, 17, 9, 6, 4}) {
    if (type != 21) {
      ASSERT_TRUE(Control(IOCTL_SIO_STOP_PREVIEW, nullptr, 0));
      ASSERT_TRUE(Control(IOCTL_SIO_START_PREVIEW, &window_, type));
    }
    const auto frames = TakeFrames(20);
    ASSERT_EQ(frames.size(), 20u) << "type " << int{type};
    int empty = 0;
    for (const auto& frame : frames) empty += frame.empty() ? 1 : 0;
    EXPECT_LE(empty, 1) << "type " << int{type};
  }
}

TEST_F(PreviewTest, TheExposureLoopSettlesTheLuminanceIntoItsBand) {
  InitAndStart(4);
  const auto frames = TakeFrames(60);
  ASSERT_GE(frames.size(), 60u);
  auto picture =
      card::testing::DecodeWith(card::testing::PreviewHeader(320, 240, 1), frames.back());
  ASSERT_TRUE(picture);
  const double luminance = picture->MeanLuminance();
  EXPECT_GT(luminance, 90);
  EXPECT_LT(luminance, 170);
}

TEST_F(PreviewTest, GetFrameBeforeStartGivesNothingAndASmallBufferKeepsTheFrameHeld) {
  ASSERT_TRUE(Control(IOCTL_SIO_INIT, &window_, 0));
  std::vector<BYTE> frame(kPreviewFrameCapacity);
  DWORD returned = 99;
  EXPECT_TRUE(
      Control(IOCTL_SIO_GET_FRAME, &returned, 4, frame.data(), kPreviewFrameCapacity, &returned));
  EXPECT_EQ(returned, 0u);
  ASSERT_TRUE(Control(IOCTL_SIO_START_PREVIEW, &window_, 4));
  const auto frames = TakeFrames(4);
  ASSERT_EQ(frames.size(), 4u);
  // Wait for the next frame to be held, then ask with too little room: the
  // call fails and the frame stays for a call with room for it.
  platform::MSG msg;
  while (platform::GetMessage(&msg, nullptr, 0, 0) && msg.message != WM_SIO_FRAME_READY) {
    platform::DispatchMessage(&msg);
  }
  platform::Sleep(250);
  EXPECT_FALSE(Control(IOCTL_SIO_GET_FRAME, &returned, 4, frame.data(), 100, &returned));
  EXPECT_EQ(platform::GetLastError(), 122u);
  EXPECT_FALSE(Control(IOCTL_SIO_GET_FRAME, &returned, 4, nullptr, 0, &returned));
  EXPECT_EQ(platform::GetLastError(), 122u);
  EXPECT_TRUE(
      Control(IOCTL_SIO_GET_FRAME, &returned, 4, frame.data(), kPreviewFrameCapacity, &returned));
  EXPECT_GE(returned, 1024u) << "the held frame is still there";
  auto picture =
      card::testing::DecodeWith(card::testing::PreviewHeader(320, 240, 1),
                                std::vector<BYTE>(frame.begin(), frame.begin() + returned));
  EXPECT_TRUE(picture);
}

TEST_F(PreviewTest, ShortOptionsAndSnapshotRecordsAreRefusedWithInvalidParameter) {
  ASSERT_TRUE(Control(IOCTL_SIO_INIT, &window_, 0));
  SioOptions options;
  platform::SetLastError(0);
  EXPECT_FALSE(Control(IOCTL_SIO_SET_OPTIONS, &options, sizeof options - 1));
  EXPECT_EQ(platform::GetLastError(), 87u);
  SioSnapshotRequest request;
  request.capture_type = 4;
  request.path[0] = u'x';
  platform::SetLastError(0);
  EXPECT_FALSE(Control(IOCTL_SIO_SNAPSHOT, &request, sizeof request - 1));
  EXPECT_EQ(platform::GetLastError(), 87u);
}

TEST_F(PreviewTest, RemovalOnAnotherThreadEndsTheStreamAndItsTimer) {
  InitAndStart(4);
  ASSERT_EQ(TakeFrames(3).size(), 3u);
  bool closed = false;
  int frames_after_close = 0;
  platform::SetTargetProcedure(window_,
                               [&](platform::HWND, platform::UINT message, platform::WPARAM,
                                   platform::LPARAM) -> platform::LRESULT {
                                 if (message == platform::WM_CLOSE) closed = true;
                                 if (message == WM_SIO_FRAME_READY && closed) ++frames_after_close;
                                 return 0;
                               });
  platform::ThreadHandle removal = platform::CreateThread([this] {
    EXPECT_TRUE(bus().RemoveCard());
    return 0u;
  });
  // This thread streams on: it dispatches ticks while the card goes, and
  // for a second after the removal has finished.
  std::uint64_t removed_at = 0;
  int ticks_after_removal = 0;
  for (;;) {
    const bool removal_done = platform::WaitForSingleObject(removal, 0) == platform::WAIT_OBJECT_0;
    if (removal_done && removed_at == 0) removed_at = platform::clock::NowMs();
    if (removed_at != 0 && platform::clock::NowMs() - removed_at >= 1000) break;
    platform::MSG msg;
    if (!platform::PeekMessage(&msg, nullptr, 0, 0, platform::PM_REMOVE)) {
      platform::MsgWaitForMultipleObjects({}, false, 10);
      continue;
    }
    if (msg.message == platform::WM_TIMER && removed_at != 0) ++ticks_after_removal;
    platform::DispatchMessage(&msg);
  }
  EXPECT_TRUE(closed);
  EXPECT_EQ(frames_after_close, 0) << "no frame is announced once the card has gone";
  EXPECT_LE(ticks_after_removal, 1) << "the first tick after removal ends its timer";
}

TEST_F(PreviewTest, WhiteBalanceOnASceneWithoutBlueKeepsItsGainsInBand) {
  card_->SetScene(card::MakeUniformScene(190, 190, 0));
  InitAndStart(4);
  const auto gain = [this](BYTE first) {
    return card_->SensorRegister(first) | card_->SensorRegister(static_cast<BYTE>(first + 1)) << 8;
  };
  // Ten seconds of preview; the gains are looked at every 30 frames.
  for (int round = 0; round < 10; ++round) {
    ASSERT_EQ(TakeFrames(30).size(), 30u);
    const int green = gain(34);
    ASSERT_GT(green, 0);
    EXPECT_LE(gain(32), 2 * green) << "blue, round " << round;
    EXPECT_GE(gain(32), green / 2) << "blue, round " << round;
    EXPECT_LE(gain(38), green * 3 / 2) << "red, round " << round;
    EXPECT_GE(gain(38), green / 2) << "red, round " << round;
  }
}

TEST_F(PreviewTest, VersionUnknownCodesAndPowerDown) {
  char16_t version[16] = {};
  DWORD returned = 0;
  ASSERT_TRUE(Control(IOCTL_SIO_GET_VERSION, nullptr, 0, version, sizeof version, &returned));
  EXPECT_EQ(returned, 18u);
  EXPECT_EQ(std::u16string(version), u"0.88.004");
  EXPECT_FALSE(Control(IOCTL_SIO_GET_VERSION, nullptr, 0, version, 10, &returned));

  EXPECT_FALSE(Control(0x80000003, nullptr, 0));
  EXPECT_EQ(platform::GetLastError(), 87u);
  EXPECT_FALSE(Control(IOCTL_SIO_SNAPSHOT, nullptr, 0)) << "no request";

  ASSERT_TRUE(Control(IOCTL_SIO_INIT, &window_, 0));
  EXPECT_EQ(bus().Interface().clock_hz, 15'000'000u) << "no model library: the slower clock";
  ASSERT_TRUE(Control(IOCTL_SIO_POWER_DOWN, nullptr, 0));
  EXPECT_EQ(bus().Interface().clock_hz, 100u);
  card_->SetTracing(true);
  ASSERT_TRUE(Control(IOCTL_SIO_POWER_DOWN, nullptr, 0));
  EXPECT_TRUE(card_->Trace().empty()) << "a second power-down does nothing";
  ASSERT_TRUE(Control(IOCTL_SIO_INIT, &window_, 0));
  EXPECT_EQ(bus().Interface().clock_hz, 15'000'000u) << "init wakes the card again";
}

TEST_F(PreviewTest, ASuspendDoesNotKeepThePowerDownFromPuttingTheModuleToSleep) {
  ASSERT_TRUE(Control(IOCTL_SIO_INIT, &window_, 0));
  platform::HMODULE driver = platform::LoadLibrary(kModulePath);
  ASSERT_NE(driver, nullptr);
  auto* power_down = platform::GetProcAddressAs<void(void*)>(driver, "SIO_PowerDown");
  ASSERT_NE(power_down, nullptr);
  power_down(nullptr);
  ASSERT_TRUE(Control(IOCTL_SIO_POWER_DOWN, nullptr, 0));
  EXPECT_EQ(bus().Interface().clock_hz, 100u) << "the module is put to sleep";
  platform::FreeLibrary(driver);
}

TEST_F(PreviewTest, AWrongRegister26ReadBackShowsTheMessageAndStillSucceeds) {
  card::CardFaults wrong;
  wrong.wrong_readback = true;
  card_->SetFaults(wrong);
  EXPECT_TRUE(Control(IOCTL_SIO_INIT, &window_, 0));
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].request.text, "mp2");
  EXPECT_EQ(boxes[0].request.caption, "mp2 1");
}

TEST_F(PreviewTest, ABusFailureStopsTheStartUpThereAndIsReportedOnce) {
  card::CardFaults failing;
  failing.failing_transfers = 1;
  card_->SetFaults(failing);
  card_->SetTracing(true);
  EXPECT_TRUE(Control(IOCTL_SIO_INIT, &window_, 0));
  EXPECT_LE(card_->Trace().size(), 2u) << "nothing is programmed after the failed read";
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].request.text, "mp2");
}

TEST_F(PreviewTest, RemovingTheCardClosesTheApplicationWindow) {
  ASSERT_TRUE(Control(IOCTL_SIO_INIT, &window_, 0));
  bool closed = false;
  platform::SetTargetProcedure(window_,
                               [&](platform::HWND, platform::UINT message, platform::WPARAM,
                                   platform::LPARAM) -> platform::LRESULT {
                                 if (message == platform::WM_CLOSE) closed = true;
                                 return 0;
                               });
  ASSERT_TRUE(bus().RemoveCard());
  platform::MSG msg;
  while (platform::PeekMessage(&msg, nullptr, 0, 0, platform::PM_REMOVE)) {
    platform::DispatchMessage(&msg);
  }
  EXPECT_TRUE(closed);
}

}  // namespace
}  // namespace orsadrv::testing
