// The formats the voice-note recorder offers: sixteen PCM formats (8,000,
// 11,025, 22,050 and 44,100 Hz, each mono 8 bit, stereo 8 bit, mono 16 bit,
// stereo 16 bit) and GSM 6.10.
#pragma once

#include <array>

#include "gallery/options/gallery_options.h"

namespace gallery {

inline constexpr int kPcmFormatCount = 16;
// 11,025 Hz mono 8 bit: where the list starts when PCM is chosen.
inline constexpr int kDefaultPcmFormat = 4;

std::array<AudioOptions, kPcmFormatCount> PcmFormats();

// The format's place in the PCM list; -1 when it is not in it.
int PcmFormatIndex(const AudioOptions& audio);

// Bytes a second of sound take, in KB rounded to the nearest.
int KilobytesPerSecond(const AudioOptions& audio);

}  // namespace gallery
