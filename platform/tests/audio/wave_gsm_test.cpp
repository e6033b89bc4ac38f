// GSM 6.10 capture: what the device encodes is real GSM in the WAVE layout,
// which sox decodes back to the tone that was heard.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "audio_test_helpers.h"
#include "platform/audio.h"
#include "platform/testing/temp_handheld.h"
#include "platform/wav_file.h"

namespace platform {
namespace {

using audio_testing::Collect;
using audio_testing::ToneSample;
using audio_testing::WaveBuffers;

bool HaveSox() { return std::system("sox --version > /dev/null 2>&1") == 0; }

std::vector<std::int16_t> DecodeWithSox(const std::filesystem::path& wav,
                                        const std::filesystem::path& raw) {
  const std::string command =
      "sox '" + wav.string() + "' -t raw -e signed -b 16 -c 1 '" + raw.string() + "' 2> /dev/null";
  if (std::system(command.c_str()) != 0) return {};
  std::ifstream in(raw, std::ios::binary);
  const std::vector<char> bytes{std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>()};
  std::vector<std::int16_t> samples(bytes.size() / 2);
  std::memcpy(samples.data(), bytes.data(), samples.size() * 2);
  return samples;
}

// Signal-to-noise ratio in dB of `decoded` against the tone, skipping the
// codec's first frames while it settles.
double SnrAgainstTone(const std::vector<std::int16_t>& decoded, double hz, double amplitude) {
  double signal = 0;
  double noise = 0;
  for (std::size_t i = 640; i < decoded.size(); ++i) {
    const double expected = ToneSample(hz, amplitude, i, 8000);
    signal += expected * expected;
    noise += (decoded[i] - expected) * (decoded[i] - expected);
  }
  return 10 * std::log10(signal / std::max(noise, 1.0));
}

TEST(WaveGsmTest, CapturedToneDecodesBackCloseToTheTone) {
  if (!HaveSox()) GTEST_SKIP() << "sox is not installed";
  testing::TempHandheld device;
  constexpr double kHz = 500;
  constexpr double kAmplitude = 10000;
  audio::SetInputSignal(audio::Tone(kHz, kAmplitude));
  const GSM610WAVEFORMAT gsm = Gsm610Format();
  HWAVEIN input = nullptr;
  ASSERT_EQ(WaveInOpen(&input, WAVE_MAPPER, &gsm.wfx, GetCurrentThreadId(), 0, CALLBACK_THREAD),
            MMSYSERR_NOERROR);
  // Two buffers of 16,384 bytes hold whole blocks up to 16,380 bytes.
  WaveBuffers buffers(2, 16384);
  for (WAVEHDR& header : buffers.headers) {
    WaveInPrepareHeader(input, &header, sizeof header);
    WaveInAddBuffer(input, &header, sizeof header);
  }
  const std::uint64_t start = clock::NowMs();
  WaveInStart(input);
  auto received = Collect(MM_WIM_DATA, 1, 20000);
  ASSERT_EQ(received.size(), 1u);
  EXPECT_EQ(received[0].header->dwBytesRecorded, 16380u) << "252 whole blocks";
  EXPECT_EQ(received[0].at_ms - start, 10080u) << "252 blocks of 40 ms";
  WaveInReset(input);
  for (WAVEHDR& header : buffers.headers) WaveInUnprepareHeader(input, &header, sizeof header);
  WaveInClose(input);

  const auto* bytes = reinterpret_cast<const BYTE*>(buffers.data[0].data());
  const std::vector<BYTE> wav = BuildWav(gsm.wfx, gsm.wSamplesPerBlock, std::span(bytes, 16380));
  EXPECT_EQ(wav.size(), 48u + 16380u) << "the handheld's 48-byte header";
  const std::filesystem::path folder = device.root();
  std::ofstream(folder / "tone.wav", std::ios::binary)
      .write(reinterpret_cast<const char*>(wav.data()), static_cast<std::streamsize>(wav.size()));
  const std::vector<std::int16_t> decoded = DecodeWithSox(folder / "tone.wav", folder / "tone.raw");
  ASSERT_EQ(decoded.size(), 252u * 320u);
  // GSM is a speech codec: it keeps the tone's shape, not its exact samples.
  const double snr = SnrAgainstTone(decoded, kHz, kAmplitude);
  RecordProperty("snr_db", std::to_string(snr));
  EXPECT_GT(snr, 20.0) << "measured about 36 dB";
}

TEST(WaveGsmTest, SoxReadsPcmFilesOfThePlatformsWriter) {
  if (!HaveSox()) GTEST_SKIP() << "sox is not installed";
  testing::TempHandheld device;
  std::vector<BYTE> data;
  for (int i = 0; i < 8000; ++i) {
    const std::int16_t s = ToneSample(1000, 5000, i, 8000);
    data.push_back(static_cast<BYTE>(s & 0xFF));
    data.push_back(static_cast<BYTE>((s >> 8) & 0xFF));
  }
  const std::vector<BYTE> wav = BuildWav(PcmFormat(1, 8000, 16), 0, data);
  EXPECT_EQ(wav.size(), 46u + data.size()) << "the handheld's 46-byte header";
  const std::filesystem::path path = device.root() / "pcm.wav";
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(wav.data()), static_cast<std::streamsize>(wav.size()));
  const std::vector<std::int16_t> decoded = DecodeWithSox(path, device.root() / "pcm.raw");
  ASSERT_EQ(decoded.size(), 8000u);
  for (int i = 0; i < 8000; i += 97) EXPECT_EQ(decoded[i], ToneSample(1000, 5000, i, 8000));
}

}  // namespace
}  // namespace platform
