// The client function table against a card in the slot: direct register
// transfers, data transfers, card information, features and their time.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "fake_card.h"
#include "platform/sd_bus.h"
#include "platform/testing/temp_handheld.h"
#include "platform/time.h"

namespace platform::sd {
namespace {

class SdBusTransferTest : public ::testing::Test {
 protected:
  SdBusTransferTest() {
    bus().InsertCard(card_);
    device_ = *bus().DeviceHandle();
    FillClientFunctionsFunction* fill = GetClientTableFiller(device_);
    EXPECT_NE(fill, nullptr);
    if (fill) {
      EXPECT_EQ(fill(&table_), kStatusSuccess);
    }
  }

  SdBus& bus() { return handheld_.handheld().GetService<SdBus>(); }

  LONG SetClock(DWORD hz) {
    InterfaceSettings settings{kInterfaceFourBit, hz, FALSE};
    return table_.set_card_feature(device_, kFeatureInterface, &settings, sizeof settings);
  }
  LONG SetBlockLength(DWORD length) {
    return table_.set_card_feature(device_, kFeatureBlockLength, &length, sizeof length);
  }
  LONG WriteByte(BYTE function, DWORD address, BYTE value) {
    return table_.register_read_write(device_, kRegisterWrite, function, address, FALSE, &value, 1);
  }
  LONG ReadByte(BYTE function, DWORD address, BYTE* value) {
    return table_.register_read_write(device_, kRegisterRead, function, address, FALSE, value, 1);
  }
  LONG BlockRead(DWORD blocks, DWORD block_size, BYTE* buffer) {
    CommandResponse response;
    const DWORD argument = ExtendedArgument(false, 1, true, false, 7, blocks);
    return table_.bus_request(device_, kCommandIoRwExtended, argument, kTransferRead, kResponseR5,
                              &response, blocks, block_size, buffer, 0);
  }

  platform::testing::TempHandheld handheld_;
  std::shared_ptr<fakes::FakeCard> card_ = std::make_shared<fakes::FakeCard>();
  DWORD device_ = 0;
  ClientFunctions table_;
};

TEST_F(SdBusTransferTest, TheFillerIsKnownOnlyForHandlesTheBusGaveOut) {
  EXPECT_EQ(GetClientTableFiller(0), nullptr);
  EXPECT_EQ(GetClientTableFiller(device_ + 1), nullptr);
  EXPECT_NE(table_.register_client, nullptr);
  EXPECT_NE(table_.bus_request, nullptr);
  EXPECT_NE(table_.card_info_query, nullptr);
  EXPECT_NE(table_.register_read_write, nullptr);
  EXPECT_NE(table_.set_card_feature, nullptr);
  EXPECT_EQ(table_.slot2, nullptr);
  // Reached by slot index, as a client that walks the table does.
  auto* slots = reinterpret_cast<void**>(&table_);
  EXPECT_EQ(slots[5], reinterpret_cast<void*>(table_.register_read_write));
  EXPECT_EQ(slots[10], reinterpret_cast<void*>(table_.set_card_feature));
}

TEST_F(SdBusTransferTest, DirectTransfersReachTheCardAndCostTheirClocks) {
  ASSERT_EQ(SetClock(20'000'000), kStatusSuccess);
  const std::uint64_t start = clock::NowMs();
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(WriteByte(1, 0x10000 + 26, 241), kStatusSuccess);
  // 20 us of request handling and 112 clocks at 20 MHz, 5.6 us, a byte.
  EXPECT_EQ(clock::NowMs() - start, 25u);
  BYTE value = 0;
  EXPECT_EQ(ReadByte(1, 0x10000 + 26, &value), kStatusSuccess);
  EXPECT_EQ(value, 241);

  BYTE bytes[3] = {1, 2, 3};
  EXPECT_EQ(table_.register_read_write(device_, kRegisterWrite, 1, 40, TRUE, bytes, 3),
            kStatusSuccess);
  EXPECT_EQ((card_->registers[{1, 41}]), 2);
  EXPECT_LT(table_.register_read_write(device_, kRegisterRead, 8, 0, FALSE, bytes, 1), 0);
  EXPECT_LT(table_.register_read_write(device_, kRegisterRead, 1, 0, FALSE, nullptr, 1), 0);
}

TEST_F(SdBusTransferTest, AtAHundredHertzOneByteTakesOverASecond) {
  ASSERT_EQ(SetClock(100), kStatusSuccess);
  const std::uint64_t start = clock::NowMs();
  BYTE value = 0;
  EXPECT_EQ(ReadByte(0, 5, &value), kStatusSuccess);
  EXPECT_EQ(clock::NowMs() - start, 1120u);
}

TEST_F(SdBusTransferTest, BlockReadsDecodeTheArgumentAndNeedTheBlockLength) {
  std::vector<BYTE> buffer(256 * 64);
  EXPECT_EQ(BlockRead(256, 64, buffer.data()), kStatusInvalidParameter);  // no length yet
  ASSERT_EQ(SetBlockLength(64), kStatusSuccess);
  ASSERT_EQ(SetClock(20'000'000), kStatusSuccess);
  const std::uint64_t start_us = CardClockUs();
  ASSERT_EQ(BlockRead(256, 64, buffer.data()), kStatusSuccess);
  // The request's handling, 112 clocks of command, then 256 blocks of 128
  // data clocks and 26 more.
  EXPECT_EQ(CardClockUs() - start_us, 20u + (112u + 256u * 154u) / 20u);
  ASSERT_EQ(card_->transfers.size(), 1u);
  const DataTransfer& transfer = card_->transfers[0];
  EXPECT_EQ(transfer.function, 1);
  EXPECT_EQ(transfer.address, 7u);
  EXPECT_FALSE(transfer.incrementing);
  EXPECT_TRUE(transfer.block_mode);
  EXPECT_EQ(transfer.count, 256u);
  EXPECT_EQ(buffer[300], static_cast<BYTE>(300));

  EXPECT_EQ(BlockRead(256, 32, buffer.data()), kStatusInvalidParameter);
  CommandResponse response;
  // Count disagreeing with the block count, or direction with the class.
  EXPECT_EQ(table_.bus_request(device_, 53, ExtendedArgument(false, 1, true, false, 7, 2),
                               kTransferRead, kResponseR5, &response, 3, 64, buffer.data(), 0),
            kStatusInvalidParameter);
  EXPECT_EQ(table_.bus_request(device_, 53, ExtendedArgument(true, 1, true, false, 7, 2),
                               kTransferRead, kResponseR5, &response, 2, 64, buffer.data(), 0),
            kStatusInvalidParameter);
}

TEST_F(SdBusTransferTest, ByteModeWritesCarryTheArgumentsCount) {
  const BYTE pairs[] = {92, 0, 93, 2, 166, 0};
  CommandResponse response;
  const DWORD argument = ExtendedArgument(true, 0, false, false, 0x10000, sizeof pairs);
  EXPECT_EQ(table_.bus_request(device_, 53, argument, kTransferWrite, kResponseR5, &response, 1, 64,
                               const_cast<BYTE*>(pairs), 0),
            kStatusSuccess);
  ASSERT_EQ(card_->transfers.size(), 1u);
  EXPECT_EQ(card_->transfers[0].function, 0);
  EXPECT_EQ(card_->transfers[0].address, 0x10000u);
  EXPECT_EQ(card_->written, std::vector<BYTE>(std::begin(pairs), std::end(pairs)));
  EXPECT_EQ(response.response_type, kResponseR5);
}

TEST_F(SdBusTransferTest, CardInformationAndTheInterfaceSettings) {
  WORD address = 0;
  EXPECT_EQ(table_.card_info_query(device_, kInfoCardAddress, &address, 2), kStatusSuccess);
  EXPECT_EQ(address, 7);
  IoFunctionInfo info;
  EXPECT_EQ(table_.card_info_query(device_, kInfoIoFunction, &info, 16), kStatusSuccess);
  EXPECT_EQ(info.function_number, 1);
  EXPECT_EQ(info.cis_pointer, 0x1000u);
  EXPECT_LT(table_.card_info_query(device_, kInfoIoFunction, &info, 15), 0);
  EXPECT_LT(table_.card_info_query(device_, 99, &info, 16), 0);

  InterfaceSettings settings;
  EXPECT_EQ(table_.card_info_query(device_, kInfoInterface, &settings, 12), kStatusSuccess);
  EXPECT_EQ(settings.mode, kInterfaceFourBit);
  EXPECT_EQ(settings.clock_hz, 25'000'000u);
  // Above what the card takes, the card's limit holds.
  card_->identity.max_clock_hz = 20'000'000;
  EXPECT_EQ(SetClock(50'000'000), kStatusSuccess);
  EXPECT_EQ(bus().Interface().clock_hz, 20'000'000u);
  settings = {7, 1000, FALSE};
  EXPECT_LT(table_.set_card_feature(device_, kFeatureInterface, &settings, 12), 0);
  EXPECT_LT(SetClock(0), 0);
}

TEST_F(SdBusTransferTest, EnablingTheFunctionSetsItsBitAndWaitsForReady) {
  FunctionEnable enable{3, 500};
  EXPECT_EQ(table_.set_card_feature(device_, kFeatureEnableFunction, &enable, 8), kStatusSuccess);
  EXPECT_EQ((card_->registers[{0, 2}]), 2);
  EXPECT_EQ(SetBlockLength(64), kStatusSuccess);
  EXPECT_EQ(bus().BlockLength(), 64u);
  EXPECT_LT(SetBlockLength(4096), 0);
}

TEST_F(SdBusTransferTest, ACardWithoutAClockAndACardThatFailsTransfers) {
  card_->fail_transfers = true;
  BYTE value = 0;
  EXPECT_EQ(ReadByte(0, 5, &value), kStatusDataError);
  card_->fail_transfers = false;
  card_->identity.max_clock_hz = 0;
  EXPECT_EQ(bus().Interface().clock_hz, 0u);
  EXPECT_EQ(ReadByte(0, 5, &value), kStatusUnsuccessful);
}

}  // namespace
}  // namespace platform::sd
