// The camera program's main dialog as the emulator tests look at it: the
// window itself, the state of a command in its menu bar, and the settings
// key, picture folder and Video command the tests drive it by.
#pragma once

#include "platform/menu_bar.h"
#include "platform/menus.h"
#include "platform/window.h"

namespace handheld::testing {

inline constexpr char kCameraCaption[] = "Quillon Camera";
inline constexpr char kCameraSettingKey[] = "Software\\Kav\\orsacap\\Setting";
inline constexpr char kCameraPictures[] = "\\My Documents\\My Pictures\\";
inline constexpr platform::UINT kCameraCommandVideo = 32837;

inline platform::HWND CameraMainDialog() { return platform::FindWindow("Dialog", kCameraCaption); }

// The command's state (MF_CHECKED, MF_GRAYED ...); all bits set when the
// dialog has no menu bar.
inline platform::UINT CameraMenuState(platform::UINT command) {
  platform::HWND bar = platform::SHFindMenuBar(CameraMainDialog());
  if (!bar) return 0xFFFFFFFFu;
  auto menu =
      reinterpret_cast<platform::HMENU>(platform::SendMessage(bar, platform::SHCMBM_GETMENU, 0, 0));
  return platform::GetMenuState(menu, command, platform::MF_BYCOMMAND);
}

}  // namespace handheld::testing
