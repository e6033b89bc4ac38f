// The window front-end on a real X display: Xvfb is started, the emulator
// runs a short script in its window, and the window's picture must show the
// handheld's screen at twice its size beside the buttons.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <thread>

#include "front_panel.h"
#include "platform/gdi_png.h"
#include "platform/testing/temp_handheld.h"

extern char** environ;

namespace handheld {
namespace {

bool OnPath(const std::string& program) {
  const char* path = std::getenv("PATH");
  std::string folders = path ? path : "";
  std::size_t start = 0;
  while (start <= folders.size()) {
    std::size_t end = folders.find(':', start);
    if (end == std::string::npos) end = folders.size();
    std::filesystem::path candidate =
        std::filesystem::path(folders.substr(start, end - start)) / program;
    if (access(candidate.c_str(), X_OK) == 0) return true;
    start = end + 1;
  }
  return false;
}

// An X server of its own on a display nobody uses, ended with the test.
class Xvfb {
 public:
  Xvfb() {
    for (int display = 90 + getpid() % 50; display < 190 && pid_ == 0; ++display) {
      if (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(display)) ||
          std::filesystem::exists("/tmp/.X" + std::to_string(display) + "-lock")) {
        continue;
      }
      Start(display);
    }
  }
  ~Xvfb() {
    if (pid_ == 0) return;
    kill(pid_, SIGTERM);
    int status = 0;
    waitpid(pid_, &status, 0);
  }
  Xvfb(const Xvfb&) = delete;
  Xvfb& operator=(const Xvfb&) = delete;

  bool running() const { return pid_ != 0; }
  std::string display() const { return ":" + std::to_string(display_); }

 private:
  void Start(int display) {
    const std::string name = ":" + std::to_string(display);
    std::vector<std::string> words = {"Xvfb",       name,        "-screen", "0",
                                      "800x700x24", "-nolisten", "tcp"};
    std::vector<char*> argv;
    for (std::string& word : words) argv.push_back(word.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t pid = 0;
    const int failed = posix_spawnp(&pid, "Xvfb", &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (failed != 0) return;
    // The server is ready once its socket exists; it may also give up (a
    // display taken meanwhile), and then the next number is tried.
    const std::string socket = "/tmp/.X11-unix/X" + std::to_string(display);
    for (int tries = 0; tries < 200; ++tries) {
      int status = 0;
      if (waitpid(pid, &status, WNOHANG) == pid) return;
      if (std::filesystem::exists(socket)) {
        pid_ = pid;
        display_ = display;
        return;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    kill(pid, SIGKILL);
    waitpid(pid, nullptr, 0);
  }

  pid_t pid_ = 0;
  int display_ = 0;
};

TEST(WindowFrontEndTest, ShowsTheScreenAtTwiceItsSizeBesideTheButtonsUnderXvfb) {
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
