// The driver loaded for the simulated card with the module started, for
// tests of still pictures: taking one, its file as a host file, and what a
// real JPEG decoder and exiftool make of it.
#pragma once

#include <cstdio>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "bus_access.h"
#include "driver_fixture.h"
#include "module_config.h"
#include "still_capture.h"
#include "still_strict_decode.h"

namespace orsadrv::testing {

class StillTest : public DriverTest {
 protected:
  static constexpr std::u16string_view kPicturePath = u"\\My Documents\\snap0001.jpg";

  StillTest() {
    InstallCameraProgram();
    device_handle_ = Insert();
    SetBusClock(device_handle_, 20'000'000);
    module_started_ = StartModule(device_handle_) == 0;
  }

  // Applies the options, captures a still of `type` and writes its file.
  // The byte count of the capture goes to *byte_count when given.
  DWORD Snap(BYTE type, const SioOptions& options, DWORD* byte_count = nullptr,
             std::u16string_view path = kPicturePath) {
    ApplyOptions(device_handle_, options);
    const DWORD count = CaptureStill(device_handle_, type, nullptr);
    if (byte_count) *byte_count = count;
    return WriteStillFile(device_handle_, type, count, path);
  }

  std::string HostFile(std::u16string_view path = kPicturePath) {
    std::string utf8;
    for (char16_t c : path) utf8 += static_cast<char>(c);  // ASCII test paths
    const auto host = handheld().files().HostPath(utf8);
    return host ? host->string() : std::string();
  }

  std::vector<BYTE> FileBytes(std::u16string_view path = kPicturePath) {
    std::ifstream in(HostFile(path), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  DWORD device_handle_ = 0;
  bool module_started_ = false;
};

// Options by name: white balance preset, colour mode, compression setting
// (0 good, 1 better, 2 best) and metering.
inline SioOptions Options(DWORD white_balance, DWORD colour_mode, DWORD compression) {
  SioOptions options;
  options.white_balance = white_balance;
  options.colour_mode = colour_mode;
  options.compression = compression;
  return options;
}

// What exiftool reads from a file: tag name to printed value (-n: numbers
// as numbers); several warnings are joined.
inline std::map<std::string, std::string> ExifTool(const std::string& host_file) {
  std::map<std::string, std::string> tags;
  const std::string command = "exiftool -s -n -a '" + host_file + "' 2>&1";
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
  if (!pipe) return tags;
  char line[1024];
  while (std::fgets(line, sizeof line, pipe.get())) {
    // "Make                            : Kav Inc."
    std::string text(line);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r')) text.pop_back();
    const std::size_t colon = text.find(" : ");
    if (colon == std::string::npos) continue;
    std::string name = text.substr(0, colon);
    name.erase(name.find_last_not_of(' ') + 1);
    const std::string value = text.substr(colon + 3);
    if (tags.count(name) && name == "Warning") {
      tags[name] += "; " + value;
    } else {
      tags.emplace(name, value);
    }
  }
  return tags;
}

}  // namespace orsadrv::testing
