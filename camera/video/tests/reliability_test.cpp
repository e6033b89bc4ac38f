// A hundred clips in a row, as a person starting and stopping without a
// pause: every thread ends each time (the sanitizer builds watch for leaks
// and races), and every clip is saved whole.
#include <gtest/gtest.h>

#include "camera/settings/camera_settings.h"
#include "recording_testing/file_bytes.h"
#include "video_fixture.h"

namespace camera::testing {
namespace {

class ReliabilityTest : public VideoTest {};

TEST_F(ReliabilityTest, AHundredClipsInARowAreEachSavedWholeAndPlayable) {
  constexpr int kClips = 100;
  for (int i = 0; i < kClips; ++i) {
    // Lengths around the writer's first look at its queue, and a little
    // beyond.
    Record(1'050 + static_cast<std::uint64_t>(i % 4) * 170);
    ASSERT_FALSE(recorder_.recording());
  }
  EXPECT_EQ(Settings().avino, kClips + 1);
  const std::vector<platform::MessageBoxRecord> boxes = Boxes();
  ASSERT_EQ(boxes.size(), static_cast<std::size_t>(kClips));
  for (int i = 0; i < kClips; ++i) {
    const std::string clip = Clip(i + 1);
    EXPECT_EQ(boxes[i].request.text, clip + " is saved!");
    // Whole: the RIFF size covers the file, and the index follows the
    // last chunk of the movi list.
    const std::vector<std::uint8_t> file = recording::testing::ReadHandheldFile(clip);
    ASSERT_GT(file.size(), 4'096u) << clip;
    EXPECT_EQ(recording::testing::Le32At(file, 4), file.size() - 8) << clip;
    const std::size_t movi_end = 2'044 + recording::testing::Le32At(file, 2'040);
    EXPECT_EQ(recording::testing::TextAt(file, movi_end + (movi_end & 1)), "idx1") << clip;
    // Every tenth is decoded whole by ffmpeg (a hundred would outlast the
    // suite's time limit on a busy machine).
    if (HavePeers() && i % 10 == 9) {
      EXPECT_EQ(DecodeErrors(clip), "") << clip;
    }
  }
}

}  // namespace
}  // namespace camera::testing
