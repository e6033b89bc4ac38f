#include "card_testing/camera_tables.h"

#include <algorithm>
#include <initializer_list>

#include "driver/module_tables.h"

namespace card::testing {

namespace {

// The types the card's tests program: those with the whole geometry.
std::vector<TypeGeometry> MakeGeometry() {
  std::vector<TypeGeometry> types;
  for (int type = 0; type < 256; ++type) {
    const auto geometry = orsadrv::GeometryOf(static_cast<std::uint8_t>(type));
    if (!geometry || !geometry->has_scaler) continue;
    types.push_back({type,
                     geometry->x,
                     geometry->width,
                     geometry->y,
                     geometry->height,
                     geometry->line_width,
                     {geometry->grid[0], geometry->grid[1], geometry->grid[2], geometry->grid[3]},
                     geometry->columns_minus_one,
                     geometry->rows_minus_one,
                     geometry->output_width,
                     geometry->output_height});
  }
  return types;
}

std::array<std::uint8_t, 128> Copy(std::span<const std::uint8_t, 128> values) {
  std::array<std::uint8_t, 128> copy{};
  std::copy(values.begin(), values.end(), copy.begin());
  return copy;
}

}  // namespace

const TypeGeometry* Geometry(int type) {
  static const std::vector<TypeGeometry> kGeometry = MakeGeometry();
  for (const TypeGeometry& geometry : kGeometry) {
    if (geometry.type == type) return &geometry;
  }
  return nullptr;
}

int LumaSampling(int type) {
  switch (type) {
    case 2:
    case 4:
    case 6:
    case 8:
    case 16:
    case 20:
    case 21:
      return 1;
    default:
      return 2;
  }
}

std::uint8_t CompressionFormat(int type, bool black_and_white) {
  const bool full = LumaSampling(type) == 1;
  if (black_and_white) return full ? 237 : 197;
  return full ? 109 : 69;
}

int SensorExposure(int type, int w, bool still) {
  auto in = [type](std::initializer_list<int> types) {
    for (int t : types) {
      if (t == type) return true;
    }
    return false;
  };
  int g = w;
  if (still) {
    if (in({0, 1, 2, 7, 8, 14, 17, 19})) g = w / 2;
    if (in({5, 6})) g = 2 * w;
  } else {
    if (in({0, 1, 2, 7, 8, 12, 17, 21})) g = w / 2;
    if (in({5, 6, 11})) g = 2 * w;
  }
  return g > 2192 ? 2192 : g;
}

std::span<const std::pair<std::uint8_t, std::uint8_t>> SensorStartupTable() {
  return orsadrv::SensorStartupTable();
}

std::array<int, 4> GainSet(int set) {
  const auto gains = orsadrv::GainSet(static_cast<std::uint8_t>(set & 3));
  return {gains[0], gains[1], gains[2], gains[3]};
}

const std::array<std::uint8_t, 128>& QuantiserCodes(int quality) {
  static const std::array<std::array<std::uint8_t, 128>, 3> codes = {
      Copy(orsadrv::QuantiserCodes(0)), Copy(orsadrv::QuantiserCodes(1)),
      Copy(orsadrv::QuantiserCodes(2))};
  return codes[quality];
}

const std::array<std::uint8_t, 128>& QuantisationTable(int quality) {
  static const std::array<std::array<std::uint8_t, 128>, 3> tables = {
      Copy(orsadrv::DqtValues(0)), Copy(orsadrv::DqtValues(1)), Copy(orsadrv::DqtValues(2))};
  return tables[quality];
}

}  // namespace card::testing
