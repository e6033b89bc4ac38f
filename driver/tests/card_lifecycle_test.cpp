// Card arrival and removal: the driver binds to the bus, checks the card,
// starts the camera program, and on removal frees everything and tells the
// application to close.
#include <thread>

#include "device_context.h"
#include "driver_fixture.h"
#include "platform/devices.h"
#include "platform/messages.h"
#include "platform/modules.h"
#include "platform/registry.h"
#include "platform/threads.h"
#include "platform/time.h"

namespace orsadrv::testing {
namespace {

using CardLifecycleTest = DriverTest;

TEST_F(CardLifecycleTest, InsertingAGoodCardLoadsTheDriverAndStartsTheCamera) {
  InstallCameraProgram();
  const std::uint64_t before = platform::clock::NowMs();
  Insert();
  ASSERT_NE(bus().ActiveDriver(), nullptr);
  EXPECT_GE(platform::clock::NowMs() - before, 300u) << "the driver waits 300 ms first";
  platform::Sleep(10);
  EXPECT_EQ(camera_starts_, 1);
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(bus().BlockLength(), 64u);
  platform::DeviceHandle sio = platform::OpenDevice("SIO1:", 0, 0);
  EXPECT_TRUE(sio) << "the device is there to open";
}

TEST_F(CardLifecycleTest, AMissingCameraProgramIsReportedOnceAndTheDriverStays) {
  Insert();
  EXPECT_NE(bus().ActiveDriver(), nullptr);
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].request.text, "Run orsacap.exe failed");
  EXPECT_EQ(boxes[0].request.caption, "SIO_Init");
  EXPECT_EQ(camera_starts_, 0);
}

TEST_F(CardLifecycleTest, UnusableCardsAreRefused) {
  InstallCameraProgram();
  card::CardFaults function_two;
  function_two.wrong_function_number = true;
  Insert(function_two);
  EXPECT_EQ(bus().ActiveDriver(), nullptr) << "function number 2";
  EXPECT_TRUE(bus().RemoveCard());

  card_ = std::make_shared<card::CameraCard>();
  card::CardFaults no_clock;
  no_clock.no_clock = true;
  Insert(no_clock);
  EXPECT_EQ(bus().ActiveDriver(), nullptr) << "clock 0";
  EXPECT_EQ(camera_starts_, 0);
  EXPECT_TRUE(Boxes().empty());
}

// SIO_Init called directly, as the device manager would, with an active
// key made by hand.
class DirectInitTest : public DriverTest {
 protected:
  DirectInitTest() {
    driver_ = platform::LoadLibrary(kModulePath);
    EXPECT_NE(driver_, nullptr);
  }
  ~DirectInitTest() override { platform::FreeLibrary(driver_); }

  std::string ActiveKey(std::optional<DWORD> client_info) {
    const std::string path = "Drivers\\Active\\99";
    platform::HKEY key;
    EXPECT_EQ(platform::RegCreateKeyEx(platform::HKEY_LOCAL_MACHINE, path, &key),
              platform::ERROR_SUCCESS);
    const std::string driver_key = "Drivers\\SDCARD\\ClientDrivers\\Custom\\Test";
    platform::RegSetValueEx(key, "Key", platform::REG_SZ, driver_key.c_str(),
                            static_cast<DWORD>(driver_key.size() + 1));
    if (client_info) {
      platform::RegSetValueEx(key, "ClientInfo", platform::REG_DWORD, &*client_info, sizeof(DWORD));
    }
    platform::RegCloseKey(key);
    return path;
  }

  // A card in the slot with no driver registered for it: the test plays
  // the device manager.
  DWORD InsertWithoutDriver() {
    EXPECT_EQ(platform::RegDeleteKey(platform::HKEY_LOCAL_MACHINE,
                                     platform::sd::ClientDriverKey(kCardManufacturer, kCardId, 1)),
              platform::ERROR_SUCCESS);
    const DWORD device = Insert();
    EXPECT_EQ(bus().ActiveDriver(), nullptr);
    return device;
  }

  platform::HMODULE driver_ = nullptr;
};

TEST_F(DirectInitTest, MissingValuesOrARefusedRegistrationFailTheInit) {
  const DWORD device = InsertWithoutDriver();
  ASSERT_NE(device, 0u);

  EXPECT_EQ(SIO_Init(ActiveKey(std::nullopt).c_str()), nullptr) << "no ClientInfo";
  EXPECT_EQ(SIO_Init("Drivers\\Active\\NoSuchKey"), nullptr) << "no active key";
  EXPECT_EQ(SIO_Init(ActiveKey(0x1234).c_str()), nullptr) << "a handle the bus never gave";

  // The card leaves: the bus refuses to register a client for it.
  ASSERT_TRUE(bus().RemoveCard());
  EXPECT_EQ(SIO_Init(ActiveKey(device).c_str()), nullptr) << "registration refused";
  EXPECT_TRUE(Boxes().empty());
  EXPECT_EQ(camera_starts_, 0);
}

TEST_F(CardLifecycleTest, RemovalBeforeTheApplicationInitPostsCloseToNoWindow) {
  InstallCameraProgram();
  Insert();
  const std::uint64_t before = platform::clock::NowMs();
  ASSERT_TRUE(bus().RemoveCard());
  EXPECT_GE(platform::clock::NowMs() - before, 300u) << "Deinit waits 300 ms";
  EXPECT_EQ(bus().ActiveDriver(), nullptr);
  // WM_CLOSE to window 0 lands in the queue of the thread that removed the
  // card, as a thread message.
  platform::MSG msg;
  ASSERT_TRUE(platform::PeekMessage(&msg, nullptr, platform::WM_CLOSE, platform::WM_CLOSE,
                                    platform::PM_REMOVE));
  EXPECT_EQ(msg.hwnd, nullptr);
}

TEST_F(DirectInitTest, RemovalWaitsForTheDriverLockOfACallUnderWay) {
  InstallCameraProgram();
  const DWORD device = InsertWithoutDriver();
  auto* context = static_cast<SioDeviceContext*>(SIO_Init(ActiveKey(device).c_str()));
  ASSERT_NE(context, nullptr);
  EXPECT_EQ(context->function_number, 1);
  // A control code holds the lock for 200 ms on another thread.
  platform::EventHandle locked = platform::CreateEvent(true, false);
  platform::ThreadHandle control = platform::CreateThread([&] {
    context->lock.Enter();
    platform::SetEvent(locked);
    platform::Sleep(200);
    context->lock.Leave();
    return 0u;
  });
  platform::WaitForSingleObject(locked, platform::INFINITE);
  const std::uint64_t before = platform::clock::NowMs();
  EXPECT_EQ(SIO_Deinit(context), TRUE);
  EXPECT_GE(platform::clock::NowMs() - before, 500u) << "200 ms for the lock, then 300 ms";
  platform::WaitForSingleObject(control, platform::INFINITE);
}

}  // namespace
}  // namespace orsadrv::testing
