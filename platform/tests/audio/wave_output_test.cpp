// Wave output on the virtual clock: buffers play in order, each done when
// its sound has been played; pause, restart, reset and volume.
#include <gtest/gtest.h>

#include "audio_test_helpers.h"
#include "platform/audio.h"
#include "platform/testing/temp_handheld.h"
#include "platform/wav_file.h"

namespace platform {
namespace {

using audio_testing::Collect;
using audio_testing::WaveBuffers;

class WaveOutputTest : public ::testing::Test {
 protected:
  HWAVEOUT Open() {
    const WAVEFORMATEX format = PcmFormat(1, 8000, 16);
    HWAVEOUT device = nullptr;
    EXPECT_EQ(WaveOutOpen(&device, 0, &format, GetCurrentThreadId(), 0, CALLBACK_THREAD),
              MMSYSERR_NOERROR);
    EXPECT_EQ(Collect(MM_WOM_OPEN, 1).size(), 1u);
    return device;
  }

  void Write(HWAVEOUT device, WaveBuffers& buffers) {
    for (std::size_t i = 0; i < buffers.headers.size(); ++i) {
      std::fill(buffers.data[i].begin(), buffers.data[i].end(), static_cast<char>(i + 1));
      WAVEHDR& header = buffers.headers[i];
      ASSERT_EQ(WaveOutPrepareHeader(device, &header, sizeof header), MMSYSERR_NOERROR);
      ASSERT_EQ(WaveOutWrite(device, &header, sizeof header), MMSYSERR_NOERROR);
    }
  }

  void Close(HWAVEOUT device, WaveBuffers& buffers) {
    for (WAVEHDR& header : buffers.headers) WaveOutUnprepareHeader(device, &header, sizeof header);
    EXPECT_EQ(WaveOutClose(device), MMSYSERR_NOERROR);
  }

  testing::TempHandheld device_;
};

TEST_F(WaveOutputTest, BuffersPlayInOrderAndEachIsReportedDoneWhenPlayed) {
  HWAVEOUT device = Open();
  WaveBuffers buffers(16, 320);
  const std::uint64_t start = clock::NowMs();
  Write(device, buffers);
  auto done = Collect(MM_WOM_DONE, 16);
  ASSERT_EQ(done.size(), 16u);
  for (std::size_t i = 0; i < done.size(); ++i) {
    EXPECT_EQ(done[i].header->dwUser, i);
    EXPECT_EQ(done[i].at_ms - start, 20 * (i + 1));
    EXPECT_TRUE(done[i].header->dwFlags & WHDR_DONE);
  }
  const std::vector<audio::PlayedBuffer> played = audio::PlayedBuffers();
  ASSERT_EQ(played.size(), 16u);
  for (std::size_t i = 0; i < played.size(); ++i) {
    EXPECT_EQ(played[i].start_ms - start, 20 * i) << "no gap between buffers";
    EXPECT_EQ(played[i].data, std::vector<BYTE>(320, static_cast<BYTE>(i + 1)));
  }
  Close(device, buffers);
  EXPECT_EQ(Collect(MM_WOM_CLOSE, 1).size(), 1u);
}

TEST_F(WaveOutputTest, OpenedPausedItPlaysOnlyAfterRestart) {
  HWAVEOUT device = Open();
  WaveOutPause(device);
  WaveBuffers buffers(4, 320);
  const std::uint64_t start = clock::NowMs();
  Write(device, buffers);
  Sleep(100);
  EXPECT_TRUE(audio::PlayedBuffers().empty());
  WaveOutRestart(device);
  auto done = Collect(MM_WOM_DONE, 4);
  ASSERT_EQ(done.size(), 4u);
  EXPECT_EQ(done.front().at_ms - start, 120u);
  EXPECT_EQ(audio::PlayedBuffers().front().start_ms - start, 100u);
  Close(device, buffers);
}

TEST_F(WaveOutputTest, PauseInTheMiddleOfABufferDelaysItsEnd) {
  HWAVEOUT device = Open();
  WaveBuffers buffers(1, 1600);  // 100 ms
  const std::uint64_t start = clock::NowMs();
  Write(device, buffers);
  Sleep(30);
  WaveOutPause(device);
  Sleep(500);
  WaveOutRestart(device);
  auto done = Collect(MM_WOM_DONE, 1);
  ASSERT_EQ(done.size(), 1u);
  EXPECT_EQ(done[0].at_ms - start, 600u);
  Close(device, buffers);
}

TEST_F(WaveOutputTest, ResetReturnsEveryBufferAtOnceAndCloseWaitsForIt) {
  HWAVEOUT device = Open();
  WaveBuffers buffers(8, 3200);
  Write(device, buffers);
  Sleep(50);
  EXPECT_EQ(WaveOutClose(device), WAVERR_STILLPLAYING);
  const std::uint64_t reset_at = clock::NowMs();
  ASSERT_EQ(WaveOutReset(device), MMSYSERR_NOERROR);
  auto done = Collect(MM_WOM_DONE, 8);
  ASSERT_EQ(done.size(), 8u);
  for (const auto& r : done) EXPECT_EQ(r.at_ms, reset_at);
  EXPECT_TRUE(audio::PlayedBuffers().empty()) << "nothing was played to its end";
  Close(device, buffers);
}

TEST_F(WaveOutputTest, VolumeIsKeptPerDeviceAndReadByIdOrHandle) {
  DWORD volume = 0;
  ASSERT_EQ(WaveOutGetVolume(nullptr, &volume), MMSYSERR_NOERROR) << "device 0 by id";
  EXPECT_EQ(volume, 0xFFFFFFFFu);
  HWAVEOUT device = Open();
  ASSERT_EQ(WaveOutSetVolume(device, 0), MMSYSERR_NOERROR);
  WaveOutGetVolume(nullptr, &volume);
  EXPECT_EQ(volume, 0u) << "the handle's device is device 0";
  WaveBuffers buffers(1, 320);
  Write(device, buffers);
  Collect(MM_WOM_DONE, 1);
  EXPECT_EQ(audio::PlayedBuffers().at(0).volume, 0u);
  WaveOutSetVolume(nullptr, 0x80008000);
  WaveOutGetVolume(device, &volume);
  EXPECT_EQ(volume, 0x80008000u);
  EXPECT_EQ(WaveOutGetVolume(reinterpret_cast<HWAVEOUT>(std::uintptr_t{5}), &volume),
            MMSYSERR_INVALHANDLE);
  Close(device, buffers);
}

TEST_F(WaveOutputTest, ADeviceThatRefusesTheFormatFailsToOpen) {
  audio::SetFormatFilter([](bool input, UINT, const WAVEFORMATEX& format) {
    return input || format.nSamplesPerSec != 44100;
  });
  const WAVEFORMATEX cd = PcmFormat(2, 44100, 16);
  HWAVEOUT device = nullptr;
  EXPECT_EQ(WaveOutOpen(&device, WAVE_MAPPER, &cd, 0, 0, CALLBACK_NULL), WAVERR_BADFORMAT);
  const WAVEFORMATEX speech = PcmFormat(1, 8000, 16);
  EXPECT_EQ(WaveOutOpen(&device, WAVE_MAPPER, &speech, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
  EXPECT_EQ(WaveOutClose(device), MMSYSERR_NOERROR);
}

}  // namespace
}  // namespace platform
