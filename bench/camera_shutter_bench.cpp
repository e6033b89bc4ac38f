// Taking a picture as a person does: the emulator on the real clock with
// the simulated card, the driver and the camera program; the action key
// is pressed and the clock runs until the picture is whole on the volume
// and until the live preview paints again. The card's own share is the
// time spent in the calls to its driver (stop preview, snapshot, start
// preview): the card's hardware sequences (settling, raw frames,
// compression) and its data over the bus. What is left is what the
// program adds: the key, the file checks, the settling pause and the
// first paint. The simulated card's processor time (the
// real card's hardware work) is reported beside it.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <thread>

#include "camera/session/camera_state.h"
#include "camera/settings/settings_store.h"
#include "card_steps.h"
#include "emulator.h"
#include "emulator_run.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/profile.h"
#include "platform/testing/temp_handheld.h"
#include "platform/window.h"

namespace {

using Clock = std::chrono::steady_clock;

double Milliseconds(Clock::duration span) {
  return std::chrono::duration<double, std::milli>(span).count();
}

void Shutter(benchmark::State& state, int resolution) {
  const std::filesystem::path root = platform::testing::MakeTemporaryFolder("orsa-shutter-bench");
  double to_file_ms = 0, to_preview_ms = 0, card_ms = 0, simulation_ms = 0;
  int pictures = 0;
  {
    handheld::EmulatorOptions options(root);
    options.real_time = true;
    handheld::Emulator emulator(options);
    platform::Profile settings(camera::kSettingsRegistryKey, camera::kApplicationName);
    settings.WriteProfileInt(camera::kSettingsSection, "resolution", resolution);
    settings.WriteProfileInt(camera::kSettingsSection, "instant review", 0);
    settings.WriteProfileInt(camera::kSettingsSection, "camera sound", 0);
    if (!bench::RunScript(emulator,
                          "insert-card\nexpect-window Dialog \"Quillon Camera\"\nwait 2000\n")) {
      state.SkipWithError("the camera did not start");
      return;
    }
    std::shared_ptr<card::CameraCard> card = handheld::InsertedCameraCard(emulator);
    camera::CameraState& camera = camera::Camera();
    for (auto _ : state) {
      ++pictures;
      char name[64];
      std::snprintf(name, sizeof name, "\\My Documents\\My Pictures\\snap%04d.jpg", pictures);
      const std::filesystem::path picture =
          emulator.handheld().files().HostPath(name).value_or(std::filesystem::path());
      const auto card_before = card->SimulationCpuTime();
      const std::uint64_t calls_before = camera.device_call_us;
      const Clock::time_point pressed = Clock::now();
      platform::PostMessage(camera.main_window, platform::WM_KEYUP, platform::VK_ACTION, 0);
      const Clock::time_point give_up = pressed + std::chrono::seconds(20);
      Clock::time_point on_volume{}, preview_again{};
      std::uint64_t paints_on_volume = 0;
      while (Clock::now() < give_up) {
        if (on_volume == Clock::time_point{}) {
          if (!camera.capturing && std::filesystem::exists(picture)) {
            on_volume = Clock::now();
            paints_on_volume = camera.painted.paints;
          }
        } else if (camera.painted.paints > paints_on_volume) {
          preview_again = Clock::now();
          break;
        }
        std::this_thread::sleep_for(std::chrono::microseconds(100));
      }
      if (preview_again == Clock::time_point{}) {
        state.SkipWithError("no picture, or the preview did not come back");
        break;
      }
      to_file_ms += Milliseconds(on_volume - pressed);
      to_preview_ms += Milliseconds(preview_again - pressed);
      card_ms += static_cast<double>(camera.device_call_us - calls_before) / 1000.0;
      simulation_ms += Milliseconds(card->SimulationCpuTime() - card_before);
      // Let the preview settle before the next press.
      bench::RunScript(emulator, "wait 500\n");
    }
    bench::RunScript(emulator, "remove-card\nwait 500\n");
  }
  std::filesystem::remove_all(root);
  if (pictures == 0) return;
  const double n = pictures;
  state.counters["to_volume_ms"] = to_file_ms / n;
  state.counters["to_preview_ms"] = to_preview_ms / n;
  state.counters["card_own_ms"] = card_ms / n;
  state.counters["card_simulation_cpu_ms"] = simulation_ms / n;
  state.counters["program_adds_ms"] = (to_preview_ms - card_ms) / n;
  state.counters["target_program_adds_ms"] = 50;
}

// Settings "resolution": 1 takes 1280x960, 3 takes 320x240.
BENCHMARK_CAPTURE(Shutter, still_1280x960, 1)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(Shutter, still_320x240, 3)
    ->Iterations(5)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
