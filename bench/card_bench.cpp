// The card's time for one preview scan: the virtual clock jumps past the
// frame's deadlines, and the next status poll makes the card capture the
// raw frame from the scene and compress it; that poll is what is timed.
#include <benchmark/benchmark.h>

#include <memory>

#include "card/camera_card.h"
#include "card_testing/bus_client.h"
#include "card_testing/module_programming.h"
#include "platform/sd_bus.h"
#include "platform/testing/temp_handheld.h"
#include "platform/time.h"

namespace {

void PreviewScan(benchmark::State& state, int type) {
  platform::testing::TempHandheld handheld;
  auto card = std::make_shared<card::CameraCard>();
  auto& bus = handheld.handheld().GetService<platform::sd::SdBus>();
  bus.InsertCard(card);
  card::testing::BusClient client(*bus.DeviceHandle());
  client.EnableFunction();
  client.SetClock(20'000'000);
  card::testing::ModuleProgrammer programmer(client);
  if (!programmer.StartUp()) {
    state.SkipWithError("the module did not start");
    return;
  }
  programmer.ConfigurePreview(type);
  int n = 0;
  for (auto _ : state) {
    state.PauseTiming();
    programmer.ReArm(n++);
    platform::clock::Advance(60);
    state.ResumeTiming();
    benchmark::DoNotOptimize(client.Read(0, 5));  // the frame is made here
    state.PauseTiming();
    if (!(client.ReadModule(94) & 2)) state.SkipWithError("no frame");
    state.ResumeTiming();
  }
}

BENCHMARK_CAPTURE(PreviewScan, type4_320x240_444, 4)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PreviewScan, type9_320x240_420_zoom, 9)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(PreviewScan, type6_160x120_444, 6)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
