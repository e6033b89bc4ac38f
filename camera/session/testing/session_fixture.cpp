#include "session_fixture.h"

#include <cstdlib>
#include <fstream>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "camera/session/camera_messages.h"
#include "camera/session/camera_session.h"
#include "camera/session/preview_window.h"
#include "camera/session/watchdog.h"
#include "camera/strings/string_library.h"
#include "localization/install.h"
#include "platform/files.h"
#include "platform/gdi.h"
#include "platform/gdi_png.h"
#include "platform/gdi_surface.h"
#include "platform/resources.h"
#include "platform/screen.h"
#include "platform/time.h"
#include "platform/wav_file.h"
#include "platform/window.h"
#include "platform/window_paint.h"

namespace camera::testing {

namespace {

constexpr char kApplicationModule[] = "\\Windows\\sessiontest.exe";
constexpr char kMainClass[] = "SessionTestMain";

// Every overlay the preview can show.
constexpr int kOverlayIds[] = {258, 259, 260, 265, 268, 269, 271, 272, 273, 288, 289,
                               292, 293, 294, 295, 296, 297, 298, 299, 300, 301, 302,
                               303, 329, 330, 331, 332, 335, 336, 339, 340};

std::vector<platform::BYTE> ReadAll(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::shared_ptr<platform::ModuleResources> TestResources(const std::filesystem::path& scratch) {
  auto resources = std::make_shared<platform::ModuleResources>();
  for (int id : kOverlayIds) {
    const platform::SIZE size = OverlaySize(id);
    platform::gdi::Surface surface(size.cx, size.cy, 24);
    surface.Fill(surface.Bounds(), OverlayColour(id));
    const std::filesystem::path png = scratch / (std::to_string(id) + ".png");
    platform::gdi::WritePng(surface, png);
    resources->AddBinary(platform::ResourceType::kBitmap, id, {ReadAll(png), png});
  }
  const std::vector<platform::BYTE> click(800, 0x80);
  for (const char* sound : {"zoomin", "zoomout"}) {
    resources->AddBinary(platform::ResourceType::kWave, sound,
                         {platform::BuildWav(platform::PcmFormat(1, 8000, 8), 1, click), {}});
  }
  return resources;
}

}  // namespace

platform::COLORREF OverlayColour(int id) {
  // Spread over the colour cube, never black (transparent) and never white
  // or red (the texts).
  return platform::RGB(static_cast<platform::BYTE>(40 + (id * 53) % 160),
                       static_cast<platform::BYTE>(60 + (id * 97) % 150),
                       static_cast<platform::BYTE>(90 + (id * 31) % 140));
}

platform::SIZE OverlaySize(int id) {
  switch (id) {
    case 265:
      return {68, 28};
    case 336:
      return {206, 128};
    case 335:
      return {136, 84};
    case 288:
      return {103, 17};
    case 289:
      return {5, 9};
    default:
      return {20, 16};
  }
}

SessionTest::SessionTest(const std::filesystem::path& resource_folder) {
  std::string error;
  EXPECT_TRUE(localization::InstallLocalizationModule(handheld(), &error)) << error;
  EXPECT_TRUE(LoadStringLibrary());

  const std::filesystem::path scratch = device_.root() / "test-bitmaps";
  std::filesystem::create_directories(scratch);
  platform::ModuleDefinition module;
  if (resource_folder.empty()) {
    module.resources = TestResources(scratch);
  } else {
    auto resources = std::make_shared<platform::ModuleResources>();
    EXPECT_TRUE(platform::LoadResourceFolder(resource_folder, resources.get(), &error)) << error;
    module.resources = std::move(resources);
  }
  handheld().modules().Register(kApplicationModule, std::move(module));
  const char marker[] = "session test program";
  handheld().files().InstallFile(kApplicationModule, std::as_bytes(std::span(marker)));
  instance_ = platform::LoadLibrary(kApplicationModule);

  platform::WNDCLASS main_class;
  main_class.lpszClassName = kMainClass;
  main_class.hInstance = instance_;
  main_class.lpfnWndProc = [this](platform::HWND hwnd, platform::UINT message,
                                  platform::WPARAM wparam,
                                  platform::LPARAM lparam) -> platform::LRESULT {
    switch (message) {
      case platform::WM_TIMER:
        if (wparam == kWatchdogTimerId) WatchdogTick();
        return 0;
      case platform::WM_CLOSE:
        ++close_posts_;
        return 0;
      case WM_CAM_REFRESH:
        ++refresh_posts_;
        return 0;
      case WM_CAM_TOGGLE_RECORD:
        ++toggle_posts_;
        if (on_toggle_record_) on_toggle_record_();
        return 0;
      default:
        return platform::DefWindowProc(hwnd, message, wparam, lparam);
    }
  };
  platform::RegisterClass(&main_class);
  main_window_ = platform::CreateWindowEx(
      0, kMainClass, "Camera", platform::WS_POPUP | platform::WS_VISIBLE, 0, 0,
      platform::screen::kWidth, platform::screen::kHeight, nullptr, nullptr, instance_, nullptr);
}

SessionTest::~SessionTest() {
  EndCameraSession();
  Camera().device.Close();
  if (main_window_) platform::DestroyWindow(main_window_);
  UnloadStringLibrary();
}

bool SessionTest::Open() { return OpenCamera(main_window_, instance_); }

void SessionTest::Pump(std::uint64_t ms) {
  PumpUntil([] { return false; }, ms);
}

bool SessionTest::PumpUntil(const std::function<bool()>& done, std::uint64_t ms) {
  const std::uint64_t end = platform::clock::NowMs() + ms;
  for (;;) {
    platform::MSG msg;
    while (platform::PeekMessage(&msg, nullptr, 0, 0, platform::PM_REMOVE)) {
      platform::DispatchMessage(&msg);
      if (done()) return true;
    }
    if (done()) return true;
    const std::uint64_t now = platform::clock::NowMs();
    if (now >= end) return false;
    platform::MsgWaitForMultipleObjects({}, false, static_cast<platform::DWORD>(end - now));
  }
}

void SessionTest::Repaint() {
  InvalidatePreview();
  platform::UpdateWindow(Camera().preview_window);
}

platform::COLORREF SessionTest::PreviewPixel(int x, int y) const {
  const platform::HDC dc = platform::GetDC(Camera().preview_window);
  const platform::COLORREF colour = platform::GetPixel(dc, x, y);
  platform::ReleaseDC(Camera().preview_window, dc);
  return colour;
}

platform::gdi::Surface SessionTest::PreviewShot() const {
  platform::gdi::Surface shot(kPreviewWidth, kPreviewHeight, 24);
  const platform::HDC dc = platform::GetDC(Camera().preview_window);
  for (int y = 0; y < kPreviewHeight; ++y) {
    for (int x = 0; x < kPreviewWidth; ++x) shot.SetPixel(x, y, platform::GetPixel(dc, x, y));
  }
  platform::ReleaseDC(Camera().preview_window, dc);
  return shot;
}

void SessionTest::SetFreeBytes(std::uint64_t bytes) {
  platform::FileSystem& files = handheld().files();
  const std::uint64_t used = files.VolumeUsedBytes("\\My Documents\\").value_or(0);
  ASSERT_TRUE(files.SetVolumeSize("\\My Documents\\", used + bytes));
  // A clip being recorded may write between the measure and the check, so
  // the volume can only have less room than asked, never more.
  std::uint64_t free_bytes = 0;
  ASSERT_TRUE(platform::GetDiskFreeSpaceEx("\\My Documents\\", &free_bytes, nullptr, nullptr));
  ASSERT_LE(free_bytes, bytes);
  ASSERT_GT(free_bytes, bytes / 2);
}

bool Near(platform::COLORREF actual, platform::COLORREF expected, int tolerance) {
  auto close = [tolerance](int a, int b) { return std::abs(a - b) <= tolerance; };
  return close(platform::GetRValue(actual), platform::GetRValue(expected)) &&
         close(platform::GetGValue(actual), platform::GetGValue(expected)) &&
         close(platform::GetBValue(actual), platform::GetBValue(expected));
}

void ExpectMatchesGolden(const platform::gdi::Surface& shot, const std::filesystem::path& golden) {
  if (std::getenv("ORSA_UPDATE_GOLDEN") != nullptr) {
    ASSERT_TRUE(platform::gdi::WritePng(shot, golden));
    GTEST_SKIP() << "wrote " << golden;
  }
  const std::optional<platform::gdi::Surface> expected = platform::gdi::ReadPng(golden);
  ASSERT_TRUE(expected) << "no golden picture at " << golden;
  ASSERT_EQ(expected->width(), shot.width());
  ASSERT_EQ(expected->height(), shot.height());
  int differing = 0;
  for (int y = 0; y < shot.height(); ++y) {
    for (int x = 0; x < shot.width(); ++x) {
      if (!Near(shot.GetPixel(x, y), expected->GetPixel(x, y), 24)) ++differing;
    }
  }
  // Text may round a little differently from host to host.
  const std::filesystem::path actual = std::filesystem::temp_directory_path() / golden.filename();
  EXPECT_LE(differing, shot.width() * shot.height() / 200) << "see " << actual;
  if (differing > shot.width() * shot.height() / 200) platform::gdi::WritePng(shot, actual);
}

}  // namespace camera::testing
