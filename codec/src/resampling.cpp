#include "resampling.h"

#include <algorithm>

namespace codec {

void SetUpResampling(const ResamplingSetup& setup, ResamplingState& state) {
  state = ResamplingState{};
  state.output_width = setup.output_width;
  state.source_width = setup.scaled_width;
  state.exact_fit =
      setup.scaled_width == setup.output_width && setup.scaled_height == setup.output_height;

  state.h_ratio = (setup.output_width << 12) / setup.scaled_width;
  state.v_ratio = (setup.output_height << 12) / setup.scaled_height;
  int32_t larger = state.h_ratio;
  if (state.exact_fit || state.h_ratio == state.v_ratio) {
    state.step = state.h_ratio;
  } else if (state.h_ratio < state.v_ratio) {
    // Fitted to the width: black lines above and below.
    const int margin =
        setup.output_height -
        static_cast<int>((int64_t{setup.scaled_height} * state.h_ratio + 4095) >> 12);
    state.odd_margin = margin % 2 != 0;
    state.top_margin = std::max(margin / 2, 0);
    state.step = state.h_ratio;
    larger = state.v_ratio;
  } else {
    // Fitted to the height: black columns left and right.
    const int margin = setup.output_width -
                       static_cast<int>((int64_t{setup.scaled_width} * state.v_ratio + 4095) >> 12);
    state.left_margin = std::max(margin / 2, 0);
    state.odd_margin = margin % 2 != 0;
    state.side_margin = true;
    state.step = state.v_ratio;
  }
  state.threshold = kUnit - larger / 2;
  state.line_accumulator = kUnit;

  if (setup.reduction == 8) {
    state.kind = ConverterKind::kGeneral;
  } else if (state.exact_fit) {
    state.kind = ConverterKind::kOneToOne;
  } else if (state.h_ratio == 3072 && state.v_ratio == 3072) {
    state.kind = setup.fast_three_quarter ? ConverterKind::kThreeQuarterFixed
                                          : ConverterKind::kThreeQuarterAccumulator;
  } else {
    state.kind = ConverterKind::kGeneral;
  }

  if (state.kind == ConverterKind::kGeneral) {
    const int room = setup.output_width - state.left_margin;
    int32_t accumulator = kUnit;
    for (int x = 0; x < setup.scaled_width && state.column_count < room; ++x) {
      if (AccumulatorTakes(accumulator, state.step, state.threshold)) {
        state.columns[state.column_count++] = static_cast<uint32_t>(x);
      }
    }
  }
  state.converter = PickConverter(state.kind, setup.chroma, setup.bytes_per_pixel);
}

}  // namespace codec
