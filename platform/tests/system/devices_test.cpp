// The device manager with a fake stream driver: activation with its active
// key, open by name, I/O control, close, deactivation, and the failures.
#include "platform/devices.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "platform/files.h"
#include "platform/handheld.h"
#include "platform/last_error.h"
#include "platform/modules.h"
#include "platform/registry.h"
#include "platform/testing/temp_handheld.h"
#include "platform/threads.h"
#include "platform/time.h"

namespace platform {
namespace {

constexpr std::string_view kDriverKey = "Drivers\\BuiltIn\\Fake";
constexpr DWORD kEcho = 0x80000004;
constexpr DWORD kSlow = 0x80000008;

// What the fake driver was asked to do; one per test.
struct FakeDriver {
  void Log(std::string entry) {
    std::lock_guard lock(mutex);
    log.push_back(std::move(entry));
  }
  std::vector<std::string> Log() {
    std::lock_guard lock(mutex);
    return log;
  }

  std::mutex mutex;
  std::vector<std::string> log;
  std::string key_value;
  std::optional<DWORD> client_info;
  bool refuse_init = false;
  // Init starts a thread that opens the device at once, as the program a
  // card driver starts does, and takes a while before it returns.
  bool open_during_init = false;
  ThreadHandle opener;
  int context = 0;  // its address is the device context
  EventHandle slow_call_entered = CreateEvent(true, false);
};

FakeDriver* fake = nullptr;

void* FAK_Init(const char* active_key) {
  fake->Log(std::string("Init ") + active_key);
  // Reads its active key the way a card driver does.
  Registry& registry = Handheld::Current().registry();
  fake->key_value = registry.GetString(HKEY_LOCAL_MACHINE, active_key, "Key").value_or("");
  fake->client_info = registry.GetDword(HKEY_LOCAL_MACHINE, active_key, "ClientInfo");
  if (fake->open_during_init) {
    fake->opener = CreateThread([]() -> DWORD {
      DeviceHandle open = OpenDevice("FAK1:", 0, 0);
      fake->Log(open ? "opened at " + std::to_string(clock::NowMs())
                     : "open failed with " + std::to_string(GetLastError()));
      return 0;
    });
    Sleep(100);
  }
  return fake->refuse_init ? nullptr : &fake->context;
}

BOOL FAK_Deinit(void* context) {
  fake->Log(context == &fake->context ? "Deinit" : "Deinit of a stranger");
  return TRUE;
}

void* FAK_Open(void* context, DWORD access, DWORD share_mode) {
  fake->Log("Open " + std::to_string(access >> 30) + " " + std::to_string(share_mode));
  return context;  // the open handle is the context, as for the card driver
}

BOOL FAK_Close(void* open_context) {
  fake->Log(open_context == &fake->context ? "Close" : "Close of a stranger");
  return TRUE;
}

DWORD FAK_Read(void*, void* buffer, DWORD count) {
  std::fill_n(static_cast<char*>(buffer), count / 2, 'r');
  return count / 2;
}

DWORD FAK_Write(void*, const void*, DWORD count) { return count == 0 ? 0xFFFFFFFFu : count; }

DWORD FAK_Seek(void*, LONG amount, DWORD move_method) {
  return static_cast<DWORD>(amount) + move_method;
}

void FAK_PowerUp(void*) { fake->Log("PowerUp"); }
void FAK_PowerDown(void*) { fake->Log("PowerDown"); }

BOOL FAK_IOControl(void* open_context, DWORD code, BYTE* input, DWORD input_size, BYTE* output,
                   DWORD output_size, DWORD* bytes_returned) {
  if (open_context != &fake->context) return FALSE;
  switch (code) {
    case kEcho:
      if (output_size < input_size) return FALSE;
      std::reverse_copy(input, input + input_size, output);
      *bytes_returned = input_size;
      return TRUE;
    case kSlow:
      SetEvent(fake->slow_call_entered);
      Sleep(1'000);
      fake->Log("slow call done");
      return TRUE;
    default:
      SetLastError(ERROR_INVALID_PARAMETER);
      return FALSE;
  }
}

ModuleDefinition FullDriver() {
  ModuleDefinition driver;
  driver.exports.Add("FAK_Init", &FAK_Init)
      .Add("FAK_Deinit", &FAK_Deinit)
      .Add("FAK_Open", &FAK_Open)
      .Add("FAK_Close", &FAK_Close)
      .Add("FAK_Read", &FAK_Read)
      .Add("FAK_Write", &FAK_Write)
      .Add("FAK_Seek", &FAK_Seek)
      .Add("FAK_PowerUp", &FAK_PowerUp)
      .Add("FAK_PowerDown", &FAK_PowerDown)
      .Add("FAK_IOControl", &FAK_IOControl);
  return driver;
}

class DevicesTest : public ::testing::Test {
 protected:
  DevicesTest() {
    fake = &driver_;
    driver_module_ = AddDriver("\\Windows\\fakedrv.dll", FullDriver());
    WriteDriverKey(kDriverKey, "fakedrv.dll", "FAK");
  }
  ~DevicesTest() override {
    device_.handheld().Shutdown();  // deactivates what a test left active
    fake = nullptr;
  }

  HMODULE AddDriver(std::string_view path, ModuleDefinition definition) {
    HMODULE module = device_.handheld().modules().Register(path, std::move(definition));
    const std::string contents = "driver";
    EXPECT_TRUE(device_.handheld().files().InstallFile(path, std::as_bytes(std::span(contents))));
    return module;
  }

  Registry& registry() { return device_.handheld().registry(); }

  void WriteDriverKey(std::string_view key, std::string_view dll, std::string_view prefix) {
    registry().SetString(HKEY_LOCAL_MACHINE, key, "Dll", dll);
    registry().SetString(HKEY_LOCAL_MACHINE, key, "Prefix", prefix);
  }

  ActiveDeviceHandle Activate() {
    const ActiveKeyValue values[] = {{"ClientInfo", DWORD{0x5D10}}};
    ActiveDeviceHandle device = ActivateDevice(kDriverKey, values);
    EXPECT_NE(device, nullptr) << "error " << GetLastError();
    return device;
  }

  DWORD References() { return device_.handheld().modules().ReferenceCount(driver_module_); }

  FakeDriver driver_;
  testing::TempHandheld device_;
  HMODULE driver_module_ = nullptr;
};

TEST_F(DevicesTest, ActivationWritesTheActiveKeyAndCallsInitWithIt) {
  ActiveDeviceHandle device = Activate();
  EXPECT_EQ(driver_.Log(), std::vector<std::string>{"Init Drivers\\Active\\01"});
  EXPECT_EQ(driver_.key_value, kDriverKey);
  EXPECT_EQ(driver_.client_info, 0x5D10u);
  EXPECT_EQ(registry().GetString(HKEY_LOCAL_MACHINE, "Drivers\\Active\\01", "Name"), "FAK1:");
  EXPECT_EQ(registry().GetDword(HKEY_LOCAL_MACHINE, "Drivers\\Active\\01", "Hnd"),
            static_cast<DWORD>(reinterpret_cast<std::uintptr_t>(device)));
  EXPECT_EQ(References(), 1u);

  std::vector<DeviceInfo> devices = device_.handheld().devices().Devices();
  ASSERT_EQ(devices.size(), 1u);
  EXPECT_EQ(devices[0].name, "FAK1:");
  EXPECT_EQ(devices[0].active_key, "Drivers\\Active\\01");
  EXPECT_EQ(devices[0].handle, device);
}

TEST_F(DevicesTest, OpenByNameThenControlAndClose) {
  Activate();
  DeviceHandle open = OpenDevice("fak1:", GENERIC_READ | GENERIC_WRITE, 3);
  ASSERT_TRUE(open) << "error " << GetLastError();

  const BYTE input[] = {1, 2, 3};
  BYTE output[8] = {};
  DWORD returned = 99;
  EXPECT_TRUE(DeviceIoControl(open, kEcho, const_cast<BYTE*>(input), 3, output, 8, &returned));
  EXPECT_EQ(returned, 3u);
  EXPECT_EQ(output[0], 3);
  EXPECT_EQ(output[2], 1);
  // A driver that stores the count without looking is safe without one.
  EXPECT_TRUE(DeviceIoControl(open, kEcho, const_cast<BYTE*>(input), 3, output, 8, nullptr));

  returned = 99;
  SetLastError(ERROR_SUCCESS);
  EXPECT_FALSE(DeviceIoControl(open, 0x80000099, nullptr, 0, nullptr, 0, &returned));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(returned, 0u);

  EXPECT_TRUE(CloseDevice(open));
  EXPECT_FALSE(open);
  EXPECT_EQ(driver_.Log(),
            (std::vector<std::string>{"Init Drivers\\Active\\01", "Open 3 3", "Close"}));
  EXPECT_FALSE(DeviceIoControl(open, kEcho, nullptr, 0, nullptr, 0, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
  EXPECT_FALSE(CloseDevice(open));
}

TEST_F(DevicesTest, ReadWriteAndSeekReachTheDriver) {
  Activate();
  DeviceHandle open = OpenDevice("FAK1:", GENERIC_READ, 0);
  char buffer[8] = {};
  DWORD count = 0;
  EXPECT_TRUE(ReadDevice(open, buffer, 8, &count));
  EXPECT_EQ(count, 4u);
  EXPECT_EQ(std::string(buffer, 4), "rrrr");
  EXPECT_TRUE(WriteDevice(open, buffer, 5, &count));
  EXPECT_EQ(count, 5u);
  EXPECT_FALSE(WriteDevice(open, buffer, 0, &count));  // the driver's failure
  EXPECT_EQ(count, 0u);
  EXPECT_EQ(SeekDevice(open, 10, 2), 12u);
}

TEST_F(DevicesTest, ADeviceThatIsNotThereCannotBeOpened) {
  DeviceHandle open = OpenDevice("SIO1:", GENERIC_READ | GENERIC_WRITE, 3);
  EXPECT_FALSE(open);
  EXPECT_EQ(GetLastError(), ERROR_DEV_NOT_EXIST);

  Activate();
  EXPECT_FALSE(OpenDevice("FAK2:", 0, 0));
  EXPECT_EQ(GetLastError(), ERROR_DEV_NOT_EXIST);
  EXPECT_FALSE(OpenDevice("FAK1", 0, 0));
  EXPECT_EQ(GetLastError(), ERROR_DEV_NOT_EXIST);
}

TEST_F(DevicesTest, DeactivationCallsDeinitAndUnloadsTheDriver) {
  ActiveDeviceHandle device = Activate();
  DeviceHandle open = OpenDevice("FAK1:", 0, 0);
  ASSERT_TRUE(open);
  EXPECT_TRUE(DeactivateDevice(device));

  EXPECT_EQ(driver_.Log().back(), "Deinit");
  EXPECT_EQ(References(), 0u);
  EXPECT_FALSE(registry().KeyExists(HKEY_LOCAL_MACHINE, "Drivers\\Active\\01"));
  EXPECT_TRUE(device_.handheld().devices().Devices().empty());
  EXPECT_FALSE(OpenDevice("FAK1:", 0, 0));
  EXPECT_EQ(GetLastError(), ERROR_DEV_NOT_EXIST);

  // The handle opened before no longer reaches the driver, which is gone.
  EXPECT_FALSE(DeviceIoControl(open, kEcho, nullptr, 0, nullptr, 0, nullptr));
  EXPECT_EQ(GetLastError(), ERROR_DEVICE_NOT_CONNECTED);
  const std::size_t calls = driver_.Log().size();
  open.Close();
  EXPECT_EQ(driver_.Log().size(), calls);

  EXPECT_FALSE(DeactivateDevice(device));
  EXPECT_EQ(GetLastError(), ERROR_INVALID_HANDLE);
}

TEST_F(DevicesTest, DeactivationWaitsForACallUnderWay) {
  ActiveDeviceHandle device = Activate();
  DeviceHandle open = OpenDevice("FAK1:", 0, 0);
  ThreadHandle caller = CreateThread([&]() -> DWORD {
    return static_cast<DWORD>(DeviceIoControl(open, kSlow, nullptr, 0, nullptr, 0, nullptr));
  });
  ASSERT_EQ(WaitForSingleObject(*driver_.slow_call_entered, INFINITE), WAIT_OBJECT_0);

  EXPECT_TRUE(DeactivateDevice(device));
  EXPECT_EQ(clock::NowMs(), 1'000u);
  std::vector<std::string> log = driver_.Log();
  ASSERT_GE(log.size(), 2u);
  EXPECT_EQ(log[log.size() - 2], "slow call done");
  EXPECT_EQ(log.back(), "Deinit");
  DWORD result = 0;
  WaitForSingleObject(*caller, INFINITE);
  GetExitCodeThread(caller, &result);
  EXPECT_EQ(result, static_cast<DWORD>(TRUE));
}

TEST_F(DevicesTest, AnOpenWhileInitRunsWaitsForItsOutcome) {
  driver_.open_during_init = true;
  Activate();
  ASSERT_EQ(WaitForSingleObject(*driver_.opener, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(driver_.Log(), (std::vector<std::string>{"Init Drivers\\Active\\01", "Open 0 0",
                                                     "opened at 100", "Close"}));
  DeactivateDevice(device_.handheld().devices().Devices().at(0).handle);

  driver_.log.clear();
  driver_.refuse_init = true;
  EXPECT_EQ(ActivateDevice(kDriverKey), nullptr);
  ASSERT_EQ(WaitForSingleObject(*driver_.opener, INFINITE), WAIT_OBJECT_0);
  EXPECT_EQ(driver_.Log().back(), "open failed with " + std::to_string(ERROR_DEV_NOT_EXIST));
}

TEST_F(DevicesTest, EachActivationTakesTheNextFreeIndexUnlessTheKeyNamesOne) {
  ActiveDeviceHandle first = Activate();
  ActiveDeviceHandle second = Activate();
  std::vector<DeviceInfo> devices = device_.handheld().devices().Devices();
  ASSERT_EQ(devices.size(), 2u);
  EXPECT_EQ(devices[1].name, "FAK2:");
  EXPECT_EQ(devices[1].active_key, "Drivers\\Active\\02");
  EXPECT_EQ(References(), 2u);

  EXPECT_TRUE(DeactivateDevice(first));
  ActiveDeviceHandle third = Activate();  // index 1 is free again
  EXPECT_TRUE(OpenDevice("FAK1:", 0, 0));
  EXPECT_NE(third, first);

  registry().SetDword(HKEY_LOCAL_MACHINE, kDriverKey, "Index", 2);
  EXPECT_EQ(ActivateDevice(kDriverKey), nullptr);  // FAK2: is taken
  EXPECT_EQ(GetLastError(), ERROR_ALREADY_EXISTS);
  EXPECT_TRUE(DeactivateDevice(second));
  EXPECT_NE(ActivateDevice(kDriverKey), nullptr);
  EXPECT_TRUE(OpenDevice("FAK2:", 0, 0));
}

TEST_F(DevicesTest, ADriverThatCannotStartLeavesNothingBehind) {
  EXPECT_EQ(ActivateDevice("Drivers\\BuiltIn\\Missing"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_FILE_NOT_FOUND);

  WriteDriverKey("Drivers\\BuiltIn\\BadPrefix", "fakedrv.dll", "FAKE");
  EXPECT_EQ(ActivateDevice("Drivers\\BuiltIn\\BadPrefix"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_INVALID_PARAMETER);

  WriteDriverKey("Drivers\\BuiltIn\\Absent", "absent.dll", "ABS");
  EXPECT_EQ(ActivateDevice("Drivers\\BuiltIn\\Absent"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_MOD_NOT_FOUND);

  ModuleDefinition without_init;
  without_init.exports.Add("NOI_Deinit", &FAK_Deinit);
  HMODULE no_init = AddDriver("\\Windows\\noinit.dll", std::move(without_init));
  WriteDriverKey("Drivers\\BuiltIn\\NoInit", "noinit.dll", "NOI");
  EXPECT_EQ(ActivateDevice("Drivers\\BuiltIn\\NoInit"), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_PROC_NOT_FOUND);
  EXPECT_EQ(device_.handheld().modules().ReferenceCount(no_init), 0u);

  driver_.refuse_init = true;
  EXPECT_EQ(ActivateDevice(kDriverKey), nullptr);
  EXPECT_EQ(GetLastError(), ERROR_NOT_READY);
  EXPECT_EQ(References(), 0u);
  EXPECT_FALSE(registry().KeyExists(HKEY_LOCAL_MACHINE, "Drivers\\Active\\01"));

  driver_.refuse_init = false;
  Activate();
  EXPECT_TRUE(OpenDevice("FAK1:", 0, 0));
}

TEST_F(DevicesTest, EntryPointsADriverLacksFailAsNotSupported) {
  ModuleDefinition minimal;
  minimal.exports.Add("MIN_Init", &FAK_Init).Add("MIN_Deinit", &FAK_Deinit);
  AddDriver("\\Windows\\minimal.dll", std::move(minimal));
  WriteDriverKey("Drivers\\BuiltIn\\Minimal", "minimal.dll", "MIN");
  ASSERT_NE(ActivateDevice("Drivers\\BuiltIn\\Minimal"), nullptr);
  EXPECT_FALSE(OpenDevice("MIN1:", 0, 0));
  EXPECT_EQ(GetLastError(), ERROR_NOT_SUPPORTED);
  device_.handheld().devices().PowerDown();  // nothing to call, nothing breaks
}

TEST_F(DevicesTest, SuspendAndResumeReachEveryDriver) {
  Activate();
  device_.handheld().devices().PowerDown();
  device_.handheld().devices().PowerUp();
  std::vector<std::string> log = driver_.Log();
  EXPECT_EQ(std::vector<std::string>(log.end() - 2, log.end()),
            (std::vector<std::string>{"PowerDown", "PowerUp"}));
}

TEST_F(DevicesTest, ShutdownDeactivatesEveryDevice) {
  Activate();
  device_.handheld().Shutdown();
  EXPECT_EQ(driver_.Log().back(), "Deinit");
  EXPECT_EQ(References(), 0u);
}

TEST_F(DevicesTest, ActiveKeysOfAnEarlierRunAreGoneAfterABoot) {
  Activate();
  ASSERT_TRUE(registry().KeyExists(HKEY_LOCAL_MACHINE, "Drivers\\Active\\01"));
  // A run that ended without deactivating its devices.
  registry().SetDword(HKEY_LOCAL_MACHINE, "Drivers\\Active\\05", "Hnd", 1);
  device_.Restart();
  EXPECT_FALSE(registry().KeyExists(HKEY_LOCAL_MACHINE, "Drivers\\Active"));
  EXPECT_TRUE(registry().KeyExists(HKEY_LOCAL_MACHINE, kDriverKey));
}

TEST(DeviceNameTest, ThreeLettersADigitAndAColon) {
  EXPECT_TRUE(IsDeviceName("SIO1:"));
  EXPECT_TRUE(IsDeviceName("com9:"));
  EXPECT_FALSE(IsDeviceName("SIO1"));
  EXPECT_FALSE(IsDeviceName("SIO10:"));
  EXPECT_FALSE(IsDeviceName("S1O1:"));
  EXPECT_FALSE(IsDeviceName("\\SIO1:"));
}

}  // namespace
}  // namespace platform
