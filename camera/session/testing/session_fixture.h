// A handheld for the camera session: the string library, the application's
// module with stand-in overlay bitmaps and zoom sounds, a main window whose
// timer runs the watchdog, and a message pump on the virtual clock. The
// session runs on the test's own thread, as on the application's
// user-interface thread.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <functional>

#include "camera/session/camera_state.h"
#include "platform/gdi_surface.h"
#include "platform/gdi_types.h"
#include "platform/messages.h"
#include "platform/modules.h"
#include "platform/testing/temp_handheld.h"

namespace camera::testing {

// The colour of every stand-in overlay bitmap: unique per id.
platform::COLORREF OverlayColour(int id);
// The stand-in bitmap sizes (the framing and zoom ones at their real sizes).
platform::SIZE OverlaySize(int id);

class SessionTest : public ::testing::Test {
 protected:
  // The application's module carries the stand-in bitmaps, or the
  // resources of the folder given (the application's own artwork).
  explicit SessionTest(const std::filesystem::path& resource_folder = {});
  ~SessionTest() override;

  platform::Handheld& handheld() { return device_.handheld(); }

  // OpenCamera on the main window with the test module.
  bool Open();
  // Dispatches the thread's messages for `ms` milliseconds of handheld time.
  void Pump(std::uint64_t ms);
  // Until `done` holds or `ms` have passed; whether it holds.
  bool PumpUntil(const std::function<bool()>& done, std::uint64_t ms);
  // Paints the preview now.
  void Repaint();

 public:
  // The preview window's pixel as the screen shows it.
  platform::COLORREF PreviewPixel(int x, int y) const;

 protected:
  // The preview window as the screen shows it, 240x180.
  platform::gdi::Surface PreviewShot() const;
  // Makes the free space of "\My Documents\" exactly `bytes`.
  void SetFreeBytes(std::uint64_t bytes);

  platform::testing::TempHandheld device_;
  platform::HINSTANCE instance_ = nullptr;
  platform::HWND main_window_ = nullptr;
  int close_posts_ = 0;
  int toggle_posts_ = 0;
  int refresh_posts_ = 0;
  // Called for each WM_CAM_TOGGLE_RECORD the main window receives.
  std::function<void()> on_toggle_record_;
};

// Colours read back from the 16-bit screen are near, not equal.
bool Near(platform::COLORREF actual, platform::COLORREF expected, int tolerance = 12);

// Compares a shot of the preview with its golden picture; with
// ORSA_UPDATE_GOLDEN=1 in the environment it writes the golden afresh and
// skips. A shot that differs is written to the temporary folder.
void ExpectMatchesGolden(const platform::gdi::Surface& shot, const std::filesystem::path& golden);

}  // namespace camera::testing
