// The module command block: register sequences of each kind of command,
// the word count, refusal of unknown commands, and the wait limits.
#include "module_commands.h"

#include "bus_primitives_fixture.h"
#include "data_port.h"
#include "platform/time.h"

namespace orsadrv::testing {
namespace {

using ModuleCommandsTest = BusPrimitivesTest;
using Writes = std::vector<std::pair<int, int>>;

int ValueWrittenTo(const Writes& writes, int module_register) {
  for (const auto& [reg, value] : writes) {
    if (reg == module_register) return value;
  }
  return -1;
}

TEST_F(ModuleCommandsTest, StatisticsCommandSendsTheWordCountLowByteFirst) {
  ASSERT_EQ(StartModuleCommand(device_handle_, 38, 0x1FF000, 0x1A0000, 307'200, 0), 0);
  const Writes writes = ModuleWrites(Trace());
  // W = 153,600 = 0x025800.
  EXPECT_EQ(ValueWrittenTo(writes, 221), 0x00);
  EXPECT_EQ(ValueWrittenTo(writes, 222), 0x58);
  EXPECT_EQ(ValueWrittenTo(writes, 223), 0x02);
  EXPECT_EQ(ValueWrittenTo(writes, 218), 0x00);
  EXPECT_EQ(ValueWrittenTo(writes, 220), 0x1A);
  // The eight parameter bytes of the large measurement, then the command.
  Writes command_data;
  for (const auto& write : writes) {
    if (write.first == 133) command_data.push_back(write);
  }
  const Writes expected = {{133, 128}, {133, 2}, {133, 39}, {133, 29}, {133, 16}, {133, 16},
                           {133, 0},   {133, 0}, {133, 38}, {133, 0},  {133, 8},  {133, 1}};
  EXPECT_EQ(command_data, expected);
  EXPECT_EQ(writes.back(), (std::pair<int, int>{132, 16})) << "the start comes last";
}

TEST_F(ModuleCommandsTest, ParameterByteOneWidensTheSmallMeasurement) {
  StartModuleCommand(device_handle_, 36, 0x1FF000, 0x001000, 76'800, 1);
  EXPECT_EQ(ValueWrittenTo(ModuleWrites(Trace()), 133), 72);
  ClearTrace();
  StartModuleCommand(device_handle_, 43, 0x1FF000, 0x001000, 76'800, 0);
  EXPECT_EQ(ValueWrittenTo(ModuleWrites(Trace()), 133), 64);
}

TEST_F(ModuleCommandsTest, AnUnknownCommandWritesNothing) {
  EXPECT_EQ(StartModuleCommand(device_handle_, 45, 0, 0, 64, 0), kCommandRefused);
  EXPECT_EQ(StartModuleCommand(device_handle_, 34, 0, 0, 64, 0), kCommandRefused);
  EXPECT_TRUE(Trace().empty());
}

TEST_F(ModuleCommandsTest, WaitingGivesUpAfterEightOrOneHundredTwentyOneMilliseconds) {
  card::CardFaults stalled;
  stalled.stalled_module = true;
  card_->SetFaults(stalled);
  BYTE results[3] = {};
  std::uint64_t before = platform::clock::NowMs();
  EXPECT_FALSE(WaitForModuleCommand(device_handle_, 37, results));
  std::uint64_t waited = platform::clock::NowMs() - before;
  EXPECT_GE(waited, 8u);
  EXPECT_LT(waited, 10u);
  before = platform::clock::NowMs();
  EXPECT_FALSE(WaitForModuleCommand(device_handle_, 40, results));
  waited = platform::clock::NowMs() - before;
  EXPECT_GE(waited, 121u);
  EXPECT_LT(waited, 123u);
  // The command block is idled afterwards.
  const Writes writes = ModuleWrites(Trace());
  ASSERT_GE(writes.size(), 3u);
  EXPECT_EQ(writes[writes.size() - 3], (std::pair<int, int>{144, 0}));
  EXPECT_EQ(writes.back(), (std::pair<int, int>{132, 0}));
}

TEST_F(ModuleCommandsTest, AWaitOnARemovedCardEndsAtOnce) {
  ASSERT_TRUE(bus().RemoveCard());
  BYTE results[1] = {};
  const std::uint64_t before = platform::clock::NowMs();
  EXPECT_FALSE(WaitForModuleCommand(device_handle_, 40, results));
  EXPECT_LT(platform::clock::NowMs() - before, 121u);
}

TEST_F(ModuleCommandsTest, DataPortAndUploadsReachTheModule) {
  const BYTE bytes[] = {1, 2, 3, 4, 5, 6, 7, 8};
  WriteDataPort(device_handle_, 136, bytes);
  BYTE back[8] = {};
  ReadDataPort(device_handle_, 136, back);
  EXPECT_TRUE(std::equal(std::begin(bytes), std::end(bytes), std::begin(back)));
  ClearTrace();
  UploadModuleProgram(device_handle_, ModuleProgram());
  const Writes writes = ModuleWrites(Trace());
  EXPECT_EQ(writes.size(), 2u + 1620u + 2u);
  EXPECT_EQ(writes.front(), (std::pair<int, int>{132, 15}));
  EXPECT_EQ(writes[2], (std::pair<int, int>{137, ModuleProgram()[0]}));
}

}  // namespace
}  // namespace orsadrv::testing
