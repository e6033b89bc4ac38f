// Thumbnails (40 x 30) of 1280 x 960 camera pictures through the imaging
// library's LoadImageFromFile, file reading included, beside the JPEG
// library's bare 1/8 decode of the same bytes from memory. Prints the ratio
// of the two; the goal is at most 1.2.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "imaging/install.h"
#include "imaging/qximglib.h"
#include "platform/files.h"
#include "platform/modules.h"
#include "platform/testing/temp_handheld.h"

// After the platform's headers: the JPEG library defines TRUE and FALSE as
// macros.
#include "camera_still.h"

namespace {

constexpr int kPictures = 4;

struct Setup {
  platform::testing::TempHandheld handheld;
  std::vector<std::vector<std::uint8_t>> files;
  std::vector<std::string> paths;
  imaging::LoadImageFromFileFunction* load = nullptr;

  Setup() {
    imaging::InstallImagingModule(handheld.handheld());
    const platform::HMODULE module = platform::LoadLibrary(imaging::kModuleName);
    load = platform::GetProcAddressAs<imaging::LoadImageFromFileFunction>(
        module, imaging::kLoadImageFromFileExport);
    bench::CameraStills stills = bench::PutCameraStills(kPictures);
    files = std::move(stills.files);
    paths = std::move(stills.paths);
  }
};

Setup& Shared() {
  static Setup setup;
  return setup;
}

void BM_BareEighthDecode(benchmark::State& state) {
  Setup& setup = Shared();
  std::vector<std::uint8_t> rows(160 * 120 * 3);
  std::size_t next = 0;
  for (auto _ : state) {
    bench::BareDecode(setup.files[next++ % kPictures], 8, &rows);
    benchmark::DoNotOptimize(rows.data());
  }
  state.SetItemsProcessed(state.iterations());
}

void BM_Thumbnail40x30(benchmark::State& state) {
  Setup& setup = Shared();
  std::size_t next = 0;
  for (auto _ : state) {
    std::unique_ptr<imaging::Bitmap> bitmap;
    imaging::ImageInfo info;
    if (setup.load(setup.paths[next++ % kPictures].c_str(), &bitmap, 40, 30, &info) != 0) {
      state.SkipWithError("load failed");
      break;
    }
    benchmark::DoNotOptimize(bitmap.get());
  }
  state.SetItemsProcessed(state.iterations());
}

BENCHMARK(BM_BareEighthDecode)->Unit(benchmark::kMicrosecond)->MinTime(2.0);
BENCHMARK(BM_Thumbnail40x30)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

}  // namespace

BENCHMARK_MAIN();
