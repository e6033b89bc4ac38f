#include "card_session.h"

#include <stdlib.h>

#include <cstring>
#include <span>
#include <system_error>

#include "card/camera_card.h"
#include "driver/model_library.h"
#include "platform/files.h"
#include "platform/messages.h"
#include "platform/programs.h"
#include "platform/sd_bus.h"
#include "platform/time.h"

namespace orsacard {
namespace {

using orsadrv::DWORD;

// The program the driver starts once the card is in; here it only returns,
// so that the driver finds it and shows no box.
constexpr const char* kCameraProgram = "\\windows\\orsacap.exe";
// A frame announcement comes every 30 ms while the preview runs.
constexpr std::uint64_t kPreviewSilenceMs = 1'000;

std::optional<std::filesystem::path> MakeTemporaryRoot() {
  std::string pattern = (std::filesystem::temp_directory_path() / "orsa-card-XXXXXX").string();
  if (!mkdtemp(pattern.data())) return std::nullopt;
  return pattern;
}

}  // namespace

CardSession::CardSession(SessionConfig config) {
  if (config.root.empty()) {
    auto temporary = MakeTemporaryRoot();
    if (!temporary) {
      Fail("cannot make a temporary folder");
      return;
    }
    root_ = *temporary;
    remove_root_ = true;
  } else {
    root_ = config.root;
    std::error_code error;
    std::filesystem::create_directories(root_, error);
    if (error) {
      Fail("cannot make the folder " + root_.string());
      return;
    }
  }
  platform::HandheldConfig handheld_config;
  handheld_config.root = root_;
  handheld_config.virtual_clock = !config.real_time;
  handheld_ = std::make_unique<platform::Handheld>(std::move(handheld_config));

  if (!orsadrv::InstallDriver(*handheld_)) {
    Fail("the driver could not be installed");
    return;
  }
  if (!config.model_id.empty() &&
      !orsadrv::InstallModelLibrary(
          *handheld_, std::u16string(config.model_id.begin(), config.model_id.end()))) {
    Fail("the model library could not be installed");
    return;
  }
  handheld_->programs().Register(kCameraProgram,
                                 [](platform::HINSTANCE, const std::string&) { return 0; });
  const std::string image = "program";
  if (!handheld_->files().InstallFile(kCameraProgram, std::as_bytes(std::span(image)))) {
    Fail("the camera program could not be installed");
    return;
  }
  auto card = std::make_shared<card::CameraCard>(std::move(config.scene));
  if (!handheld_->GetService<platform::sd::SdBus>().InsertCard(card)) {
    Fail("the card was not accepted");
    return;
  }
  sio_ = platform::OpenDevice("SIO1:", 0, 0);
  if (!sio_) {
    Fail("SIO1: did not open");
    return;
  }
  window_ = platform::CreateMessageTarget([](platform::HWND, platform::UINT, platform::WPARAM,
                                             platform::LPARAM) -> platform::LRESULT { return 0; });
  if (!window_) Fail("no window for the driver's messages");
}

CardSession::~CardSession() {
  if (window_) platform::DestroyMessageTarget(window_);
  sio_.Close();
  handheld_.reset();
  if (remove_root_) {
    std::error_code ignored;
    std::filesystem::remove_all(root_, ignored);
  }
}

bool CardSession::Fail(std::string message) {
  if (error_.empty()) error_ = std::move(message);
  return false;
}

bool CardSession::Control(DWORD code, void* input, DWORD input_size, void* output,
                          DWORD output_size, DWORD* returned) {
  DWORD ignored = 0;
  return platform::DeviceIoControl(sio_, code, input, input_size, output, output_size,
                                   returned ? returned : &ignored) != 0;
}

bool CardSession::Start(const orsadrv::SioOptions& options) {
  if (!ok()) return false;
  if (!Control(orsadrv::IOCTL_SIO_INIT, &window_, 0)) return Fail("IOCTL_SIO_INIT failed");
  orsadrv::SioOptions copy = options;
  if (!Control(orsadrv::IOCTL_SIO_SET_OPTIONS, &copy, sizeof copy)) {
    return Fail("IOCTL_SIO_SET_OPTIONS failed");
  }
  return true;
}

bool CardSession::StartPreview(int type) {
  // The type travels as the input length.
  if (!Control(orsadrv::IOCTL_SIO_START_PREVIEW, &window_, static_cast<DWORD>(type))) {
    return Fail("IOCTL_SIO_START_PREVIEW failed");
  }
  return true;
}

bool CardSession::StopPreview() {
  if (!Control(orsadrv::IOCTL_SIO_STOP_PREVIEW, nullptr, 0)) {
    return Fail("IOCTL_SIO_STOP_PREVIEW failed");
  }
  return true;
}

bool CardSession::RunPreview(int count, const std::function<bool(const PreviewFrame&)>& on_frame) {
  int taken = 0;
  std::uint64_t last_announcement = platform::clock::NowMs();
  while (taken < count) {
    platform::MSG msg;
    if (!platform::PeekMessage(&msg, nullptr, 0, 0, platform::PM_REMOVE)) {
      if (platform::clock::NowMs() - last_announcement > kPreviewSilenceMs) {
        return Fail("the driver stopped announcing frames");
      }
      platform::MsgWaitForMultipleObjects({}, false, 100);
      continue;
    }
    platform::DispatchMessage(&msg);
    if (msg.message != orsadrv::WM_SIO_FRAME_READY) continue;
    PreviewFrame frame;
    frame.scan.resize(orsadrv::kPreviewFrameCapacity);
    DWORD returned = 0;
    if (!Control(orsadrv::IOCTL_SIO_GET_FRAME, &returned, sizeof returned, frame.scan.data(),
                 orsadrv::kPreviewFrameCapacity, &returned)) {
      return Fail("IOCTL_SIO_GET_FRAME failed");
    }
    frame.scan.resize(returned);
    frame.time_ms = last_announcement = platform::clock::NowMs();
    ++taken;
    if (!on_frame(frame)) break;
  }
  return true;
}

std::optional<std::filesystem::path> CardSession::Snapshot(int type, int quality,
                                                           const std::string& path) {
  orsadrv::SioSnapshotRequest request;
  request.capture_type = static_cast<orsadrv::BYTE>(type);
  request.quality = static_cast<orsadrv::BYTE>(quality);
  if (path.size() >= std::size(request.path)) {
    Fail("the handheld path is too long");
    return std::nullopt;
  }
  for (std::size_t i = 0; i < path.size(); ++i) request.path[i] = static_cast<char16_t>(path[i]);
  if (!Control(orsadrv::IOCTL_SIO_SNAPSHOT, &request, sizeof request)) {
    Fail("IOCTL_SIO_SNAPSHOT failed");
    return std::nullopt;
  }
  auto host = handheld_->files().HostPath(path);
  std::error_code error;
  if (!host || !std::filesystem::is_regular_file(*host, error)) {
    Fail("the driver wrote no picture");
    return std::nullopt;
  }
  return host;
}

}  // namespace orsacard
