// The preview stream as the camera application sees it, on the real clock:
// the card, the driver's 30 ms tick and the GET_FRAME answers together.
// The rate counts frames with a picture from the first one on.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <optional>
#include <utility>

#include "card_session.h"
#include "platform/time.h"

namespace {

constexpr int kFrames = 100;

void PreviewRate(benchmark::State& state, int type, const char* model_id) {
  double rate = 0;
  for (auto _ : state) {
    orsacard::SessionConfig config;
    config.real_time = true;
    config.model_id = model_id;
    orsacard::CardSession session(std::move(config));
    if (!session.Start({}) || !session.StartPreview(type)) {
      state.SkipWithError(session.error().c_str());
      return;
    }
    int pictures = 0;
    std::optional<std::uint64_t> first_ms;
    std::uint64_t last_ms = 0;
    const bool ran = session.RunPreview(kFrames, [&](const orsacard::PreviewFrame& frame) {
      if (frame.scan.empty()) return true;
      if (!first_ms) first_ms = frame.time_ms;
      last_ms = frame.time_ms;
      ++pictures;
      return true;
    });
    session.StopPreview();
    if (!ran || !first_ms || last_ms <= *first_ms) {
      state.SkipWithError("the preview did not run");
      return;
    }
    rate = (pictures - 1) * 1000.0 / static_cast<double>(last_ms - *first_ms);
  }
  state.counters["fps"] = rate;
  state.counters["limit_fps"] = 25;
}

// Without the model library the driver keeps the 15 MHz bus clock; a
// model id of class "22" selects 20 MHz.
BENCHMARK_CAPTURE(PreviewRate, type4_real_time_15MHz, 4, "")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(PreviewRate, type4_real_time_20MHz, 4, "PPC2201")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
