// The serial bus to the sensor: register writes and reads in the order of
// start, address, register, value and stop, the busy wait and its time-out.
#include "sensor_bus.h"

#include "bus_primitives_fixture.h"
#include "platform/time.h"

namespace orsadrv::testing {
namespace {

using SensorBusTest = BusPrimitivesTest;

TEST_F(SensorBusTest, WrittenRegistersReadBack) {
  EXPECT_EQ(WriteSensorRegister(device_handle_, 28, 0x12), 0);
  EXPECT_EQ(card_->SensorRegister(28), 0x12);
  BYTE value = 0;
  EXPECT_EQ(ReadSensorRegister(device_handle_, 28, &value), 0);
  EXPECT_EQ(value, 0x12);
  const RegisterValue table[] = {{29, 0x34}, {14, 0x56}};
  EXPECT_EQ(WriteSensorTable(device_handle_, table), 0);
  EXPECT_EQ(card_->SensorRegister(29), 0x34);
  EXPECT_EQ(card_->SensorRegister(14), 0x56);
}

TEST_F(SensorBusTest, AWriteIsStartAddressRegisterValueStop) {
  WriteSensorRegister(device_handle_, 28, 0x12);
  // Commands (register 36) and transmitted bytes (register 39) in order.
  std::vector<std::pair<int, int>> bus_writes;
  for (const auto& write : ModuleWrites(Trace())) {
    if (write.first == 36 || write.first == 39) bus_writes.push_back(write);
  }
  const std::vector<std::pair<int, int>> expected = {
      {36, 9},                                   // start
      {39, 0x42}, {36, 8}, {39, 255}, {36, 12},  // sensor address
      {39, 28},   {36, 8}, {39, 255}, {36, 12},  // register
      {39, 0x12}, {36, 8}, {39, 255}, {36, 12},  // value
      {36, 10}};                                 // stop
  EXPECT_EQ(bus_writes, expected);
}

TEST_F(SensorBusTest, ABusThatStaysBusyTimesOutAndTheNextTransferStillGoesOut) {
  // The status reads fail as long as the fault lasts, which counts as busy.
  card::CardFaults busy;
  busy.failing_transfers = 101;
  card_->SetFaults(busy);
  const std::uint64_t before = platform::clock::NowMs();
  EXPECT_EQ(WaitSerialBus(device_handle_), -1);
  EXPECT_GE(platform::clock::NowMs() - before, 100u) << "100 sleeps of 1 ms";
  EXPECT_EQ(WaitSerialBus(device_handle_), 0);

  card_->SetFaults(busy);
  ClearTrace();
  EXPECT_EQ(WriteSensorRegister(device_handle_, 15, 0x77), -1) << "the time-out is reported";
  // The start command after the timed-out wait went out anyway.
  const auto writes = ModuleWrites(Trace());
  ASSERT_FALSE(writes.empty());
  EXPECT_EQ(writes.front(), (std::pair<int, int>{36, 9}));
  EXPECT_EQ(card_->SensorRegister(15), 0x77);
}

}  // namespace
}  // namespace orsadrv::testing
