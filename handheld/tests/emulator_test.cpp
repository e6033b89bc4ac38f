// The emulator running scripts on a handheld that survives reboots.
#include "emulator.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "emulator_fixture.h"
#include "platform/last_error.h"
#include "platform/profile.h"
#include "platform/testing/temp_handheld.h"
#include "platform/time.h"
#include "script_runner.h"

namespace handheld {
namespace {

using RunResult = testing::ScriptRun;

class EmulatorTest : public testing::EmulatorFixture {
 protected:
  EmulatorTest() : EmulatorFixture("orsa-emulator") {}
  RunResult Run(const std::string& text) { return RunScript(text); }
};

TEST_F(EmulatorTest, DemoScriptRunsAndTheRegistrySurvivesReboots) {
  std::ifstream file(ORSA_DEMO_SCRIPT);
  std::stringstream text;
  text << file.rdbuf();
  ASSERT_FALSE(text.str().empty()) << ORSA_DEMO_SCRIPT;
  RunResult first = Run(text.str());
  ASSERT_TRUE(first.valid) << first.err;
  EXPECT_EQ(first.report.failures, 0) << first.err;
  EXPECT_NE(first.out.find("ended with exit code 2"), std::string::npos) << first.out;

  // A second emulator run over the same folder reads back what the first wrote.
  emulator_.reset();
  emulator_ = std::make_unique<Emulator>(EmulatorOptions{root_});
  EXPECT_EQ(platform::Profile("Orsa", "selftest").GetProfileInt("Runs", "count", 0), 2u);
  RunResult second = Run(text.str());
  EXPECT_NE(second.out.find("ended with exit code 4"), std::string::npos) << second.out;
}

TEST_F(EmulatorTest, MissingProgramFileFailsTheStepWithError2) {
  RunResult result = Run("start \"\\Windows\\nothing.exe\"\necho never\n");
  EXPECT_EQ(result.report.failures, 1);
  EXPECT_EQ(result.report.steps_run, 1);
  EXPECT_NE(result.err.find("error 2"), std::string::npos) << result.err;
  EXPECT_EQ(result.out.find("never"), std::string::npos);
}

TEST_F(EmulatorTest, UnknownStepsAndBadArgumentsAreRefusedBeforeAnythingRuns) {
  Script script;
  std::string error;
  ASSERT_TRUE(ParseScript("echo hi\nfly away\nwait\n", &script, &error));
  std::ostringstream out, err;
  ScriptRunner runner(*emulator_, out, err);
  EXPECT_FALSE(runner.Validate(script));
  EXPECT_NE(err.str().find("line 2: unknown step 'fly'"), std::string::npos);
  EXPECT_NE(err.str().find("line 3: wrong number of arguments"), std::string::npos);
}

TEST_F(EmulatorTest, WaitStepsRunOnTheVirtualClock) {
  RunResult result = Run("wait 120000\n");
  EXPECT_EQ(result.report.failures, 0);
  EXPECT_EQ(platform::GetTickCount(), 120'000u);
}

TEST_F(EmulatorTest, BadArgumentsAreNamedWithTheirLineBeforeAnythingRuns) {
  RunResult result =
      Run("wait 10\nwait x\ntap 10 400\ntap a 1\nkey jump\ndrag 1 2 3\nkey ACTION\n");
  EXPECT_EQ(result.report.steps_run, 0);
  EXPECT_EQ(platform::GetTickCount(), 0u);
  EXPECT_NE(result.err.find("line 2: wait: not a number of milliseconds: 'x'"), std::string::npos)
      << result.err;
  EXPECT_NE(result.err.find("line 3: tap: y 400 is off the screen (0-319)"), std::string::npos)
      << result.err;
  EXPECT_NE(result.err.find("line 4: tap: not a whole number: 'a'"), std::string::npos);
  EXPECT_NE(result.err.find("line 5: key: unknown key 'jump'"), std::string::npos);
  EXPECT_NE(result.err.find("line 6: wrong number of arguments for 'drag'"), std::string::npos);
  EXPECT_EQ(result.err.find("line 7"), std::string::npos);  // names are case-blind
}

}  // namespace
}  // namespace handheld
