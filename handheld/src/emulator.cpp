#include "emulator.h"

#include "installer.h"
#include "platform/audio.h"
#include "platform/message_box.h"

namespace handheld {

Emulator::Emulator(EmulatorOptions options) : options_(std::move(options)) { Boot(); }

Emulator::~Emulator() = default;

void Emulator::Boot() {
  platform::HandheldConfig config;
  config.root = options_.root;
  config.virtual_clock = !options_.real_time;
  if (options_.locale_id) config.locale_id = *options_.locale_id;
  handheld_ = std::make_unique<platform::Handheld>(config);
  for (const platform::InfraredPeer& peer : options_.infrared_peers) {
    handheld_->GetService<platform::SocketService>().AddInfraredPeer(peer);
  }
  if (options_.interactive) {
    handheld_->message_boxes().SetPresenter(platform::MakeWindowMessageBoxPresenter());
    // Without a sound device the handheld's own devices go on silently.
    platform::audio::UseHostAudio();
  }
  InstallBuiltIns(*handheld_);
  ++boots_;
}

void Emulator::Reboot() {
  handheld_.reset();
  Boot();
}

}  // namespace handheld
