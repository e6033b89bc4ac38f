// Taking a picture as a person does: the emulator on the real clock with
// the simulated card, the driver and the camera program; the action key
// is pressed and the clock runs until the capture is over (the picture
// whole on the volume and the preview running again: the program's
// capturing flag clear) and then until the first new preview frame is
// painted. The card's own share is the time spent in the calls to its
// driver (stop preview, snapshot, start preview): the card's hardware
// sequences (settling, raw frames, compression) and its data over the bus.
// What is left is what the program adds: the key, the file checks and the
// settling pause after the restart. The simulated card's processor time
// (the real card's hardware work) is reported beside it.
//
// The first new frame then waits for the driver's 30 ms preview timer,
// whose first tick after a start only arms the exposure phase, so the
// first fetch comes on the second tick. The card's transfer log tells
// when that fetch began (its first look at the interrupt register), which
// splits the wait for the first frame into the timer's schedule and the
// fetch, decode and paint of the frame itself.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <thread>
#include <vector>

#include "camera/session/camera_state.h"
#include "camera/settings/settings_store.h"
#include "card_steps.h"
#include "emulator.h"
#include "emulator_run.h"
#include "hardware/camera_registers.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/profile.h"
#include "platform/sd_card.h"
#include "platform/testing/temp_handheld.h"
#include "platform/window.h"

namespace {

double Milliseconds(std::uint64_t from_us, std::uint64_t to_us) {
  return static_cast<double>(to_us - from_us) / 1000.0;
}

// When the driver's first fetch after `since_us` began: its first look at
// the card's interrupt register; 0 when the log has none.
std::uint64_t FirstFetchAfter(const std::vector<card::TraceEntry>& log, std::uint64_t since_us) {
  for (const card::TraceEntry& entry : log) {
    if (entry.time_us >= since_us && entry.kind == card::TraceEntry::Kind::kRead &&
        entry.function == 0 && entry.address == camera_hardware::common::kInterruptPending) {
      return entry.time_us;
    }
  }
  return 0;
}

struct Totals {
  double to_volume_ms = 0, card_ms = 0, simulation_ms = 0;
  double to_first_frame_ms = 0, timer_wait_ms = 0, fetch_to_paint_ms = 0;
};

void Shutter(benchmark::State& state, int resolution) {
  const std::filesystem::path root = platform::testing::MakeTemporaryFolder("orsa-shutter-bench");
  Totals totals;
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
      card->SetTracing(true);
      // The handheld's clock, which also stamps the card's transfer log.
      const std::uint64_t pressed = platform::sd::CardClockUs();
      platform::PostMessage(camera.main_window, platform::WM_KEYUP, platform::VK_ACTION, 0);
      const std::uint64_t give_up = pressed + 20'000'000;
      std::uint64_t capture_over = 0, painted = 0, fetched = 0, paints_seen = 0;
      for (std::uint64_t now = pressed; now < give_up; now = platform::sd::CardClockUs()) {
        if (capture_over == 0) {
          if (!camera.capturing && std::filesystem::exists(picture)) {
            capture_over = now;
            paints_seen = camera.painted.paints;
          }
        } else if (camera.painted.paints > paints_seen) {
          // A repaint of the old picture (the wait cursor going) may come
          // first: the first new frame's paint is the first after a fetch.
          paints_seen = camera.painted.paints;
          fetched = FirstFetchAfter(card->Trace(), capture_over);
          if (fetched != 0 && fetched <= now) {
            painted = now;
            break;
          }
        }
        std::this_thread::sleep_for(std::chrono::microseconds(100));
      }
      card->SetTracing(false);
      if (painted == 0) {
        state.SkipWithError("no picture, or the preview did not come back");
        break;
      }
      totals.to_volume_ms += Milliseconds(pressed, capture_over);
      totals.card_ms += static_cast<double>(camera.device_call_us - calls_before) / 1000.0;
      totals.simulation_ms +=
          std::chrono::duration<double, std::milli>(card->SimulationCpuTime() - card_before)
              .count();
      totals.to_first_frame_ms += Milliseconds(pressed, painted);
      totals.timer_wait_ms += Milliseconds(capture_over, fetched);
      totals.fetch_to_paint_ms += Milliseconds(fetched, painted);
      // Let the preview settle before the next press.
      bench::RunScript(emulator, "wait 500\n");
    }
    bench::RunScript(emulator, "remove-card\nwait 500\n");
  }
  std::filesystem::remove_all(root);
  if (pictures == 0) return;
  const double n = pictures;
  state.counters["to_volume_ms"] = totals.to_volume_ms / n;
  state.counters["card_own_ms"] = totals.card_ms / n;
  state.counters["card_simulation_cpu_ms"] = totals.simulation_ms / n;
  state.counters["program_adds_ms"] = (totals.to_volume_ms - totals.card_ms) / n;
  state.counters["target_program_adds_ms"] = 50;
  state.counters["to_first_frame_ms"] = totals.to_first_frame_ms / n;
  state.counters["timer_wait_ms"] = totals.timer_wait_ms / n;
  state.counters["fetch_to_paint_ms"] = totals.fetch_to_paint_ms / n;
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
