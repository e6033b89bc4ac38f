// Opening, seeking and reading a clip.
#include "clip/avi_reader.h"

#include <new>
#include <utility>

#include "avi_parser.h"
#include "file_reads.h"

namespace clip {

namespace {

platform::FileHandle OpenForReading(std::string_view path) {
  return platform::CreateFile(path, platform::GENERIC_READ, platform::FILE_SHARE_READ,
                              platform::OPEN_EXISTING);
}

int ReadEntry(const platform::FileHandle& file, AviIndexList& list, std::span<std::uint8_t> buffer,
              DWORD* bytes_read) {
  if (bytes_read) *bytes_read = 0;
  if (list.cursor < 1 || list.cursor > list.entries.size()) return -1;
  const AviIndexEntry& entry = list.entries[list.cursor - 1];
  ++list.cursor;
  if (entry.size > buffer.size()) return -1;
  if (!ReadAt(file, entry.position, buffer.data(), entry.size)) return -1;
  if (bytes_read) *bytes_read = entry.size;
  return 0;
}

}  // namespace

AviClipPtr AviOpen(std::string_view path, AviReading reading) {
  platform::FileHandle parse_file = OpenForReading(path);
  if (!parse_file) return nullptr;
  AviClipPtr clip(new (std::nothrow) AviClip);
  if (!clip) return nullptr;
  ParseClip(parse_file, *clip);

  // The parsing handle goes on as the video's: a read handle of its own either
  // way, without closing and opening the file again for every thumbnail.
  clip->video_file = std::move(parse_file);
  if (reading == AviReading::kFramesOnly) return clip;
  clip->audio_file = OpenForReading(path);
  if (!clip->audio_file) return nullptr;
  return clip;
}

void AviClose(AviClipPtr clip) {
  if (!clip) return;
  platform::CloseFile(clip->video_file);
  platform::CloseFile(clip->audio_file);
}

int AviSeek(AviClip& clip, DWORD n) {
  if (n == 0 || n == 1) {
    clip.video_index.cursor = 1;
    clip.audio_index.cursor = 1;
    return 0;
  }
  if (clip.has_video) {
    if (n > clip.frame_count()) return -1;
    clip.video_index.cursor = n;
  }
  if (clip.has_audio) {
    // The first sound chunk written after frame n: with frames and sound
    // blocks arriving at their own rates, the chunk right after frame n may
    // follow a later frame.
    const std::vector<AviIndexEntry>& audio = clip.audio_index.entries;
    std::size_t cursor = 1;
    while (cursor <= audio.size() && audio[cursor - 1].tag < n) ++cursor;
    clip.audio_index.cursor = cursor;
    if (cursor > audio.size()) return -1;
  }
  return 0;
}

int AviReadVideoFrame(AviClip& clip, std::span<std::uint8_t> buffer, DWORD* bytes_read) {
  return ReadEntry(clip.video_file, clip.video_index, buffer, bytes_read);
}

int AviReadAudioChunk(AviClip& clip, std::span<std::uint8_t> buffer, DWORD* bytes_read) {
  return ReadEntry(clip.audio_file, clip.audio_index, buffer, bytes_read);
}

}  // namespace clip
