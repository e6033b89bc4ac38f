// The signals a wave input device can hear.
#include <cmath>
#include <fstream>
#include <iterator>
#include <memory>
#include <numbers>

#include "audio/stream_format.h"
#include "platform/audio.h"
#include "platform/wav_file.h"

namespace platform::audio {

InputSignal Silence() {
  return [](std::uint64_t, DWORD) -> std::int16_t { return 0; };
}

InputSignal Tone(double frequency_hz, double amplitude) {
  return [frequency_hz, amplitude](std::uint64_t index, DWORD rate) -> std::int16_t {
    const double phase = 2 * std::numbers::pi * frequency_hz * static_cast<double>(index) / rate;
    return static_cast<std::int16_t>(std::lround(amplitude * std::sin(phase)));
  };
}

InputSignal WavFileSignal(const std::filesystem::path& host_file) {
  std::ifstream in(host_file, std::ios::binary);
  if (!in) return nullptr;
  const std::vector<BYTE> bytes{std::istreambuf_iterator<char>(in),
                                std::istreambuf_iterator<char>()};
  std::optional<WavContents> wav = ParseWav(bytes);
  if (!wav) return nullptr;
  const StreamFormat format(wav->format);
  const std::vector<std::int16_t> interleaved = SampleDecoder(format).Decode(wav->data);
  const WORD channels = wav->format.nChannels;
  auto mono = std::make_shared<std::vector<std::int16_t>>();
  for (std::size_t at = 0; at + channels <= interleaved.size(); at += channels) {
    int sum = 0;
    for (WORD c = 0; c < channels; ++c) sum += interleaved[at + c];
    mono->push_back(static_cast<std::int16_t>(sum / channels));
  }
  if (mono->empty()) return nullptr;
  const DWORD file_rate = wav->format.nSamplesPerSec;
  // Nearest sample at the device's rate; the file loops.
  return [mono, file_rate](std::uint64_t index, DWORD rate) -> std::int16_t {
    const std::uint64_t source = index * file_rate / rate;
    return (*mono)[source % mono->size()];
  };
}

}  // namespace platform::audio
