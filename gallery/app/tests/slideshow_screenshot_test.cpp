// The screen half-way through three transitions, caught on the virtual
// clock while the effect waits between two frames, against golden
// pictures (ORSA_UPDATE_GOLDEN=1 writes them afresh); and the buttons
// drawn over the slide after a tap.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "gallery/resources/commands.h"
#include "gallery_fixture.h"
#include "gallery_state.h"
#include "imaging/install.h"
#include "platform/gdi_png.h"
#include "platform/screen.h"
#include "slideshow/slide_buttons.h"
#include "slideshow/slideshow_window.h"

namespace gallery {
namespace {

using platform::gdi::Surface;

// The source tree's folder: __FILE__ is relative to the build folder,
// which is not where ctest runs the tests.
const std::filesystem::path kGoldenFolder = ORSA_GALLERY_GOLDEN;

// Two screen-sized test scenes: a sky with a sun over a hill, and
// coloured bars under a ring.
Surface Scene(int which) {
  Surface scene(240, 320, 24);
  for (int y = 0; y < 320; ++y)
    for (int x = 0; x < 240; ++x) {
      platform::COLORREF colour;
      if (which == 0) {
        const bool sun = (x - 170) * (x - 170) + (y - 70) * (y - 70) < 30 * 30;
        const bool hill = y > 220 + (x - 120) * (x - 120) / 200;
        colour = sun    ? platform::RGB(255, 200, 40)
                 : hill ? platform::RGB(60, 150 + y / 8, 70)
                        : platform::RGB(70 + y / 4, 130 + y / 5, 230);
      } else {
        const int ring = (x - 120) * (x - 120) + (y - 110) * (y - 110);
        const bool on_ring = ring > 50 * 50 && ring < 70 * 70;
        static constexpr platform::COLORREF kBars[] = {
            platform::RGB(220, 60, 50), platform::RGB(250, 190, 40), platform::RGB(80, 170, 90),
            platform::RGB(70, 120, 230), platform::RGB(140, 80, 200)};
        colour = on_ring ? platform::RGB(250, 250, 246) : kBars[(x / 48) % 5];
      }
      scene.SetPixel(x, y, colour);
    }
  return scene;
}

class SlideshowScreenshotTest : public testing::GalleryFixture {
 protected:
  SlideshowScreenshotTest() {
    EXPECT_TRUE(imaging::InstallImagingModule(handheld()));
    for (int i = 0; i < 2; ++i) {
      const std::filesystem::path png =
          std::filesystem::temp_directory_path() / ("slide-" + std::to_string(i) + ".png");
      platform::gdi::WritePng(Scene(i), png);
      std::ifstream in(png, std::ios::binary);
      Put("\\My Documents\\slide" + std::to_string(i) + ".png",
          std::string(std::istreambuf_iterator<char>(in), {}));
      std::filesystem::remove(png);
    }
  }
  // Starts a manual show at the first scene with `effect` coming from the
  // right, and moves to the second scene at the returned tick.
  platform::DWORD ShowAndMove(int effect) {
    Start("");
    SlideshowOptions& options = Gallery().options.slideshow;
    options = {};
    options.rotate_to_fit = 0;
    options.transitions_on = 1;
    options.transition = static_cast<std::uint32_t>(effect);
    platform::PostMessage(Browser(), kMessageMakeCurrent, 0, 0);
    platform::PostMessage(Browser(), platform::WM_COMMAND, kCommandSlideshow, 0);
    Settle();
    const platform::HWND show = platform::FindWindow(kSlideshowClass, std::nullopt);
    EXPECT_TRUE(show);
    platform::PostMessage(show, platform::WM_KEYDOWN, platform::VK_RIGHT, 0);
    return platform::GetTickCount();
  }
  static void ExpectScreenMatches(const char* name) {
    const Surface& screen = platform::screen::Compose();
    const std::filesystem::path golden = kGoldenFolder / name;
    if (std::getenv("ORSA_UPDATE_GOLDEN")) {
      ASSERT_TRUE(platform::gdi::WritePng(screen, golden));
      return;
    }
    const std::optional<Surface> expected = platform::gdi::ReadPng(golden);
    ASSERT_TRUE(expected) << golden;
    ASSERT_EQ(expected->width(), screen.width());
    ASSERT_EQ(expected->height(), screen.height());
    int different = 0;
    for (int y = 0; y < screen.height(); ++y)
      for (int x = 0; x < screen.width(); ++x)
        if (expected->GetPixel(x, y) != screen.GetPixel(x, y)) ++different;
    EXPECT_EQ(different, 0) << name;
  }
};

TEST_F(SlideshowScreenshotTest, WipeHalfWay) {
  const platform::DWORD moved = ShowAndMove(1);
  platform::Sleep(moved + 110 - platform::GetTickCount());  // step 5 of 0-10
  ExpectScreenMatches("slideshow-wipe.png");
}

TEST_F(SlideshowScreenshotTest, VerticalBlindsAfterFourPasses) {
  const platform::DWORD moved = ShowAndMove(4);
  platform::Sleep(moved + 70 - platform::GetTickCount());  // passes 0-3
  ExpectScreenMatches("slideshow-blinds.png");
}

TEST_F(SlideshowScreenshotTest, PushHalfWay) {
  const platform::DWORD moved = ShowAndMove(21);
  platform::Sleep(moved + 110 - platform::GetTickCount());
  ExpectScreenMatches("slideshow-push.png");
}

TEST_F(SlideshowScreenshotTest, ATapDrawsTheButtonsOverTheSlide) {
  ShowAndMove(1);
  Settle();
  const platform::HWND show = platform::FindWindow(kSlideshowClass, std::nullopt);
  const platform::COLORREF before =
      platform::screen::Compose().GetPixel(240 - 72 + 4, 320 - 40 + 16);
  platform::PostMessage(show, platform::WM_LBUTTONDOWN, 0, 0);
  platform::Sleep(10);
  // The Next button's face, where the slide was a bar of colour.
  const platform::COLORREF after =
      platform::screen::Compose().GetPixel(240 - 72 + 4, 320 - 40 + 16);
  EXPECT_NE(after, before);
  ExpectScreenMatches("slideshow-buttons.png");
}

}  // namespace
}  // namespace gallery
