// Pulls the camera card in the middle of a still's transfer: a host thread
// watches for the picture's file and, the moment the driver has opened it,
// makes the card leave with the next transfer (the bus's own thread tells
// the driver, as when the card is pulled mid-transfer).
#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "platform/files.h"
#include "platform/handheld.h"
#include "platform/sd_bus.h"

namespace handheld::testing {

class CardPullerAtFile {
 public:
  CardPullerAtFile(platform::Handheld& handheld, const std::string& picture)
      : thread_([this, &handheld, picture] { Watch(handheld, picture); }) {}
  ~CardPullerAtFile() {
    done_ = true;
    thread_.join();
  }
  CardPullerAtFile(const CardPullerAtFile&) = delete;
  CardPullerAtFile& operator=(const CardPullerAtFile&) = delete;

 private:
  void Watch(platform::Handheld& handheld, const std::string& picture) {
    const auto give_up = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!done_ && std::chrono::steady_clock::now() < give_up) {
      const auto host = handheld.files().HostPath(picture);
      if (host && std::filesystem::exists(*host)) {
        handheld.GetService<platform::sd::SdBus>().RemoveCardAfterTransfers(0);
        return;
      }
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
  }

  std::atomic<bool> done_{false};
  std::thread thread_;
};

}  // namespace handheld::testing
