// A handheld with the gallery, the OBEX sender it links and the help
// program, on the virtual clock; the test thread starts the gallery, talks
// to its windows and reads what it left behind.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <span>
#include <string>
#include <vector>

#include "gallery/app/orsagal.h"
#include "imaging/install.h"
#include "obex/orsabeam.h"
#include "platform/files.h"
#include "platform/menu_bar.h"
#include "platform/message_box.h"
#include "platform/programs.h"
#include "platform/registry.h"
#include "platform/shell_help.h"
#include "platform/testing/temp_handheld.h"
#include "platform/time.h"
#include "platform/window.h"
#include "reference_codec.h"
#include "test_images.h"

namespace gallery::testing {

inline constexpr char kPictures[] = "\\My Documents\\My Pictures";
inline constexpr char kPicture[] = "\\My Documents\\My Pictures\\snap0001.jpg";

class GalleryFixture : public ::testing::Test {
 protected:
  explicit GalleryFixture(platform::DWORD locale_id = 0x0409) : device_(Config(locale_id)) {
    platform::InstallerAccess access;
    obex::InstallOrsaBeam(handheld());
    std::string error;
    EXPECT_TRUE(InstallGallery(handheld(), &error)) << error;
    handheld().programs().Register(platform::kHelpProgramPath, platform::HelpProgramMain);
    Put(std::string(platform::kHelpProgramPath), "help program");
    Put(kPicture, "picture");
  }
  ~GalleryFixture() override {
    for (const platform::ProcessHandle& process : started_) {
      if (platform::WaitForSingleObject(process, 0) == platform::WAIT_OBJECT_0) continue;
      if (platform::HWND browser = Browser())
        platform::PostMessage(browser, platform::WM_CLOSE, 0, 0);
      platform::WaitForSingleObject(process, 10000);
    }
  }

  platform::Handheld& handheld() { return device_.handheld(); }

  void Put(const std::string& path, const std::string& contents) {
    platform::InstallerAccess access;
    handheld().files().InstallFile(path, std::as_bytes(std::span(contents)));
  }
  void Remove(const std::string& path) {
    platform::InstallerAccess access;
    handheld().files().DeleteFile(path);
  }

  // Lets every program run until it waits.
  static void Settle() { platform::Sleep(500); }

  platform::ProcessHandle Start(const std::string& command_line) {
    platform::PROCESS_INFORMATION information;
    if (!platform::CreateProcess(kGalleryProgramPath, command_line, &information)) return nullptr;
    started_.push_back(information.hProcess);
    Settle();
    return information.hProcess;
  }

  // Closes the gallery the way Exit does and returns its exit code.
  platform::DWORD Close(const platform::ProcessHandle& process) {
    platform::PostMessage(Browser(), platform::WM_COMMAND, 40019, 0);
    return ExitCode(process);
  }
  static platform::DWORD ExitCode(const platform::ProcessHandle& process) {
    EXPECT_EQ(platform::WaitForSingleObject(process, 10000), platform::WAIT_OBJECT_0);
    platform::DWORD code = 0;
    platform::GetExitCodeProcess(process, &code);
    return code;
  }

  static platform::HWND Top() { return platform::FindWindow(kTopWindowClass, std::nullopt); }
  static platform::HWND Browser() { return platform::FindWindow(kBrowserClass, std::nullopt); }
  static platform::HWND MenuBar() { return platform::SHFindMenuBar(Browser()); }

  std::optional<std::string> Remembered(const char* name) {
    return handheld().registry().GetString(platform::HKEY_CURRENT_USER, "SOFTWARE\\QX\\orsagal",
                                           name);
  }
  void Remember(const char* name, const std::string& value) {
    handheld().registry().SetString(platform::HKEY_CURRENT_USER, "SOFTWARE\\QX\\orsagal", name,
                                    value);
  }
  std::vector<platform::MessageBoxRecord> Boxes() { return handheld().message_boxes().Boxes(); }

  // The imaging library, for the parts that show pictures; and a real
  // picture at `path` (a test scene, different for each seed).
  void InstallImaging() { EXPECT_TRUE(imaging::InstallImagingModule(handheld())); }
  void PutPicture(const std::string& path, int seed = 0, int width = 64, int height = 48) {
    const auto bytes =
        codec::testing::EncodeJpeg(codec::testing::MakeScene(width, height, seed), {});
    Put(path, std::string(bytes.begin(), bytes.end()));
  }

  static int WindowsOfClass(const char* window_class) {
    int count = 0;
    platform::EnumWindows(
        [&](platform::HWND hwnd, platform::LPARAM) {
          if (platform::GetClassName(hwnd) == window_class) ++count;
          return platform::TRUE;
        },
        0);
    return count;
  }

 private:
  static platform::HandheldConfig Config(platform::DWORD locale_id) {
    platform::HandheldConfig config;
    config.locale_id = locale_id;
    return config;
  }

  platform::testing::TempHandheld device_;
  std::vector<platform::ProcessHandle> started_;
};

}  // namespace gallery::testing
