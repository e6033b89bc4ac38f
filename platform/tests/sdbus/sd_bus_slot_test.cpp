// Insertion and removal: the client driver is activated with its device
// handle, hears of the removal, and is deactivated; transfers then fail.
#include <gtest/gtest.h>

#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "fake_card.h"
#include "platform/devices.h"
#include "platform/files.h"
#include "platform/modules.h"
#include "platform/registry.h"
#include "platform/sd_bus.h"
#include "platform/testing/temp_handheld.h"

namespace platform::sd {
namespace {

// What the client driver saw; one per test.
struct Client {
  std::mutex mutex;
  std::vector<std::string> log;
  DWORD device = 0;
  ClientFunctions table;
  int context = 0;
  void Log(std::string entry) {
    std::lock_guard lock(mutex);
    log.push_back(std::move(entry));
  }
};
Client* client = nullptr;

void SlotEvent(DWORD device, void* context, DWORD event) {
  client->Log("event " + std::to_string(event) + (context == &client->context ? "" : " stranger") +
              (device == client->device ? "" : " other device"));
}

void* CLI_Init(const char* active_key) {
  Registry& registry = Handheld::Current().registry();
  client->device = registry.GetDword(HKEY_LOCAL_MACHINE, active_key, "ClientInfo").value_or(0);
  client->Log("Init " + registry.GetString(HKEY_LOCAL_MACHINE, active_key, "Key").value_or(""));
  FillClientFunctionsFunction* fill = GetClientTableFiller(client->device);
  if (!fill || !Succeeded(fill(&client->table))) return nullptr;
  ClientRegistration registration;
  const std::u16string name = u"TestClient";
  std::copy(name.begin(), name.end(), registration.client_name);
  registration.slot_event_callback = &SlotEvent;
  if (!Succeeded(client->table.register_client(client->device, &client->context, &registration))) {
    return nullptr;
  }
  return &client->context;
}

BOOL CLI_Deinit(void*) {
  client->Log("Deinit");
  return TRUE;
}

class SdBusSlotTest : public ::testing::Test {
 protected:
  SdBusSlotTest() {
    client = &client_;
    ModuleDefinition driver;
    driver.exports.Add("CLI_Init", &CLI_Init).Add("CLI_Deinit", &CLI_Deinit);
    handheld_.handheld().modules().Register("\\Windows\\clientdrv.dll", std::move(driver));
    const std::string contents = "driver";
    handheld_.handheld().files().InstallFile("\\Windows\\clientdrv.dll",
                                             std::as_bytes(std::span(contents)));
  }
  ~SdBusSlotTest() override {
    handheld_.handheld().Shutdown();
    client = nullptr;
  }

  SdBus& bus() { return handheld_.handheld().GetService<SdBus>(); }
  void RegisterDriver() {
    const CardIdentity identity = card_->Identity();
    ASSERT_EQ(
        RegisterClientDriver(identity.manufacturer, identity.card_id, 1, "clientdrv.dll", "CLI"),
        ERROR_SUCCESS);
  }
  LONG ReadByte(BYTE* value) {
    return client_.table.register_read_write(client_.device, kRegisterRead, 0, 5, FALSE, value, 1);
  }

  Client client_;
  platform::testing::TempHandheld handheld_;
  std::shared_ptr<fakes::FakeCard> card_ = std::make_shared<fakes::FakeCard>();
};

TEST_F(SdBusSlotTest, ARegisteredDriverIsActivatedWithTheDeviceHandle) {
  RegisterDriver();
  ASSERT_TRUE(bus().InsertCard(card_));
  EXPECT_EQ(client_.log,
            std::vector<std::string>{
                "Init Drivers\\SDCARD\\ClientDrivers\\Custom\\MANF-0296-CARDID-5347-FUNC-1"});
  EXPECT_EQ(client_.device, bus().DeviceHandle());
  EXPECT_NE(bus().ActiveDriver(), nullptr);
  EXPECT_EQ(handheld_.handheld().devices().Devices().at(0).name, "CLI1:");
  EXPECT_FALSE(bus().InsertCard(std::make_shared<fakes::FakeCard>()));  // the slot is taken
}

TEST_F(SdBusSlotTest, WithoutADriverTheCardJustSitsInTheSlot) {
  ASSERT_TRUE(bus().InsertCard(card_));
  EXPECT_TRUE(bus().HasCard());
  EXPECT_TRUE(client_.log.empty());
  EXPECT_EQ(bus().ActiveDriver(), nullptr);
  EXPECT_TRUE(bus().RemoveCard());
  EXPECT_FALSE(bus().HasCard());
  EXPECT_FALSE(bus().RemoveCard());
}

TEST_F(SdBusSlotTest, RemovalTellsTheClientFailsTransfersAndDeactivatesTheDriver) {
  RegisterDriver();
  ASSERT_TRUE(bus().InsertCard(card_));
  BYTE value = 0;
  EXPECT_EQ(ReadByte(&value), kStatusSuccess);
  ASSERT_TRUE(bus().RemoveCard());
  EXPECT_EQ(client_.log, (std::vector<std::string>{client_.log[0], "event 1", "Deinit"}));
  EXPECT_EQ(ReadByte(&value), kStatusDeviceRemoved);
  EXPECT_TRUE(handheld_.handheld().devices().Devices().empty());
  EXPECT_EQ(GetClientTableFiller(client_.device) != nullptr, true);  // known, but gone

  // A new card gets a new handle; the old one stays dead.
  const DWORD old_device = client_.device;
  ASSERT_TRUE(bus().InsertCard(std::make_shared<fakes::FakeCard>()));
  EXPECT_NE(client_.device, old_device);
  EXPECT_EQ(client_.table.register_read_write(old_device, kRegisterRead, 0, 5, FALSE, &value, 1),
            kStatusDeviceRemoved);
  EXPECT_EQ(ReadByte(&value), kStatusSuccess);
}

TEST_F(SdBusSlotTest, ACardThatLeavesMidwayFailsTheRestAndTheDriverIsToldFromTheBus) {
  RegisterDriver();
  ASSERT_TRUE(bus().InsertCard(card_));
  bus().RemoveCardAfterTransfers(3);
  BYTE value = 0;
  for (int i = 0; i < 3; ++i) EXPECT_EQ(ReadByte(&value), kStatusSuccess);
  EXPECT_EQ(ReadByte(&value), kStatusDeviceRemoved);
  EXPECT_EQ(ReadByte(&value), kStatusDeviceRemoved);
  bus().WaitForRemoval();
  EXPECT_EQ(client_.log.size(), 3u);
  EXPECT_EQ(client_.log[1], "event 1");
  EXPECT_EQ(client_.log[2], "Deinit");
  EXPECT_FALSE(bus().HasCard());
}

}  // namespace
}  // namespace platform::sd
