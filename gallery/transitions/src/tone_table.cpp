#include "gallery/transitions/tone_table.h"

namespace gallery::transitions {
namespace {

struct ToneStop {
  int index;
  ToneColour colour;
};

// The ramp's fixed points; the entries between them are interpolated.
constexpr ToneStop kStops[] = {
    {0, {0, 0, 0}},         {32, {55, 26, 3}},      {64, {115, 79, 40}},
    {96, {158, 116, 78}},   {128, {191, 144, 111}}, {160, {209, 174, 149}},
    {192, {224, 200, 180}}, {224, {237, 220, 207}}, {255, {255, 255, 255}},
};

constexpr std::uint8_t Between(int from, int to, int offset, int span) {
  return static_cast<std::uint8_t>(from + ((to - from) * offset + span / 2) / span);
}

constexpr std::array<ToneColour, 256> BuildTable() {
  std::array<ToneColour, 256> table{};
  for (std::size_t stop = 0; stop + 1 < std::size(kStops); ++stop) {
    const ToneStop& low = kStops[stop];
    const ToneStop& high = kStops[stop + 1];
    const int span = high.index - low.index;
    for (int index = low.index; index <= high.index; ++index) {
      const int offset = index - low.index;
      table[index] = {Between(low.colour.red, high.colour.red, offset, span),
                      Between(low.colour.green, high.colour.green, offset, span),
                      Between(low.colour.blue, high.colour.blue, offset, span)};
    }
  }
  return table;
}

constexpr std::array<ToneColour, 256> kTable = BuildTable();

}  // namespace

const std::array<ToneColour, 256>& ToneTable() { return kTable; }

}  // namespace gallery::transitions
