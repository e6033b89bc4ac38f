// PCM WAVE files: the sound the tool puts into clips and takes out of them.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace orsa_avi {

struct PcmSound {
  std::uint16_t channels = 1;
  std::uint32_t sample_rate = 8000;
  std::uint16_t bits_per_sample = 16;
  std::vector<std::uint8_t> data;
};

// Reads a PCM WAVE file's format and samples; `error` says why not.
std::optional<PcmSound> ParseWav(const std::vector<std::uint8_t>& file, std::string* error);
// The bytes of a PCM WAVE file.
std::vector<std::uint8_t> MakeWav(const PcmSound& sound);

}  // namespace orsa_avi
