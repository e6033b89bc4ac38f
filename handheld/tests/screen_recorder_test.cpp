// The screen recorder: frames while a script runs, named by the handheld's
// time, one only when the screen changed and never two within 100 ms.
#include "screen_recorder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

#include "demo_program.h"
#include "emulator_fixture.h"
#include "platform/gdi_png.h"
#include "screenshot_compare.h"

namespace handheld {
namespace {

struct Frame {
  std::uint64_t time = 0;
  std::filesystem::path path;
};

class ScreenRecorderTest : public testing::EmulatorFixture {
 protected:
  ScreenRecorderTest() : EmulatorFixture("orsa-recorder"), frames_folder_(root_ / "frames") {}

  // Runs the script with the recorder looking whenever a step waits, as
  // orsa-handheld --record does, and finishes the recording.
  void Record(const std::string& text) {
    Script script;
    std::string error;
    ASSERT_TRUE(ParseScript(text, &script, &error)) << error;
    ScreenRecorder recorder(frames_folder_);
    RunnerHooks hooks;
    hooks.idle = [&recorder] { recorder.Look(); };
    std::ostringstream out, err;
    ScriptRunner runner(*emulator_, out, err, hooks);
    ASSERT_TRUE(runner.Validate(script)) << err.str();
    ASSERT_EQ(runner.Run(script).failures, 0) << err.str();
    recorder.Finish();
    EXPECT_FALSE(recorder.write_failure());
    frames_written_ = recorder.frames_written();
  }

  // The frames in the folder in the order of their names, with the time
  // each name gives.
  std::vector<Frame> Frames() const {
    std::vector<Frame> frames;
    for (const auto& entry : std::filesystem::directory_iterator(frames_folder_)) {
      const std::string name = entry.path().filename().string();
      EXPECT_EQ(name.size(), std::string("frame-000000000.png").size()) << name;
      EXPECT_TRUE(name.starts_with("frame-") && name.ends_with(".png")) << name;
      frames.push_back({std::strtoull(name.c_str() + 6, nullptr, 10), entry.path()});
    }
    std::sort(frames.begin(), frames.end(),
              [](const Frame& a, const Frame& b) { return a.path < b.path; });
    return frames;
  }

  static platform::gdi::Surface Read(const Frame& frame) {
    std::optional<platform::gdi::Surface> picture = platform::gdi::ReadPng(frame.path);
    EXPECT_TRUE(picture) << frame.path;
    return picture ? *picture : platform::gdi::Surface();
  }

  std::filesystem::path frames_folder_;
  int frames_written_ = 0;
};

const std::string kButtonTap = "tap " + std::to_string(kDemoButtonLeft + kDemoButtonWidth / 2) +
                               " " + std::to_string(kDemoButtonTop + kDemoButtonHeight / 2) + "\n";

TEST_F(ScreenRecorderTest, FramesFollowTheScreenNamedByTheHandheldsTime) {
  Record("start \"\\Windows\\demo.exe\"\nexpect-window OrsaDemo Demo\nwait 2000\n" + kButtonTap +
         "wait 3000\n" + kButtonTap + "wait 500\nscreenshot last.png\n");
  const std::vector<Frame> frames = Frames();
  ASSERT_EQ(static_cast<int>(frames.size()), frames_written_);
  // The program's window, and each of the two counts it shows after a tap.
  ASSERT_GE(frames.size(), 3u);
  for (std::size_t i = 1; i < frames.size(); ++i) {
    EXPECT_GE(frames[i].time, frames[i - 1].time + ScreenRecorder::kMinimumGapMs) << frames[i].path;
    // A frame only when the screen changed.
    EXPECT_GT(testing::Compare(Read(frames[i - 1]), Read(frames[i]), 0).differing_pixels, 0)
        << frames[i].path;
  }
  // Nothing changed while the program waited after its start and after
  // the first tap, so no frame falls into the quiet parts of the waits.
  int quiet = 0;
  for (std::size_t i = 1; i < frames.size(); ++i) {
    if (frames[i].time - frames[i - 1].time >= 2000) ++quiet;
  }
  EXPECT_EQ(quiet, 2);
  // The last frame is the screen as the script left it.
  std::optional<platform::gdi::Surface> last = platform::gdi::ReadPng(root_ / "last.png");
  ASSERT_TRUE(last);
  EXPECT_EQ(testing::Compare(*last, Read(frames.back()), 0).differing_pixels, 0);
}

TEST_F(ScreenRecorderTest, AScreenThatNeverChangesGivesOneFrame) {
  Record("wait 5000\n");
  ASSERT_EQ(Frames().size(), 1u);
  EXPECT_EQ(frames_written_, 1);
}

TEST_F(ScreenRecorderTest, TimeCountsOnAcrossAReboot) {
  Record(
      "start \"\\Windows\\demo.exe\"\nexpect-window OrsaDemo Demo\nwait 3000\nreboot\n"
      "wait 1000\nstart \"\\Windows\\demo.exe\"\nexpect-window OrsaDemo Demo\n" +
      kButtonTap + "wait 500\n");
  const std::vector<Frame> frames = Frames();
  ASSERT_GE(frames.size(), 3u);
  for (std::size_t i = 1; i < frames.size(); ++i) {
    EXPECT_GE(frames[i].time, frames[i - 1].time + ScreenRecorder::kMinimumGapMs);
  }
  // The frames after the reboot come after the 3 s the first boot lived.
  EXPECT_GE(frames.back().time, 3000u);
}

TEST_F(ScreenRecorderTest, AFolderThatCannotBeWrittenIsReported) {
  std::filesystem::create_directories(root_);
  // A file where the folder should be.
  frames_folder_ = root_ / "not-a-folder";
  { std::ofstream(frames_folder_) << "x"; }
  ScreenRecorder recorder(frames_folder_);
  recorder.Finish();
  ASSERT_TRUE(recorder.write_failure());
  EXPECT_EQ(recorder.frames_written(), 0);
}

}  // namespace
}  // namespace handheld
