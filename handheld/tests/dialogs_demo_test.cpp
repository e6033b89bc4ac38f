// The dialogs sample driven by its script: headless, every screenshot must
// match its golden picture; in the SDL2 window under Xvfb the same script
// must pass too.
//
// After a deliberate change of the pictures, write new golden pictures with
//   ORSA_UPDATE_GOLDEN=1 ./build/<dir>/handheld/handheld_runtime_tests
//       --gtest_filter='DialogsDemoTest.*'
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

#include "dialogs_demo_program.h"
#include "emulator.h"
#include "emulator_fixture.h"
#include "platform/gdi_png.h"
#include "platform/testing/temp_handheld.h"
#include "screenshot_compare.h"
#include "script_runner.h"
#include "xvfb_server.h"

namespace handheld {
namespace {

constexpr const char* kShots[] = {"dialogs-list", "dialogs-options", "dialogs-tree",
                                  "dialogs-folder-chosen"};

std::string ScriptText() {
  std::ifstream file(ORSA_DIALOGS_DEMO_SCRIPT);
  std::stringstream text;
  text << file.rdbuf();
  return text.str();
}

class DialogsDemoTest : public testing::EmulatorFixture {
 protected:
  DialogsDemoTest() : EmulatorFixture("orsa-dialogs") {}

  // Runs script text; the number of failed steps. What it printed on
  // either stream gathers in out_.
  int Run(const std::string& text) {
    const testing::ScriptRun run = RunScript(text);
    out_ << run.out << run.err;
    EXPECT_TRUE(run.valid) << out_.str();
    return run.report.failures;
  }

  std::ostringstream out_;
};

TEST_F(DialogsDemoTest, TheScriptPassesAndEveryScreenMatchesItsGoldenPicture) {
  ASSERT_EQ(Run(ScriptText()), 0) << out_.str();
  const bool update = std::getenv("ORSA_UPDATE_GOLDEN") != nullptr;
  for (const char* name : kShots) {
    const std::filesystem::path shot_path = root_ / "screenshots" / (std::string(name) + ".png");
    std::optional<platform::gdi::Surface> shot = platform::gdi::ReadPng(shot_path);
    ASSERT_TRUE(shot) << "no screenshot " << shot_path;
    const std::filesystem::path golden =
        std::filesystem::path(ORSA_GOLDEN_FOLDER) / (std::string(name) + ".png");
    if (update) {
      ASSERT_TRUE(platform::gdi::WritePng(*shot, golden));
      continue;
    }
    std::optional<platform::gdi::Surface> expected = platform::gdi::ReadPng(golden);
    ASSERT_TRUE(expected) << "no golden picture at " << golden;
    const testing::Difference difference = testing::Compare(*expected, *shot, 24);
    ASSERT_TRUE(difference.same_size);
    EXPECT_LE(difference.differing_pixels, difference.total_pixels / 200)
        << name << ": see " << shot_path << " against " << golden;
    if (HasFailure()) {
      std::error_code ignored;
      std::filesystem::copy_file(
          shot_path,
          std::filesystem::temp_directory_path() / ("orsa-actual-" + std::string(name) + ".png"),
          std::filesystem::copy_options::overwrite_existing, ignored);
    }
  }
  if (update) GTEST_SKIP() << "wrote the golden pictures";
}

TEST_F(DialogsDemoTest, ScreensChangeWithWhatThePersonDoes) {
  ASSERT_EQ(Run(ScriptText()), 0) << out_.str();
  auto shot = [&](const char* name) {
    return *platform::gdi::ReadPng(root_ / "screenshots" / (std::string(name) + ".png"));
  };
  // Each step shows something else: another page, the tree, the chosen
  // folder on the options page.
  EXPECT_GT(testing::Compare(shot("dialogs-list"), shot("dialogs-options"), 0).differing_pixels,
            2000);
  EXPECT_GT(testing::Compare(shot("dialogs-options"), shot("dialogs-tree"), 0).differing_pixels,
            2000);
  const int folder_change =
      testing::Compare(shot("dialogs-options"), shot("dialogs-folder-chosen"), 0).differing_pixels;
  EXPECT_GT(folder_change, 0);
  EXPECT_LT(folder_change, 2000);  // only the folder's text
}

TEST(DialogsDemoWindowTest, TheSameScriptPassesInTheWindowUnderXvfb) {
  if (!testing::OnPath("Xvfb")) GTEST_SKIP() << "Xvfb is not installed";
  testing::Xvfb server;
  ASSERT_TRUE(server.running()) << "Xvfb did not start";
  const std::filesystem::path folder = platform::testing::MakeTemporaryFolder("orsa-dialogs-win");
  const std::string command =
      "DISPLAY=" + server.display() +
      " ASAN_OPTIONS=\"$ASAN_OPTIONS:detect_leaks=0\" '" ORSA_HANDHELD_BINARY "' --root '" +
      (folder / "handheld").string() + "' --window --script '" + ORSA_DIALOGS_DEMO_SCRIPT +
      "' --close-after-script > '" + (folder / "log.txt").string() + "' 2>&1";
  const int status = std::system(command.c_str());
  std::ifstream log_file(folder / "log.txt");
  const std::string log((std::istreambuf_iterator<char>(log_file)),
                        std::istreambuf_iterator<char>());
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << log;
  EXPECT_TRUE(std::filesystem::exists(folder / "handheld" / "screenshots" / "dialogs-tree.png"))
      << log;
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace handheld
