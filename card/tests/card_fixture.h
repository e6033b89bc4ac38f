// A handheld with the camera card in its slot and a bus client for it.
#pragma once

#include <gtest/gtest.h>

#include <memory>

#include "card/camera_card.h"
#include "card_testing/bus_client.h"
#include "card_testing/jpeg_tools.h"
#include "card_testing/module_programming.h"
#include "platform/sd_bus.h"
#include "platform/testing/temp_handheld.h"

namespace card {

class CardTest : public ::testing::Test {
 protected:
  explicit CardTest(std::unique_ptr<SceneSource> scene = nullptr)
      : card_(std::make_shared<CameraCard>(std::move(scene))) {
    bus().InsertCard(card_);
    client_ = std::make_unique<testing::BusClient>(*bus().DeviceHandle());
    client_->EnableFunction();
    client_->SetClock(20'000'000);
    programmer_ = std::make_unique<testing::ModuleProgrammer>(*client_);
  }

  platform::sd::SdBus& bus() { return handheld_.handheld().GetService<platform::sd::SdBus>(); }
  testing::BusClient& client() { return *client_; }
  testing::ModuleProgrammer& programmer() { return *programmer_; }

  // Starts the module and a preview of the type; the first frames are the
  // ones the driver would fetch.
  void StartPreview(int type) {
    ASSERT_TRUE(programmer().StartUp());
    programmer().ConfigurePreview(type);
  }
  std::optional<testing::Picture> PreviewPicture(const std::vector<std::uint8_t>& scan, int width,
                                                 int height, int sampling) {
    return testing::DecodeWith(testing::PreviewHeader(width, height, sampling), scan);
  }

  platform::testing::TempHandheld handheld_;
  std::shared_ptr<CameraCard> card_;
  std::unique_ptr<testing::BusClient> client_;
  std::unique_ptr<testing::ModuleProgrammer> programmer_;
};

}  // namespace card
