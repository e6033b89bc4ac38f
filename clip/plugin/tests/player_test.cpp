// The player on the virtual clock, driven as a person drives it: frames at
// the clip's period, the end wrapping back to the first frame, pause and
// stop with their button images, the slider, and the sound played to the
// null device in the clip's order with silence after it.
#include <cmath>
#include <functional>

#include "avi_builder.h"
#include "frame_decoder.h"
#include "platform/audio.h"
#include "platform/common_controls/trackbar.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/gdi_png.h"
#include "platform/input.h"
#include "platform/screen.h"
#include "platform/time.h"
#include "platform/window.h"
#include "player_layout.h"
#include "player_window.h"
#include "plugin_fixture.h"

namespace clip::testing {
namespace {

using namespace clip::player;
using platform::HWND;

class PlayerTest : public PluginTest {
 protected:
  // Plays `path` on this thread while `person` acts once the window waits.
  void PlayWhile(const std::string& path, std::function<void()> person) {
    platform::ThreadHandle thread = platform::CreateThread([this, person]() -> DWORD {
      for (int i = 0; i < 100 && !Player(); ++i) platform::Sleep(10);
      platform::Sleep(50);
      person();
      if (HWND player = Player()) platform::PostMessage(player, platform::WM_CLOSE, 0, 0);
      return 0;
    });
    EXPECT_TRUE(display_(path.c_str()));
    platform::WaitForSingleObject(thread, platform::INFINITE);
  }

  static HWND Player() { return platform::FindWindow(platform::WC_DIALOG, kPlayerCaption); }
  static HWND Slider() { return platform::GetDlgItem(Player(), kSliderId); }
  static DWORD SliderPosition() {
    return static_cast<DWORD>(platform::SendMessage(Slider(), platform::TBM_GETPOS, 0, 0));
  }

  static void Tap(Button button) {
    const platform::RECT& r = kButtonRects[button];
    const int x = (r.left + r.right) / 2;
    const int y = (r.top + r.bottom) / 2 + kWindowRect.top;
    platform::input::StylusDown(x, y);
    platform::input::StylusUp(x, y);
    platform::Sleep(1);
  }

  static void MoveSlider(DWORD position) {
    platform::SendMessage(Slider(), platform::TBM_SETPOS, platform::TRUE, position);
    platform::SendMessage(Player(), platform::WM_HSCROLL,
                          platform::MAKEWPARAM(platform::TB_THUMBPOSITION, position),
                          reinterpret_cast<platform::LPARAM>(Slider()));
  }

  // Which of its three images each button shows on the screen.
  static std::array<int, kButtonCount> ButtonStates() {
    platform::Sleep(5);  // lets the window paint
    const platform::gdi::Surface& screen = platform::screen::Compose();
    std::array<int, kButtonCount> states{};
    for (int b = 0; b < kButtonCount; ++b) {
      double best = 1e9;
      for (ButtonState s : {kHeld, kInactive, kActive}) {
        const std::optional<platform::gdi::Surface> image =
            platform::gdi::ReadPng(std::filesystem::path(ORSA_CLIP_RESOURCES) / "bitmaps" /
                                   (std::to_string(ButtonBitmap(Button(b), s)) + ".png"));
        double difference = 0;
        for (int y = 0; y < image->height(); ++y) {
          for (int x = 0; x < image->width(); ++x) {
            const platform::COLORREF want = image->GetPixel(x, y);
            const platform::COLORREF got = screen.GetPixel(
                kButtonRects[b].left + x, kButtonRects[b].top + kWindowRect.top + y);
            difference += std::abs(platform::GetRValue(want) - platform::GetRValue(got)) +
                          std::abs(platform::GetGValue(want) - platform::GetGValue(got));
          }
        }
        if (difference < best) {
          best = difference;
          states[b] = s;
        }
      }
    }
    return states;
  }

  // The pixels the screen shows in the wide picture area equal the codec's
  // decode of `frame`.
  static bool PictureShows(const std::vector<std::uint8_t>& frame) {
    platform::Sleep(5);
    const std::vector<std::uint8_t> decoded = CodecDecode(frame, kMode240x180Rgb565);
    const platform::gdi::Surface& screen = platform::screen::Compose();
    for (int y = 0; y < 180; y += 7) {
      for (int x = 0; x < 240; x += 5) {
        if (screen.GetPixel(x, y + kWindowRect.top) !=
            DecodedPixel(decoded, kMode240x180Rgb565, x, y)) {
          return false;
        }
      }
    }
    return true;
  }

  // When (ms after the play tap) the slider reached each position, watched
  // for `duration_ms`.
  static std::map<DWORD, std::uint64_t> WatchSlider(std::uint64_t start,
                                                    std::uint64_t duration_ms) {
    std::map<DWORD, std::uint64_t> reached;
    while (platform::clock::NowMs() - start < duration_ms) {
      const DWORD position = SliderPosition();
      if (!reached.contains(position)) reached[position] = platform::clock::NowMs() - start;
      platform::Sleep(1);
    }
    return reached;
  }
};

constexpr std::array<int, 3> kIdle = {kActive, kInactive, kInactive};
constexpr std::array<int, 3> kPlaying = {kInactive, kActive, kActive};
constexpr std::array<int, 3> kPausedStates = {kActive, kInactive, kActive};

TEST_F(PlayerTest, FramesFollowTheClipsPeriodAndTheEndWrapsToTheFirstFrameIdle) {
  struct Case {
    int frames;
    std::uint64_t period;
  };
  for (const Case c : {Case{8, 125}, Case{15, 66}}) {
    SCOPED_TRACE(c.period);
    Record("\\clip.avi", FramesPlan(320, 240, c.frames));
    std::map<DWORD, std::uint64_t> reached;
    std::array<int, 3> before{}, during{}, after{};
    DWORD end_position = 0;
    PlayWhile("\\clip.avi", [&] {
      before = ButtonStates();
      const std::uint64_t start = platform::clock::NowMs();
      Tap(kPlay);
      during = ButtonStates();
      reached = WatchSlider(start, c.period * c.frames + c.period / 2);
      platform::Sleep(static_cast<DWORD>(c.period));
      end_position = SliderPosition();
      after = ButtonStates();
    });
    EXPECT_EQ(before, kIdle);
    EXPECT_EQ(during, kPlaying);
    for (DWORD n = 2; n <= static_cast<DWORD>(c.frames); ++n) {
      ASSERT_TRUE(reached.contains(n)) << n;
      // Watched every millisecond: within one of the tick.
      EXPECT_NEAR(static_cast<double>(reached[n]), static_cast<double>(c.period * n), 1.0)
          << "frame " << n;
    }
    EXPECT_EQ(end_position, 1u);
    EXPECT_EQ(after, kIdle);
  }
}

TEST_F(PlayerTest, PauseKeepsThePlaceAndStopGoesBackToTheStart) {
  Record("\\clip.avi", FramesPlan(320, 240, 8));
  std::array<int, 3> paused{}, stopped{};
  DWORD at_pause = 0, after_wait = 0, at_stop = 0, resumed = 0;
  PlayWhile("\\clip.avi", [&] {
    Tap(kPlay);
    platform::Sleep(3 * 125 + 20);
    Tap(kPause);
    paused = ButtonStates();
    at_pause = SliderPosition();
    platform::Sleep(500);
    after_wait = SliderPosition();
    Tap(kPlay);
    platform::Sleep(125 + 10);
    resumed = SliderPosition();
    Tap(kStop);
    stopped = ButtonStates();
    platform::Sleep(300);
    at_stop = SliderPosition();
  });
  EXPECT_EQ(at_pause, 3u);
  EXPECT_EQ(after_wait, 3u);
  EXPECT_EQ(paused, kPausedStates);
  EXPECT_EQ(resumed, 3u) << "play starts again at the slider's frame";
  EXPECT_EQ(stopped, kIdle);
  EXPECT_EQ(at_stop, 1u);
}

TEST_F(PlayerTest, TheSliderShowsItsFrameAndPlayGoesOnFromThere) {
  Record("\\clip.avi", FramesPlan(320, 240, 8));
  bool first = false, fifth = false;
  DWORD next = 0;
  PlayWhile("\\clip.avi", [&] {
    first = PictureShows(CameraFrame(320, 240, 0));
    MoveSlider(5);
    fifth = PictureShows(CameraFrame(320, 240, 4));
    Tap(kPlay);
    platform::Sleep(125 + 10);
    next = SliderPosition();
  });
  EXPECT_TRUE(first);
  EXPECT_TRUE(fifth);
  EXPECT_EQ(next, 5u);
}

class PlayerSoundTest : public PlayerTest {
 protected:
  // Frames and sound chunks alternate: V1 A1 V2 A2 ...
  ClipPlan SoundPlan(int frames, int chunks) {
    ClipPlan plan = FramesPlan(320, 240, 0);
    plan.audio = true;
    for (int i = 0; i < frames; ++i) {
      plan.items.push_back({kQueueVideo, CameraFrame(320, 240, i)});
      if (i < chunks) {
        chunks_.push_back(recording::testing::Pattern(recording::kAudioBlockBytes, i + 1));
        plan.items.push_back({kQueueAudio, chunks_.back()});
      }
    }
    return plan;
  }

  static std::vector<std::uint8_t> Played() {
    std::vector<std::uint8_t> all;
    for (const platform::audio::PlayedBuffer& buffer : platform::audio::PlayedBuffers()) {
      all.insert(all.end(), buffer.data.begin(), buffer.data.end());
    }
    return all;
  }

  std::vector<std::vector<std::uint8_t>> chunks_;
};

TEST_F(PlayerSoundTest, TheSoundIsTheClipsChunksInOrderThenSilence) {
  Record("\\clip.avi", SoundPlan(8, 8));
  PlayWhile("\\clip.avi", [&] {
    Tap(kPlay);
    platform::Sleep(4000);
  });
  std::vector<std::uint8_t> expected;
  for (const auto& chunk : chunks_) expected.insert(expected.end(), chunk.begin(), chunk.end());
  const std::vector<std::uint8_t> played = Played();
  ASSERT_GT(played.size(), expected.size());
  EXPECT_TRUE(std::equal(expected.begin(), expected.end(), played.begin()));
  EXPECT_TRUE(std::all_of(played.begin() + expected.size(), played.end(), [](std::uint8_t b) {
    return b == 0;
  })) << "the closing rounds are silence, not the last chunk again";
  EXPECT_EQ(played.size() - expected.size(), 13u * recording::kAudioBlockBytes);
}

TEST_F(PlayerSoundTest, SeekingWhileTheFeederReadsResumesTheSoundAfterThatFrame) {
  Record("\\clip.avi", SoundPlan(8, 8));
  PlayWhile("\\clip.avi", [&] {
    Tap(kPlay);
    for (DWORD n = 1; n <= 6; ++n) {
      MoveSlider(n);
      platform::Sleep(3);
    }
    platform::Sleep(4000);
  });
  // Whatever order the seeks and reads met in, every block played is one of
  // the clip's or silence.
  const std::vector<std::uint8_t> played = Played();
  ASSERT_FALSE(played.empty());
  for (std::size_t at = 0; at + 320 <= played.size(); at += 320) {
    const std::span<const std::uint8_t> block(played.data() + at, 320);
    bool known = std::all_of(block.begin(), block.end(), [](std::uint8_t b) { return b == 0; });
    for (const auto& chunk : chunks_) {
      for (std::size_t part = 0; part < chunk.size(); part += 320) {
        known = known || std::equal(block.begin(), block.end(), chunk.begin() + part);
      }
    }
    EXPECT_TRUE(known) << "block at " << at;
  }
}

TEST_F(PlayerSoundTest, AClipWithOneSoundChunkPlaysSilently) {
  Record("\\clip.avi", SoundPlan(4, 1));
  PlayWhile("\\clip.avi", [&] {
    Tap(kPlay);
    platform::Sleep(1500);
  });
  EXPECT_TRUE(platform::audio::PlayedBuffers().empty());
}

TEST_F(PlayerSoundTest, WithoutADeviceForTheFormatTheClipPlaysSilently) {
  platform::audio::SetFormatFilter(
      [](bool, platform::UINT, const platform::WAVEFORMATEX&) { return false; });
  Record("\\clip.avi", SoundPlan(8, 8));
  DWORD position = 0;
  PlayWhile("\\clip.avi", [&] {
    Tap(kPlay);
    platform::Sleep(4 * 125 + 10);
    position = SliderPosition();
  });
  platform::audio::SetFormatFilter(nullptr);
  EXPECT_EQ(position, 4u);
  EXPECT_TRUE(platform::audio::PlayedBuffers().empty());
}

TEST_F(PlayerTest, AFileThatCannotBeOpenedIsToldAndTheEntryStillAnswersOne) {
  EXPECT_TRUE(display_("\\absent.avi"));
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].request.text, "Can't play this format AVI file.");
  EXPECT_EQ(boxes[0].request.caption, "Tarvolen");
  EXPECT_EQ(boxes[0].request.icon(), platform::MB_ICONERROR);
}

TEST_F(PlayerTest, AStreamRateOfZeroPlaysAtTheMainHeadersPeriod) {
  // A damaged stream header with rate 0: the period comes from the main
  // header (100 ms) instead of a division by zero.
  const Bytes first = Chunk("00dc", CameraFrame(320, 240, 0));
  const Bytes second = Chunk("00dc", CameraFrame(320, 240, 1));
  const auto size = [](const Bytes& chunk) { return static_cast<std::uint32_t>(chunk.size() - 8); };
  const Bytes file = List(
      "AVI ",
      {List("hdrl",
            {MainHeader(100'000, 2, 320, 240), List("strl", {StreamHeader("vids", 1'000'000, 0)})}),
       List("movi", {first, second}),
       Index({{"00dc", 0x10, 4, size(first)},
              {"00dc", 0x10, static_cast<std::uint32_t>(4 + first.size()), size(second)}})},
      "RIFF");
  device_.handheld().files().InstallFile("\\rate0.avi", std::as_bytes(std::span(file)));
  std::map<DWORD, std::uint64_t> reached;
  PlayWhile("\\rate0.avi", [&] {
    const std::uint64_t start = platform::clock::NowMs();
    Tap(kPlay);
    reached = WatchSlider(start, 250);
  });
  ASSERT_TRUE(reached.contains(2));
  EXPECT_NEAR(static_cast<double>(reached[2]), 200.0, 1.0);
}

TEST_F(PlayerTest, TheHelpSpotShowsTheVersion) {
  Record("\\clip.avi", FramesPlan(160, 120, 2));
  PlayWhile("\\clip.avi", [&] {
    platform::input::StylusDown(kHelpSpot.x + 3, kHelpSpot.y + kWindowRect.top);
    platform::input::StylusUp(kHelpSpot.x + 3, kHelpSpot.y + kWindowRect.top);
    platform::Sleep(20);
  });
  const auto boxes = Boxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].request.caption, "HELP");
  EXPECT_TRUE(boxes[0].request.text.starts_with("Tarvolen\nVer 1.20\n"));
}

}  // namespace
}  // namespace clip::testing
