// The free-space estimates: the reserve, the kilobytes per picture by still
// size, quality and zoom, and recording seconds without 32-bit wrap.
#include "camera/session/free_space.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "camera/session/camera_state.h"
#include "camera/settings/camera_settings.h"
#include "session_fixture.h"

namespace camera::testing {
namespace {

constexpr std::uint64_t kReserve = 2'097'152;

TEST(PicturesLeftFor, NothingUpToTheReserveThenWholePicturesOnly) {
  EXPECT_EQ(PicturesLeftFor(0, 50, 0), 0);
  EXPECT_EQ(PicturesLeftFor(kReserve, 50, 0), 0);
  EXPECT_EQ(PicturesLeftFor(kReserve + 1, 50, 0), 0);
  EXPECT_EQ(PicturesLeftFor(kReserve + 50 * 1024 - 1, 50, 0), 0);
  EXPECT_EQ(PicturesLeftFor(kReserve + 50 * 1024, 50, 0), 1);
  EXPECT_EQ(PicturesLeftFor(kReserve + 7 * 50 * 1024 + 3, 50, 0), 7);
}

TEST(PicturesLeftFor, EachQualityStepDoublesThePicture) {
  const std::uint64_t free_bytes = kReserve + 80 * 1024 * 8;
  EXPECT_EQ(PicturesLeftFor(free_bytes, 80, 0), 8);
  EXPECT_EQ(PicturesLeftFor(free_bytes, 80, 1), 4);
  EXPECT_EQ(PicturesLeftFor(free_bytes, 80, 2), 2);
}

// The formula as the product wraps in 32 bits.
std::uint32_t Wrapped(std::uint32_t free_bytes, std::uint32_t factor, std::uint32_t reserve,
                      std::uint32_t divisor) {
  return (factor * free_bytes - reserve) / divisor;
}

TEST(RecordingSecondsLeftFor, NothingUpToFourMegabytes) {
  EXPECT_EQ(RecordingSecondsLeftFor(4'194'304, 0), 0);
  EXPECT_EQ(RecordingSecondsLeftFor(4'194'304, 1), 0);
  EXPECT_EQ(RecordingSecondsLeftFor(4'194'305, 0), 0);
}

TEST(RecordingSecondsLeftFor, SmallVolumesKeepTheFormulasResults) {
  for (std::uint32_t free_bytes :
       {4'194'305u, 5'000'000u, 50'000'000u, 150'000'000u, 214'000'000u}) {
    EXPECT_EQ(RecordingSecondsLeftFor(free_bytes, 0),
              static_cast<int>(Wrapped(free_bytes, 18, 75'497'472, 844'800)))
        << free_bytes;
    EXPECT_EQ(RecordingSecondsLeftFor(free_bytes, 1),
              static_cast<int>(Wrapped(free_bytes, 20, 83'886'080, 563'200)))
        << free_bytes;
  }
}

TEST(RecordingSecondsLeftFor, LargeVolumesDoNotWrap) {
  const std::uint64_t free_bytes = 1'000'000'000;  // 18 x this passes 2^32
  const int expected = static_cast<int>((18 * free_bytes - 75'497'472) / 844'800);
  EXPECT_EQ(RecordingSecondsLeftFor(free_bytes, 0), expected);
  EXPECT_EQ(expected, 21'217);
  EXPECT_NE(static_cast<std::uint32_t>(expected),
            Wrapped(static_cast<std::uint32_t>(free_bytes), 18, 75'497'472, 844'800));
  // More space never gives fewer seconds.
  EXPECT_GT(RecordingSecondsLeftFor(4 * free_bytes, 1), RecordingSecondsLeftFor(free_bytes, 1));
}

class FreeSpaceOnHandheld : public SessionTest {};

TEST_F(FreeSpaceOnHandheld, KilobytesFollowResolutionThenTheZoomedStillSize) {
  const int expected[] = {80, 75, 50, 16};
  for (int resolution = 0; resolution < 4; ++resolution) {
    Settings().resolution = resolution;
    EXPECT_EQ(KilobytesPerPicture(), expected[resolution]);
  }
  Settings().resolution = 0;
  Camera().zoom_level = 1;
  Settings().zoomed_still_size = 2;
  EXPECT_EQ(KilobytesPerPicture(), 45);
  Settings().zoomed_still_size = 3;
  EXPECT_EQ(KilobytesPerPicture(), 16);
  Camera().zoom_level = 2;
  EXPECT_EQ(KilobytesPerPicture(), 16);
}

TEST_F(FreeSpaceOnHandheld, ReadsTheVolumeOfMyDocuments) {
  Settings().resolution = 2;
  Settings().imagequality = 1;
  SetFreeBytes(kReserve);
  EXPECT_EQ(PicturesLeft(), 0);
  SetFreeBytes(kReserve + 3 * 100 * 1024);
  EXPECT_EQ(PicturesLeft(), 3);
  Settings().aviresolution = 1;
  SetFreeBytes(10'000'000);
  EXPECT_EQ(RecordingSecondsLeft(), static_cast<int>((20ull * 10'000'000 - 83'886'080) / 563'200));
}

}  // namespace
}  // namespace camera::testing
