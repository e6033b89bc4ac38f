// One stream of a clip: its 64-byte stream header, its format block and its
// chunk id. The video and audio kinds prepare header and format when opened.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "recording/avi_formats.h"

namespace recording {

using avi::StreamKind;
using AviStreamHeader = avi::StreamHeader;

class AviStream {
 public:
  virtual ~AviStream() = default;
  AviStream(const AviStream&) = delete;
  AviStream& operator=(const AviStream&) = delete;

  // Prepares the stream header and the format block.
  virtual void Open() = 0;
  virtual void Close() { open_ = false; }
  virtual void SetQuality(DWORD quality) { header_.dwQuality = quality; }

  StreamKind kind() const { return kind_; }
  int number() const { return number_; }
  const FourCc& chunk_id() const { return chunk_id_; }
  bool is_open() const { return open_; }
  const AviStreamHeader& header() const { return header_; }
  AviStreamHeader& header() { return header_; }
  std::span<const std::uint8_t> format() const { return format_; }
  // Flags of this stream's index entries.
  DWORD index_flags() const { return kind_ == StreamKind::kVideo ? avi::kKeyFrameFlag : 0; }

  // Accounts one written chunk of `size` bytes in dwLength.
  void CountChunk(DWORD size);
  // Takes a chunk counted before back out (cut off at close).
  void UncountChunk(DWORD size);
  // Appends the stream list: "LIST" size "strl", "strh" 64 header, "strf"
  // size format (padded to even).
  void AppendStreamList(std::vector<std::uint8_t>& out) const;
  // Size of that list counted from its "LIST" code.
  DWORD StreamListBytes() const;

 protected:
  AviStream(StreamKind kind, int number);
  // What one chunk of `size` bytes adds to dwLength.
  DWORD ChunkLength(DWORD size) const;

  AviStreamHeader header_;
  std::vector<std::uint8_t> format_;
  bool open_ = false;

 private:
  const StreamKind kind_;
  const int number_;
  const FourCc chunk_id_;
};

// Motion-JPEG video: "vids", scale 1,000,000, key-frame index flags, and a
// 40-byte bitmap information header as its format.
class AviVideoStream final : public AviStream {
 public:
  AviVideoStream(int number, FourCc handler, LONG width, LONG height, DWORD rate);
  void Open() override;
  LONG width() const { return width_; }
  LONG height() const { return height_; }

 private:
  const FourCc handler_;
  const LONG width_;
  const LONG height_;
  const DWORD rate_;
};

// PCM audio: "auds", scale and sample size = block align, and the 18-byte
// wave format record as its format.
class AviAudioStream final : public AviStream {
 public:
  AviAudioStream(int number, const WaveFormat& format, DWORD rate);
  void Open() override;
  const WaveFormat& wave_format() const { return wave_format_; }

 private:
  WaveFormat wave_format_;
  const DWORD rate_;
};

}  // namespace recording
