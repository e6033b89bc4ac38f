// One emulated handheld in a host folder, which a script can reboot: a reboot
// ends the running handheld and starts a new one over the same folder, as a
// later run of the same device.
#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "platform/handheld.h"
#include "platform/sockets.h"

namespace handheld {

struct EmulatorOptions {
  EmulatorOptions() = default;
  explicit EmulatorOptions(std::filesystem::path folder) : root(std::move(folder)) {}

  std::filesystem::path root;
  bool real_time = false;
  // The handheld's locale (English, United States when not given).
  std::optional<platform::DWORD> locale_id;
  // Devices in infrared range (OBEX receivers on the host).
  std::vector<platform::InfraredPeer> infrared_peers;
  // A person is at the window: message boxes show as windows and the
  // host's speakers and microphone join in.
  bool interactive = false;
};

class Emulator {
 public:
  explicit Emulator(EmulatorOptions options);
  ~Emulator();

  platform::Handheld& handheld() { return *handheld_; }
  int boots() const { return boots_; }
  const std::filesystem::path& root() const { return options_.root; }
  void Reboot();

 private:
  void Boot();

  EmulatorOptions options_;
  std::unique_ptr<platform::Handheld> handheld_;
  int boots_ = 0;
};

}  // namespace handheld
