// The frame pump with frames of exact sizes: the room passed to the driver,
// the size limit, empty and broken frames, the review, the self-timer and
// the hand-off to a clip.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "camera/session/camera_session.h"
#include "camera/session/camera_state.h"
#include "camera/session/header_templates.h"
#include "camera/settings/camera_settings.h"
#include "driver/orsadrv.h"
#include "fake_sio_driver.h"
#include "preview_scan.h"
#include "session_fixture.h"

namespace camera::testing {
namespace {

class FramePumpTest : public SessionTest {
 protected:
  FramePumpTest() {
    Settings().aviresolution = 0;
    EXPECT_TRUE(Open());
    driver_.LoseStream();  // frames come when a test announces them
  }

  // One announced frame, handled with whatever it causes.
  void Deliver(std::vector<std::uint8_t> frame) {
    driver_.frame = std::move(frame);
    driver_.AnnounceFrame();
    Pump(5);
  }

  // The middle pixel of the decoded image, blue-green-red.
  platform::COLORREF DecodedMiddle() const {
    const std::vector<std::uint8_t>& image = Camera().decoded_image;
    const std::size_t at = (90 * 240 + 120) * 3;
    return platform::RGB(image[at + 2], image[at + 1], image[at]);
  }

  std::vector<ControlCall> FrameCalls() const {
    std::vector<ControlCall> calls;
    std::copy_if(driver_.calls.begin(), driver_.calls.end(), std::back_inserter(calls),
                 [](const ControlCall& c) { return c.code == orsadrv::IOCTL_SIO_GET_FRAME; });
    return calls;
  }

  FakeSioDriver driver_;
  const std::vector<std::uint8_t> scan_ = UniformScan(320, 240, 0x11, 30, 160, 220);
};

TEST_F(FramePumpTest, AsksForTheFrameWithTheRoomBehindTheHeader) {
  Deliver(scan_);
  const std::vector<ControlCall> calls = FrameCalls();
  ASSERT_EQ(calls.size(), 1u);
  EXPECT_EQ(calls[0].output_size, kJpegBufferBytes - kJpegHeaderBytes);
  EXPECT_EQ(calls[0].input, std::vector<std::uint8_t>(4, 0));
}

TEST_F(FramePumpTest, AFrameDecodesAndPaints) {
  const std::uint64_t paints = Camera().painted.paints;
  Deliver(scan_);
  EXPECT_TRUE(Near(DecodedMiddle(), platform::RGB(30, 160, 220), 6));
  EXPECT_GT(Camera().painted.paints, paints);
  EXPECT_TRUE(Near(PreviewPixel(120, 120), platform::RGB(30, 160, 220), 12));
}

TEST_F(FramePumpTest, TheLargestFrameDecodesAndOneByteMoreIsDropped) {
  Deliver(PaddedTo(scan_, 76'209));
  EXPECT_TRUE(Near(DecodedMiddle(), platform::RGB(30, 160, 220), 6));

  const std::uint64_t paints = Camera().painted.paints;
  Deliver(PaddedTo(UniformScan(320, 240, 0x11, 250, 250, 0), 76'210));
  EXPECT_TRUE(Near(DecodedMiddle(), platform::RGB(30, 160, 220), 6));
  EXPECT_EQ(Camera().painted.paints, paints);
  // The smaller one of the same picture is taken.
  Deliver(PaddedTo(UniformScan(320, 240, 0x11, 250, 250, 0), 76'209));
  EXPECT_TRUE(Near(DecodedMiddle(), platform::RGB(250, 250, 0), 6));
}

TEST_F(FramePumpTest, AnEmptyFrameChangesNothing) {
  Deliver(scan_);
  const std::uint64_t paints = Camera().painted.paints;
  Deliver({});
  EXPECT_EQ(Camera().painted.paints, paints);
  EXPECT_EQ(Camera().size_changed, 0);
}

TEST_F(FramePumpTest, AFrameThatDoesNotDecodeKeepsThePicture) {
  Deliver(scan_);
  std::vector<std::uint8_t> broken(5'000, 0xFF);
  broken[0] = 0x12;
  Deliver(broken);
  EXPECT_TRUE(Near(DecodedMiddle(), platform::RGB(30, 160, 220), 6));
}

TEST_F(FramePumpTest, EveryFrameMessageCounts) {
  Camera().frame_message_count = 0;
  Deliver({});
  Deliver(scan_);
  EXPECT_EQ(Camera().frame_message_count, 2u);
}

TEST_F(FramePumpTest, DuringAReviewFramesAreFetchedAndDropped) {
  Deliver(scan_);
  Settings().instant_review = 1;
  Camera().review_showing = true;
  Deliver(UniformScan(320, 240, 0x11, 250, 0, 0));
  EXPECT_TRUE(Near(DecodedMiddle(), platform::RGB(30, 160, 220), 6));
  const std::vector<ControlCall> calls = FrameCalls();
  EXPECT_EQ(calls.back().output_size, kJpegBufferBytes - kJpegHeaderBytes);
  EXPECT_TRUE(Camera().painted.review_hint);

  // Without instant review the flag alone does not hold frames back.
  Settings().instant_review = 0;
  Deliver(UniformScan(320, 240, 0x11, 250, 0, 0));
  EXPECT_TRUE(Near(DecodedMiddle(), platform::RGB(250, 0, 0), 8));
}

TEST_F(FramePumpTest, TheSelfTimerAdvancesWithEveryFrameWhileItRuns) {
  int steps = 0;
  Camera().hooks.self_timer_step = [&] { ++steps; };
  Deliver(scan_);
  EXPECT_EQ(steps, 0);
  Camera().self_timer_running = true;
  Deliver({});
  Deliver(scan_);
  EXPECT_EQ(steps, 2);
}

class RecordingHandOffTest : public FramePumpTest {
 protected:
  RecordingHandOffTest() {
    Camera().mode = CameraMode::kVideo;
    Camera().recording = true;
    Camera().clip_open = true;
    SetFreeBytes(100'000'000);
    Camera().hooks.append_video_frame = [this](const std::uint8_t* jpeg, std::size_t length) {
      appended_.emplace_back(jpeg, jpeg + length);
      return append_result_;
    };
  }
  std::vector<std::vector<std::uint8_t>> appended_;
  bool append_result_ = true;
};

TEST_F(RecordingHandOffTest, EachWholeImageGoesToTheClip) {
  Deliver(scan_);
  ASSERT_EQ(appended_.size(), 1u);
  ASSERT_EQ(appended_[0].size(), kJpegHeaderBytes + scan_.size());
  EXPECT_TRUE(
      std::equal(LargeHeaderTemplate().begin(), LargeHeaderTemplate().end(), appended_[0].begin()));
  EXPECT_TRUE(std::equal(scan_.begin(), scan_.end(), appended_[0].begin() + kJpegHeaderBytes));
}

TEST_F(RecordingHandOffTest, TinyImagesOfTheLargeStreamAreLeftOut) {
  std::vector<std::uint8_t> tiny(2'048 - kJpegHeaderBytes - 1, 0);
  Deliver(tiny);
  EXPECT_TRUE(appended_.empty());
  tiny.push_back(0);
  Deliver(tiny);
  EXPECT_EQ(appended_.size(), 1u);
}

TEST_F(RecordingHandOffTest, AWriteFailureAsksForTheStopOnce) {
  append_result_ = false;
  Deliver(scan_);
  EXPECT_TRUE(Camera().record_write_failed.load());
  EXPECT_EQ(toggle_posts_, 0);
  Deliver(scan_);
  Deliver(scan_);
  EXPECT_EQ(toggle_posts_, 1);
  EXPECT_EQ(appended_.size(), 1u);
}

TEST_F(RecordingHandOffTest, NoTimeLeftStopsTheClipInsteadOfAppending) {
  SetFreeBytes(4'194'304);
  Deliver(scan_);
  Deliver(scan_);
  EXPECT_TRUE(appended_.empty());
  EXPECT_EQ(toggle_posts_, 1);
}

}  // namespace
}  // namespace camera::testing
