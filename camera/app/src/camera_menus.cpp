#include "camera_menus.h"

#include "camera/session/camera_state.h"
#include "camera/strings/string_library.h"
#include "camera_dialog.h"
#include "platform/menu_bar.h"
#include "platform/menus.h"

namespace camera {

using namespace platform;

namespace {

constexpr int kLanguages = 9;
constexpr UINT kLanguageStride = 200;

constexpr UINT kFileText = 50005;
constexpr UINT kPlayText = 50006;
constexpr UINT kMenuText = 50007;
constexpr UINT kVideoText = 50061;
constexpr UINT kAboutText = 50065;
constexpr UINT kExitText = 50073;
constexpr UINT kModeText = 50074;
constexpr UINT kStillText = 50075;

MenuItemTemplate Command(std::string text, UINT id, bool checked = false) {
  MenuItemTemplate item;
  item.text = std::move(text);
  item.id = id;
  item.checked = checked;
  return item;
}

MenuItemTemplate Separator() {
  MenuItemTemplate item;
  item.separator = true;
  return item;
}

MenuItemTemplate Popup(std::string text, std::vector<MenuItemTemplate> items) {
  MenuItemTemplate item;
  item.text = std::move(text);
  item.items = std::move(items);
  return item;
}

}  // namespace

void AddCameraMenus(const ModuleResources& string_library, ModuleResources* program) {
  for (int language = 0; language < kLanguages; ++language) {
    auto text = [&](UINT base_id) {
      DWORD error = 0;
      const std::string* found = string_library.FindString(
          base_id + kLanguageStride * static_cast<UINT>(language), LanguageChoice{}, &error);
      return found ? *found : std::string();
    };
    MenuTemplate menu;
    menu.items.push_back(Popup(
        text(kFileText),
        {Command(text(kPlayText), kCommandPlay), Command(text(kMenuText) + "...", kCommandMenu),
         Command(text(kAboutText) + "...", kCommandAbout), Separator(),
         Command(text(kExitText), kCommandExit)}));
    menu.items.push_back(Popup(text(kModeText), {Command(text(kStillText), kCommandStill, true),
                                                 Command(text(kVideoText), kCommandVideo)}));
    program->AddMenu(kFirstMenuResource + static_cast<UINT>(language), std::move(menu));
  }
}

bool CreateCameraMenuBar(HWND dialog, HINSTANCE instance) {
  SHMENUBARINFO info;
  info.hwndParent = dialog;
  info.nToolBarId = kFirstMenuResource + static_cast<UINT>(LanguageIndex());
  info.hInstRes = instance;
  if (!SHCreateMenuBar(&info)) return false;
  CheckModeItems(dialog);
  return true;
}

namespace {

constexpr UINT kCaptureCommands[] = {kCommandPlay, kCommandMenu, kCommandAbout, kCommandStill,
                                     kCommandVideo};

HMENU BarMenu(HWND dialog) {
  HWND bar = SHFindMenuBar(dialog);
  return bar ? reinterpret_cast<HMENU>(SendMessage(bar, SHCMBM_GETMENU, 0, 0)) : nullptr;
}

}  // namespace

void CheckModeItems(HWND dialog) {
  HMENU menu = BarMenu(dialog);
  if (!menu) return;
  const bool video = Camera().mode == CameraMode::kVideo;
  CheckMenuItem(menu, kCommandStill, MF_BYCOMMAND | (video ? MF_UNCHECKED : MF_CHECKED));
  CheckMenuItem(menu, kCommandVideo, MF_BYCOMMAND | (video ? MF_CHECKED : MF_UNCHECKED));
}

bool IsCaptureCommand(UINT command) {
  for (UINT id : kCaptureCommands) {
    if (command == id) return true;
  }
  return false;
}

void EnableCaptureCommands(HWND dialog, bool enabled) {
  HMENU menu = BarMenu(dialog);
  if (!menu) return;
  for (UINT id : kCaptureCommands) {
    EnableMenuItem(menu, id, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
  }
}

void RemoveCameraMenuBar(HWND dialog) {
  if (HWND bar = SHFindMenuBar(dialog)) DestroyWindow(bar);
}

}  // namespace camera
