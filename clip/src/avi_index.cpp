#include "avi_index.h"

#include <algorithm>
#include <limits>
#include <new>
#include <vector>

#include "avi/fields.h"
#include "file_reads.h"

namespace clip {

namespace {

constexpr DWORD kEntryBytes = avi::kRecordBytes<avi::IndexEntry>;
constexpr DWORD kEntriesPerRead = 4096;

enum class EntryKind { kVideo, kAudio, kOther };

EntryKind KindOf(const FourCc& id) {
  if ((id[2] == 'd' && id[3] == 'c') || (id[2] == 'd' && id[3] == 'b')) return EntryKind::kVideo;
  if (id[2] == 'w' && id[3] == 'b') return EntryKind::kAudio;
  return EntryKind::kOther;
}

}  // namespace

void ReadIndex(WindowedReads& reads, std::uint64_t position, DWORD size,
               std::uint64_t movi_position, AviClip& clip) {
  std::vector<AviIndexEntry>& video = clip.video_index.entries;
  std::vector<AviIndexEntry>& audio = clip.audio_index.entries;
  // Entry positions are 32-bit: data beyond that cannot be indexed.
  const std::uint64_t limit =
      std::min<std::uint64_t>(reads.file_size(), std::numeric_limits<DWORD>::max());
  std::vector<std::uint8_t> block(std::size_t{kEntriesPerRead} * kEntryBytes);
  DWORD remaining = size / kEntryBytes;
  try {
    while (remaining > 0) {
      const DWORD count = std::min(remaining, kEntriesPerRead);
      if (!reads.ReadAt(position, block.data(), count * kEntryBytes)) return;
      position += std::uint64_t{count} * kEntryBytes;
      remaining -= count;
      for (DWORD i = 0; i < count; ++i) {
        const auto [id, flags, offset, data_size] =
            avi::ReadRecord<avi::IndexEntry>(std::span<const std::uint8_t, kEntryBytes>(
                block.data() + std::size_t{i} * kEntryBytes, kEntryBytes));
        if (data_size == 0) continue;
        const std::uint64_t data_position = movi_position + offset + 4;
        if (data_position + data_size > limit) continue;
        const AviIndexEntry entry{id, flags, static_cast<DWORD>(data_position), data_size};
        switch (KindOf(id)) {
          case EntryKind::kVideo:
            if (video.size() < kMaxIndexEntries) video.push_back(entry);
            break;
          case EntryKind::kAudio:
            if (audio.size() < kMaxIndexEntries) {
              audio.push_back(entry);
              audio.back().tag = static_cast<DWORD>(video.size());
            }
            break;
          case EntryKind::kOther:
            break;
        }
      }
    }
  } catch (const std::bad_alloc&) {
    // Keep the entries read so far.
  }
}

}  // namespace clip
