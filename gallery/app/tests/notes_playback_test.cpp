// Auto-play: a picture that becomes current plays its voice note when the
// General option asks for it; a picture without one stops what plays.
#include <gtest/gtest.h>

#include "gallery/file_types/voice_note.h"
#include "gallery/options/gallery_options.h"
#include "gallery/options/registry_accessor.h"
#include "platform/audio.h"
#include "platform/wav_file.h"
#include "view_fixture.h"

namespace gallery {
namespace {

constexpr char kWithNote[] = "\\My Documents\\a.jpg";
constexpr char kWithout[] = "\\My Documents\\b.jpg";  // current at start (the last listed)

class NotesPlaybackTest : public testing::ViewFixture {
 protected:
  NotesPlaybackTest() {
    Put(kWithNote, testing::SmallJpegFile());
    Put(kWithout, testing::SmallJpegFile());
    const std::vector<platform::BYTE> samples(8000, 0x80);  // 1 s
    const auto wav = platform::BuildWav(platform::PcmFormat(1, 8000, 8), 0, samples);
    Put(VoiceNotePath(kWithNote), std::string(wav.begin(), wav.end()));
  }
  void AutoPlay(bool on) {
    GalleryOptions options = OneFolderOptions();
    options.general.auto_play_voice_note = on ? 1 : 0;
    SaveOptions(options);
  }
  void MakeCurrent(int index) {
    platform::PostMessage(Browser(), kMessageMakeCurrent, static_cast<platform::WPARAM>(index), 0);
    platform::Sleep(100);
  }
  static std::vector<platform::audio::PlayedSound> NotesPlayed() {
    std::vector<platform::audio::PlayedSound> notes;
    for (const auto& sound : platform::audio::PlayedSounds()) {
      if (sound.name == VoiceNotePath(kWithNote)) notes.push_back(sound);
    }
    return notes;
  }
};

TEST_F(NotesPlaybackTest, ThePicturesNotePlaysAndAPictureWithoutOneStopsIt) {
  AutoPlay(true);
  const auto gallery = Start(kWithout);
  platform::audio::ClearPlayed();
  MakeCurrent(0);
  auto played = NotesPlayed();
  ASSERT_EQ(played.size(), 1u);
  EXPECT_FALSE(played[0].default_sound);
  EXPECT_EQ(played[0].end_ms, 0u) << "still playing";
  MakeCurrent(1);
  played = NotesPlayed();
  ASSERT_EQ(played.size(), 1u);
  EXPECT_TRUE(played[0].stopped);
  Close(gallery);
}

TEST_F(NotesPlaybackTest, WithTheOptionOffNothingPlays) {
  AutoPlay(false);
  const auto gallery = Start(kWithout);
  platform::audio::ClearPlayed();
  MakeCurrent(0);
  EXPECT_TRUE(NotesPlayed().empty());
  Close(gallery);
}

}  // namespace
}  // namespace gallery
