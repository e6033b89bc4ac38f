// PlaySound: files and WAVE resources, asynchronous or not, one at a time,
// and the default sound for a missing one.
#include "platform/sound.h"

#include <gtest/gtest.h>

#include "audio_test_helpers.h"
#include "platform/audio.h"
#include "platform/files.h"
#include "platform/modules.h"
#include "platform/resources.h"
#include "platform/testing/temp_handheld.h"
#include "platform/wav_file.h"

namespace platform {
namespace {

// A PCM WAV of `ms` milliseconds at 8,000 Hz, 16-bit mono.
std::vector<BYTE> Chime(std::uint64_t ms) {
  return BuildWav(PcmFormat(1, 8000, 16), 0, std::vector<BYTE>(ms * 16, 0x10));
}

class SoundTest : public ::testing::Test {
 protected:
  void Install(std::string_view path, const std::vector<BYTE>& wav) {
    ASSERT_TRUE(device_.handheld().files().InstallFile(path, std::as_bytes(std::span(wav))));
  }
  testing::TempHandheld device_;
};

TEST_F(SoundTest, AnAsynchronousSoundEndsByItself) {
  Install("\\Windows\\Infbeg.wav", Chime(300));
  const std::uint64_t start = clock::NowMs();
  EXPECT_TRUE(
      PlaySound("\\Windows\\Infbeg.wav", nullptr, SND_ASYNC | SND_FILENAME | SND_NODEFAULT));
  EXPECT_EQ(clock::NowMs(), start) << "asynchronous: the call returns at once";
  Sleep(1000);
  const auto sounds = audio::PlayedSounds();
  ASSERT_EQ(sounds.size(), 1u);
  EXPECT_EQ(sounds[0].name, "\\Windows\\Infbeg.wav");
  EXPECT_EQ(sounds[0].end_ms - sounds[0].start_ms, 300u);
  EXPECT_FALSE(sounds[0].stopped);
}

TEST_F(SoundTest, ASynchronousSoundReturnsWhenItHasPlayed) {
  Install("\\Windows\\Infend.wav", Chime(250));
  const std::uint64_t start = clock::NowMs();
  EXPECT_TRUE(PlaySound("\\Windows\\Infend.wav", nullptr, SND_SYNC | SND_FILENAME));
  EXPECT_EQ(clock::NowMs() - start, 250u);
}

TEST_F(SoundTest, ASecondSoundStopsTheFirstAndAnEmptyNameStopsAll) {
  Install("\\Windows\\long.wav", Chime(2000));
  PlaySound("\\Windows\\long.wav", nullptr, SND_ASYNC | SND_FILENAME);
  Sleep(100);
  PlaySound("\\Windows\\long.wav", nullptr, SND_ASYNC | SND_FILENAME);
  Sleep(100);
  EXPECT_FALSE(PlaySound("\\Windows\\long.wav", nullptr, SND_ASYNC | SND_FILENAME | SND_NOSTOP))
      << "SND_NOSTOP leaves the playing sound alone";
  PlaySound("", nullptr, 0);
  const auto sounds = audio::PlayedSounds();
  ASSERT_EQ(sounds.size(), 2u);
  EXPECT_TRUE(sounds[0].stopped);
  EXPECT_EQ(sounds[0].end_ms - sounds[0].start_ms, 100u);
  EXPECT_TRUE(sounds[1].stopped);
}

TEST_F(SoundTest, AMissingSoundPlaysTheDefaultUnlessToldNot) {
  EXPECT_FALSE(PlaySound("\\Windows\\none.wav", nullptr, SND_ASYNC | SND_FILENAME | SND_NODEFAULT));
  EXPECT_TRUE(audio::PlayedSounds().empty());
  EXPECT_TRUE(PlaySound("\\Windows\\none.wav", nullptr, SND_ASYNC | SND_FILENAME));
  const auto sounds = audio::PlayedSounds();
  ASSERT_EQ(sounds.size(), 1u);
  EXPECT_TRUE(sounds[0].default_sound);
  // A file that is not a WAVE file counts as missing.
  Install("\\Windows\\broken.wav", std::vector<BYTE>{'R', 'I', 'F', 'F', 1, 2});
  EXPECT_FALSE(PlaySound("\\Windows\\broken.wav", nullptr, SND_FILENAME | SND_NODEFAULT));
}

TEST_F(SoundTest, AModulesWaveResourcePlaysByName) {
  auto resources = std::make_shared<ModuleResources>();
  std::vector<BYTE> snap = Chime(120);
  resources->AddBinary(ResourceType::kWave, "SNAP", BinaryResource{snap, {}});
  HMODULE module =
      device_.handheld().modules().Register("\\Windows\\orsacap.exe", {{}, resources, {}});
  ASSERT_NE(module, nullptr);
  const std::string contents = "program";
  device_.handheld().files().InstallFile("\\Windows\\orsacap.exe",
                                         std::as_bytes(std::span(contents)));
  ASSERT_EQ(LoadLibrary("\\Windows\\orsacap.exe"), module);
  EXPECT_FALSE(PlaySound("zoomin", module, SND_RESOURCE | SND_ASYNC | SND_NODEFAULT));
  EXPECT_TRUE(PlaySound("snap", module, SND_RESOURCE | SND_ASYNC | SND_NODEFAULT));
  Sleep(50);
  // Like any call, a missing sound stops the one playing.
  EXPECT_FALSE(PlaySound("zoomout", module, SND_RESOURCE | SND_ASYNC | SND_NODEFAULT));
  const auto sounds = audio::PlayedSounds();
  ASSERT_EQ(sounds.size(), 1u);
  EXPECT_EQ(sounds[0].name, "snap");
  EXPECT_EQ(sounds[0].end_ms - sounds[0].start_ms, 50u);
  EXPECT_TRUE(sounds[0].stopped);
  EXPECT_TRUE(PlaySound("SNAP", module, SND_RESOURCE | SND_SYNC));
  EXPECT_EQ(audio::PlayedSounds().back().end_ms - audio::PlayedSounds().back().start_ms, 120u);
}

}  // namespace
}  // namespace platform
