// The header area at the start of a clip: RIFF, the header list with the
// main header and one stream list per stream, the JUNK filler and the "movi"
// list header, which together fill the 2,048 bytes reserved at creation.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "recording/avi_stream.h"
#include "recording/avi_writer.h"

namespace recording {

inline constexpr DWORD kHeaderAreaBytes = 2048;
inline constexpr DWORD kMoviListOffset = 2036;
// Index offsets count from the "movi" code, 8 bytes into the list.
inline constexpr DWORD kMoviCodeOffset = 2044;
// A larger header list would not leave room for the JUNK chunk.
inline constexpr DWORD kMaxHeaderListBytes = 1792;

// Size of the header list ("hdrl" code, main header, stream lists).
DWORD HeaderListBytes(std::span<const AviStream* const> streams);

// The header area for a file whose length before the index is
// `movi_end` (the "movi" list runs from 2036 to there).
std::vector<std::uint8_t> BuildHeaderArea(const AviMainHeader& main,
                                          std::span<const AviStream* const> streams,
                                          DWORD movi_end);

}  // namespace recording
