// The handheld's external display: a second screen on a display adapter,
// driven by "ddi.dll". While one is plugged in, HKEY_LOCAL_MACHINE
// "Drivers\Display\Active\<name>" holds "Dll" = "ddi.dll", and CreateDC
// for that driver gives a drawing context of the display's own size and
// depth (GetDeviceCaps answers for it, and for memory contexts made
// compatible with it).
//
// A mode change (or unplugging) loses the contexts made before it: every
// drawing call on them fails from then on, as does making a compatible
// context, until the program deletes them and calls CreateDC again.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "platform/gdi_surface.h"
#include "platform/gdi_types.h"

namespace platform {

struct DisplayMode {
  int width = 0;
  int height = 0;
  int bits_per_pixel = 16;  // 16, 24 or 32
  friend bool operator==(const DisplayMode&, const DisplayMode&) = default;
};

// "640x480x16": sides 1 to 4096, 16, 24 or 32 bits; nothing otherwise.
std::optional<DisplayMode> ParseDisplayMode(std::string_view text);

inline constexpr std::string_view kExternalDisplayDriver = "ddi.dll";
inline constexpr std::string_view kActiveDisplaysKey = "Drivers\\Display\\Active";
inline constexpr std::string_view kExternalDisplayKeyName = "VGA";

// A drawing context on the display driven by `driver` ("ddi.dll", without
// regard to case); `device`, `output` and `init_data` are not used. Null
// with ERROR_DEVICE_NOT_CONNECTED when no external display is plugged in,
// ERROR_FILE_NOT_FOUND for another driver. Delete it with DeleteDC.
HDC CreateDC(std::string_view driver, std::string_view device = {}, std::string_view output = {},
             const void* init_data = nullptr);

// The emulator's controls of the current handheld's external display.
namespace external_display {

// Plugs a display in with its registry entry; false when one is in.
bool Attach(DisplayMode mode);
// Unplugs it: its entry goes and its contexts are lost.
void Detach();
// Switches it to another mode (a blank screen); false when none is in.
bool ChangeMode(DisplayMode mode);
std::optional<DisplayMode> CurrentMode();
// What it shows now (never half a drawing); nothing when none is in.
std::optional<gdi::Surface> Snapshot();
bool SaveScreenshot(const std::filesystem::path& png);

}  // namespace external_display

}  // namespace platform
