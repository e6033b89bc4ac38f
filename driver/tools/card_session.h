// One handheld with the driver loaded for the simulated camera card, and
// the driver driven through "SIO1:" the way the camera application does:
// init with a window, options, a preview stream answered frame by frame,
// and still pictures.
#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "card/scene.h"
#include "driver/orsadrv.h"
#include "platform/devices.h"
#include "platform/handheld.h"
#include "platform/messages.h"
#include "platform/types.h"

namespace orsacard {

struct SessionConfig {
  // Host folder of the handheld; a temporary one, removed at the end,
  // when empty.
  std::filesystem::path root;
  bool real_time = false;
  // The scene the card looks at; the built-in animated one when null.
  std::unique_ptr<card::SceneSource> scene;
  // The handheld's model id, as its model library reports it; no library
  // when empty (the driver then keeps the slower bus clock).
  std::string model_id;
};

// One preview frame as GET_FRAME handed it over (empty when the driver
// rejected the scan), with the handheld's time it arrived at.
struct PreviewFrame {
  std::vector<std::uint8_t> scan;
  std::uint64_t time_ms = 0;
};

class CardSession {
 public:
  // Check ok() and error() afterwards: any step of bringing the card up
  // may fail.
  explicit CardSession(SessionConfig config);
  ~CardSession();
  CardSession(const CardSession&) = delete;
  CardSession& operator=(const CardSession&) = delete;

  bool ok() const { return error_.empty(); }
  const std::string& error() const { return error_; }
  platform::Handheld& handheld() { return *handheld_; }

  // IOCTL_SIO_INIT with the session's window, then IOCTL_SIO_SET_OPTIONS.
  bool Start(const orsadrv::SioOptions& options);
  bool StartPreview(int type);
  bool StopPreview();
  // Dispatches the window's messages and answers each frame announcement
  // with GET_FRAME, until `on_frame` returns false, `count` frames came,
  // or no announcement came for a (handheld) second.
  bool RunPreview(int count, const std::function<bool(const PreviewFrame&)>& on_frame);
  // IOCTL_SIO_SNAPSHOT into the handheld file `path` (such as
  // "\\My Documents\\out.jpg"); returns the file's host path.
  std::optional<std::filesystem::path> Snapshot(int type, int quality, const std::string& path);

 private:
  bool Control(orsadrv::DWORD code, void* input, orsadrv::DWORD input_size, void* output = nullptr,
               orsadrv::DWORD output_size = 0, orsadrv::DWORD* returned = nullptr);
  bool Fail(std::string message);

  std::filesystem::path root_;
  bool remove_root_ = false;
  std::unique_ptr<platform::Handheld> handheld_;
  platform::DeviceHandle sio_;
  platform::HWND window_ = nullptr;
  std::string error_;
};

}  // namespace orsacard
