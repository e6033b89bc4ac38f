// A hundred clips in a row, as a person starting and stopping without a
// pause: every thread ends each time (the sanitizer builds watch for leaks
// and races), and every clip is whole and playable.
#include <gtest/gtest.h>

#include "camera/settings/camera_settings.h"
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
    char name[16];
    std::snprintf(name, sizeof name, "m%04d.avi", i + 1);
    const std::string clip = std::string(kClipFolder) + name;
    EXPECT_EQ(boxes[i].request.text, clip + " is saved!");
    if (HavePeers()) {
      EXPECT_EQ(DecodeErrors(clip), "") << clip;
    }
  }
}

}  // namespace
}  // namespace camera::testing
