// An open clip: the headers the parse found, the video and audio indexes
// with their cursors, and the two read handles (video and audio reads do not
// disturb each other's file position).
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "avi/layout.h"
#include "platform/files.h"
#include "platform/types.h"

namespace clip {

using platform::DWORD;
using platform::LONG;
using platform::WORD;

using avi::FourCc;
// The records of the clip's header list, as avi/layout.h lays them out.
using AviMainHeader = avi::MainHeader;
using AviStreamHeader = avi::StreamHeader;
using BitmapInfoHeader = avi::BitmapInfoHeader;
using WaveFormat = avi::WaveFormat;

// Where a chunk's data is, for reading.
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
