// The module programming on the simulated card: the bus clock the model
// picks, the exposure clamp, the gain orders with the sensor turned round,
// the frame hand-off of the preview tick, frame validation, and the closed
// exposure and white-balance loops.
#include <array>
#include <cmath>

#include "bus_primitives_fixture.h"
#include "card/scene.h"
#include "card_testing/jpeg_tools.h"
#include "driver/model_library.h"
#include "module_config.h"
#include "platform/devices.h"
#include "platform/messages.h"
#include "platform/time.h"
#include "still_capture.h"

namespace orsadrv::testing {
namespace {

class ModuleProgrammingTest : public DriverTest {
 protected:
  void Open() {
    InstallCameraProgram();
    device_handle_ = Insert();
    sio_ = platform::OpenDevice("SIO1:", 0, 0);
    window_ =
        platform::CreateMessageTarget([](platform::HWND, platform::UINT, platform::WPARAM,
                                         platform::LPARAM) -> platform::LRESULT { return 0; });
  }
  ~ModuleProgrammingTest() override {
    if (window_) platform::DestroyMessageTarget(window_);
  }

  BOOL Control(DWORD code, void* input, DWORD input_size, void* output = nullptr,
               DWORD output_size = 0, DWORD* returned = nullptr) {
    DWORD ignored = 0;
    return platform::DeviceIoControl(sio_, code, input, input_size, output, output_size,
                                     returned ? returned : &ignored);
  }

  void InitWithOptions(SioOptions options) {
    ASSERT_TRUE(Control(IOCTL_SIO_INIT, &window_, 0));
    ASSERT_TRUE(Control(IOCTL_SIO_SET_OPTIONS, &options, sizeof options));
  }

  std::array<WORD, 4> Gains() {
    std::array<WORD, 4> gains{};
    for (int i = 0; i < 4; ++i) {
      const BYTE low = card_->SensorRegister(static_cast<BYTE>(32 + 2 * i));
      const BYTE high = card_->SensorRegister(static_cast<BYTE>(33 + 2 * i));
      gains[i] = static_cast<WORD>(low | high << 8);
    }
    return gains;
  }

  // Messages for `ms` of handheld time; each frame announcement is
  // answered with GET_FRAME unless `collect` is false.
  std::vector<DWORD> Run(DWORD ms, bool collect = true) {
    std::vector<DWORD> sizes;
    const std::uint64_t end = platform::clock::NowMs() + ms;
    while (platform::clock::NowMs() < end) {
      platform::MSG msg;
      if (!platform::PeekMessage(&msg, nullptr, 0, 0, platform::PM_REMOVE)) {
        platform::MsgWaitForMultipleObjects({}, false,
                                            static_cast<DWORD>(end - platform::clock::NowMs()));
        continue;
      }
      platform::DispatchMessage(&msg);
      if (msg.message != WM_SIO_FRAME_READY) continue;
      if (!collect) {
        sizes.push_back(0);
        continue;
      }
      DWORD returned = 0;
      Control(IOCTL_SIO_GET_FRAME, &returned, 4, frame_.data(), kPreviewFrameCapacity, &returned);
      sizes.push_back(returned);
      if (returned > 0) last_frame_.assign(frame_.begin(), frame_.begin() + returned);
    }
    return sizes;
  }

  double LastLuminance() {
    auto picture =
        card::testing::DecodeWith(card::testing::PreviewHeader(320, 240, 1), last_frame_);
    return picture ? picture->MeanLuminance() : -1;
  }

  DWORD device_handle_ = 0;
  platform::DeviceHandle sio_;
  platform::HWND window_ = nullptr;
  std::vector<BYTE> frame_ = std::vector<BYTE>(kPreviewFrameCapacity);
  std::vector<BYTE> last_frame_;
};

TEST_F(ModuleProgrammingTest, AModelEndingIn22TakesTheFastClock) {
  ASSERT_TRUE(InstallModelLibrary(handheld(), u"QX3922AB"));
  Open();
  ASSERT_TRUE(Control(IOCTL_SIO_INIT, &window_, 0));
  EXPECT_EQ(bus().Interface().clock_hz, 20'000'000u);
}

TEST_F(ModuleProgrammingTest, AnUnknownModelTakesTheSlowClock) {
  ASSERT_TRUE(InstallModelLibrary(handheld(), u"QX3999AB"));
  Open();
  ASSERT_TRUE(Control(IOCTL_SIO_INIT, &window_, 0));
  EXPECT_EQ(bus().Interface().clock_hz, 15'000'000u);
}

TEST_F(ModuleProgrammingTest, LongExposuresAreClampedForTheSensor) {
  Open();
  InitWithOptions({});
  State().exposure = 3000;
  SetExposureRegisters(device_handle_, 6, false);  // twice the value, clamped
  EXPECT_EQ(card_->SensorRegister(28), 2192 & 0xFF);
  EXPECT_EQ(card_->SensorRegister(29), 2192 >> 8);
  State().exposure = 1000;
  SetExposureRegisters(device_handle_, 4, false);
  EXPECT_EQ(card_->SensorRegister(28) | card_->SensorRegister(29) << 8, 1000);
  SetExposureRegisters(device_handle_, 1, true);  // stills of type 1: half
  EXPECT_EQ(card_->SensorRegister(28) | card_->SensorRegister(29) << 8, 500);
}

TEST_F(ModuleProgrammingTest, TheSunPresetWithTheSensorTurnedWritesTheTurnedOrder) {
  card_->SetOrientation(true);
  Open();
  SioOptions sun;
  sun.white_balance = 1;
  InitWithOptions(sun);
  EXPECT_TRUE(State().orientation_flag);
  EXPECT_EQ(Gains(), (std::array<WORD, 4>{256, 365, 355, 256}));
}

TEST_F(ModuleProgrammingTest, TurningTheSensorSwapsTheGainsAndKeepsTheModelText) {
  Open();
  SioOptions sun;
  sun.white_balance = 1;
  InitWithOptions(sun);
  EXPECT_EQ(Gains(), (std::array<WORD, 4>{355, 256, 256, 365}));
  std::array<BYTE, kStillHeaderBytes> before{};
  ASSERT_EQ(BuildStillHeader(device_handle_, 4, before.data()), kStillHeaderBytes);
  const int x_before = ReadModuleRegister(device_handle_, 2);

  card_->SetOrientation(true);
  ExposureStep(device_handle_, 9, 100, 100, 100);
  EXPECT_TRUE(State().orientation_flag);
  EXPECT_EQ(Gains(), (std::array<WORD, 4>{256, 365, 355, 256})) << "G1, G3, G0, G2";
  EXPECT_EQ(ReadModuleRegister(device_handle_, 2), x_before + 1);
  std::array<BYTE, kStillHeaderBytes> after{};
  ASSERT_EQ(BuildStillHeader(device_handle_, 4, after.data()), kStillHeaderBytes);
  EXPECT_TRUE(std::equal(before.begin() + 218, before.begin() + 234, after.begin() + 218))
      << "the Model text names the same three gains";

  card_->SetOrientation(false);
  ExposureStep(device_handle_, 9, 100, 100, 100);
  EXPECT_FALSE(State().orientation_flag);
  EXPECT_EQ(Gains(), (std::array<WORD, 4>{355, 256, 256, 365})) << "back in the plain order";
  EXPECT_EQ(ReadModuleRegister(device_handle_, 2), x_before);
}

TEST_F(ModuleProgrammingTest, AHeldFrameStopsTheTickUntilItIsCollected) {
  Open();
  InitWithOptions({});
  ASSERT_TRUE(Control(IOCTL_SIO_START_PREVIEW, &window_, 4));
  // Announcements are not answered: after the first, the frame is held and
  // the tick neither fetches nor announces again.
  EXPECT_EQ(Run(1000, false).size(), 1u);
  DWORD returned = 0;
  Control(IOCTL_SIO_GET_FRAME, &returned, 4, frame_.data(), kPreviewFrameCapacity, &returned);
  // Collected, the stream goes on: each fetch attempt posts once.
  const std::vector<DWORD> sizes = Run(1000);
  EXPECT_GE(sizes.size(), 12u);
  EXPECT_LE(sizes.size(), 26u) << "at most three fetches per four 30 ms ticks";
}

TEST_F(ModuleProgrammingTest, DamagedScansComeBackAsNoFrame) {
  Open();
  InitWithOptions({});
  card::CardFaults corrupted;
  corrupted.corrupted_scans = true;
  card_->SetFaults(corrupted);
  ASSERT_TRUE(Control(IOCTL_SIO_START_PREVIEW, &window_, 4));
  const std::vector<DWORD> sizes = Run(600);
  ASSERT_FALSE(sizes.empty());
  for (DWORD size : sizes) EXPECT_EQ(size, 0u);
  card_->SetFaults({});
  const std::vector<DWORD> healthy = Run(600);
  EXPECT_GT(std::count_if(healthy.begin(), healthy.end(), [](DWORD size) { return size > 0; }), 5);
}

class ClosedLoopTest : public ModuleProgrammingTest, public ::testing::WithParamInterface<int> {};

TEST_P(ClosedLoopTest, ThePreviewSettlesIntoTheLuminanceBand) {
  const auto level = static_cast<std::uint8_t>(GetParam());
  card_->SetScene(card::MakeUniformScene(level, level, level));
  Open();
  InitWithOptions({});
  ASSERT_TRUE(Control(IOCTL_SIO_START_PREVIEW, &window_, 4));
  const std::vector<DWORD> sizes = Run(4000);
  ASSERT_GE(sizes.size(), 60u);
  const double luminance = LastLuminance();
  EXPECT_GT(luminance, 110) << "exposure " << State().exposure;
  EXPECT_LT(luminance, 150) << "exposure " << State().exposure;
}

INSTANTIATE_TEST_SUITE_P(DarkAndBright, ClosedLoopTest, ::testing::Values(40, 230));

TEST_F(ModuleProgrammingTest, AutomaticWhiteBalanceTurnsATintedGreyTowardNeutral) {
  card_->SetScene(card::MakeUniformScene(150, 128, 100));
  Open();
  InitWithOptions({});
  ASSERT_TRUE(Control(IOCTL_SIO_START_PREVIEW, &window_, 4));
  Run(400);
  auto first = card::testing::DecodeWith(card::testing::PreviewHeader(320, 240, 1), last_frame_);
  ASSERT_TRUE(first);
  double r0, g0, b0;
  first->MeanColour(&r0, &g0, &b0);
  Run(6000);
  auto later = card::testing::DecodeWith(card::testing::PreviewHeader(320, 240, 1), last_frame_);
  ASSERT_TRUE(later);
  double r1, g1, b1;
  later->MeanColour(&r1, &g1, &b1);
  EXPECT_LT(std::abs(r1 - b1), std::abs(r0 - b0))
      << "red-blue cast " << r0 - b0 << " -> " << r1 - b1;
}

}  // namespace
}  // namespace orsadrv::testing
