// RIFF WAVE files: the sounds the handheld plays and the notes it records,
// PCM or GSM 6.10.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "platform/wave.h"

namespace platform {

struct WavContents {
  WAVEFORMATEX format;
  WORD samples_per_block = 0;  // GSM 6.10: 320; 0 for PCM
  std::vector<BYTE> data;
};

// Reads a WAVE image; nullopt (with *error saying why) when it is not one,
// is truncated, or holds a format other than PCM or GSM 6.10.
std::optional<WavContents> ParseWav(std::span<const BYTE> file, std::string* error = nullptr);

// A WAVE image of `data` in `format` laid out as the handheld writes them:
// RIFF, an 18-byte format record for PCM or 20 bytes (with the samples per
// block) for GSM 6.10, then the data chunk: 46 or 48 bytes before the data.
std::vector<BYTE> BuildWav(const WAVEFORMATEX& format, WORD samples_per_block,
                           std::span<const BYTE> data);

// The format records the platform's devices take.
WAVEFORMATEX PcmFormat(WORD channels, DWORD samples_per_second, WORD bits_per_sample);
GSM610WAVEFORMAT Gsm610Format();

}  // namespace platform
