// The slideshow's two costs on the real clock.
//
// Effects: the processor time of drawing each transition's frames on the
// 240 x 320 screen, pauses left out, and its share of the effect's own
// duration (the sum of its pauses); the goal is at most 25 % for every
// effect, so that a processor four times slower keeps the pace. The
// dissolve has no pauses: its duration is its drawing.
//
// Decode-ahead: a 1280 x 960 camera picture loaded onto a slide surface
// turned to fit the screen (file read, decode, quarter turn, placing),
// beside the JPEG library's bare 1/4 decode of the same bytes from memory;
// the goal is at most 1.3 times.
#include <benchmark/benchmark.h>
#include <time.h>

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "camera_still.h"
#include "gallery/transitions/transition.h"
#include "imaging/install.h"
#include "media_calls.h"
#include "platform/files.h"
#include "platform/testing/temp_handheld.h"
#include "slideshow/slide_loader.h"
#include "slideshow/slide_surface.h"

namespace {

double ThreadCpuMs() {
  timespec now{};
  clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

using gallery::transitions::Picture;
using platform::gdi::Surface;

constexpr int kWidth = 240;
constexpr int kHeight = 320;

Surface Scene(int seed) {
  Surface scene(kWidth, kHeight, 24);
  for (int y = 0; y < kHeight; ++y)
    for (int x = 0; x < kWidth; ++x)
      scene.SetPixel(x, y,
                     platform::RGB(static_cast<platform::BYTE>(x + seed * 40),
                                   static_cast<platform::BYTE>(y * 3 / 4 + seed * 20),
                                   static_cast<platform::BYTE>((x ^ y) + seed * 60)));
  return scene;
}

void BM_EffectDrawing(benchmark::State& state) {
  const int effect = static_cast<int>(state.range(0));
  Surface old_picture = Scene(0);
  Surface new_picture = Scene(1);
  Surface screen(kWidth, kHeight, 24);
  std::mt19937 generator(effect);
  const gallery::transitions::Random random = [&](int bound) {
    return std::uniform_int_distribution<int>(0, bound - 1)(generator);
  };
  double pauses_ms = 0;
  double drawing_ms = 0;
  std::int64_t runs = 0;
  for (auto _ : state) {
    state.PauseTiming();
    screen = old_picture;
    auto transition = gallery::transitions::MakeTransition(
        effect, 3, gallery::transitions::PictureOf(old_picture),
        gallery::transitions::PictureOf(new_picture), random);
    const Picture canvas = gallery::transitions::PictureOf(screen);
    state.ResumeTiming();
    const double start = ThreadCpuMs();
    while (const auto frame = transition->Next(canvas)) pauses_ms += frame->pause_ms;
    drawing_ms += ThreadCpuMs() - start;
    ++runs;
    benchmark::DoNotOptimize(screen.bits());
  }
  if (runs == 0) return;
  const double duration_ms = pauses_ms / static_cast<double>(runs);
  const double draw_ms = drawing_ms / static_cast<double>(runs);
  state.counters["duration_ms"] = duration_ms;
  state.counters["drawing_ms"] = draw_ms;
  // The goal: at most 25 % of the effect's own duration.
  if (duration_ms > 0) {
    const double share = 100 * draw_ms / duration_ms;
    state.counters["share_pct"] = share;
    state.SetLabel(share <= 25 ? "within 25%" : "OVER 25%");
  } else {
    state.SetLabel("no pauses: its drawing is its duration");
  }
}

constexpr char kPicturePath[] = "\\My Documents\\snap0001.jpg";

struct DecodeSetup {
  platform::testing::TempHandheld handheld;
  std::vector<std::uint8_t> bytes;

  DecodeSetup() {
    imaging::InstallImagingModule(handheld.handheld());
    gallery::OpenMediaLibraries();
    bytes = bench::PutCameraStills(1).files.front();
  }
  ~DecodeSetup() { gallery::CloseMediaLibraries(); }
};

DecodeSetup& Shared() {
  static DecodeSetup setup;
  return setup;
}

void BM_BareQuarterDecode(benchmark::State& state) {
  DecodeSetup& setup = Shared();
  std::vector<std::uint8_t> rows(320 * 240 * 3);
  for (auto _ : state) {
    bench::BareDecode(setup.bytes, 4, &rows);
    benchmark::DoNotOptimize(rows.data());
  }
}

void BM_DecodeAheadTurned(benchmark::State& state) {
  Shared();
  gallery::SlideshowOptions options;
  options.rotate_to_fit = 1;
  options.rotate_direction = 1;
  auto surface = gallery::SlideSurface::Create(kWidth, kHeight);
  imaging::ImageInfo info;
  for (auto _ : state) {
    if (!gallery::LoadSlide(kPicturePath, options, *surface, &info)) {
      state.SkipWithError("the picture did not load");
      break;
    }
    benchmark::DoNotOptimize(surface->picture().top_row);
  }
}

BENCHMARK(BM_EffectDrawing)->DenseRange(0, 21)->Unit(benchmark::kMillisecond)->MinTime(0.5);
BENCHMARK(BM_BareQuarterDecode)->Unit(benchmark::kMillisecond)->MinTime(1.0);
BENCHMARK(BM_DecodeAheadTurned)->Unit(benchmark::kMillisecond)->MinTime(1.0);

}  // namespace

BENCHMARK_MAIN();
