// The three quality indexes: their DQT tables (luminance then chrominance,
// 64 values each in zig-zag order) and the module's quantiser codes for the
// same values.
#pragma once

#include <span>

#include "driver_state.h"

namespace orsadrv {

inline constexpr int kQualityIndexes = 3;
inline constexpr int kPreviewQuality = 2;

// quality_index 0..2; anything else is taken as 0.
std::span<const BYTE, 128> QuantiserCodes(int quality_index);
std::span<const BYTE, 128> DqtValues(int quality_index);

}  // namespace orsadrv
