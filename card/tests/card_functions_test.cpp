// The card's two functions: enabling, the module's reset line, the module
// register file, the burst write, the data port and the orientation switch.
#include "card_fixture.h"

namespace card {
namespace {

using platform::BYTE;

TEST_F(CardTest, FunctionOneAnswersOnlyOnceEnabled) {
  EXPECT_EQ(client().Read(0, 2), 2);  // the bus enabled it
  EXPECT_EQ(client().Read(0, 3), 2);
  client().Write(0, 2, 0);
  client().ClearStatus();
  client().Read(1, 5);
  EXPECT_LT(client().status(), 0);
  client().Write(0, 2, 2);
  client().ClearStatus();
  client().Read(1, 5);
  EXPECT_EQ(client().status(), platform::sd::kStatusSuccess);
}

TEST_F(CardTest, TheModuleIsHeldInResetWhileControlBitTwoIsLow) {
  client().WriteModule(27, 2);
  EXPECT_EQ(client().ReadModule(27), 0);  // held since power-on
  client().Write(1, 5, 0x1D);
  client().WriteModule(27, 2);
  EXPECT_EQ(client().ReadModule(27), 2);
  // A low pulse resets the module's registers.
  client().Write(1, 5, 0x19);
  client().Write(1, 5, 0x1D);
  EXPECT_EQ(client().ReadModule(27), 0);
}

TEST_F(CardTest, AfterStartUpRegister26ReadsBack241AndTheOrientationCanBeSwitched) {
  ASSERT_TRUE(programmer().StartUp());
  EXPECT_EQ(client().ReadModule(26), 241);
  EXPECT_EQ(client().ReadModule(19) & 1, 0);
  card_->SetOrientation(true);
  EXPECT_EQ(client().ReadModule(19) & 1, 1);
}

TEST_F(CardTest, BurstWritesReachTheModuleRegisters) {
  client().Write(1, 5, 0x1D);
  const std::pair<BYTE, BYTE> pairs[] = {{27, 5}, {100, 15}, {72, 79}};
  ASSERT_EQ(client().BurstWrite(pairs), platform::sd::kStatusSuccess);
  EXPECT_EQ(client().ReadModule(27), 5);
  EXPECT_EQ(client().ReadModule(72), 79);
}

TEST_F(CardTest, TheDataPortAdvancesWithEveryAccess) {
  client().Write(1, 5, 0x1D);
  const std::array<std::uint8_t, 4> bytes = {9, 8, 7, 6};
  programmer().PortWrite(254, bytes);  // runs over the end of the bank
  EXPECT_EQ(programmer().PortRead(254, 4), std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
  EXPECT_EQ(programmer().PortRead(0, 2), (std::vector<std::uint8_t>{7, 6}));
  client().WriteModule(32, 2);  // another bank holds its own bytes
  client().WriteModule(35, 254);
  EXPECT_EQ(client().ReadModule(33), 0);
}

}  // namespace
}  // namespace card
