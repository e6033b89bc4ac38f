#include "resample.h"

#include <algorithm>
#include <cstdint>
#include <new>
#include <vector>

namespace imaging {

namespace {

// Weights of one output pixel sum to kOne.
constexpr int kWeightBits = 12;
constexpr std::uint32_t kOne = 1u << kWeightBits;

struct Tap {
  int source;
  std::uint32_t weight;
};

// For each output index, the source indices it covers and their weights.
// Output i spans [i * from, (i + 1) * from) and source j spans
// [j * to, (j + 1) * to), both in units of 1 / (from * to) of the picture.
struct Taps {
  std::vector<int> first;  // index into taps, one more than outputs
  std::vector<Tap> taps;
};

Taps MakeTaps(int from, int to) {
  Taps result;
  result.first.reserve(to + 1);
  for (int i = 0; i < to; ++i) {
    result.first.push_back(static_cast<int>(result.taps.size()));
    const std::int64_t begin = std::int64_t{i} * from;
    const std::int64_t end = begin + from;
    std::uint32_t total = 0;
    for (std::int64_t j = begin / to; j * to < end && j < from; ++j) {
      const std::int64_t covered = std::min(end, (j + 1) * to) - std::max(begin, j * to);
      const auto weight = static_cast<std::uint32_t>((covered * kOne + from / 2) / from);
      result.taps.push_back({static_cast<int>(j), weight});
      total += weight;
    }
    // Rounding leftovers go to the largest share so a flat area stays flat.
    Tap* largest = &result.taps[result.first.back()];
    for (std::size_t t = result.first.back(); t < result.taps.size(); ++t) {
      if (result.taps[t].weight > largest->weight) largest = &result.taps[t];
    }
    largest->weight += kOne - total;
  }
  result.first.push_back(static_cast<int>(result.taps.size()));
  return result;
}

}  // namespace

std::unique_ptr<Bitmap> Resample(const Bitmap& source, Size size) {
  std::unique_ptr<Bitmap> result = Bitmap::Create(size.width, size.height);
  if (!result) return nullptr;
  try {
    const Taps across = MakeTaps(source.width(), size.width);
    const Taps down = MakeTaps(source.height(), size.height);
    const std::size_t row_values = static_cast<std::size_t>(size.width) * 3;
    // One source row reduced across, in 1/256 steps.
    std::vector<std::uint16_t> reduced(row_values);
    std::vector<std::uint32_t> sums(row_values);
    for (int y = 0; y < size.height; ++y) {
      std::fill(sums.begin(), sums.end(), 0u);
      for (int t = down.first[y]; t < down.first[y + 1]; ++t) {
        const std::uint8_t* row = source.Row(down.taps[t].source);
        for (int x = 0; x < size.width; ++x) {
          std::uint32_t blue = 0, green = 0, red = 0;
          for (int s = across.first[x]; s < across.first[x + 1]; ++s) {
            const std::uint8_t* pixel = row + across.taps[s].source * 3;
            const std::uint32_t weight = across.taps[s].weight;
            blue += pixel[0] * weight;
            green += pixel[1] * weight;
            red += pixel[2] * weight;
          }
          constexpr int kShift = kWeightBits - 8;
          constexpr std::uint32_t kHalf = 1u << (kShift - 1);
          reduced[x * 3] = static_cast<std::uint16_t>((blue + kHalf) >> kShift);
          reduced[x * 3 + 1] = static_cast<std::uint16_t>((green + kHalf) >> kShift);
          reduced[x * 3 + 2] = static_cast<std::uint16_t>((red + kHalf) >> kShift);
        }
        const std::uint32_t weight = down.taps[t].weight;
        for (std::size_t v = 0; v < row_values; ++v) sums[v] += reduced[v] * weight;
      }
      std::uint8_t* out = result->Row(y);
      constexpr int kShift = kWeightBits + 8;
      constexpr std::uint32_t kHalf = 1u << (kShift - 1);
      for (std::size_t v = 0; v < row_values; ++v) {
        const std::uint32_t value = (sums[v] + kHalf) >> kShift;
        out[v] = static_cast<std::uint8_t>(value > 255 ? 255 : value);
      }
    }
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
  return result;
}

}  // namespace imaging
