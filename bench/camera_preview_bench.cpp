// The live preview as a person sees it: the emulator on the real clock
// with the simulated card inserted, the driver started the camera program,
// and the program fetches, decodes and paints every frame. Reports the
// sustained rate (its limit: three fetches in every four 30 ms ticks, 25
// frames a second) and the processor the programs use, that is the
// process's time less what the simulated card spends making its pictures
// (the real card's hardware does that).
#include <benchmark/benchmark.h>

#include <chrono>
#include <filesystem>
#include <memory>
#include <sstream>

#include "camera/session/camera_state.h"
#include "camera/settings/settings_store.h"
#include "card_steps.h"
#include "emulator.h"
#include "emulator_run.h"
#include "platform/profile.h"
#include "platform/testing/temp_handheld.h"
#include "script_runner.h"

namespace {

using bench::ProcessCpuTime;
using bench::RunScript;

void CameraPreview(benchmark::State& state, int aviresolution, const char* settle_script) {
  const std::filesystem::path root = platform::testing::MakeTemporaryFolder("orsa-preview-bench");
  double rate = 0;
  double program_cpu = 0;
  double card_cpu = 0;
  {
    handheld::EmulatorOptions options(root);
    options.real_time = true;
    handheld::Emulator emulator(options);
    // The preview size is a setting of the camera's.
    platform::Profile(camera::kSettingsRegistryKey, camera::kApplicationName)
        .WriteProfileInt(camera::kSettingsSection, "aviresolution", aviresolution);
    if (!RunScript(emulator, settle_script)) {
      state.SkipWithError("the camera did not start");
      return;
    }
    std::shared_ptr<card::CameraCard> inserted = handheld::InsertedCameraCard(emulator);
    for (auto _ : state) {
      const std::uint64_t paints_before = camera::Camera().painted.paints;
      const auto cpu_before = ProcessCpuTime();
      const auto card_before = inserted->SimulationCpuTime();
      const auto wall_before = std::chrono::steady_clock::now();
      RunScript(emulator, "wait 5000\n");
      const double seconds =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_before).count();
      const std::uint64_t paints = camera::Camera().painted.paints - paints_before;
      const double cpu = std::chrono::duration<double>(ProcessCpuTime() - cpu_before).count();
      const double card =
          std::chrono::duration<double>(inserted->SimulationCpuTime() - card_before).count();
      rate = static_cast<double>(paints) / seconds;
      program_cpu = 100.0 * (cpu - card) / seconds;
      card_cpu = 100.0 * card / seconds;
    }
    RunScript(emulator, "remove-card\nwait 500\n");
  }
  std::filesystem::remove_all(root);
  state.counters["fps"] = rate;
  state.counters["limit_fps"] = 25;
  state.counters["program_cpu_percent"] = program_cpu;
  state.counters["card_simulation_cpu_percent"] = card_cpu;
}

constexpr char kStart[] = "insert-card\nexpect-window Dialog \"Quillon Camera\"\nwait 3000\n";
constexpr char kStartZoomed[] =
    "insert-card\nexpect-window Dialog \"Quillon Camera\"\nwait 1000\nkey app4\nwait 2000\n";

BENCHMARK_CAPTURE(CameraPreview, stream_320x240, 0, kStart)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(CameraPreview, stream_320x240_zoom_2x, 0, kStartZoomed)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(CameraPreview, stream_160x120, 1, kStart)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
