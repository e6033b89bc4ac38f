// The voice-note naming rule and when a note counts as there.
#include "gallery/file_types/voice_note.h"

#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/testing/temp_handheld.h"

namespace gallery {
namespace {

TEST(VoiceNotePathTest, TheLastThreeCharactersBecomeWavAfterADot) {
  EXPECT_EQ(VoiceNotePath("\\a\\b.jpg"), "\\a\\b.WAV");
  EXPECT_EQ(VoiceNotePath("\\My Documents\\IMG_0001.JPG"), "\\My Documents\\IMG_0001.WAV");
  EXPECT_EQ(VoiceNotePath("x.png"), "x.WAV");
  // Only a three-character extension has a note.
  EXPECT_EQ(VoiceNotePath("\\a\\b.jpeg"), "");
  EXPECT_EQ(VoiceNotePath("\\a\\bjpg"), "");
  EXPECT_EQ(VoiceNotePath(".jp"), "");
  EXPECT_EQ(VoiceNotePath(""), "");
}

TEST(VoiceNotePathTest, ANoteIsThereOnlyAsAFile) {
  platform::testing::TempHandheld device;
  auto& files = device.handheld().files();
  ASSERT_TRUE(files.InstallFile("\\a.jpg", std::as_bytes(std::span("p", 1))));
  EXPECT_FALSE(HasVoiceNote("\\a.jpg"));
  ASSERT_TRUE(files.InstallFile("\\a.WAV", std::as_bytes(std::span("n", 1))));
  EXPECT_TRUE(HasVoiceNote("\\a.jpg"));
  ASSERT_TRUE(platform::CreateDirectory("\\b.WAV"));
  EXPECT_FALSE(HasVoiceNote("\\b.jpg"));
  EXPECT_FALSE(HasVoiceNote("\\c.jpeg"));
}

}  // namespace
}  // namespace gallery
