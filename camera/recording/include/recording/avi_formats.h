// Values shared by the clip writer and its callers: four-character codes,
// the PCM wave format record, queue kinds and the clip's size limit.
#pragma once

#include <array>

#include "platform/types.h"

namespace recording {

using platform::DWORD;
using platform::LONG;
using platform::WORD;

// A four-character code as it is stored in the file.
using FourCc = std::array<char, 4>;

constexpr FourCc MakeFourCc(const char (&text)[5]) { return {text[0], text[1], text[2], text[3]}; }

// The 18-byte wave format record (PCM).
struct WaveFormat {
  WORD wFormatTag = 1;
  WORD nChannels = 1;
  DWORD nSamplesPerSec = 8000;
  DWORD nAvgBytesPerSec = 16000;
  WORD nBlockAlign = 2;
  WORD wBitsPerSample = 16;
  WORD cbSize = 0;
};

// Kinds of write-queue items; any other kind is dropped unwritten.
inline constexpr DWORD kQueueAudio = 0;
inline constexpr DWORD kQueueVideo = 1;

// A chunk that would start beyond this file position is refused.
inline constexpr DWORD kClipSizeLimit = 0xE00000;  // 14,680,064 bytes

// Values the recorder uses when it sets up a clip.
inline constexpr DWORD kVideoRateHint = 8'000'000;  // with scale 1,000,000: 8 frames/s
inline constexpr DWORD kAudioRateHint = 19'200;
inline constexpr DWORD kVideoQuality = 8000;
// The audio rate at close assumes every audio chunk holds this many bytes.
inline constexpr DWORD kAudioBlockBytes = 1280;

}  // namespace recording
