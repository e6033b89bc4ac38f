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
#include "jpeg_eighth_decode.h"
#include "platform/files.h"
#include "platform/modules.h"
#include "platform/testing/temp_handheld.h"

namespace {

constexpr int kPictures = 4;

// A camera-like picture: smooth gradients with fine detail, 4:2:0, quality 85.
std::vector<std::uint8_t> CameraPicture(int seed) {
  constexpr int kWidth = 1280, kHeight = 960;
  jpeg_compress_struct info{};
  jpeg_error_mgr error{};
  info.err = jpeg_std_error(&error);
  jpeg_create_compress(&info);
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  jpeg_mem_dest(&info, &buffer, &size);
  info.image_width = kWidth;
  info.image_height = kHeight;
  info.input_components = 3;
  info.in_color_space = JCS_RGB;
  jpeg_set_defaults(&info);
  jpeg_set_quality(&info, 85, TRUE);
  jpeg_start_compress(&info, TRUE);
  std::vector<std::uint8_t> row(kWidth * 3);
  while (info.next_scanline < info.image_height) {
    const int y = static_cast<int>(info.next_scanline);
    for (int x = 0; x < kWidth; ++x) {
      const int texture = ((x * 7 + y * 3 + seed * 11) % 23) * 3;
      row[x * 3] = static_cast<std::uint8_t>((x * 200 / kWidth + texture) & 0xFF);
      row[x * 3 + 1] = static_cast<std::uint8_t>((y * 180 / kHeight + texture + seed * 30) & 0xFF);
      row[x * 3 + 2] =
          static_cast<std::uint8_t>(((x + y) * 120 / (kWidth + kHeight) + texture) & 0xFF);
    }
    JSAMPROW rows[1] = {row.data()};
    jpeg_write_scanlines(&info, rows, 1);
  }
  jpeg_finish_compress(&info);
  jpeg_destroy_compress(&info);
  std::vector<std::uint8_t> result(buffer, buffer + size);
  std::free(buffer);
  return result;
}

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
    for (int i = 0; i < kPictures; ++i) {
      files.push_back(CameraPicture(i));
      paths.push_back("\\My Documents\\snap000" + std::to_string(i + 1) + ".jpg");
      platform::FileHandle file =
          platform::CreateFile(paths.back(), platform::GENERIC_WRITE, 0, platform::CREATE_ALWAYS);
      platform::DWORD written = 0;
      platform::WriteFile(file, files.back().data(),
                          static_cast<platform::DWORD>(files.back().size()), &written);
      platform::CloseFile(file);
    }
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
    DecodeEighth(setup.files[next++ % kPictures], rows);
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
