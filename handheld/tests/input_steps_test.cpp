// The input steps reach the program as a person's input would: the stylus
// on the window under it, keys down and up, typed characters.
#include <gtest/gtest.h>

#include <mutex>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "emulator.h"
#include "emulator_fixture.h"
#include "platform/files.h"
#include "platform/programs.h"
#include "platform/testing/temp_handheld.h"
#include "platform/window.h"
#include "script_runner.h"

namespace handheld {
namespace {

using namespace platform;

constexpr const char* kRecorderPath = "\\Windows\\recorder.exe";

// What the recording window saw, one line per message.
class Record {
 public:
  void Add(std::string line) {
    std::lock_guard lock(mutex_);
    lines_.push_back(std::move(line));
  }
  std::vector<std::string> Lines() {
    std::lock_guard lock(mutex_);
    return lines_;
  }

 private:
  std::mutex mutex_;
  std::vector<std::string> lines_;
};

int RecorderMain(HINSTANCE instance, Record& record) {
  WNDCLASS window_class;
  window_class.hInstance = instance;
  window_class.lpszClassName = "Recorder";
  window_class.lpfnWndProc = [&record](HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
    const std::string at =
        " " + std::to_string(GET_X_LPARAM(lparam)) + "," + std::to_string(GET_Y_LPARAM(lparam));
    switch (message) {
      case WM_LBUTTONDOWN:
        record.Add("down" + at);
        SetCapture(hwnd);
        return LRESULT{0};
      case WM_MOUSEMOVE:
        record.Add("move" + at);
        return LRESULT{0};
      case WM_LBUTTONUP:
        record.Add("up" + at);
        ReleaseCapture();
        return LRESULT{0};
      case WM_KEYDOWN:
        record.Add("keydown " + std::to_string(wparam));
        return LRESULT{0};
      case WM_KEYUP:
        record.Add("keyup " + std::to_string(wparam));
        return LRESULT{0};
      case WM_CHAR:
        record.Add("char " + std::to_string(wparam));
        return LRESULT{0};
      default:
        return DefWindowProc(hwnd, message, wparam, lparam);
    }
  };
  RegisterClass(&window_class);
  // Below the task bar, so window and screen coordinates differ.
  CreateWindowEx(0, "Recorder", "Recorder", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                 CW_USEDEFAULT, nullptr, nullptr, instance, nullptr);
  MSG message;
  while (GetMessage(&message, nullptr, 0, 0) > 0) DispatchMessage(&message);
  return 0;
}

class InputStepsTest : public testing::EmulatorFixture {
 protected:
  InputStepsTest() : EmulatorFixture("orsa-input") {
    emulator_->handheld().programs().Register(
        kRecorderPath,
        [this](HINSTANCE instance, const std::string&) { return RecorderMain(instance, record_); });
    const std::string marker = "test program";
    emulator_->handheld().files().InstallFile(kRecorderPath, std::as_bytes(std::span(marker)));
    Run("start \"\\Windows\\recorder.exe\"\nexpect-window Recorder\n");
  }
  // The recorder program writes into record_ until the handheld ends.
  ~InputStepsTest() override { emulator_.reset(); }

  void Run(const std::string& text) {
    const testing::ScriptRun run = RunScript(text);
    ASSERT_TRUE(run.valid) << run.err;
    ASSERT_EQ(run.report.failures, 0) << run.err;
  }

  Record record_;
};

TEST_F(InputStepsTest, TapIsDownAndUpInTheWindowsCoordinates) {
  Run("tap 100 126\n");
  EXPECT_EQ(record_.Lines(), (std::vector<std::string>{"down 100,100", "up 100,100"}));
}

TEST_F(InputStepsTest, DragMovesInStepsToTheEnd) {
  Run("drag 10 36 90 116\n");
  std::vector<std::string> lines = record_.Lines();
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines.front(), "down 10,10");
  EXPECT_EQ(lines[lines.size() - 2], "move 90,90");
  EXPECT_EQ(lines.back(), "up 90,90");
}

TEST_F(InputStepsTest, KeysGoDownAndUpAndTextArrivesAsCharacters) {
  Run("key action\nkey App2\ntext \"h\xC3\xA9 \xEC\x82\xAC\"\n");
  EXPECT_EQ(record_.Lines(),
            (std::vector<std::string>{"keydown 134", "keyup 134", "keydown 194", "keyup 194",
                                      "char 104", "char 233", "char 32", "char 49324"}));
}

TEST_F(InputStepsTest, ShiftPlusAKeyHoldsShiftAroundIt) {
  Run("key shift+tab\nkey Shift+a\n");
  EXPECT_EQ(record_.Lines(),
            (std::vector<std::string>{"keydown 16", "keydown 9", "keyup 9", "keyup 16",
                                      "keydown 16", "keydown 65", "keyup 65", "keyup 16"}));
}

}  // namespace
}  // namespace handheld
