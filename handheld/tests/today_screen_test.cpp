// The desktop behind the programs: the Today screen, and the Start menu on
// the task bar that starts the installed programs by a tap.
#include <gtest/gtest.h>

#include <sstream>

#include "emulator_fixture.h"
#include "platform/programs.h"
#include "platform/screen.h"
#include "platform/shell_today.h"
#include "platform/window.h"

namespace handheld {
namespace {

class TodayScreenTest : public testing::EmulatorFixture {
 protected:
  TodayScreenTest() : EmulatorFixture("orsa-today") {
    emulator_.reset();
    EmulatorOptions options(root_);
    options.desktop = true;
    emulator_ = std::make_unique<Emulator>(options);
  }
  // The middle of the Start menu's row for a program.
  static std::string RowOf(std::size_t index) {
    return std::to_string(platform::shell::kStartMenuTop +
                          static_cast<int>(index) * platform::shell::kStartMenuRowHeight + 12);
  }
};

TEST_F(TodayScreenTest, TheStartMenuListsTheInstalledProgramsByName) {
  ASSERT_EQ(RunSteps("expect-window DesktopToday Start\n"), 0) << steps_err_.str();
  std::vector<std::string> names;
  for (const auto& entry : platform::shell::StartMenuEntries()) names.push_back(entry.name);
  EXPECT_EQ(names, (std::vector<std::string>{"Camera", "Demo", "Dialogs Demo", "Gallery", "Help"}));
}

TEST_F(TodayScreenTest, ATapOnAProgramInTheStartMenuStartsIt) {
  ASSERT_EQ(
      RunSteps("expect-window DesktopToday\ntap 12 12\nexpect-window StartMenu\ntap 60 " +
               RowOf(1) +
               "\nexpect-window OrsaDemo\nexpect-running demo.exe\nexpect-no-window StartMenu\n"
               "key escape\nwait-exit demo.exe 2000\n"),
      0)
      << steps_err_.str();
  // When the program ends the desktop is in front again.
  EXPECT_EQ(platform::GetClassName(platform::GetForegroundWindow()), "DesktopToday");
}

TEST_F(TodayScreenTest, TheFlagOrATapElsewhereClosesTheMenuWithoutStartingAnything) {
  ASSERT_EQ(RunSteps("expect-window DesktopToday\ntap 12 12\nexpect-window StartMenu\ntap 12 12\n"
                     "expect-no-window StartMenu\ntap 12 12\nexpect-window StartMenu\ntap 200 250\n"
                     "expect-no-window StartMenu\n"),
            0)
      << steps_err_.str();
  EXPECT_EQ(platform::EnumProcesses().size(), 1u);  // the desktop alone
}

TEST_F(TodayScreenTest, TheTodayScreenFillsTheScreenBelowTheTaskBar) {
  ASSERT_EQ(RunSteps("set-time 2026-12-08 09:30\nexpect-window DesktopToday\nwait 1500\n"), 0);
  // The band at the top is drawn in the desktop's blue, below the task bar.
  const platform::gdi::Surface& screen = platform::screen::Compose();
  EXPECT_EQ(screen.GetPixel(230, 26), screen.Quantize(platform::RGB(0, 51, 153)));
}

TEST_F(TodayScreenTest, AStorageCardTakenOutLeavesTheStorageLinesAtOnce) {
  // The storage lines as drawn on the screen.
  auto storage_lines = [] {
    const platform::gdi::Surface& screen = platform::screen::Compose();
    std::vector<platform::COLORREF> pixels;
    for (int y = 130; y < 190; ++y) {
      for (int x = 100; x < 236; ++x) pixels.push_back(screen.GetPixel(x, y));
    }
    return pixels;
  };
  ASSERT_EQ(RunSteps("set-time 2026-12-08 09:30\nexpect-window DesktopToday\nwait 1500\n"), 0);
  const auto without_card = storage_lines();
  ASSERT_EQ(RunSteps("storage-card insert\nwait 1500\n"), 0) << steps_err_.str();
  const auto with_card = storage_lines();
  EXPECT_NE(with_card, without_card);
  ASSERT_EQ(RunSteps("storage-card remove\nwait 1500\n"), 0) << steps_err_.str();
  EXPECT_EQ(storage_lines(), without_card);
}

}  // namespace
}  // namespace handheld
