// Playback of a 25 frames-a-second clip with sound on a real-time
// handheld: when each frame reached the screen (read from the slider, which
// moves with every frame drawn, watched every 5 ms) against the frame timer's
// schedule, and the processor time the process spent meanwhile. Targets: no
// frame later than one period (40 ms); under 10% of one core.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <chrono>
#include <map>

#include "camera_frames.h"
#include "clip/install.h"
#include "clip/orsaclip.h"
#include "platform/common_controls/trackbar.h"
#include "platform/dialogs.h"
#include "platform/input.h"
#include "platform/modules.h"
#include "platform/testing/temp_handheld.h"
#include "platform/time.h"
#include "platform/window.h"
#include "recording_testing/recorded_clip.h"

namespace {

constexpr int kFrames = 50;
constexpr int kPeriodMs = 40;
constexpr int kSliderId = 1001;  // the player's slider

double ProcessCpuMs() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1000.0 +
         (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1000.0;
}

void Playback(benchmark::State& state) {
  platform::HandheldConfig config;
  config.virtual_clock = false;
  platform::testing::TempHandheld device(config);
  clip::InstallClipModule(device.handheld());
  platform::HMODULE module = platform::LoadLibrary(clip::kModuleName);
  auto* display =
      platform::GetProcAddressAs<clip::MediaDisplayFunction>(module, clip::kMediaDisplayExport);
  recording::testing::ClipPlan plan;
  plan.audio = true;
  plan.duration_seconds = 2;
  for (int i = 0; i < kFrames; ++i) {
    plan.items.push_back({recording::kQueueVideo, clip::testing::CameraFrame(320, 240, i)});
    plan.items.push_back(
        {recording::kQueueAudio, recording::testing::Pattern(recording::kAudioBlockBytes, i)});
  }
  recording::testing::RecordClip("\\m0001.avi", plan);

  double worst_late_ms = 0;
  int late = 0;
  int seen = 0;
  double cpu_share = 0;
  for (auto _ : state) {
    platform::ThreadHandle person = platform::CreateThread([&]() -> platform::DWORD {
      platform::HWND player = nullptr;
      while (!(player = platform::FindWindow(platform::WC_DIALOG, "Tarvolen"))) {
        platform::Sleep(10);
      }
      platform::Sleep(200);
      platform::HWND slider = platform::GetDlgItem(player, kSliderId);
      const double cpu_before = ProcessCpuMs();
      const std::uint64_t start = platform::clock::NowMs();
      platform::input::StylusDown(60, 256);
      platform::input::StylusUp(60, 256);
      std::map<int, std::uint64_t> reached;
      while (platform::clock::NowMs() - start < kFrames * kPeriodMs + 500) {
        const int position =
            static_cast<int>(platform::SendMessage(slider, platform::TBM_GETPOS, 0, 0));
        if (!reached.contains(position)) reached[position] = platform::clock::NowMs() - start;
        if (position == kFrames) break;
        platform::Sleep(5);
      }
      const double wall = static_cast<double>(platform::clock::NowMs() - start);
      cpu_share = (ProcessCpuMs() - cpu_before) / wall;
      for (const auto& [position, at] : reached) {
        if (position < 2) continue;
        ++seen;
        const double late_ms = static_cast<double>(at) - position * kPeriodMs;
        worst_late_ms = std::max(worst_late_ms, late_ms);
        late += late_ms > kPeriodMs;
      }
      platform::PostMessage(player, platform::WM_CLOSE, 0, 0);
      return 0;
    });
    display("\\m0001.avi");
    platform::WaitForSingleObject(person, platform::INFINITE);
  }
  state.counters["frames_seen"] = seen;
  state.counters["frames_late"] = late;
  state.counters["worst_late_ms"] = worst_late_ms;
  state.counters["cpu_percent"] = 100 * cpu_share;
  platform::FreeLibrary(module);
}

BENCHMARK(Playback)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
