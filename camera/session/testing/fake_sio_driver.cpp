#include "fake_sio_driver.h"

#include <algorithm>
#include <cstring>
#include <iterator>
#include <string>

#include "driver/orsadrv.h"
#include "platform/devices.h"
#include "platform/files.h"
#include "platform/handheld.h"
#include "platform/modules.h"
#include "platform/registry.h"
#include "platform/threads.h"

namespace camera::testing {

using platform::BOOL;
using platform::BYTE;
using platform::DWORD;

namespace {

constexpr char kDriverKey[] = "Drivers\\BuiltIn\\FakeCamera";
constexpr char kModulePath[] = "\\Windows\\fakecamera.dll";
FakeSioDriver* fake = nullptr;
int context = 0;

platform::HWND WindowBehind(const BYTE* input) {
  platform::HWND window = nullptr;
  if (input) std::memcpy(&window, input, sizeof window);
  return window;
}

// The request's path, ASCII as the tests name their pictures.
std::string SnapshotPath(const BYTE* input) {
  orsadrv::SioSnapshotRequest request;
  std::memcpy(&request, input, sizeof request);
  std::string path;
  for (const char16_t* c = request.path; *c != 0 && c < std::end(request.path); ++c) {
    path += static_cast<char>(*c);
  }
  return path;
}

void WritePicture(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  if (bytes.empty()) return;
  platform::FileHandle file =
      platform::CreateFile(path, platform::GENERIC_WRITE, 0, platform::CREATE_ALWAYS);
  DWORD written = 0;
  if (file) platform::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written);
}

}  // namespace

struct FakeSioEntries {
  static void* Init(const char*) { return &context; }
  static BOOL Deinit(void*) { return platform::TRUE; }
  static void* Open(void* device, DWORD, DWORD share_mode) {
    if (!fake) return nullptr;
    ++fake->opens;
    fake->open_share_modes.push_back(share_mode);
    return fake->refuse_open ? nullptr : device;
  }
  static BOOL Close(void*) { return platform::TRUE; }
  static BOOL IOControl(void*, DWORD code, BYTE* input, DWORD input_size, BYTE* output,
                        DWORD output_size, DWORD* returned) {
    if (!fake) return platform::FALSE;
    ControlCall call{code, input_size, output_size, {}, nullptr};
    if (code == orsadrv::IOCTL_SIO_INIT || code == orsadrv::IOCTL_SIO_START_PREVIEW) {
      call.window = WindowBehind(input);
    } else if (input) {
      call.input.assign(input, input + input_size);
    }
    fake->calls.push_back(call);
    switch (code) {
      case orsadrv::IOCTL_SIO_START_PREVIEW:
        fake->notify_window = call.window;
        fake->StartTimer();
        break;
      case orsadrv::IOCTL_SIO_STOP_PREVIEW:
        fake->StopTimer();
        break;
      case orsadrv::IOCTL_SIO_SNAPSHOT:
        if (fake->on_snapshot) fake->on_snapshot();
        if (input && input_size >= sizeof(orsadrv::SioSnapshotRequest)) {
          WritePicture(SnapshotPath(input), fake->picture);
        }
        break;
      case orsadrv::IOCTL_SIO_GET_FRAME: {
        const DWORD size = static_cast<DWORD>(fake->frame.size());
        const bool fits = output && size != 0 && output_size >= size;
        if (fits) std::copy(fake->frame.begin(), fake->frame.end(), output);
        if (returned) *returned = fits ? size : 0;
        break;
      }
      default:
        break;
    }
    return platform::TRUE;
  }
};

FakeSioDriver::FakeSioDriver() {
  fake = this;
  platform::Handheld& handheld = platform::Handheld::Current();
  platform::ModuleDefinition module;
  module.exports.Add("SIO_Init", &FakeSioEntries::Init)
      .Add("SIO_Deinit", &FakeSioEntries::Deinit)
      .Add("SIO_Open", &FakeSioEntries::Open)
      .Add("SIO_Close", &FakeSioEntries::Close)
      .Add("SIO_IOControl", &FakeSioEntries::IOControl);
  handheld.modules().Register(kModulePath, std::move(module));
  const char marker[] = "fake camera driver";
  handheld.files().InstallFile(kModulePath, std::as_bytes(std::span(marker)));
  platform::Registry& registry = handheld.registry();
  registry.SetString(platform::HKEY_LOCAL_MACHINE, kDriverKey, "Dll", "fakecamera.dll");
  registry.SetString(platform::HKEY_LOCAL_MACHINE, kDriverKey, "Prefix", "SIO");
  registry.SetDword(platform::HKEY_LOCAL_MACHINE, kDriverKey, "Index", 1);
  device_ = platform::ActivateDevice(kDriverKey);
}

FakeSioDriver::~FakeSioDriver() {
  StopTimer();
  // Whatever the session still holds fails from here on.
  if (device_) platform::DeactivateDevice(device_);
  fake = nullptr;
}

std::vector<DWORD> FakeSioDriver::Codes() const {
  std::vector<DWORD> codes;
  for (const ControlCall& call : calls) codes.push_back(call.code);
  return codes;
}

void FakeSioDriver::AnnounceFrame() const {
  platform::PostMessage(notify_window, orsadrv::WM_SIO_FRAME_READY, 0, 0);
}

void FakeSioDriver::LoseStream() { StopTimer(); }

void FakeSioDriver::StartTimer() {
  StopTimer();
  streaming = true;
  timer_ = platform::SetTimer(nullptr, 0, 30,
                              [](platform::HWND, platform::UINT, platform::UINT_PTR, DWORD) {
                                if (fake && fake->streaming) fake->AnnounceFrame();
                              });
}

void FakeSioDriver::StopTimer() {
  streaming = false;
  if (timer_ != 0) platform::KillTimer(nullptr, timer_);
  timer_ = 0;
}

}  // namespace camera::testing
