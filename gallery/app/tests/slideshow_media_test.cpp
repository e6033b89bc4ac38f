// The slideshow with real pictures and clips: each slide mirrored on the
// show's own external display (a mode change survived), a clip's slide
// showing its thumbnail, the Play button playing it through the plug-in's
// player with the timer held, and a clip that cannot be read shown black.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "clip/orsaclip.h"
#include "file_list_access.h"
#include "gallery_clips.h"
#include "gallery_state.h"
#include "platform/external_display.h"
#include "platform/gdi.h"
#include "platform/gdi_objects.h"
#include "platform/modules.h"
#include "platform/screen.h"
#include "slideshow/slide_buttons.h"
#include "slideshow_driving.h"
#include "view/external_display.h"
#include "view_fixture.h"

namespace gallery {
namespace {

using platform::COLORREF;
using platform::GetBValue;
using platform::GetGValue;
using platform::GetRValue;

bool IsBlack(COLORREF colour) {
  return GetRValue(colour) < 8 && GetGValue(colour) < 8 && GetBValue(colour) < 8;
}

bool Near(COLORREF a, COLORREF b) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= 8 && std::abs(GetGValue(a) - GetGValue(b)) <= 8 &&
         std::abs(GetBValue(a) - GetBValue(b)) <= 8;
}

class SlideshowMediaTest : public testing::ViewFixture {
 protected:
  SlideshowMediaTest() { EXPECT_TRUE(clip::InstallClipModule(handheld())); }

  std::string Clip(const std::string& name) {
    const std::string path = std::string(testing::kPictures) + "\\" + name;
    testing::RecordTestClip(path);
    return path;
  }
  // Starts the gallery on `first` and a manual show (or one timed every
  // 2 s) from it, without transitions.
  void StartShowOn(const std::string& first, std::uint32_t mode = kAdvanceManual) {
    gallery_ = StartOn(first);
    SlideshowOptions& options = Gallery().options.slideshow;
    options = {};
    options.rotate_to_fit = 0;
    options.transitions_on = 0;
    options.advance_mode = mode;
    options.interval_seconds = 2;
    testing::StartSlideshowAt(FindEntry(first));
    started_ = platform::GetTickCount();
    Settle();
  }
  void At(platform::DWORD ms) { platform::Sleep(started_ + ms - platform::GetTickCount()); }
  void WantExternalDisplay() {
    GalleryOptions options = LoadGalleryOptions();
    options.general.external_display = 1;
    ASSERT_TRUE(SaveGalleryOptions(options));
  }
  bool BoxSaid(const std::string& text) {
    const auto boxes = Boxes();
    return std::any_of(boxes.begin(), boxes.end(), [&](const platform::MessageBoxRecord& box) {
      return box.request.text == text;
    });
  }

  platform::ProcessHandle gallery_;
  platform::DWORD started_ = 0;
};

TEST_F(SlideshowMediaTest, EachSlideIsMirroredOnTheShowsOwnDisplay) {
  ASSERT_TRUE(platform::external_display::Attach({640, 480, 16}));
  WantExternalDisplay();
  const std::string wide = PutPicture("a.jpg", 800, 400);
  PutPicture("b.jpg", 320, 240);
  StartShowOn(wide);
  ASSERT_TRUE(testing::Slideshow());
  EXPECT_FALSE(BrowserExternalDisplay().is_open()) << "the browser's display waits for the show";
  // 800 x 400 fitted as 640 x 320: black bands of 80 rows.
  auto shown = platform::external_display::Snapshot();
  ASSERT_TRUE(shown);
  EXPECT_TRUE(IsBlack(shown->GetPixel(320, 40)));
  EXPECT_FALSE(IsBlack(shown->GetPixel(320, 90)));
  EXPECT_TRUE(IsBlack(shown->GetPixel(320, 440)));

  // The next slide, 320 x 240, copied 1:1 in the middle.
  testing::SlideshowKey(platform::VK_RIGHT);
  Settle();
  shown = platform::external_display::Snapshot();
  ASSERT_TRUE(shown);
  EXPECT_TRUE(IsBlack(shown->GetPixel(150, 240)));
  EXPECT_FALSE(IsBlack(shown->GetPixel(170, 240)));

  // A mode change while the show runs: the next slide opens the display
  // again at its new size.
  ASSERT_TRUE(platform::external_display::ChangeMode({800, 600, 24}));
  testing::SlideshowKey(platform::VK_LEFT);
  Settle();
  shown = platform::external_display::Snapshot();
  ASSERT_TRUE(shown);
  ASSERT_EQ(shown->width(), 800);
  EXPECT_TRUE(IsBlack(shown->GetPixel(400, 50)));
  EXPECT_FALSE(IsBlack(shown->GetPixel(400, 300)));
  EXPECT_GT(GetRValue(shown->GetPixel(795, 300)), 230) << "the wide picture fills the width";

  testing::SlideshowKey(platform::VK_ESCAPE);
  Settle();
  EXPECT_FALSE(testing::Slideshow());
  EXPECT_TRUE(BrowserExternalDisplay().is_open()) << "the browser's display is back";
  EXPECT_TRUE(Boxes().empty());
  Close(gallery_);
}

TEST_F(SlideshowMediaTest, ASlideThatCannotBeMirroredIsReported) {
  ASSERT_TRUE(platform::external_display::Attach({640, 480, 16}));
  WantExternalDisplay();
  const std::string first = PutPicture("a.jpg", 320, 240);
  PutBytes(std::string(testing::kPictures) + "\\b.jpg", {0xFF, 0xD8, 0xFF, 0xE0, 1, 2, 3});
  StartShowOn(first);
  EXPECT_FALSE(BoxSaid("VGA Out Load image failed"));
  testing::SlideshowKey(platform::VK_RIGHT);
  Settle();
  ASSERT_TRUE(BoxSaid("VGA Out Load image failed"));
  EXPECT_EQ(Boxes().back().request.caption, "Test");
  EXPECT_EQ(testing::ShownIndex(), 1) << "the show goes on";
  Close(gallery_);
}

TEST_F(SlideshowMediaTest, AClipSlideShowsItsThumbnailAndPlayPlaysIt) {
  const std::string path = Clip("clip.avi");
  // The plug-in's own thumbnail at the screen's size, to compare with.
  platform::HMODULE plugin = platform::LoadLibrary(clip::kModuleName);
  ASSERT_TRUE(plugin);
  auto* thumbnail = platform::GetProcAddressAs<clip::MediaGetThumbnailFunction>(
      plugin, clip::kMediaGetThumbnailExport);
  platform::HBITMAP handle = nullptr;
  ASSERT_TRUE(thumbnail(path.c_str(), &handle, 240, 320));
  platform::OwnedGdiObject<platform::HBITMAP> expected(handle);
  platform::HDC expected_dc = platform::CreateCompatibleDC(nullptr);
  platform::SelectObject(expected_dc, expected.get());

  StartShowOn(path);
  ASSERT_TRUE(testing::Slideshow());
  // 240 x 180 in the middle of the 240 x 320 screen, black above and below.
  const platform::gdi::Surface& screen = platform::screen::Compose();
  EXPECT_TRUE(IsBlack(screen.GetPixel(120, 30)));
  EXPECT_TRUE(IsBlack(screen.GetPixel(120, 290)));
  for (int y : {5, 60, 120, 175})
    for (int x : {5, 80, 160, 235})
      EXPECT_TRUE(Near(screen.GetPixel(x, 70 + y), platform::GetPixel(expected_dc, x, y)))
          << x << ", " << y;
  platform::DeleteDC(expected_dc);
  platform::FreeLibrary(plugin);

  EXPECT_TRUE(testing::SlideshowButtonShown(kButtonPlay));
  testing::SlideshowButton(kButtonPlay);
  const platform::HWND player = testing::AwaitClipPlayer();
  ASSERT_TRUE(player) << "Play opens the plug-in's player";
  // The player's loop serves the browser too, whose pane loads the
  // current file again meanwhile.
  platform::PostMessage(Browser(), kMessageMakeCurrent, 0, 0);
  Settle();
  EXPECT_TRUE(Label(1107).starts_with("clip.avi")) << Label(1107);
  platform::PostMessage(player, platform::WM_CLOSE, 0, 0);
  Settle();
  EXPECT_FALSE(testing::ClipPlayer());
  ASSERT_TRUE(testing::Slideshow()) << "the show goes on after the player";
  EXPECT_EQ(testing::ShownIndex(), 0);
  Close(gallery_);
}

TEST_F(SlideshowMediaTest, TheTimerWaitsWhileAClipPlays) {
  const std::string path = Clip("a.avi");
  PutPicture("b.jpg", 320, 240);
  StartShowOn(path, kAdvanceForward);
  testing::SlideshowButton(kButtonPlay);
  const platform::HWND player = testing::AwaitClipPlayer();
  ASSERT_TRUE(player);
  At(5000);  // past two intervals
  platform::PostMessage(player, platform::WM_CLOSE, 0, 0);
  platform::Sleep(50);
  EXPECT_EQ(testing::ShownIndex(), 0) << "no move while the clip played";
  const platform::DWORD closed = platform::GetTickCount();
  platform::Sleep(closed + 1900 - platform::GetTickCount());
  EXPECT_EQ(testing::ShownIndex(), 0);
  platform::Sleep(closed + 2100 - platform::GetTickCount());
  EXPECT_EQ(testing::ShownIndex(), 1) << "the interval starts again when the player closes";
  Close(gallery_);
}

TEST_F(SlideshowMediaTest, AClipThatCannotBeReadIsABlackSlide) {
  const std::string broken = std::string(testing::kPictures) + "\\broken.avi";
  PutBytes(broken, {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'A', 'V', 'I', ' '});
  PutPicture("b.jpg", 240, 320);
  StartShowOn(broken);
  ASSERT_TRUE(testing::Slideshow());
  const platform::gdi::Surface& screen = platform::screen::Compose();
  for (int y : {10, 160, 310}) EXPECT_TRUE(IsBlack(screen.GetPixel(120, y))) << y;
  testing::SlideshowKey(platform::VK_LEFT);
  Settle();
  EXPECT_EQ(testing::ShownIndex(), 0) << "the show goes on to the picture";
  EXPECT_FALSE(IsBlack(platform::screen::Compose().GetPixel(120, 160)));
  Close(gallery_);
}

}  // namespace
}  // namespace gallery
