// One emulated handheld in a host folder, which a script can reboot: a reboot
// ends the running handheld and starts a new one over the same folder, as a
// later run of the same device.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "outlet_options.h"
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
  // The handheld's local time at boot; the host's time when not given.
  std::optional<platform::SYSTEMTIME> boot_time;
  // The main store as handhelds of the period had it, and the size of the
  // storage card when one is put in (--storage-card or the script's
  // storage-card step).
  std::uint64_t store_size_bytes = std::uint64_t{32} << 20;
  std::uint64_t store_free_bytes = std::uint64_t{20} << 20;
  std::uint64_t card_size_bytes = std::uint64_t{256} << 20;
  bool storage_card = false;
  // The shell's desktop (Today screen and Start menu) behind the programs.
  bool desktop = false;
  // The mail and beam programs, the print engine and the external display.
  OutletOptions outlets;
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
  std::uint64_t card_size_bytes() const { return options_.card_size_bytes; }
  void Reboot();

 private:
  void Boot();
  // "\Windows\system.dat": the room the system's own data takes.
  void ReserveSystemData();
  static constexpr const char* kSystemDataName = "system.dat";

  EmulatorOptions options_;
  std::unique_ptr<platform::Handheld> handheld_;
  int boots_ = 0;
};

}  // namespace handheld
