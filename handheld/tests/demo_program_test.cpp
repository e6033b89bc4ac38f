// The sample program on the emulator's screen: taps and keys reach it, and
// its screen matches the golden picture kept in the repository.
//
// After a deliberate change of the picture, write a new golden picture with
//   ORSA_UPDATE_GOLDEN=1 ./build/<dir>/handheld/handheld_runtime_tests
//       --gtest_filter='DemoProgramTest.*'
#include "demo_program.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>

#include "emulator.h"
#include "emulator_fixture.h"
#include "platform/gdi_png.h"
#include "platform/testing/temp_handheld.h"
#include "screenshot_compare.h"
#include "script_runner.h"

namespace handheld {
namespace {

class DemoProgramTest : public testing::EmulatorFixture {
 protected:
  DemoProgramTest() : EmulatorFixture("orsa-demo") {}

  void Run(const std::string& text) {
    const testing::ScriptRun run = RunScript(text);
    ASSERT_TRUE(run.valid) << run.err;
    ASSERT_EQ(run.report.failures, 0) << run.err;
  }

  platform::gdi::Surface Shot(const std::string& name) {
    Run("screenshot " + name + "\n");
    std::optional<platform::gdi::Surface> shot = platform::gdi::ReadPng(root_ / name);
    EXPECT_TRUE(shot);
    return shot ? *shot : platform::gdi::Surface();
  }
};

constexpr int kButtonX = kDemoButtonLeft + kDemoButtonWidth / 2;
constexpr int kButtonY = kDemoButtonTop + kDemoButtonHeight / 2;

TEST_F(DemoProgramTest, TapsOnTheButtonAndTheActionKeyCountOthersDoNot) {
  Run("start \"\\Windows\\demo.exe\"\nexpect-window OrsaDemo Demo\n");
  const platform::gdi::Surface before = Shot("before.png");
  ASSERT_EQ(before.width(), 240);
  ASSERT_EQ(before.height(), 320);

  // A tap beside the button changes nothing.
  Run("tap 20 " + std::to_string(kButtonY) + "\n");
  EXPECT_EQ(testing::Compare(before, Shot("beside.png"), 0).differing_pixels, 0);

  Run("tap " + std::to_string(kButtonX) + " " + std::to_string(kButtonY) + "\n");
  const platform::gdi::Surface one = Shot("one.png");
  const int changed = testing::Compare(before, one, 0).differing_pixels;
  EXPECT_GT(changed, 0);
  EXPECT_LT(changed, 500);  // only the count's text

  Run("key action\n");
  EXPECT_GT(testing::Compare(one, Shot("two.png"), 0).differing_pixels, 0);
}

TEST_F(DemoProgramTest, ScreenMatchesTheGoldenPicture) {
  Run("start \"\\Windows\\demo.exe\"\nexpect-window OrsaDemo Demo\ntap " +
      std::to_string(kButtonX) + " " + std::to_string(kButtonY) + "\n");
  const platform::gdi::Surface shot = Shot("demo.png");
  const std::filesystem::path golden =
      std::filesystem::path(ORSA_GOLDEN_FOLDER) / "demo_program.png";
  if (std::getenv("ORSA_UPDATE_GOLDEN") != nullptr) {
    ASSERT_TRUE(platform::gdi::WritePng(shot, golden));
    GTEST_SKIP() << "wrote " << golden;
  }
  std::optional<platform::gdi::Surface> expected = platform::gdi::ReadPng(golden);
  ASSERT_TRUE(expected) << "no golden picture at " << golden;
  const testing::Difference difference = testing::Compare(*expected, shot, 24);
  ASSERT_TRUE(difference.same_size);
  // Up to half a percent of the pixels may differ by more than a little.
  EXPECT_LE(difference.differing_pixels, difference.total_pixels / 200)
      << "see " << (root_ / "demo.png") << " against " << golden;
  if (HasFailure()) {
    std::error_code ignored;
    std::filesystem::copy_file(root_ / "demo.png",
                               std::filesystem::temp_directory_path() / "orsa-demo-actual.png",
                               std::filesystem::copy_options::overwrite_existing, ignored);
  }
}

}  // namespace
}  // namespace handheld
