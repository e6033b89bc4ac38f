// The thumbnail browser on a full card: 1,000 pictures of 1280 x 960 in
// one folder. Measured on the real clock, in one run:
// - listing the folder (sorted by name);
// - the first row of six thumbnails drawn by the worker;
// - every thumbnail, row by row, against the JPEG library's bare 1/8
//   decode of the same files from memory (goal: at most 1.3 times);
// - the longest the user-interface thread waits while the worker runs,
//   for the cells it paints, the list it reads and the media lock the
//   preview pane takes (goal: under 50 ms);
// - the memory the thumbnail cache holds for the 1,000 entries (goal:
//   under 20 MB).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "browser/cell_surfaces.h"
#include "browser/file_list.h"
#include "browser/thumbnail_worker.h"
#include "browser/thumbnails.h"
#include "imaging/install.h"
#include "media_calls.h"
#include "platform/files.h"
#include "platform/gdi.h"
#include "platform/testing/temp_handheld.h"
#include "platform/time.h"

// After the platform's headers: the JPEG library defines TRUE and FALSE.
// clang-format off
#include "camera_still.h"
// clang-format on

// After the platform's headers: the JPEG library defines TRUE and FALSE.
#include "camera_still.h"

namespace {

using Clock = std::chrono::steady_clock;
using gallery::FileList;

constexpr int kPictures = 1000;
constexpr int kDistinct = 8;  // pictures repeat: encoding 1,000 would dominate the run
constexpr char kFolder[] = "\\My Documents\\My Pictures\\";

double Ms(Clock::duration duration) {
  return std::chrono::duration<double, std::milli>(duration).count();
}

// What the user-interface thread does while the worker draws, timed: it
// paints a cell, reads the list and takes the media lock as the preview
// pane would. The longest of those waits.
class UiProbe {
 public:
  UiProbe(FileList& list, gallery::CellSurfaces& cells) : list_(list), cells_(cells) {}
  double Longest(const std::atomic<bool>& running) {
    platform::HDC dc = platform::CreateCompatibleDC(nullptr);
    platform::OwnedGdiObject<platform::HBITMAP> screen(
        platform::CreateCompatibleBitmap(dc, 40, 30));
    platform::ScopedSelect selected(dc, screen.get());
    Clock::duration longest{};
    for (int round = 0; running.load(); ++round) {
      const Clock::time_point start = Clock::now();
      cells_.Paint(round % 6, dc);
      list_.SetMarked(round % list_.count(), round % 2 == 0);
      { std::lock_guard media(gallery::MediaLock()); }
      longest = std::max(longest, Clock::now() - start);
      platform::Sleep(1);
    }
    platform::DeleteDC(dc);
    return Ms(longest);
  }

 private:
  FileList& list_;
  gallery::CellSurfaces& cells_;
};

void BM_ThumbnailBrowser(benchmark::State& state) {
  platform::testing::TempHandheld device;
  imaging::InstallImagingModule(device.handheld());
  gallery::OpenMediaLibraries();
  std::vector<std::vector<std::uint8_t>> pictures;
  for (int i = 0; i < kDistinct; ++i) pictures.push_back(bench::CameraPicture(i));
  std::vector<std::vector<std::uint8_t>*> files;
  for (int i = 0; i < kPictures; ++i) {
    char name[32];
    std::snprintf(name, sizeof(name), "snap%04d.jpg", i + 1);
    auto& bytes = pictures[static_cast<std::size_t>(i % kDistinct)];
    files.push_back(&bytes);
    platform::FileHandle file = platform::CreateFile(
        std::string(kFolder) + name, platform::GENERIC_WRITE, 0, platform::CREATE_ALWAYS);
    platform::DWORD written = 0;
    platform::WriteFile(file, bytes.data(), static_cast<platform::DWORD>(bytes.size()), &written);
    platform::CloseFile(file);
  }

  for (auto _ : state) {
    FileList list;
    gallery::CellSurfaces cells;
    cells.Create(nullptr);
    std::atomic<int> current{0}, anchor{-1};
    gallery::ThumbnailWorker worker({&list, &cells, &current, &anchor, nullptr, nullptr});

    Clock::time_point start = Clock::now();
    list.List(kFolder, gallery::ListOrder{}, {});
    const double list_ms = Ms(Clock::now() - start);

    start = Clock::now();
    worker.Render(0);
    worker.WaitIdle(600000);
    const double first_row_ms = Ms(Clock::now() - start);

    // Every row, with the user-interface thread's probe running beside.
    std::atomic<bool> running{true};
    double longest_ui_ms = 0;
    platform::ThreadHandle probe = platform::CreateThread([&] {
      longest_ui_ms = UiProbe(list, cells).Longest(running);
      return platform::DWORD{0};
    });
    start = Clock::now();
    for (int top = 0; top < list.count(); top += 6) {
      worker.Render(top);
      worker.WaitIdle(600000);
    }
    const double all_ms = Ms(Clock::now() - start) + first_row_ms;
    running = false;
    platform::WaitForSingleObject(probe, platform::INFINITE);

    std::vector<std::uint8_t> rows(160 * 120 * 3);
    start = Clock::now();
    for (const auto* bytes : files) bench::BareDecode(*bytes, 8, &rows);
    const double eighth_ms = Ms(Clock::now() - start);

    std::size_t cache_bytes = 0;
    for (const auto& entry : list.Entries()) {
      cache_bytes += sizeof(gallery::FileEntry) + entry->path.capacity() +
                     entry->folded_name.capacity() + entry->folded_extension.capacity();
      platform::BITMAP info;
      if (entry->thumbnail.get() &&
          platform::GetObject(entry->thumbnail.get(), sizeof(info), &info))
        cache_bytes += static_cast<std::size_t>(info.bmWidthBytes) * info.bmHeight;
    }
    state.counters["list_ms"] = list_ms;
    state.counters["first_six_ms"] = first_row_ms;
    state.counters["all_thumbnails_ms"] = all_ms;
    state.counters["libjpeg_eighth_ms"] = eighth_ms;
    state.counters["ratio"] = all_ms / eighth_ms;
    state.counters["ui_longest_wait_ms"] = longest_ui_ms;
    state.counters["cache_MB"] = static_cast<double>(cache_bytes) / (1024.0 * 1024.0);
    worker.Stop();
  }
  gallery::CloseMediaLibraries();
}
BENCHMARK(BM_ThumbnailBrowser)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
