#include "gallery/options/audio_formats.h"

namespace gallery {

std::array<AudioOptions, kPcmFormatCount> PcmFormats() {
  constexpr std::uint32_t kRates[] = {8000, 11025, 22050, 44100};
  struct Shape {
    std::uint16_t channels;
    std::uint16_t bits;
  };
  constexpr Shape kShapes[] = {{1, 8}, {2, 8}, {1, 16}, {2, 16}};
  std::array<AudioOptions, kPcmFormatCount> formats{};
  std::size_t at = 0;
  for (std::uint32_t rate : kRates) {
    for (const Shape& shape : kShapes) {
      formats[at++] = AudioOptions{kFormatPcm, shape.channels, rate, shape.bits};
    }
  }
  return formats;
}

int PcmFormatIndex(const AudioOptions& audio) {
  const auto formats = PcmFormats();
  for (int index = 0; index < kPcmFormatCount; ++index) {
    if (formats[static_cast<std::size_t>(index)] == audio) return index;
  }
  return -1;
}

int KilobytesPerSecond(const AudioOptions& audio) {
  const std::uint32_t bytes = audio.samples_per_second * audio.bits_per_sample / 8 * audio.channels;
  return static_cast<int>((bytes + 512) / 1024);
}

}  // namespace gallery
