#include "avi_parser.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>

#include "avi/fields.h"
#include "avi_index.h"
#include "file_reads.h"

namespace clip {

namespace {

constexpr DWORD kChunkHeaderBytes = 8;

struct ChunkHeader {
  FourCc id{};
  DWORD size = 0;
};

enum class StreamType { kNone, kVideo, kAudio };

class ClipParser {
 public:
  ClipParser(const platform::FileHandle& file, AviClip& clip) : reads_(file), clip_(clip) {}

  void Run();

 private:
  bool ReadChunkHeader(std::uint64_t position, ChunkHeader* header) const;
  // Up to N bytes of a chunk's data, the rest zero; `taken` gets the count.
  template <std::size_t N>
  bool ReadRecord(std::uint64_t position, DWORD size, std::array<std::uint8_t, N>* record,
                  DWORD* taken = nullptr) const;
  // False when the list is refused (a stream type the player cannot use).
  bool ParseStreamList(std::uint64_t position, std::uint64_t left);

  mutable WindowedReads reads_;
  AviClip& clip_;
  std::optional<std::uint64_t> movi_position_;
};

// The bytes a chunk of `size` takes after its header: its data and the pad
// byte of an odd size, as far as `left` reaches.
std::uint64_t ChunkSpan(DWORD size, std::uint64_t left) {
  return std::min<std::uint64_t>(std::uint64_t{size} + (size & 1), left);
}

bool ClipParser::ReadChunkHeader(std::uint64_t position, ChunkHeader* header) const {
  std::array<std::uint8_t, kChunkHeaderBytes> bytes;
  if (!reads_.ReadAt(position, bytes.data(), kChunkHeaderBytes)) return false;
  header->id = avi::FourCcAt(bytes.data());
  header->size = avi::Le32(bytes.data() + 4);
  return true;
}

template <std::size_t N>
bool ClipParser::ReadRecord(std::uint64_t position, DWORD size, std::array<std::uint8_t, N>* record,
                            DWORD* taken) const {
  record->fill(0);
  const DWORD wanted = std::min<DWORD>(size, N);
  if (taken) *taken = wanted;
  return reads_.ReadAt(position, record->data(), wanted);
}

void ClipParser::Run() {
  std::array<std::uint8_t, 12> riff;
  if (reads_.file_size() < riff.size() || !reads_.ReadAt(0, riff.data(), riff.size())) return;
  const DWORD riff_size = avi::Le32(riff.data() + 4);
  if (avi::FourCcAt(riff.data()) != avi::kRiffCode || riff_size < 4 ||
      avi::FourCcAt(riff.data() + 8) != avi::kAviFormCode) {
    return;
  }
  // What the RIFF says it holds, and never more than the file has.
  std::uint64_t left = std::min<std::uint64_t>(riff_size - 4, reads_.file_size() - riff.size());
  std::uint64_t position = riff.size();

  while (left >= kChunkHeaderBytes) {
    ChunkHeader chunk;
    if (!ReadChunkHeader(position, &chunk)) return;
    position += kChunkHeaderBytes;
    left -= kChunkHeaderBytes;
    if (chunk.size > left) return;
    const std::uint64_t span = ChunkSpan(chunk.size, left);

    if (chunk.id == avi::kListCode && chunk.size >= 4) {
      std::array<std::uint8_t, 4> type;
      if (!reads_.ReadAt(position, type.data(), 4)) return;
      const FourCc list_type = avi::FourCcAt(type.data());
      if (list_type == avi::kHeaderListCode) {
        // The header list's children are walked in place.
        position += 4;
        left -= 4;
        continue;
      }
      if (list_type == avi::kStreamListCode) {
        if (!ParseStreamList(position + 4, chunk.size - 4)) return;
      } else if (list_type == avi::kMovieListCode) {
        if (chunk.size < 8) return;
        movi_position_ = position + 4;
      }
    } else if (chunk.id == avi::kMainHeaderCode) {
      std::array<std::uint8_t, avi::kRecordBytes<AviMainHeader>> record;
      if (!ReadRecord(position, chunk.size, &record)) return;
      clip_.main_header = avi::ReadRecord<AviMainHeader>(record);
    } else if (chunk.id == avi::kIndexCode) {
      if (movi_position_) ReadIndex(reads_, position, chunk.size, *movi_position_, clip_);
      return;
    }
    position += span;
    left -= span;
  }
}

bool ClipParser::ParseStreamList(std::uint64_t position, std::uint64_t left) {
  StreamType type = StreamType::kNone;
  while (left >= kChunkHeaderBytes) {
    ChunkHeader chunk;
    if (!ReadChunkHeader(position, &chunk)) return false;
    position += kChunkHeaderBytes;
    left -= kChunkHeaderBytes;
    if (chunk.size > left) break;  // the rest of the list is skipped

    if (chunk.id == avi::kStreamHeaderCode) {
      std::array<std::uint8_t, avi::kRecordBytes<AviStreamHeader>> record;
      if (!ReadRecord(position, chunk.size, &record)) return false;
      const AviStreamHeader header = avi::ReadRecord<AviStreamHeader>(record);
      if (header.fccType == avi::kVideoStreamType) {
        type = StreamType::kVideo;
        clip_.video_header = header;
        clip_.has_video = true;
      } else if (header.fccType == avi::kAudioStreamType) {
        type = StreamType::kAudio;
        clip_.audio_header = header;
        clip_.has_audio = true;
      } else {
        return false;
      }
    } else if (chunk.id == avi::kStreamFormatCode) {
      if (type == StreamType::kVideo) {
        std::array<std::uint8_t, avi::kRecordBytes<BitmapInfoHeader>> record;
        if (!ReadRecord(position, chunk.size, &record, &clip_.video_format_bytes)) return false;
        clip_.video_format = avi::ReadRecord<BitmapInfoHeader>(record);
      } else if (type == StreamType::kAudio) {
        std::array<std::uint8_t, avi::kRecordBytes<WaveFormat>> record;
        if (!ReadRecord(position, chunk.size, &record, &clip_.audio_format_bytes)) return false;
        clip_.audio_format = avi::ReadRecord<WaveFormat>(record);
      } else {
        return false;
      }
    }
    const std::uint64_t span = ChunkSpan(chunk.size, left);
    position += span;
    left -= span;
  }
  return true;
}

}  // namespace

void ParseClip(const platform::FileHandle& file, AviClip& clip) { ClipParser(file, clip).Run(); }

}  // namespace clip
