// The camera module's programming data as the driver uses it, taken from
// the driver's own tables: capture-type geometry, sensor start-up table,
// white-balance gain sets, quantiser codes and the matching quantisation
// tables; with the per-type rules the card's tests check the card by.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <utility>
#include <vector>

namespace card::testing {

struct TypeGeometry {
  int type;
  int x, width, y, height;  // sensor window
  int line_width;           // 90/91
  int scaler[4];            // 112-115
  int columns, rows;        // 117, 118 (minus one)
  int output_width, output_height;
};

// Null for a type without geometry.
const TypeGeometry* Geometry(int type);
// The compression-format byte of a preview or still type.
std::uint8_t CompressionFormat(int type, bool black_and_white);
// 1 for 4:4:4, 2 for 4:2:0.
int LumaSampling(int type);
// The sensor exposure for a preview (still = false) or still of the type.
int SensorExposure(int type, int exposure_value, bool still);

std::span<const std::pair<std::uint8_t, std::uint8_t>> SensorStartupTable();
// Gain sets 0-3: four 16-bit gains.
std::array<int, 4> GainSet(int set);

// Per quality index 0-2: 128 codes, and the 128 quantiser steps (luminance
// then chrominance, zig-zag order).
const std::array<std::uint8_t, 128>& QuantiserCodes(int quality);
const std::array<std::uint8_t, 128>& QuantisationTable(int quality);

}  // namespace card::testing
