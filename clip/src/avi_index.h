// The "idx1" index of a clip, split into the video index (frames numbered
// 1, 2, 3, ...) and the audio index (each chunk tagged with the number of
// the last frame before it).
#pragma once

#include <cstddef>
#include <cstdint>

#include "clip/avi_clip.h"
#include "file_reads.h"

namespace clip {

// Each index keeps at most this many entries (a full-size clip has a few
// thousand); a damaged size cannot make the reader take all memory.
inline constexpr std::size_t kMaxIndexEntries = 262'144;

// Reads the `size` bytes of index data at `position`. Offsets count from the
// "movi" code, so a chunk's data is at movi_position + offset + 4. Entries of
// size 0 and entries whose data does not lie wholly inside the file are
// left out.
void ReadIndex(WindowedReads& reads, std::uint64_t position, DWORD size,
               std::uint64_t movi_position, AviClip& clip);

}  // namespace clip
