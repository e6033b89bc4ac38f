// The sound recorder on the virtual clock with the null wave input: the
// configuration rules, blocks in recording order for the write queue, the
// pause of a full ring and its resumption, a device that refuses the
// format, and a capture thread that does not stop.
#include "camera/video/wave_recorder.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstring>
#include <mutex>
#include <optional>
#include <utility>
#include <vector>

#include "platform/audio.h"
#include "platform/testing/temp_handheld.h"
#include "platform/time.h"

namespace camera {
namespace {

using platform::DWORD;

// The microphone hears a ramp: sample i has the value i (mod 2^16), so
// every sample tells where it came from.
platform::audio::InputSignal Ramp() {
  return [](std::uint64_t index, DWORD) { return static_cast<std::int16_t>(index & 0xFFFF); };
}

// How far the ramp went from one sample to the next.
int Step(std::int16_t from, std::int16_t to) {
  return static_cast<std::uint16_t>(static_cast<std::uint16_t>(to) -
                                    static_cast<std::uint16_t>(from));
}

std::vector<std::int16_t> Samples(const std::vector<std::uint8_t>& bytes) {
  std::vector<std::int16_t> samples(bytes.size() / 2);
  std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
  return samples;
}

class WaveRecorderTest : public ::testing::Test {
 protected:
  WaveRecorderTest() { platform::audio::SetInputSignal(Ramp()); }

  // The recorder's own configuration, with the statuses noted.
  int ConfigureAsTheRecorder(recording::WriteQueue* queue) {
    return recorder_.Configure(
        [this](DWORD status) {
          std::lock_guard lock(statuses_mutex_);
          statuses_.push_back(status);
        },
        0, kWaveBufferCount, kWaveBufferBytes, 1, 8000, 16, queue);
  }
  std::vector<DWORD> Statuses() {
    std::lock_guard lock(statuses_mutex_);
    return statuses_;
  }

  platform::testing::TempHandheld device_;
  std::mutex statuses_mutex_;
  std::vector<DWORD> statuses_;
  WaveRecorder recorder_;
};

TEST_F(WaveRecorderTest, ConfigureRefusesWhatTheDeviceCannotRecordOrTheRingCannotHold) {
  struct Case {
    int priority, count, size, channels;
    DWORD rate;
    int bits;
  };
  const Case refused[] = {{8, 64, 320, 1, 8000, 16}, {0, 15, 320, 1, 8000, 16},
                          {0, 64, 79, 1, 8000, 16},  {0, 64, 320, 3, 8000, 16},
                          {0, 64, 320, 0, 8000, 16}, {0, 64, 320, 1, 16000, 16},
                          {0, 64, 320, 1, 8000, 12}, {-1, 64, 320, 1, 8000, 16}};
  for (const Case& c : refused) {
    WaveRecorder recorder;
    EXPECT_EQ(recorder.Configure(nullptr, c.priority, c.count, c.size, c.channels, c.rate, c.bits,
                                 nullptr),
              0)
        << c.priority << " " << c.count << " " << c.size << " " << c.channels << " " << c.rate
        << " " << c.bits;
    EXPECT_FALSE(recorder.configured());
  }
  WaveRecorder stereo;
  ASSERT_EQ(stereo.Configure(nullptr, 7, 16, 80, 2, 44100, 8, nullptr), 1);
  EXPECT_EQ(stereo.format().nBlockAlign, 2);
  EXPECT_EQ(stereo.format().nAvgBytesPerSec, 88200u);
  EXPECT_EQ(stereo.Configure(nullptr, 0, 64, 320, 1, 8000, 16, nullptr), 0) << "configured once";
}

TEST_F(WaveRecorderTest, TheRecordersFormatIsSixteenBitMonoPcm) {
  ASSERT_EQ(ConfigureAsTheRecorder(nullptr), 1);
  const platform::WAVEFORMATEX& format = recorder_.format();
  EXPECT_EQ(format.wFormatTag, platform::WAVE_FORMAT_PCM);
  EXPECT_EQ(format.nChannels, 1);
  EXPECT_EQ(format.nSamplesPerSec, 8000u);
  EXPECT_EQ(format.nAvgBytesPerSec, 16000u);
  EXPECT_EQ(format.nBlockAlign, 2);
  EXPECT_EQ(format.wBitsPerSample, 16);
  EXPECT_EQ(format.cbSize, 0);
}

TEST_F(WaveRecorderTest, BlocksOfFourBuffersReachTheQueueInRecordingOrder) {
  recording::WriteQueue queue;
  ASSERT_EQ(ConfigureAsTheRecorder(&queue), 1);
  ASSERT_EQ(recorder_.Start(), 1);
  platform::Sleep(2'000);
  recorder_.Stop();
  // 2 s at 16,000 bytes a second: 25 blocks of 1,280 bytes, give or take
  // the one being filled.
  EXPECT_GE(queue.Size(), 24u);
  EXPECT_LE(queue.Size(), 25u);
  std::int16_t expected = 0;
  while (std::optional<recording::QueuedBuffer> item = queue.Take()) {
    ASSERT_EQ(item->kind, recording::kQueueAudio);
    ASSERT_EQ(item->data.size(), 1280u);
    for (std::int16_t sample : Samples(item->data)) {
      ASSERT_EQ(sample, expected);
      expected = static_cast<std::int16_t>(expected + 1);
    }
  }
  EXPECT_FALSE(recorder_.configured()) << "a stop ends the configuration";
  for (DWORD status : Statuses()) EXPECT_EQ(status, kWaveBufferStored);
}

TEST_F(WaveRecorderTest, TheSoundEndsWithinHalfABlockOfTheStop) {
  // 2,050 ms: 25 blocks and 50 ms more, which go in padded with silence;
  // 2,030 ms: 30 ms more, which are dropped.
  for (const auto& [ms, blocks] : {std::pair<DWORD, std::size_t>{2'050, 26}, {2'030, 25}}) {
    SCOPED_TRACE(ms);
    recording::WriteQueue queue;
    WaveRecorder recorder;
    ASSERT_EQ(
        recorder.Configure(nullptr, 0, kWaveBufferCount, kWaveBufferBytes, 1, 8000, 16, &queue), 1);
    ASSERT_EQ(recorder.Start(), 1);
    platform::Sleep(ms);
    recorder.Stop();
    ASSERT_EQ(queue.Size(), blocks);
    std::optional<recording::QueuedBuffer> last;
    while (std::optional<recording::QueuedBuffer> item = queue.Take()) last = std::move(item);
    ASSERT_EQ(last->data.size(), 1280u);
    if (blocks == 26) {
      const std::vector<std::int16_t> samples = Samples(last->data);
      EXPECT_EQ(samples[399], static_cast<std::int16_t>(25 * 640 + 399)) << "50 ms of sound";
      EXPECT_EQ(samples[400], 0) << "then silence";
      EXPECT_EQ(samples[639], 0);
    }
  }
}

TEST_F(WaveRecorderTest, AFullRingPausesAndReadsResumeItWithTheSamplesInOrder) {
  ASSERT_EQ(ConfigureAsTheRecorder(nullptr), 1);
  ASSERT_EQ(recorder_.Start(), 1);
  // 64 buffers of 20 ms fill the ring in 1.28 s; nobody reads it.
  platform::Sleep(1'500);
  EXPECT_TRUE(recorder_.paused());
  std::vector<DWORD> statuses = Statuses();
  ASSERT_FALSE(statuses.empty());
  EXPECT_EQ(statuses.back(), kWaveRingFull);

  // Reading makes room: capture goes on, and the samples come in order.
  std::vector<std::int16_t> heard;
  for (int i = 0; i < 300; ++i) {
    std::vector<std::uint8_t> piece(kWaveBufferBytes);
    if (recorder_.ReadRing(piece.data(), piece.size()) == 1) {
      const std::vector<std::int16_t> samples = Samples(piece);
      heard.insert(heard.end(), samples.begin(), samples.end());
    }
    if (i % 2 == 1) platform::Sleep(20);
  }
  EXPECT_FALSE(recorder_.paused());
  recorder_.Stop();
  ASSERT_GT(heard.size(), 64u * 160u) << "capture went on after the pause";
  int gaps = 0;
  for (std::size_t i = 1; i < heard.size(); ++i) {
    const int step = Step(heard[i - 1], heard[i]);
    ASSERT_GE(step, 1) << "sample " << i << " repeated";
    ASSERT_LE(step, 2 * kWaveBufferBytes) << "sample " << i << " out of order";
    if (step != 1) ++gaps;
  }
  EXPECT_LE(gaps, 1) << "only the buffer dropped at the pause is missing";
}

TEST_F(WaveRecorderTest, NoDeviceTakingTheFormatFailsTheStartWithNothingLeftRunning) {
  platform::audio::SetFormatFilter(
      [](bool input, platform::UINT, const platform::WAVEFORMATEX&) { return !input; });
  ASSERT_EQ(ConfigureAsTheRecorder(nullptr), 1);
  EXPECT_EQ(recorder_.Start(), 0);
  EXPECT_EQ(recorder_.device(), nullptr);
  platform::audio::SetFormatFilter(nullptr);
  // Nothing half-started stands in the way of the next recording.
  ASSERT_EQ(ConfigureAsTheRecorder(nullptr), 1);
  EXPECT_EQ(recorder_.Start(), 1);
}

TEST_F(WaveRecorderTest, ACaptureThreadThatDoesNotStopIsEndedAndTheDeviceStillClosed) {
  platform::EventHandle never = platform::CreateEvent(true, false);
  std::atomic<bool> unwound{false};
  struct Unwinding {
    std::atomic<bool>& flag;
    ~Unwinding() { flag = true; }
  };
  ASSERT_EQ(recorder_.Configure(
                [&](DWORD) {
                  Unwinding unwinding{unwound};
                  platform::WaitForSingleObject(never, platform::INFINITE);
                },
                0, kWaveBufferCount, kWaveBufferBytes, 1, 8000, 16, nullptr),
            1);
  ASSERT_EQ(recorder_.Start(), 1);
  platform::Sleep(100);
  const platform::HWAVEIN device = recorder_.device();
  ASSERT_NE(device, nullptr);
  const std::uint64_t before = platform::clock::NowMs();
  recorder_.Stop();
  EXPECT_GE(platform::clock::NowMs() - before, 10'000u) << "it had its ten seconds";
  EXPECT_TRUE(unwound) << "the thread was unwound, not abandoned";
  EXPECT_EQ(recorder_.device(), nullptr);
  EXPECT_EQ(platform::WaveInClose(device), platform::MMSYSERR_INVALHANDLE) << "already closed";
}

TEST_F(WaveRecorderTest, AStopEndsCaptureAtOnce) {
  ASSERT_EQ(ConfigureAsTheRecorder(nullptr), 1);
  ASSERT_EQ(recorder_.Start(), 1);
  platform::Sleep(300);
  const std::uint64_t before = platform::clock::NowMs();
  recorder_.Stop();
  EXPECT_LT(platform::clock::NowMs() - before, 50u);
  EXPECT_EQ(recorder_.Start(), 0) << "not configured any more";
}

}  // namespace
}  // namespace camera
