// Wave input on the virtual clock: buffers come back full at the pace of the
// format, with the signal the microphone hears, and partly filled on stop
// and reset.
#include <gtest/gtest.h>

#include <cstring>

#include "audio_test_helpers.h"
#include "platform/audio.h"
#include "platform/testing/temp_handheld.h"
#include "platform/wav_file.h"

namespace platform {
namespace {

using audio_testing::Collect;
using audio_testing::Received;
using audio_testing::ToneSample;
using audio_testing::WaveBuffers;

constexpr double kToneHz = 440;
constexpr double kToneAmplitude = 8000;

class WaveInputTest : public ::testing::Test {
 protected:
  WaveInputTest() { audio::SetInputSignal(audio::Tone(kToneHz, kToneAmplitude)); }

  HWAVEIN OpenToThisThread(const WAVEFORMATEX& format) {
    HWAVEIN device = nullptr;
    EXPECT_EQ(WaveInOpen(&device, WAVE_MAPPER, &format, GetCurrentThreadId(), 0, CALLBACK_THREAD),
              MMSYSERR_NOERROR);
    return device;
  }

  void Queue(HWAVEIN device, WaveBuffers& buffers) {
    for (WAVEHDR& header : buffers.headers) {
      ASSERT_EQ(WaveInPrepareHeader(device, &header, sizeof header), MMSYSERR_NOERROR);
      ASSERT_EQ(WaveInAddBuffer(device, &header, sizeof header), MMSYSERR_NOERROR);
    }
  }

  void CloseAll(HWAVEIN device, WaveBuffers& buffers) {
    EXPECT_EQ(WaveInReset(device), MMSYSERR_NOERROR);
    for (WAVEHDR& header : buffers.headers) {
      EXPECT_EQ(WaveInUnprepareHeader(device, &header, sizeof header), MMSYSERR_NOERROR);
    }
    EXPECT_EQ(WaveInClose(device), MMSYSERR_NOERROR);
  }

  testing::TempHandheld device_;
};

TEST_F(WaveInputTest, SixtyFourBuffersComeBackEveryTwentyMillisecondsWithTheSignal) {
  const WAVEFORMATEX format = PcmFormat(1, 8000, 16);
  HWAVEIN device = OpenToThisThread(format);
  ASSERT_EQ(Collect(MM_WIM_OPEN, 1).size(), 1u);
  WaveBuffers buffers(64, 320);
  Queue(device, buffers);
  const std::uint64_t start = clock::NowMs();
  ASSERT_EQ(WaveInStart(device), MMSYSERR_NOERROR);

  std::vector<Received> received = Collect(MM_WIM_DATA, 64);
  ASSERT_EQ(received.size(), 64u);
  for (std::size_t i = 0; i < received.size(); ++i) {
    WAVEHDR* header = received[i].header;
    EXPECT_EQ(header->dwUser, i) << "buffers come back in order";
    EXPECT_EQ(received[i].at_ms - start, 20 * (i + 1)) << "buffer " << i;
    EXPECT_EQ(header->dwBytesRecorded, 320u);
    EXPECT_TRUE(header->dwFlags & WHDR_DONE);
    EXPECT_FALSE(header->dwFlags & WHDR_INQUEUE);
    for (std::size_t s = 0; s < 160; ++s) {
      std::int16_t sample;
      std::memcpy(&sample, header->lpData + 2 * s, 2);
      ASSERT_EQ(sample, ToneSample(kToneHz, kToneAmplitude, i * 160 + s, 8000))
          << "buffer " << i << " sample " << s;
    }
  }
  CloseAll(device, buffers);
  EXPECT_EQ(Collect(MM_WIM_CLOSE, 1).size(), 1u);
}

TEST_F(WaveInputTest, EightBitStereoAtElevenKilohertzKeepsItsPace) {
  HWAVEIN device = OpenToThisThread(PcmFormat(2, 11025, 8));
  WaveBuffers buffers(10, 2205);  // 100 ms each
  Queue(device, buffers);
  const std::uint64_t start = clock::NowMs();
  WaveInStart(device);
  std::vector<Received> received = Collect(MM_WIM_DATA, 10);
  ASSERT_EQ(received.size(), 10u);
  EXPECT_EQ(received.back().at_ms - start, 1000u);
  // Both channels carry the same unsigned sample.
  const char* bytes = received[3].header->lpData;
  for (int s = 0; s < 100; ++s) EXPECT_EQ(bytes[2 * s], bytes[2 * s + 1]);
  CloseAll(device, buffers);
}

TEST_F(WaveInputTest, ResetReturnsThePartlyFilledBufferWithItsByteCount) {
  HWAVEIN device = OpenToThisThread(PcmFormat(1, 8000, 16));
  WaveBuffers buffers(3, 3200);  // 200 ms each
  Queue(device, buffers);
  WaveInStart(device);
  Sleep(250);
  ASSERT_EQ(WaveInReset(device), MMSYSERR_NOERROR);
  std::vector<Received> received = Collect(MM_WIM_DATA, 3);
  ASSERT_EQ(received.size(), 3u);
  EXPECT_EQ(received[0].header->dwBytesRecorded, 3200u);
  EXPECT_EQ(received[1].header->dwBytesRecorded, 800u) << "50 ms of the second buffer";
  EXPECT_EQ(received[2].header->dwBytesRecorded, 0u);
  for (const Received& r : received) EXPECT_TRUE(r.header->dwFlags & WHDR_DONE);
  for (WAVEHDR& header : buffers.headers) WaveInUnprepareHeader(device, &header, sizeof header);
  EXPECT_EQ(WaveInClose(device), MMSYSERR_NOERROR);
}

TEST_F(WaveInputTest, StopReturnsTheCurrentBufferAndKeepsEmptyOnesQueued) {
  HWAVEIN device = OpenToThisThread(PcmFormat(1, 8000, 16));
  WaveBuffers buffers(2, 3200);
  Queue(device, buffers);
  WaveInStart(device);
  Sleep(100);
  WaveInStop(device);
  std::vector<Received> received = Collect(MM_WIM_DATA, 1);
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].header->dwBytesRecorded, 1600u);
  EXPECT_TRUE(buffers.headers[1].dwFlags & WHDR_INQUEUE);
  EXPECT_EQ(WaveInUnprepareHeader(device, &buffers.headers[1], sizeof(WAVEHDR)),
            WAVERR_STILLPLAYING);
  EXPECT_EQ(WaveInClose(device), WAVERR_STILLPLAYING) << "a buffer is still queued";
  // Restarted, the stream goes on where it stopped.
  Sleep(500);
  WaveInStart(device);
  received = Collect(MM_WIM_DATA, 1);
  ASSERT_EQ(received.size(), 1u);
  std::int16_t first;
  std::memcpy(&first, received[0].header->lpData, 2);
  EXPECT_EQ(first, ToneSample(kToneHz, kToneAmplitude, 800, 8000));
  CloseAll(device, buffers);
}

TEST_F(WaveInputTest, RefusedFormatsAndMisuseGiveThePlatformsErrors) {
  HWAVEIN device = nullptr;
  WAVEFORMATEX odd = PcmFormat(1, 9000, 16);
  EXPECT_EQ(WaveInOpen(&device, 0, &odd, 0, 0, CALLBACK_NULL), WAVERR_BADFORMAT);
  WAVEFORMATEX twelve_bits = PcmFormat(1, 8000, 12);
  EXPECT_EQ(WaveInOpen(&device, 0, &twelve_bits, 0, 0, CALLBACK_NULL), WAVERR_BADFORMAT);
  const WAVEFORMATEX pcm = PcmFormat(1, 8000, 16);
  EXPECT_EQ(WaveInOpen(&device, 1, &pcm, 0, 0, CALLBACK_NULL), MMSYSERR_BADDEVICEID);
  EXPECT_EQ(WaveInOpen(&device, 0, &pcm, 0, 0, WAVE_FORMAT_QUERY), MMSYSERR_NOERROR);

  // A device that refuses 16-bit sound: the mapper finds the second one.
  audio::SetDeviceCounts(2, 1);
  audio::SetFormatFilter([](bool input, UINT id, const WAVEFORMATEX& format) {
    return !(input && id == 0 && format.wBitsPerSample == 16);
  });
  EXPECT_EQ(WaveInOpen(&device, 0, &pcm, 0, 0, CALLBACK_NULL), WAVERR_BADFORMAT);
  ASSERT_EQ(WaveInOpen(&device, WAVE_MAPPER, &pcm, 0, 0, CALLBACK_NULL), MMSYSERR_NOERROR);
  WAVEHDR unprepared{};
  char data[320];
  unprepared.lpData = data;
  unprepared.dwBufferLength = sizeof data;
  EXPECT_EQ(WaveInAddBuffer(device, &unprepared, sizeof unprepared), WAVERR_UNPREPARED);
  EXPECT_EQ(WaveInClose(device), MMSYSERR_NOERROR);
  EXPECT_EQ(WaveInClose(device), MMSYSERR_INVALHANDLE) << "closed twice";

  audio::SetDeviceCounts(0, 1);
  EXPECT_EQ(WaveInGetNumDevs(), 0u);
  EXPECT_EQ(WaveInOpen(&device, WAVE_MAPPER, &pcm, 0, 0, CALLBACK_NULL), MMSYSERR_NODRIVER);
}

// Function callbacks run on the audio thread with the caller's instance.
std::vector<std::pair<UINT, DWORD_PTR>> function_calls;
void RecordCall(WaveDeviceTag*, UINT message, DWORD_PTR instance, DWORD_PTR, DWORD_PTR) {
  function_calls.emplace_back(message, instance);
}

TEST_F(WaveInputTest, CallbackFunctionAndWindowReceiveTheMessages) {
  function_calls.clear();
  const WAVEFORMATEX format = PcmFormat(1, 8000, 16);
  HWAVEIN device = nullptr;
  ASSERT_EQ(WaveInOpen(&device, 0, &format, reinterpret_cast<DWORD_PTR>(&RecordCall), 77,
                       CALLBACK_FUNCTION),
            MMSYSERR_NOERROR);
  WaveBuffers buffers(2, 320);
  Queue(device, buffers);
  WaveInStart(device);
  Sleep(45);
  CloseAll(device, buffers);
  const std::vector<std::pair<UINT, DWORD_PTR>> expected = {
      {WIM_OPEN, 77}, {WIM_DATA, 77}, {WIM_DATA, 77}, {WIM_CLOSE, 77}};
  EXPECT_EQ(function_calls, expected);

  std::vector<UINT> window_messages;
  HWND window = CreateMessageTarget([&](HWND, UINT message, WPARAM, LPARAM) -> LRESULT {
    window_messages.push_back(message);
    return 0;
  });
  ASSERT_EQ(
      WaveInOpen(&device, 0, &format, reinterpret_cast<DWORD_PTR>(window), 0, CALLBACK_WINDOW),
      MMSYSERR_NOERROR);
  WaveBuffers one(1, 320);
  Queue(device, one);
  WaveInStart(device);
  MSG msg;
  while (window_messages.size() < 2 && GetMessage(&msg, nullptr, 0, 0)) DispatchMessage(&msg);
  EXPECT_EQ(window_messages, (std::vector<UINT>{MM_WIM_OPEN, MM_WIM_DATA}));
  CloseAll(device, one);
  DestroyMessageTarget(window);
}

}  // namespace
}  // namespace platform
