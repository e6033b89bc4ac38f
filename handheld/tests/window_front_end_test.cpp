// The window front-end on a real X display: Xvfb is started, the emulator
// runs a short script in its window, and the window's picture must show the
// handheld's screen at twice its size beside the buttons.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>

#include "front_panel.h"
#include "platform/gdi_png.h"
#include "platform/testing/temp_handheld.h"
#include "xvfb_server.h"

namespace handheld {
namespace {

// The window widens 16-bit pixels its own way: a few levels apart count
// as the same colour.
bool SameColour(platform::COLORREF shown, platform::COLORREF expected) {
  return std::abs(platform::GetRValue(shown) - platform::GetRValue(expected)) <= 8 &&
         std::abs(platform::GetGValue(shown) - platform::GetGValue(expected)) <= 8 &&
         std::abs(platform::GetBValue(shown) - platform::GetBValue(expected)) <= 8;
}

struct WindowRun {
  bool succeeded = false;
  std::string log;
};

// Xvfb and a temporary folder for each test; skipped without Xvfb.
class WindowFrontEndTest : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!testing::OnPath("Xvfb"))
      GTEST_SKIP() << "Xvfb is not installed, so no window can be opened";
    server_ = std::make_unique<testing::Xvfb>();
    ASSERT_TRUE(server_->running()) << "Xvfb did not start";
    folder_ = platform::testing::MakeTemporaryFolder("orsa-window");
  }
  void TearDown() override {
    std::error_code ignored;
    if (!folder_.empty()) std::filesystem::remove_all(folder_, ignored);
  }

  // Runs the emulator in its window with the script, writing the window's
  // picture to <folder>/window.png.
  WindowRun RunInWindow(const std::string& script_text, const std::string& options = "") {
    const std::filesystem::path script = folder_ / "script.txt";
    std::ofstream(script) << script_text;
    // The display libraries SDL loads keep some memory to the process's
    // end, which a leak-checking build would count against the program;
    // leaks of the emulator's own code are checked by the in-process tests.
    const std::string command =
        "DISPLAY=" + server_->display() +
        " ASAN_OPTIONS=\"$ASAN_OPTIONS:detect_leaks=0\" '" ORSA_HANDHELD_BINARY "'" + " --root '" +
        (folder_ / "handheld").string() + "' --window" + " --script '" + script.string() +
        "' --window-screenshot '" + (folder_ / "window.png").string() + "' --close-after-script " +
        options + " > '" + (folder_ / "log.txt").string() + "' 2>&1";
    const int status = std::system(command.c_str());
    std::ifstream log_file(folder_ / "log.txt");
    WindowRun run;
    run.log.assign(std::istreambuf_iterator<char>(log_file), std::istreambuf_iterator<char>());
    run.succeeded = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    return run;
  }

  std::unique_ptr<testing::Xvfb> server_;
  std::filesystem::path folder_;
};

TEST_F(WindowFrontEndTest, ShowsTheScreenAtTwiceItsSizeBesideTheButtonsUnderXvfb) {
  const WindowRun run = RunInWindow(
      "start \"\\Windows\\demo.exe\"\n"
      "expect-window OrsaDemo Demo\n"
      "tap 120 236\n"
      "key app1\n"
      "wait 300\n"
      "screenshot screen.png\n");
  ASSERT_TRUE(run.succeeded) << run.log;
  const std::string& log = run.log;

  std::optional<platform::gdi::Surface> window = platform::gdi::ReadPng(folder_ / "window.png");
  std::optional<platform::gdi::Surface> screen =
      platform::gdi::ReadPng(folder_ / "handheld" / "screen.png");
  ASSERT_TRUE(window) << log;
  ASSERT_TRUE(screen) << log;
  EXPECT_EQ(window->width(), kPanelWindowWidth);
  EXPECT_EQ(window->height(), kPanelWindowHeight);

  // Not blank: the demo's picture, text and the buttons bring many colours.
  std::set<platform::COLORREF> colours;
  for (int y = 0; y < window->height(); y += 2) {
    for (int x = 0; x < window->width(); x += 2) colours.insert(window->GetPixel(x, y));
  }
  EXPECT_GT(colours.size(), 20u);

  // The screen area is the handheld's screen, each pixel shown 2x2.
  const platform::RECT area = ScreenRect();
  int mismatches = 0;
  for (int y = 0; y < 320; y += 3) {
    for (int x = 0; x < 240; x += 3) {
      platform::COLORREF shown = window->GetPixel(area.left + 2 * x + 1, area.top + 2 * y + 1);
      platform::COLORREF expected = screen->GetPixel(x, y);
      if (!SameColour(shown, expected)) ++mismatches;
    }
  }
  EXPECT_EQ(mismatches, 0);
}

TEST_F(WindowFrontEndTest, ShowsTheExternalDisplayInASecondWindow) {
  const WindowRun run = RunInWindow(
      "start \\Windows\\displaytest.exe\n"
      "wait-exit \\Windows\\displaytest.exe\n"
      "screenshot-external external.png\n",
      "--external-display 320x240x16 --external-window-screenshot '" +
          (folder_ / "external-window.png").string() + "'");
  ASSERT_TRUE(run.succeeded) << run.log;

  const auto window = platform::gdi::ReadPng(folder_ / "external-window.png");
  const auto display = platform::gdi::ReadPng(folder_ / "handheld" / "external.png");
  ASSERT_TRUE(window) << run.log;
  ASSERT_TRUE(display) << run.log;
  ASSERT_EQ(window->width(), 320);
  ASSERT_EQ(window->height(), 240);
  int mismatches = 0;
  for (int y = 0; y < 240; y += 4) {
    for (int x = 0; x < 320; x += 4) {
      if (!SameColour(window->GetPixel(x, y), display->GetPixel(x, y))) ++mismatches;
    }
  }
  EXPECT_EQ(mismatches, 0);
  EXPECT_EQ(display->GetPixel(60, 20), platform::RGB(255, 255, 0));
}

}  // namespace
}  // namespace handheld
