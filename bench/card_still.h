// Stills as the simulated camera card makes them: the card's module
// compresses 1280 x 960 pictures of its animated scene (4:2:0), and each
// goes behind the 1,515-byte header the driver writes, so the files are
// the camera's own, not a generic encoder's.
#pragma once

#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "card/camera_card.h"
#include "card_testing/bus_client.h"
#include "card_testing/jpeg_tools.h"
#include "card_testing/module_programming.h"
#include "platform/files.h"
#include "platform/handheld.h"
#include "platform/sd_bus.h"
#include "platform/time.h"

namespace bench {

// Takes `count` stills on a handheld of its own over `root` (virtual
// clock, so the card's exposure pauses cost nothing) and writes them as
// `folder` + "snap0001.jpg" and on. The scene moves between stills, so no
// two files are alike. Their handheld paths, or none when the card did not
// start. Call it while no other handheld exists.
inline std::vector<std::string> WriteCardStills(const std::filesystem::path& root,
                                                const std::string& folder, int count) {
  constexpr int kType = 1, kQuality = 1, kLumaSampling = 2;
  platform::HandheldConfig config;
  config.root = root;
  platform::Handheld handheld(config);
  auto& bus = handheld.GetService<platform::sd::SdBus>();
  auto camera = std::make_shared<card::CameraCard>();
  bus.InsertCard(camera);
  card::testing::BusClient client(*bus.DeviceHandle());
  client.EnableFunction();
  client.SetClock(20'000'000);
  card::testing::ModuleProgrammer programmer(client);
  if (!programmer.StartUp()) return {};
  platform::CreateDirectory(folder.substr(0, folder.size() - 1));
  const std::vector<std::uint8_t> header =
      card::testing::StillHeader(1280, 960, kLumaSampling, kQuality);
  std::vector<std::string> paths;
  for (int i = 0; i < count; ++i) {
    platform::Sleep(40);  // the scene moves on
    std::vector<std::uint8_t> jpeg = header;
    const std::vector<std::uint8_t> scan = programmer.Still(kType, kQuality);
    if (scan.empty()) return {};
    jpeg.insert(jpeg.end(), scan.begin(), scan.end());
    char name[32];
    std::snprintf(name, sizeof(name), "snap%04d.jpg", i + 1);
    paths.push_back(folder + name);
    platform::FileHandle file =
        platform::CreateFile(paths.back(), platform::GENERIC_WRITE, 0, platform::CREATE_ALWAYS);
    platform::DWORD written = 0;
    platform::WriteFile(file, jpeg.data(), static_cast<platform::DWORD>(jpeg.size()), &written);
    platform::CloseFile(file);
  }
  return paths;
}

}  // namespace bench
