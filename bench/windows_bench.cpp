// Window-system costs per preview frame: the frame message posted and
// dispatched, the 240x180 preview invalidated and painted through WM_PAINT,
// the screen composed; and one message sent to another thread's window.
#include <benchmark/benchmark.h>

#include <filesystem>

#include "platform/gdi.h"
#include "platform/handheld.h"
#include "platform/screen.h"
#include "platform/threads.h"
#include "platform/window.h"
#include "platform/window_paint.h"

namespace {

using namespace platform;

constexpr UINT kFrameReady = WM_USER + 10;

// A real-time handheld in a temporary folder.
class BenchHandheld {
 public:
  BenchHandheld()
      : root_(std::filesystem::temp_directory_path() / "orsa-windows-bench"),
        handheld_(Config(root_)) {}
  ~BenchHandheld() {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }

 private:
  static HandheldConfig Config(const std::filesystem::path& root) {
    HandheldConfig config;
    config.root = root;
    config.virtual_clock = false;
    return config;
  }
  std::filesystem::path root_;
  Handheld handheld_;
};

LRESULT PreviewProcedure(HWND hwnd, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == kFrameReady) {
    InvalidateRect(hwnd, nullptr, FALSE);
    return 0;
  }
  if (message == WM_PAINT) {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd, &paint);
    HBRUSH brush = CreateSolidBrush(RGB(10, 200, 30));
    FillRect(dc, &paint.rcPaint, brush);
    DeleteObject(brush);
    EndPaint(hwnd, &paint);
    return 0;
  }
  return DefWindowProc(hwnd, message, wparam, lparam);
}

void BM_PreviewFrame(benchmark::State& state) {
  BenchHandheld device;
  WNDCLASS window_class;
  window_class.lpszClassName = "Preview";
  window_class.lpfnWndProc = PreviewProcedure;
  RegisterClass(&window_class);
  HWND main =
      CreateWindow("Preview", "", WS_VISIBLE, 0, 26, 240, 294, nullptr, nullptr, nullptr, nullptr);
  HWND preview = CreateWindow("Preview", "", WS_CHILD | WS_VISIBLE, 0, 0, 240, 180, main, nullptr,
                              nullptr, nullptr);
  for (auto _ : state) {
    PostMessage(preview, kFrameReady, 0, 0);
    MSG msg;
    while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&msg);
    benchmark::DoNotOptimize(screen::Compose().GetPixel(10, 40));
  }
}
BENCHMARK(BM_PreviewFrame)->Unit(benchmark::kMicrosecond);

void BM_CrossThreadSend(benchmark::State& state) {
  BenchHandheld device;
  WNDCLASS window_class;
  window_class.lpszClassName = "Echo";
  window_class.lpfnWndProc = [](HWND hwnd, UINT message, WPARAM w, LPARAM l) -> LRESULT {
    if (message == WM_USER) return static_cast<LRESULT>(w + 1);
    if (message == WM_DESTROY) PostQuitMessage(0);
    return DefWindowProc(hwnd, message, w, l);
  };
  RegisterClass(&window_class);
  auto ready = CreateEvent(true, false);
  HWND echo = nullptr;
  ThreadHandle owner = CreateThread([&]() -> DWORD {
    echo = CreateWindow("Echo", "", 0, 0, 0, 1, 1, nullptr, nullptr, nullptr, nullptr);
    SetEvent(ready);
    MSG msg;
    while (GetMessage(&msg, nullptr, 0, 0) > 0) DispatchMessage(&msg);
    return 0;
  });
  WaitForSingleObject(*ready, INFINITE);
  WPARAM value = 0;
  for (auto _ : state) value = static_cast<WPARAM>(SendMessage(echo, WM_USER, value, 0));
  benchmark::DoNotOptimize(value);
  PostMessage(echo, WM_CLOSE, 0, 0);
  WaitForSingleObject(*owner, INFINITE);
}
BENCHMARK(BM_CrossThreadSend)->Unit(benchmark::kMicrosecond);

}  // namespace

BENCHMARK_MAIN();
