#include "emulator.h"

#include "installer.h"

namespace handheld {

Emulator::Emulator(EmulatorOptions options) : options_(std::move(options)) { Boot(); }

Emulator::~Emulator() = default;

void Emulator::Boot() {
  platform::HandheldConfig config;
  config.root = options_.root;
  config.virtual_clock = !options_.real_time;
  handheld_ = std::make_unique<platform::Handheld>(config);
  InstallBuiltIns(*handheld_);
  ++boots_;
}

void Emulator::Reboot() {
  handheld_.reset();
  Boot();
}

}  // namespace handheld
