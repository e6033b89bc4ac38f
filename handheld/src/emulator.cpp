#include "emulator.h"

#include <fstream>

#include "installer.h"
#include "platform/audio.h"
#include "platform/external_display.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/programs.h"
#include "platform/shell_today.h"
#include "platform/time.h"

namespace handheld {

Emulator::Emulator(EmulatorOptions options) : options_(std::move(options)) { Boot(); }

Emulator::~Emulator() = default;

void Emulator::Boot() {
  platform::HandheldConfig config;
  config.root = options_.root;
  config.virtual_clock = !options_.real_time;
  if (options_.locale_id) config.locale_id = *options_.locale_id;
  if (options_.boot_time) {
    // Local time is UTC on the emulated handheld (no time-zone bias).
    platform::FILETIME boot;
    if (platform::SystemTimeToFileTime(&*options_.boot_time, &boot)) config.boot_time = boot;
  }
  config.store_size_bytes = options_.store_size_bytes;
  ReserveSystemData();
  handheld_ = std::make_unique<platform::Handheld>(config);
  if (options_.storage_card) handheld_->files().InsertStorageCard(options_.card_size_bytes);
  for (const platform::InfraredPeer& peer : options_.infrared_peers) {
    handheld_->GetService<platform::SocketService>().AddInfraredPeer(peer);
  }
  if (options_.interactive) {
    handheld_->message_boxes().SetPresenter(platform::MakeWindowMessageBoxPresenter());
    // Without a sound device the handheld's own devices go on silently.
    platform::audio::UseHostAudio();
  }
  InstallBuiltIns(*handheld_, options_.outlets);
  if (options_.outlets.external_display) {
    platform::external_display::Attach(*options_.outlets.external_display);
  }
  if (options_.desktop) platform::CreateProcess(platform::kTodayProgramPath, "");
  ++boots_;
}

void Emulator::ReserveSystemData() {
  // The system's own data takes what the store has beyond the free space
  // asked for. It is a sparse host file: it counts on the handheld and
  // takes no room on the host.
  const std::uint64_t reserved = options_.store_free_bytes < options_.store_size_bytes
                                     ? options_.store_size_bytes - options_.store_free_bytes
                                     : 0;
  const std::filesystem::path folder = options_.root / "files" / "Windows";
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  const std::filesystem::path file = folder / kSystemDataName;
  if (reserved == 0) {
    std::filesystem::remove(file, error);
    return;
  }
  if (!std::filesystem::exists(file, error)) std::ofstream(file, std::ios::binary);
  std::filesystem::resize_file(file, reserved, error);
}

void Emulator::Reboot() {
  handheld_.reset();
  Boot();
}

}  // namespace handheld
