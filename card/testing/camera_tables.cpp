#include "card_testing/camera_tables.h"

#include <initializer_list>
#include <sstream>
#include <string>
#include <vector>

namespace card::testing {

namespace {

constexpr TypeGeometry kGeometry[] = {
    {0, 38, 1288, 8, 1032, 1288, {24, 24, 8, 8}, 79, 63, 1280, 1024},
    {1, 38, 1288, 68, 968, 1288, {24, 24, 8, 8}, 79, 59, 1280, 960},
    {2, 42, 1280, 18, 960, 1280, {16, 16, 0, 0}, 79, 59, 640, 480},
    {3, 32, 648, 2, 488, 648, {24, 24, 8, 8}, 39, 29, 640, 480},
    {4, 24, 640, 17, 480, 640, {16, 16, 0, 0}, 39, 29, 320, 240},
    {5, 15, 328, 3, 248, 328, {24, 24, 8, 8}, 19, 14, 320, 240},
    {6, 15, 320, 3, 240, 320, {16, 16, 0, 0}, 19, 14, 160, 120},
    {7, 288, 648, 254, 488, 648, {24, 24, 8, 8}, 39, 29, 640, 480},
    {8, 304, 640, 178, 480, 640, {16, 16, 0, 0}, 39, 29, 320, 240},
    {9, 176, 328, 131, 248, 328, {24, 24, 8, 8}, 19, 14, 320, 240},
    {17, 502, 328, 372, 248, 328, {24, 24, 8, 8}, 19, 14, 320, 240},
    {20, 190, 320, 121, 240, 320, {16, 16, 0, 0}, 19, 14, 160, 120},
    {21, 518, 320, 372, 240, 320, {16, 16, 0, 0}, 19, 14, 160, 120},
};

constexpr const char* kSensorTable =
    "01=10 03=00 04=01 05=00 06=02 08=00 03=01 04=10 05=80 06=03 08=00 03=02 04=16 05=00 06=02 "
    "08=00 03=03 04=1C 05=00 06=06 08=00 03=04 04=1E 05=00 06=0E 08=00 03=05 04=20 05=00 06=06 "
    "08=00 03=06 04=FD 05=0B 06=06 08=00 03=07 04=FF 05=03 06=06 08=00 03=08 04=01 05=14 06=06 "
    "08=00 03=09 04=11 05=94 06=0F 08=00 03=0A 04=17 05=94 06=07 08=00 03=0B 04=E0 05=1D 06=06 "
    "08=00 03=0C 04=F4 05=15 06=06 08=00 03=0D 04=F6 05=05 06=06 08=00 07=0E 1C=37 1D=04 00=04 "
    "0C=F7 0D=05 99=F7 9A=05 0E=98 0F=08 9B=E1 9C=05 01=01 40=00 41=00 11=10 00=84 94=00 91=68 "
    "57=07 56=BA 55=03 54=92 00=08 01=0F 02=00 52=0D 00=8C";

constexpr const char* kCodes[3] = {
    "58 58 58 58 58 58 48 48 48 48 38 40 40 40 38 28 69 28 28 69 28 20 28 28 49 28 28 20 6a 20 20 "
    "20 20 20 20 6a 6a 6a 6a 5a 6a 6a 6a 5a 5a 29 29 5a 5a 4a 10 7b 10 4a 6b 19 19 6b 2a 2a 2a 08 "
    "08 1a 58 58 58 58 58 58 48 58 58 48 40 48 40 48 40 69 38 38 38 38 69 28 28 28 28 28 28 28 20 "
    "49 28 20 20 28 49 20 7a 20 7a 7a 7a 20 7a 6a 6a 5a 5a 6a 6a 5a 29 29 29 5a 10 10 10 10 3a 6b "
    "6b 2a 2a 08",
    "68 68 68 68 68 68 68 68 68 68 68 68 68 68 68 58 68 68 68 68 58 58 58 58 58 58 58 58 40 48 48 "
    "48 48 48 48 40 40 40 40 40 40 40 40 38 38 38 38 38 38 69 28 28 28 69 28 28 28 28 49 20 49 20 "
    "20 5a 68 68 68 68 68 68 68 68 68 68 68 68 68 68 68 68 68 68 68 68 68 58 68 68 58 68 68 58 48 "
    "58 58 58 58 58 58 48 48 48 48 48 48 48 48 40 40 40 40 40 40 38 38 69 38 38 69 28 28 69 28 28 "
    "28 49 49 20",
    "48 48 48 28 28 28 7a 20 20 7a 10 5a 29 5a 10 2a 7b 3a 3a 7b 2a 3b 4b 4b 08 4b 4b 3b 09 1a 1a "
    "2b 2b 1a 1a 09 09 09 09 1b 09 09 09 1b 1b 0a 0a 1b 1b 0a 0a 0a 0a 0a 0a 0a 0a 0a 0a 0a 0a 0a "
    "0a 0a 48 48 48 69 69 69 20 49 49 20 29 6a 5a 6a 29 3a 10 10 10 10 6b 4b 6b 6b 2a 6b 6b 4b 1a "
    "08 08 3b 3b 08 08 1a 2b 1a 2b 09 2b 1a 2b 09 09 1b 1b 09 09 1b 0a 0a 0a 1b 0a 0a 0a 0a 0a 0a "
    "0a 0a 0a 0a",
};

constexpr const char* kTables[3] = {
    "6 6 6 6 6 6 7 7 7 7 9 8 8 8 9 13 10 13 13 10 13 16 13 13 14 13 13 16 20 16 16 16 16 16 16 20 "
    "20 20 20 23 20 20 20 23 23 26 26 23 23 28 32 34 32 28 39 43 43 39 51 51 51 64 64 85 "
    "6 6 6 6 6 6 7 6 6 7 8 7 8 7 8 10 9 9 9 9 10 13 13 13 13 13 13 13 16 14 13 16 16 13 14 16 17 "
    "16 17 17 17 16 17 20 20 23 23 20 20 23 26 26 26 23 32 32 32 32 37 39 39 51 51 64",
    "5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 6 5 5 5 5 6 6 6 6 6 6 6 6 8 7 7 7 7 7 7 8 8 8 8 8 8 8 8 9 9 9 "
    "9 9 9 10 13 13 13 10 13 13 13 13 14 16 14 16 16 23 "
    "5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 5 6 5 5 6 5 5 6 7 6 6 6 6 6 6 7 7 7 7 7 7 7 7 8 8 8 "
    "8 8 8 9 9 10 9 9 10 13 13 10 13 13 13 14 14 16",
    "7 7 7 13 13 13 17 16 16 17 32 23 26 23 32 51 34 37 37 34 51 73 57 57 64 57 57 73 128 85 85 "
    "102 102 85 85 128 128 128 128 171 128 128 128 171 171 255 255 171 171 255 255 255 255 255 255 "
    "255 255 255 255 255 255 255 255 255 "
    "7 7 7 10 10 10 16 14 14 16 26 20 23 20 26 37 32 32 32 32 39 57 39 39 51 39 39 57 85 64 64 73 "
    "73 64 64 85 102 85 102 128 102 85 102 128 128 171 171 128 128 171 255 255 255 171 255 255 255 "
    "255 255 255 255 255 255 255",
};

std::array<std::uint8_t, 128> Parse(const char* text, int base) {
  std::array<std::uint8_t, 128> values{};
  std::istringstream in(text);
  for (auto& value : values) {
    int number = 0;
    in >> (base == 16 ? std::hex : std::dec) >> number;
    value = static_cast<std::uint8_t>(number);
  }
  return values;
}

}  // namespace

const TypeGeometry* Geometry(int type) {
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
  static const std::vector<std::pair<std::uint8_t, std::uint8_t>> table = [] {
    std::vector<std::pair<std::uint8_t, std::uint8_t>> pairs;
    std::istringstream in(kSensorTable);
    std::string pair;
    while (in >> pair) {
      pairs.emplace_back(static_cast<std::uint8_t>(std::stoi(pair.substr(0, 2), nullptr, 16)),
                         static_cast<std::uint8_t>(std::stoi(pair.substr(3, 2), nullptr, 16)));
    }
    return pairs;
  }();
  return table;
}

std::array<int, 4> GainSet(int set) {
  static constexpr std::array<int, 4> kSets[4] = {
      {320, 256, 256, 320}, {419, 256, 256, 290}, {477, 256, 256, 256}, {355, 256, 256, 365}};
  return kSets[set & 3];
}

const std::array<std::uint8_t, 128>& QuantiserCodes(int quality) {
  static const std::array<std::array<std::uint8_t, 128>, 3> codes = {
      Parse(kCodes[0], 16), Parse(kCodes[1], 16), Parse(kCodes[2], 16)};
  return codes[quality];
}

const std::array<std::uint8_t, 128>& QuantisationTable(int quality) {
  static const std::array<std::array<std::uint8_t, 128>, 3> tables = {
      Parse(kTables[0], 10), Parse(kTables[1], 10), Parse(kTables[2], 10)};
  return tables[quality];
}

}  // namespace card::testing
