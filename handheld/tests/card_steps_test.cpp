// The card steps: inserting the simulated card loads the driver, which
// starts the camera program; removing it unloads the driver; misuse stops
// the script with its line.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <sstream>

#include "emulator.h"
#include "emulator_fixture.h"
#include "platform/devices.h"
#include "platform/message_box.h"
#include "platform/sd_bus.h"
#include "platform/testing/temp_handheld.h"
#include "script.h"
#include "script_runner.h"

namespace handheld {
namespace {

class CardStepsTest : public testing::EmulatorFixture {
 protected:
  CardStepsTest() : EmulatorFixture("orsa-card-steps") {}

  // The failures of the script (-1 when its steps were refused), with what
  // it said on its error stream.
  int Run(const std::string& text) {
    const testing::ScriptRun run = RunScript(text);
    err_ << run.err;
    return run.valid ? run.report.failures : -1;
  }

  platform::sd::SdBus& Bus() { return emulator_->handheld().GetService<platform::sd::SdBus>(); }

  std::ostringstream err_;
};

TEST_F(CardStepsTest, InsertingTheCardLoadsTheDriverAndRemovingUnloadsIt) {
  ASSERT_EQ(Run("insert-card\nexpect-window Dialog \"Quillon Camera\"\n"), 0) << err_.str();
  EXPECT_TRUE(Bus().HasCard());
  EXPECT_NE(Bus().ActiveDriver(), nullptr);
  EXPECT_TRUE(platform::OpenDevice("SIO1:", 0, 0));
  // The driver started the camera program without a complaint.
  EXPECT_TRUE(emulator_->handheld().message_boxes().Boxes().empty());

  ASSERT_EQ(Run("remove-card\n"), 0) << err_.str();
  EXPECT_FALSE(Bus().HasCard());
  EXPECT_EQ(Bus().ActiveDriver(), nullptr);
}

TEST_F(CardStepsTest, MisuseStopsWithTheLine) {
  EXPECT_EQ(Run("echo start\nremove-card\n"), 1);
  EXPECT_NE(err_.str().find("line 2: remove-card: there is no card to remove"), std::string::npos)
      << err_.str();
  err_.str("");
  EXPECT_EQ(Run("insert-card /no/such/scene.png\n"), 1);
  EXPECT_NE(err_.str().find("cannot read the scene picture"), std::string::npos) << err_.str();
  EXPECT_FALSE(Bus().HasCard());
  EXPECT_EQ(Run("insert-card\ninsert-card\n"), 1);
  EXPECT_NE(err_.str().find("already in the slot"), std::string::npos);
  EXPECT_EQ(Run("remove-card extra\n"), -1) << "too many arguments are refused before running";
}

}  // namespace
}  // namespace handheld
