// One emulated handheld in a host folder, which a script can reboot: a reboot
// ends the running handheld and starts a new one over the same folder, as a
// later run of the same device.
#pragma once

#include <filesystem>
#include <memory>

#include "platform/handheld.h"

namespace handheld {

struct EmulatorOptions {
  std::filesystem::path root;
  bool real_time = false;
};

class Emulator {
 public:
  explicit Emulator(EmulatorOptions options);
  ~Emulator();

  platform::Handheld& handheld() { return *handheld_; }
  int boots() const { return boots_; }
  void Reboot();

 private:
  void Boot();

  EmulatorOptions options_;
  std::unique_ptr<platform::Handheld> handheld_;
  int boots_ = 0;
};

}  // namespace handheld
