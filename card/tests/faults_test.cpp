// Every fault switch, and what the bus reports with it.
#include "card_fixture.h"
#include "platform/time.h"

namespace card {
namespace {

namespace sd = platform::sd;
using platform::BYTE;

TEST_F(CardTest, ACardPulledDuringAFrameReadFailsTheRestOfIt) {
  StartPreview(4);
  bus().RemoveCardAfterTransfers(40);
  EXPECT_TRUE(programmer().FetchFrame(0).empty());
  EXPECT_EQ(client().status(), sd::kStatusDeviceRemoved);
  bus().WaitForRemoval();
  EXPECT_FALSE(bus().HasCard());
  BYTE value = 0;
  EXPECT_EQ(client().table().register_read_write(client().device(), sd::kRegisterRead, 0, 5,
                                                 platform::FALSE, &value, 1),
            sd::kStatusDeviceRemoved);
}

TEST_F(CardTest, TransferErrorsFailTheTransfersTheyHit) {
  CardFaults faults;
  faults.failing_transfers = 2;
  card_->SetFaults(faults);
  client().Read(0, 2);
  EXPECT_EQ(client().status(), sd::kStatusDataError);
  std::vector<BYTE> blocks(64);
  client().SetBlockLength(64);
  EXPECT_EQ(client().ReadBlocks(1, blocks.data()), sd::kStatusDataError);
  client().ClearStatus();
  EXPECT_EQ(client().Read(0, 2), 2);
  EXPECT_EQ(client().status(), sd::kStatusSuccess);
}

TEST_F(CardTest, AStalledModuleNeverRaisesItsInterrupt) {
  CardFaults faults;
  faults.stalled_module = true;
  card_->SetFaults(faults);
  StartPreview(4);
  const std::uint64_t start = platform::clock::NowMs();
  EXPECT_TRUE(programmer().FetchFrame(0).empty());
  EXPECT_GE(platform::clock::NowMs() - start, 200u);
  EXPECT_EQ(client().Read(0, 5) & 2, 0);
}

TEST_F(CardTest, CorruptedScansStartWithZerosAndLackTheEndMarker) {
  CardFaults faults;
  faults.corrupted_scans = true;
  card_->SetFaults(faults);
  StartPreview(4);
  const std::vector<std::uint8_t> scan = programmer().FetchFrame(0);
  ASSERT_GE(scan.size(), 1024u);
  EXPECT_EQ(std::vector<std::uint8_t>(scan.begin(), scan.begin() + 5),
            std::vector<std::uint8_t>(5, 0));
  const bool end_marker = (scan[scan.size() - 2] == 0xFF && scan.back() == 0xD9) ||
                          (scan[scan.size() - 3] == 0xFF && scan[scan.size() - 2] == 0xD9);
  EXPECT_FALSE(end_marker);
}

TEST_F(CardTest, AnOversizedCountIsReportedAsIs) {
  CardFaults faults;
  faults.oversized_count = true;
  card_->SetFaults(faults);
  StartPreview(4);
  ASSERT_TRUE(programmer().WaitForStatus(94, 2, 200));
  const std::uint32_t count =
      client().ReadModule(86) << 16 | client().ReadModule(85) << 8 | client().ReadModule(84);
  EXPECT_GT(count, 1'228'800u);
  EXPECT_TRUE(programmer().FetchFrame(1).empty());  // the next one is too large as well
}

TEST_F(CardTest, AWrongReadBackStopsTheStartUp) {
  CardFaults faults;
  faults.wrong_readback = true;
  card_->SetFaults(faults);
  EXPECT_FALSE(programmer().StartUp());
  EXPECT_NE(client().ReadModule(26), 241);
}

TEST_F(CardTest, TheFunctionInformationCanReportFunctionTwo) {
  sd::IoFunctionInfo info;
  ASSERT_EQ(client().table().card_info_query(client().device(), sd::kInfoIoFunction, &info, 16),
            sd::kStatusSuccess);
  EXPECT_EQ(info.function_number, 1);
  EXPECT_NE(info.cis_pointer, 0u);
  EXPECT_NE(info.capabilities, 0);
  CardFaults faults;
  faults.wrong_function_number = true;
  card_->SetFaults(faults);
  ASSERT_EQ(client().table().card_info_query(client().device(), sd::kInfoIoFunction, &info, 16),
            sd::kStatusSuccess);
  EXPECT_EQ(info.function_number, 2);
}

TEST_F(CardTest, ACardWithoutAClockReportsClockZeroAndTransfersNothing) {
  CardFaults faults;
  faults.no_clock = true;
  card_->SetFaults(faults);
  EXPECT_EQ(client().QueryInterface().clock_hz, 0u);
  client().Read(0, 2);
  EXPECT_LT(client().status(), 0);
}

}  // namespace
}  // namespace card
