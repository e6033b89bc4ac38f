// A handheld with the driver installed, a stand-in camera program at the
// path the driver starts, and the simulated camera card at hand.
#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <span>
#include <string>

#include "card/camera_card.h"
#include "driver/orsadrv.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/programs.h"
#include "platform/sd_bus.h"
#include "platform/testing/temp_handheld.h"
#include "platform/time.h"

namespace orsadrv::testing {

class DriverTest : public ::testing::Test {
 protected:
  DriverTest() {
    EXPECT_TRUE(InstallDriver(handheld()));
    handheld().programs().Register(kCameraProgram, [this](platform::HINSTANCE, const std::string&) {
      ++camera_starts_;
      return 0;
    });
  }

  platform::Handheld& handheld() { return device_.handheld(); }
  platform::sd::SdBus& bus() { return handheld().GetService<platform::sd::SdBus>(); }

  void InstallCameraProgram() {
    const std::string image = "program";
    ASSERT_TRUE(handheld().files().InstallFile(kCameraProgram, std::as_bytes(std::span(image))));
  }

  // Inserts the card (which loads the driver) and returns the bus handle.
  DWORD Insert(card::CardFaults faults = {}) {
    card_->SetFaults(faults);
    EXPECT_TRUE(bus().InsertCard(card_));
    return bus().DeviceHandle().value_or(0);
  }

  std::vector<platform::MessageBoxRecord> Boxes() { return handheld().message_boxes().Boxes(); }

  static constexpr const char* kCameraProgram = "\\windows\\orsacap.exe";
  platform::testing::TempHandheld device_;
  std::shared_ptr<card::CameraCard> card_ = std::make_shared<card::CameraCard>();
  std::atomic<int> camera_starts_{0};
};

}  // namespace orsadrv::testing
