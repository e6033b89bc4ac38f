// The slideshow window on the virtual clock: starting at the current file,
// the keys and buttons, the timed modes and their ends, random order,
// taps that show the buttons and hold the timer, voice notes, pictures
// that cannot be loaded, and the index handed back on closing.
#include "slideshow/slideshow_window.h"

#include <gtest/gtest.h>

#include <set>

#include "file_list_access.h"
#include "gallery/resources/commands.h"
#include "gallery_fixture.h"
#include "gallery_state.h"
#include "platform/audio.h"
#include "slideshow/slide_buttons.h"
#include "slideshow_driving.h"

namespace gallery {
namespace {

using platform::HWND;

constexpr char kFolder[] = "\\My Documents\\";

class SlideshowWindowTest : public testing::GalleryFixture {
 protected:
  // snap0001.jpg ... snap000<count>.jpg in the folder the gallery shows
  // first; they are not real pictures, so every slide is black.
  SlideshowWindowTest() {
    SaveOptions(OneFolderOptions());
    PutPictures(1);
  }
  void PutPictures(int count) {
    for (int i = 0; i < count; ++i) Put(Picture(i), "picture");
  }
  static std::string Picture(int index) {
    return std::string(kFolder) + "snap000" + std::to_string(index + 1) + ".jpg";
  }
  // Starts the gallery, sets the show's options and starts the show from
  // the entry `first`; the advance timer starts now.
  void StartShow(const SlideshowOptions& options, int first = 0) {
    if (!gallery_) gallery_ = Start("");
    Gallery().options.slideshow = options;
    testing::StartSlideshowAt(first);
    started_ = platform::GetTickCount();
    platform::Sleep(1);
  }
  // Sleeps until `ms` after the show started.
  void At(platform::DWORD ms) { platform::Sleep(started_ + ms - platform::GetTickCount()); }
  static HWND Show() { return testing::Slideshow(); }
  static int Shown() { return testing::ShownIndex(); }
  static int Direction() { return testing::MoveDirection(); }
  static void Key(platform::UINT key) { testing::SlideshowKey(key); }
  static void Button(int id) { testing::SlideshowButton(id); }
  static void Tap() { testing::TapSlideshow(); }
  static bool ButtonShown(int id) { return testing::SlideshowButtonShown(id); }
  std::size_t Beeps() { return handheld().message_boxes().Beeps().size(); }

  static SlideshowOptions Manual(bool loop = true) {
    SlideshowOptions options;
    options.loop = loop;
    options.rotate_to_fit = 0;
    return options;
  }
  static SlideshowOptions Timed(std::uint32_t mode, bool loop) {
    SlideshowOptions options = Manual(loop);
    options.advance_mode = mode;
    options.interval_seconds = 2;
    return options;
  }

  platform::DWORD started_ = 0;
  platform::ProcessHandle gallery_;
};

TEST_F(SlideshowWindowTest, StartsAtTheCurrentFileAndHandsItsIndexBackOnClosing) {
  PutPictures(4);
  StartShow(Manual(), 2);
  ASSERT_TRUE(Show());
  EXPECT_EQ(Shown(), 2);
  Key(platform::VK_RIGHT);
  EXPECT_EQ(Shown(), 3);
  EXPECT_EQ(Direction(), 3);
  Key(platform::VK_LEFT);
  Key(platform::VK_LEFT);
  EXPECT_EQ(Shown(), 1);
  EXPECT_EQ(Direction(), 2);
  Key(platform::VK_ESCAPE);
  EXPECT_FALSE(Show());
  EXPECT_EQ(Gallery().current, Picture(1));
}

TEST_F(SlideshowWindowTest, EnterSpaceAndTheCloseButtonEachClose) {
  PutPictures(2);
  for (platform::UINT how : {platform::VK_RETURN, platform::VK_SPACE, 0u}) {
    StartShow(Manual());
    ASSERT_TRUE(Show());
    if (how)
      Key(how);
    else
      Button(kButtonClose);
    EXPECT_FALSE(Show()) << how;
  }
}

TEST_F(SlideshowWindowTest, WithoutLoopTheEndsBeepAndKeepTheSlide) {
  PutPictures(3);
  StartShow(Manual(false));
  Key(platform::VK_LEFT);
  EXPECT_EQ(Shown(), 0);
  EXPECT_EQ(Beeps(), 1u);
  Key(platform::VK_RIGHT);
  Key(platform::VK_RIGHT);
  Key(platform::VK_RIGHT);
  EXPECT_EQ(Shown(), 2);
  EXPECT_EQ(Beeps(), 2u);
}

TEST_F(SlideshowWindowTest, WithLoopTheEndsWrapAround) {
  PutPictures(3);
  StartShow(Manual(true));
  Key(platform::VK_LEFT);
  EXPECT_EQ(Shown(), 2);
  Key(platform::VK_RIGHT);
  EXPECT_EQ(Shown(), 0);
  EXPECT_EQ(Beeps(), 0u);
}

TEST_F(SlideshowWindowTest, UpAndDownFollowTheRotationDirection) {
  PutPictures(4);
  SlideshowOptions options = Manual();
  StartShow(options, 1);
  Key(platform::VK_UP);  // not rotating: up goes back
  EXPECT_EQ(Shown(), 0);
  EXPECT_EQ(Direction(), 0);
  Key(platform::VK_DOWN);
  EXPECT_EQ(Shown(), 1);
  EXPECT_EQ(Direction(), 1);
  // Turned counter-clockwise, up is forward.
  Gallery().options.slideshow.rotate_to_fit = 1;
  Gallery().options.slideshow.rotate_direction = 0;
  Key(platform::VK_UP);
  EXPECT_EQ(Shown(), 2);
  Key(platform::VK_DOWN);
  EXPECT_EQ(Shown(), 1);
}

TEST_F(SlideshowWindowTest, ButtonsMoveInTheRotationsDirections) {
  PutPictures(4);
  SlideshowOptions options = Manual();
  options.rotate_to_fit = 1;
  options.rotate_direction = 1;
  StartShow(options, 1);
  Button(kButtonNext);
  EXPECT_EQ(Shown(), 2);
  EXPECT_EQ(Direction(), 1);  // the rotation direction
  Button(kButtonPrevious);
  EXPECT_EQ(Shown(), 1);
  EXPECT_EQ(Direction(), 0);  // its opposite
  Gallery().options.slideshow.rotate_to_fit = 0;
  Button(kButtonNext);
  EXPECT_EQ(Direction(), 3);
  Button(kButtonPrevious);
  EXPECT_EQ(Direction(), 2);
}

TEST_F(SlideshowWindowTest, TimedForwardAdvancesAtTheIntervalAndStopsAtTheEnd) {
  PutPictures(3);
  StartShow(Timed(kAdvanceForward, false));
  At(1999);
  EXPECT_EQ(Shown(), 0);
  At(2001);
  EXPECT_EQ(Shown(), 1);
  At(4001);
  EXPECT_EQ(Shown(), 2);
  EXPECT_EQ(Beeps(), 0u);
  // At the last entry every tick beeps and the slide stays.
  At(6001);
  At(8001);
  EXPECT_EQ(Shown(), 2);
  EXPECT_EQ(Beeps(), 2u);
}

TEST_F(SlideshowWindowTest, TimedBackwardWrapsWithLoop) {
  PutPictures(3);
  StartShow(Timed(kAdvanceBackward, true), 1);
  At(2001);
  EXPECT_EQ(Shown(), 0);
  EXPECT_EQ(Direction(), 2);
  At(4001);
  EXPECT_EQ(Shown(), 2);
}

TEST_F(SlideshowWindowTest, RandomModeNeverShowsTheSameEntryTwiceInARow) {
  PutPictures(3);
  StartShow(Timed(kAdvanceRandom, true));
  int previous = Shown();
  std::set<int> seen{previous};
  for (int tick = 1; tick <= 30; ++tick) {
    At(tick * 2000 + 1);
    const int shown = Shown();
    EXPECT_NE(shown, previous) << "tick " << tick;
    EXPECT_EQ(Direction(), 4);
    seen.insert(shown);
    previous = shown;
  }
  EXPECT_EQ(seen.size(), 3u);
}

TEST_F(SlideshowWindowTest, RandomModeWithOneEntryShowsItAgainAtEveryTick) {
  StartShow(Timed(kAdvanceRandom, true));
  At(2001);
  At(4001);
  EXPECT_EQ(Shown(), 0);
  EXPECT_EQ(Beeps(), 0u);
}

TEST_F(SlideshowWindowTest, ATapShowsTheButtonsForTwoSecondsAndHoldsTheTimer) {
  PutPictures(3);
  StartShow(Timed(kAdvanceForward, true));
  At(500);
  EXPECT_FALSE(ButtonShown(kButtonNext));
  Tap();
  for (int id : {kButtonPause, kButtonPrevious, kButtonNext, kButtonClose})
    EXPECT_TRUE(ButtonShown(id)) << id;
  EXPECT_FALSE(ButtonShown(kButtonPlay));  // no clip
  At(2400);
  EXPECT_EQ(Shown(), 0);  // the timer is held
  EXPECT_TRUE(ButtonShown(kButtonNext));
  At(2502);
  EXPECT_FALSE(ButtonShown(kButtonNext));
  At(4450);
  EXPECT_EQ(Shown(), 0);
  At(4510);  // two seconds after the buttons went
  EXPECT_EQ(Shown(), 1);
}

TEST_F(SlideshowWindowTest, ManualShowsHaveNoPauseButton) {
  PutPictures(2);
  StartShow(Manual());
  Tap();
  EXPECT_FALSE(ButtonShown(kButtonPause));
  EXPECT_TRUE(ButtonShown(kButtonClose));
}

TEST_F(SlideshowWindowTest, PauseStopsTheTimerUntilPressedAgain) {
  PutPictures(3);
  StartShow(Timed(kAdvanceForward, true));
  At(100);
  Tap();
  Button(kButtonPause);
  At(9000);
  EXPECT_EQ(Shown(), 0);
  Button(kButtonPause);  // buttons again for 2 s, then the timer
  At(11000);
  EXPECT_EQ(Shown(), 0);
  At(13010);
  EXPECT_EQ(Shown(), 1);
}

TEST_F(SlideshowWindowTest, ASlideWithAVoiceNotePlaysIt) {
  PutPictures(3);
  // A short silent note beside the second picture.
  const unsigned char bytes[] = {
      'R', 'I', 'F', 'F', 44, 0, 0,    0,    'W',  'A',  'V',  'E',  'f',  'm',  't',  ' ', 16, 0,
      0,   0,   1,   0,   1,  0, 0x40, 0x1F, 0,    0,    0x40, 0x1F, 0,    0,    1,    0,   8,  0,
      'd', 'a', 't', 'a', 8,  0, 0,    0,    0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80, 0x80};
  const std::string wave(reinterpret_cast<const char*>(bytes), sizeof(bytes));
  Put(std::string(kFolder) + "snap0002.WAV", wave);
  platform::audio::ClearPlayed();
  StartShow(Manual());
  Key(platform::VK_RIGHT);
  bool played = false;
  for (const platform::audio::PlayedSound& sound : platform::audio::PlayedSounds())
    if (sound.name == std::string(kFolder) + "snap0002.WAV") played = true;
  EXPECT_TRUE(played);
}

TEST_F(SlideshowWindowTest, PicturesDeletedDuringTheShowLeaveItUsable) {
  PutPictures(3);
  StartShow(Manual());
  // Deleted by another program: the browser drops them on the shell's
  // notices while the show runs.
  Remove(Picture(1));
  Remove(Picture(2));
  Settle();
  Key(platform::VK_RIGHT);
  Key(platform::VK_RIGHT);
  EXPECT_EQ(Shown(), 0) << "one picture is left, and Right wraps to it";
  const std::size_t beeps = Beeps();
  Remove(Picture(0));
  Settle();
  Key(platform::VK_RIGHT);
  EXPECT_NE(Show(), nullptr) << "an emptied list leaves the show open";
  EXPECT_EQ(Beeps(), beeps + 1) << "a move in an empty list beeps";
  Key(platform::VK_ESCAPE);
  Settle();
  EXPECT_EQ(Show(), nullptr);
}

TEST(SlideButtonLayout, FollowsTheRotationOptions) {
  SlideshowOptions options;
  options.rotate_to_fit = 0;
  ButtonLayout plain = LayoutButtons(options, 240, 320);
  EXPECT_EQ(plain.bitmap, 100);
  EXPECT_EQ(plain.places[0], (platform::POINT{104, 280}));
  EXPECT_EQ(plain.places[4], (platform::POINT{8, 280}));
  options.rotate_to_fit = 1;
  options.rotate_direction = 1;
  ButtonLayout clockwise = LayoutButtons(options, 240, 320);
  EXPECT_EQ(clockwise.bitmap, 101);
  EXPECT_EQ(clockwise.places[1], (platform::POINT{8, 216}));
  EXPECT_EQ(ButtonImage(kButtonPlay, false, clockwise, true), 5);
  options.rotate_direction = 0;
  ButtonLayout counter = LayoutButtons(options, 240, 320);
  EXPECT_EQ(counter.bitmap, 102);
  EXPECT_EQ(counter.places[3], (platform::POINT{200, 8}));
  EXPECT_EQ(counter.places[4], (platform::POINT{200, 280}));
  EXPECT_EQ(ButtonImage(kButtonPlay, false, counter, false), 2);
  EXPECT_EQ(ButtonImage(kButtonPause, true, counter, true), 3);
}

}  // namespace
}  // namespace gallery
