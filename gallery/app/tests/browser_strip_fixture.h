// The gallery on a handheld with the imaging library and the clip plug-in,
// pictures made by the reference encoder, and the strip read from the test
// thread once the gallery has caught up (a sent message orders the reads
// after the user-interface thread's writes).
#pragma once

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "browser/thumbnail_strip.h"
#include "clip/install.h"
#include "gallery_fixture.h"
#include "imaging/install.h"
#include "platform/gdi_png.h"
#include "platform/messages.h"
#include "reference_codec.h"
#include "test_images.h"

namespace gallery::testing {

inline constexpr char kStripFolder[] = "\\Strip\\";

class BrowserStripFixture : public GalleryFixture {
 protected:
  BrowserStripFixture() {
    EXPECT_TRUE(imaging::InstallImagingModule(handheld()));
    EXPECT_TRUE(clip::InstallClipModule(handheld()));
  }

  static std::string Jpeg(int width = 64, int height = 48, int seed = 0) {
    const auto bytes =
        codec::testing::EncodeJpeg(codec::testing::MakeScene(width, height, seed), {});
    return std::string(bytes.begin(), bytes.end());
  }
  static std::string Png1x1() {
    platform::gdi::Surface surface(1, 1, 24);
    surface.SetPixel(0, 0, platform::RGB(250, 0, 0));
    const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("strip-" + std::to_string(getpid()) + ".png");
    platform::gdi::WritePng(surface, path);
    std::ifstream file(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    std::filesystem::remove(path);
    return bytes;
  }
  // Pictures a.jpg, b.jpg, ... in the strip's folder.
  void Pictures(int count) {
    for (int i = 0; i < count; ++i) Put(std::string(kStripFolder) + Name(i), Jpeg(64, 48, i));
  }
  static std::string Name(int i) {
    return std::string(1, static_cast<char>('a' + i / 26)) +
           std::string(1, static_cast<char>('a' + i % 26)) + ".jpg";
  }

  // Waits for the gallery and its worker to finish what they were given
  // (posted messages first: a sent one would overtake them).
  static void Sync() {
    Settle();
    platform::SendMessage(Browser(), platform::WM_NULL, 0, 0);
    Strip().worker().WaitIdle(10000);
    platform::SendMessage(Browser(), platform::WM_NULL, 0, 0);
  }
  static void Key(platform::UINT key) {
    platform::PostMessage(Browser(), platform::WM_KEYDOWN, key, 0);
    Sync();
  }
  static void Command(platform::UINT id) {
    platform::PostMessage(Browser(), platform::WM_COMMAND, id, 0);
    Sync();
  }
  static void Tap(int cell, int x = 20, int y = 20) {
    platform::HWND window = platform::GetDlgItem(Browser(), 1200 + cell);
    platform::PostMessage(
        window, platform::WM_LBUTTONUP, 0,
        platform::MAKELPARAM(static_cast<platform::WORD>(x), static_cast<platform::WORD>(y)));
    Sync();
  }
  static std::string CurrentName() {
    const std::string path = Strip().CurrentPath();
    return path.substr(path.rfind('\\') + 1);
  }
  static std::vector<int> Marked() {
    std::vector<int> marked;
    for (int i = 0; i < Strip().count(); ++i)
      if (Strip().list().IsMarked(i)) marked.push_back(i);
    return marked;
  }
};

}  // namespace gallery::testing
