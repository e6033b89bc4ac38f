// The gallery's zoom view on 1280 x 960 camera stills: opening one (the
// imaging library's full-size load, the view's surface made over that
// bitmap and the first paint of the area) beside the JPEG library's bare full decode
// of the same bytes from memory, goal at most 1.3 times; and one pan step
// repainted at 100 % and at 200 %, goal under 5 ms.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

#include "imaging/install.h"
#include "imaging_library.h"
#include "platform/files.h"
#include "platform/gdi.h"
#include "platform/gdi_objects.h"
#include "platform/testing/temp_handheld.h"
#include "view/picture_surface.h"
#include "view/zoom_geometry.h"
#include "view/zoom_painting.h"

// After the platform's headers: the JPEG library defines TRUE and FALSE as
// macros.
#include "camera_still.h"

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 960;
constexpr int kPictures = 4;
constexpr int kAreaWidth = 240;
constexpr int kAreaHeight = 268;

struct Setup {
  platform::testing::TempHandheld handheld;
  std::vector<std::vector<std::uint8_t>> files;
  std::vector<std::string> paths;
  gallery::ImagingLibrary library;
  // The screen's kind of surface for the area.
  platform::HDC area = platform::CreateCompatibleDC(nullptr);
  platform::OwnedGdiObject<platform::HBITMAP> area_bitmap{
      platform::CreateCompatibleBitmap(area, kAreaWidth, kAreaHeight)};

  Setup() {
    imaging::InstallImagingModule(handheld.handheld());
    library.Open();
    platform::SelectObject(area, area_bitmap.get());
    bench::CameraStills stills = bench::PutCameraStills(kPictures);
    files = std::move(stills.files);
    paths = std::move(stills.paths);
  }
};

Setup& Shared() {
  static Setup setup;
  return setup;
}

void BM_BareFullDecode(benchmark::State& state) {
  Setup& setup = Shared();
  std::vector<std::uint8_t> rows(kWidth * kHeight * 3);
  std::size_t next = 0;
  for (auto _ : state) {
    bench::BareDecode(setup.files[next++ % kPictures], 1, &rows);
    benchmark::DoNotOptimize(rows.data());
  }
}

// Argument 0: each opening alone, as the first of a gallery run is: no
// picture before it, the surface made over the loaded bitmap, the first
// paint, and everything let go when the view closes; 1: walking to the
// next still in an open view, the shown picture let go before the next
// one loads.
void BM_OpenInZoomView(benchmark::State& state) {
  Setup& setup = Shared();
  std::size_t next = 0;
  std::unique_ptr<gallery::PictureSurface> picture;
  for (auto _ : state) {
    picture.reset();
    std::unique_ptr<imaging::Bitmap> bitmap;
    imaging::ImageInfo info;
    if (setup.library.load_image(setup.paths[next++ % kPictures].c_str(), &bitmap, 0, 0, &info) !=
        imaging::kLoadOk) {
      state.SkipWithError("load failed");
      break;
    }
    picture = gallery::PictureSurface::FromPicture(std::move(bitmap));
    if (!picture) {
      state.SkipWithError("no surface");
      break;
    }
    gallery::ZoomGeometry view{picture->width(), picture->height(), kAreaWidth, kAreaHeight};
    gallery::CentrePicture(view);
    gallery::PaintZoomed(setup.area, picture.get(), view);
    benchmark::DoNotOptimize(picture.get());
    if (!state.range(0)) picture.reset();
  }
}

// The library's part alone, to tell where the time of the opening goes.
void BM_LibraryFullLoad(benchmark::State& state) {
  Setup& setup = Shared();
  std::size_t next = 0;
  for (auto _ : state) {
    std::unique_ptr<imaging::Bitmap> bitmap;
    imaging::ImageInfo info;
    setup.library.load_image(setup.paths[next++ % kPictures].c_str(), &bitmap, 0, 0, &info);
    benchmark::DoNotOptimize(bitmap.get());
  }
}

void BM_PanStep(benchmark::State& state) {
  Setup& setup = Shared();
  std::unique_ptr<imaging::Bitmap> bitmap;
  setup.library.load_image(setup.paths[0].c_str(), &bitmap, 0, 0, nullptr);
  auto picture = gallery::PictureSurface::FromPicture(std::move(bitmap));
  if (!picture) {
    state.SkipWithError("no picture");
    return;
  }
  gallery::ZoomGeometry view{picture->width(), picture->height(), kAreaWidth, kAreaHeight};
  view.zoom = static_cast<int>(state.range(0));
  gallery::CentrePicture(view);
  int step = kAreaWidth / 4;
  for (auto _ : state) {
    // Back and forth by a quarter of the area, as the arrow keys pan.
    if (view.offset_x + step < 0 || view.offset_x + step + kAreaWidth > view.zoomed_width())
      step = -step;
    gallery::Pan(view, step, 0);
    gallery::PaintZoomed(setup.area, picture.get(), view);
  }
}

BENCHMARK(BM_BareFullDecode)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_OpenInZoomView)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_LibraryFullLoad)->Unit(benchmark::kMillisecond)->MinTime(2.0);
BENCHMARK(BM_PanStep)->Arg(1000)->Arg(2000)->Unit(benchmark::kMillisecond)->MinTime(1.0);

// Keeps each run's processor time per iteration for the closing
// comparison (the machine is shared: wall time says more about the others).
class Recorder : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      // Named without the "/min_time:" suffix.
      const std::string name = run.benchmark_name();
      milliseconds[name.substr(0, name.find("/min_time"))] =
          run.GetAdjustedCPUTime() * benchmark::GetTimeUnitMultiplier(benchmark::kMillisecond) /
          benchmark::GetTimeUnitMultiplier(run.time_unit);
    }
    ConsoleReporter::ReportRuns(runs);
  }
  std::map<std::string, double> milliseconds;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  Recorder recorder;
  benchmark::RunSpecifiedBenchmarks(&recorder);
  const auto& ms = recorder.milliseconds;
  const std::pair<const char*, const char*> openings[] = {
      {"BM_OpenInZoomView/0", "first opening of a run"},
      {"BM_OpenInZoomView/1", "next still in an open view"}};
  for (const auto& [name, what] : openings) {
    if (ms.contains("BM_BareFullDecode") && ms.contains(name)) {
      std::printf("%s (%s) / bare full decode: %.2f (goal at most 1.30)\n", name, what,
                  ms.at(name) / ms.at("BM_BareFullDecode"));
    }
  }
  for (const char* name : {"BM_PanStep/1000", "BM_PanStep/2000"}) {
    if (ms.contains(name)) std::printf("%s: %.3f ms a step (goal under 5 ms)\n", name, ms.at(name));
  }
  benchmark::Shutdown();
  return 0;
}
