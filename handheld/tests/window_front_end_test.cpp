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

TEST(WindowFrontEndTest, ShowsTheScreenAtTwiceItsSizeBesideTheButtonsUnderXvfb) {
  using testing::OnPath;
  using testing::Xvfb;
  if (!OnPath("Xvfb")) GTEST_SKIP() << "Xvfb is not installed, so no window can be opened";
  Xvfb server;
  ASSERT_TRUE(server.running()) << "Xvfb did not start";

  const std::filesystem::path folder = platform::testing::MakeTemporaryFolder("orsa-window");
  const std::filesystem::path script = folder / "script.txt";
  std::ofstream(script) << "start \"\\Windows\\demo.exe\"\n"
                           "expect-window OrsaDemo Demo\n"
                           "tap 120 236\n"
                           "key app1\n"
                           "wait 300\n"
                           "screenshot screen.png\n";
  // The display libraries SDL loads keep some memory to the process's end,
  // which a leak-checking build would count against the program; leaks of
  // the emulator's own code are checked by the in-process tests.
  const std::string command =
      "DISPLAY=" + server.display() +
      " ASAN_OPTIONS=\"$ASAN_OPTIONS:detect_leaks=0\" '" ORSA_HANDHELD_BINARY "'" + " --root '" +
      (folder / "handheld").string() + "' --window" + " --script '" + script.string() +
      "' --window-screenshot '" + (folder / "window.png").string() + "' --close-after-script > '" +
      (folder / "log.txt").string() + "' 2>&1";
  const int status = std::system(command.c_str());
  std::ifstream log_file(folder / "log.txt");
  const std::string log((std::istreambuf_iterator<char>(log_file)),
                        std::istreambuf_iterator<char>());
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << log;

  std::optional<platform::gdi::Surface> window = platform::gdi::ReadPng(folder / "window.png");
  std::optional<platform::gdi::Surface> screen =
      platform::gdi::ReadPng(folder / "handheld" / "screen.png");
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
      if (std::abs(platform::GetRValue(shown) - platform::GetRValue(expected)) > 8 ||
          std::abs(platform::GetGValue(shown) - platform::GetGValue(expected)) > 8 ||
          std::abs(platform::GetBValue(shown) - platform::GetBValue(expected)) > 8) {
        ++mismatches;
      }
    }
  }
  EXPECT_EQ(mismatches, 0);
  std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace handheld
