// What every fault at the seams between the programs is checked for
// afterwards: the files recorded before it are all there and whole, no
// half-written file stands under a name a program would show, and the
// registry still holds what the programs keep there.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "emulator_fixture.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/paths.h"
#include "platform/registry.h"
#include "platform/wav_file.h"
#include "reference_codec.h"

namespace handheld::testing {

class FaultSweepFixture : public EmulatorFixture {
 protected:
  explicit FaultSweepFixture(const std::string& prefix) : EmulatorFixture(prefix) {}

  platform::Handheld& handheld() { return emulator_->handheld(); }

  // Every step of the script must succeed.
  std::string Run(const std::string& text) {
    const ScriptRun run = RunScript(text);
    EXPECT_TRUE(run.valid) << run.err;
    EXPECT_EQ(run.report.failures, 0) << run.err << run.out;
    return run.out;
  }

  std::optional<std::vector<std::uint8_t>> Contents(const std::string& path) {
    const auto host = handheld().files().HostPath(path);
    if (!host || !std::filesystem::is_regular_file(*host)) return std::nullopt;
    std::ifstream in(*host, std::ios::binary);
    return std::vector<std::uint8_t>{std::istreambuf_iterator<char>(in),
                                     std::istreambuf_iterator<char>()};
  }
  bool Exists(const std::string& path) {
    return platform::GetFileAttributes(path) != platform::INVALID_FILE_ATTRIBUTES;
  }

  // Writes a file through the handheld's own calls, so that programs hear
  // of it as of any other.
  void Put(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    platform::FileHandle file =
        platform::CreateFile(path, platform::GENERIC_WRITE, 0, platform::CREATE_ALWAYS);
    ASSERT_TRUE(file) << path;
    platform::DWORD written = 0;
    ASSERT_TRUE(platform::WriteFile(file, bytes.data(), static_cast<platform::DWORD>(bytes.size()),
                                    &written));
    platform::CloseFile(file);
  }

  // A picture of its own pattern (seed) that the reference library wrote.
  static std::vector<std::uint8_t> Picture(int seed, int width = 320, int height = 240) {
    codec::testing::Image image{width, height, 3, {}};
    image.samples.resize(static_cast<std::size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        std::uint8_t* p = image.At(x, y);
        p[0] = static_cast<std::uint8_t>(x * seed);
        p[1] = static_cast<std::uint8_t>(y + seed * 40);
        p[2] = static_cast<std::uint8_t>((x + y) / 2);
      }
    }
    return codec::testing::EncodeJpeg(image, {});
  }
  // A PCM voice note of one second at 8 kHz, its samples from seed.
  static std::vector<std::uint8_t> Note(int seed) {
    std::vector<platform::BYTE> samples(8000);
    for (std::size_t i = 0; i < samples.size(); ++i) {
      samples[i] = static_cast<platform::BYTE>(i * seed);
    }
    return platform::BuildWav(platform::PcmFormat(1, 8000, 8), 1, samples);
  }

  // A picture that decodes to the end with the reference library.
  bool DecodesWhole(const std::string& path) {
    const auto bytes = Contents(path);
    if (!bytes) return false;
    const codec::testing::Image image = codec::testing::DecodeReference(*bytes);
    return image.width > 0 && !image.samples.empty();
  }
  // A note whose header and data agree.
  bool NoteWhole(const std::string& path) {
    const auto bytes = Contents(path);
    return bytes && platform::ParseWav(*bytes).has_value();
  }

  // The names in a folder (not recursing), for "nothing half-written left
  // visible": a name with "~" in it is a program's work file.
  std::vector<std::string> Names(const std::string& folder) {
    std::vector<std::string> names;
    platform::WIN32_FIND_DATA data;
    platform::FindHandle find = platform::FindFirstFile(folder + "*", &data);
    if (!find) return names;
    do {
      names.push_back(data.cFileName);
    } while (platform::FindNextFile(find, &data));
    platform::FindClose(find);
    return names;
  }
  void ExpectNoWorkFiles(const std::string& folder) {
    for (const std::string& name : Names(folder)) {
      EXPECT_EQ(name.find('~'), std::string::npos) << folder << name << " was left behind";
    }
  }

  // The texts of the message boxes shown so far, in order.
  std::vector<std::string> BoxTexts() {
    std::vector<std::string> texts;
    for (const platform::MessageBoxRecord& box : handheld().message_boxes().Boxes()) {
      texts.push_back(box.request.text);
    }
    return texts;
  }

  // The registry values under a key, as raw bytes by name, to compare
  // before and after a fault.
  std::map<std::string, std::vector<std::uint8_t>> Values(platform::HKEY root,
                                                          const std::string& subkey) {
    std::map<std::string, std::vector<std::uint8_t>> values;
    platform::Registry& registry = handheld().registry();
    platform::HKEY key;
    if (registry.OpenKey(root, subkey, &key) != platform::ERROR_SUCCESS) return values;
    for (platform::DWORD index = 0;; ++index) {
      std::string name;
      platform::DWORD type = 0;
      std::vector<std::uint8_t> data(4096);
      platform::DWORD size = static_cast<platform::DWORD>(data.size());
      if (registry.EnumValue(key, index, &name, &type, data.data(), &size) !=
          platform::ERROR_SUCCESS) {
        break;
      }
      data.resize(size);
      values[name] = data;
    }
    registry.CloseKey(key);
    return values;
  }
};

}  // namespace handheld::testing
