// The external display: one per handheld, plugged in and switched by the
// emulator, drawn on by programs through CreateDC.
#include "platform/external_display.h"

#include <charconv>
#include <mutex>

#include "gdi/device_context.h"
#include "gdi/display_device.h"
#include "platform/gdi_png.h"
#include "platform/handheld.h"
#include "platform/last_error.h"
#include "platform/paths.h"
#include "platform/registry.h"

namespace platform {

namespace {

constexpr int kLargestSide = 4096;

std::string DisplayKey() {
  return std::string(kActiveDisplaysKey) + "\\" + std::string(kExternalDisplayKeyName);
}

class ExternalDisplayService final : public HandheldService {
 public:
  explicit ExternalDisplayService(Handheld& handheld) : handheld_(handheld) {}

  bool Attach(DisplayMode mode) {
    std::lock_guard lock(mutex_);
    if (device_) return false;
    device_ = MakeDevice(mode);
    handheld_.registry().SetString(HKEY_LOCAL_MACHINE, DisplayKey(), "Dll", kExternalDisplayDriver);
    return true;
  }

  void Detach() {
    std::lock_guard lock(mutex_);
    if (!device_) return;
    device_->lost = true;
    device_.reset();
    HKEY active;
    if (handheld_.registry().OpenKey(HKEY_LOCAL_MACHINE, kActiveDisplaysKey, &active) == 0) {
      handheld_.registry().DeleteKey(active, kExternalDisplayKeyName);
      handheld_.registry().CloseKey(active);
    }
  }

  bool ChangeMode(DisplayMode mode) {
    std::lock_guard lock(mutex_);
    if (!device_) return false;
    device_->lost = true;
    device_ = MakeDevice(mode);
    return true;
  }

  std::shared_ptr<gdi::DisplayDevice> device() const {
    std::lock_guard lock(mutex_);
    return device_;
  }

 private:
  static std::shared_ptr<gdi::DisplayDevice> MakeDevice(DisplayMode mode) {
    // The surface keeps 16-bit modes as RGB565 and deeper ones as 24 bits.
    return std::make_shared<gdi::DisplayDevice>(
        mode, std::make_shared<gdi::Surface>(mode.width, mode.height,
                                             mode.bits_per_pixel == 16 ? 16 : 24));
  }

  Handheld& handheld_;
  mutable std::mutex mutex_;
  std::shared_ptr<gdi::DisplayDevice> device_;
};

ExternalDisplayService& Service() {
  return Handheld::Current().GetService<ExternalDisplayService>();
}

std::optional<int> ParseNumber(std::string_view text) {
  int value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

}  // namespace

std::optional<DisplayMode> ParseDisplayMode(std::string_view text) {
  const std::size_t first = text.find('x');
  const std::size_t second = first == std::string_view::npos ? first : text.find('x', first + 1);
  if (second == std::string_view::npos) return std::nullopt;
  const auto width = ParseNumber(text.substr(0, first));
  const auto height = ParseNumber(text.substr(first + 1, second - first - 1));
  const auto bits = ParseNumber(text.substr(second + 1));
  if (!width || !height || !bits) return std::nullopt;
  if (*width < 1 || *width > kLargestSide || *height < 1 || *height > kLargestSide) {
    return std::nullopt;
  }
  if (*bits != 16 && *bits != 24 && *bits != 32) return std::nullopt;
  return DisplayMode{*width, *height, *bits};
}

HDC CreateDC(std::string_view driver, std::string_view, std::string_view, const void*) {
  if (!EqualsIgnoreCase(driver, kExternalDisplayDriver)) {
    SetLastError(ERROR_FILE_NOT_FOUND);
    return nullptr;
  }
  std::shared_ptr<gdi::DisplayDevice> device = Service().device();
  if (!device) {
    SetLastError(ERROR_DEVICE_NOT_CONNECTED);
    return nullptr;
  }
  auto context = std::make_shared<gdi::DeviceContext>(device->surface, POINT{0, 0},
                                                      std::vector<RECT>{device->surface->Bounds()});
  context->set_device(std::move(device));
  return gdi::ContextTable::Instance().Add(std::move(context));
}

namespace external_display {

bool Attach(DisplayMode mode) { return Service().Attach(mode); }

void Detach() { Service().Detach(); }

bool ChangeMode(DisplayMode mode) { return Service().ChangeMode(mode); }

std::optional<DisplayMode> CurrentMode() {
  const std::shared_ptr<gdi::DisplayDevice> device = Service().device();
  if (!device) return std::nullopt;
  return device->mode;
}

std::optional<gdi::Surface> Snapshot() {
  const std::shared_ptr<gdi::DisplayDevice> device = Service().device();
  if (!device) return std::nullopt;
  std::lock_guard lock(device->drawing);
  return *device->surface;
}

bool SaveScreenshot(const std::filesystem::path& png) {
  const std::optional<gdi::Surface> pixels = Snapshot();
  return pixels && gdi::WritePng(*pixels, png);
}

}  // namespace external_display

}  // namespace platform
