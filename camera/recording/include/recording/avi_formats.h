// Values shared by the clip writer and its callers: the recorder's PCM wave
// format, queue kinds and the clip's size limit. The file's layout itself is
// avi/layout.h.
#pragma once

#include "avi/layout.h"
#include "platform/types.h"

namespace recording {

using platform::DWORD;
using platform::LONG;
using platform::WORD;

using avi::FourCc;
using avi::MakeFourCc;
using avi::WaveFormat;

// What the recorder records: 16-bit mono PCM at 8,000 samples a second.
inline constexpr WaveFormat kRecorderWaveFormat{1, 1, 8000, 16000, 2, 16, 0};

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
