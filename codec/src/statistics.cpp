#include "statistics.h"

#include <algorithm>

#include "colour_tables.h"

namespace codec {
namespace {

struct Window {
  int columns, rows, column, row, weight;
};
constexpr Window kWindows320[3] = {{28, 22, 6, 4, 1}, {18, 20, 11, 5, 1}, {10, 16, 15, 7, 2}};
constexpr Window kWindows160[3] = {{14, 11, 3, 2, 1}, {10, 9, 5, 3, 1}, {6, 7, 7, 4, 2}};

uint8_t Mean(uint64_t sum, uint64_t count) {
  return static_cast<uint8_t>(std::min<uint64_t>((sum + count / 2) / count, 255));
}

// Where the sample of the block at grid line `row`, column `column` was kept:
// blocks arrive in MCU order, each MCU holding its luma blocks line by line.
int SampleIndex(const FrameState& frame, int row, int column) {
  const Component& luma = frame.components[1];
  const int h = std::max<int>(luma.h, 1), v = std::max<int>(luma.v, 1);
  const int mcu = (row / v) * frame.mcus_per_row + column / h;
  return mcu * h * v + (row % v) * h + column % h;
}

struct ColourSums {
  uint64_t red = 0, green = 0, blue = 0, count = 0;
};

void AddIfGrey(const StatisticsState& statistics, int32_t luma, uint8_t cb, uint8_t cr,
               ColourSums& sums) {
  const ChromaTerms terms = TermsOf(cb, cr);
  const int32_t red = ClampQuarter(luma + terms.red);
  const int32_t green = ClampQuarter(luma + terms.green);
  const int32_t blue = ClampQuarter(luma + terms.blue);
  if (green == 0) return;
  const int32_t red_ratio = 256 * red / green;
  const int32_t blue_ratio = 256 * blue / green;
  const auto& window = statistics.grey_window;
  if (red_ratio <= window[0] || red_ratio >= window[1]) return;
  if (blue_ratio <= window[2] || blue_ratio >= window[3]) return;
  sums.red += static_cast<uint64_t>(red);
  sums.green += static_cast<uint64_t>(green);
  sums.blue += static_cast<uint64_t>(blue);
  ++sums.count;
}

}  // namespace

void ComputeStatistics(StatisticsState& statistics, const FrameState& frame) {
  const int grid_width = frame.width / 8;
  const int grid_height = frame.height / 8;
  const Window* windows = nullptr;
  if (frame.width == 320 && grid_height == 30) windows = kWindows320;
  if (frame.width == 160 && grid_height == 15) windows = kWindows160;
  if (windows == nullptr) return;

  const auto& luma = statistics.samples[0];
  const int luma_count = statistics.counts[0];
  uint64_t sum = 0;
  uint64_t count = 0;
  for (int i = 0; i < luma_count; ++i) sum += luma[i];
  count = static_cast<uint64_t>(luma_count);
  if (statistics.option == 2) {
    for (int w = 0; w < 3; ++w) {
      const Window& window = windows[w];
      for (int r = window.row; r < window.row + window.rows && r < grid_height; ++r) {
        for (int c = window.column; c < window.column + window.columns && c < grid_width; ++c) {
          const int index = SampleIndex(frame, r, c);
          if (index >= luma_count) continue;
          sum += static_cast<uint64_t>(luma[index]) * window.weight;
          count += static_cast<uint64_t>(window.weight);
        }
      }
    }
  }
  statistics.result.mean_luminance = count == 0 ? 0 : Mean(sum, count);

  ColourSums sums;
  const auto& cb = statistics.samples[1];
  const auto& cr = statistics.samples[2];
  const int chroma_count = std::min(statistics.counts[1], statistics.counts[2]);
  if (frame.sampling == SamplingKind::k444) {
    for (int i = 0; i < std::min(luma_count, chroma_count); ++i) {
      AddIfGrey(statistics, kColour.luma[luma[i]], cb[i], cr[i], sums);
    }
  } else if (frame.sampling == SamplingKind::k420) {
    // The four luma blocks of an MCU share its chroma; their luma is
    // averaged in quarter levels.
    for (int i = 0; i < std::min(luma_count / 4, chroma_count); ++i) {
      const int32_t quarter = (kColour.luma[luma[4 * i]] + kColour.luma[luma[4 * i + 1]] +
                               kColour.luma[luma[4 * i + 2]] + kColour.luma[luma[4 * i + 3]]) /
                              4;
      AddIfGrey(statistics, quarter, cb[i], cr[i], sums);
    }
  }
  statistics.result.mean_red = sums.count == 0 ? 0 : Mean(sums.red, sums.count);
  statistics.result.mean_green = sums.count == 0 ? 0 : Mean(sums.green, sums.count);
  statistics.result.mean_blue = sums.count == 0 ? 0 : Mean(sums.blue, sums.count);
}

}  // namespace codec
