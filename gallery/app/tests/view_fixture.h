// The gallery with the imaging library, showing pictures written for the
// view's tests: the browser's labels, menu and the zoom view as a person
// would meet them.
#pragma once

#include <span>
#include <string>
#include <vector>

#include "gallery_fixture.h"
#include "imaging/install.h"
#include "platform/controls.h"
#include "platform/menus.h"
#include "platform/time.h"
#include "view_pictures.h"

namespace gallery::testing {

class ViewFixture : public GalleryFixture {
 protected:
  explicit ViewFixture(platform::DWORD locale_id = 0x0409) : GalleryFixture(locale_id) {
    std::string error;
    EXPECT_TRUE(imaging::InstallImagingModule(handheld(), &error)) << error;
    Remove(kPicture);
  }

  void PutBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    platform::InstallerAccess access;
    handheld().files().InstallFile(path, std::as_bytes(std::span(bytes)));
  }
  std::string PutPicture(const std::string& name, int width, int height,
                         const PictureOptions& options = {}) {
    const std::string path = std::string(kPictures) + "\\" + name;
    PutBytes(path, EncodeTestJpeg(width, height, options));
    return path;
  }
  // Stamps the file as last written at `local` (the handheld's local time).
  void SetWriteTime(const std::string& path, platform::SYSTEMTIME local) {
    platform::FILETIME local_time, utc;
    ASSERT_TRUE(platform::SystemTimeToFileTime(&local, &local_time));
    ASSERT_TRUE(platform::LocalFileTimeToFileTime(&local_time, &utc));
    platform::FileHandle file = platform::CreateFile(
        path, platform::GENERIC_WRITE, platform::FILE_SHARE_READ, platform::OPEN_EXISTING);
    ASSERT_TRUE(file);
    ASSERT_TRUE(platform::SetFileTime(file, nullptr, nullptr, &utc));
    platform::CloseFile(file);
  }

  // Starts the gallery on `path` in its folder, as after browsing there.
  platform::ProcessHandle StartOn(const std::string& path) {
    Remember("Directory", path.substr(0, path.rfind('\\') + 1));
    Remember("Path", path);
    return Start("");
  }

  static std::string Text(platform::HWND window) { return platform::GetWindowText(window); }
  static std::string Label(int id) { return Text(platform::GetDlgItem(Browser(), id)); }
  static bool Greyed(platform::UINT command) {
    auto menu = reinterpret_cast<platform::HMENU>(
        platform::SendMessage(MenuBar(), platform::SHCMBM_GETMENU, 0, 0));
    return (platform::GetMenuState(menu, command, platform::MF_BYCOMMAND) & platform::MF_GRAYED) !=
           0;
  }
  static void Command(platform::HWND window, platform::UINT command, platform::LPARAM lparam = 0) {
    platform::PostMessage(window, platform::WM_COMMAND, command, lparam);
    Settle();
  }
  static void Key(platform::HWND window, platform::UINT key) {
    platform::PostMessage(window, platform::WM_KEYDOWN, key, 0);
    Settle();
  }
  static platform::HWND ZoomView() { return platform::FindWindow("Browser", std::nullopt); }
  // The zoom label: the static in the zoom view's menu bar.
  static std::string ZoomText() {
    platform::HWND bar = platform::SHFindMenuBar(ZoomView());
    return bar ? Text(platform::GetWindow(bar, platform::GW_CHILD)) : std::string();
  }
};

}  // namespace gallery::testing
