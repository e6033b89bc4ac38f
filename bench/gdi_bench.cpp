// Drawing costs: a 240x180 24-bit picture copied to a 16-bit surface (the
// preview's paint), transparent overlays, filtered and nearest stretches of
// a 640x480 picture to a thumbnail and to the pane, and a line of text.
#include <benchmark/benchmark.h>

#include "platform/gdi.h"

namespace {

using namespace platform;

class Surface {
 public:
  Surface(int width, int height, int bits) {
    BITMAPINFO info;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biBitCount = static_cast<WORD>(bits);
    void* pixels = nullptr;
    bitmap_ = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels);
    dc_ = CreateCompatibleDC(nullptr);
    old_ = SelectObject(dc_, bitmap_);
    auto* bytes = static_cast<BYTE*>(pixels);
    const int stride = (width * bits / 8 + 3) & ~3;
    for (int i = 0; i < stride * height; ++i) bytes[i] = static_cast<BYTE>(i * 7);
  }
  ~Surface() {
    SelectObject(dc_, old_);
    DeleteDC(dc_);
    DeleteObject(bitmap_);
  }
  HDC dc() const { return dc_; }
  HBITMAP bitmap() const { return bitmap_; }

 private:
  HBITMAP bitmap_;
  HDC dc_;
  HGDIOBJ old_;
};

void BM_PreviewCopy24To16(benchmark::State& state) {
  Surface picture(240, 180, 24);
  Surface screen(240, 320, 16);
  for (auto _ : state) BitBlt(screen.dc(), 0, 0, 240, 180, picture.dc(), 0, 0, SRCCOPY);
  state.SetItemsProcessed(state.iterations() * 240 * 180);
}
BENCHMARK(BM_PreviewCopy24To16);

void BM_PreviewCopySameFormat(benchmark::State& state) {
  Surface picture(240, 180, 24);
  Surface buffer(240, 180, 24);
  for (auto _ : state) BitBlt(buffer.dc(), 0, 0, 240, 180, picture.dc(), 0, 0, SRCCOPY);
  state.SetItemsProcessed(state.iterations() * 240 * 180);
}
BENCHMARK(BM_PreviewCopySameFormat);

void BM_TransparentOverlay(benchmark::State& state) {
  Surface overlay(206, 128, 24);
  Surface buffer(240, 180, 24);
  for (auto _ : state) {
    TransparentImage(buffer.dc(), 17, 26, 206, 128, overlay.bitmap(), 0, 0, 206, 128, RGB(0, 0, 0));
  }
  state.SetItemsProcessed(state.iterations() * 206 * 128);
}
BENCHMARK(BM_TransparentOverlay);

void BM_Stretch(benchmark::State& state) {
  const bool filtered = state.range(0) != 0;
  const int width = static_cast<int>(state.range(1));
  const int height = width * 3 / 4;
  Surface picture(640, 480, 24);
  Surface target(width, height, 24);
  SetStretchBltMode(target.dc(), filtered ? HALFTONE : COLORONCOLOR);
  for (auto _ : state) {
    StretchBlt(target.dc(), 0, 0, width, height, picture.dc(), 0, 0, 640, 480, SRCCOPY);
  }
  state.SetItemsProcessed(state.iterations() * width * height);
}
BENCHMARK(BM_Stretch)->Args({0, 40})->Args({1, 40})->Args({0, 240})->Args({1, 240});

void BM_DrawTextLine(benchmark::State& state) {
  Surface buffer(240, 180, 24);
  LOGFONT description;
  description.lfHeight = 20;
  description.lfWeight = FW_BOLD;
  HFONT font = CreateFontIndirect(&description);
  SelectObject(buffer.dc(), font);
  SetBkMode(buffer.dc(), TRANSPARENT);
  for (auto _ : state) {
    RECT area{165, 34, 240, 48};
    DrawText(buffer.dc(), "1280x1024", &area, DT_RIGHT);
  }
  SelectObject(buffer.dc(), GetStockObject(SYSTEM_FONT));
  DeleteObject(font);
}
BENCHMARK(BM_DrawTextLine);

}  // namespace

BENCHMARK_MAIN();
