// The gallery with the platform's mail, beam and print programs and the
// imaging library, a picture of known pixels as the current file, and what
// the sending commands leave behind.
#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "gallery/resources/commands.h"
#include "gallery_fixture.h"
#include "imaging/install.h"
#include "platform/clipboard.h"
#include "platform/sockets.h"
#include "programs/beam.h"
#include "programs/mail.h"
#include "programs/print_engines.h"
#include "programs/testing_run.h"

namespace gallery::testing {

inline constexpr char kBmpPicture[] = "\\My Documents\\My Pictures\\pic0001.bmp";

// A 24-bit bottom-up BMP whose top half is red and bottom half blue, with
// a green first column.
inline std::string MakeBmp(int width, int height) {
  const int row = (width * 3 + 3) & ~3;
  const std::uint32_t pixels = static_cast<std::uint32_t>(row * height);
  std::string bytes(54 + pixels, '\0');
  auto put32 = [&](std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<char>(value >> (8 * i));
  };
  bytes[0] = 'B';
  bytes[1] = 'M';
  put32(2, 54 + pixels);
  put32(10, 54);
  put32(14, 40);
  put32(18, static_cast<std::uint32_t>(width));
  put32(22, static_cast<std::uint32_t>(height));
  bytes[26] = 1;
  bytes[28] = 24;
  for (int y = 0; y < height; ++y) {  // y = 0 is the bottom row
    const bool top = y >= height / 2;
    for (int x = 0; x < width; ++x) {
      char* pixel = &bytes[54 + static_cast<std::size_t>(y) * row + x * 3];
      pixel[0] = static_cast<char>(x == 0 ? 0 : (top ? 0 : 255));  // blue
      pixel[1] = static_cast<char>(x == 0 ? 255 : 0);              // green
      pixel[2] = static_cast<char>(x == 0 ? 0 : (top ? 255 : 0));  // red
    }
  }
  return bytes;
}

class SendingFixture : public GalleryFixture {
 protected:
  SendingFixture() {
    platform::InstallerAccess access;
    EXPECT_TRUE(imaging::InstallImagingModule(handheld()));
  }

  // Starts the gallery on the folder it remembers, with `path` current.
  void StartOn(const std::string& path) {
    Remember("Directory", std::string(kPictures) + "\\");
    Remember("Path", path);
    gallery_ = Start("");
  }
  // Sends the browser `command` and lets it work.
  void Command(platform::UINT command) {
    platform::PostMessage(Browser(), platform::WM_COMMAND, command, 0);
    Settle();
  }

  std::string HostPath(const std::string& path) {
    return platform::programs::testing::HostPathOf(handheld(), path);
  }
  std::vector<std::string> FolderNames(std::string_view folder) {
    return platform::programs::testing::FolderNames(handheld(), folder);
  }
  // Waits (on the handheld's clock) until `folder` holds a file; its name.
  std::string WaitForFileIn(std::string_view folder, int seconds = 30) {
    for (int i = 0; i < seconds * 2; ++i) {
      for (const std::string& name : FolderNames(folder)) {
        if (name.find(".eml") != std::string::npos || name.find(".pdf") != std::string::npos) {
          return name;
        }
      }
      Settle();
    }
    return {};
  }

  std::optional<std::vector<platform::BYTE>> Clipboard() {
    if (!platform::OpenClipboard(nullptr)) return std::nullopt;
    auto block = platform::GetClipboardData(platform::CF_DIB);
    platform::CloseClipboard();
    return block;
  }

  platform::ProcessHandle gallery_;
};

}  // namespace gallery::testing
