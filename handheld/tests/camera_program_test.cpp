// The camera program on the emulator: the card's arrival starts it through
// the driver, it shows the live preview under its caption with the button
// bar, takes the application keys, zooms with keys and buttons, and ends
// when the card leaves or after two minutes behind another program.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <sstream>

#include "camera_program_window.h"
#include "emulator.h"
#include "emulator_fixture.h"
#include "platform/gdi_png.h"
#include "platform/hot_keys.h"
#include "platform/last_error.h"
#include "platform/testing/temp_handheld.h"
#include "platform/window.h"
#include "script_runner.h"

namespace handheld {
namespace {

// A window of the test's own, to ask for hot keys with.
struct ProbeWindow {
  ProbeWindow() {
    platform::WNDCLASS window_class;
    window_class.lpszClassName = "CameraTestProbe";
    window_class.lpfnWndProc = platform::DefWindowProc;
    platform::RegisterClass(&window_class);
    hwnd = platform::CreateWindowEx(0, "CameraTestProbe", "", platform::WS_POPUP, 0, 0, 1, 1,
                                    nullptr, nullptr, nullptr, nullptr);
  }
  ~ProbeWindow() { platform::DestroyWindow(hwnd); }
  platform::HWND hwnd = nullptr;
};

class CameraProgramTest : public testing::EmulatorFixture {
 protected:
  CameraProgramTest() : EmulatorFixture("orsa-camera") {}

  // What the steps printed.
  std::string Run(const std::string& text) {
    const testing::ScriptRun run = RunScript(text);
    EXPECT_TRUE(run.valid) << run.err;
    EXPECT_EQ(run.report.failures, 0) << run.err;
    return run.out;
  }

  static double MeanLevel(const platform::gdi::Surface& shot, const platform::RECT& area) {
    double total = 0;
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) {
        const platform::COLORREF p = shot.GetPixel(x, y);
        total += platform::GetRValue(p) + platform::GetGValue(p) + platform::GetBValue(p);
      }
    }
    return total / (3.0 * (area.right - area.left) * (area.bottom - area.top));
  }

  void StartCamera() {
    Run(std::string("insert-card\nexpect-window Dialog \"") + testing::kCameraCaption +
        "\"\nwait 1000\n");
  }

  static platform::gdi::Surface Artwork(const std::string& name) {
    std::optional<platform::gdi::Surface> bitmap =
        platform::gdi::ReadPng(std::filesystem::path(ORSA_CAMERA_RESOURCES) / "bitmaps" / name);
    EXPECT_TRUE(bitmap) << name;
    return bitmap ? *bitmap : platform::gdi::Surface();
  }

  // The share of an overlay's visible (non-black) pixels that the screen
  // shows at (x, y), within the screen's 16-bit rounding.
  static double OverlayShown(const platform::gdi::Surface& shot,
                             const platform::gdi::Surface& overlay, int x, int y) {
    int visible = 0;
    int shown = 0;
    for (int row = 0; row < overlay.height(); ++row) {
      for (int column = 0; column < overlay.width(); ++column) {
        const platform::COLORREF want = overlay.GetPixel(column, row);
        if (want == platform::RGB(0, 0, 0)) continue;
        ++visible;
        const platform::COLORREF got = shot.GetPixel(x + column, y + row);
        if (std::abs(platform::GetRValue(want) - platform::GetRValue(got)) <= 12 &&
            std::abs(platform::GetGValue(want) - platform::GetGValue(got)) <= 12 &&
            std::abs(platform::GetBValue(want) - platform::GetBValue(got)) <= 12) {
          ++shown;
        }
      }
    }
    return visible ? static_cast<double>(shown) / visible : 0;
  }

  platform::HWND MainDialog() { return platform::FindWindow("Dialog", testing::kCameraCaption); }

  // The preview window: a child of the main dialog.
  platform::HWND PreviewWindow() {
    platform::HWND found = nullptr;
    if (platform::HWND dialog = MainDialog()) {
      platform::EnumChildWindows(
          dialog,
          [&found](platform::HWND child, platform::LPARAM) -> platform::BOOL {
            if (platform::GetClassName(child) != "KavCameraVideoWindow") return platform::TRUE;
            found = child;
            return platform::FALSE;
          },
          0);
    }
    return found;
  }

  platform::gdi::Surface Shot(const std::string& name) {
    Run("screenshot " + name + "\n");
    std::optional<platform::gdi::Surface> shot = platform::gdi::ReadPng(root_ / name);
    EXPECT_TRUE(shot);
    return shot ? *shot : platform::gdi::Surface();
  }

  // Mean difference per channel of two screenshots inside a rectangle.
  static double MeanDifference(const platform::gdi::Surface& a, const platform::gdi::Surface& b,
                               const platform::RECT& area) {
    double total = 0;
    int samples = 0;
    for (int y = area.top; y < area.bottom; ++y) {
      for (int x = area.left; x < area.right; ++x) {
        const platform::COLORREF p = a.GetPixel(x, y);
        const platform::COLORREF q = b.GetPixel(x, y);
        total += std::abs(platform::GetRValue(p) - platform::GetRValue(q)) +
                 std::abs(platform::GetGValue(p) - platform::GetGValue(q)) +
                 std::abs(platform::GetBValue(p) - platform::GetBValue(q));
        samples += 3;
      }
    }
    return samples ? total / samples : 0;
  }
};

constexpr platform::RECT kPreviewArea{0, 0, 240, 180};

TEST_F(CameraProgramTest, TheCardStartsTheCameraWithItsCaptionPreviewAndButtons) {
  StartCamera();
  platform::HWND dialog = MainDialog();
  ASSERT_NE(dialog, nullptr) << "the main dialog has the application's title";
  platform::HWND preview = PreviewWindow();
  ASSERT_NE(preview, nullptr);
  EXPECT_EQ(platform::GetParent(preview), dialog);
  platform::RECT preview_rect;
  ASSERT_TRUE(platform::GetWindowRect(preview, &preview_rect));
  EXPECT_EQ(preview_rect.right - preview_rect.left, 240);
  EXPECT_EQ(preview_rect.bottom - preview_rect.top, 180);

  struct Expected {
    int id, x, y, width, height;
  };
  for (const Expected& button : {Expected{1601, 174, 201, 49, 49}, Expected{1602, 61, 227, 30, 30},
                                 Expected{1603, 101, 227, 30, 30}, Expected{1604, 91, 188, 32, 31},
                                 Expected{1605, 127, 188, 32, 31}}) {
    platform::HWND control = platform::GetDlgItem(dialog, button.id);
    ASSERT_NE(control, nullptr) << button.id;
    platform::RECT rect;
    ASSERT_TRUE(platform::GetWindowRect(control, &rect));
    EXPECT_EQ(rect.left, button.x) << button.id;
    EXPECT_EQ(rect.top, button.y) << button.id;
    EXPECT_EQ(rect.right - rect.left, button.width) << button.id;
    EXPECT_EQ(rect.bottom - rect.top, button.height) << button.id;
  }

  // The built-in scene moves: the preview is live.
  const platform::gdi::Surface first = Shot("first.png");
  Run("wait 500\n");
  const platform::gdi::Surface later = Shot("later.png");
  EXPECT_GT(MeanDifference(first, later, kPreviewArea), 0.5);
}

TEST_F(CameraProgramTest, ThePreviewKeepsTheDriversRateAndFollowsTheLight) {
  StartCamera();
  // Three fetches in every four 30 ms ticks: 25 pictures a second at most.
  const std::string report = Run("preview-rate 2000\n");
  int pictures = 0;
  int passed_ms = 0;
  ASSERT_EQ(std::sscanf(report.c_str(), "preview rate %d pictures in %d ms", &pictures, &passed_ms),
            2)
      << report;
  EXPECT_GE(passed_ms, 2000) << report;
  EXPECT_LT(passed_ms, 2100) << report;
  // 25 a second; the first and last tick of a measure may fall either side.
  const double expected = passed_ms * 25 / 1000.0;
  EXPECT_GE(pictures, expected - 2) << report;
  EXPECT_LE(pictures, expected + 1) << report;

  // The middle of the picture, clear of the overlays.
  constexpr platform::RECT kMiddle{40, 60, 200, 160};
  const double settled = MeanLevel(Shot("settled.png"), kMiddle);
  Run("scene-light 0.25\nwait 200\n");
  const double darkened = MeanLevel(Shot("darkened.png"), kMiddle);
  EXPECT_LT(darkened, settled * 0.6);
  // The exposure loop opens up again within a few seconds.
  Run("wait 4000\n");
  const double recovered = MeanLevel(Shot("recovered.png"), kMiddle);
  EXPECT_GT(recovered, darkened * 1.5);
}

TEST_F(CameraProgramTest, TheApplicationKeysBelongToTheCameraWhileItRuns) {
  StartCamera();
  ASSERT_NE(MainDialog(), nullptr);
  ProbeWindow probe;
  for (platform::UINT key : {0xC1u, 0xC2u, 0xC3u, 0xC4u}) {
    EXPECT_FALSE(platform::RegisterHotKey(probe.hwnd, 1, platform::MOD_WIN, key)) << key;
    EXPECT_EQ(platform::GetLastError(), platform::ERROR_HOTKEY_ALREADY_REGISTERED);
  }
  // Enter never reaches the dialog's default handling, which would end it.
  Run("key enter\nwait 300\n");
  EXPECT_NE(MainDialog(), nullptr);
}

TEST_F(CameraProgramTest, ZoomKeysAndButtonsStepThroughTheLevels) {
  const platform::gdi::Surface scale = Artwork("288.png");
  const platform::gdi::Surface marker = Artwork("289.png");
  StartCamera();
  const platform::gdi::Surface level0 = Shot("zoom0.png");
  EXPECT_LT(OverlayShown(level0, scale, 137, 163), 0.5) << "no zoom, no scale";
  Run("tap 143 203\nwait 1500\n");  // the Zoom In button
  const platform::gdi::Surface level1 = Shot("zoom1.png");
  EXPECT_GT(OverlayShown(level1, scale, 137, 163), 0.9);
  EXPECT_GT(OverlayShown(level1, marker, 190, 167), 0.9);
  Run("key app4\nwait 1500\n");
  const platform::gdi::Surface level2 = Shot("zoom2.png");
  EXPECT_GT(OverlayShown(level2, marker, 226, 167), 0.9);
  EXPECT_LT(OverlayShown(level2, marker, 190, 167), 0.6);
  // Beyond the last level the key is used up and nothing changes.
  Run("key app4\nwait 1500\n");
  EXPECT_GT(OverlayShown(Shot("zoom2-again.png"), marker, 226, 167), 0.9);
  // Application key 3 steps back out.
  Run("key app3\nwait 1500\n");
  EXPECT_GT(OverlayShown(Shot("zoom1-again.png"), marker, 190, 167), 0.9);
}

TEST_F(CameraProgramTest, RemovingTheCardClosesTheCamera) {
  StartCamera();
  ASSERT_NE(MainDialog(), nullptr);
  Run("remove-card\nwait 1500\n");
  EXPECT_EQ(MainDialog(), nullptr);
  // The keys go back to whoever wants them.
  ProbeWindow probe;
  EXPECT_TRUE(platform::RegisterHotKey(probe.hwnd, 1, platform::MOD_WIN, 0xC4));
}

TEST_F(CameraProgramTest, TwoMinutesBehindAnotherProgramCloseTheCamera) {
  StartCamera();
  Run("start \"\\Windows\\demo.exe\"\nexpect-window OrsaDemo Demo\nwait 100000\n");
  EXPECT_NE(MainDialog(), nullptr) << "100 s behind is not yet enough";
  Run("wait 22000\n");
  EXPECT_EQ(MainDialog(), nullptr);
}

}  // namespace
}  // namespace handheld
