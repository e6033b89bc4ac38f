// Register access, block reads, the burst write, the clock and the block
// length, as the card and the bus see them.
#include <algorithm>

#include "bus_primitives_fixture.h"

namespace orsadrv::testing {
namespace {

using Kind = card::TraceEntry::Kind;

TEST_F(BusPrimitivesTest, RegisterAccessRefusesHighFunctionsAndReportsBusFailures) {
  EXPECT_EQ(WriteRegister(device_handle_, 8, 5, 1), kRefused);
  EXPECT_EQ(ReadRegister(device_handle_, 8, 5), kRefused);
  EXPECT_TRUE(Trace().empty()) << "a refused function never reaches the bus";

  EXPECT_EQ(WriteModuleRegister(device_handle_, 26, 0x5A), 0);
  EXPECT_EQ(ReadModuleRegister(device_handle_, 26), 0x5A) << "register 26 reads back";
  const auto trace = Trace();
  ASSERT_EQ(trace.size(), 2u);
  EXPECT_EQ(trace[0].kind, Kind::kWrite);
  EXPECT_EQ(trace[0].function, 1);
  EXPECT_EQ(trace[0].address, 0x10000u + 26);

  card::CardFaults failing;
  failing.failing_transfers = 2;
  card_->SetFaults(failing);
  EXPECT_EQ(WriteModuleRegister(device_handle_, 26, 1), kBusFailure);
  EXPECT_EQ(ReadModuleRegister(device_handle_, 26), kBusFailure);
  EXPECT_EQ(ReadModuleRegister(device_handle_, 26), 0x5A) << "the bus recovers";
}

TEST_F(BusPrimitivesTest, BlockReadOf16385BytesIsOneFullRequestAndOneBlock) {
  RecordRequests();
  std::vector<BYTE> buffer(16385 + 100, 0xEE);
  ASSERT_EQ(BlockRead(device_handle_, buffer.data(), 16385), 0);
  ASSERT_EQ(requests().size(), 2u);
  EXPECT_EQ(requests()[0].block_count, 256u);
  EXPECT_EQ(requests()[0].block_size, 64u);
  EXPECT_EQ(requests()[1].block_count, 1u);
  // Read, function 1, block mode, fixed address 7, 256 blocks (the count's
  // ninth bit).
  EXPECT_EQ(requests()[0].argument, (1u << 28) | (1u << 27) | (7u << 9) | 256u);
  EXPECT_EQ(requests()[1].argument, (1u << 28) | (1u << 27) | (7u << 9) | 1u);
  EXPECT_EQ(requests()[0].transfer_class, kTransferRead);
  // Exactly one byte of the second request lands in the buffer.
  EXPECT_TRUE(std::all_of(buffer.begin() + 16385, buffer.end(), [](BYTE b) { return b == 0xEE; }));
}

TEST_F(BusPrimitivesTest, BurstWriteIsOneByteModeWriteToFunctionZero) {
  RecordRequests();
  const RegisterValue pairs[] = {{132, 0}, {136, 0}, {134, 16}};
  ASSERT_EQ(BurstWrite(device_handle_, pairs), 0);
  ASSERT_EQ(requests().size(), 1u);
  // Write, function 0, byte mode, fixed address 0x10000, 6 bytes.
  EXPECT_EQ(requests()[0].argument, (1u << 31) | (0x10000u << 9) | 6u);
  EXPECT_EQ(requests()[0].transfer_class, kTransferWrite);
  EXPECT_EQ(requests()[0].block_count, 1u);
  EXPECT_EQ(requests()[0].block_size, 64u);
  const auto trace = Trace();
  ASSERT_EQ(trace.size(), 1u);
  EXPECT_EQ(trace[0].kind, Kind::kBlockWrite);
  EXPECT_EQ(trace[0].function, 0);
  EXPECT_EQ(trace[0].value, 6u);
}

TEST_F(BusPrimitivesTest, ClockAndBlockLengthGoThroughTheInterfaceSettings) {
  ASSERT_EQ(SetBusClock(device_handle_, 20'000'000), 0);
  EXPECT_EQ(bus().Interface().clock_hz, 20'000'000u);
  EXPECT_EQ(bus().Interface().mode, kInterfaceFourBit);
  ASSERT_EQ(SetBusClock(device_handle_, 100), 0);
  EXPECT_EQ(bus().Interface().clock_hz, 100u);
  // A register transfer at 100 Hz takes a noticeable time.
  const std::uint64_t before = platform::clock::NowMs();
  ReadModuleRegister(device_handle_, 26);
  EXPECT_GT(platform::clock::NowMs() - before, 100u);
  ASSERT_EQ(SetBlockLength(device_handle_), 0);
  EXPECT_EQ(bus().BlockLength(), 64u);
}

}  // namespace
}  // namespace orsadrv::testing
