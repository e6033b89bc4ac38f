// An open clip: the headers the parse found, the video and audio indexes
// with their cursors, and the two read handles (video and audio reads do not
// disturb each other's file position).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "platform/files.h"
#include "platform/types.h"

namespace clip {

using platform::DWORD;
using platform::LONG;
using platform::WORD;

using FourCc = std::array<char, 4>;

// "avih": the first 56 bytes.
struct AviMainHeader {
  DWORD dwMicroSecPerFrame = 0;
  DWORD dwMaxBytesPerSec = 0;
  DWORD dwPaddingGranularity = 0;
  DWORD dwFlags = 0;
  DWORD dwTotalFrames = 0;
  DWORD dwInitialFrames = 0;
  DWORD dwStreams = 0;
  DWORD dwSuggestedBufferSize = 0;
  DWORD dwWidth = 0;
  DWORD dwHeight = 0;
  std::array<DWORD, 4> dwReserved{};
};

// "strh": the first 64 bytes.
struct AviStreamHeader {
  FourCc fccType{};
  FourCc fccHandler{};
  DWORD dwFlags = 0;
  WORD wPriority = 0;
  WORD wLanguage = 0;
  DWORD dwInitialFrames = 0;
  DWORD dwScale = 0;
  DWORD dwRate = 0;
  DWORD dwStart = 0;
  DWORD dwLength = 0;
  DWORD dwSuggestedBufferSize = 0;
  DWORD dwQuality = 0;
  DWORD dwSampleSize = 0;
  std::array<LONG, 4> rcFrame{};  // left, top, right, bottom
};

// The video format store: a bitmap information header (40 bytes).
struct BitmapInfoHeader {
  DWORD biSize = 0;
  LONG biWidth = 0;
  LONG biHeight = 0;
  WORD biPlanes = 0;
  WORD biBitCount = 0;
  FourCc biCompression{};
  DWORD biSizeImage = 0;
  LONG biXPelsPerMeter = 0;
  LONG biYPelsPerMeter = 0;
  DWORD biClrUsed = 0;
  DWORD biClrImportant = 0;
};

// The audio format store: a wave format record (18 bytes).
struct WaveFormat {
  WORD wFormatTag = 0;
  WORD nChannels = 0;
  DWORD nSamplesPerSec = 0;
  DWORD nAvgBytesPerSec = 0;
  WORD nBlockAlign = 0;
  WORD wBitsPerSample = 0;
  WORD cbSize = 0;
};

struct AviIndexEntry {
  FourCc chunk_id{};
  // Video: the "idx1" flags. Audio: the number of video entries before it,
  // so the sound chunk written after frame k carries k.
  DWORD tag = 0;
  DWORD position = 0;  // of the chunk's data in the file
  DWORD size = 0;
};

struct AviIndexList {
  std::vector<AviIndexEntry> entries;
  // 1-based; reads take the entry under it and advance it.
  std::size_t cursor = 1;
};

struct AviClip {
  AviMainHeader main_header;
  AviStreamHeader video_header;
  AviStreamHeader audio_header;
  bool has_video = false;
  bool has_audio = false;
  BitmapInfoHeader video_format;
  WaveFormat audio_format;
  // Bytes of each "strf" that the store took (at most its size).
  DWORD video_format_bytes = 0;
  DWORD audio_format_bytes = 0;
  AviIndexList video_index;
  AviIndexList audio_index;
  platform::FileHandle video_file;
  platform::FileHandle audio_file;

  DWORD frame_count() const { return static_cast<DWORD>(video_index.entries.size()); }
};

}  // namespace clip
