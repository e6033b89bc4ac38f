// The serial bus to the sensor and the sensor's registers: writes and reads
// as the driver sequences them, busy time, gain latching, calibration.
#include "card/quantiser_codes.h"
#include "card_fixture.h"
#include "card_testing/camera_tables.h"
#include "platform/time.h"

namespace card {
namespace {

class SensorTest : public CardTest {
 protected:
  SensorTest() { client().Write(1, 5, 0x1D); }

  // The serial bus status at this very moment: read from the card
  // directly, without the time a request over the bus takes.
  std::uint8_t StatusNow() {
    platform::BYTE status = 0;
    EXPECT_TRUE(card_->ReadRegister(1, 0x10000 + 13, &status));
    return status;
  }
};

TEST_F(SensorTest, RegistersAreWrittenAndReadOverTheSerialBus) {
  programmer().SensorWrite(0x14, 0x5A);
  EXPECT_EQ(card_->SensorRegister(0x14), 0x5A);
  EXPECT_EQ(programmer().SensorRead(0x14), 0x5A);
  // Another bus address is not the sensor's: nothing is written.
  client().WriteModule(36, 9);
  client().WriteModule(39, 0x40);
  client().WriteModule(36, 8);
  EXPECT_EQ(StatusNow() & 0x81, 0x81);  // busy, not acknowledged
}

TEST_F(SensorTest, EachByteKeepsTheBusBusyForItsTime) {
  client().WriteModule(39, 0x42);
  client().WriteModule(36, 9);
  client().WriteModule(36, 8);
  EXPECT_TRUE(StatusNow() & 0x80);
  // At 400 kHz the byte is done before the next request over the bus
  // arrives, so the driver's wait never has to sleep.
  EXPECT_FALSE(client().ReadModule(13) & 0x80);
}

TEST_F(SensorTest, GainsTakeEffectWhenRegisterZeroIsWrittenWithBitSeven) {
  programmer().WriteGains(testing::GainSet(2));
  EXPECT_EQ(card_->SensorRegister(32) | card_->SensorRegister(33) << 8, 477);
  EXPECT_EQ(card_->SensorRegister(0) & 0x80, 0x80);
}

TEST_F(SensorTest, WithTheLensTurnedTheGainsGoInTheTurnedOrder) {
  card_->SetOrientation(true);
  programmer().WriteGains(testing::GainSet(3));
  const int expected[4] = {256, 365, 355, 256};
  for (int i = 0; i < 4; ++i) {
    EXPECT_EQ(card_->SensorRegister(32 + 2 * i) | card_->SensorRegister(33 + 2 * i) << 8,
              expected[i]);
  }
}

TEST_F(SensorTest, StartUpCalibratesFromTheSensorsCounts) {
  client().Write(1, 5, 0x19);
  ASSERT_TRUE(programmer().StartUp());
  const int first = card_->SensorRegister(0x46) | card_->SensorRegister(0x47) << 8;
  const int second = card_->SensorRegister(0x48) | card_->SensorRegister(0x49) << 8;
  EXPECT_LT(first, second);
  EXPECT_GE(card_->SensorRegister(145), 48);
  EXPECT_LE(card_->SensorRegister(145), 63);
  EXPECT_NE(card_->SensorRegister(145), 56);  // a measured value, not the fallback
}

TEST(QuantiserCodesTest, TheCodesOfEveryQualityGiveBackTheirTables) {
  for (int quality = 0; quality < 3; ++quality) {
    const auto& codes = testing::QuantiserCodes(quality);
    const auto& table = testing::QuantisationTable(quality);
    for (int i = 0; i < 128; ++i) {
      EXPECT_EQ(QuantiserStep(codes[i]), table[i]) << "quality " << quality << " entry " << i;
    }
  }
  EXPECT_EQ(QuantiserStep(0x00), 255);  // an empty code is the coarsest step
}

}  // namespace
}  // namespace card
