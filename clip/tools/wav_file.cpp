#include "wav_file.h"

#include <algorithm>

namespace orsa_avi {

namespace {

std::uint32_t Le32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}
std::uint16_t Le16(const std::vector<std::uint8_t>& b, std::size_t at) {
  return static_cast<std::uint16_t>(b[at] | b[at + 1] << 8);
}
bool TextIs(const std::vector<std::uint8_t>& b, std::size_t at, const char* text) {
  return std::equal(text, text + 4, b.begin() + static_cast<std::ptrdiff_t>(at));
}
// Writes a little-endian field of `bytes` bytes at `at`.
void PutLe(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}
void PutText(std::vector<std::uint8_t>& out, std::size_t at, const char* text) {
  std::copy(text, text + 4, out.begin() + static_cast<std::ptrdiff_t>(at));
}

}  // namespace

std::optional<PcmSound> ParseWav(const std::vector<std::uint8_t>& file, std::string* error) {
  if (file.size() < 12 || !TextIs(file, 0, "RIFF") || !TextIs(file, 8, "WAVE")) {
    *error = "not a RIFF WAVE file";
    return std::nullopt;
  }
  PcmSound sound;
  bool have_format = false;
  for (std::size_t at = 12; at + 8 <= file.size();) {
    const std::uint32_t size = Le32(file, at + 4);
    const std::size_t data = at + 8;
    const std::size_t available = std::min<std::size_t>(size, file.size() - data);
    if (TextIs(file, at, "fmt ") && available >= 16) {
      if (Le16(file, data) != 1) {
        *error = "the sound is not PCM";
        return std::nullopt;
      }
      sound.channels = Le16(file, data + 2);
      sound.sample_rate = Le32(file, data + 4);
      sound.bits_per_sample = Le16(file, data + 14);
      have_format = true;
    } else if (TextIs(file, at, "data")) {
      if (!have_format) break;
      sound.data.assign(file.begin() + static_cast<std::ptrdiff_t>(data),
                        file.begin() + static_cast<std::ptrdiff_t>(data + available));
      if ((sound.channels != 1 && sound.channels != 2) ||
          (sound.bits_per_sample != 8 && sound.bits_per_sample != 16) || sound.sample_rate == 0) {
        *error = "the sound must be 8- or 16-bit PCM with one or two channels";
        return std::nullopt;
      }
      return sound;
    }
    at = data + size + (size & 1);
  }
  *error = have_format ? "no \"data\" chunk" : "no \"fmt \" chunk before the samples";
  return std::nullopt;
}

std::vector<std::uint8_t> MakeWav(const PcmSound& sound) {
  const auto block_align = static_cast<std::uint16_t>(sound.channels * sound.bits_per_sample / 8);
  const auto data_size = static_cast<std::uint32_t>(sound.data.size());
  // The header, the samples and a pad byte for an odd count.
  std::vector<std::uint8_t> out(44 + data_size + (data_size & 1), 0);
  PutText(out, 0, "RIFF");
  PutLe(out, 4, 36 + data_size + (data_size & 1), 4);
  PutText(out, 8, "WAVE");
  PutText(out, 12, "fmt ");
  PutLe(out, 16, 16, 4);
  PutLe(out, 20, 1, 2);
  PutLe(out, 22, sound.channels, 2);
  PutLe(out, 24, sound.sample_rate, 4);
  PutLe(out, 28, sound.sample_rate * block_align, 4);
  PutLe(out, 32, block_align, 2);
  PutLe(out, 34, sound.bits_per_sample, 2);
  PutText(out, 36, "data");
  PutLe(out, 40, data_size, 4);
  std::copy(sound.data.begin(), sound.data.end(), out.begin() + 44);
  return out;
}

}  // namespace orsa_avi
