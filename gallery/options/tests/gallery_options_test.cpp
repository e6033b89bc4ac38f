// The option records on a handheld's registry: exact layouts, byte-for-byte
// round trips, and defaults (rewritten) for values another program or a
// person damaged.
#include "gallery/options/gallery_options.h"

#include <gtest/gtest.h>

#include <vector>

#include "gallery/options/registry_accessor.h"
#include "platform/registry.h"
#include "platform/testing/temp_handheld.h"

namespace gallery {
namespace {

using platform::BYTE;
using platform::HKEY_CURRENT_USER;

constexpr char kSettingsPath[] = "SOFTWARE\\QX\\orsagal\\Settings";

std::vector<BYTE> Bytes(std::span<const std::byte> record) {
  std::vector<BYTE> bytes;
  for (std::byte b : record) bytes.push_back(std::to_integer<BYTE>(b));
  return bytes;
}

class GalleryOptionsTest : public ::testing::Test {
 protected:
  platform::Registry& registry() { return device_.handheld().registry(); }
  std::optional<std::vector<BYTE>> Stored(const char* name) {
    return registry().GetBinary(HKEY_CURRENT_USER, kSettingsPath, name);
  }
  void MarkCurrentVersion() {
    registry().SetString(HKEY_CURRENT_USER, kSettingsPath, "Version", kOptionsVersion);
  }

  platform::testing::TempHandheld device_;
};

TEST_F(GalleryOptionsTest, DefaultsAreWrittenInTheirExactLayouts) {
  ASSERT_TRUE(SaveGalleryOptions(GalleryOptions{}));
  EXPECT_EQ(Stored("General"), (std::vector<BYTE>{0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Stored("File"), (std::vector<BYTE>{0, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0}));
  // PCM, mono, 11025 Hz, 8 bit, then 16 bits of zero.
  EXPECT_EQ(Stored("Audio"), (std::vector<BYTE>{1, 0, 1, 0, 0x11, 0x2B, 0, 0, 8, 0, 0, 0}));
  EXPECT_EQ(Stored("Slideshow"),
            (std::vector<BYTE>{0, 0, 0, 0, 2, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0,
                               0, 0, 0, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
}

TEST_F(GalleryOptionsTest, EveryRecordRoundTripsByteForByte) {
  GalleryOptions options;
  options.general = {1, 0, 1};
  options.file = {kSortBySize, 0, 0, 1};
  options.audio = {kFormatPcm, 2, 44100, 16};
  options.slideshow = {kAdvanceRandom, 9999, 0, 1, 0, 1, 1, 0, 1, kRandomTransition};
  ASSERT_TRUE(SaveGalleryOptions(options));
  MarkCurrentVersion();
  const std::vector<BYTE> before[] = {*Stored("General"), *Stored("File"), *Stored("Audio"),
                                      *Stored("Slideshow")};
  OptionsLoadReport report;
  const GalleryOptions loaded = LoadGalleryOptions(&report);
  EXPECT_EQ(loaded, options);
  EXPECT_FALSE(report.version_replaced);
  EXPECT_EQ(report.records_damaged, 0);
  ASSERT_TRUE(SaveGalleryOptions(loaded));
  EXPECT_EQ(Stored("General"), before[0]);
  EXPECT_EQ(Stored("File"), before[1]);
  EXPECT_EQ(Stored("Audio"), before[2]);
  EXPECT_EQ(Stored("Slideshow"), before[3]);
  EXPECT_EQ(Bytes(EncodeSlideshow(loaded.slideshow)), before[3]);
}

TEST_F(GalleryOptionsTest, AnotherVersionIsDiscardedAsAWhole) {
  GalleryOptions options;
  options.file.sort_key = kSortByDate;
  ASSERT_TRUE(SaveGalleryOptions(options));
  registry().SetString(HKEY_CURRENT_USER, kSettingsPath, "Version", "v1.14.000");
  registry().SetDword(HKEY_CURRENT_USER, kSettingsPath, "Stale", 7);
  OptionsLoadReport report;
  EXPECT_EQ(LoadGalleryOptions(&report), GalleryOptions{});
  EXPECT_TRUE(report.version_replaced);
  EXPECT_EQ(registry().GetString(HKEY_CURRENT_USER, kSettingsPath, "Version"), kOptionsVersion);
  EXPECT_FALSE(registry().GetDword(HKEY_CURRENT_USER, kSettingsPath, "Stale"));
  EXPECT_FALSE(Stored("File"));
}

TEST_F(GalleryOptionsTest, DamagedValuesGiveDefaultsAndAreRewritten) {
  GalleryOptions options;
  options.general = {1, 0, 1};
  options.slideshow.interval_seconds = 30;
  ASSERT_TRUE(SaveGalleryOptions(options));
  MarkCurrentVersion();
  // One value of each kind of damage: too short, too long, another type,
  // and contents no page could have stored.
  registry().SetBinary(HKEY_CURRENT_USER, kSettingsPath, "General", std::vector<BYTE>{1, 2, 3});
  registry().SetBinary(HKEY_CURRENT_USER, kSettingsPath, "File", std::vector<BYTE>(64, 0xFF));
  registry().SetString(HKEY_CURRENT_USER, kSettingsPath, "Audio", "PCM");
  std::array<std::byte, kSlideshowRecordSize> slideshow = EncodeSlideshow(options.slideshow);
  slideshow[36] = std::byte{40};  // transition 40
  registry().SetBinary(HKEY_CURRENT_USER, kSettingsPath, "Slideshow", Bytes(slideshow));

  OptionsLoadReport report;
  EXPECT_EQ(LoadGalleryOptions(&report), GalleryOptions{});
  EXPECT_EQ(report.records_damaged, 4);
  EXPECT_EQ(Stored("General"), Bytes(EncodeGeneral({})));
  EXPECT_EQ(Stored("File"), Bytes(EncodeFile({})));
  EXPECT_EQ(Stored("Audio"), Bytes(EncodeAudio({})));
  EXPECT_EQ(Stored("Slideshow"), Bytes(EncodeSlideshow({})));
}

TEST_F(GalleryOptionsTest, MissingValuesKeepTheirDefaultsWithoutBeingWritten) {
  MarkCurrentVersion();
  OptionsLoadReport report;
  EXPECT_EQ(LoadGalleryOptions(&report), GalleryOptions{});
  EXPECT_EQ(report.records_damaged, 0);
  EXPECT_FALSE(Stored("General"));
}

TEST(AudioFormatsTest, OnlyTheRecordersFormatsAreOffered) {
  EXPECT_TRUE(IsOfferedAudioFormat({}));
  EXPECT_TRUE(IsOfferedAudioFormat(kGsmAudio));
  EXPECT_TRUE(IsOfferedAudioFormat({kFormatPcm, 2, 22050, 16}));
  EXPECT_FALSE(IsOfferedAudioFormat({kFormatPcm, 3, 22050, 16}));
  EXPECT_FALSE(IsOfferedAudioFormat({kFormatPcm, 1, 12345, 8}));
  EXPECT_FALSE(IsOfferedAudioFormat({kFormatGsm610, 1, 8000, 8}));
  EXPECT_FALSE(IsOfferedAudioFormat({2, 1, 8000, 8}));
}

TEST_F(GalleryOptionsTest, TheAccessorRefusesOverlongNamesAndDeletesItsSubkey) {
  const RegistryAccessor too_long(HKEY_CURRENT_USER, std::string(257, 'k'));
  EXPECT_FALSE(too_long.WriteString("Path", "x"));
  const RegistryAccessor long_subkey(HKEY_CURRENT_USER, kGalleryKey, std::string(65, 's'));
  EXPECT_FALSE(long_subkey.WriteNumber("n", 1));

  const RegistryAccessor settings(HKEY_CURRENT_USER, kGalleryKey, kSettingsSubkey);
  ASSERT_TRUE(settings.WriteNumber("n", 5));
  EXPECT_EQ(settings.ReadNumber("n"), 5u);
  EXPECT_FALSE(settings.ReadString("n"));
  ASSERT_TRUE(settings.DeleteSubkey());
  EXPECT_FALSE(settings.ReadNumber("n"));
  EXPECT_TRUE(registry().KeyExists(HKEY_CURRENT_USER, kGalleryKey));
}

}  // namespace
}  // namespace gallery
