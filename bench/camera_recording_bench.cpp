// A 60-second clip with sound as a person records it: the emulator on the
// real clock, the simulated card, the real driver, the null microphone
// playing a tone. Reports
// - the frames the clip holds against the frames the preview handed to the
//   recorder (target: none dropped),
// - how far sound and picture are apart at the clip's end (target: under one
//   frame, 40 ms),
// - the programs' processor use while recording, the card's simulation left
//   out (target: under 20% of one core; the preview alone takes 4-5%).
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <sstream>

#include "camera/session/camera_state.h"
#include "camera/settings/settings_store.h"
#include "card_steps.h"
#include "emulator.h"
#include "emulator_run.h"
#include "platform/profile.h"
#include "platform/testing/temp_handheld.h"
#include "platform/window.h"
#include "recording_testing/file_bytes.h"
#include "script_runner.h"

namespace {

constexpr char kClip[] = "\\My Documents\\My Pictures\\m0001.avi";
constexpr platform::UINT kCommandVideo = 32837;

using bench::ProcessCpuTime;
using bench::RunScript;

void RecordClip(benchmark::State& state, int aviresolution) {
  const std::filesystem::path root = platform::testing::MakeTemporaryFolder("orsa-record-bench");
  {
    handheld::EmulatorOptions options(root);
    options.real_time = true;
    handheld::Emulator emulator(options);
    platform::Profile(camera::kSettingsRegistryKey, camera::kApplicationName)
        .WriteProfileInt(camera::kSettingsSection, "aviresolution", aviresolution);
    if (!RunScript(emulator,
                   "mic tone 440\ninsert-card\nexpect-window Dialog \"Quillon Camera\"\n"
                   "wait 2000\n")) {
      state.SkipWithError("the camera did not start");
      return;
    }
    platform::PostMessage(platform::FindWindow("Dialog", "Quillon Camera"), platform::WM_COMMAND,
                          kCommandVideo, 0);
    RunScript(emulator, "wait 500\n");
    // Every frame the preview hands to the recorder is counted on its way.
    auto handed = std::make_shared<std::atomic<int>>(0);
    camera::SessionHooks& hooks = camera::Camera().hooks;
    auto recorder = hooks.append_video_frame;
    hooks.append_video_frame = [handed, recorder](const std::uint8_t* jpeg, std::size_t length) {
      handed->fetch_add(1);
      return recorder(jpeg, length);
    };
    std::shared_ptr<card::CameraCard> inserted = handheld::InsertedCameraCard(emulator);
    double program_cpu = 0;
    for (auto _ : state) {
      const auto cpu_before = ProcessCpuTime();
      const auto card_before = inserted->SimulationCpuTime();
      const auto wall_before = std::chrono::steady_clock::now();
      RunScript(emulator, "key action\nwait 60000\nkey action\n");
      const double seconds =
          std::chrono::duration<double>(std::chrono::steady_clock::now() - wall_before).count();
      const double cpu = std::chrono::duration<double>(ProcessCpuTime() - cpu_before).count();
      const double card =
          std::chrono::duration<double>(inserted->SimulationCpuTime() - card_before).count();
      program_cpu = 100.0 * (cpu - card) / seconds;
    }
    RunScript(emulator, "wait 2000\n");
    const std::vector<std::uint8_t> file = recording::testing::ReadHandheldFile(kClip);
    const double frames = recording::testing::Le32At(file, 32 + 16);
    const double frame_us = recording::testing::Le32At(file, 32);
    // The audio stream's header follows the video stream list.
    const std::size_t audio_header = 88 + 132 + 20;
    const double audio_samples = recording::testing::Le32At(file, audio_header + 32);
    const double video_seconds = frames * frame_us / 1e6;
    const double audio_seconds = audio_samples / 8000;
    // At 320x240 a minute can outgrow the clip's size limit: the frames
    // after it are refused by the writer, not lost by the kit.
    state.counters["clip_mb"] = static_cast<double>(file.size()) / 1e6;
    state.counters["frames_handed"] = handed->load();
    state.counters["frames_recorded"] = frames;
    state.counters["frames_dropped"] = handed->load() - frames;
    state.counters["video_s"] = video_seconds;
    state.counters["audio_s"] = audio_seconds;
    state.counters["drift_ms"] = 1000 * std::abs(video_seconds - audio_seconds);
    state.counters["target_drift_ms"] = 40;
    state.counters["program_cpu_percent"] = program_cpu;
    state.counters["target_cpu_percent"] = 20;
    camera::Camera().hooks.append_video_frame = recorder;
    RunScript(emulator, "remove-card\nwait 500\n");
  }
  std::filesystem::remove_all(root);
}

BENCHMARK_CAPTURE(RecordClip, clip_160x120_60s, 1)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK_CAPTURE(RecordClip, clip_320x240_60s, 0)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
